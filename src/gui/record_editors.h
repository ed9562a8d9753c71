#pragma once

#include <string>

class QWidget;

namespace gui {

// The record editor of a browsed table, for the table's current record or (isNew) a new one:
// the group editor for DNORMWGR, the discount-group editor for DNORMRAB, the error-text
// editor for DNORMERT (existing records only). `title` is the browser's title; a new record's
// editor is titled "<title>: Neu". True when the editor stored the record; false when it was
// cancelled, a check refused it, or the table has no editor.
bool editRecord(QWidget* parent, const std::string& table, const std::string& title, bool isNew);

}  // namespace gui
