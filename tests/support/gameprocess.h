#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs the real program on the X display the test runs under, with its own
// runtime (lock) and configuration (settings) folders, and looks at its
// windows through xdotool and xprop.
class GameEnvironment
{
public:
    GameEnvironment();
    ~GameEnvironment();

    bool hasDisplay() const;
    QString runtimeDir() const { return m_runtime.path(); }
    QString configDir() const { return m_config.path(); }
    QString settingsFile() const;

    // clockOffset, when given, moves the program's clock with libfaketime,
    // e.g. "+15d".
    QProcess *start(const QString &clockOffset = {});

    // Kills a started program and waits for it.
    static void stop(QProcess *process);

    // Set in the environment of every later start.
    void setEnvironment(const QString &name, const QString &value);

    // Puts a stand-in xdg-open first on PATH for every later start. Qt hands
    // it each address the program opens; it appends them, one a line, to a
    // log that browserAddresses() reads. It runs detached: poll.
    void fakeBrowser();
    QStringList browserAddresses() const;

private:
    QTemporaryDir m_runtime;
    QTemporaryDir m_config;
    QTemporaryDir m_tools;
    QList<std::pair<QString, QString>> m_environment;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

namespace X11 {

QString run(const QString &program, const QStringList &arguments);

// Visible top-level windows whose name matches the regular expression,
// optionally of one process; waits up to timeoutMs for at least one.
QStringList waitForWindows(const QString &nameRegex, qint64 pid = 0, int timeoutMs = 20000);
QStringList windows(const QString &nameRegex, qint64 pid = 0);
QString name(const QString &window);
QString property(const QString &window, const QString &atom);
QString activeWindow();

} // namespace X11
