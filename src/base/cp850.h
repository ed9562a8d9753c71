#pragma once

#include <string>
#include <string_view>

namespace base {

// CP850, the DOS code page of German installations and of Datanorm files, to
// Windows-1252 as Windows' OEM-to-ANSI conversion does it: exact where 1252 has the
// character, best fit otherwise (box drawing and shades become + - ¦ _ ¯, the dotless i
// becomes i, the double low line =). Lossy, one byte for one byte.
unsigned char ansiFromOem(unsigned char oem);
std::string ansiFromOem(std::string_view oem);

}  // namespace base
