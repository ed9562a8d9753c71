#pragma once

#include "gui/dialog_template.h"

namespace gui::templates {

// The table browser and its three record editors.

// The browser's dialog. Its list 131 is no template control: the browser places its record
// list at kBrowserList.
const DialogTemplate& DB_EDIT();
constexpr int kBrowserListId = 131;
struct TemplateRect {
  int x, y, w, h;  // dialog units
};
constexpr TemplateRect kBrowserList{3, 3, 284, 132};

// Editors of a main product group, a discount group and an error text.
const DialogTemplate& EDIT_WAGRU();
const DialogTemplate& EDIT_RABATT();
const DialogTemplate& EDIT_FEHLERTEXT();

}  // namespace gui::templates
