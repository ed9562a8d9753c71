#include "gui/dialog_templates.h"

namespace gui::templates {

const DialogTemplate& MAININFO() {
  using K = ControlKind;
  // The heading's text comes from the version texts at run time; it has an id so that the
  // dialog can reach it.
  static const DialogTemplate kTemplate{
      "MAININFO",
      "QMT Datanorm",
      225,
      135,
      {
          {kNoId, K::Icon, "FIRMA_ICON", 9, 6, 27, 27},
          {102, K::Label, "", 57, 9, 136, 24, kCentered},
          {101, K::Label, "", 4, 39, 219, 21, kCentered},
          {108, K::Label, "", 3, 63, 219, 51, kCentered},
          {110, K::PushButton, "&OK", 171, 117, 50, 14, kDefaultButton},
      },
  };
  return kTemplate;
}

const DialogTemplate& INFOTEXT() {
  using K = ControlKind;
  static const DialogTemplate kTemplate{
      "INFOTEXT",
      "QMT Datanorm Buildinformationen",
      417,
      375,
      {
          {201, K::Label, "Hier werden die Änderungen der Datanorm gelistet nach Buildversion", 3,
           3, 360, 15},
          {501, K::MultiLineEdit, "", 3, 18, 411, 336, kReadOnly | kVerticalScroll},
          {101, K::PushButton, "Schließen", 360, 357, 54, 15, kDefaultButton},
      },
  };
  return kTemplate;
}

}  // namespace gui::templates
