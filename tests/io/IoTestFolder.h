#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "CommandError.h"

namespace trellon::test {

// A fresh folder for one test, removed with everything in it afterwards.
class IoTestFolder {
public:
    IoTestFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "trellon-io.XXXXXX");
        path_ = ::mkdtemp(pattern.data());
    }
    ~IoTestFolder() { std::filesystem::remove_all(path_); }
    IoTestFolder(const IoTestFolder&) = delete;
    IoTestFolder& operator=(const IoTestFolder&) = delete;

    std::string pathOf(const std::string& name) const { return (path_ / name).string(); }

    std::string write(const std::string& name, const std::string& content) const {
        std::ofstream(pathOf(name), std::ios::binary) << content;
        return pathOf(name);
    }

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string contentOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// The message of the CommandError the operation throws, or "" when it throws none.
template <typename Operation>
std::string errorOf(Operation&& operation) {
    try {
        operation();
    } catch (const CommandError& error) {
        return error.what();
    }
    return {};
}

}  // namespace trellon::test
