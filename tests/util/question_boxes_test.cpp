#include "util/question_boxes.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "ui/scripted_port.h"

namespace {

using ui::Answer;
using ui::Message;

TEST(QuestionBoxes, DefaultTitlesAndButtons) {
  ui::ScriptedPort port;
  ui::PortScope scope(port);
  port.answerDefault();
  port.answerDefault();
  port.answerDefault();
  port.answer(Answer::Cancel);
  EXPECT_TRUE(util::MSGOKCANCEL("Weiter?"));
  EXPECT_EQ(util::MSGYESNOCANCEL("Speichern?"), Answer::Yes);
  EXPECT_EQ(util::MSGNOYESCANCEL("Ersetzen?"), Answer::No);  // Enter chooses No: 7
  EXPECT_EQ(static_cast<int>(util::MSGNOYESCANCEL("Ersetzen?", "Kopieren")), 2);
  const std::vector<Message> expected = {
      {Message::Kind::OkCancel, base::ansi("Bestätigung"), "Weiter?", Answer::Ok},
      {Message::Kind::YesNoCancel, "Auswahl", "Speichern?", Answer::Yes},
      {Message::Kind::YesNoCancel, "Auswahl", "Ersetzen?", Answer::No},
      {Message::Kind::YesNoCancel, "Kopieren", "Ersetzen?", Answer::No},
  };
  EXPECT_EQ(port.messages(), expected);
}

}  // namespace
