#include "Synthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

#include "CommandError.h"
#include "DesignRun.h"
#include "Messages.h"
#include "TopologyDescription.h"

namespace trellon {
namespace {

using Fields = std::map<ResultField, std::string>;
using enum ResultField;

// Design examples worked by hand, under either decimal separator of the locale.
class SynthesisExample : public ::testing::TestWithParam<char> {
protected:
    // Fo typed with the locale's mark and Ld with the other one: both must be read.
    DesignTexts texts() const {
        DesignTexts t = startupTexts();
        t.fo = local("8863.682");
        t.ld = GetParam() == '.' ? "17,15" : "17.15";
        return t;
    }
    std::string local(std::string text) const {
        for (char& c : text) {
            if (c == '.') {
                c = GetParam();
            }
        }
        return text;
    }
    Fields localFields(const Fields& fields) const {
        Fields result;
        for (const auto& [field, text] : fields) {
            result[field] = local(text);
        }
        return result;
    }
};

TEST_P(SynthesisExample, ThreeCrystalButterworth) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(1, 1, texts(), GetParam()));
    EXPECT_TRUE(run.view.warnings.empty());
    EXPECT_EQ(run.view.fields, localFields({{EditRin, "501.1"},
                                            {EditC5, "501.1"},
                                            {EditC1, "25.34"},
                                            {EditC2, "76.02"},
                                            {EditC3, "76.02"},
                                            {EditC5Cw8, "25.34"}}));
    const DesignState& s = run.state();
    EXPECT_EQ(s.Fo, 8863.682);
    EXPECT_EQ(s.Ld, 17.15);
    // Cap[1] is K12 = Xs * sqrt(G1 G2) with G1 G2 = 2; the end ratio G2 G3 / G1^2 is 2.
    EXPECT_NEAR(s.Cap[1] / std::sqrt(2.0), 53.75, 0.005);
    EXPECT_NEAR(s.Rsource, 334.0, 0.05);
    EXPECT_EQ(s.Rload, s.Rsource);
    EXPECT_NEAR(s.Rin / s.Rsource, 1.5, 1e-14);
    EXPECT_NEAR(s.Cap[11] * 3, s.Cap[1], 1e-12);
}

TEST_P(SynthesisExample, FourCrystalChebyshev) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(2, 2, texts(), GetParam()));
    EXPECT_EQ(run.view.fields, localFields({{EditRin, "395"},
                                            {EditRout4, "395"},
                                            {EditC1, "29.72"},
                                            {EditC2, "76.3"},
                                            {EditC3, "99.24"},
                                            {EditC5Cw8, "76.3"},
                                            {EditC6Cw8, "29.72"}}));
}

TEST_P(SynthesisExample, EightCrystalCwChebyshev) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(7, 8, texts(), GetParam()));
    EXPECT_EQ(run.view.fields, localFields({{EditRin, "1327"},
                                            {EditRoutCw8, "1327"},
                                            {EditC1, "40.94"},
                                            {EditC2, "86.5"},
                                            {EditC3, "32.82"},
                                            {EditC4Cw8, "22.73"},
                                            {EditC5Cw8, "28.22"},
                                            {EditC6Cw8, "104.5"},
                                            {EditC7Cw8, "29.82"},
                                            {EditC8Cw8, "19.59"},
                                            {EditC9Cw8, "29.82"},
                                            {EditC10Cw8, "104.5"},
                                            {EditC11Cw8, "28.22"},
                                            {EditC12Cw8, "22.73"},
                                            {EditC13Cw8, "32.82"},
                                            {EditC14Cw8, "86.5"},
                                            {EditC15Cw8, "40.94"}}));
    EXPECT_EQ(run.state().Ccor, 82);
}

INSTANTIATE_TEST_SUITE_P(Separators, SynthesisExample, ::testing::Values('.', ','));

// What a stopped run must leave exactly as it was.
void expectSameDesign(const DesignState& a, const DesignState& b) {
    EXPECT_EQ(a.Fo, b.Fo);
    EXPECT_EQ(a.dF, b.dF);
    EXPECT_EQ(a.Ld, b.Ld);
    EXPECT_EQ(a.Cs, b.Cs);
    EXPECT_EQ(a.Rd, b.Rd);
    EXPECT_EQ(a.Ccor, b.Ccor);
    EXPECT_EQ(a.TableKey, b.TableKey);
    EXPECT_EQ(a.G1, b.G1);
    EXPECT_EQ(a.Cq, b.Cq);
    EXPECT_EQ(a.Rsource, b.Rsource);
    EXPECT_EQ(a.Rin, b.Rin);
    EXPECT_EQ(a.Cap, b.Cap);
    EXPECT_EQ(a.LevelAtFo, b.LevelAtFo);
    EXPECT_EQ(a.AttenuationAtFo, b.AttenuationAtFo);
}

TEST(SynthesisStops, OnAnEmptyTextWithOnlyTheMessage) {
    for (std::string DesignTexts::*field :
         {&DesignTexts::fo, &DesignTexts::ld, &DesignTexts::cs, &DesignTexts::rd,
          &DesignTexts::ccor, &DesignTexts::dF}) {
        DesignRun run;
        ASSERT_TRUE(run.synthesize(1, 1));
        const DesignState before = run.state();
        run.state().Calculated = false;
        DesignTexts texts = startupTexts();
        texts.*field = "";
        EXPECT_FALSE(run.synthesize(7, 8, texts));
        EXPECT_EQ(run.view.events,
                  (std::vector<std::string>{"results panel",
                                            std::string("warning ") + messages::kMissingData}));
        EXPECT_TRUE(run.state().Calculated);
        expectSameDesign(run.state(), before);
        EXPECT_EQ(run.engine->netlist.nodeCount, 13);
    }
}

TEST(SynthesisStops, EmptyTextIsFoundBeforeAZeroResistanceText) {
    DesignRun run;
    DesignTexts texts = startupTexts();
    texts.rd = "0";
    texts.dF = "";
    EXPECT_FALSE(run.synthesize(1, 1, texts));
    EXPECT_EQ(run.view.warnings, std::vector<std::string>{messages::kMissingData});
}

TEST(SynthesisStops, BlankTextIsNotEmptyButIsNoNumber) {
    DesignRun run;
    DesignTexts texts = startupTexts();
    texts.cs = " ";
    EXPECT_THROW(run.synthesize(1, 1, texts), CommandError);
    EXPECT_TRUE(run.view.warnings.empty());
}

TEST(SynthesisStops, OnResistanceTextZeroBeforeParsingAnything) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(1, 1));
    const DesignState before = run.state();
    DesignTexts texts = startupTexts();
    texts.rd = "0";
    texts.fo = "abc";
    EXPECT_FALSE(run.synthesize(4, 2, texts));
    EXPECT_EQ(run.view.warnings, std::vector<std::string>{messages::kZeroResistance});
    EXPECT_TRUE(run.view.fields.empty());
    expectSameDesign(run.state(), before);
}

// Other texts that denote zero pass the text check; the values are computed and shown, and
// only then is the design refused, before any circuit is built.
class ZeroResistanceValue : public ::testing::TestWithParam<const char*> {};

TEST_P(ZeroResistanceValue, IsRefusedAfterTheFieldsAreShown) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(1, 1));
    const double levelBefore = run.state().LevelAtFo;
    DesignTexts texts = startupTexts();
    texts.rd = GetParam();
    EXPECT_FALSE(run.synthesize(4, 1, texts));
    const std::vector<std::string>& events = run.view.events;
    ASSERT_EQ(events.size(), 1 + 15 + 1u);
    EXPECT_EQ(events.front(), "results panel");
    EXPECT_EQ(events.back(), std::string("warning ") + messages::kZeroResistance);
    EXPECT_EQ(run.view.warnings.size(), 1u);
    EXPECT_EQ(run.state().Rd, 0);
    EXPECT_EQ(run.state().TableKey, "B08-");
    EXPECT_EQ(run.engine->netlist.nodeCount, 13);
    EXPECT_EQ(run.state().LevelAtFo, levelBefore);
}

INSTANTIATE_TEST_SUITE_P(Texts, ZeroResistanceValue, ::testing::Values("0.0", "0,0", "00", "-0"));

TEST(SynthesisStops, TextThatIsNotANumberEndsTheCommand) {
    DesignRun run;
    DesignTexts texts = startupTexts();
    texts.ld = "17.15x";
    try {
        run.synthesize(1, 1, texts);
        ADD_FAILURE() << "no error";
    } catch (const CommandError& error) {
        EXPECT_STREQ(error.what(), "'17.15x' is not a valid floating point value");
    }
    EXPECT_TRUE(run.view.fields.empty());
}

TEST(SynthesisStops, ZeroDivisorEndsTheCommandNamingItsField) {
    struct Case {
        int topology;
        std::string DesignTexts::*text;
        const char* field;
    };
    for (const Case& c : {Case{1, &DesignTexts::fo, "Fo"}, Case{3, &DesignTexts::dF, "dF"},
                          Case{2, &DesignTexts::ld, "Ld"}, Case{5, &DesignTexts::ccor, "Ccor"},
                          Case{7, &DesignTexts::ccor, "Ccor"}}) {
        DesignRun run;
        DesignTexts texts = startupTexts();
        texts.*c.text = "0,0";
        try {
            run.synthesize(c.topology, 1, texts);
            ADD_FAILURE() << c.field << " 0 accepted";
        } catch (const CommandError& error) {
            EXPECT_NE(std::string(error.what()).find(c.field), std::string::npos) << error.what();
        }
        EXPECT_TRUE(run.view.fields.empty()) << c.field;
        EXPECT_TRUE(run.view.warnings.empty()) << c.field;
    }
}

TEST(Synthesis, CcorIsReadForEveryTopologyButKeptOnlyByCw) {
    DesignRun run;
    DesignTexts texts = startupTexts();
    ASSERT_TRUE(run.synthesize(2, 1, texts));
    EXPECT_EQ(run.state().Ccor, 0);
    texts.ccor = "0";
    EXPECT_TRUE(run.synthesize(2, 1, texts));
    texts.ccor = "82 pF";
    EXPECT_THROW(run.synthesize(2, 1, texts), CommandError);
    texts.ccor = "82";
    ASSERT_TRUE(run.synthesize(5, 1, texts));
    EXPECT_EQ(run.state().Ccor, 82);
}

TEST(Synthesis, RefusesATopologyItHasNoFormulasForBeforeShowingOrChangingAnything) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(kTopologyCount, 8));
    const DesignState before = run.state();
    for (int topology : {0, kTopologyCount + 1}) {
        EXPECT_THROW(run.synthesize(topology, 1), std::logic_error) << topology;
        EXPECT_TRUE(run.view.events.empty()) << topology;
        EXPECT_EQ(run.state().Cap, before.Cap) << topology;
        EXPECT_EQ(run.state().G1, before.G1) << topology;
    }
}

TEST(Synthesis, SlotsTheTopologyDoesNotWriteKeepEarlierValues) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(7, 8));
    const auto before = run.state().Cap;
    ASSERT_TRUE(run.synthesize(1, 1));
    for (int slot = 1; slot <= 25; ++slot) {
        if (slot != 1 && slot != 11) {
            EXPECT_EQ(run.state().Cap[slot], before[slot]) << "slot " << slot;
        }
    }
}

}  // namespace
}  // namespace trellon
