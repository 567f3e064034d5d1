#include "CliRunner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "DesignRun.h"
#include "JsonReader.h"
#include "NumberText.h"

namespace trellon {
namespace {

struct CliResult {
    int status;
    std::string out;
    std::string err;

    bool hasLine(const std::string& line) const {
        std::istringstream lines(out);
        for (std::string l; std::getline(lines, l);) {
            if (l == line) {
                return true;
            }
        }
        return false;
    }
};

CliResult runCli(const std::vector<std::string>& arguments, char separator = '.') {
    std::ostringstream out, err;
    const int status = cli::cliMain(arguments, separator, out, err);
    return {status, out.str(), err.str()};
}

TEST(Cli, EightCrystalCwPrintsItsElementValues) {
    const CliResult r = runCli({"--topology", "7", "--response", "8"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"EditRin=1327", "EditC1=40.94", "EditC2=86.5", "EditC3=32.82", "EditC4Cw8=22.73",
          "EditC5Cw8=28.22", "EditC6Cw8=104.5", "EditC7Cw8=29.82", "EditC8Cw8=19.59"}) {
        EXPECT_TRUE(r.hasLine(line)) << line << " missing in\n" << r.out;
    }
}

TEST(Cli, ExitStatusTellsCompletedStoppedOrMisused) {
    const CliResult stopped = runCli({"--rd", "0"});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find("Активное сопротивление должно быть отлично от нуля !"),
              std::string::npos);
    const CliResult notANumber = runCli({"--ld", "17.15x"});
    EXPECT_EQ(notANumber.status, 1);
    EXPECT_NE(notANumber.err.find("'17.15x' is not a valid floating point value"),
              std::string::npos);
    for (const std::vector<std::string>& misuse :
         std::vector<std::vector<std::string>>{{"--bogus", "1"},
                                               {"--topology", "9"},
                                               {"--response=0"},
                                               {"--fo"},
                                               {"8863"},
                                               {"--json=yes"}}) {
        const CliResult r = runCli(misuse);
        EXPECT_EQ(r.status, 2) << misuse[0];
        EXPECT_TRUE(r.out.empty()) << misuse[0];
        EXPECT_FALSE(r.err.empty()) << misuse[0];
    }
}

TEST(Cli, OptionValuesMayFollowAnEqualsSignOrTheNextArgument) {
    const CliResult spaced = runCli({"--topology", "2", "--response", "2", "--ld", "17.15"});
    const CliResult joined = runCli({"--topology=2", "--response=2", "--ld=17.15"});
    EXPECT_EQ(spaced.status, 0);
    EXPECT_TRUE(spaced.hasLine("EditRin=395"));
    EXPECT_EQ(joined.out, spaced.out);
    EXPECT_EQ(runCli({"--level=-10"}).status, 0);
}

TEST(Cli, FieldsUseTheDecimalSeparator) {
    const CliResult chosen = runCli({"--decimal-separator", ","});
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_TRUE(chosen.hasLine("EditRin=501,1"));
    EXPECT_TRUE(chosen.hasLine("EditC1=25,34"));
    // The system's separator is the default; typed numbers may use either mark.
    const CliResult system = runCli({"--fo", "8863,682"}, ',');
    EXPECT_TRUE(system.hasLine("EditC2=76,02"));
}

// The JSON numbers carry enough digits to read back as the very doubles the engine computed.
TEST(Cli, JsonIsOneObjectWithExactNumbers) {
    const CliResult r = runCli({"--topology", "7", "--response", "8", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const JsonValue json = JsonReader::read(r.out);
    ASSERT_EQ(json.kind, JsonValue::Kind::Object);

    DesignRun run;
    ASSERT_TRUE(run.synthesize(7, 8));
    const DesignState& s = run.state();
    auto number = [&json](const std::string& name) {
        const JsonValue* v = json.member(name);
        EXPECT_TRUE(v != nullptr && v->kind == JsonValue::Kind::Number) << name;
        return v == nullptr ? std::numeric_limits<double>::quiet_NaN() : TextToFloat(v->text, '.');
    };
    EXPECT_EQ(json.member("tableKey")->text, "T08C-54-");
    EXPECT_EQ(number("rterm"), s.Rsource);
    EXPECT_EQ(number("rin"), s.Rin);
    EXPECT_EQ(number("cq"), s.Cq);
    EXPECT_EQ(number("levelAtFo"), s.LevelAtFo);
    EXPECT_EQ(number("attenuationAtFo"), s.AttenuationAtFo);
    const JsonValue* cap = json.member("cap");
    ASSERT_NE(cap, nullptr);
    ASSERT_EQ(cap->items.size(), 25u);
    for (int slot = 1; slot <= 25; ++slot) {
        EXPECT_EQ(TextToFloat(cap->items[slot - 1].text, '.'), s.Cap[slot]) << "slot " << slot;
    }
    const JsonValue* messages = json.member("messages");
    ASSERT_NE(messages, nullptr);
    EXPECT_EQ(messages->kind, JsonValue::Kind::Array);
    EXPECT_TRUE(messages->items.empty());
}

TEST(Cli, SpiceOptionWritesADeck) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("trellon-cli-" + std::to_string(getpid()) + ".cir");
    const CliResult r = runCli({"--topology", "3", "--spice", file.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    std::ifstream in(file);
    const std::string deck((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(file);
    EXPECT_TRUE(deck.starts_with("* Trellon")) << deck;
    EXPECT_NE(deck.find("\nR11 n11 0 "), std::string::npos) << deck;
    EXPECT_NE(deck.find("\nac lin "), std::string::npos) << deck;
    EXPECT_TRUE(deck.ends_with(".end\n")) << deck;
}

// The installed program itself, as a user runs it.
TEST(Cli, ProgramRunsFromTheShell) {
    const char* program = std::getenv("TRELLON_CLI");
    ASSERT_NE(program, nullptr) << "TRELLON_CLI is not set";
    auto run = [program](const std::string& arguments, std::string& out) {
        const std::string command =
            std::string("LC_ALL=C '") + program + "' " + arguments + " 2>/dev/null";
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            out.append(buffer, n);
        }
        const int status = pclose(pipe);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    std::string out;
    EXPECT_EQ(run("--topology 7 --response 8", out), 0);
    EXPECT_NE(out.find("EditRin=1327\n"), std::string::npos) << out;
    std::string ignored;
    EXPECT_EQ(run("--topology 9", ignored), 2);
}

}  // namespace
}  // namespace trellon
