#include "util/question_boxes.h"

namespace util {

bool MSGOKCANCEL(const std::string& text, const std::string& title) {
  return ui::port().ask(ui::Buttons::OkCancel, ui::Answer::Ok, title, text) == ui::Answer::Ok;
}

ui::Answer MSGYESNOCANCEL(const std::string& text, const std::string& title) {
  return ui::port().ask(ui::Buttons::YesNoCancel, ui::Answer::Yes, title, text);
}

ui::Answer MSGNOYESCANCEL(const std::string& text, const std::string& title) {
  return ui::port().ask(ui::Buttons::YesNoCancel, ui::Answer::No, title, text);
}

}  // namespace util
