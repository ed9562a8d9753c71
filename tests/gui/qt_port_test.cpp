#include "gui/qt_port.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "base/cp1252.h"
#include "gui/template_dialog.h"

namespace {

// What a box looked like when the port showed it.
struct ShownBox {
  QMessageBox::Icon icon;
  QString title;
  QString text;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton;
};

class QtPortTest : public ::testing::Test {
 protected:
  gui::QtPort m_port{[this](QMessageBox& box) {
    m_shown.push_back(
        {box.icon(), box.windowTitle(), box.text(), box.standardButtons(),
         box.defaultButton() ? box.standardButton(box.defaultButton()) : QMessageBox::NoButton});
    return m_reply;
  }};
  std::vector<ShownBox> m_shown;
  QMessageBox::StandardButton m_reply = QMessageBox::Ok;
};

TEST_F(QtPortTest, MessageKindsGetTheirIconsTitlesAndTexts) {
  const std::pair<ui::MessageKind, QMessageBox::Icon> kinds[] = {
      {ui::MessageKind::Information, QMessageBox::Information},
      {ui::MessageKind::Alert, QMessageBox::Warning},
      {ui::MessageKind::Stop, QMessageBox::Critical},
  };
  for (auto [kind, icon] : kinds) {
    m_port.showMessage(kind, "Netzwerkfehler",
                       base::ansi("Ein Datensatz konnte nicht gelöscht werden\r\nZeile 2"));
    ASSERT_FALSE(m_shown.empty());
    EXPECT_EQ(m_shown.back().icon, icon);
    EXPECT_EQ(m_shown.back().title, "Netzwerkfehler");
    EXPECT_EQ(m_shown.back().text,
              QString::fromUtf8("Ein Datensatz konnte nicht gelöscht werden\nZeile 2"));
    EXPECT_EQ(m_shown.back().buttons, QMessageBox::Ok);
  }
}

TEST_F(QtPortTest, QuestionsOfferTheirButtonsWithTheRightDefaultAndMapTheAnswer) {
  m_reply = QMessageBox::No;
  EXPECT_FALSE(m_port.question("Datanorm-Daten einlesen", "Import abbrechen?"));
  EXPECT_EQ(m_shown.back().icon, QMessageBox::Question);
  EXPECT_EQ(m_shown.back().buttons, QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(m_shown.back().defaultButton, QMessageBox::Yes);

  m_reply = QMessageBox::Yes;
  EXPECT_TRUE(m_port.question("Löschen", "Wirklich?", true));
  EXPECT_EQ(m_shown.back().defaultButton, QMessageBox::No);

  m_reply = QMessageBox::Cancel;
  EXPECT_EQ(m_port.ask(ui::Buttons::YesNoCancel, ui::Answer::No, "Auswahl", "?"),
            ui::Answer::Cancel);
  EXPECT_EQ(m_shown.back().buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(m_shown.back().defaultButton, QMessageBox::No);

  m_reply = QMessageBox::Ok;
  EXPECT_EQ(m_port.ask(ui::Buttons::OkCancel, ui::Answer::Ok, base::ansi("Bestätigung"), ""),
            ui::Answer::Ok);
}

TEST_F(QtPortTest, WaitMessageIsOneNoteWhoseTextChanges) {
  m_port.showWaitMessage("Tabelle DNORMWGR wird angelegt");
  gui::TemplateDialog* first = m_port.waitMessage().dialog();
  ASSERT_NE(first, nullptr);
  m_port.showWaitMessage(base::ansi("Prüfe DNORMRAB"));
  EXPECT_EQ(m_port.waitMessage().dialog(), first);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(qobject_cast<QLabel*>(first->control(101))->text(),
            QString::fromUtf8("Prüfe DNORMRAB"));

  m_port.endWaitMessage();
  EXPECT_EQ(m_port.waitMessage().dialog(), nullptr);
  m_port.endWaitMessage();  // nothing shown: nothing to do
  m_port.showWaitMessage("neu");
  EXPECT_NE(m_port.waitMessage().dialog(), nullptr);
  m_port.endWaitMessage();
}

TEST_F(QtPortTest, PumpServesPendingEvents) {
  bool served = false;
  QTimer::singleShot(0, [&served] { served = true; });
  m_port.pumpEvents();
  EXPECT_TRUE(served);
}

}  // namespace
