#include "CalculationReport.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace trellon {
namespace {

using Lines = std::vector<std::string>;

// Records what the report does to a view.
class RecordingView : public TextView {
public:
    void show() override { shown = true; }
    void appendLine(const std::string& line) override { lines.push_back(line); }

    bool shown = false;
    Lines lines;
};

const std::string kLogEnd(57, '=');

// The worked 3-crystal Butterworth design: pass band 3100 Hz, level -10 dB.
DesignState workedExample() {
    DesignState state;
    state.Topology = 1;
    state.TableKey = "B03-";
    state.Fo = 8863.5;
    state.FAmin = 8863500 + 1530;
    state.Amin = 1.234;
    state.AttenuationAtFo = 4.5678;
    state.FrLevel = -10;
    state.BandWidthAtLevel = 3231;
    state.SWR = 1;
    state.Kref = 0;
    state.Rin = 123.44;
    state.Cap[11] = 56.781;
    state.Cap[1] = 123.44;
    return state;
}

class CalculationReportTest : public ::testing::Test {
protected:
    void write(char separator = '.') {
        WriteCalculationReport(state, results, log, texts, separator);
    }

    DesignState state = workedExample();
    ReportTexts texts{"Butt. dA=3 dB", "3100", "-10"};
    RecordingView results;
    RecordingView log;
};

TEST_F(CalculationReportTest, WorkedExampleWithPoint) {
    state.LogLastLine = 12;
    write('.');
    EXPECT_TRUE(results.shown);
    EXPECT_EQ(results.lines,
              (Lines{"----------------", "[B03-3100]", "Amin=1.23 dB;", "F(Amin)=Fo+1530 Hz;",
                     "A(Fo)=4.568 dB;", "dF(-10 dB)=3231 Hz;", "SWR=1; Kref=0%."}));
    EXPECT_EQ(log.lines,
              (Lines{" ", "---------------- [B03-3100] ----------------",
                     "Butt. dA=3 dB;  dF=3100 Hz;  FR Level=-10 dB;  SWR=1;  Kref=0%;",
                     "Amin=1.23 dB;  F(Amin)=Fo+1530 Hz;  A(Fo)=4.568 dB;  dF(-10 dB)=3231 Hz;",
                     "Rin=Rout=123.4 Ohm;  C1=C4=56.78 pF;  C2=C3=123.4 pF.", kLogEnd}));
    EXPECT_EQ(state.LogLastLine, 18);
    EXPECT_TRUE(state.LogUnsaved);
}

// Computed numbers take the comma; the typed level keeps its comma and trailing zero, the
// response name keeps its point.
TEST_F(CalculationReportTest, CommaSeparatorReachesNumbersButNotTypedTexts) {
    texts.level = "-10,50";
    state.FrLevel = -10.5;
    write(',');
    EXPECT_EQ(results.lines,
              (Lines{"----------------", "[B03-3100]", "Amin=1,23 dB;", "F(Amin)=Fo+1530 Hz;",
                     "A(Fo)=4,568 dB;", "dF(-10,5 dB)=3231 Hz;", "SWR=1; Kref=0%."}));
    EXPECT_EQ(log.lines,
              (Lines{" ", "---------------- [B03-3100] ----------------",
                     "Butt. dA=3 dB;  dF=3100 Hz;  FR Level=-10,50 dB;  SWR=1;  Kref=0%;",
                     "Amin=1,23 dB;  F(Amin)=Fo+1530 Hz;  A(Fo)=4,568 dB;  dF(-10,5 dB)=3231 Hz;",
                     "Rin=Rout=123,4 Ohm;  C1=C4=56,78 pF;  C2=C3=123,4 pF.", kLogEnd}));
}

TEST_F(CalculationReportTest, LogGrowsByTheLineCountOfEachTopology) {
    const int expectedCounts[] = {6, 6, 7, 7, 6, 7, 8};
    state.LogLastLine = 3;
    for (int topology = 1; topology <= 7; ++topology) {
        SCOPED_TRACE(topology);
        const auto logBefore = log.lines.size();
        const int lastLineBefore = state.LogLastLine;
        state.Topology = topology;
        state.LogUnsaved = false;
        write();
        const int count = expectedCounts[topology - 1];
        EXPECT_EQ(log.lines.size() - logBefore, static_cast<size_t>(count));
        EXPECT_EQ(state.LogLastLine - lastLineBefore, count);
        EXPECT_EQ(log.lines.back(), kLogEnd);
        EXPECT_TRUE(state.LogUnsaved);
    }
}

TEST_F(CalculationReportTest, UnknownTopologyAppendsNothingButMarksTheLogUnsaved) {
    for (int topology : {0, 8}) {
        state.Topology = topology;
        state.LogUnsaved = false;
        state.LogLastLine = 5;
        write();
        EXPECT_TRUE(results.lines.empty());
        EXPECT_TRUE(log.lines.empty());
        EXPECT_EQ(state.LogLastLine, 5);
        EXPECT_TRUE(state.LogUnsaved);
    }
}

TEST_F(CalculationReportTest, PeakOffsetUsesFourSignificantDigits) {
    state.FAmin = 8863500 + 12340;
    write();
    EXPECT_EQ(results.lines[3], "F(Amin)=Fo+1.234E4 Hz;");
    EXPECT_NE(log.lines[3].find("F(Amin)=Fo+1.234E4 Hz;"), std::string::npos);

    state.FAmin = 8863500 + 9990;
    results.lines.clear();
    write();
    EXPECT_EQ(results.lines[3], "F(Amin)=Fo+9990 Hz;");
}

TEST_F(CalculationReportTest, CwLogCarriesTheCcorNote) {
    state.Topology = 5;
    state.TableKey = "B04-";
    state.CcorNote = "Ccor=82 pF";
    state.Cap[21] = 33.33;
    state.Cap[20] = 470;
    write();
    EXPECT_EQ(
        log.lines,
        (Lines{" ", "---------------- [B04-3100] ----------------",
               "Butt. dA=3 dB;  Ccor=82 pF;  dF=3100 Hz;  FR Level=-10 dB;  SWR=1;  Kref=0%;",
               "Amin=1.23 dB;  F(Amin)=Fo+1530 Hz;  A(Fo)=4.568 dB;  dF(-10 dB)=3231 Hz;",
               "Rin=Rout=123.4 Ohm;  C1=C7=56.78 pF;  C2=C6=123.4 pF;  C3=C5=33.33 pF;  C4=470 pF.",
               kLogEnd}));
}

TEST_F(CalculationReportTest, CwReportWithEmptyNoteKeepsItsPlaces) {
    state.Topology = 6;
    state.CcorNote.clear();
    write();
    EXPECT_EQ(results.lines[2], "");
    EXPECT_EQ(log.lines[2], "Butt. dA=3 dB;  ;  dF=3100 Hz;  FR Level=-10 dB;  SWR=1;  Kref=0%;");
}

// Each topology's own results lines and element lines. Every table slot holds 100 + its
// number, so a capacitor read from the wrong slot shows.
struct TopologyCase {
    int topology;
    Lines results;
    Lines elements;
};

void PrintTo(const TopologyCase& layoutCase, std::ostream* out) {
    *out << "topology " << layoutCase.topology;
}

class CalculationReportLayoutTest : public ::testing::TestWithParam<TopologyCase> {};

TEST_P(CalculationReportLayoutTest, ResultsAndElementLinesFollowTheSchematic) {
    const TopologyCase& expected = GetParam();
    DesignState state = workedExample();
    state.Topology = expected.topology;
    state.TableKey = "C05-";
    state.SWR = 1.2345;
    state.Kref = 10.456;
    state.Rin = 50;
    state.CcorNote = "Ccor=82 pF";
    for (int slot = 1; slot <= 25; ++slot) {
        state.Cap[slot] = 100 + slot;
    }
    RecordingView results;
    RecordingView log;
    WriteCalculationReport(state, results, log, {"Cheb. dA=0.1 dB", "500", "-10"}, '.');

    EXPECT_EQ(results.lines, expected.results);
    ASSERT_EQ(log.lines.size(), 4 + expected.elements.size() + 1);
    EXPECT_EQ(Lines(log.lines.begin() + 4, log.lines.end() - 1), expected.elements);
}

const Lines kPlainResults{"----------------",     "[C05-500]",       "Amin=1.23 dB;",
                          "F(Amin)=Fo+1530 Hz;",  "A(Fo)=4.568 dB;", "dF(-10 dB)=3231 Hz;",
                          "SWR=1.23; Kref=10.5%."};
const Lines kCwResults{
    "------------------",  "[C05-500]",       "Ccor=82 pF",          "Amin=1.23 dB;",
    "F(Amin)=Fo+1530 Hz;", "A(Fo)=4.568 dB;", "dF(-10 dB)=3231 Hz;", "SWR=1.23; Kref=10.5%."};

INSTANTIATE_TEST_SUITE_P(
    AllTopologies, CalculationReportLayoutTest,
    ::testing::Values(
        TopologyCase{1, kPlainResults, {"Rin=Rout=50 Ohm;  C1=C4=111 pF;  C2=C3=101 pF."}},
        TopologyCase{
            2, kPlainResults, {"Rin=Rout=50 Ohm;  C1=C5=111 pF;  C2=C4=101 pF;  C3=102 pF."}},
        TopologyCase{3,
                     {"----------------", "[C05-500]", "F(Amin)=Fo+1530 Hz;", "Amin=1.23 dB;",
                      "A(Fo)=4.568 dB;", "dF(-10 dB)=3231 Hz;", "SWR=1.23; Kref=10.5%."},
                     {"Rin=Rout=50 Ohm;  C1=C9=111 pF;  C2=C8=101 pF;  C3=C7=102 pF;",
                      "C4=C6=105 pF;  C5=106 pF."}},
        TopologyCase{4,
                     {"----------------", "[C05-500]", "Amin=1.23dB;", "F(Amin)=Fo+1530 Hz;",
                      "A(Fo)=4.568 dB;", "dF(-10 dB)=3231Hz;", "SWR=1.23; Kref=10.5%."},
                     {"Rin=Rout=50 Ohm;  C1=C13=111 pF;  C2=C12=101 pF;  C3=C11=102 pF;",
                      "C4=C10=115 pF;  C5=C9=113 pF;  C6=C8=116 pF;  C7=104 pF."}},
        TopologyCase{5,
                     {"------------------", "[C05-500]", "Ccor=82 pF", "Amin=1.23 dB;",
                      "F(Amin)=Fo+1530 Hz;", "A(Fo)=4.568 dB;", "dF(-10 dB)=3231 Hz.",
                      "SWR=1.23; Kref=10.5%."},
                     {"Rin=Rout=50 Ohm;  C1=C7=111 pF;  C2=C6=101 pF;  C3=C5=121 pF;  C4=120 pF."}},
        TopologyCase{6,
                     kCwResults,
                     {"Rin=Rout=50 Ohm;  C1=C11=111 pF;  C2=C10=101 pF;",
                      "C3=C9=125 pF;  C4=C8=123 pF;  C5=C7=124 pF;  C6=103 pF."}},
        TopologyCase{7,
                     {"------------------", "[C05-500]", "Ccor=82 pF", "Amin=1.23  dB;",
                      "F(Amin)=Fo+1530 Hz;", "A(Fo)=4.568  dB;", "dF(-10 dB)=3231 Hz;",
                      "SWR=1.23; Kref=10.5%."},
                     {"Rin=Rout=50 Ohm;  C1=C15=118 pF;  C2=C14=102 pF;",
                      "C3=C13=103 pF;  C4=C12=104 pF;  C5=C11=105 pF;",
                      "C6=C10=106 pF;  C7=C9=107 pF;  C8=108 pF."}}),
    [](const ::testing::TestParamInfo<TopologyCase>& info) {
        return "Topology" + std::to_string(info.param.topology);
    });

}  // namespace
}  // namespace trellon
