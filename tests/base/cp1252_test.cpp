#include "base/cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(Cp1252, EveryByteSurvivesUtf8AndUtf16) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(base::ansi(base::utf8FromAnsi(all)), all);
  EXPECT_EQ(base::ansiFromUtf16(base::utf16FromAnsi(all)), all);
}

TEST(Cp1252, MapsTheHighBlockAndTheUndefinedBytesLikeWindows) {
  EXPECT_EQ(base::utf8FromAnsi("\x80"), "€");
  EXPECT_EQ(base::utf8FromAnsi("\x9F"), "Ÿ");
  EXPECT_EQ(base::utf8FromAnsi("L\xF6schung"), "Löschung");
  EXPECT_EQ(base::utf16FromAnsi("\x84\x93"), u"„“");
  // The five undefined bytes stand for the C1 controls of the same number.
  for (unsigned char b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(base::codePointFromAnsi(b), char32_t{b});
    EXPECT_EQ(base::ansiFromCodePoint(b), b);
  }
  // Other C1 controls have no 1252 byte (0x80 is the euro sign).
  EXPECT_EQ(base::ansiFromCodePoint(0x80), std::nullopt);
  EXPECT_EQ(base::ansi("Löschung"), "L\xF6schung");
}

TEST(Cp1252, WhatItCannotHoldBecomesOneQuestionMark) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string ansi;
  };
  const Case cases[] = {
      {"greek letter", "Ω=1", "?=1"},
      {"emoji (4 bytes)",
       "a\xF0\x9F\x98\x80"
       "b",
       "a?b"},
      {"truncated sequence", "a\xC3", "a?"},
      {"lone continuation byte", "\x80x", "?x"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"encoded surrogate", "\xED\xA0\x80", "???"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
  };
  for (const Case& c : cases) EXPECT_EQ(base::ansi(c.utf8), c.ansi) << c.name;

  EXPECT_EQ(base::ansiFromUtf16(u"a\U0001F600b"), "a?b");  // a pair: one character
  EXPECT_EQ(base::ansiFromUtf16(std::u16string(u"a") + char16_t(0xDC00) + u"b"), "a?b");
  EXPECT_EQ(base::ansiFromUtf16(u"\u20AC\u03A9"), "\x80?");
}

TEST(Cp1252, UpperCaseFollowsWindows) {
  EXPECT_EQ(base::upperAnsi(base::ansi("straße äöü é š œ ž ÿ µ ÷ 1a")),
            base::ansi("STRAßE ÄÖÜ É Š Œ Ž Ÿ µ ÷ 1A"));
  EXPECT_TRUE(
      base::equalsIgnoringCase(base::ansi("Voreinstellungen Ä"), base::ansi("VOREINSTELLUNGEN ä")));
  EXPECT_FALSE(base::equalsIgnoringCase("Pfad", "Pfad "));
  // File names: the same rules on UTF-8, characters outside 1252 and broken bytes kept.
  EXPECT_EQ(base::upperUtf8("kasse_ä_ω_\xFF"), "KASSE_Ä_ω_\xFF");
}

}  // namespace
