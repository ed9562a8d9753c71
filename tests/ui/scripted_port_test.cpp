#include "ui/scripted_port.h"

#include <gtest/gtest.h>

namespace {

using ui::Answer;
using ui::Message;

TEST(ScriptedPort, FailsOnAQuestionItWasNotToldToExpect) {
  ui::ScriptedPort port;
  EXPECT_THROW(port.question("Netzwerksperre", "Warten ?"), ui::ScriptError);
  ASSERT_EQ(port.messages().size(), 1u);  // recorded all the same
  EXPECT_EQ(port.messages()[0],
            (Message{Message::Kind::YesNo, "Netzwerksperre", "Warten ?", Answer::Yes}));

  // A scripted answer whose text does not match, or that is no button of the box, fails too.
  port.answer(Answer::Yes, "Import abbrechen?");
  EXPECT_THROW(port.question("Netzwerksperre", "Warten ?"), ui::ScriptError);
  port.answer(Answer::Ok);
  EXPECT_THROW(port.question("Netzwerksperre", "Warten ?"), ui::ScriptError);
  EXPECT_THROW(port.chooseFile("Datei", "/", {}), ui::ScriptError);

  // With a failure handler of its own (ADD_FAILURE in a test) the box gets its default.
  std::vector<std::string> failures;
  port.setFailureHandler([&](const std::string& what) { failures.push_back(what); });
  EXPECT_FALSE(port.question("Löschen", "Alles löschen?", /*noIsDefault=*/true));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_NE(failures[0].find("Alles l"), std::string::npos);
}

TEST(ScriptedPort, AnswersFromItsQueueInOrderAndRecordsEveryMessage) {
  ui::ScriptedPort port;
  port.answer(Answer::No, "Warten");
  port.answerDefault();
  port.answer(Answer::Cancel);
  port.answerFile(std::filesystem::path("/daten/LIEFER.001"));
  port.answerFolder(std::nullopt);

  port.information("Titel", "Info");
  port.alert("Titel", "Achtung");
  port.stop("Titel", "Halt");
  EXPECT_FALSE(port.question("Netzwerksperre", "ARTIKEL.dbf\rWarten ?"));
  EXPECT_EQ(port.ask(ui::Buttons::YesNoCancel, Answer::No, "Auswahl", "Speichern?"), Answer::No);
  EXPECT_EQ(port.ask(ui::Buttons::OkCancel, Answer::Ok, "Frage", "Weiter?"), Answer::Cancel);
  EXPECT_EQ(port.chooseFile("Datei", "/daten", {{"Datanorm", "*.001"}}),
            std::filesystem::path("/daten/LIEFER.001"));
  EXPECT_EQ(port.chooseFolder("Ordner", "/"), std::nullopt);
  port.showWaitMessage("Bitte warten");
  EXPECT_EQ(port.waitMessage(), "Bitte warten");
  port.endWaitMessage();
  EXPECT_EQ(port.waitMessage(), std::nullopt);

  const std::vector<Message> expected = {
      {Message::Kind::Information, "Titel", "Info", std::nullopt},
      {Message::Kind::Alert, "Titel", "Achtung", std::nullopt},
      {Message::Kind::Stop, "Titel", "Halt", std::nullopt},
      {Message::Kind::YesNo, "Netzwerksperre", "ARTIKEL.dbf\rWarten ?", Answer::Yes},
      {Message::Kind::YesNoCancel, "Auswahl", "Speichern?", Answer::No},
      {Message::Kind::OkCancel, "Frage", "Weiter?", Answer::Ok},
      {Message::Kind::WaitMessage, "", "Bitte warten", std::nullopt},
  };
  EXPECT_EQ(port.messages(), expected);
  ASSERT_EQ(port.choices().size(), 2u);
  EXPECT_EQ(port.choices()[0].startFolder, "/daten");
  EXPECT_EQ(port.unusedAnswers(), 0u);
}

TEST(ScriptedPort, RecordsViewsThatAreQuietUnlessToldOtherwise) {
  ui::ScriptedPort port;
  int ticks = 0;
  {
    auto view = port.openProgress("DATEN_EINLESEN", "DATEN_EINLESEN");
    view->setText(204, "17");
    view->setVisible(303, false);
    view->setMeterTotal(211, 5);
    view->setMeterPosition(211, 3);
    view->startTicks([&] { ++ticks; });
    port.progressViews()[0]->tick();
    for (int i = 0; i < 100; ++i) EXPECT_FALSE(view->takeAbortRequest());
  }  // destroyed without close(): closed all the same
  const ui::ProgressRecord& record = *port.progressViews()[0];
  EXPECT_EQ(record.texts.at(204), "17");
  EXPECT_FALSE(record.visible.at(303));
  EXPECT_EQ(record.meterTotal.at(211), 5);
  EXPECT_EQ(record.meterPosition.at(211), 3);
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(record.closed);

  port.abortNextProgressAtPoll(2);
  auto aborted = port.openProgress("LAUFBALKEN", "Reorganisation");
  EXPECT_FALSE(aborted->takeAbortRequest());
  EXPECT_TRUE(aborted->takeAbortRequest());
  EXPECT_FALSE(aborted->takeAbortRequest());  // one press, reported once

  port.cancelNextLockAtPoll(3);
  auto lock = port.openLockDialog("Satz konnte nicht gesperrt werden", "");
  lock->setText("Versuche, den Datensatz zu sperren");
  EXPECT_FALSE(lock->cancelled());
  EXPECT_FALSE(lock->cancelled());
  EXPECT_TRUE(lock->cancelled());
  lock->close();
  EXPECT_EQ(port.lockDialogs()[0]->texts,
            (std::vector<std::string>{"", "Versuche, den Datensatz zu sperren"}));
  EXPECT_TRUE(port.lockDialogs()[0]->closed);
}

TEST(ScriptedPort, IsTheCurrentPortWithinItsScope) {
  EXPECT_THROW(ui::port(), std::logic_error);
  ui::ScriptedPort outer, inner;
  ui::PortScope outerScope(outer);
  {
    ui::PortScope innerScope(inner);
    EXPECT_EQ(&ui::port(), &inner);
  }
  EXPECT_EQ(&ui::port(), &outer);
  int pumped = 0;
  outer.setOnPump([&] { ++pumped; });
  ui::port().pumpEvents();
  EXPECT_EQ(pumped, 1);
  EXPECT_EQ(outer.pumpCount(), 1);
}

}  // namespace
