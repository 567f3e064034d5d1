#include "DataFile.h"

#include <QFile>

#include "CommandError.h"
#include "NumberText.h"
#include "SaveFileAtOnce.h"

namespace trellon {

namespace {

using Lines = std::array<QString, DataFileLines::kCount>;

enum Line {
    kFo = 1,
    kLd,
    kCs,
    kRd,
    kDF,
    kReserved1,
    kReserved2,
    kLevel,
    kCcor,
    kTopology,
    kResponse
};

[[noreturn]] void failOnFile(const char* action, const QString& path, const QString& reason) {
    throw CommandError(QStringLiteral("Cannot %1 the design file '%2': %3")
                           .arg(QString::fromUtf8(action), path, reason)
                           .toStdString());
}

Lines readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failOnFile("open", path, file.errorString());
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFile::NoError) {
        failOnFile("read", path, file.errorString());
    }
    Lines lines;
    qsizetype start = 0;
    for (QString& line : lines) {
        if (start >= content.size()) {
            break;
        }
        qsizetype end = content.indexOf('\n', start);
        if (end < 0) {
            end = content.size();
        }
        QByteArray bytes = content.mid(start, end - start);
        if (bytes.endsWith('\r')) {
            bytes.chop(1);
        }
        line = QString::fromLocal8Bit(bytes);
        start = end + 1;
    }
    return lines;
}

int catalogueNumber(const QString& path, const Lines& lines, int lineNumber, const char* what,
                    int last) {
    const QString& text = lines[lineNumber - 1];
    int number = 0;
    try {
        number = TextToInt(text.toStdString());
    } catch (const CommandError& notANumber) {
        failOnFile("load", path, QString::fromStdString(notANumber.what()));
    }
    if (number < 1 || number > last) {
        failOnFile("load", path,
                   QStringLiteral("line %1 must be a %2 number from 1 to %3, not '%4'")
                       .arg(lineNumber)
                       .arg(QString::fromUtf8(what))
                       .arg(last)
                       .arg(text));
    }
    return number;
}

}  // namespace

DesignInputs DataFileLines::load(const QString& path) {
    const Lines lines = readLines(path);
    DesignInputs inputs;
    inputs.Topology = catalogueNumber(path, lines, kTopology, "topology", 7);
    inputs.Response = catalogueNumber(path, lines, kResponse, "response", 8);
    inputs.Fo = lines[kFo - 1];
    inputs.Ld = lines[kLd - 1];
    inputs.Cs = lines[kCs - 1];
    inputs.Rd = lines[kRd - 1];
    inputs.dF = lines[kDF - 1];
    inputs.level = lines[kLevel - 1];
    inputs.Ccor = lines[kCcor - 1];
    lines_ = lines;
    return inputs;
}

void DataFileLines::save(const QString& path, const DesignInputs& inputs) {
    lines_[kFo - 1] = inputs.Fo;
    lines_[kLd - 1] = inputs.Ld;
    lines_[kCs - 1] = inputs.Cs;
    lines_[kRd - 1] = inputs.Rd;
    lines_[kDF - 1] = inputs.dF;
    lines_[kLevel - 1] = inputs.level;
    lines_[kCcor - 1] = inputs.Ccor;
    lines_[kTopology - 1] = QString::number(inputs.Topology);
    lines_[kResponse - 1] = QString::number(inputs.Response);

    QByteArray content;
    for (const QString& line : lines_) {
        content += line.toLocal8Bit() + "\r\n";
    }
    SaveFileAtOnce(path, content, QStringLiteral("the design file"));
}

QString DataFileNameForSaving(const QString& chosenName) {
    const QString extension = QStringLiteral(".qua");
    return chosenName.endsWith(extension, Qt::CaseInsensitive) ? chosenName
                                                               : chosenName + extension;
}

}  // namespace trellon
