#include <QApplication>
#include <QTest>

#include "FailureTextTest.h"
#include "LsFoCalculatorTest.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    int failures = 0;
    {
        trellon::FailureTextTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        trellon::LsFoCalculatorTest test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
