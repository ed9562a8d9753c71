#include "import/error_texts.h"

#include <charconv>
#include <fstream>

#include "app/paths.h"
#include "base/cp1252.h"
#include "import/table_access.h"
#include "tables/net.h"

namespace dnorm {

namespace {

// Widths of FEHLER and KOMMENTAR in DNORMERT.
constexpr size_t kTextWidth = 80;
constexpr size_t kCommentWidth = 250;

std::optional<ErrorText> parseLine(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  size_t first = line.find(';');
  size_t second = first == std::string_view::npos ? first : line.find(';', first + 1);
  size_t third = second == std::string_view::npos ? second : line.find(';', second + 1);
  if (third == std::string_view::npos) return std::nullopt;
  ErrorText entry;
  std::string_view number = line.substr(0, first);
  if (std::from_chars(number.data(), number.data() + number.size(), entry.number).ec !=
      std::errc{}) {
    return std::nullopt;
  }
  std::string_view ignore = line.substr(first + 1, second - first - 1);
  if (ignore != "J" && ignore != "N") return std::nullopt;
  entry.ignore = ignore == "J";
  entry.text = base::ansi(line.substr(second + 1, third - second - 1));
  entry.comment = base::ansi(line.substr(third + 1));
  if (entry.text.size() > kTextWidth || entry.comment.size() > kCommentWidth) return std::nullopt;
  return entry;
}

void appendText(xbase::Table& table, const ErrorText& entry) {
  tables::NETAPPEND();
  setNumberField(table, "FEHLERNR", entry.number);
  setField(table, "OHNE", entry.ignore);
  setField(table, "FEHLER", entry.text);
  setField(table, "KOMMENTAR", entry.comment);
}

}  // namespace

std::filesystem::path defaultErrorTextsFile() {
  return std::filesystem::path(app::MAINPFAD()) / "error_texts.csv";
}

std::optional<std::vector<ErrorText>> readErrorTexts(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<ErrorText> texts;
  std::string line;
  std::getline(in, line);  // the heading
  while (std::getline(in, line)) {
    if (line.empty() || line == "\r") continue;
    std::optional<ErrorText> entry = parseLine(line);
    if (!entry) return std::nullopt;
    texts.push_back(std::move(*entry));
  }
  return texts;
}

bool fillErrorTexts(const std::filesystem::path& file) {
  std::optional<std::vector<ErrorText>> texts = readErrorTexts(file);
  if (!texts) return false;
  const std::string alias = "DNORMERT";
  bool wasOpen = tables::isOpen(alias);
  if (!tables::NETOPEN(alias, false)) return false;
  xbase::Table& table = openTable(alias);
  uint32_t count = 0;
  bool empty = table.recordCount(&count).isOk() && count == 0;
  if (empty) {
    tables::OnAlias on(alias);
    for (const ErrorText& entry : *texts) appendText(table, entry);
    table.commit();
  }
  if (!wasOpen) tables::NETCLOSE(alias);
  return empty;
}

}  // namespace dnorm
