#pragma once

#include <QTest>

#include <functional>

// Each test program holds the QtTest classes of one folder and kind; its
// first argument names the class to run, the rest go to QTest::qExec.
namespace TestMain {
enum class App { None, Core, Widgets };
bool add(const char *name, App app, std::function<int(int, char **)> run);

// For a class's initTestCase: the offscreen platform warns about every
// fixed-size window it shows. Lasts until the class has run.
void hideSizeHintWarnings();
} // namespace TestMain

// In place of QTEST_APPLESS_MAIN, QTEST_GUILESS_MAIN and QTEST_MAIN: None,
// Core and Widgets. tests/CMakeLists.txt reads the class name from this line.
#define TEST_CLASS(Class, app)                                                                     \
    static const bool registered##Class = TestMain::add(#Class, TestMain::App::app,                \
        [](int argc, char **argv) { Class test; return QTest::qExec(&test, argc, argv); });
