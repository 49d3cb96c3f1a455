#pragma once

#include <QApplication>
#include <QTest>

#include <functional>

// Each test program holds the QtTest classes of one folder and kind; its
// first argument names the class to run, the rest go to QTest::qExec.
namespace TestMain {
bool add(const char *name, std::function<int(int, char **)> run);

// For a class's initTestCase: the offscreen platform warns about every
// fixed-size window it shows. Lasts until the class has run.
void hideSizeHintWarnings();

// The application a class runs in: None, Core or Widgets.
struct None
{
    None(int &, char **) {}
};
using Core = QCoreApplication;
using Widgets = QApplication;
} // namespace TestMain

// In place of QTEST_APPLESS_MAIN, QTEST_GUILESS_MAIN and QTEST_MAIN.
// tests/CMakeLists.txt reads the class name from this line.
#define TEST_CLASS(Class, app)                                                                     \
    static const bool registered##Class = TestMain::add(#Class, [](int argc, char **argv) {       \
        TestMain::app application(argc, argv);                                                     \
        Class test;                                                                                \
        return QTest::qExec(&test, argc, argv);                                                    \
    });
