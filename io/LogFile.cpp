#include "LogFile.h"

#include "AtOnceWriter.h"
#include "FileName.h"

namespace trellon {

std::string logFileName(const std::string& chosen) {
    return withExtension(chosen, ".txt");
}

void writeLogFile(const std::string& path, const std::vector<std::string>& lines) {
    std::string content;
    for (const std::string& line : lines) {
        content += line + "\r\n";
    }
    writeFileAtOnce(path, content, "the log file");
}

}  // namespace trellon
