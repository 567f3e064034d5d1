#include "LogFile.h"

#include <QStringEncoder>

#include "SaveFileAtOnce.h"

namespace trellon {

QString logFileName(const QString& chosen) {
    if (chosen.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive)) {
        return chosen;
    }
    return chosen + QStringLiteral(".txt");
}

void writeLogFile(const QString& path, const QStringList& lines) {
    QStringEncoder encode(QStringEncoder::System);
    QByteArray content;
    for (const QString& line : lines) {
        content += encode(line + QStringLiteral("\r\n"));
    }
    SaveFileAtOnce(path, content, QStringLiteral("the log file"));
}

}  // namespace trellon
