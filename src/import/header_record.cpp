#include "import/header_record.h"

namespace dnorm {

namespace {

// Characters `from` to `to` (counted from 1, inclusive), as far as the line reaches.
std::string positions(std::string_view line, size_t from, size_t to) {
  if (line.size() < from) return {};
  return std::string(line.substr(from - 1, to - from + 1));
}

}  // namespace

std::optional<base::Date> DNORMDATUM(std::string_view ddmmyy) {
  if (ddmmyy.size() != 6) return std::nullopt;
  std::string text;
  text.append(ddmmyy.substr(0, 2))
      .append(".")
      .append(ddmmyy.substr(2, 2))
      .append(".")
      .append(ddmmyy.substr(4, 2));
  return base::parseDate(text);
}

HeaderInfo parseHeader(std::string_view line) {
  HeaderInfo header;
  header.date = DNORMDATUM(positions(line, 3, 8));
  header.supplier =
      positions(line, 9, 48) + "\r\n" + positions(line, 49, 88) + "\r\n" + positions(line, 89, 123);
  header.version = positions(line, 124, 125);
  header.currency = positions(line, 126, 128);
  return header;
}

}  // namespace dnorm
