// The bounded reader over a source that hands out arbitrary pieces and may fail part way: the
// first two bytes choose the piece size and where the failure comes, the rest is the file. It
// either returns exactly the whole file, or the lines it asked for, or throws a command error;
// it never returns a file cut short by a failure.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "CommandError.h"
#include "FileBytes.h"

namespace {

class PiecesSource : public trellon::ByteSource {
public:
    PiecesSource(std::string_view text, std::size_t piece, std::size_t failAt)
        : text_(text), piece_(piece), failAt_(failAt) {}

    long read(char* buffer, std::size_t size) override {
        if (position_ >= failAt_) {
            errno = EIO;
            return -1;
        }
        const std::size_t count =
            std::min({size, piece_, text_.size() - position_, failAt_ - position_});
        std::memcpy(buffer, text_.data() + position_, count);
        position_ += count;
        return static_cast<long>(count);
    }

private:
    std::string_view text_;
    std::size_t piece_;
    std::size_t failAt_;
    std::size_t position_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::size_t piece = data[0] % 17 + 1;
    const int lineCount = data[1] % 4;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
    const bool fails = data[1] & 0x80;
    const std::size_t failAt = fails ? data[1] % 64 : text.size() + 1;
    const trellon::FileToRead file{
        .path = "fuzz", .what = "the file", .limitBytes = 256, .lineCount = lineCount};
    PiecesSource source(text, piece, failAt);
    std::string read;
    try {
        read = trellon::readBytes(source, file);
    } catch (const trellon::CommandError&) {
        return 0;
    }
    const bool whole = read == text && text.size() <= file.limitBytes;
    const bool leadingLines = lineCount > 0 && text.starts_with(read) &&
                              std::count(read.begin(), read.end(), '\n') >= lineCount;
    if (!whole && !leadingLines) {
        std::abort();
    }
    return 0;
}
