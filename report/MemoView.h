#pragma once

#include <QPlainTextEdit>
#include <QStringList>

#include "TextView.h"

namespace trellon {

// A multi-line text area with centred lines that reports append to: the results panel and the
// log.
class MemoView : public QPlainTextEdit, public TextView {
    Q_OBJECT

public:
    explicit MemoView(QWidget* parent = nullptr);

    void show() override { setVisible(true); }
    void appendLine(const std::string& line) override;
    void appendLine(const QString& line) { appendPlainText(line); }

    // Every line as it stands, including those the user typed.
    QStringList lines() const;
    // Removes the last run of lines equal to `run`, so that a block shown again replaces its
    // earlier copy; false when there is none.
    bool removeLastRun(const QStringList& run);
};

}  // namespace trellon
