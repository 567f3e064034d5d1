#include "ProjectBatch.h"

#include <set>
#include <string>

#include "ProjectPhrases.h"
#include "TextReading.h"

namespace trellon {

namespace {

using Json = ProjectFields::Json;

// The element `index` of the array `key` of `owner`, refused unless it is an object.
ProjectFields elementAt(const ProjectFields& owner, const Json& array, std::string_view key,
                        std::size_t index) {
    const std::string path = owner.elementName(key, index);
    if (!array[index].is_object()) {
        failOnProject(owner.fileName(), projectPhrase("field-object"), {quotedArgument(path)});
    }
    return ProjectFields(array[index], path, owner.fileName());
}

std::vector<SpuriousMode> readSpurious(const ProjectFields& crystal) {
    std::vector<SpuriousMode> modes;
    if (!crystal.has("spurious")) {
        return modes;
    }
    const Json& array = crystal.array("spurious");
    for (std::size_t i = 0; i < array.size(); ++i) {
        const ProjectFields mode = elementAt(crystal, array, "spurious", i);
        modes.push_back({.offsetKhz = mode.number("offset_khz"),
                         .lmMh = mode.number("lm_mh"),
                         .rmOhm = mode.number("rm_ohm")});
    }
    return modes;
}

}  // namespace

CrystalBatch readProjectBatch(const ProjectFields& root, std::string_view fileName) {
    CrystalBatch batch;
    std::set<std::string, std::less<>> names;
    const Json& array = root.array("batch");
    for (std::size_t i = 0; i < array.size(); ++i) {
        const ProjectFields fields = elementAt(root, array, "batch", i);
        MeasuredCrystal crystal{.name = fields.text("name"),
                                .fsKhz = fields.number("fs_khz"),
                                .lmMh = fields.number("lm_mh"),
                                .rmOhm = fields.number("rm_ohm"),
                                .c0Pf = fields.number("c0_pf"),
                                .spurious = readSpurious(fields)};
        if (const PhraseTemplate* problem = crystalRangeProblem(crystal)) {
            failOnFile(
                kProjectFileKind, fileName,
                {{&projectPhrase("field-crystal"), {quotedArgument(root.elementName("batch", i))}},
                 {problem, {}}});
        }
        if (!names.insert(crystal.name).second) {
            fields.fail("name", projectPhrase("field-name-repeats"),
                        {quotedArgument(crystal.name)});
        }
        batch.crystals.push_back(std::move(crystal));
    }
    return batch;
}

Json projectBatchJson(const CrystalBatch& batch) {
    Json array = Json::array();
    for (const MeasuredCrystal& c : batch.crystals) {
        Json crystal = {{"name", c.name},
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
