#pragma once

#include <string>
#include <vector>

#include "FileContentError.h"
#include "Phrase.h"

namespace trellon {

// The phrases in the window's language, joined by ": "; a phrase without a translation is shown
// in English.
std::string windowText(const std::vector<Phrase>& phrases);

// "Не удалось прочитать файл партии кварцев «x.csv», строка 12: <why>".
std::string windowText(const FileContentError& failure);

}  // namespace trellon
