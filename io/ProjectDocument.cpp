#include "ProjectDocument.h"

#include <algorithm>

namespace trellon {

int ProjectDocument::subscribe(DocumentAspect aspect, Observer observer) {
    const int id = nextId_++;
    subscriptions_.push_back({id, aspect, std::move(observer)});
    return id;
}

void ProjectDocument::unsubscribe(int id) {
    std::erase_if(subscriptions_, [id](const Subscription& s) { return s.id == id; });
}

// An observer may subscribe or change the document in turn, so the list is walked as it was.
void ProjectDocument::notify(DocumentAspect aspect) const {
    const std::vector<Subscription> now = subscriptions_;
    for (const Subscription& s : now) {
        if (s.aspect == aspect) {
            s.observer();
        }
    }
}

template <typename T>
void ProjectDocument::change(T& field, const T& value, DocumentAspect aspect) {
    if (field == value) {
        return;
    }
    field = value;
    notify(aspect);
}

void ProjectDocument::setDesign(const ProjectDesign& design) {
    change(project_.design, design, DocumentAspect::Design);
}

void ProjectDocument::setTuning(const std::optional<CircuitTuning>& tuning) {
    change(project_.tuning, tuning, DocumentAspect::Tuning);
}

void ProjectDocument::setAnyOrder(const std::optional<ProjectAnyOrder>& anyOrder) {
    change(project_.anyOrder, anyOrder, DocumentAspect::Design);
}

// Every completed calculation is news, even one that gives the same design again.
void ProjectDocument::setCalculatedDesign(std::shared_ptr<const CalculatedDesign> design) {
    calculatedDesign_ = std::move(design);
    notify(DocumentAspect::Calculation);
}

void ProjectDocument::setBatch(const CrystalBatch& batch) {
    change(project_.batch, batch, DocumentAspect::Batch);
}

void ProjectDocument::setPlacement(const std::vector<std::string>& names) {
    change(project_.placement, names, DocumentAspect::Placement);
}

bool ProjectDocument::placementOutsideBatch() const {
    return !placedCrystals().has_value();
}

std::optional<std::vector<MeasuredCrystal>> ProjectDocument::placedCrystals() const {
    const std::vector<MeasuredCrystal>& all = project_.batch.crystals;
    std::vector<MeasuredCrystal> placed;
    for (const std::string& name : project_.placement) {
        const auto found = std::find_if(all.begin(), all.end(),
                                        [&](const MeasuredCrystal& c) { return c.name == name; });
        if (found == all.end()) {
            return std::nullopt;
        }
        placed.push_back(*found);
    }
    return placed;
}

void ProjectDocument::setSpreads(const ProjectSpreads& spreads, const ProjectTargets& targets) {
    if (project_.spreads == spreads && project_.targets == targets) {
        return;
    }
    project_.spreads = spreads;
    project_.targets = targets;
    notify(DocumentAspect::Spreads);
}

void ProjectDocument::setBench(const std::optional<ProjectBench>& bench) {
    change(project_.bench, bench, DocumentAspect::Bench);
}

void ProjectDocument::setMeasured(const std::optional<ProjectMeasured>& measured) {
    change(project_.measured, measured, DocumentAspect::Measured);
}

void ProjectDocument::setView(const std::optional<ProjectChart>& view) {
    change(project_.chart, view, DocumentAspect::View);
}

void ProjectDocument::setExportSettings(const std::optional<ProjectExport>& settings) {
    change(project_.exportSettings, settings, DocumentAspect::Export);
}

void ProjectDocument::open(LoadedProject loaded) {
    project_ = std::move(loaded.project);
    keptDocument_ = std::move(loaded.document);
    savedProject_ = project_;
    savedBatch_ = project_.batch;
    for (DocumentAspect aspect :
         {DocumentAspect::Design, DocumentAspect::Batch, DocumentAspect::Placement,
          DocumentAspect::Spreads, DocumentAspect::Bench, DocumentAspect::Export,
          DocumentAspect::View, DocumentAspect::Measured, DocumentAspect::Tuning}) {
        notify(aspect);
    }
}

std::string ProjectDocument::fileBytes() const {
    return writeProjectFile(project_, keptDocument_);
}

void ProjectDocument::saved(std::string bytes) {
    keptDocument_ = std::move(bytes);
    savedProject_ = project_;
    savedBatch_ = project_.batch;
}

}  // namespace trellon
