#include <gtest/gtest.h>

#include "base/cp850.h"
#include "import/descriptions.h"
#include "import/header_record.h"
#include "import/insert_text.h"
#include "import/record_fields.h"

namespace {

using namespace dnorm;

TEST(RecordFieldsTest, FieldsBetweenSemicolons) {
  struct Case {
    std::string line;
    int n;
    std::string field;
  };
  const Case cases[] = {
      {"A;N;4711;;Rohr", 3, "4711"},
      {"A;N;4711;;Rohr", 4, ""},
      {"A;N;4711;;Rohr", 5, "Rohr"},
      {"A;N;4711;;Rohr", 6, ""},
      {"A;N;4711;;Rohr", 40, ""},
      {"A;N; 4711 ;x", 3, " 4711 "},  // blanks are part of the field
      {";A;N", 1, "A"},               // a leading semicolon is lost
      {"A;N;47\n11;x", 3, "47\n11"},  // a lone line feed is an ordinary character
      {std::string("A;N;47\0"
                   "11;x",
                   10),
       3, "47"},  // a zero byte ends the line
      {std::string("A;N;47\0"
                   "11;x",
                   10),
       4, ""},
      {"A;N;4711", 4, ""},
      {"", 1, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(XTEXT(c.n, c.line), c.field) << c.line << " / " << c.n;
  EXPECT_EQ(padCut(" 4711", 15), " 4711          ");
  EXPECT_EQ(padCut("1234567890123456789", 15), "123456789012345");
  EXPECT_EQ(numberOf(" 12,50"), 12);
  EXPECT_EQ(numberOf("0000012345"), 12345);
  EXPECT_EQ(numberOf("x"), 0);
}

TEST(RecordFieldsTest, ArticleLineFromTheDosCharacterSet) {
  // "Rohr für Öl" in code page 850.
  std::string line = base::ansiFromOem("A;N;4711;;Rohr f\x81r \x99l;;1;0;Stck;12345;;;");
  EXPECT_EQ(XTEXT(5, line), "Rohr f\xFCr \xD6l");
  EXPECT_EQ(numberOf(XTEXT(10, line)) / 100, 123.45);
  EXPECT_EQ(XTEXT(11, line), "");
  EXPECT_EQ(XTEXT(13, line), "");
}

TEST(HeaderRecordTest, DatePositionsAndShortLines) {
  struct Case {
    std::string ddmmyy;
    std::string date;  // dd.mm.yyyy, empty for no date
  };
  const Case cases[] = {
      {"031198", "03.11.1998"}, {"010105", "01.01.2005"}, {"311269", "31.12.2069"},
      {"010170", "01.01.1970"}, {"290201", ""},           {"290200", "29.02.2000"},
      {"AB1198", ""},           {"      ", ""},           {"0311", ""}};
  for (const Case& c : cases) {
    auto date = DNORMDATUM(c.ddmmyy);
    EXPECT_EQ(date ? base::formatDate(*date) : "", c.date) << c.ddmmyy;
  }

  std::string line =
      "V 031198" + std::string(40, 'a') + std::string(40, 'b') + std::string(35, 'c') + "04DEM";
  HeaderInfo header = parseHeader(line);
  EXPECT_EQ(header.version, "04");
  EXPECT_EQ(header.currency, "DEM");
  EXPECT_EQ(header.supplier,
            std::string(40, 'a') + "\r\n" + std::string(40, 'b') + "\r\n" + std::string(35, 'c'));
  ASSERT_TRUE(header.date);
  EXPECT_EQ(base::formatDate(*header.date), "03.11.1998");

  HeaderInfo shortHeader = parseHeader("V 290201Lieferant");
  EXPECT_FALSE(shortHeader.date);
  EXPECT_EQ(shortHeader.supplier, "Lieferant\r\n\r\n");
  EXPECT_EQ(shortHeader.version, "");
  EXPECT_EQ(shortHeader.currency, "");
  // A currency cut short by the end of the line keeps what is there.
  EXPECT_EQ(parseHeader(line.substr(0, 126)).currency, "D");
}

TEST(DescriptionsTest, LongTextsBreakAtBlanksHyphensAndCommas) {
  struct Case {
    const char* what;
    std::string s1, s2;
    Descriptions expected;
  };
  const std::string hard45 =
      "Abflussrohrverbindungsstueckgarniturenbausatz";  // 45 characters, no break
  const Case cases[] = {
      {"both fit", "Rohr", "verzinkt", {"Rohr", "verzinkt", ""}},
      {"comma as break",
       "Kupferrohr hart 15 x 1 mm in Stangen zu 5 m, blank",
       "",
       {"Kupferrohr hart 15 x 1 mm in Stangen zu", "5 m, blank ", ""}},
      {"divided word joined again",
       "Kunststoff-Abflussrohr DN 50 Installations-",
       "rohr verzinkt",
       {"Kunststoff-Abflussrohr DN 50", "Installationsrohr verzinkt", ""}},
      {"decimal comma never breaks",
       "Flexibler Schlauch Anschluss 3/4 Zoll x 1,5",
       "",
       {"Flexibler Schlauch Anschluss 3/4 Zoll x", "1,5 ", ""}},
      {"comma between letters breaks",
       "Flexibler Schlauch Anschluss Rohr,verzinkt",
       "",
       {"Flexibler Schlauch Anschluss Rohr", "verzinkt ", ""}},
      {"no break: hard cut", hard45, "", {hard45.substr(0, 40), hard45.substr(40) + " ", ""}},
      {"second text split",
       "Rohr",
       "Verbindungsstueck fuer Kupferrohre mit Klemmring 15 mm",
       {"Rohr", "Verbindungsstueck fuer Kupferrohre mit", "Klemmring 15 mm"}},
      {"joined text of exactly 40 stays whole",
       std::string(35, 'x') + " 12345",
       std::string(34, 'y'),
       {std::string(35, 'x'), "12345 " + std::string(34, 'y'), ""}},
      {"joined text of 41 is split",
       std::string(35, 'x') + " 12345",
       std::string(35, 'y'),
       {std::string(35, 'x'), "12345", std::string(35, 'y')}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Descriptions d = ARTBEZEICHNUNG(c.s1, c.s2);
    EXPECT_EQ(d.artikel, c.expected.artikel);
    EXPECT_EQ(d.zusatz, c.expected.zusatz);
    EXPECT_EQ(d.zusatz1, c.expected.zusatz1);
  }
}

TEST(DescriptionsTest, SplittingRules) {
  using Parts = std::pair<std::string, std::string>;
  // A break is usable only when the first part keeps below the limit...
  EXPECT_EQ(TEXTAUFTEILEN("aaa bbbb", 4), (Parts{"aaa", "bbbb"}));
  // ... otherwise, with no other break, the text is cut hard and untrimmed.
  EXPECT_EQ(TEXTAUFTEILEN("aaaa bbbb", 4), (Parts{"aaaa", " bbb"}));
  // A break that leaves more than the limit behind cuts hard, both parts trimmed.
  EXPECT_EQ(TEXTAUFTEILEN("ab cdefghij", 4), (Parts{"ab c", "defg"}));
  // Characters after twice the limit are lost in a hard cut without break.
  EXPECT_EQ(TEXTAUFTEILEN("abcdefghij", 4), (Parts{"abcd", "efgh"}));
  EXPECT_EQ(TEXTCONNECT("Installations- ", " rohr"), "Installationsrohr");
  EXPECT_EQ(TEXTCONNECT("5 m", ""), "5 m ");
}

TEST(InsertTextTest, FillInsTakeTheirValues) {
  struct Case {
    std::string text, values, filled;
  };
  const Case cases[] = {
      {"L\xE4nge $$$$ mm, Farbe $$$$$$", "2500$rot$", "L\xE4nge 2500 mm, Farbe rot   "},
      {"$$ und $$", "10$20$", "10 und 20"},
      {"$$ und $$", "$10$20", "10 und 20"},
      {"$$ und $$", "10$20", "10 und $$"},    // one "$" in the values: one value
      {"$$ und $$", "10$$20$", "10 und   "},  // adjacent "$": an empty value
      {"$$ und $$", "123456$", "12 und $$"},  // cut to the fill-in
      {"$ mm", "", "$ mm"},
      {"", "1$", ""},
      {"ohne", "1$2$", "ohne"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EINFUEGEN(c.text, c.values), c.filled) << c.text << " / " << c.values;
  EXPECT_EQ(COUNTFOLLOW("$$$x$", '$'), 3u);
  EXPECT_EQ(COUNTCHAR("$$$x$", '$'), 4u);
}

}  // namespace
