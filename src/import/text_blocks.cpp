#include "import/text_blocks.h"

#include <optional>

#include "import/record_fields.h"
#include "import/run_state.h"
#include "import/table_access.h"
#include "tables/net.h"

namespace dnorm {

namespace {

// Width of a text number in LTNUMMER.
constexpr size_t kTextNumberWidth = 8;
// Width of ZEILE, which the index key holds as STR(ZEILE).
constexpr size_t kLineNumberWidth = 2;

// The text number trimmed and padded to 8, or nothing when it is empty or too long.
std::optional<std::string> textNumber(const std::string& number) {
  std::string_view trimmed = trimBlanks(number);
  if (trimmed.empty() || trimmed.size() > kTextNumberWidth) return std::nullopt;
  return padCut(trimmed, kTextNumberWidth);
}

std::string lineKey(const std::string& number, int line) {
  std::string digits = std::to_string(line);
  return number + std::string(kLineNumberWidth - std::min(digits.size(), kLineNumberWidth), ' ') +
         digits;
}

// Deletes every line of the text, in index order.
void LTLOESCHEN(const std::string& alias, const std::string& number) {
  tables::OnAlias on(alias);
  xbase::Table& table = *tables::current();
  for (seekKey(table, number); !table.eof() && fieldText(table, "LTNUMMER") == number;
       table.skip()) {
    tables::NETDELETE();
  }
}

void appendLine(const std::string& alias, const std::string& number, double line,
                const std::string& text) {
  tables::OnAlias on(alias);
  if (!tables::NETAPPEND()) return;
  xbase::Table& table = *tables::current();
  setField(table, "LTNUMMER", number);
  setNumberField(table, "ZEILE", line);
  setField(table, "TEXT", text);
}

bool storeText(const std::string& alias, const std::string& givenNumber) {
  std::optional<std::string> number = textNumber(givenNumber);
  if (!number) return false;
  const std::string& line = GETPUFFER();
  xbase::Table& table = openTable(alias);
  std::string code = XTEXT(2, line);
  double first = numberOf(XTEXT(5, line));
  if (code == "L") {
    LTLOESCHEN(alias, *number);
    return true;
  }
  bool lineOneStored = seekKey(table, lineKey(*number, 1));
  if (first == 1) {
    if (lineOneStored && code == "N") {
      setField(table, "GESPERRT", true);
      return false;
    }
    LTLOESCHEN(alias, *number);
  } else if (lineOneStored && fieldLogical(table, "GESPERRT")) {
    return false;
  }
  std::string firstText = XTEXT(7, line);
  if (first != 0 && (first == 1 || !firstText.empty()))
    appendLine(alias, *number, first, firstText);
  double second = numberOf(XTEXT(8, line));
  std::string secondText = XTEXT(10, line);
  if (second != 0 && !secondText.empty()) appendLine(alias, *number, second, secondText);
  return true;
}

std::string GETLANGTEXT(const std::string& alias, const std::string& givenNumber) {
  std::optional<std::string> number = textNumber(givenNumber);
  if (!number) return {};
  xbase::Table& table = openTable(alias);
  std::string text;
  bool first = true;
  for (seekKey(table, *number); !table.eof() && fieldText(table, "LTNUMMER") == *number;
       table.skip()) {
    if (!first) text += "\r\n";
    text += trimRight(fieldText(table, "TEXT"));
    first = false;
  }
  return text;
}

}  // namespace

bool LANGTEXTT(const std::string& number) {
  return storeText("DNORMLTT", number);
}

bool LANGTEXTE(const std::string& number) {
  return storeText("DNORMLTE", number);
}

std::string GETNEWLTT(const std::string& number) {
  return GETLANGTEXT("DNORMLTT", number);
}

std::string GETNEWLTE(const std::string& number) {
  return GETLANGTEXT("DNORMLTE", number);
}

}  // namespace dnorm
