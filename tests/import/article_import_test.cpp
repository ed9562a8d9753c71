#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "import/import_env.h"
#include "xbase/table.h"

namespace {

using importtest::header;
using importtest::Record;

class ArticleImportTest : public importtest::ImportTest {
 protected:
  // Imports the records after a header (currency EUR) into the article table.
  void import(const std::vector<std::string>& records, const std::string& currency = "EUR") {
    std::vector<std::string> lines{header(currency)};
    lines.insert(lines.end(), records.begin(), records.end());
    ASSERT_TRUE(runImport(0, lines));
  }
};

TEST_F(ArticleImportTest, NewArticleGetsEveryField) {
  setSetting("Lieferant", "L0815");
  setSetting("Mwst", "7.00");
  setSetting("Rabatt", "N");
  import({"A;N;4711;11;Rohr;verzinkt;1;0;Stck;12345;;;"});
  Record a = article("4711");
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(a.at("NUMMER"), "4711");
  EXPECT_EQ(a.at("DATANORM"), "N");
  EXPECT_EQ(a.at("ARTIKEL"), "Rohr");
  EXPECT_EQ(a.at("ZUSATZ"), "");  // the second text flag "1" leaves short text 2 out
  EXPECT_EQ(a.at("ZUSATZ1"), "");
  EXPECT_EQ(a.at("EINHEIT"), "Stck");
  EXPECT_EQ(a.at("LIEFERANT"), "L0815");
  EXPECT_EQ(a.at("MWST"), "7.00");
  EXPECT_EQ(a.at("MIT_MENGE"), "T");
  EXPECT_EQ(a.at("MIT_RABATT"), "F");
  EXPECT_EQ(a.at("WG_IATA"), "EUR");
  EXPECT_EQ(a.at("SCHLUESSEL"), "1");
  EXPECT_EQ(a.at("PREIS_STCK"), "123.45");
  EXPECT_EQ(a.at("NETTO"), "123.45");
  EXPECT_EQ(a.at("BRUTTO"), "132.09");
  EXPECT_EQ(a.at("KALK_FAKT"), "0.000");
  EXPECT_EQ(a.at("PREIS3"), "132.09");  // levels equal the base prices
  EXPECT_EQ(a.at("NETTO5"), "123.45");
  EXPECT_EQ(a.at("LANGTEXT"), "T");
  EXPECT_EQ(a.at("LETZTDAT"), "");  // a new article's prices have no change date
  EXPECT_TRUE(loggedErrors().empty());
}

TEST_F(ArticleImportTest, KeyKeepsBlanksAndCase) {
  import({"A;N; 4711;00;Eins;;1;0;St;100;;;", "A;N;4711 ;00;Zwei;;1;0;St;100;;;",
          "A;N;abc;00;Drei;;1;0;St;100;;;", "A;N;ABC;00;Vier;;1;0;St;100;;;",
          "A;N;1234567890123456789;00;Fuenf;;1;0;St;100;;;"});
  EXPECT_EQ(article(" 4711").at("ARTIKEL"), "Eins");
  EXPECT_EQ(article("4711").at("ARTIKEL"), "Zwei");
  EXPECT_EQ(article("abc").at("ARTIKEL"), "Drei");
  EXPECT_EQ(article("ABC").at("ARTIKEL"), "Vier");
  EXPECT_EQ(article("123456789012345").at("ARTIKEL"), "Fuenf");
}

TEST_F(ArticleImportTest, NewArticleRefusalsAndPriceFlag) {
  addArticle({{"NUMMER", "1"}, {"ARTIKEL", "Alt"}, {"NETTO", "5"}});
  import({"A;N;1;00;Neu;;1;0;St;100;;;", "A;N;2;00;;;1;0;St;100;;;",
          "A;N;3;00;Ohne Preis;;3;2;St;100;;;", "A;N;4;00;Ohne Preis 2;; ;0;St;100;;;",
          "A;N;5;00;Gruppe fehlt;;2;0;St;1000;RG9;;"});
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"110", "101", "102", "103"}));
  EXPECT_EQ(article("1").at("ARTIKEL"), "Alt");
  EXPECT_TRUE(article("2").empty());
  EXPECT_EQ(articleFields("3", {"NETTO", "PREIS_STCK", "SCHLUESSEL"}),
            (Record{{"NETTO", ""}, {"PREIS_STCK", ""}, {"SCHLUESSEL", "100"}}));
  EXPECT_EQ(article("4").at("NETTO"), "");
  EXPECT_EQ(articleFields("5", {"NETTO", "PREIS_STCK"}),
            (Record{{"NETTO", "10.00"}, {"PREIS_STCK", "10.00"}}));
}

TEST_F(ArticleImportTest, ExistingArticleIsChangedWithSetting18) {
  addArticle({{"NUMMER", "1"}, {"ARTIKEL", "Alt"}, {"WG_IATA", "EUR"}, {"MWST", "19"}});
  setSetting("Aktualisieren", "J");
  import({"A;N;1;00;Neu;;1;0;St;100;;;"});
  EXPECT_EQ(articleFields("1", {"DATANORM", "ARTIKEL", "NETTO"}),
            (Record{{"DATANORM", "A"}, {"ARTIKEL", "Neu"}, {"NETTO", "1.00"}}));
  EXPECT_TRUE(loggedErrors().empty());
}

TEST_F(ArticleImportTest, ChangeRecordWritesOnlyWhatItGives) {
  const importtest::Fields before = {{"NUMMER", "7"},      {"ARTIKEL", "Rohr"},  {"ZUSATZ", "alt"},
                                     {"EINHEIT", "M"},     {"RABATTGRUP", "R1"}, {"WAGRU", "W1"},
                                     {"SCHLUESSEL", "10"}, {"PREIS_STCK", "8"},  {"NETTO", "10"},
                                     {"WG_IATA", "EUR"},   {"MWST", "19"}};
  struct Case {
    const char* what;
    std::string record;
    std::vector<std::string> errors;
    std::map<std::string, std::string> expected;
  };
  const Case cases[] = {
      {"empty fields change only the marker",
       "A;A;7;;;;;;;;;;",
       {},
       {{"DATANORM", "A"},
        {"ARTIKEL", "Rohr"},
        {"EINHEIT", "M"},
        {"RABATTGRUP", "R1"},
        {"NETTO", "10.00"},
        {"SCHLUESSEL", "10"}}},
      {"blank fields count as given",
       "A;A;7; ;;; ;; ; ; ; ; ",
       {"135"},
       {{"ARTIKEL", "Rohr"},
        {"EINHEIT", ""},
        {"RABATTGRUP", ""},
        {"WAGRU", ""},
        {"NETTO", "10.00"}}},
      {"price flag 5", "A;A;7;;;;5;2;;500;;;", {"132"}, {{"NETTO", "10.00"}, {"SCHLUESSEL", "10"}}},
      {"price unit 7", "A;A;7;;;;1;7;;500;;;", {"133"}, {{"NETTO", "10.00"}, {"SCHLUESSEL", "10"}}},
      {"unit without price", "A;A;7;;;;1;2;;;;;", {}, {{"NETTO", "10.00"}, {"SCHLUESSEL", "100"}}},
      {"price",
       "A;A;7;;;;1;0;;500;;;",
       {},
       {{"NETTO", "5.00"},
        {"PREIS_STCK", "5.00"},
        {"LETZTEK", "8.00"},
        {"SCHLUESSEL", "1"},
        {"LETZTDAT", "20240315"},
        {"BRUTTO", "5.95"}}},
      {"descriptions",
       "A;A;7;00;Neuer Text;Zweiter;;;;;;;",
       {},
       {{"ARTIKEL", "Neuer Text"}, {"ZUSATZ", "Zweiter"}, {"NETTO", "10.00"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    emptyArticles();
    addArticle(before);
    size_t logged = loggedErrors().size();
    import({c.record});
    std::vector<std::string> errors = loggedErrors();
    EXPECT_EQ(std::vector<std::string>(errors.begin() + static_cast<long>(logged), errors.end()),
              c.errors);
    Record a = article("7");
    for (const auto& [field, value] : c.expected) EXPECT_EQ(a.at(field), value) << field;
  }
}

TEST_F(ArticleImportTest, NumberChange) {
  addArticle({{"NUMMER", "4711"}, {"ARTIKEL", "Rohr"}});
  addArticle({{"NUMMER", "5000"}, {"ARTIKEL", "Muffe"}});
  addLongText("4711", "Langtext bleibt beim alten Schluessel");
  import({"A;X;4711;;5000;;;;;;;;", "A;X;5000;;5000;;;;;;;;", "A;X;4711;; ;;;;;;;;",
          "A;X;9999;;1;;;;;;;;", "A;X;4711;; 4712 ;;;;;;;;"});
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"143", "143", "142", "140"}));
  std::vector<Record> log = ownRows("DNORMERR");
  EXPECT_EQ(log[0].at("FEHLER"), "Neue Artikelnummer bereits vorhanden(5000           )");
  EXPECT_EQ(log[0].at("ARTIKEL"), "4711");
  EXPECT_TRUE(article("4711").empty());
  EXPECT_EQ(articleFields("4712", {"ARTIKEL", "DATANORM"}),
            (Record{{"ARTIKEL", "Rohr"}, {"DATANORM", "X"}}));
  EXPECT_EQ(article("5000").at("DATANORM"), "Y");
  std::vector<Record> protocol = ownRows("DNORMPRO");
  ASSERT_EQ(protocol.size(), 1u);
  EXPECT_EQ(protocol[0].at("ARTIKEL"), "4712");
  EXPECT_EQ(protocol[0].at("VORGANG"), base::ansi("Änderung"));
  EXPECT_EQ(protocol[0].at("ALTNR"), "4711");
  EXPECT_EQ(protocol[0].at("SATZ"), "6");
  EXPECT_EQ(protocol[0].at("DATEI"), "DATANORM.001");
  EXPECT_EQ(protocol[0].at("DATUM"), "20240315");
  EXPECT_EQ(protocol[0].at("ZEIT").substr(0, 6), "10:00:");
  // The long text keeps the old number as its key.
  EXPECT_TRUE(longText("4711"));
  EXPECT_FALSE(longText("4712"));
}

TEST_F(ArticleImportTest, DeletionBySetting17) {
  for (const char* number : {"1", "2", "3"})
    addArticle({{"NUMMER", number}, {"ARTIKEL", "x"}, {"LANGTEXT", "T"}});
  addArticle({{"NUMMER", "4"}, {"ARTIKEL", "mit Bestand"}, {"BESTAND", "5"}});
  addLongText("1", "Langtext von 1");
  import({"A;L;1;;;;;;;;;;", "A;L;4;;;;;;;;;;", "A;L;8;;;;;;;;;;"});
  EXPECT_TRUE(article("1").empty());
  EXPECT_FALSE(longText("1"));  // hidden: marked deleted with its article
  EXPECT_EQ(article("4").at("DATANORM"), "L");
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"150", "151"}));
  std::vector<Record> protocol = ownRows("DNORMPRO");
  ASSERT_EQ(protocol.size(), 1u);
  EXPECT_EQ(protocol[0].at("VORGANG"), base::ansi("Löschung"));
  EXPECT_EQ(protocol[0].at("ARTIKEL"), "1");
  EXPECT_EQ(protocol[0].at("ALTNR"), "");

  setSetting("Loeschen", "3");
  import({"A;L;4;;;;;;;;;;"});
  EXPECT_TRUE(article("4").empty());
  std::vector<Record> all = rows(m_lgw / "ARTIKEL.dbf");
  EXPECT_EQ(all[0].at("*"), "*");
  EXPECT_EQ(all[3].at("*"), "*");
  EXPECT_EQ(all[3].at("DATANORM"), "L");
}

TEST_F(ArticleImportTest, GroupsNameAndFilterNewArticles) {
  addRow("DNORMWGR", {{"WAGRU", "001"}, {"TEXT", "Installationsmaterial"}, {"MIT_DIESER", "T"}});
  addRow("DNORMWGR", {{"WAGRU", "002"}, {"TEXT", "Werkzeug"}, {"MIT_DIESER", "F"}});
  addRow("DNORMRAB", {{"RABATTGRUP", "RG1"}, {"TEXT", "Rohre"}, {"MULTI", "0.8"}});
  import({"A;N;1;00;Eins;;1;0;St;1000;RG1;001;", "A;N;2;00;Zwei;;1;0;St;1000;;002;",
          "A;N;3;00;Drei;;1;0;St;1000;;9999;"});
  EXPECT_EQ(articleFields("1", {"WAGRU", "RABATTGRUP", "PREIS_STCK", "NETTO", "KALK_FAKT"}),
            (Record{{"WAGRU", "Installati"},
                    {"RABATTGRUP", "RG1"},
                    {"PREIS_STCK", "8.00"},
                    {"NETTO", "10.00"},
                    {"KALK_FAKT", "25.000"}}));
  EXPECT_EQ(article("2").at("WAGRU"), "Werkzeug");
  EXPECT_EQ(article("3").at("WAGRU"), "9999");

  setSetting("Warengruppe", "J");
  import({"A;N;12;00;Zwoelf;;1;0;St;1000;;002;", "B;N;2;MATCH;;;;;;;;;",
          "A;N;13;00;Dreizehn;;1;0;St;1000;;001;"});
  EXPECT_TRUE(article("12").empty());
  EXPECT_FALSE(article("13").empty());
  EXPECT_TRUE(loggedErrors().empty());
}

TEST_F(ArticleImportTest, ForeignCurrencyFile) {
  // DEM into the main currency EUR: factor 1 / 1.95583.
  import({"A;N;1;00;Eins;;1;0;St;195583;;;"}, "DEM");
  EXPECT_EQ(articleFields("1", {"WG_IATA", "NETTO"}),
            (Record{{"WG_IATA", "EUR"}, {"NETTO", "1000.00"}}));
  // A changed article keeps its currency: the price goes from DEM into EUR.
  import({"A;A;1;;;;1;0;;391166;;;"}, "DEM");
  EXPECT_EQ(article("1").at("NETTO"), "2000.00");

  setSetting("Wg", "1");
  import({"A;N;2;00;Zwei;;1;0;St;195583;;;"}, "DEM");
  EXPECT_EQ(articleFields("2", {"WG_IATA", "NETTO"}),
            (Record{{"WG_IATA", "DEM"}, {"NETTO", "1955.83"}}));
  EXPECT_TRUE(messages().size() == 3u);  // three closing messages, no currency message
}

TEST_F(ArticleImportTest, LongTextsFromTextBlocksAndDRecords) {
  import({"T;N;100;;1;;Zeile eins;2;;Zeile zwei", "A;N;1;10;Eins;;1;0;St;100;;;100",
          "D;A;1;;F;;Erste Zeile;;T;100;", "E;N;E1;;1;;L\x84nge $$$$ mm, Farbe $$$$$$;;;",
          "D;N;1;;E;E1;2500$rot$;;X;;", "A;N;2;00;Zwei;;1;0;St;100;;;",
          "D;N;2;;F;;   ;;F;;frei   "});
  EXPECT_EQ(longText("1"),
            "Zeile eins\r\nZeile zwei\r\nErste Zeile\r\nZeile eins\r\nZeile zwei\r\n" +
                base::ansi("Länge 2500 mm, Farbe rot"));
  EXPECT_EQ(article("1").at("LANGTEXT"), "T");
  // A D record creates the long text of an article without one.
  EXPECT_EQ(longText("2"), "frei");
  EXPECT_EQ(article("2").at("LANGTEXT"), "F");

  // A change with a blank long-text number removes the long text and the flag.
  import({"A;A;1;;;;;;;;;; "});
  EXPECT_FALSE(longText("1"));
  EXPECT_EQ(article("1").at("LANGTEXT"), "F");
  // Storing it again reuses the deleted row.
  size_t rowsBefore = rows(m_lgw / "LANGTEXT.dbf").size();
  import({"A;A;1;10;;;;;;;;;100"});
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"135"}));
  EXPECT_EQ(longText("1"), "Zeile eins\r\nZeile zwei");
  EXPECT_EQ(rows(m_lgw / "LANGTEXT.dbf").size(), rowsBefore);
}

TEST_F(ArticleImportTest, LongTextIsCutAt1200Characters) {
  std::string text(1300, 'x');
  for (size_t i = 0; i < text.size(); i += 61) text[i] = ' ';
  std::vector<std::string> records{"A;N;1;00;Eins;;1;0;St;100;;;"};
  for (size_t i = 0; i < 1300; i += 40)
    records.push_back("D;A;1;;F;;" + text.substr(i, 40) + ";;;;");
  import(records);
  std::string stored = longText("1").value_or("");
  EXPECT_EQ(stored.size(), 1200u);
}

TEST_F(ArticleImportTest, TextBlocksAreReplacedBlockedAndDeleted) {
  import({"T;N;100;;1;;Zeile eins;2;;Zeile zwei", "T;N;100;;1;;blockiert;;;",
          "T;N;100;;3;;Fortsetzung;;;", "T;N;123456789;;1;;zu lang;;;", "T;N;200;;1;;;2;;",
          "E;N;100;;1;;Einfuegetext;;;"});
  auto lines = [this](const std::string& table) {
    std::vector<std::string> out;
    for (const Record& r : ownRows(table)) {
      if (r.at("*").empty())
        out.push_back(r.at("LTNUMMER") + "/" + r.at("ZEILE") + "/" + r.at("TEXT") + "/" +
                      r.at("GESPERRT"));
    }
    return out;
  };
  EXPECT_EQ(lines("DNORMLTT"),
            (std::vector<std::string>{"100/1/Zeile eins/T", "100/2/Zeile zwei/F", "200/1//F"}));
  EXPECT_EQ(lines("DNORMLTE"), (std::vector<std::string>{"100/1/Einfuegetext/F"}));
  import({"T;A;100;;1;;neu;;;", "T;A;100;;2;;;3;;dritte", "T;L;200;;;;;;;"});
  EXPECT_EQ(lines("DNORMLTT"), (std::vector<std::string>{"100/1/neu/F", "100/3/dritte/F"}));
}

TEST_F(ArticleImportTest, BRecordTargetsBySetting10) {
  struct Case {
    std::string ean;
    std::string match;
    std::string record;
    std::map<std::string, std::string> expected;
  };
  const Case cases[] = {
      {"1",
       "J",
       "B;A;1;ROHR;;;;;;4001234567890;;W2;",
       {{"LIEF_A_NR", "ROHR"}, {"FREIFELD1", "frei"}, {"EAN", "111"}, {"WAGRU2", "W2"}}},
      {"2",
       "J",
       "B;A;1;ROHR;;;;;;4001234567890;;;",
       {{"LIEF_A_NR", "ROHR"}, {"FREIFELD1", "4001234567890"}, {"EAN", "111"}, {"WAGRU2", "alt"}}},
      {"3",
       "N",
       "B;A;1;ROHR;;;;;;4001234567890;;;",
       {{"LIEF_A_NR", "4001234567890"}, {"FREIFELD1", "frei"}, {"EAN", "111"}}},
      {"3",
       "J",
       "B;A;1;ROHR;;;;;;4001234567890;;;",
       {{"LIEF_A_NR", "4001234567890"}, {"FREIFELD1", "ROHR"}}},
      {"3", "N", "B;N;1;ROHR;;;;;;;;;", {{"LIEF_A_NR", ""}, {"FREIFELD1", "frei"}, {"WAGRU2", ""}}},
      {"4",
       "J",
       "B;A;1; ;;;;;;4001234567890;;;",
       {{"LIEF_A_NR", "lief"}, {"EAN", "4001234567890"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ean + " " + c.record);
    emptyArticles();
    addArticle({{"NUMMER", "1"},
                {"LIEF_A_NR", "lief"},
                {"FREIFELD1", "frei"},
                {"EAN", "111"},
                {"WAGRU2", "alt"}});
    setSetting("Ean", c.ean);
    setSetting("Match", c.match);
    import({c.record});
    Record a = article("1");
    for (const auto& [field, value] : c.expected) EXPECT_EQ(a.at(field), value) << field;
    EXPECT_EQ(a.at("DATANORM"), "");
  }
  import({"B;X;1;;;;;;;;;;", "B;A;2;;;;;;;;;;"});
  EXPECT_EQ(loggedErrors(), (std::vector<std::string>{"201", "202"}));
}

TEST_F(ArticleImportTest, ErrorsCarryTextDetailLineAndArticle) {
  const std::string hard45 = "Abflussrohrverbindungsstueckgarniturenbausatz";
  import(
      {"A;N;1;00;Rohr;;1;0;St;100;;;", "A;N;2;00;" + hard45 + ";;1;0;St;100;;;", "D;X;1;;;;;;;;"});
  std::vector<Record> log = ownRows("DNORMERR");
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].at("FEHLERNR"), "160");
  EXPECT_EQ(log[0].at("FEHLER"),
            "Bezeichnung ohne Trennstelle, hart abgeschnitten(" + hard45 + ")");
  EXPECT_EQ(log[0].at("SATZ"), "3");
  EXPECT_EQ(log[0].at("ARTIKEL"), "2");
  EXPECT_EQ(log[0].at("DATUM"), "20240315");
  EXPECT_EQ(log[1].at("FEHLERNR"), "301");
  EXPECT_EQ(articleFields("2", {"ARTIKEL", "ZUSATZ"}),
            (Record{{"ARTIKEL", hard45.substr(0, 40)}, {"ZUSATZ", hard45.substr(40)}}));
  EXPECT_EQ(progress().texts[206], "2");
  EXPECT_EQ(progress().texts[402], log[1].at("FEHLER"));
}

TEST_F(ArticleImportTest, UserIndexesFromQmtind) {
  {
    // An active entry for 'artikel ' with index 'lauser', and an inactive one.
    std::unique_ptr<xbase::Table> qmtind;
    ASSERT_TRUE(xbase::Table::open((m_lgw / "QMTIND.dbf").string(),
                                   {xbase::OpenMode::Exclusive, nullptr}, &qmtind)
                    .isOk());
    for (auto [alias, active, index] :
         {std::tuple{"artikel ", true, "lauser"}, std::tuple{"ARTIKEL", false, "LAINAKT"}}) {
      ASSERT_TRUE(qmtind->append().isOk());
      qmtind->putString(0, alias);
      qmtind->putLogical(1, active);
      qmtind->putString(2, index);
    }
    ASSERT_TRUE(qmtind->close().isOk());
    std::unique_ptr<xbase::Table> articles;
    ASSERT_TRUE(xbase::Table::open((m_lgw / "ARTIKEL.dbf").string(),
                                   {xbase::OpenMode::Exclusive, nullptr}, &articles)
                    .isOk());
    ASSERT_TRUE(
        articles->createIndex((m_lgw / "LAUSER.cdx").string(), "LAUSER", "EINHEIT+NUMMER").isOk());
    ASSERT_TRUE(articles->createIndex((m_lgw / "LAINAKT.cdx").string(), "LAINAKT", "EINHEIT+NUMMER")
                    .isOk());
    ASSERT_TRUE(articles->close().isOk());
  }
  auto keysIn = [this](const std::string& bag) {
    std::unique_ptr<xbase::Table> t;
    EXPECT_TRUE(xbase::Table::open((m_lgw / "ARTIKEL.dbf").string(),
                                   {xbase::OpenMode::ReadOnly, nullptr}, &t)
                    .isOk());
    EXPECT_TRUE(t->attachIndex((m_lgw / bag).string()).isOk());
    bool found = false;
    EXPECT_TRUE(t->seek("Stck1", &found).isOk());
    return found;
  };
  import({"A;N;1;00;Eins;;1;0;Stck;100;;;"});
  EXPECT_FALSE(keysIn("LAUSER.cdx"));  // setting 2 off: only the number index is kept

  emptyArticles();
  setSetting("Index", "J");
  import({"A;N;1;00;Eins;;1;0;Stck;100;;;"});
  EXPECT_TRUE(keysIn("LAUSER.cdx"));
  EXPECT_FALSE(keysIn("LAINAKT.cdx"));
}

}  // namespace
