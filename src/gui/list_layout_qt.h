#pragma once

#include <QFont>
#include <string>

#include "views/list_layout.h"

class QTableView;
class QWidget;

namespace gui {

// The window, font and column layout of the table browser in the workstation's local INI
// file, on widgets (the stored values and their rules are in views/).

// Stores the window's frame rectangle under the window key: in the client coordinates of its
// parent, or with `screen` in screen coordinates; a minimised or maximised window keeps its
// stored rectangle and only sets "WinIcon" or "WinZoom". Returns true.
bool SAVEWINDOW(const QWidget& window, const std::string& key, bool screen = false);

// Gives the list its stored font and, when widths are stored under the column key, those
// widths fitted to its columns; otherwise the list fits its columns to their contents.
// Returns true.
bool SCHRIFTAUSINIT(QTableView& list, const std::string& key, const std::string& columnKey);

// Stores the list's column widths under the column key. Returns true.
bool COLBREITE(const QTableView& list, const std::string& key, const std::string& columnKey);

// The font a stored font stands for on a screen with these logical pixels per inch: a
// positive pixel request is the cell height (the largest size whose line fits it), a negative
// one the character height; a width other than 0 stretches the face to that average
// character width.
QFont listFont(const views::ListFont& font, int dpiX, int dpiY);

}  // namespace gui
