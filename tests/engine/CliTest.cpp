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
#include <nlohmann/json.hpp>
#include <sstream>

#include "DesignRun.h"
#include "NumberText.h"
#include "TinyFileSizeLimit.h"

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

// The JSON numbers read back as the very doubles the engine computed.
TEST(Cli, JsonIsOneObjectWithExactNumbers) {
    const CliResult r = runCli({"--topology", "7", "--response", "8", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json json = nlohmann::json::parse(r.out);
    ASSERT_TRUE(json.is_object());

    DesignRun run;
    ASSERT_TRUE(run.synthesize(7, 8));
    const DesignState& s = run.state();
    EXPECT_EQ(json.at("tableKey"), "T08C-54-");
    EXPECT_EQ(json.at("rterm").get<double>(), s.Rsource);
    EXPECT_EQ(json.at("rin").get<double>(), s.Rin);
    EXPECT_EQ(json.at("cq").get<double>(), s.Cq);
    EXPECT_EQ(json.at("levelAtFo").get<double>(), s.LevelAtFo);
    EXPECT_EQ(json.at("attenuationAtFo").get<double>(), s.AttenuationAtFo);
    const std::vector<double> cap = json.at("cap");
    ASSERT_EQ(cap.size(), 25u);
    for (int slot = 1; slot <= 25; ++slot) {
        EXPECT_EQ(cap[slot - 1], s.Cap[slot]) << "slot " << slot;
    }
    EXPECT_EQ(json.at("messages"), nlohmann::json::array());
    EXPECT_TRUE(json.at("pointCount").is_number_integer());

    // A typed text that is not UTF-8 comes back in the message with a replacement character.
    const CliResult bytes = runCli({"--ld", "17\xFF", "--json"});
    EXPECT_EQ(bytes.status, 1);
    EXPECT_EQ(nlohmann::json::parse(bytes.out).at("messages").at(0),
              "'17\uFFFD' is not a valid floating point value");
}

// A file that cannot be written fails the run after the results, with the name and the reason,
// and leaves what was there before.
TEST(Cli, FileThatCannotBeWrittenFailsTheRunAfterTheResults) {
    const CliResult device = runCli({"--spice", "/dev/full"});
    EXPECT_EQ(device.status, 1);
    EXPECT_TRUE(device.hasLine("EditRin=501.1")) << device.out;
    EXPECT_EQ(device.err, "Cannot create the SPICE deck '/dev/full': it is not a regular file\n");

    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("trellon-cli-" + std::to_string(getpid()) + ".csv");
    std::ofstream(file) << "old";
    CliResult cut;
    {
        test::TinyFileSizeLimit limit;
        cut = runCli({"--points", file.string()});
    }
    std::ifstream in(file);
    const std::string kept((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(file);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err, "Cannot write the points file '" + file.string() + "': File too large\n");
    EXPECT_EQ(kept, "old");

    // "-" is standard output: the table follows the results there.
    const CliResult out = runCli({"--points", "-"});
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_NE(out.out.find("\ndetuning_khz,level_db\n"), std::string::npos) << out.out;
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
