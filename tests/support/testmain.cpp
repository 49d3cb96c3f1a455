#include "support/testmain.h"

#include <QApplication>

#include <map>
#include <memory>
#include <string>

namespace {
std::map<std::string, std::pair<TestMain::App, std::function<int(int, char **)>>> &testClasses()
{
    static std::map<std::string, std::pair<TestMain::App, std::function<int(int, char **)>>> classes;
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
    return testClasses().emplace(name, std::pair(app, std::move(run))).second;
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
        for (const auto &entry : testClasses())
            qWarning("%s %s", argv[0], entry.first.c_str());
        return 2;
    }
    // QtTest sees the program's name and the arguments after the class.
    argv[1] = argv[0];
    --argc;
    ++argv;
    const auto &[app, run] = found->second;
    std::unique_ptr<QCoreApplication> application;
    if (app == TestMain::App::Widgets)
        application = std::make_unique<QApplication>(argc, argv);
    else if (app == TestMain::App::Core)
        application = std::make_unique<QCoreApplication>(argc, argv);
    if (application)
        application->setAttribute(Qt::AA_Use96Dpi, true);
    return run(argc, argv);
}
