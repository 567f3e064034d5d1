#include "FailureText.h"

#include <QString>
#include <exception>
#include <new>

#include "CommandError.h"
#include "FileError.h"
#include "PhraseText.h"
#include "texts/FailureTexts.h"

namespace trellon {

namespace {

const char* actionText(FileError::Action action) {
    switch (action) {
        case FileError::Action::Open:
            return texts::kCannotOpen;
        case FileError::Action::Read:
            return texts::kCannotRead;
        case FileError::Action::Create:
            return texts::kCannotCreate;
        case FileError::Action::Write:
            break;
    }
    return texts::kCannotWrite;
}

std::string fileFailureText(const FileError& failure) {
    for (const texts::FileText& file : texts::kFiles) {
        if (failure.file() == file.engine) {
            return QString::fromUtf8(actionText(failure.action()))
                .arg(QString::fromUtf8(file.window), QString::fromStdString(failure.path()),
                     QString::fromStdString(failure.reason()))
                .toStdString();
        }
    }
    return failure.what();
}

}  // namespace

std::string currentFailureText() {
    try {
        throw;
    } catch (const FileError& failure) {
        return fileFailureText(failure);
    } catch (const FileContentError& failure) {
        return windowText(failure);
    } catch (const PhrasedError& refused) {
        return windowText(refused.phrases());
    } catch (const CommandError& refused) {
        return refused.what();
    } catch (const std::bad_alloc&) {
        return std::string(texts::kInternalError) + texts::kOutOfMemory;
    } catch (const std::exception& failure) {
        return texts::kInternalError + std::string(failure.what());
    } catch (...) {
        return std::string(texts::kInternalError) + texts::kUnknownFailure;
    }
}

std::string failureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (...) {
        return currentFailureText();
    }
}

}  // namespace trellon
