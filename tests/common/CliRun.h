#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "CliRunner.h"

namespace trellon {

// What one run of the command line printed and returned.
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

inline CliResult runCli(const std::vector<std::string>& arguments, char separator = '.') {
    std::ostringstream out, err;
    const int status = cli::cliMain(arguments, separator, out, err);
    return {status, out.str(), err.str()};
}

inline std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The cells of a CSV file with "," between them and no quoting.
inline std::vector<std::vector<std::string>> csvRows(const std::string& text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> cells;
        std::istringstream fields(line);
        for (std::string cell; std::getline(fields, cell, ',');) {
            cells.push_back(cell);
        }
        rows.push_back(cells);
    }
    return rows;
}

}  // namespace trellon
