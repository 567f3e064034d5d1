#include "ProjectDocument.h"

#include <gtest/gtest.h>

#include <map>
#include <nlohmann/json.hpp>

namespace trellon {
namespace {

using Json = nlohmann::ordered_json;

// How many times each aspect was announced.
struct Announcements {
    explicit Announcements(ProjectDocument& document) {
        for (int a = 0; a <= int(DocumentAspect::Export); ++a) {
            const auto aspect = DocumentAspect(a);
            document.subscribe(aspect, [this, aspect] { ++count[aspect]; });
        }
    }
    std::map<DocumentAspect, int> count;
};

const CrystalBatch kBatch{{{"X1", 8000.1, 17.15, 12.5, 3.3}, {"X2", 7999.95, 17.2, 15, 0}}};

TEST(ProjectDocument, EachChangeIsAnnouncedOnceToTheSubscribersOfItsAspect) {
    ProjectDocument document;
    Announcements heard(document);
    int other = 0;
    const int id = document.subscribe(DocumentAspect::Batch, [&] { ++other; });

    document.setBatch(kBatch);
    document.setBatch(kBatch);  // the same batch again changes nothing
    EXPECT_EQ(heard.count, (std::map<DocumentAspect, int>{{DocumentAspect::Batch, 1}}));
    EXPECT_EQ(other, 1);

    document.unsubscribe(id);
    document.setPlacement({"X2", "X1"});
    document.setBatch({});
    document.setExportSettings(ProjectExport{});
    document.setCalculatedDesign(
        std::make_shared<const CalculatedDesign>(*TracedBand::between(1, 2)));
    document.setCalculatedDesign(std::make_shared<const CalculatedDesign>(
        *TracedBand::between(1, 2)));  // each calculation is news
    EXPECT_EQ(other, 1);
    EXPECT_EQ(heard.count, (std::map<DocumentAspect, int>{{DocumentAspect::Batch, 2},
                                                          {DocumentAspect::Placement, 1},
                                                          {DocumentAspect::Export, 1},
                                                          {DocumentAspect::Calculation, 2}}));

    // Opening a project announces every aspect it holds once; an observer may edit in turn.
    heard.count.clear();
    document.subscribe(DocumentAspect::Design, [&] { document.setPlacement({}); });
    document.open({Project{}, {}});
    for (DocumentAspect aspect :
         {DocumentAspect::Design, DocumentAspect::Batch, DocumentAspect::Spreads,
          DocumentAspect::Bench, DocumentAspect::Measured, DocumentAspect::View,
          DocumentAspect::Export}) {
        EXPECT_EQ(heard.count[aspect], 1) << int(aspect);
    }
    EXPECT_EQ(heard.count[DocumentAspect::Placement], 1);
    EXPECT_EQ(heard.count[DocumentAspect::Calculation], 0);
}

TEST(ProjectDocument, SavingKeepsTheFieldsOfTheOpenedFileItDoesNotKnow) {
    Project project;
    project.batch = kBatch;
    Json later = Json::parse(writeProjectFile(project));
    later["notes"] = {{"author", "R3ABC"}};
    later["design"]["comment"] = "second try";

    ProjectDocument document;
    document.open(readProjectFile(later.dump(), "later.json"));
    ProjectDesign design = document.design();
    design.Fo = "9000";
    document.setDesign(design);
    document.setBench(ProjectBench{});
    document.saved(document.fileBytes());

    // A second save writes from the bytes the first left.
    document.setPlacement({"X1", "X2"});
    const Json saved = Json::parse(document.fileBytes());
    EXPECT_EQ(saved["notes"], later["notes"]);
    EXPECT_EQ(saved["design"]["comment"], "second try");
    EXPECT_EQ(saved["design"]["Fo"], "9000");
    EXPECT_EQ(readProjectFile(saved.dump(), "saved.json").project, document.project());
}

TEST(ProjectDocument, ANewBatchKeepsThePlacementThatNamesCrystalsItLacks) {
    ProjectDocument document;
    document.setBatch(kBatch);
    document.setPlacement({"X2", "X1"});
    ASSERT_TRUE(document.placedCrystals().has_value());
    EXPECT_EQ(document.placedCrystals()->front(), kBatch.crystals[1]);
    EXPECT_FALSE(document.placementOutsideBatch());

    document.setBatch({{kBatch.crystals[0]}});
    EXPECT_EQ(document.placement(), (std::vector<std::string>{"X2", "X1"}));
    EXPECT_TRUE(document.placementOutsideBatch());
    EXPECT_FALSE(document.placedCrystals().has_value());
}

}  // namespace
}  // namespace trellon
