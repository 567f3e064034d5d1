#pragma once

#include <QStringList>
#include <deque>

#include "Dialogs.h"

namespace trellon::test {

// Answers the window's dialogs from a script and records every message it shows.
class FakeDialogs : public Dialogs {
public:
    struct Shown {
        enum class Kind { Warning, Information, Error, Question } kind;
        QString text;
    };

    void warning(const QString& text) override;
    void information(const QString& text) override;
    void error(const QString& text) override;
    Answer question(const QString& text) override;
    int choice(const QString& text, const QStringList& buttons) override;
    QString saveFileName(const QString& folder, const QString& filters) override;
    QString openFileName(const QString& folder, const QString& filters,
                         const QString& defaultExtension) override;
    QStringList openFileNames(const QString& folder, const QString& filters) override;
    std::unique_ptr<QPrinter> choosePrinter() override;
    std::optional<ChartImageSize> chartImageSize(const ChartImageSize& initial) override;
    std::optional<double> wideSpanKhz(double initial, double largest) override;
    std::optional<CsvStyle> csvStyle() override;
    // The scripted format, or the initial one when none is scripted.
    std::optional<TouchstoneFormat> touchstoneFormat(TouchstoneFormat initial) override;

    // Scripted answers, used in order; a question without one is cancelled, and so is a file
    // or printer dialog without a name.
    std::deque<Answer> answers;
    std::deque<int> choices;  // the index of the button chosen, -1 for Cancel
    std::deque<QString> fileNames;
    std::deque<QStringList> fileNameLists;  // for the dialogs that choose several files
    std::deque<QString> pdfFiles;
    std::deque<ChartImageSize> imageSizes;
    std::deque<CsvStyle> csvStyles;
    std::deque<TouchstoneFormat> touchstoneFormats;
    std::optional<ChartImageSize> lastInitialImageSize;  // as the size dialog was last opened
    std::deque<double> wideSpans;
    double largestWideSpan = 0;  // the dialog's limit, as it was last asked

    std::vector<Shown> shown;
    QString lastFolder;
    QString lastFilters;
    QString lastDefaultExtension;
    int fileDialogs = 0;
    int printerDialogs = 0;

    QStringList texts() const;
    QStringList texts(Shown::Kind kind) const;
    void forget() { shown.clear(); }

private:
    QString nextFileName(const QString& folder, const QString& filters,
                         const QString& defaultExtension);
};

}  // namespace trellon::test
