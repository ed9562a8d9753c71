#include "import/descriptions.h"

#include <algorithm>

#include "import/error_log.h"
#include "import/error_numbers.h"
#include "import/record_fields.h"
#include "import/table_access.h"

namespace dnorm {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// 1-based position of the last `c` in the text, 0 when there is none.
size_t lastPosition(std::string_view text, char c) {
  size_t at = text.rfind(c);
  return at == std::string_view::npos ? 0 : at + 1;
}

// Position of the rightmost break in the prefix: the last comma unless it stands between
// two digits (a decimal comma), or a later blank or hyphen; 0 when there is none.
size_t lastBreak(std::string_view prefix) {
  size_t comma = lastPosition(prefix, ',');
  if (comma > 1 && comma < prefix.size() && isDigit(prefix[comma - 2]) && isDigit(prefix[comma]))
    comma = 0;
  return std::max({comma, lastPosition(prefix, ' '), lastPosition(prefix, '-')});
}

std::string trimmed(std::string_view text) {
  return std::string(trimBlanks(text));
}

}  // namespace

std::pair<std::string, std::string> TEXTAUFTEILEN(std::string_view text, size_t limit) {
  std::string_view whole = trimBlanks(text);
  size_t length = whole.size();
  if (length <= limit) return {std::string(whole), {}};
  std::string_view prefix = whole;
  size_t pos = length;
  while (pos > limit) {
    pos = lastBreak(prefix);
    if (pos == 0) {
      NORMFEHLER(err::kTextNoBreak, std::string(whole));
      return {std::string(whole.substr(0, limit)), std::string(whole.substr(limit, limit))};
    }
    if (length - pos > limit) {
      NORMFEHLER(err::kTextTooLong, std::string(whole));
      return {trimmed(whole.substr(0, limit)), trimmed(whole.substr(limit, limit))};
    }
    prefix = whole.substr(0, pos - 1);
  }
  return {trimmed(whole.substr(0, pos - 1)), trimmed(whole.substr(pos))};
}

std::string TEXTCONNECT(std::string_view rest, std::string_view next) {
  std::string_view r = trimBlanks(rest);
  std::string_view s = trimBlanks(next);
  if (!r.empty() && r.back() == '-') return std::string(r.substr(0, r.size() - 1)) + std::string(s);
  return std::string(r) + " " + std::string(s);
}

Descriptions ARTBEZEICHNUNG(std::string_view shortText1, std::string_view shortText2) {
  Descriptions out;
  if (shortText1.size() <= kDescriptionWidth) {
    out.artikel = shortText1;
    if (shortText2.size() <= kDescriptionWidth) {
      out.zusatz = shortText2;
    } else {
      auto [first, second] = TEXTAUFTEILEN(shortText2, kDescriptionWidth);
      out.zusatz = trimmed(first);
      out.zusatz1 = trimmed(second);
    }
    return out;
  }
  auto [first, rest] = TEXTAUFTEILEN(shortText1, kDescriptionWidth);
  out.artikel = trimmed(first);
  std::string joined = TEXTCONNECT(rest, shortText2);
  if (trimRight(joined).size() <= kDescriptionWidth) {
    out.zusatz = joined;
  } else {
    auto [second, third] = TEXTAUFTEILEN(joined, kDescriptionWidth);
    out.zusatz = trimmed(second);
    out.zusatz1 = trimmed(third);
  }
  return out;
}

std::string HOL_WAGRBEZ(const std::string& value) {
  if (isBlank(value)) return value;
  xbase::Table& groups = openTable("DNORMWGR");
  if (!seekKey(groups, padCut(std::string_view(value).substr(0, 3), 3))) return value;
  return fieldText(groups, "TEXT").substr(0, 10);
}

}  // namespace dnorm
