// The design-file reader on arbitrary bytes: it either accepts the file or throws a command
// error, and what it accepts is written and read back unchanged.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "CommandError.h"
#include "DataFile.h"

namespace {

bool sameInputs(const trellon::DesignInputs& a, const trellon::DesignInputs& b) {
    return a.Fo == b.Fo && a.Ld == b.Ld && a.Cs == b.Cs && a.Rd == b.Rd && a.dF == b.dF &&
           a.level == b.level && a.Ccor == b.Ccor && a.Topology == b.Topology &&
           a.Response == b.Response;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fuzz.qua"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) !=
                static_cast<qint64>(size)) {
            std::abort();
        }
    }
    trellon::DataFileLines lines;
    trellon::DesignInputs first;
    try {
        first = lines.load(path);
    } catch (const trellon::CommandError&) {
        return 0;
    }
    const QString copy = folder.filePath(QStringLiteral("copy.qua"));
    lines.save(copy, first);
    trellon::DataFileLines reread;
    const trellon::DesignInputs second = reread.load(copy);
    trellon::DataFileLines again;
    again.save(path, second);
    if (!sameInputs(reread.load(path), second)) {
        std::abort();
    }
    return 0;
}
