#pragma once

#include <QByteArray>
#include <QString>

namespace trellon {

// Replaces the file at `path` with `content` at once or not at all: the bytes go to a
// temporary file beside it, which takes the file's name only when every byte is written. On
// failure the previous file stays as it was, and CommandError says "Cannot create <what>
// '<path>': <reason>" or "Cannot write <what> ...".
void SaveFileAtOnce(const QString& path, const QByteArray& content, const QString& what);

}  // namespace trellon
