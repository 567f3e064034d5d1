#pragma once

#include <string>

#include "CommandError.h"

namespace trellon {

// A file that could not be opened, read, created or written, with its parts kept apart, so that
// the window can say it in its own language. Its text is the command line's: "Cannot <action>
// <what> '<path>': <reason>".
class FileError : public CommandError {
public:
    enum class Action { Open, Read, Create, Write };

    FileError(Action action, std::string file, std::string path, std::string reason);

    Action action() const { return action_; }
    const std::string& file() const { return file_; }  // "the crystal file"
    const std::string& path() const { return path_; }
    const std::string& reason() const { return reason_; }

private:
    Action action_;
    std::string file_;
    std::string path_;
    std::string reason_;
};

}  // namespace trellon
