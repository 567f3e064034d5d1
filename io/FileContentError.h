#pragma once

#include <string>
#include <vector>

#include "CommandError.h"
#include "Phrase.h"

namespace trellon {

// A file whose content could not be read, with its parts kept apart, so that the window can say
// it in its own language. Its text is the command line's: "Cannot read the <kind> '<file>', line
// <n>: <reason>", without the line for a fault of the whole file.
class FileContentError : public CommandError {
public:
    // `line` counts from 1; 0 for the whole file.
    FileContentError(std::string kind, std::string fileName, int line, std::vector<Phrase> reason);

    const std::string& kind() const { return kind_; }  // "crystal batch"
    const std::string& fileName() const { return fileName_; }
    int line() const { return line_; }
    const std::vector<Phrase>& reason() const { return reason_; }

private:
    std::string kind_;
    std::string fileName_;
    int line_;
    std::vector<Phrase> reason_;
};

}  // namespace trellon
