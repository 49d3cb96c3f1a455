#pragma once

#include "support/wait.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <deque>

// xdotool's patterns for the program's windows: the main and exit windows
// carry the title and version, message boxes the title alone.
inline const QString MainWindowTitle =
    QStringLiteral("^Numensight v") + QRegularExpression::escape(QStringLiteral(NUMENSIGHT_VERSION)) + u'$';
inline const QString MessageBoxTitle = QStringLiteral("^Numensight$");

// Runs the real program on the X display the test runs under, with its own
// runtime (lock) and configuration (settings) folders; ends what it started.
class GameEnvironment
{
public:
    GameEnvironment()
    {
        QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        // As for a player who chose no platform: the game picks X11 itself.
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    }

    QString settingsFile() const { return m_config.filePath(QStringLiteral("Numensight/numensight.ini")); }
    // Its error output goes to the test's unless it is to be read.
    QProcess *start(const QStringList &arguments = {}, QProcess::ProcessChannelMode mode = QProcess::ForwardedErrorChannel)
    {
        QProcess &process = m_processes.emplace_back();
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(mode);
        process.start(QStringLiteral(NUMENSIGHT_BINARY), arguments);
        process.waitForStarted();
        return &process;
    }

    // For every later start.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

private:
    QTemporaryDir m_runtime, m_config;
    // QProcess kills what it started when it goes: a program left running
    // after its test would hold the test's output open.
    std::deque<QProcess> m_processes;
};

// Every query is polled until its answer comes: a tool that fails, or that
// the server answers with an error (as when another window goes away while
// xdotool walks the tree), reads as an empty answer and is asked again.
namespace X11 {
inline QString ask(const QStringList &arguments, const QString &tool = QStringLiteral("xdotool"))
{
    QProcess process;
    process.start(tool, arguments);
    const bool answered = process.waitForFinished(10000) && process.exitCode() == 0 && process.readAllStandardError().isEmpty();
    return answered ? QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed() : QString();
}

// A process's visible top-level windows whose name matches a regular expression.
inline QStringList windows(const QString &nameRegex, qint64 pid)
{
    return ask({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(pid), QStringLiteral("--name"), nameRegex})
        .split(u'\n', Qt::SkipEmptyParts);
}

// Gives a window the input focus, asking again while the window manager
// turns the request down. It names the active window before the server's
// input focus follows; keys go where the focus is.
inline bool activate(const QString &window)
{
    return Wait::until([&] {
        ask({QStringLiteral("windowactivate"), window});
        return ask({QStringLiteral("getactivewindow")}) == window && ask({QStringLiteral("getwindowfocus"), QStringLiteral("-f")}) == window;
    });
}

// Types keys into the focused window. Not `key --window`: once a key has
// closed its window, xdotool sends the release to the window and the key
// stays down in the server.
inline bool press(const QString &keys)
{
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
}
} // namespace X11
