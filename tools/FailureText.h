#pragma once

#include <string>

namespace trellon {

namespace texts {

inline constexpr const char* kInternalError = "Внутренняя ошибка: ";
inline constexpr const char* kOutOfMemory = "не хватает памяти";
inline constexpr const char* kUnknownFailure = "неизвестное исключение";

}  // namespace texts

// The message a window shows for the exception being handled: a CommandError's text as it is,
// anything else as an internal error. Call it only from inside a catch block.
std::string currentFailureText();

}  // namespace trellon
