#pragma once

#include <string>
#include <vector>

namespace trellon {

// The name the log is written under: the chosen name, with ".txt" added unless it already
// ends in it in any letter case.
std::string logFileName(const std::string& chosen);

// Writes the lines (UTF-8), each ended by CR LF, replacing any file of that name at once or not
// at all. Throws CommandError naming the file and the reason when it cannot be written; the
// previous file then stays as it was.
void writeLogFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace trellon
