#include "AtOnceWriter.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <iostream>

#include "FileSizeSignal.h"
#include "IoTestFolder.h"
#include "TinyFileSizeLimit.h"

namespace trellon {
namespace {

using test::contentOf;
using test::errorOf;

class AtOnceWriter : public ::testing::Test {
protected:
    std::vector<std::string> namesInFolder() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    test::IoTestFolder folder_;
};

TEST_F(AtOnceWriter, FailedWriteKeepsThePreviousFileAndNoTemporaryCopy) {
    const std::string path = folder_.write("kept.txt", "the old content\r\n");
    std::string error;
    {
        test::TinyFileSizeLimit fullDisk;
        error = errorOf([&] { writeFileAtOnce(path, "a longer new content", "the log file"); });
    }
    EXPECT_EQ(error, "Cannot write the log file '" + path + "': File too large");
    EXPECT_EQ(contentOf(path), "the old content\r\n");
    EXPECT_EQ(namesInFolder(), std::vector<std::string>{"kept.txt"});

    const std::string missingFolder = folder_.pathOf("missing/design.qua");
    EXPECT_EQ(errorOf([&] { writeFileAtOnce(missingFolder, "x", "the design file"); }),
              "Cannot create the design file '" + missingFolder + "': No such file or directory");
}

// A device or a FIFO would otherwise be renamed away and replaced by a plain file.
TEST_F(AtOnceWriter, WhatIsNotARegularFileIsRefusedAndLeftAlone) {
    const std::string fifo = folder_.pathOf("pipe.qua");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(errorOf([&] { writeFileAtOnce(fifo, "x", "the design file"); }),
              "Cannot create the design file '" + fifo + "': it is not a regular file");
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    const std::string folder = folder_.pathOf("folder.txt");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(errorOf([&] { writeFileAtOnce(folder, "x", "the log file"); }),
              "Cannot create the log file '" + folder + "': Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    const std::string linkToDevice = folder_.pathOf("null.txt");
    std::filesystem::create_symlink("/dev/null", linkToDevice);
    EXPECT_EQ(errorOf([&] { writeFileAtOnce(linkToDevice, "x", "the log file"); }),
              "Cannot create the log file '" + linkToDevice + "': it is not a regular file");
    EXPECT_EQ(namesInFolder(), (std::vector<std::string>{"folder.txt", "null.txt", "pipe.qua"}));
}

// Saving through a link replaces what it points to and keeps the link; a replaced file keeps
// its permissions and a new one gets the usual ones, not those of a private temporary file.
TEST_F(AtOnceWriter, LinksAreFollowedAndPermissionsKept) {
    std::filesystem::create_directory(folder_.pathOf("real"));
    const std::string target = folder_.write("real/design.qua", "old");
    ::chmod(target.c_str(), 0640);
    const std::string link = folder_.pathOf("design.qua");
    std::filesystem::create_symlink("real/design.qua", link);
    writeFileAtOnce(link, "new", "the design file");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(contentOf(target), "new");
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    const mode_t mask = ::umask(022);
    const std::string fresh = folder_.pathOf("fresh.txt");
    writeFileAtOnce(fresh, "", "the log file");
    ::umask(mask);
    ASSERT_EQ(::stat(fresh.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0644u);
}

// A target nobody may write is refused by its mode, for root as well; a link loop is not turned
// into a plain file; and the temporary name leaves room for a name near the longest allowed.
TEST_F(AtOnceWriter, ReadOnlyTargetsAndLinkLoopsAreRefusedAndLongNamesSaved) {
    const std::string readOnly = folder_.write("kept.qua", "old");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_EQ(errorOf([&] { writeFileAtOnce(readOnly, "new", "the design file"); }),
              "Cannot write the design file '" + readOnly + "': Permission denied");
    EXPECT_EQ(contentOf(readOnly), "old");

    const std::string loop = folder_.pathOf("loop.txt");
    std::filesystem::create_symlink("round.txt", loop);
    std::filesystem::create_symlink("loop.txt", folder_.pathOf("round.txt"));
    EXPECT_EQ(errorOf([&] { writeFileAtOnce(loop, "x", "the log file"); }),
              "Cannot create the log file '" + loop + "': Too many levels of symbolic links");
    EXPECT_TRUE(std::filesystem::is_symlink(loop));

    const std::string longName = folder_.pathOf(std::string(246, 'n') + ".qua");
    writeFileAtOnce(longName, "new", "the design file");
    EXPECT_EQ(contentOf(longName), "new");
    EXPECT_EQ(namesInFolder().size(), 4u);
}

// In a child process: starts from the default action, writes past a tiny limit and tells what
// it saw on standard error.
[[noreturn]] void writePastTheLimit(const std::string& path) {
    std::signal(SIGXFSZ, SIG_DFL);
    ignoreFileSizeSignal();
    struct sigaction action {};
    sigaction(SIGXFSZ, nullptr, &action);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const rlimit tiny{8, previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tiny);
    const std::string error =
        errorOf([&] { writeFileAtOnce(path, "more than eight bytes", "the log file"); });
    // Standard error goes to a file here too.
    setrlimit(RLIMIT_FSIZE, &previous);
    std::cerr << (action.sa_handler == SIG_IGN ? "ignored; " : "default; ") << error;
    std::_Exit(0);
}

// The signal would end the program before the save could report anything.
TEST_F(AtOnceWriter, PastTheFileSizeLimitAWriteFailsInsteadOfEndingTheProgram) {
    EXPECT_EXIT(writePastTheLimit(folder_.pathOf("big.txt")), ::testing::ExitedWithCode(0),
                "ignored; Cannot write the log file '.*': File too large");
}

}  // namespace
}  // namespace trellon
