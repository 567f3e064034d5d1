#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "ParallelTasks.h"

class QProgressBar;
class QPushButton;

namespace trellon {

// One long analysis at a time, run off the window's thread so that the window stays usable.
// Its progress moves a progress bar; a Cancel button stops it, and the window's earlier results
// stay as they were.
class BackgroundRun : public QObject {
    Q_OBJECT

public:
    // The analysis: reports its progress (0..1) and stops once `cancel` is set.
    using Work = std::function<void(const ProgressCallback& progress, std::atomic<bool>& cancel)>;
    // Called on the window's thread when the analysis has ended: `cancelled` when it was
    // stopped, `failure` the message for the exception that ended it, if any (a CommandError's
    // text, or an internal error for anything else).
    using Finished = std::function<void(bool cancelled, const std::string& failure)>;

    // `bar` shows the progress and `cancelButton` is enabled while the analysis runs.
    BackgroundRun(QProgressBar* bar, QPushButton* cancelButton, QObject* parent);
    // Stops a running analysis and waits for it.
    ~BackgroundRun() override;

    // From start until the results are handed over.
    bool running() const { return running_; }
    // Starts `work`; does nothing while another analysis runs.
    void start(Work work, Finished finished);
    void cancel();

private:
    void showProgress(int permille);
    void ended();

    QProgressBar* bar_;
    QPushButton* cancelButton_;
    QFutureWatcher<void> watcher_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::shared_ptr<std::atomic<int>> shownPermille_;
    std::shared_ptr<std::string> failure_;
    Finished finished_;
    bool running_ = false;
};

}  // namespace trellon
