#include "gui/dialog_templates.h"

namespace gui::templates {

const DialogTemplate& DATEN_EINLESEN() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "DATEN_EINLESEN",
      "DATEN_EINLESEN",
      280,
      221,
      {
          {120, K::GroupBox, "Lieferant-Information", 6, 4, 268, 60},
          {121, K::Label, "Datum:", 14, 16, 40, 8},
          {122, K::Label, "", 56, 15, 60, 10, kSunken},
          {123, K::Label, "Version:", 14, 29, 40, 8},
          {124, K::Label, "", 56, 28, 60, 10, kSunken},
          {125, K::Label, "Währung:", 14, 42, 40, 8},
          {126, K::Label, "", 56, 41, 60, 10, kSunken},
          {127, K::Label, "", 124, 15, 142, 40, kSunken},
          {200, K::GroupBox, "Status", 6, 68, 268, 66},
          {201, K::Label, "Benötigte Zeit:", 14, 80, 66, 8},
          {202, K::Label, "", 82, 79, 50, 10, kSunken},
          {203, K::Label, "Sätze bearbeitet:", 14, 93, 66, 8},
          {204, K::Label, "", 82, 92, 50, 10, kSunken},
          {205, K::Label, "Fehler-Anzahl:", 142, 80, 66, 8},
          {206, K::Label, "", 210, 79, 56, 10, kSunken},
          {207, K::Label, "Datensätze gesamt:", 142, 93, 66, 8},
          {208, K::Label, "", 210, 92, 56, 10, kSunken},
          {211, K::ProgressMeter, "", 14, 110, 252, 14},
          {300, K::GroupBox, "Statistik: Datensätze", 6, 138, 268, 30},
          {301, K::Label, "A", 14, 151, 8, 8},
          {302, K::Label, "", 24, 150, 28, 10, kSunken},
          {303, K::Label, "B", 56, 151, 8, 8},
          {304, K::Label, "", 66, 150, 28, 10, kSunken},
          {305, K::Label, "D", 98, 151, 8, 8},
          {306, K::Label, "", 108, 150, 28, 10, kSunken},
          {307, K::Label, "T", 140, 151, 8, 8},
          {308, K::Label, "", 150, 150, 28, 10, kSunken},
          {309, K::Label, "E", 182, 151, 8, 8},
          {310, K::Label, "", 192, 150, 28, 10, kSunken},
          {311, K::Label, "X", 224, 151, 8, 8},
          {312, K::Label, "", 234, 150, 28, 10, kSunken},
          {401, K::Label, "letzter Fehler:", 6, 175, 56, 8},
          {402, K::Label, "", 64, 174, 210, 18, kSunken},
          {403, K::Label, "Artikel:", 6, 197, 56, 8},
          {404, K::Label, "", 64, 196, 100, 10, kSunken},
          {110, K::PushButton, "&Abbruch", 220, 200, 54, 15, kAbortButton},
      },
  };
  return kTemplate;
}

const DialogTemplate& LAUFBALKEN() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "LAUFBALKEN",
      "Reorganisation",
      180,
      80,
      {
          {kNoId, K::Label, "DBF-Datei:", 6, 8, 44, 8},
          {110, K::Label, "", 52, 7, 122, 10, kSunken},
          {kNoId, K::Label, "Index-Datei:", 6, 22, 44, 8},
          {120, K::Label, "", 52, 21, 122, 28, kSunken},
          {300, K::ProgressMeter, "", 6, 58, 168, 14},
      },
  };
  return kTemplate;
}

const DialogTemplate& MSG_ABBRUCH() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "MSG_ABBRUCH",
      "",
      194,
      119,
      {
          {kNoId, K::Frame, "", 6, 6, 182, 84},
          {101, K::Label, "", 14, 14, 166, 68, kCentered},
          {2, K::PushButton, "&Abbruch", 70, 98, 54, 15, kAbortButton},
      },
  };
  return kTemplate;
}

const DialogTemplate& WAIT_MSG() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "WAIT_MSG",
      "",
      160,
      40,
      {
          {101, K::Label, "", 8, 8, 144, 24, kCentered},
      },
      false,
  };
  return kTemplate;
}

}  // namespace gui::templates
