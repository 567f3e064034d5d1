#include "LogFile.h"

#include <QFile>
#include <QStringEncoder>

#include "CommandError.h"

namespace trellon {

namespace {

[[noreturn]] void fail(const char* what, const QFile& file) {
    throw CommandError(QStringLiteral("%1 \"%2\". %3")
                           .arg(QString::fromUtf8(what), file.fileName(), file.errorString())
                           .toStdString());
}

}  // namespace

QString logFileName(const QString& chosen) {
    if (chosen.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        return chosen;
    }
    return chosen + QStringLiteral(".txt");
}

void writeLogFile(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail("Cannot create file", file);
    }
    QStringEncoder encode(QStringEncoder::System);
    for (const QString& line : lines) {
        const QByteArray bytes = encode(line + QStringLiteral("\r\n"));
        if (file.write(bytes) != bytes.size()) {
            fail("Cannot write file", file);
        }
    }
    if (!file.flush()) {
        fail("Cannot write file", file);
    }
}

}  // namespace trellon
