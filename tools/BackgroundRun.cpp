#include "BackgroundRun.h"

#include <QProgressBar>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "FailureText.h"

namespace trellon {

namespace {

constexpr int kFullScale = 1000;

}  // namespace

BackgroundRun::BackgroundRun(QProgressBar* bar, QPushButton* cancelButton, QObject* parent)
    : QObject(parent), bar_(bar), cancelButton_(cancelButton) {
    bar_->setRange(0, kFullScale);
    bar_->setValue(0);
    cancelButton_->setEnabled(false);
    connect(cancelButton_, &QPushButton::clicked, this, &BackgroundRun::cancel);
    connect(&watcher_, &QFutureWatcher<void>::finished, this, &BackgroundRun::ended);
}

BackgroundRun::~BackgroundRun() {
    if (cancel_) {
        *cancel_ = true;
    }
    watcher_.waitForFinished();
}

void BackgroundRun::start(Work work, Finished finished) {
    if (running()) {
        return;
    }
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    shownPermille_ = std::make_shared<std::atomic<int>>(0);
    failure_ = std::make_shared<std::string>();
    finished_ = std::move(finished);
    running_ = true;
    bar_->setValue(0);
    cancelButton_->setEnabled(true);

    // The progress comes from the analysis' thread; the bar hears of it through the event loop,
    // and only when it has moved by a step.
    QPointer<BackgroundRun> self(this);
    ProgressCallback progress = [self, shown = shownPermille_](double share) {
        const int permille = static_cast<int>(std::lround(share * kFullScale));
        if (permille != shown->exchange(permille)) {
            QMetaObject::invokeMethod(
                self.data(),
                [self, permille] {
                    if (self) {
                        self->showProgress(permille);
                    }
                },
                Qt::QueuedConnection);
        }
    };
    watcher_.setFuture(QtConcurrent::run([work = std::move(work), progress = std::move(progress),
                                          cancel = cancel_, failure = failure_] {
        try {
            work(progress, *cancel);
        } catch (...) {
            *failure = currentFailureText();
        }
    }));
}

void BackgroundRun::cancel() {
    if (cancel_) {
        *cancel_ = true;
    }
}

void BackgroundRun::showProgress(int permille) {
    if (running()) {
        bar_->setValue(permille);
    }
}

void BackgroundRun::ended() {
    running_ = false;
    cancelButton_->setEnabled(false);
    const bool cancelled = *cancel_;
    bar_->setValue(cancelled ? 0 : kFullScale);
    if (finished_) {
        Finished finished = std::move(finished_);
        finished_ = nullptr;
        finished(cancelled, *failure_);
    }
}

}  // namespace trellon
