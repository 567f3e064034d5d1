#include "FileError.h"

namespace trellon {

namespace {

const char* verb(FileError::Action action) {
    switch (action) {
        case FileError::Action::Open:
            return "open";
        case FileError::Action::Read:
            return "read";
        case FileError::Action::Create:
            return "create";
        case FileError::Action::Write:
            break;
    }
    return "write";
}

}  // namespace

FileError::FileError(Action action, std::string file, std::string path, std::string reason)
    : CommandError("Cannot " + std::string(verb(action)) + " " + file + " '" + path +
                   "': " + reason),
      action_(action),
      file_(std::move(file)),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

}  // namespace trellon
