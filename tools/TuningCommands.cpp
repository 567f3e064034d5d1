#include "TuningCommands.h"

#include "ProjectDocument.h"

namespace trellon {

namespace {

constexpr int kStepId = 0x7475;

}  // namespace

TuningChange::TuningChange(ProjectDocument& document, std::optional<CircuitTuning> after,
                           const QString& text, std::string part, qint64 atMs)
    : document_(document),
      before_(document.tuning()),
      after_(std::move(after)),
      part_(std::move(part)),
      lastStepMs_(atMs) {
    setText(text);
}

void TuningChange::undo() {
    document_.setTuning(before_);
}

void TuningChange::redo() {
    document_.setTuning(after_);
}

int TuningChange::id() const {
    return part_.empty() ? -1 : kStepId;
}

bool TuningChange::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const TuningChange*>(other);
    if (next->part_ != part_ || next->lastStepMs_ - lastStepMs_ >= kMergePauseMs) {
        return false;
    }
    after_ = next->after_;
    lastStepMs_ = next->lastStepMs_;
    return true;
}

}  // namespace trellon
