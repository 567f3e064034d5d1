// Inputs that a fuzz campaign once found slow or wrong, run again through the same checks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "EngineHarness.h"
#include "ProjectFileHarness.h"

namespace trellon {
namespace {

using Check = bool (*)(const std::uint8_t*, std::size_t);

void checkEveryInput(const char* folder, Check check) {
    const std::filesystem::path root = std::filesystem::path(TRELLON_FUZZ_REGRESSIONS) / folder;
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
        EXPECT_TRUE(check(bytes.data(), bytes.size())) << entry.path();
    }
}

TEST(FuzzRegression, Calculation) {
    checkEveryInput("calculation", fuzz::CheckCalculation);
}

TEST(FuzzRegression, ProjectFile) {
    checkEveryInput("project-file", fuzz::CheckProjectFile);
}

}  // namespace
}  // namespace trellon
