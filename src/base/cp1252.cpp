#include "base/cp1252.h"

#include <array>

namespace base {

namespace {

// 1252 bytes 0x80-0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char kReplacement = '?';

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes the UTF-8 sequence at text[pos] and advances pos past it. A malformed sequence
// (bad lead byte, missing continuation, overlong form, surrogate, beyond U+10FFFF) yields
// nullopt and advances by one byte.
std::optional<char32_t> decodeUtf8(std::string_view text, size_t& pos) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(pos);
  int length;
  char32_t cp;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (pos + length > text.size()) {
    ++pos;
    return std::nullopt;
  }
  for (int i = 1; i < length; ++i) {
    unsigned char b = byte(pos + i);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return std::nullopt;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMinimum[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return std::nullopt;
  }
  pos += length;
  return cp;
}

}  // namespace

char32_t codePointFromAnsi(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighBlock[byte - 0x80];
  return byte;
}

std::optional<unsigned char> ansiFromCodePoint(char32_t codePoint) {
  if (codePoint <= 0xFF && (codePoint < 0x80 || codePoint > 0x9F)) {
    return static_cast<unsigned char>(codePoint);
  }
  for (size_t i = 0; i < kHighBlock.size(); ++i) {
    if (kHighBlock[i] == codePoint) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::string utf8FromAnsi(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (char c : ansi) appendUtf8(out, codePointFromAnsi(static_cast<unsigned char>(c)));
  return out;
}

std::u16string utf16FromAnsi(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  // Every 1252 character lies in the Basic Multilingual Plane: one UTF-16 unit each.
  for (char c : ansi)
    out += static_cast<char16_t>(codePointFromAnsi(static_cast<unsigned char>(c)));
  return out;
}

std::string ansi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    auto cp = decodeUtf8(utf8, pos);
    auto byte = cp ? ansiFromCodePoint(*cp) : std::nullopt;
    out += byte ? static_cast<char>(*byte) : kReplacement;
  }
  return out;
}

std::string ansiFromUtf16(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char16_t unit = utf16[i];
    if (unit >= 0xD800 && unit <= 0xDFFF) {
      // A surrogate pair is a character outside 1252: one replacement for the pair.
      bool pair = unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
                  utf16[i + 1] <= 0xDFFF;
      if (pair) ++i;
      out += kReplacement;
      continue;
    }
    auto byte = ansiFromCodePoint(unit);
    out += byte ? static_cast<char>(*byte) : kReplacement;
  }
  return out;
}

char upperAnsi(char c) {
  auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x9A:
      return static_cast<char>(0x8A);  // š → Š
    case 0x9C:
      return static_cast<char>(0x8C);  // œ → Œ
    case 0x9E:
      return static_cast<char>(0x8E);  // ž → Ž
    case 0xFF:
      return static_cast<char>(0x9F);  // ÿ → Ÿ
    default:
      break;
  }
  // à-þ → À-Þ, except the division sign ÷ (0xF7).
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return static_cast<char>(b - 0x20);
  return c;
}

std::string upperAnsi(std::string_view ansi) {
  std::string out(ansi);
  for (char& c : out) c = upperAnsi(c);
  return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (upperAnsi(a[i]) != upperAnsi(b[i])) return false;
  }
  return true;
}

std::string upperUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t pos = 0; pos < utf8.size();) {
    size_t start = pos;
    auto cp = decodeUtf8(utf8, pos);
    auto byte = cp ? ansiFromCodePoint(*cp) : std::nullopt;
    if (byte) {
      appendUtf8(
          out, codePointFromAnsi(static_cast<unsigned char>(upperAnsi(static_cast<char>(*byte)))));
    } else {
      out.append(utf8.substr(start, pos - start));
    }
  }
  return out;
}

}  // namespace base
