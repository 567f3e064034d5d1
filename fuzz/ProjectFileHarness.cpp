#include "ProjectFileHarness.h"

#include <string_view>

#include "CommandError.h"
#include "ProjectFile.h"

namespace trellon::fuzz {

bool CheckProjectFile(const std::uint8_t* data, std::size_t size) {
    LoadedProject first;
    try {
        first = readProjectFile(std::string_view(reinterpret_cast<const char*>(data), size),
                                "fuzz.trellon");
    } catch (const CommandError&) {
        return true;
    }
    const std::string kept = writeProjectFile(first.project, first.document);
    const std::string fresh = writeProjectFile(first.project);
    return readProjectFile(kept, "kept.trellon").project == first.project &&
           readProjectFile(fresh, "fresh.trellon").project == first.project;
}

}  // namespace trellon::fuzz
