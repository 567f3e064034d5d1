#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "CurveCsv.h"
#include "Touchstone.h"

namespace trellon {

// The size an exported chart is drawn at, in pixels or millimetres.
struct ChartImageSize {
    double width = 0;
    double height = 0;
    bool millimetres = false;
};

// The modal boxes, file dialogs and printer set-up the window asks the user through.
class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;
    virtual void warning(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    virtual Answer question(const QString& text) = 0;
    // The index of the button the user chose among `buttons` (a Cancel button follows them), or
    // -1 when the user cancels.
    virtual int choice(const QString& text, const QStringList& buttons) = 0;
    // The chosen file name, or an empty text when the user cancels.
    virtual QString saveFileName(const QString& folder, const QString& filters) = 0;
    // The chosen existing file, or an empty text when the user cancels; a name typed without
    // an extension gets the default one.
    virtual QString openFileName(const QString& folder, const QString& filters,
                                 const QString& defaultExtension) = 0;
    // The chosen existing files, or none when the user cancels.
    virtual QStringList openFileNames(const QString& folder, const QString& filters) = 0;
    // A printer the user has set up, or nullptr when the user cancels.
    virtual std::unique_ptr<QPrinter> choosePrinter() = 0;
    // The size to export the chart at, starting from `initial`; nothing when the user cancels.
    virtual std::optional<ChartImageSize> chartImageSize(const ChartImageSize& initial) = 0;
    // The half width of the wide span in kHz, 0 for ten times the pass band; nothing when the
    // user cancels.
    virtual std::optional<double> wideSpanKhz(double initial, double largest) = 0;
    // How an exported CSV file writes its numbers; nothing when the user cancels.
    virtual std::optional<CsvStyle> csvStyle() = 0;
    // How an exported Touchstone file writes its numbers, starting from `initial`; nothing when
    // the user cancels.
    virtual std::optional<TouchstoneFormat> touchstoneFormat(TouchstoneFormat initial) = 0;
};

}  // namespace trellon
