// Closing with its question, saving the log, printing the log and the window.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "TinyFileSizeLimit.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

using Answer = Dialogs::Answer;

const QString kQuestion = QStringLiteral("           Сохранить протокол?");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray crlfLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8() + "\r\n";
    }
    return bytes;
}

int pdfPageCount(const QByteArray& pdf) {
    return pdf.count("/Type /Page") - pdf.count("/Type /Pages");
}

// The text of a PDF as pdftotext reads it. The set-up installs the tool, so a missing one is
// a failure, not a reason to check less.
QString pdfText(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) {
        QTest::qFail("pdftotext (poppler-utils) is not installed", __FILE__, __LINE__);
        return {};
    }
    QProcess process;
    process.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

class LogTest : public QObject {
    Q_OBJECT

private slots:
    void closingRightAfterStartAsksNothing();
    void closingQuestion_data();
    void closingQuestion();
    void savingWritesEveryLineAndClearsTheFlag();
    void savingKeepsAnExistingTxtEnding();
    void cancelledSaveKeepsTheFlag();
    void unwritableFileIsReportedAndKeepsTheFlag();
    void failedSaveLeavesThePreviousFileAsItWas();
    void savingOverAFolderIsRefused();
    void printingTheLog();
    void longLogPrintsOnSeveralPages();
    void printingTheWindow();

private:
    QTemporaryDir folder_;
};

void LogTest::closingRightAfterStartAsksNothing() {
    WindowDriver w;
    QVERIFY(w.window().close());
    QVERIFY(w.dialogs().shown.empty());
}

void LogTest::closingQuestion_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QString>("fileName");  // empty: the save dialog is cancelled
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("written");
    QTest::newRow("no") << Answer::No << QString() << true << false;
    QTest::newRow("cancel") << Answer::Cancel << QString() << false << false;
    QTest::newRow("yes, saved") << Answer::Yes << QStringLiteral("closing") << true << true;
    QTest::newRow("yes, dialog cancelled") << Answer::Yes << QString() << false << false;
    QTest::newRow("yes, cannot write")
        << Answer::Yes << QStringLiteral("missing/closing") << false << false;
}

void LogTest::closingQuestion() {
    QFETCH(Answer, answer);
    QFETCH(QString, fileName);
    QFETCH(bool, closes);
    QFETCH(bool, written);
    const QString path = folder_.filePath(fileName);
    WindowDriver w;
    w.calculate();
    w.dialogs().answers.push_back(answer);
    if (!fileName.isEmpty()) {
        w.dialogs().fileNames.push_back(path);
    }
    QCOMPARE(w.window().close(), closes);
    QCOMPARE(w.dialogs().shown[0].kind, FakeDialogs::Shown::Kind::Question);
    QCOMPARE(w.dialogs().shown[0].text, kQuestion);
    QCOMPARE(w.dialogs().fileDialogs, answer == Answer::Yes ? 1 : 0);
    QCOMPARE(QFile::exists(path + ".txt"), written);
    QCOMPARE(w.window().isVisible(), !closes);
    if (!closes) {
        QVERIFY(w.state().LogUnsaved);
    }
}

void LogTest::savingWritesEveryLineAndClearsTheFlag() {
    WindowDriver w;
    w.calculate();
    // A line typed by the user is saved with the reports.
    auto* log = w.control<MemoView>("Memo2");
    log->moveCursor(QTextCursor::End);
    QTest::keyClick(log, Qt::Key_Return);
    QTest::keyClicks(log, "checked by DL1ABC");
    const QStringList lines = w.log();
    QCOMPARE(lines.size(), 3 + 6 + 1);

    w.dialogs().fileNames.push_back(folder_.filePath("log1"));
    w.choose("SaveProt");
    QCOMPARE(w.dialogs().lastFolder, QCoreApplication::applicationDirPath());
    QCOMPARE(w.dialogs().lastFilters, QStringLiteral("Text files (*.txt);;All files (*)"));
    QCOMPARE(readAll(folder_.filePath("log1.txt")), crlfLines(lines));
    QVERIFY(readAll(folder_.filePath("log1.txt")).endsWith("checked by DL1ABC\r\n"));
    QVERIFY(!w.state().LogUnsaved);
    QVERIFY(w.dialogs().texts(FakeDialogs::Shown::Kind::Error).isEmpty());

    QVERIFY(w.window().close());
    QVERIFY(w.dialogs().texts(FakeDialogs::Shown::Kind::Question).isEmpty());
}

void LogTest::savingKeepsAnExistingTxtEnding() {
    WindowDriver w;
    const QString chosen = folder_.filePath("existing.TXT");
    QFile(chosen).open(QIODevice::WriteOnly);
    w.dialogs().fileNames.push_back(chosen);
    w.choose("SaveProt");
    QCOMPARE(readAll(chosen), crlfLines(w.log()));
    QVERIFY(!QFile::exists(chosen + ".txt"));
}

void LogTest::cancelledSaveKeepsTheFlag() {
    WindowDriver w;
    w.calculate();
    w.choose("SaveProt");
    QCOMPARE(w.dialogs().fileDialogs, 1);
    QVERIFY(w.state().LogUnsaved);
    QVERIFY(w.dialogs().shown.empty());
}

void LogTest::unwritableFileIsReportedAndKeepsTheFlag() {
    WindowDriver w;
    w.calculate();
    const QString path = folder_.filePath("no such folder/log");
    w.dialogs().fileNames.push_back(path);
    w.choose("SaveProt");
    const QStringList errors = w.dialogs().texts(FakeDialogs::Shown::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(path + ".txt"), qPrintable(errors[0]));
    QVERIFY(w.state().LogUnsaved);
}

void LogTest::failedSaveLeavesThePreviousFileAsItWas() {
    WindowDriver w;
    w.calculate();
    const QString path = folder_.filePath("kept.txt");
    w.dialogs().fileNames.push_back(path);
    w.choose("SaveProt");
    const QByteArray saved = readAll(path);
    QVERIFY(saved.size() > 8);

    w.calculate();
    w.dialogs().fileNames.push_back(path);
    {
        const TinyFileSizeLimit fullDisk;
        w.choose("SaveProt");
    }
    const QStringList errors = w.dialogs().texts(FakeDialogs::Shown::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith("Cannot write the log file '" + path + "': "),
             qPrintable(errors[0]));
    QCOMPARE(readAll(path), saved);
    QCOMPARE(QDir(folder_.path()).entryList({"kept*"}, QDir::Files), QStringList{"kept.txt"});
    QVERIFY(w.state().LogUnsaved);
}

void LogTest::savingOverAFolderIsRefused() {
    WindowDriver w;
    w.calculate();
    const QString path = folder_.filePath("folder.txt");
    QVERIFY(QDir(folder_.path()).mkdir("folder.txt"));
    w.dialogs().fileNames.push_back(path);
    w.choose("SaveProt");
    const QStringList errors = w.dialogs().texts(FakeDialogs::Shown::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith("Cannot create the log file '" + path + "': "),
             qPrintable(errors[0]));
    QVERIFY(QFileInfo(path).isDir());
    QVERIFY(w.state().LogUnsaved);
}

void LogTest::printingTheLog() {
    WindowDriver w;
    w.calculate();
    w.choose("PrintProtocol");  // cancelled: nothing printed
    QCOMPARE(w.dialogs().printerDialogs, 1);

    const QString pdf = folder_.filePath("log.pdf");
    w.dialogs().pdfFiles.push_back(pdf);
    w.choose("PrintProtocol");
    QVERIFY(w.dialogs().shown.empty());
    QVERIFY(readAll(pdf).startsWith("%PDF"));
    QVERIFY(w.state().LogUnsaved);
    const QString text = pdfText(pdf);
    if (QTest::currentTestFailed()) {
        return;
    }
    // The title stands twice: once printed above the log, once as the log's own first line.
    QCOMPARE(text.count(QStringLiteral("The Log of the program \"Trellon\"")), 2);
    QVERIFY(text.contains(QStringLiteral("[B03-3100]")));
    QVERIFY(text.contains(QString(57, '=')));
}

void LogTest::longLogPrintsOnSeveralPages() {
    WindowDriver w;
    for (int i = 0; i < 20; ++i) {
        w.calculate();
    }
    const QString pdf = folder_.filePath("long.pdf");
    w.dialogs().pdfFiles.push_back(pdf);
    w.choose("PrintProtocol");
    QVERIFY(pdfPageCount(readAll(pdf)) >= 2);
}

void LogTest::printingTheWindow() {
    WindowDriver w;
    w.calculate();
    const QString pdf = folder_.filePath("window.pdf");
    w.dialogs().pdfFiles.push_back(pdf);
    w.choose("PrintForm");
    QVERIFY(w.dialogs().shown.empty());
    const QByteArray bytes = readAll(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pdfPageCount(bytes), 1);
    QVERIFY(bytes.contains("/Subtype /Image"));
}

QTEST_MAIN(LogTest)
#include "LogTest.moc"
