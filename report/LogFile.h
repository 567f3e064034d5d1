#pragma once

#include <QString>
#include <QStringList>

namespace trellon {

// The name the log is written under: the chosen name, with ".txt" added unless it already
// ends in it in any letter case.
QString logFileName(const QString& chosen);

// Writes the lines, each ended by CR LF, in the system's encoding, replacing any file of that
// name at once or not at all. Throws CommandError naming the file and the reason when it
// cannot be written; the previous file then stays as it was.
void writeLogFile(const QString& path, const QStringList& lines);

}  // namespace trellon
