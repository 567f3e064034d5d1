#include "FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "DataFile.h"
#include "IoTestFolder.h"
#include "ReadLimits.h"

namespace trellon {
namespace {

using test::errorOf;

// Gives its text in small pieces, then fails with `error` where the text ends.
class FailingSource : public ByteSource {
public:
    FailingSource(std::string text, int error) : text_(std::move(text)), error_(error) {}

    long read(char* buffer, std::size_t size) override {
        if (position_ == text_.size()) {
            errno = error_;
            return error_ == 0 ? 0 : -1;
        }
        const std::size_t count = std::min({size, std::size_t{7}, text_.size() - position_});
        std::memcpy(buffer, text_.data() + position_, count);
        position_ += count;
        return static_cast<long>(count);
    }

private:
    std::string text_;
    int error_;
    std::size_t position_ = 0;
};

// A failure part way through, even in the middle of a line, is the file's fault and names the
// system's reason; nothing read before it is returned as if it were the whole file.
TEST(FileBytes, AFailurePartWayThroughIsReportedWithTheReason) {
    const FileToRead batch{.path = "b.csv", .what = "the crystal batch", .limitBytes = 1000};
    const std::string half = "name,fs_khz,lm_mh,rm_ohm,c0_pf\nX1,8863.6";
    FailingSource failing(half, EIO);
    EXPECT_EQ(errorOf([&] { readBytes(failing, batch); }),
              "Cannot read the crystal batch 'b.csv': Input/output error");

    FailingSource whole(half, 0);
    EXPECT_EQ(readBytes(whole, batch), half);
    FailingSource tooLong(half, 0);
    EXPECT_EQ(
        errorOf([&] { readBytes(tooLong, {.path = "b.csv", .what = "x", .limitBytes = 39}); }),
        "Cannot read x 'b.csv': the file is larger than 39 bytes");
}

// The limit holds while reading, so a device without end is refused rather than read until
// memory runs out; a folder and a missing file are named with the system's reason.
TEST(FileBytes, DevicesFoldersAndMissingFilesAreRefused) {
    test::IoTestFolder folder;
    const std::string missing = folder.pathOf("none.csv");
    const std::pair<FileToRead, std::string> cases[] = {
        {{"/dev/zero", "the crystal batch", kCrystalBatchLimit},
         "Cannot read the crystal batch '/dev/zero': the file is larger than 4 MiB"},
        {{folder.path().string(), "the crystal batch", kCrystalBatchLimit},
         "Cannot read the crystal batch '" + folder.path().string() + "': Is a directory"},
        {{missing, "the measured response", kTouchstoneLimit},
         "Cannot open the measured response '" + missing + "': No such file or directory"}};
    for (const auto& [toRead, message] : cases) {
        const FileToRead file = toRead;
        EXPECT_EQ(errorOf([&] { readFileBytes(file); }), message);
    }
    EXPECT_EQ(errorOf([] { DataFileLines().load("/dev/zero"); }),
              "Cannot read the design file '/dev/zero': its first 11 lines are larger than 1 MiB");
}

// Reading stops after the lines that count, and a long line is not counted over and over.
TEST(FileBytes, ReadingStopsAfterTheLinesThatCount) {
    const std::string lines = "1\n2\n3\n" + std::string(3000, 'x') + "\n5\n";
    FailingSource failsAfterThem(lines, EIO);
    EXPECT_EQ(
        readBytes(
            failsAfterThem,
            {.path = "d.qua", .what = "the design file", .limitBytes = 1 << 20, .lineCount = 5}),
        lines);
}

}  // namespace
}  // namespace trellon
