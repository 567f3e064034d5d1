#include "SaveFileAtOnce.h"

#include <QSaveFile>

#include "CommandError.h"

namespace trellon {

namespace {

[[noreturn]] void fail(const char* action, const QString& what, const QString& path,
                       const QString& reason) {
    throw CommandError(QStringLiteral("Cannot %1 %2 '%3': %4")
                           .arg(QString::fromUtf8(action), what, path, reason)
                           .toStdString());
}

}  // namespace

// Unbuffered and in a loop, because a buffered save file can lose a short write (a full disk)
// in its last flush and still commit a cut file; left uncommitted, it removes its temporary
// copy.
void SaveFileAtOnce(const QString& path, const QByteArray& content, const QString& what) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        fail("create", what, path, file.errorString());
    }
    for (qsizetype written = 0; written < content.size();) {
        const qint64 count = file.write(content.constData() + written, content.size() - written);
        if (count <= 0) {
            fail("write", what, path, file.errorString());
        }
        written += count;
    }
    if (!file.commit()) {
        fail("write", what, path, file.errorString());
    }
}

}  // namespace trellon
