#pragma once

#include <vector>

namespace gui {

// A dialog written down as data: its controls with their numeric ids, kinds, texts and
// positions in dialog units. TemplateDialog turns a template into widgets.

enum class ControlKind {
  Label,          // static text; wraps at its width
  Edit,           // one-line entry field
  MultiLineEdit,  // text box of several lines
  PushButton,
  CheckBox,
  RadioButton,
  GroupBox,  // frame with a title
  Frame,     // frame without a title
  HorizontalLine,
  Icon,          // text names the bitmap, drawn centred in the control's rectangle
  DropDownList,  // entries in text, separated by '\n'; height includes the opened list
  ProgressMeter,
};

// Style bits of a control.
enum ControlFlag : unsigned {
  kNoFlags = 0,
  kGroupStart = 1u << 0,      // a radio button with it starts a new group of radio buttons
  kDefaultButton = 1u << 1,   // the push button that Enter presses
  kCentered = 1u << 2,        // text centred
  kRightAligned = 1u << 3,    // text right-aligned
  kReadOnly = 1u << 4,        // entry field or text box the user cannot change
  kVerticalScroll = 1u << 5,  // text box with a vertical scroll bar
  kSunken = 1u << 6,          // static text in a sunken frame (shown values)
  kAbortButton = 1u << 7,     // push button that does what Escape and the close box do
};

// Static controls that no code addresses carry this id.
constexpr int kNoId = -1;

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;  // UTF-8
  int x, y, w, h;    // dialog units
  unsigned flags = kNoFlags;
};

struct DialogTemplate {
  const char* name;                       // resource name, "EIN_DATEN"
  const char* caption;                    // UTF-8; several dialogs replace it at run time
  int w, h;                               // size of the client area in dialog units
  std::vector<ControlTemplate> controls;  // in tab order
  bool captionBar = true;                 // false: a bordered note without caption bar
  const char* fontFamily = "MS Sans Serif";
  int fontPoints = 8;
};

}  // namespace gui
