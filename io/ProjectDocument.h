#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CalculatedDesign.h"
#include "CrystalBatch.h"
#include "ProjectFile.h"

namespace trellon {

// The parts of the document a window may show or edit; each is announced on its own.
enum class DocumentAspect {
    Design,       // the design inputs as typed
    Calculation,  // the design of the last completed calculation
    Batch,        // the measured crystals
    Placement,    // which crystals stand in ZQ1, ZQ2, ...
    Spreads,      // the spreads of real parts and the targets a sample must meet
    Bench,        // the steps from the design to the bench
    Measured,     // the measured response shown beside the design
    View,         // what the chart shows and over which span
    Export,       // the choices of the export dialogs
    Tuning,       // the builder's tuning of the filter as placed
};

// The project a user works on, apart from the windows that show it: everything a project file
// holds, the design of the last completed calculation, and the project file last opened or saved
// (its fields this program does not know are written back). Windows read it, edit it through its
// setters, and subscribe to the aspects they show; a setter that changes nothing tells no one.
class ProjectDocument {
public:
    using Observer = std::function<void()>;

    // `observer` runs after each change of `aspect`, until unsubscribed by the returned id.
    int subscribe(DocumentAspect aspect, Observer observer);
    void unsubscribe(int id);

    const ProjectDesign& design() const { return project_.design; }
    void setDesign(const ProjectDesign& design);
    // The inputs of the ladder of any order the design is; nothing when it is one of the seven
    // topologies. Announced as a change of the design.
    const std::optional<ProjectAnyOrder>& anyOrder() const { return project_.anyOrder; }
    void setAnyOrder(const std::optional<ProjectAnyOrder>& anyOrder);

    // The slot of the calculation the windows show; the crystal tools build on it. Nothing
    // before the first completed calculation.
    const std::shared_ptr<const CalculatedDesign>& calculatedDesign() const {
        return calculatedDesign_;
    }
    void setCalculatedDesign(std::shared_ptr<const CalculatedDesign> design);

    const CrystalBatch& batch() const { return project_.batch; }
    // The placement stays as it was, even when it names crystals the new batch lacks: a project
    // holding such a placement is refused when saved (see placementOutsideBatch).
    void setBatch(const CrystalBatch& batch);

    // The names of the crystals in ZQ1, ZQ2, ...; empty when none are placed.
    const std::vector<std::string>& placement() const { return project_.placement; }
    void setPlacement(const std::vector<std::string>& names);
    // True when the placement names a crystal the batch lacks.
    bool placementOutsideBatch() const;
    // The placed crystals, ZQ1 first; nothing when one of them is not in the batch.
    std::optional<std::vector<MeasuredCrystal>> placedCrystals() const;

    const ProjectSpreads& spreads() const { return project_.spreads; }
    const ProjectTargets& targets() const { return project_.targets; }
    void setSpreads(const ProjectSpreads& spreads, const ProjectTargets& targets);

    // Nothing until the bench window was made or a project brought its group.
    const std::optional<ProjectBench>& bench() const { return project_.bench; }
    void setBench(const std::optional<ProjectBench>& bench);

    // The capacitors, trimmers and crystal resonances as the builder tuned them; nothing when
    // untuned.
    const std::optional<CircuitTuning>& tuning() const { return project_.tuning; }
    void setTuning(const std::optional<CircuitTuning>& tuning);

    const std::optional<ProjectMeasured>& measured() const { return project_.measured; }
    void setMeasured(const std::optional<ProjectMeasured>& measured);

    const std::optional<ProjectChart>& view() const { return project_.chart; }
    void setView(const std::optional<ProjectChart>& view);

    // The export choices as last made, or as a project brought them.
    const std::optional<ProjectExport>& exportSettings() const { return project_.exportSettings; }
    void setExportSettings(const std::optional<ProjectExport>& settings);

    // Everything the project file holds.
    const Project& project() const { return project_; }
    // Takes a project as read: every aspect is replaced and announced once, in the order the
    // project file lists them; the file's fields this program does not know are kept.
    void open(LoadedProject loaded);
    // The project file's bytes, with the fields of the file last opened or saved that this
    // program does not know.
    std::string fileBytes() const;
    // Keeps the bytes just written as the file last saved.
    void saved(std::string bytes);

    // The batch as last read from or written to a file (a project or a batch file); empty at
    // first.
    const CrystalBatch& savedBatch() const { return savedBatch_; }
    // The batch now held has just been read from or written to a batch file.
    void batchSaved() { savedBatch_ = project_.batch; }
    // True when a project was opened or saved and has changed since.
    bool projectChanged() const { return savedProject_ && *savedProject_ != project_; }

private:
    template <typename T>
    void change(T& field, const T& value, DocumentAspect aspect);
    void notify(DocumentAspect aspect) const;

    struct Subscription {
        int id;
        DocumentAspect aspect;
        Observer observer;
    };

    Project project_;
    std::string keptDocument_;
    std::optional<Project> savedProject_;
    CrystalBatch savedBatch_;
    std::shared_ptr<const CalculatedDesign> calculatedDesign_;
    std::vector<Subscription> subscriptions_;
    int nextId_ = 1;
};

}  // namespace trellon
