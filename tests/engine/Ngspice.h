#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "CrystalFormulas.h"
#include "NumberText.h"

namespace trellon {

struct SpicePoint {
    double frequency;  // Hz
    double levelDb;
};

// The rows "index frequency level" of the tables ngspice prints; headers and notes are skipped.
inline std::vector<SpicePoint> printedTable(const std::string& output) {
    std::vector<SpicePoint> points;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<std::string> columns;
        for (std::string word; words >> word;) {
            columns.push_back(word);
        }
        if (columns.size() == 3 &&
            columns[0].find_first_not_of("0123456789") == std::string::npos) {
            points.push_back({TextToFloat(columns[1], '.'), TextToFloat(columns[2], '.')});
        }
    }
    return points;
}

// The deck with each of its print lines replaced by `prints`.
inline std::string withPrints(const std::string& deck, const std::string& prints) {
    std::istringstream lines(deck);
    std::string result;
    for (std::string line; std::getline(lines, line);) {
        result += line.starts_with("print ") ? prints : line + "\n";
    }
    return result;
}

// ngspice's omega is 2 pi f with every digit of pi, ours kTwoPi f: asking it for the frequency
// times kTwoPi / 2 pi gives it our omega. Near the crystals' resonances the 3e-14 between the
// two would otherwise move the impedance by parts in 1e9.
inline double spiceFrequency(double f) {
    return f * (kTwoPi / (2 * std::numbers::pi));
}

// Runs "ngspice -b" on the deck in a directory of its own and returns what it printed. A
// missing ngspice is a failure: the cross-check is part of the suite.
inline std::string runNgspice(const std::string& deck, const std::string& name) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("trellon-spice-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::create_directories(dir);
    const std::filesystem::path deckFile = dir / "deck.cir";
    std::ofstream(deckFile) << deck;
    // Its complaints go to a file of their own, appended after the tables: written into the same
    // pipe they can land in the middle of a table's line.
    const std::string command = "cd '" + dir.string() + "' && ngspice -b deck.cir 2>errors.txt";
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            output.append(buffer, n);
        }
        const int status = pclose(pipe);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "ngspice -b failed (is ngspice installed?):\n"
            << output;
    } else {
        ADD_FAILURE() << "cannot start ngspice";
    }
    std::ifstream errors(dir / "errors.txt");
    output.append(std::istreambuf_iterator<char>(errors), std::istreambuf_iterator<char>());
    std::filesystem::remove_all(dir);
    return output;
}

}  // namespace trellon
