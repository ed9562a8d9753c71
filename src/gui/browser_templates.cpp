#include "gui/browser_templates.h"

namespace gui::templates {

const DialogTemplate& DB_EDIT() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "DB_EDIT",
      "",
      289,
      163,
      {
          {121, K::PushButton, "&Ändern", 4, 144, 50, 14},
          {122, K::PushButton, "&Neu", 62, 144, 50, 14},
          {123, K::PushButton, "&Löschen", 120, 144, 50, 14},
          {111, K::PushButton, "&OK", 182, 144, 50, 14},
          {110, K::PushButton, "&Schließen", 234, 144, 50, 14},
      },
  };
  return kTemplate;
}

const DialogTemplate& EDIT_WAGRU() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "EDIT_WAGRU",
      "",
      231,
      76,
      {
          {kNoId, K::Label, "Warengruppe", 8, 10, 54, 8},
          {121, K::Edit, "", 66, 8, 48, 12},
          {kNoId, K::Label, "Text", 8, 26, 54, 8},
          {122, K::Edit, "", 66, 24, 159, 12},
          {123, K::CheckBox, "&in Import einschließen", 66, 40, 159, 10},
          {111, K::PushButton, "&OK", 119, 56, 50, 14, kDefaultButton},
          {110, K::PushButton, "&Abbruch", 175, 56, 50, 14},
      }};
  return kTemplate;
}

const DialogTemplate& EDIT_RABATT() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "EDIT_RABATT",
      "",
      231,
      76,
      {
          {kNoId, K::Label, "Rabattgruppe", 8, 8, 54, 8},
          {121, K::Edit, "", 66, 6, 48, 12},
          {kNoId, K::Label, "Beschreibung", 8, 23, 54, 8},
          {122, K::Edit, "", 66, 21, 159, 12},
          {kNoId, K::Label, "Multiplikator", 8, 38, 54, 8},
          {123, K::Edit, "", 66, 36, 55, 12},
          {111, K::PushButton, "&OK", 119, 56, 50, 14, kDefaultButton},
          {110, K::PushButton, "&Abbruch", 175, 56, 50, 14},
      }};
  return kTemplate;
}

const DialogTemplate& EDIT_FEHLERTEXT() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "EDIT_FEHLERTEXT",
      "",
      349,
      113,
      {
          {kNoId, K::Label, "Fehler-Nr.", 8, 10, 50, 8},
          {121, K::Edit, "", 62, 8, 48, 12},
          {kNoId, K::Label, "Text", 8, 26, 50, 8},
          {122, K::Edit, "", 62, 24, 281, 12},
          {123, K::MultiLineEdit, "", 62, 40, 281, 26, kVerticalScroll},
          {124, K::CheckBox, "&Fehler nicht berücksichtigen", 62, 72, 200, 10},
          {111, K::PushButton, "&OK", 237, 93, 50, 14, kDefaultButton},
          {110, K::PushButton, "&Abbruch", 293, 93, 50, 14},
      }};
  return kTemplate;
}

}  // namespace gui::templates
