#include "ProjectBatch.h"

#include <set>
#include <string>

namespace trellon {

namespace {

ProjectFields objectAt(const ProjectFields& owner, const ProjectJson& array, std::string_view key,
                       std::size_t index, std::string_view fileName) {
    const std::string path = elementPath(owner, key, index);
    if (!array[index].is_object()) {
        failOnFile(kProjectFileKind, fileName, "the field '" + path + "' must be an object");
    }
    return ProjectFields(array[index], path, fileName);
}

std::vector<SpuriousMode> readSpurious(const ProjectFields& crystal, std::string_view fileName) {
    std::vector<SpuriousMode> modes;
    if (!crystal.has("spurious")) {
        return modes;
    }
    const ProjectJson& array = crystal.array("spurious");
    for (std::size_t i = 0; i < array.size(); ++i) {
        const ProjectFields fields = objectAt(crystal, array, "spurious", i, fileName);
        modes.push_back({.offsetKhz = fields.number("offset_khz"),
                         .lmMh = fields.number("lm_mh"),
                         .rmOhm = fields.number("rm_ohm")});
    }
    return modes;
}

}  // namespace

CrystalBatch readProjectBatch(const ProjectFields& root, std::string_view fileName) {
    CrystalBatch batch;
    std::set<std::string, std::less<>> names;
    const ProjectJson& array = root.array("batch");
    for (std::size_t i = 0; i < array.size(); ++i) {
        const ProjectFields fields = objectAt(root, array, "batch", i, fileName);
        MeasuredCrystal crystal{.name = fields.text("name"),
                                .fsKhz = fields.number("fs_khz"),
                                .lmMh = fields.number("lm_mh"),
                                .rmOhm = fields.number("rm_ohm"),
                                .c0Pf = fields.number("c0_pf"),
                                .spurious = readSpurious(fields, fileName)};
        if (const PhraseTemplate* problem = crystalRangeProblem(crystal)) {
            failOnFile(kProjectFileKind, fileName,
                       "the crystal '" + elementPath(root, "batch", i) +
                           "': " + std::string(problem->english));
        }
        if (!names.insert(crystal.name).second) {
            fields.fail("name", "repeats the name '" + crystal.name + "'");
        }
        batch.crystals.push_back(std::move(crystal));
    }
    return batch;
}

ProjectJson projectBatchJson(const CrystalBatch& batch) {
    ProjectJson array = ProjectJson::array();
    for (const MeasuredCrystal& c : batch.crystals) {
        ProjectJson crystal = {{"name", c.name},
                               {"fs_khz", c.fsKhz},
                               {"lm_mh", c.lmMh},
                               {"rm_ohm", c.rmOhm},
                               {"c0_pf", c.c0Pf}};
        for (const SpuriousMode& mode : c.spurious) {
            crystal["spurious"].push_back(
                {{"offset_khz", mode.offsetKhz}, {"lm_mh", mode.lmMh}, {"rm_ohm", mode.rmOhm}});
        }
        array.push_back(std::move(crystal));
    }
    return array;
}

}  // namespace trellon
