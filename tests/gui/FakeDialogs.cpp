#include "FakeDialogs.h"

namespace trellon::test {

void FakeDialogs::warning(const QString& text) {
    shown.push_back({Shown::Kind::Warning, text});
}

void FakeDialogs::information(const QString& text) {
    shown.push_back({Shown::Kind::Information, text});
}

void FakeDialogs::error(const QString& text) {
    shown.push_back({Shown::Kind::Error, text});
}

Dialogs::Answer FakeDialogs::question(const QString& text) {
    shown.push_back({Shown::Kind::Question, text});
    if (answers.empty()) {
        return Answer::Cancel;
    }
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

int FakeDialogs::choice(const QString& text, const QStringList&) {
    shown.push_back({Shown::Kind::Question, text});
    if (choices.empty()) {
        return -1;
    }
    const int chosen = choices.front();
    choices.pop_front();
    return chosen;
}

QString FakeDialogs::saveFileName(const QString& folder, const QString& filters) {
    return nextFileName(folder, filters, QString());
}

QString FakeDialogs::openFileName(const QString& folder, const QString& filters,
                                  const QString& defaultExtension) {
    return nextFileName(folder, filters, defaultExtension);
}

QString FakeDialogs::nextFileName(const QString& folder, const QString& filters,
                                  const QString& defaultExtension) {
    ++fileDialogs;
    lastFolder = folder;
    lastFilters = filters;
    lastDefaultExtension = defaultExtension;
    if (fileNames.empty()) {
        return {};
    }
    const QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QStringList FakeDialogs::openFileNames(const QString& folder, const QString& filters) {
    ++fileDialogs;
    lastFolder = folder;
    lastFilters = filters;
    if (fileNameLists.empty()) {
        return {};
    }
    const QStringList names = fileNameLists.front();
    fileNameLists.pop_front();
    return names;
}

std::unique_ptr<QPrinter> FakeDialogs::choosePrinter() {
    ++printerDialogs;
    if (pdfFiles.empty()) {
        return nullptr;
    }
    auto printer = std::make_unique<QPrinter>();
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdfFiles.front());
    pdfFiles.pop_front();
    return printer;
}

std::optional<ChartImageSize> FakeDialogs::chartImageSize(const ChartImageSize& initial) {
    lastInitialImageSize = initial;
    if (imageSizes.empty()) {
        return std::nullopt;
    }
    const ChartImageSize size = imageSizes.front();
    imageSizes.pop_front();
    return size;
}

std::optional<double> FakeDialogs::wideSpanKhz(double, double largest) {
    if (wideSpans.empty()) {
        return std::nullopt;
    }
    largestWideSpan = largest;
    const double span = wideSpans.front();
    wideSpans.pop_front();
    return span;
}

std::optional<CsvStyle> FakeDialogs::csvStyle() {
    if (csvStyles.empty()) {
        return std::nullopt;
    }
    const CsvStyle style = csvStyles.front();
    csvStyles.pop_front();
    return style;
}

QStringList FakeDialogs::texts() const {
    QStringList result;
    for (const Shown& s : shown) {
        result << s.text;
    }
    return result;
}

QStringList FakeDialogs::texts(Shown::Kind kind) const {
    QStringList result;
    for (const Shown& s : shown) {
        if (s.kind == kind) {
            result << s.text;
        }
    }
    return result;
}

std::optional<TouchstoneFormat> FakeDialogs::touchstoneFormat(TouchstoneFormat initial) {
    if (touchstoneFormats.empty()) {
        return initial;
    }
    const TouchstoneFormat format = touchstoneFormats.front();
    touchstoneFormats.pop_front();
    return format;
}

}  // namespace trellon::test
