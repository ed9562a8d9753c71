#include <gtest/gtest.h>

#include <string>

#include "xbase/expr/expression.h"
#include "xbase/expr/record_builder.h"

namespace xbase {
namespace {

const FieldList& fields() {
  static const FieldList f = exprtest::makeFields({
      {"NUMMER", 'C', 8, 0},
      {"ZEILE", 'N', 2, 0},
      {"NETTO", 'N', 10, 2},
      {"AKTIV", 'L', 1, 0},
      {"NOTIZ", 'M', 10, 0},
      {"STEMPEL", 'T', 8, 0},
  });
  return f;
}

std::string repeat(std::string_view piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

Status compileText(std::string_view text) {
  std::unique_ptr<Expression> e;
  return Expression::compile(text, fields(), "ARTIKEL", &e);
}

TEST(CompileErrorsTest, MessageQuotesTheExpressionAndThePlace) {
  Status st = compileText("NUMMER + ZEILE");
  EXPECT_EQ(st.code(), Status::Code::InvalidArgument);
  EXPECT_EQ(st.message(),
            "expression \"NUMMER + ZEILE\": operator + cannot combine character and numeric "
            "(at position 8)");
}

TEST(CompileErrorsTest, RefusedTexts) {
  struct Case {
    std::string text;
    const char* says;
  };
  const Case cases[] = {
      {"", "the expression is empty"},
      {"   ", "the expression is empty"},
      {"NOSUCH", "unknown field NOSUCH"},
      {"FOO(NUMMER)", "unknown function FOO()"},
      {"UPP(NUMMER)", "unknown function UPP()"},  // abbreviations need four letters
      {"UPPER(NUMMER", "',' or ')' expected"},
      {"(NUMMER", "')' expected"},
      {"NUMMER)", "unexpected ')'"},
      {"1 2", "unexpected '2'"},
      {"SUBSTR(NUMMER,,2)", "unexpected ','"},
      {"NUMMER +", "unexpected end of expression"},
      {"NETTO ** 2", "unexpected '*'"},
      {"NETTO ^ 2", "unexpected character '^'"},
      {std::string("NUMMER\x01", 7), "unexpected byte 0x01"},
      {"'abc", "string not closed"},
      {"AKTIV .XOR. AKTIV", "unknown operator '.XOR.'"},
      {"OTHER->NUMMER", "unknown alias OTHER"},
      {"M->NUMMER", "unknown alias M"},
      {"artikel->", "field name expected after ->"},
      {"NOTIZ", "unsupported field type M of field NOTIZ"},
      {"UPPER(NOTIZ)", "unsupported field type M"},
      {"STEMPEL", "unsupported field type T"},
      {"UPPER(ZEILE)", "argument 1 of UPPER() must be character, not numeric"},
      {"DTOS(NUMMER)", "argument 1 of DTOS() must be date, not character"},
      {"SUBSTR(NUMMER)", "SUBSTR() takes 2 to 3 arguments, not 1"},
      {"UPPER(NUMMER, 1)", "UPPER() takes 1 argument, not 2"},
      {"RECNO(1)", "RECNO() takes no arguments, not 1"},
      {"IIF(AKTIV, 1, 'a')", "the branches of IIF() must have one type, not numeric and character"},
      {"NUMMER - ZEILE", "operator - cannot combine character and numeric"},
      {"NUMMER * 2", "operator * cannot combine character and numeric"},
      {"NUMMER = ZEILE", "operator = cannot compare character and numeric"},
      {"ZEILE $ ZEILE", "operator $ cannot compare numeric and numeric"},
      {"AKTIV .AND. NUMMER", ".AND. needs logical operands, not logical and character"},
      {"!NUMMER", ".NOT. needs a logical operand, not character"},
      {"-NUMMER", "unary - needs a numeric operand, not character"},
      {"STR(NETTO, ZEILE)", "the width of STR() must be a constant from 1 to 65535"},
      {"STR(NETTO, 0)", "the width of STR() must be a constant"},
      {"STR(NETTO, 5, -1)", "the decimals of STR() must be a constant from 0"},
      {"PADR(NUMMER, 70000)", "length out of range"},
      {"PADR(NUMMER, 40000) + PADR(NUMMER, 40000)", "longer than 65535 bytes"},
      {std::string(400, '9'), "is too large"},
      {repeat("(", 200) + "1" + repeat(")", 200), "nested too deeply"},
      {repeat("-", 500) + "1", "nested too deeply"},
      {repeat("!", 300) + ".T.", "nested too deeply"},
      {"ZEILE" + repeat("+1", 300), "nested too deeply"},
  };
  for (const Case& c : cases) {
    Status st = compileText(c.text);
    EXPECT_EQ(st.code(), Status::Code::InvalidArgument) << c.text;
    EXPECT_NE(st.message().find(c.says), std::string::npos) << c.text << " -> " << st.message();
  }
}

}  // namespace
}  // namespace xbase
