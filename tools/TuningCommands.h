#pragma once

#include <QUndoCommand>
#include <optional>
#include <string>

#include "CircuitTuning.h"

namespace trellon {

class ProjectDocument;

// One change of the document's tuning, undone by handing the document the tuning before it.
// Steps of one part that follow one another within a second (the wheel turned on, a key held)
// merge into one change: `part` names what they step; empty for a change that never merges.
class TuningChange : public QUndoCommand {
public:
    // The pause after which a step of the same part starts a change of its own, ms.
    static constexpr qint64 kMergePauseMs = 1000;

    TuningChange(ProjectDocument& document, std::optional<CircuitTuning> after, const QString& text,
                 std::string part = {}, qint64 atMs = 0);

    void undo() override;
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    ProjectDocument& document_;
    std::optional<CircuitTuning> before_;
    std::optional<CircuitTuning> after_;
    std::string part_;
    qint64 lastStepMs_;
};

}  // namespace trellon
