#include "gui/import_commands.h"

#include <gtest/gtest.h>

#include <QAbstractButton>

#include "gui/template_dialog.h"
#include "gui_test_util.h"

namespace {

class ImportCommandsTest : public ::testing::Test, public guitest::ProgramDirFixture {
 protected:
  // Answers the settings dialog with the button of that id, after clicking "in EAN".
  void answerSettingsWith(int buttonId) {
    guitest::whenModal([this, buttonId](QWidget* w) {
      auto& dialog = *static_cast<gui::TemplateDialog*>(w);
      m_confirmCaption = qobject_cast<QAbstractButton*>(dialog.control(111))->text();
      qobject_cast<QAbstractButton*>(dialog.control(154))->click();
      qobject_cast<QAbstractButton*>(dialog.control(buttonId))->click();
    });
  }

  gui::CommandTable commands() {
    gui::CommandTable table;
    table.import = [this](int kind) {
      m_imports.push_back(kind);
      m_iniAtImport = ini();
    };
    return table;
  }

  QString m_confirmCaption;
  std::vector<int> m_imports;
  std::string m_iniAtImport;
};

TEST_F(ImportCommandsTest, CancelledSettingsStartNoImport) {
  for (auto command : {gui::DATENPFLEGE, gui::PREISPFLEGE}) {
    answerSettingsWith(110);
    EXPECT_TRUE(command(nullptr, commands()));
  }
  EXPECT_EQ(m_confirmCaption, "&Weiter");
  EXPECT_TRUE(m_imports.empty());
  EXPECT_FALSE(std::filesystem::exists(path("ARTIKIMP.INI")));
}

TEST_F(ImportCommandsTest, ConfirmedSettingsAreSavedBeforeTheImportStarts) {
  answerSettingsWith(111);
  gui::DATENPFLEGE(nullptr, commands());
  answerSettingsWith(111);
  gui::PREISPFLEGE(nullptr, commands());
  EXPECT_EQ(m_imports, (std::vector<int>{0, 2}));
  EXPECT_NE(m_iniAtImport.find("Ean=4"), std::string::npos);
}

}  // namespace
