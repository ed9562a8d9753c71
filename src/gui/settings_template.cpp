#include "gui/dialog_templates.h"

namespace gui::templates {

const DialogTemplate& EIN_DATEN() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "EIN_DATEN",
      "Datanorm Import Voreinstellungen",
      435,
      285,
      {
          {120, K::Label, "Pfad zur QMT Warenwirtschaft", 6, 6, 106, 9},
          {121, K::Edit, "", 126, 4, 249, 14},
          {122, K::PushButton, "&Durchsuchen", 378, 3, 54, 14},
          {123, K::CheckBox,
           "mit allen Lager Indexdateien öffnen (für Import im laufenden Betrieb)", 15, 21, 324, 9},
          {131, K::Label, "Lieferanten-Kunden-Nr.", 6, 43, 84, 8},
          {132, K::Edit, "", 93, 41, 72, 12},
          {133, K::Label, "Mehrwertsteuer %", 183, 43, 84, 8, kRightAligned},
          {134, K::Edit, "", 270, 41, 36, 12},
          {135, K::CheckBox, "Übernahme von: Langtexten, Dimenstionstexten, Einfügetexten", 15, 57,
           252, 9},
          {136, K::CheckBox, "Hauptwarengruppen ein/-ausschließen", 15, 69, 252, 9},
          {137, K::PushButton, "Hauptwarengruppen bearbeiten", 291, 66, 140, 14},
          {141, K::CheckBox, "Bestand aktualisieren", 15, 105, 135, 9},
          {142, K::CheckBox, "Gesamtrabattfähig", 15, 117, 135, 9},
          {143, K::RadioButton, "mit Lieferanten-Währung", 15, 135, 135, 9, kGroupStart},
          {144, K::RadioButton, "mit Warenwirtschaft Hauptwährung", 15, 147, 135, 12},
          {151, K::RadioButton, "nicht Übernehmen", 15, 195, 135, 9, kGroupStart},
          {152, K::RadioButton, "in Freifeld 1", 15, 207, 135, 9},
          {153, K::RadioButton, "in Lieferanten-Artikelnummer", 15, 219, 135, 9},
          {154, K::RadioButton, "in EAN", 15, 231, 135, 9},
          {155, K::CheckBox, "Matchcode in Freifeld1", 15, 246, 135, 9},
          {kNoId, K::Label, "Bruttopreis", 168, 103, 101, 8},
          {301, K::CheckBox, "als EK-Preis (abzgl. Rabatt)", 174, 114, 120, 9},
          {302, K::CheckBox, "als Netto-Listenpreis", 174, 126, 120, 9},
          {305, K::CheckBox, "als Brutto-Listenpreis", 174, 138, 120, 9},
          {303, K::CheckBox, "als EK-Preis (abzgl. Rabatt)", 174, 165, 120, 9},
          {304, K::CheckBox, "als Netto-Listenpreis", 174, 177, 120, 9},
          {306, K::CheckBox, "als Brutto-Listenpreis", 174, 189, 120, 9},
          {161, K::RadioButton, "Nie", 174, 222, 54, 9, kGroupStart},
          {162, K::RadioButton, "Bestand = 0", 174, 234, 54, 9},
          {163, K::RadioButton, "Immer", 174, 246, 54, 9},
          {310, K::Label, "Preise 2-5", 303, 104, 96, 7},
          {311, K::RadioButton, "Rabatt beibehalten", 309, 117, 90, 9, kGroupStart},
          {312, K::RadioButton, "Aufschlag beibehalten", 309, 129, 90, 9},
          {313, K::RadioButton, "Brutto-Preis beibehalten", 309, 144, 90, 9},
          {314, K::RadioButton, "Netto-Preis beibehalten", 309, 156, 90, 9},
          {315, K::CheckBox, "Aktualisieren bei Neuanlage", 309, 213, 120, 9},
          {112, K::Label, "Netto in Preis 2/3/4 oder 5 einlesen", 309, 225, 101, 8},
          {350, K::DropDownList, "0\n2\n3\n4\n5", 309, 237, 49, 33},
          {111, K::PushButton, "&OK", 315, 261, 54, 15, kDefaultButton | kGroupStart},
          {110, K::PushButton, "&Abbruch", 372, 261, 54, 15},
          {kNoId, K::HorizontalLine, "", 0, 35, 432, 2},
          {kNoId, K::HorizontalLine, "", 0, 84, 432, 2},
          {140, K::GroupBox, "Neuanlagen", 6, 90, 151, 84},
          {160, K::GroupBox, "Löschungen", 162, 210, 132, 54},
          {150, K::GroupBox, "EAN-Nummer übernehmen", 6, 180, 150, 84},
          {300, K::GroupBox, "Datanorm Preisoptionen", 162, 90, 270, 114},
          {kNoId, K::Label, "Nettopreis", 168, 153, 101, 8},
      },
  };
  return kTemplate;
}

}  // namespace gui::templates
