#include "FileBytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "FileError.h"

namespace trellon {

namespace {

[[noreturn]] void fail(FileError::Action action, const FileToRead& file,
                       const std::string& reason) {
    throw FileError(action, file.what, file.path, reason);
}

std::string tooLarge(const FileToRead& file) {
    const std::size_t mebibyte = std::size_t{1} << 20;
    const std::string size = file.limitBytes % mebibyte == 0
                                 ? std::to_string(file.limitBytes / mebibyte) + " MiB"
                                 : std::to_string(file.limitBytes) + " bytes";
    if (file.lineCount > 0) {
        return "its first " + std::to_string(file.lineCount) + " lines are larger than " + size;
    }
    return "the file is larger than " + size;
}

class OpenedFile : public ByteSource {
public:
    explicit OpenedFile(const FileToRead& file)
        : descriptor_(::open(file.path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (descriptor_ < 0) {
            fail(FileError::Action::Open, file, std::strerror(errno));
        }
    }
    ~OpenedFile() override { ::close(descriptor_); }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;

    long read(char* buffer, std::size_t size) override {
        return static_cast<long>(::read(descriptor_, buffer, size));
    }

private:
    int descriptor_;
};

}  // namespace

std::string readBytes(ByteSource& source, const FileToRead& file) {
    std::string content;
    char buffer[65536];
    long lines = 0;
    for (;;) {
        const std::size_t room = std::min(sizeof buffer, file.limitBytes + 1 - content.size());
        const long count = source.read(buffer, room);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            fail(FileError::Action::Read, file, std::strerror(errno));
        }
        if (count == 0) {
            return content;
        }
        content.append(buffer, static_cast<std::size_t>(count));
        if (file.lineCount > 0) {
            // Only the new bytes are counted: a long line is read in linear time.
            const auto fresh = content.end() - count;
            lines += std::count(fresh, content.end(), '\n');
            if (lines >= file.lineCount) {
                return content;
            }
        }
        if (content.size() > file.limitBytes) {
            fail(FileError::Action::Read, file, tooLarge(file));
        }
    }
}

std::string readFileBytes(const FileToRead& file) {
    OpenedFile opened(file);
    return readBytes(opened, file);
}

}  // namespace trellon
