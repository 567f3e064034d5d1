#pragma once

#include <QPrinter>
#include <QString>
#include <memory>

namespace trellon {

// The modal boxes, file dialogs and printer set-up the window asks the user through.
class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;
    virtual void warning(const QString& text) = 0;
    virtual void information(const QString& text) = 0;
    virtual void error(const QString& text) = 0;
    virtual Answer question(const QString& text) = 0;
    // The chosen file name, or an empty text when the user cancels.
    virtual QString saveFileName(const QString& folder, const QString& filters) = 0;
    // The chosen existing file, or an empty text when the user cancels; a name typed without
    // an extension gets the default one.
    virtual QString openFileName(const QString& folder, const QString& filters,
                                 const QString& defaultExtension) = 0;
    // A printer the user has set up, or nullptr when the user cancels.
    virtual std::unique_ptr<QPrinter> choosePrinter() = 0;
};

}  // namespace trellon
