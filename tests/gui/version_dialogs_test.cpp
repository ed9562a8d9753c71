#include "gui/version_dialogs.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>

#include "gui/template_dialog.h"
#include "gui_test_util.h"

namespace {

TEST(VersionDialogs, InformationBoxShowsVersionLineAndContactBlock) {
  QString versionLine;
  QString contact;
  guitest::whenModal([&](QWidget* w) {
    auto& dialog = *static_cast<gui::TemplateDialog*>(w);
    versionLine = qobject_cast<QLabel*>(dialog.control(101))->text();
    contact = qobject_cast<QLabel*>(dialog.control(108))->text();
    EXPECT_EQ(dialog.windowTitle(), "QMT Datanorm");
    qobject_cast<QAbstractButton*>(dialog.control(110))->click();
  });
  EXPECT_TRUE(gui::MAININFO(nullptr));
  EXPECT_EQ(versionLine, "2017 Build 101 vom 19.10.2017\nDatanorm 4.0");
  EXPECT_EQ(contact.count('\n'), 4);
  EXPECT_TRUE(contact.startsWith("Dies ist ein Produkt von: \n"));
}

TEST(VersionDialogs, ChangeLogIsReadOnlyUnderItsRunTimeCaption) {
  QString caption;
  QString text;
  bool readOnly = false;
  guitest::whenModal([&](QWidget* w) {
    auto& dialog = *static_cast<gui::TemplateDialog*>(w);
    caption = dialog.windowTitle();
    auto* box = qobject_cast<QPlainTextEdit*>(dialog.control(501));
    text = box->toPlainText();
    readOnly = box->isReadOnly();
    qobject_cast<QAbstractButton*>(dialog.control(101))->click();
  });
  EXPECT_TRUE(gui::VERSIONINFO(nullptr));
  EXPECT_EQ(caption, "QMT Datanorm Update-Informationen");
  EXPECT_TRUE(text.startsWith("===== QMT Datanorm 2017 Build 101 vom 18.04.2017 ===== \n * "));
  EXPECT_TRUE(readOnly);
}

}  // namespace
