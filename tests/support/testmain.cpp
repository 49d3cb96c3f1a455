#include "support/testmain.h"

#include <QApplication>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {
struct TestClass
{
    TestMain::App app;
    std::function<int(int, char **)> run;
};

std::map<std::string, TestClass> &testClasses()
{
    static std::map<std::string, TestClass> classes;
    return classes;
}

QtMessageHandler previousHandler = nullptr;
void withoutSizeHintWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        previousHandler(type, context, message);
}
} // namespace

bool TestMain::add(const char *name, App app, std::function<int(int, char **)> run)
{
    return testClasses().emplace(name, TestClass{app, std::move(run)}).second;
}

// QtTest's own handler, installed as the run starts, passes on nothing.
void TestMain::hideSizeHintWarnings()
{
    previousHandler = qInstallMessageHandler(withoutSizeHintWarnings);
}

int main(int argc, char *argv[])
{
    const auto found = argc > 1 ? testClasses().find(argv[1]) : testClasses().end();
    if (found == testClasses().end()) {
        std::fprintf(stderr, "usage: %s CLASS [QtTest arguments]\nclasses:", argv[0]);
        for (const auto &entry : testClasses())
            std::fprintf(stderr, " %s", entry.first.c_str());
        std::fputc('\n', stderr);
        return 2;
    }
    // QtTest sees the program's name and the arguments after the class.
    argv[1] = argv[0];
    --argc;
    ++argv;
    std::unique_ptr<QCoreApplication> app;
    if (found->second.app == TestMain::App::Widgets)
        app = std::make_unique<QApplication>(argc, argv);
    else if (found->second.app == TestMain::App::Core)
        app = std::make_unique<QCoreApplication>(argc, argv);
    if (app)
        app->setAttribute(Qt::AA_Use96Dpi, true);
    return found->second.run(argc, argv);
}
