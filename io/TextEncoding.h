#pragma once

#include <string>
#include <string_view>

namespace trellon {

// True when the bytes are well-formed UTF-8: no stray continuation bytes, no overlong forms, no
// surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// The text of bytes in the Windows-1251 code page (Cyrillic), as UTF-8. The one byte that the
// code page leaves undefined (0x98) becomes U+FFFD.
std::string windows1251ToUtf8(std::string_view bytes);

// A line of a text file of unknown origin as UTF-8: kept as it is when it is valid UTF-8, read
// as Windows-1251 otherwise, the code page such files come from.
std::string textLineToUtf8(std::string_view bytes);

}  // namespace trellon
