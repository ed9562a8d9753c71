#include "gui/dialog_templates.h"

#include <array>

namespace gui::templates {

const DialogTemplate* find(std::string_view name) {
  const std::array all = {&EIN_DATEN(),  &MAININFO(),    &INFOTEXT(), &DATEN_EINLESEN(),
                          &LAUFBALKEN(), &MSG_ABBRUCH(), &WAIT_MSG()};
  for (const DialogTemplate* t : all) {
    if (name == t->name) return t;
  }
  return nullptr;
}

}  // namespace gui::templates
