#include "FileContentError.h"

namespace trellon {

namespace {

std::string englishText(const std::string& kind, const std::string& fileName, int line,
                        const std::vector<Phrase>& reason) {
    std::string text = "Cannot read the " + kind + " '" + fileName + "'";
    if (line > 0) {
        text += ", line " + std::to_string(line);
    }
    return text + ": " + trellon::englishText(reason);
}

}  // namespace

FileContentError::FileContentError(std::string kind, std::string fileName, int line,
                                   std::vector<Phrase> reason)
    : CommandError(englishText(kind, fileName, line, reason)),
      kind_(std::move(kind)),
      fileName_(std::move(fileName)),
      line_(line),
      reason_(std::move(reason)) {}

}  // namespace trellon
