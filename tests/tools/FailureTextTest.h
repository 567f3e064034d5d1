#pragma once

#include <QObject>

namespace trellon {

class FailureTextTest : public QObject {
    Q_OBJECT

private slots:
    void readersAndFitRefuseInTheWindowsLanguage();
    void everyPhraseHasATranslationWithItsArguments();
};

}  // namespace trellon
