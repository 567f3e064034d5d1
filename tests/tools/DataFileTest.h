#pragma once

#include <QObject>
#include <QTemporaryDir>

namespace trellon {

class DataFileTest : public QObject {
    Q_OBJECT

private slots:
    void roundTripKeepsTheTextsAsTyped_data();
    void roundTripKeepsTheTextsAsTyped();
    void reservedLinesSurviveLoadAndSave();
    void lineEndsAndLineCounts();
    void badCatalogueNumbersRefuseTheWholeFile_data();
    void badCatalogueNumbersRefuseTheWholeFile();
    void missingFileIsNamed();
    void quaIsAppendedOnlyWhenMissing_data();
    void quaIsAppendedOnlyWhenMissing();
    void failedSaveLeavesThePreviousFile();
    void unwritablePlacesAreNamed();

private:
    QString pathOf(const QString& name) const;
    QString writeFile(const QString& name, const QByteArray& content) const;

    QTemporaryDir folder_;
};

}  // namespace trellon
