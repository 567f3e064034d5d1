#include "DataFile.h"

#include <gtest/gtest.h>

#include "IoTestFolder.h"

namespace trellon {
namespace {

using test::contentOf;
using test::errorOf;
using namespace std::string_literals;

DesignInputs startUpInputs() {
    return {.Fo = "8863.682",
            .Ld = "17.15",
            .Cs = "3.3",
            .Rd = "5.7",
            .dF = "3100",
            .level = "-10",
            .Ccor = "82",
            .Topology = 1,
            .Response = 1};
}

class DataFile : public ::testing::Test {
protected:
    test::IoTestFolder folder_;
};

TEST_F(DataFile, RoundTripKeepsTheTextsAsTyped) {
    const DesignInputs comma{.Fo = "10000,5",
                             .Ld = "17,15",
                             .Cs = "3,3",
                             .Rd = " 5,70",
                             .dF = "2400",
                             .level = "-6,0",
                             .Ccor = "",
                             .Topology = 7,
                             .Response = 8};
    const std::pair<DesignInputs, std::string> cases[] = {
        {startUpInputs(),
         "8863.682\r\n17.15\r\n3.3\r\n5.7\r\n3100\r\n\r\n\r\n-10\r\n82\r\n1\r\n1\r\n"},
        {comma, "10000,5\r\n17,15\r\n3,3\r\n 5,70\r\n2400\r\n\r\n\r\n-6,0\r\n\r\n7\r\n8\r\n"}};
    for (const auto& [inputs, content] : cases) {
        const std::string path = folder_.pathOf("design.qua");
        DataFileLines().save(path, inputs);
        EXPECT_EQ(contentOf(path), content);
        EXPECT_EQ(DataFileLines().load(path), inputs);
    }
}

// A file from an 8-bit Cyrillic system: its texts read as Windows-1251 and are saved as UTF-8,
// while the reserved lines go back byte for byte, whatever they hold.
TEST_F(DataFile, EightBitLinesAreReadAsWindows1251AndReservedLinesKeepTheirBytes) {
    const std::string path =
        folder_.write("old.qua",
                      "\xCF\xF0\xE8\xE2\xE5\xF2\r\n2\r\n3\r\n4\r\n\xA8\xB8\xB9\x98\r\nnote \xC0\r\n"
                      "\xFF\xFE\r\n-3\r\n82\r\n2\r\n6\r\n");
    DataFileLines lines;
    const DesignInputs loaded = lines.load(path);
    EXPECT_EQ(loaded.Fo, "Привет");
    EXPECT_EQ(loaded.dF, "Ёё№\uFFFD");
    lines.save(path, loaded);
    EXPECT_EQ(
        contentOf(path),
        "Привет\r\n2\r\n3\r\n4\r\nЁё№\uFFFD\r\nnote \xC0\r\n\xFF\xFE\r\n-3\r\n82\r\n2\r\n6\r\n");
    EXPECT_EQ(DataFileLines().load(path), loaded);

    // UTF-8 stays UTF-8 line by line, even beside a line in the code page.
    const DesignInputs mixed =
        lines.load(folder_.write("mixed.qua", "Ёж\n\xC5\xE6\n\n\n\n\n\n\n\n1\n1\n"));
    EXPECT_EQ(mixed.Fo, "Ёж");
    EXPECT_EQ(mixed.Ld, "Еж");
}

TEST_F(DataFile, ReservedLinesSurviveLoadAndSave) {
    DataFileLines lines;
    lines.load(folder_.write(
        "old.qua", "1\r\n2\r\n3\r\n4\r\n5\r\nnote A\r\nnote B\r\n-3\r\n82\r\n2\r\n6\r\n"));
    const std::string copy = folder_.pathOf("copy.qua");
    lines.save(copy, startUpInputs());
    EXPECT_EQ(
        contentOf(copy),
        "8863.682\r\n17.15\r\n3.3\r\n5.7\r\n3100\r\nnote A\r\nnote B\r\n-10\r\n82\r\n1\r\n1\r\n");
}

TEST_F(DataFile, LineEndsAndLineCounts) {
    DataFileLines lines;
    const DesignInputs lf =
        lines.load(folder_.write("lf.qua", "1\n2\n3\n4\n5\n\n\n-3\n82\n5\n2\nextra\nmore"));
    EXPECT_EQ(lf.Rd, "4");
    EXPECT_EQ(lf.Ccor, "82");
    EXPECT_EQ(lf.Topology, 5);
    EXPECT_EQ(lf.Response, 2);
    EXPECT_EQ(lines.line(11), "2");

    // A last line without its line end still counts.
    EXPECT_EQ(
        lines.load(folder_.write("open.qua", "1\r\n2\r\n3\r\n4\r\n5\r\n\r\n\r\n-3\r\n\r\n4\r\n3"))
            .Response,
        3);

    // Five lines: the empty line 10 is not a number, the message says which line, and nothing
    // of the file is kept.
    const std::string fiveLines = folder_.write("five.qua", "9\r\n9\r\n9\r\n9\r\n9\r\n");
    EXPECT_EQ(errorOf([&] { lines.load(fiveLines); }),
              "Cannot load the design file '" + fiveLines +
                  "': line 10: '' is not a valid integer value");
    EXPECT_EQ(lines.line(1), "1");
    EXPECT_EQ(lines.line(9), "");
}

TEST_F(DataFile, BadCatalogueNumbersRefuseTheWholeFile) {
    const std::pair<std::string, std::string> cases[] = {
        {"3100 Hz\r\n1", "line 10: '3100 Hz' is not a valid integer value"},
        {"1\r\n2.5", "line 11: '2.5' is not a valid integer value"},
        {"1\r\n\0"
         "3"s,
         "line 11: '\\03' is not a valid integer value"},
        {"1\r\n3\r4", "line 11: '3\\r4' is not a valid integer value"},
        {"8\r\n1", "line 10 must be a topology number from 1 to 7, not '8'"},
        {"0\r\n1", "line 10 must be a topology number from 1 to 7, not '0'"},
        {"7\r\n9", "line 11 must be a response number from 1 to 8, not '9'"}};
    DataFileLines lines;
    lines.load(
        folder_.write("good.qua", "1\r\n2\r\n3\r\n4\r\n5\r\nA\r\nB\r\n-3\r\n82\r\n2\r\n6\r\n"));
    for (const auto& [lines10and11, error] : cases) {
        const std::string bad = folder_.write(
            "bad.qua", "7\r\n7\r\n7\r\n7\r\n7\r\nX\r\nY\r\n-7\r\n7\r\n" + lines10and11 + "\r\n");
        EXPECT_EQ(errorOf([&] { lines.load(bad); }),
                  "Cannot load the design file '" + bad + "': " + error);
        EXPECT_EQ(lines.line(6), "A");
        EXPECT_EQ(lines.line(11), "6");
    }
}

TEST_F(DataFile, UnreadableFilesAreNamedWithTheReason) {
    const std::string missing = folder_.pathOf("nowhere.qua");
    EXPECT_EQ(errorOf([&] { DataFileLines().load(missing); }),
              "Cannot open the design file '" + missing + "': No such file or directory");
    const std::string folder = folder_.pathOf("folder.qua");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(errorOf([&] { DataFileLines().load(folder); }),
              "Cannot read the design file '" + folder + "': Is a directory");
}

TEST(DataFileName, QuaIsAppendedOnlyWhenMissing) {
    const std::pair<const char*, const char*> cases[] = {{"/d/filter", "/d/filter.qua"},
                                                         {"/d/filter.qua", "/d/filter.qua"},
                                                         {"/d/FILTER.QUA", "/d/FILTER.QUA"},
                                                         {"/d/filter.Qua", "/d/filter.Qua"},
                                                         {"/d/filter.txt", "/d/filter.txt.qua"},
                                                         {"/d/filter.quad", "/d/filter.quad.qua"},
                                                         {"/d/aqua", "/d/aqua.qua"},
                                                         {"qua", "qua.qua"}};
    for (const auto& [chosen, saved] : cases) {
        EXPECT_EQ(DataFileNameForSaving(chosen), saved) << chosen;
    }
}

}  // namespace
}  // namespace trellon
