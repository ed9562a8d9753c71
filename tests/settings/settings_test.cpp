#include <gtest/gtest.h>

#include "app/paths.h"
#include "base/ini_file.h"
#include "settings/cache.h"
#include "support/test_support.h"
#include "ui/scripted_port.h"

namespace {

using base::Decimal;
using settings::Value;

class Settings : public ::testing::Test {
 protected:
  void SetUp() override { app::setupPaths(m_dir.path(), ""); }
  std::filesystem::path ini() const { return app::INIGLOBAL(); }
  void writeIni(const std::string& entries) {
    testsupport::writeFile(ini(), "[Voreinstellungen]\r\n" + entries);
  }

  testsupport::TempDir m_dir;
  ui::ScriptedPort m_port;
  ui::PortScope m_scope{m_port};
};

std::vector<Value> defaults() {
  return {std::string(80, ' '),
          false,
          std::string(10, ' '),
          Decimal{19, 2},
          true,
          false,
          true,
          true,
          Decimal{2, 0},
          Decimal{2, 0},
          true,
          true,
          true,
          true,
          true,
          Decimal{1, 0},
          Decimal{2, 0},
          false,
          Decimal{1, 0},
          false,
          false};
}

TEST_F(Settings, CatalogueAndDefaultsWithoutAnIniFile) {
  std::vector<std::string> keys, texts, types;
  std::vector<int> widths;
  EXPECT_TRUE(settings::GETVOREININFO(keys, texts, types, widths));
  ASSERT_EQ(keys.size(), 21u);
  EXPECT_EQ(keys[18], "nur Preis 2/3/4/5");
  EXPECT_EQ(texts[3], "19.00");
  EXPECT_EQ(types[0] + types[1] + types[3], "CLN");
  EXPECT_EQ(widths[0], 80);
  EXPECT_EQ(widths[2], 10);

  EXPECT_EQ(settings::GETVOREIN(), defaults());
  EXPECT_FALSE(std::filesystem::exists(ini()));
}

TEST_F(Settings, StoredTextsAreConvertedByType) {
  writeIni(
      "Langtext=\r\nIndex=ja\r\nMenge=Ja\r\nRabatt=j\r\nMwst=7,5\r\nWg=abc\r\nEan=  3 \r\n"
      "Pfad=" +
      std::string(90, 'p') +
      "\r\nLieferant=12345678901234\r\n"
      "nur Preis 2/3/4/5=4\r\n");
  auto values = settings::GETVOREIN();
  EXPECT_EQ(values[4], Value(false));  // present but empty: off, although the default is "J"
  EXPECT_EQ(values[1], Value(false));  // "ja"
  EXPECT_EQ(values[6], Value(true));   // "Ja"
  EXPECT_EQ(values[7], Value(false));  // "j"
  EXPECT_EQ(values[3], Value(Decimal{7, 0}));
  EXPECT_EQ(values[8], Value(Decimal{0, 0}));
  EXPECT_EQ(values[9], Value(Decimal{3, 0}));
  EXPECT_EQ(values[0], Value(std::string(90, 'p')));  // longer than 80: whole
  EXPECT_EQ(values[2], Value(std::string("12345678901234")));
  EXPECT_EQ(values[18], Value(Decimal{4, 0}));

  writeIni("Pfad=/srv/qmt/daten/\r\n");
  EXPECT_EQ(settings::GETVOREIN()[0], Value("/srv/qmt/daten/" + std::string(65, ' ')));
}

TEST_F(Settings, WritingBackStoresTheTextFormsInNumberOrder) {
  testsupport::writeFile(ini(), "[Voreinstellungen]\r\nEigener Schluessel=bleibt\r\n");
  EXPECT_TRUE(settings::SETVOREIN(defaults()));
  EXPECT_EQ(testsupport::readFile(ini()),
            "[Voreinstellungen]\r\n"
            "Eigener Schluessel=bleibt\r\n"
            "Pfad=" +
                std::string(80, ' ') +
                "\r\n"
                "Index=N\r\n"
                "Lieferant=" +
                std::string(10, ' ') +
                "\r\n"
                "Mwst=19.00\r\n"
                "Langtext=J\r\n"
                "Warengruppe=N\r\n"
                "Menge=J\r\n"
                "Rabatt=J\r\n"
                "Wg=2\r\n"
                "Ean=2\r\n"
                "Match=J\r\n"
                "BruttoEK=J\r\n"
                "Brutto=J\r\n"
                "NettoEK=J\r\n"
                "Netto=J\r\n"
                "Preis2_5=1\r\n"
                "Loeschen=2\r\n"
                "Aktualisieren=N\r\n"
                "nur Preis 2/3/4/5=1\r\n"
                "Brutto2Brutto=N\r\n"
                "Netto2Brutto=N\r\n");
  EXPECT_EQ(settings::GETVOREIN(), defaults());

  // A number keeps the decimals it was read with; a value from the dialog carries its own.
  writeIni("Mwst=16\r\n");
  auto values = settings::GETVOREIN();
  settings::SETVOREIN(values);
  EXPECT_EQ(base::IniFile::load(ini())->value("Voreinstellungen", "Mwst"), "16");
  values[3] = Decimal{7.5, 2};
  settings::SETVOREIN(values);
  EXPECT_EQ(base::IniFile::load(ini())->value("Voreinstellungen", "Mwst"), "7.50");
}

TEST_F(Settings, CacheChangesOnlyOnReload) {
  writeIni("Mwst=7.00\r\n");
  EXPECT_EQ(settings::GETVORFELD(0, true), Value(true));
  EXPECT_EQ(settings::GETVORFELD(4), Value(Decimal{7, 2}));

  writeIni("Mwst=16.00\r\n");
  EXPECT_EQ(settings::GETVORFELD(), Value(false));  // no reload
  EXPECT_EQ(settings::GETVORFELD(4), Value(Decimal{7, 2}));
  EXPECT_EQ(settings::GETVORFELD(4, true), Value(Decimal{16, 2}));
  EXPECT_EQ(settings::GETVORFELD(21), Value(false));
  EXPECT_THROW(settings::GETVORFELD(22), std::out_of_range);
}

}  // namespace
