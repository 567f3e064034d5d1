#pragma once

#include "Dialogs.h"

namespace trellon {

// The dialogs as the toolkit shows them, over the active window.
class QtDialogs : public Dialogs {
public:
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
    std::optional<TouchstoneFormat> touchstoneFormat(TouchstoneFormat initial) override;
};

}  // namespace trellon
