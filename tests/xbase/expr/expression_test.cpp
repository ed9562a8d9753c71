#include "xbase/expr/expression.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "xbase/common/julian.h"
#include "xbase/expr/record_builder.h"

namespace xbase {
namespace {

using exprtest::makeFields;
using exprtest::RecordBuilder;

const FieldList& testFields() {
  static const FieldList fields = makeFields({
      {"LTNUMMER", 'C', 8, 0},
      {"ZEILE", 'N', 2, 0},
      {"ARTIKEL", 'C', 20, 0},
      {"LIEFERANT", 'C', 6, 0},
      {"NUMMER", 'C', 8, 0},
      {"NETTO", 'N', 10, 2},
      {"MULTI", 'N', 6, 4},
      {"MENGE", 'F', 5, 0},
      {"LETZTDAT", 'D', 8, 0},
      {"LEERDAT", 'D', 8, 0},
      {"AKTIV", 'L', 1, 0},
      {"GESPERRT", 'L', 1, 0},
      {"FACILITY", 'C', 10, 0},
      {"ANZAHL", 'I', 4, 0},
      {"GEWICHT", 'B', 8, 1},
      {"BETRAG", 'Y', 8, 4},
      {"NOTIZ", 'M', 10, 0},
      {"STEMPEL", 'T', 8, 0},
  });
  return fields;
}

std::string testRecord() {
  return RecordBuilder(testFields())
      .set("LTNUMMER", "00000001")
      .set("ZEILE", " 1")
      .set("ARTIKEL", "Flanschdichtung f\xFCr")
      .set("LIEFERANT", "L0010")
      .set("NUMMER", "AB1234")
      .set("NETTO", "    642.29")
      .set("MULTI", "0.8500")
      .set("MENGE", "  -12")
      .set("LETZTDAT", "20240315")
      .set("AKTIV", "T")
      .set("GESPERRT", "F")
      .set("FACILITY", "Audio")
      .setBinary("ANZAHL", int32_t{-5})
      .setBinary("GEWICHT", 2.5)
      .setBinary("BETRAG", int64_t{123456})
      .bytes();
}

constexpr uint32_t kRecno = 7;

std::unique_ptr<Expression> compiled(std::string_view text) {
  std::unique_ptr<Expression> e;
  Status st = Expression::compile(text, testFields(), "ARTIKEL", &e);
  EXPECT_TRUE(st.isOk()) << st.toString();
  return e;
}

// A value as one comparable text: C as is, N with 10 significant digits, D as DTOS,
// L as .T./.F.
std::string show(const Value& v) {
  char buf[64];
  switch (v.type) {
    case Value::Type::Character:
      return v.str;
    case Value::Type::Numeric:
      std::snprintf(buf, sizeof buf, "%.10g", v.num);
      return buf;
    case Value::Type::Date:
      return dtosFromJulian(v.date);
    case Value::Type::Logical:
      return v.log ? ".T." : ".F.";
  }
  return "?";
}

struct EvalCase {
  const char* text;
  char type;
  std::string expected;
};

void expectCases(std::initializer_list<EvalCase> cases) {
  std::string record = testRecord();
  for (const EvalCase& c : cases) {
    SCOPED_TRACE(c.text);
    auto e = compiled(c.text);
    if (!e) continue;
    EXPECT_EQ(static_cast<char>(e->type()), c.type);
    EXPECT_EQ(show(e->evaluate({record, kRecno})), c.expected);
  }
}

TEST(ExpressionTest, FixtureKeyShapes) {
  expectCases({
      {"LTNUMMER+STR(ZEILE)", 'C', "00000001 1"},
      {"(Ltnummer+Str(Zeile))", 'C', "00000001 1"},
      {"UPPER(ARTIKEL)", 'C', "FLANSCHDICHTUNG F\xFCR "},
      {"LIEFERANT+NUMMER", 'C', "L0010 AB1234  "},
      {"DTOS(LETZTDAT)+NUMMER", 'C', "20240315AB1234  "},
      {"DTOS(LEERDAT)+NUMMER", 'C', "        AB1234  "},
      {"TRIM(UPPER(facility))==\"AUDIO\"", 'L', ".T."},
      {"TRIM(UPPER(facility))==\"AUDI\"", 'L', ".F."},
      {"AKTIV", 'L', ".T."},
  });
}

TEST(ExpressionTest, FieldReferencesIgnoreCaseAndAcceptAliases) {
  expectCases({
      {"ltnummer", 'C', "00000001"},
      {"artikel->LTNUMMER", 'C', "00000001"},
      {"Artikel->LtNummer", 'C', "00000001"},
      {"FIELD->ltnummer", 'C', "00000001"},
      {"_Field->LtNummer", 'C', "00000001"},
      {"JaNein(artikel->Aktiv)", 'C', "ja"},
  });
}

TEST(ExpressionTest, StringComparisonFollowsXbaseWithExactOff) {
  expectCases({
      {"'abc' = 'ab'", 'L', ".T."},       {"'ab' = 'abc'", 'L', ".F."},
      {"'abc' = ''", 'L', ".T."},         {"'' = 'abc'", 'L', ".F."},
      {"'abc' == 'ab'", 'L', ".F."},      {"'ab ' == 'ab'", 'L', ".F."},
      {"'ab' == 'ab'", 'L', ".T."},       {"'abc' != 'ab'", 'L', ".F."},
      {"'abc' <> 'abd'", 'L', ".T."},     {"'abc' # 'abd'", 'L', ".T."},
      {"'ab' < 'abc'", 'L', ".T."},       {"'abc' > 'ab'", 'L', ".F."},
      {"'abc' >= 'ab'", 'L', ".T."},      {"'abd' > 'abc'", 'L', ".T."},
      {"'\xE4' > 'z'", 'L', ".T."},       {"NUMMER = 'AB'", 'L', ".T."},
      {"NUMMER == 'AB1234'", 'L', ".F."}, {"'bc' $ 'abcd'", 'L', ".T."},
      {"'' $ 'abc'", 'L', ".F."},         {"'x' $ 'abc'", 'L', ".F."},
      {"[it's] = \"it's\"", 'L', ".T."},
  });
}

TEST(ExpressionTest, StringOperators) {
  expectCases({
      {"'ab  ' - 'cd'", 'C', "abcd  "},
      {"LIEFERANT - NUMMER", 'C', "L0010AB1234   "},
      {"'ab' + [cd] + \"ef\"", 'C', "abcdef"},
  });
}

TEST(ExpressionTest, TextFunctions) {
  expectCases({
      {"LOWER('\xC4XyZ')", 'C', "\xC4xyz"},   {"uppe(lieferant)", 'C', "L0010 "},
      {"TRIM('  ab  ')", 'C', "  ab"},        {"RTRIM('ab  ')", 'C', "ab"},
      {"LTRIM('  ab  ')", 'C', "ab  "},       {"ALLTRIM('  ab  ')", 'C', "ab"},
      {"SUBSTR('abcdef', 2, 3)", 'C', "bcd"}, {"SUBSTR('abcdef', -2)", 'C', "ef"},
      {"SUBSTR('abc', 5)", 'C', ""},          {"SUBSTR('abc', 0, 2)", 'C', "ab"},
      {"SUBSTR('abc', 2, -1)", 'C', ""},      {"SUBS(NUMMER, 3)", 'C', "1234  "},
      {"LEFT('abc', 5)", 'C', "abc"},         {"LEFT('abc', ZEILE)", 'C', "a"},
      {"RIGHT('abc', 2)", 'C', "bc"},         {"RIGHT('abc', -1)", 'C', ""},
      {"PADR('ab', 4)", 'C', "ab  "},         {"PADL('ab', 4, '*')", 'C', "**ab"},
      {"PADL('abcdef', 3)", 'C', "abc"},      {"PADR('ab', 4, '')", 'C', "ab  "},
      {"PADL('ab', -ZEILE)", 'C', ""},
  });
}

TEST(ExpressionTest, StrFormatsLikeXbase) {
  expectCases({
      {"STR(NETTO)", 'C', "    642.29"},  // an N field keeps its width and decimals
      {"STR(MULTI)", 'C', "0.8500"},        {"STR(MENGE)", 'C', "  -12"},
      {"STR(ZEILE+1)", 'C', "         2"},  // anything else: 10 places, no decimals
      {"STR(ANZAHL)", 'C', "        -5"},   {"STR(RECNO())", 'C', "         7"},
      {"STR(NETTO, 8)", 'C', "     642"},   {"STR(3.14159, 6, 2)", 'C', "  3.14"},
      {"STR(2.675, 5, 2)", 'C', " 2.68"},  // half away from zero on the decimal form
      {"STR(1.005, 4, 2)", 'C', "1.01"},    {"STR(-2.5, 3)", 'C', " -3"},
      {"STR(0.5, 3)", 'C', "  1"},          {"STR(-0.4, 3)", 'C', "  0"},
      {"STR(99.995, 6, 2)", 'C', "100.00"}, {"STR(12345, 3)", 'C', "***"},
      {"STR(1.5, 3, 2)", 'C', "***"},       {"STR(BETRAG, 10, 4)", 'C', "   12.3456"},
      {"STR(GEWICHT, 5, 1)", 'C', "  2.5"}, {"STR(1/3, 12, 10)", 'C', "0.3333333333"},
  });
}

TEST(ExpressionTest, NumbersAndVal) {
  expectCases({
      {"NETTO * 2", 'N', "1284.58"},
      {"2+3*4", 'N', "14"},
      {"(2+3)*4", 'N', "20"},
      {"-2*-3", 'N', "6"},
      {"-ZEILE", 'N', "-1"},
      {"+ZEILE", 'N', "1"},
      {"7 % 3", 'N', "1"},
      {"1/0", 'N', "0"},
      {"5 % 0", 'N', "0"},
      {"10 - 2 - 3", 'N', "5"},
      {"MENGE", 'N', "-12"},
      {"ANZAHL", 'N', "-5"},
      {"GEWICHT", 'N', "2.5"},
      {"BETRAG", 'N', "12.3456"},
      {"RECNO()", 'N', "7"},
      {"VAL('12.50abc')", 'N', "12.5"},
      {"VAL('  -3')", 'N', "-3"},
      {"VAL('abc')", 'N', "0"},
      {"VAL('.5')", 'N', "0.5"},
      {"VAL('1e5')", 'N', "1"},
      {"VAL('+7')", 'N', "7"},
      {"ZEILE = 1", 'L', ".T."},
      {"NETTO > 642.28", 'L', ".T."},
      {"NETTO <= 642.28", 'L', ".F."},
  });
}

TEST(ExpressionTest, DatesAndLogicals) {
  expectCases({
      {"LETZTDAT + 1", 'D', "20240316"},
      {"1 + LETZTDAT", 'D', "20240316"},
      {"LETZTDAT - 15", 'D', "20240229"},
      {"LETZTDAT - (LETZTDAT - 366)", 'N', "366"},
      {"DTOS(LEERDAT + 1)", 'C', "        "},
      {"DTOC(LETZTDAT)", 'C', "15.03.2024"},
      {"DTOC(LEERDAT)", 'C', "  .  .    "},
      {"LETZTDAT > LEERDAT", 'L', ".T."},
      {"AKTIV .AND. !GESPERRT", 'L', ".T."},
      {".NOT. AKTIV .OR. GESPERRT", 'L', ".F."},
      {"!ZEILE = 2", 'L', ".T."},
      {"AKTIV .and. ZEILE = 1 .or. .f.", 'L', ".T."},
      {".y. .AND. !.n.", 'L', ".T."},
      {"AKTIV = .T.", 'L', ".T."},
      {"GESPERRT < AKTIV", 'L', ".T."},
      {"JANEIN(GESPERRT)", 'C', "nein"},
      {"IIF(AKTIV, 'ja', 'nein')", 'C', "ja"},
      {"IIF(GESPERRT, 1, 2)", 'N', "2"},
      {"IIF(GESPERRT, LETZTDAT, LEERDAT)", 'D', "        "},
      {"EMPTY('  \t')", 'L', ".T."},
      {"EMPTY(LIEFERANT)", 'L', ".F."},
      {"EMPTY(0)", 'L', ".T."},
      {"EMPTY(LEERDAT)", 'L', ".T."},
      {"EMPTY(GESPERRT)", 'L', ".T."},
      {"DELETED()", 'L', ".F."},
  });
}

TEST(ExpressionTest, DeletedReadsTheDeletionFlag) {
  auto e = compiled("DELETED()");
  std::string record = RecordBuilder(testFields()).deleted(true).bytes();
  EXPECT_TRUE(e->evaluateLogical({record, 1}));
}

TEST(ExpressionTest, StaticWidths) {
  struct Case {
    const char* text;
    int width;
  };
  const Case cases[] = {
      {"LTNUMMER+STR(ZEILE)", 10},
      {"UPPER(ARTIKEL)", 20},
      {"LIEFERANT+NUMMER", 14},
      {"LIEFERANT-NUMMER", 14},
      {"DTOS(LETZTDAT)", 8},
      {"DTOC(LETZTDAT)", 10},
      {"SUBSTR(NUMMER, 3)", 6},
      {"SUBSTR(NUMMER, 3, 2)", 2},
      {"SUBSTR(NUMMER, 7, 5)", 2},
      {"SUBSTR(NUMMER, ZEILE)", 8},
      {"SUBSTR(NUMMER, 3, ZEILE)", 6},
      {"SUBSTR(NUMMER, -3)", 3},
      {"LEFT(NUMMER, 3)", 3},
      {"LEFT(NUMMER, 30)", 8},
      {"RIGHT(NUMMER, ZEILE)", 8},
      {"PADR(NUMMER, 12)", 12},
      {"PADL(NUMMER, ZEILE)", 8},
      {"PADR(NUMMER, -1)", 0},
      {"STR(NETTO)", 10},
      {"STR(NETTO, 8, 1)", 8},
      {"STR(ANZAHL)", 10},
      {"STR(ZEILE * 2)", 10},
      {"IIF(AKTIV, NUMMER, LIEFERANT)", 8},
      {"JANEIN(AKTIV)", 4},
      {"TRIM(ARTIKEL)", 20},
      {"'abc'", 3},
      {"NETTO", 0},
  };
  for (const Case& c : cases) {
    auto e = compiled(c.text);
    if (e) {
      EXPECT_EQ(e->width(), c.width) << c.text;
    }
  }
}

TEST(ExpressionTest, PlainField) {
  const FieldList& f = testFields();
  EXPECT_EQ(compiled("(Lieferant)")->plainField(), findField(f, "LIEFERANT"));
  EXPECT_EQ(compiled("artikel->NETTO")->plainField(), findField(f, "NETTO"));
  EXPECT_EQ(compiled("UPPER(NUMMER)")->plainField(), -1);
  EXPECT_EQ(compiled("NUMMER+''")->plainField(), -1);
}

TEST(ExpressionTest, EvaluateKeyPadsOrCutsAndReusesTheBuffer) {
  std::string record = testRecord();
  std::string out = "old contents that are longer than any key";
  compiled("TRIM(NUMMER)")->evaluateKey({record, 1}, 10, out);
  EXPECT_EQ(out, "AB1234    ");
  compiled("LIEFERANT+NUMMER")->evaluateKey({record, 1}, 10, out);
  EXPECT_EQ(out, "L0010 AB12");
}

TEST(ExpressionTest, NumericValuesCarryTheirDisplayFormat) {
  std::string record = testRecord();
  Value netto = compiled("NETTO")->evaluate({record, 1});
  EXPECT_EQ(netto.width, 10);
  EXPECT_EQ(netto.decimals, 2);
  EXPECT_EQ(compiled("VAL('12.50')")->evaluate({record, 1}).decimals, 2);
  EXPECT_EQ(compiled("VAL(NUMMER)")->evaluate({record, 1}).decimals, 0);
}

TEST(ExpressionTest, ShortRecordReadsMissingFieldsAsBlank) {
  auto e = compiled("LTNUMMER+NUMMER");
  std::string shortRecord = " 0001";
  EXPECT_EQ(e->evaluate({shortRecord, 1}).str, "0001            ");
  EXPECT_EQ(compiled("NETTO")->evaluate({shortRecord, 1}).num, 0);
}

}  // namespace
}  // namespace xbase
