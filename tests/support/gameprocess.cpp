#include "support/gameprocess.h"

#include "support/wait.h"

#include <QFile>
#include <QProcessEnvironment>

GameEnvironment::GameEnvironment()
{
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A program left running after its test would hold the test's output open.
GameEnvironment::~GameEnvironment()
{
    for (const auto &process : m_processes) {
        process->kill();
        process->waitForFinished(10000);
    }
}

QProcess *GameEnvironment::start(const QStringList &arguments, QProcess::ProcessChannelMode mode)
{
    auto &process = m_processes.emplace_back(std::make_unique<QProcess>());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // As for a player who chose no platform: the game picks X11 itself.
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    for (const auto &[name, value] : m_environment)
        value.isNull() ? env.remove(name) : env.insert(name, value);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(mode);
    process->start(QStringLiteral(NUMENSIGHT_BINARY), arguments);
    process->waitForStarted();
    return process.get();
}

void GameEnvironment::fakeBrowser()
{
    QFile script(m_tools.filePath(QStringLiteral("xdg-open")));
    if (!script.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(script.fileName()));
    script.write("#!/bin/sh\nprintf '%s%s\\n' \"$1\" \"${QT_QPA_PLATFORM+ QT_QPA_PLATFORM=$QT_QPA_PLATFORM}\" \\\n"
                 "    >> \"$(dirname \"$0\")/browser.log\"\n");
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setEnvironment(QStringLiteral("PATH"), m_tools.path() + u':' + qEnvironmentVariable("PATH"));
}

QStringList GameEnvironment::browserAddresses() const
{
    QFile log(m_tools.filePath(QStringLiteral("browser.log")));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts) : QStringList();
}

namespace X11 {
namespace {
// One run of xdotool or xprop: its output, and whether it answered. It has
// not when it failed or the server reported an error; xdotool's "none
// found" (status 1, silent) is an answer.
QString ask(const QStringList &command, bool *answered = nullptr)
{
    QProcess process;
    process.start(command.first(), command.mid(1));
    const bool ended = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit;
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    if (answered)
        *answered = ended && process.readAllStandardError().isEmpty()
            && (process.exitCode() == 0 || (process.exitCode() == 1 && out.isEmpty()));
    return out;
}

QString query(const QStringList &command)
{
    QString out;
    bool answered = false;
    if (!Wait::until([&] { out = ask(command, &answered); return answered; }, 10000))
        QTest::qFail(qPrintable(command.join(u' ') + QStringLiteral(" kept failing")), __FILE__, __LINE__);
    return out;
}
} // namespace

QStringList windows(const QString &nameRegex, qint64 pid)
{
    QStringList command{QStringLiteral("xdotool"), QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible")};
    if (pid)
        command << QStringLiteral("--pid") << QString::number(pid);
    return query(command << QStringLiteral("--name") << nameRegex).split(u'\n', Qt::SkipEmptyParts);
}

QStringList waitForWindows(const QString &nameRegex, qint64 pid)
{
    QStringList found;
    (void)Wait::until([&] { return !(found = windows(nameRegex, pid)).isEmpty(); });
    return found;
}

QString property(const QString &window, const QString &name)
{
    return query({QStringLiteral("xprop"), QStringLiteral("-id"), window, name});
}

QString activeWindow()
{
    return ask({QStringLiteral("xdotool"), QStringLiteral("getactivewindow")});
}

bool activate(const QString &window)
{
    return Wait::until([&] {
        ask({QStringLiteral("xdotool"), QStringLiteral("windowactivate"), window});
        // The window manager names the active window before the server's
        // input focus follows; keys go where the focus is.
        return activeWindow() == window && ask({QStringLiteral("xdotool"), QStringLiteral("getwindowfocus"), QStringLiteral("-f")}) == window;
    });
}

bool press(const QString &keys)
{
    bool answered = false;
    ask({QStringLiteral("xdotool"), QStringLiteral("key"), keys}, &answered);
    return answered;
}

void destroy(const QString &window)
{
    ask({QStringLiteral("xdotool"), QStringLiteral("windowclose"), window});
}
} // namespace X11
