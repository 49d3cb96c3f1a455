#include "support/testmain.h"

#include <map>
#include <string>

namespace {
std::map<std::string, std::function<int(int, char **)>> &testClasses()
{
    static std::map<std::string, std::function<int(int, char **)>> classes;
    return classes;
}

QtMessageHandler previousHandler = nullptr;
void withoutSizeHintWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        previousHandler(type, context, message);
}
} // namespace

bool TestMain::add(const char *name, std::function<int(int, char **)> run)
{
    return testClasses().emplace(name, std::move(run)).second;
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
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    return found->second(argc - 1, argv + 1);
}
