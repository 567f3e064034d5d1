#pragma once

#include <string>
#include <string_view>

namespace trellon {

// A value for a message, in single quotes: control characters shown as escapes (\0, \r, \n, \t,
// \x1B), so that a NUL cannot end the message box's text and an escape sequence cannot reach
// the terminal; a value longer than 80 bytes is cut there and its length given.
std::string quoted(std::string_view text);

// The same between the given quotes, with the given word for the bytes of a cut value.
std::string quotedWith(std::string_view text, std::string_view open, std::string_view close,
                       std::string_view bytes);

}  // namespace trellon
