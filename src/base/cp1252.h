#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace base {

// Windows-1252 ("ANSI") is the text encoding of the whole core: tables, INI files and every
// text shown to the user are 1252 bytes in std::string. The functions here convert at the
// edges (terminal, Qt widgets, file names, German literals in the UTF-8 source).

// Code point of one 1252 byte. The five bytes 1252 leaves undefined (0x81 0x8D 0x8F 0x90
// 0x9D) stand for the C1 controls with the same numbers, as on Windows.
char32_t codePointFromAnsi(unsigned char byte);
// The 1252 byte of a code point, or nullopt when 1252 has no such character.
std::optional<unsigned char> ansiFromCodePoint(char32_t codePoint);

std::string utf8FromAnsi(std::string_view ansi);
std::u16string utf16FromAnsi(std::string_view ansi);

// UTF-8 text to 1252 bytes: base::ansi("Löschung"). Every German literal of the core goes
// through it. Characters 1252 lacks and malformed sequences become '?'.
std::string ansi(std::string_view utf8);
// UTF-16 text to 1252 bytes; characters 1252 lacks and lone surrogates become '?'.
std::string ansiFromUtf16(std::u16string_view utf16);

// Upper case as Windows makes it in 1252: a-z, the accented letters, š œ ž ÿ; ß and µ stay.
char upperAnsi(char c);
std::string upperAnsi(std::string_view ansi);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// Upper case of a UTF-8 text (a file or workstation name) by the same rules; characters
// outside 1252 and bytes that are no valid UTF-8 are kept as they are.
std::string upperUtf8(std::string_view utf8);

}  // namespace base
