#include "CrystalBatchCsv.h"

#include <gtest/gtest.h>

#include "ExpectCommandError.h"

namespace trellon {
namespace {

// Cm from Fs and Lm, and Lm from Fs and Cm, worked out apart from the program as
// 1 / ((6.2831853071794 Fs)^2 x): 8000.1 kHz with 17.15 mH gives 23.077316568022564 fF, and
// 8000.1 kHz with 23.08 fF gives 17.148006028664945 mH.
void expectBatch(const CrystalBatch& batch, double firstLmMh) {
    ASSERT_EQ(batch.crystals.size(), 2u);
    const MeasuredCrystal& a = batch.crystals[0];
    const MeasuredCrystal& b = batch.crystals[1];
    EXPECT_EQ(a.name, "X1");
    EXPECT_EQ(a.fsKhz, 8000.1);
    EXPECT_NEAR(a.lmMh, firstLmMh, 1e-14 * firstLmMh);
    EXPECT_DOUBLE_EQ(a.rmOhm, 12.5);
    EXPECT_DOUBLE_EQ(a.c0Pf, 3.3);
    EXPECT_EQ(b.name, "Q \"2\"; spare");
    EXPECT_EQ(b.fsKhz, 7999.95);
    EXPECT_DOUBLE_EQ(b.lmMh, 17.2);
    EXPECT_DOUBLE_EQ(b.rmOhm, 15);
    EXPECT_DOUBLE_EQ(b.c0Pf, 0);
}

TEST(CrystalBatchCsv, BothColumnSetsAndBothSeparatorsLoad) {
    expectBatch(readCrystalBatchCsv("name,fs_khz,lm_mh,rm_ohm,c0_pf\n"
                                    "X1,8000.1,17.15,12.5,3.3\n"
                                    "\"Q \"\"2\"\"; spare\",7999.95,17.2,15,0\n",
                                    "a.csv"),
                17.15);
    // Decimal comma, another order, Cm in place of Lm on the first line, blank lines, a BOM.
    expectBatch(readCrystalBatchCsv("\xEF\xBB\xBF"
                                    "C0_pF; Name ;rm_ohm;fs_khz;cm_ff;lm_mh\r\n"
                                    "3,3;X1;12,5;8000,1;23,08;\r\n\r\n"
                                    "0;\"Q \"\"2\"\"; spare\";15;7999.95;;17,2\r\n",
                                    "b.csv"),
                17.148006028664945);
    // The SI columns, CM within 1 % of what FS and LM give, QU ignored.
    expectBatch(readCrystalBatchCsv("XTAL,FS,CM,LM,RM,QU,CO\n"
                                    "X1,8000100,23.2e-15,0.01715,12.5,n/a,3.3e-12\n"
                                    "\"Q \"\"2\"\"; spare\",7999950,2.301e-14,1.72E-2,15,1,0\n",
                                    "c.csv"),
                17.15);
    expectBatch(readCrystalBatchCsv("LM;XTAL;FS;RM;CO\n"
                                    "0,01715;X1;8000100;12,5;3,3E-12\n"
                                    "0,0172;\"Q \"\"2\"\"; spare\";7999950;15;0\n",
                                    "d.csv"),
                17.15);
    // The limits themselves are allowed.
    EXPECT_EQ(
        readCrystalBatchCsv("name,fs_khz,lm_mh,rm_ohm,c0_pf\n"
                            "low,10,0.001,1.0000001e-3,0\nhigh,500000,100000,99999.999,1000\n",
                            "e.csv")
            .crystals.size(),
        2u);
}

TEST(CrystalBatchCsv, EachBadFileGivesItsMessage) {
    const std::string header = "name,fs_khz,lm_mh,rm_ohm,c0_pf\n";
    const std::string good = "X1,8000,17,12,3\n";
    const struct {
        std::string content;
        std::string message;
    } cases[] = {
        {"name,fs_khz,lm_mh,rm_ohm,c0_pf,temp\n" + good, "line 1: unknown column 'temp'"},
        {"name,fs_khz,lm_mh,FS,rm_ohm,c0_pf\n" + good, "line 1: unknown column 'FS'"},
        {"name,fs_khz,rm_ohm,c0_pf\n", "line 1: the column 'lm_mh' or 'cm_ff' is missing"},
        {"name,fs_khz,lm_mh,rm_ohm,fs_khz,c0_pf\n", "line 1: the column 'fs_khz' appears twice"},
        {"crystal,fs_khz,lm_mh,rm_ohm,c0_pf\n",
         "line 1: the header has neither a 'name' nor an 'XTAL' column"},
        {header + good + "X2,8000,,12,3\n", "line 3: the value in column 'lm_mh' is missing"},
        {header + "X2,8000,17\n", "line 2: the value in column 'rm_ohm' is missing"},
        {header + ",8000,17,12,3\n", "line 2: the value in column 'name' is missing"},
        {header + "X2,8000,17.1x,12,3\n", "line 2: '17.1x' in column 'lm_mh' is not a number"},
        {header + "X2,8000,17,5,12,3\n", "line 2: more values than columns"},
        {header + "X\r2,8000,17,12,3\n", "line 2: the name holds a line break"},
        {header + "\"X2,8000,17,12,3\n", "line 2: a quoted value is not closed"},
        {header + "X2,9.999,17,12,3\n", "line 2: Fs must lie from 10 kHz to 500 MHz"},
        {header + "X2,500001,17,12,3\n", "line 2: Fs must lie from 10 kHz to 500 MHz"},
        {header + "X2,8000,0.0009,12,3\n", "line 2: Lm must lie from 1 µH to 100 H"},
        {header + "X2,8000,100001,12,3\n", "line 2: Lm must lie from 1 µH to 100 H"},
        {header + "X2,8000,17,0.001,3\n", "line 2: Rm must lie above 1 mohm and below 100 kohm"},
        {header + "X2,8000,17,100000,3\n", "line 2: Rm must lie above 1 mohm and below 100 kohm"},
        {header + "X2,8000,17,12,-0.1\n", "line 2: C0 must lie from 0 to 1000 pF"},
        {header + "X2,8000,17,12,1000.1\n", "line 2: C0 must lie from 0 to 1000 pF"},
        {header + good + "X2,8000,17,12,3\n \"X1\" ,8001,17,12,3\n",
         "line 4: the name 'X1' is already used on line 2"},
        {"name,fs_khz,lm_mh,rm_ohm,c0_pf,spur1_khz,spur1_lm_mh\n",
         "line 1: the column 'spur1_rm_ohm' is missing"},
        {"name,fs_khz,lm_mh,rm_ohm,c0_pf,spur2_rm_ohm,spur2_khz,spur2_lm_mh\n" +
             good.substr(0, 15) + ",,,\nX2,8000,17,12,3,,,40\n",
         "line 3: a spurious mode needs all three of 'spur2_khz', 'spur2_lm_mh' and "
         "'spur2_rm_ohm', or none of them"},
        {"name,fs_khz,lm_mh,rm_ohm,c0_pf,spur1_khz,spur1_lm_mh,spur1_rm_ohm\nX2,8000,17,12,3,801,"
         "40,"
         "60\n",
         "line 2: a spurious mode must lie above Fs by at most 10 % of Fs"},
        {"XTAL,FS,CM,LM,RM,QU,CO\nX1,8000100,23.4e-15,0.01715,12.5,1,3.3e-12\n",
         "line 2: Cm 23.4 fF disagrees by more than 1 % with the 23.0773 fF that Fs and Lm give"},
    };
    for (const auto& c : cases) {
        expectCommandError([&] { readCrystalBatchCsv(c.content, "bad.csv"); },
                           "Cannot read the crystal batch 'bad.csv', " + c.message);
    }
    expectCommandError([&] { readCrystalBatchCsv(header + "\n", "none.csv"); },
                       "Cannot read the crystal batch 'none.csv': the file holds no crystals");
}

TEST(CrystalBatchCsv, WrittenBatchReadsBackExactly) {
    const CrystalBatch batch{{
        {"X1", 8000.1, 17.148006028664945, 0.1 + 0.2, 3.3},
        {"a, \"b\"; c", 10, 1e-3, 99999.999999999985, 0},
        {" padded ", 499999.99999999994, 1.0 / 3, 1.0000000000000002e-3, 1000},
    }};
    const std::string text = writeCrystalBatchCsv(batch);
    EXPECT_TRUE(
        text.starts_with("name,fs_khz,lm_mh,rm_ohm,c0_pf\nX1,8000.1000000000004,17.148006028664945,"
                         "0.30000000000000004,3.2999999999999998\n\"a, \"\"b\"\"; c\",10,0.001,"));
    EXPECT_EQ(readCrystalBatchCsv(text, "own.csv"), batch);

    // Spurious modes add their columns, as many as the crystal with the most needs.
    CrystalBatch spurred = batch;
    spurred.crystals[0].spurious = {{0.1 + 0.2, 17.15, 1e-2}, {30.5, 40, 60}};
    spurred.crystals[2].spurious = {{1.0 / 3, 1e-3, 99999}};
    const std::string spurredText = writeCrystalBatchCsv(spurred);
    EXPECT_TRUE(spurredText.starts_with(
        "name,fs_khz,lm_mh,rm_ohm,c0_pf,spur1_khz,spur1_lm_mh,spur1_rm_ohm,spur2_khz,"
        "spur2_lm_mh,spur2_rm_ohm\nX1,8000.1000000000004,17.148006028664945,0.30000000000000004,"
        "3.2999999999999998,0.30000000000000004,17.149999999999999,0.01,30.5,40,60\n"));
    EXPECT_NE(spurredText.find(",1000,0.33333333333333331,0.001,99999,,,\n"), std::string::npos);
    EXPECT_EQ(readCrystalBatchCsv(spurredText, "own.csv"), spurred);
    // A spreadsheet may end a row before its empty last cells.
    std::string cut = spurredText;
    cut.replace(cut.find(",,,\n"), 4, "\n");
    EXPECT_EQ(readCrystalBatchCsv(cut, "own.csv"), spurred);
}

}  // namespace
}  // namespace trellon
