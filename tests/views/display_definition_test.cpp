#include "views/display_definition.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "views_fixture.h"

namespace {

using viewstest::DefinitionRow;
using viewstest::rightTrimmed;
using viewstest::writeDefinitionTable;

class DisplayDefinitionTest : public viewstest::FixtureTablesTest {
 protected:
  DisplayDefinitionTest() : FixtureTablesTest({"DNORMWGR", "DNORMRAB", "DNORMERR", "DNORMLTT"}) {}

  // Opens the table, gets its definition and the texts of its first `rows` rows in index
  // order, right-trimmed.
  bool load(const std::string& table, size_t rows = 2) {
    if (!tables::NETOPEN(table)) return false;
    tables::select(table);
    m_texts.clear();
    if (!views::GETINFOTABELLE(table, m_row, m_headers, m_aligns)) return false;
    xbase::Table& t = *tables::table(table);
    EXPECT_TRUE(t.goTop().isOk());
    for (size_t i = 0; i < rows && !t.eof(); ++i) {
      std::vector<std::string> texts;
      for (const std::string& text : m_row()) texts.push_back(rightTrimmed(text));
      m_texts.push_back(texts);
      EXPECT_TRUE(t.skip().isOk());
    }
    return true;
  }

  void writeDefinitionFile(const std::string& name, const std::string& text) {
    std::filesystem::create_directories(m_dir / "tabelle");
    testsupport::writeFile(m_dir / "tabelle" / name, text);
  }

  views::RowCallback m_row;
  std::vector<std::string> m_headers;
  std::vector<bool> m_aligns;
  std::vector<std::vector<std::string>> m_texts;
};

using Texts = std::vector<std::vector<std::string>>;

TEST_F(DisplayDefinitionTest, BuiltInDefinitionsWithoutTabelleFolder) {
  ASSERT_TRUE(load("DNORMRAB"));
  EXPECT_EQ(m_headers, (std::vector<std::string>{"Rabattgruppe", "Beschreibung", "Multiplikator"}));
  EXPECT_EQ(m_aligns, (std::vector<bool>{false, false, true}));
  // The deleted group 0815 is not shown; STR keeps the field's width and four decimals.
  EXPECT_EQ(m_texts,
            (Texts{{"R1", "Rabattgruppe 1", "0.8500"}, {"R10", "Rabattgruppe 10", "0.7000"}}));

  ASSERT_TRUE(load("dnormwgr"));  // the alias in any case
  EXPECT_EQ(m_headers[0], base::ansi("Einschließen"));
  EXPECT_EQ(m_texts, (Texts{{"nein", "", "(ohne Warengruppe)"}, {"ja", "001", "Heizung"}}));

  ASSERT_TRUE(load("DNORMERR"));
  EXPECT_EQ(m_aligns, (std::vector<bool>{false, false, false, true, false, true, false}));
  EXPECT_EQ(m_texts[0][0], "  .  .");  // the empty date, as DTOC writes it
  EXPECT_EQ(m_texts[1],
            (std::vector<std::string>{"31.12.2023", "23:59:59", "DATPREIS.001", "    1200",
                                      "AB1234", " 21", base::ansi("Warengruppe unbekannt: ÖL")}));
}

TEST_F(DisplayDefinitionTest, DefinitionTableOrdersColumnsByPosAndWinsOverTheFile) {
  writeDefinitionTable(m_dir.path(), "DNORMWGR",
                       {{2, "  Dnormwgr->Text  ", "  Bezeichnung ", false},
                        {0, "Dnormwgr->Mit_Dieser", "Entfernt", false, true},
                        {1, "Wagru", "Code", true}});
  // A stale index of the definition table is built anew, not trusted.
  testsupport::writeFile(m_dir / "tabelle" / "DNORMWGR.cdx", std::string(1024, 'x'));
  writeDefinitionFile("DNORMWGR.def", "[Line]\r\nZ1=Wagru\r\n[Header]\r\nZ1=Aus der Datei\r\n");

  ASSERT_TRUE(load("DNORMWGR"));
  EXPECT_EQ(m_headers, (std::vector<std::string>{"Code", "Bezeichnung"}));
  EXPECT_EQ(m_aligns, (std::vector<bool>{true, false}));
  EXPECT_EQ(m_texts[1], (std::vector<std::string>{"001", "Heizung"}));
  EXPECT_FALSE(tables::isOpen("TABDEF"));
  EXPECT_EQ(tables::currentAlias(), "DNORMWGR");
  EXPECT_TRUE(m_port.messages().empty());
}

TEST_F(DisplayDefinitionTest, EmptySourcesFallThroughToTheNext) {
  struct Case {
    bool emptyTable;
    const char* file;  // definition file text, nullptr for none
    std::vector<std::string> headers;
    std::vector<bool> aligns;
  };
  const Case cases[] = {
      {true,
       "[Line]\r\nZ1=Text\r\nZ2=Str(Multi)\r\n[Header]\r\nZ1=Gruppe\r\nZ2=Faktor\r\n"
       "[Align]\r\nZ1=N\r\nZ2=J\r\n",
       {"Gruppe", "Faktor"},
       {false, true}},
      {true, nullptr, {"Rabattgruppe", "Beschreibung", "Multiplikator"}, {false, false, true}},
      {false,
       "[Header]\r\nZ1=Nur ein Kopf\r\n",
       {"Rabattgruppe", "Beschreibung", "Multiplikator"},
       {false, false, true}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(m_dir / "tabelle");
    std::filesystem::create_directories(m_dir / "tabelle");
    if (c.emptyTable) writeDefinitionTable(m_dir.path(), "DNORMRAB", {});
    if (c.file) writeDefinitionFile("DNORMRAB.def", c.file);
    ASSERT_TRUE(load("DNORMRAB", 1));
    EXPECT_EQ(m_headers, c.headers) << (c.file ? c.file : "no file");
    EXPECT_EQ(m_aligns, c.aligns);
    tables::closeAll();
  }
}

TEST_F(DisplayDefinitionTest, ExpressionThatDoesNotCompileIsReportedAndBuiltInIsUsed) {
  writeDefinitionFile("DNORMWGR.def",
                      "[Line]\r\nZ1=Wagru\r\nZ2=Dnormwgr->Nichtda\r\n[Header]\r\nZ1=A\r\nZ2=B\r\n");
  ASSERT_TRUE(load("DNORMWGR"));
  EXPECT_EQ(m_headers.size(), 3u);
  EXPECT_EQ(m_texts[1][1], "001");
  ASSERT_EQ(m_port.messages().size(), 1u);
  const ui::Message& m = m_port.messages()[0];
  EXPECT_EQ(m.kind, ui::Message::Kind::Alert);
  EXPECT_NE(m.text.find("DNORMWGR"), std::string::npos) << m.text;
  EXPECT_NE(m.text.find("Dnormwgr->Nichtda"), std::string::npos) << m.text;
}

TEST_F(DisplayDefinitionTest, TableWithoutDefinitionShowsItsFields) {
  ASSERT_TRUE(tables::NETOPEN("DNORMLTT"));
  EXPECT_FALSE(views::GETINFOTABELLE("DNORMLTT", m_row, m_headers, m_aligns));

  views::displayColumns("DNORMLTT", m_row, m_headers, m_aligns);
  EXPECT_EQ(m_headers, (std::vector<std::string>{"LTNUMMER", "ZEILE", "TEXT", "GESPERRT"}));
  EXPECT_EQ(m_aligns, (std::vector<bool>{false, true, false, false}));
  ASSERT_TRUE(tables::current()->goTop().isOk());
  std::vector<std::string> texts = m_row();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[1], " 1");    // a number as STR shows it in its field width
  EXPECT_EQ(texts[3], "nein");  // a logical value as JANEIN shows it
}

}  // namespace
