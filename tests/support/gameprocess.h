#pragma once

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <memory>
#include <vector>

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
    GameEnvironment();
    ~GameEnvironment();

    QString settingsFile() const { return m_config.filePath(QStringLiteral("Numensight/numensight.ini")); }
    // Its error output goes to the test's unless it is to be read.
    QProcess *start(const QStringList &arguments = {}, QProcess::ProcessChannelMode mode = QProcess::ForwardedErrorChannel);
    // For every later start; a null value unsets the variable.
    void setEnvironment(const QString &name, const QString &value) { m_environment.push_back({name, value}); }

    // Puts a stand-in xdg-open first on PATH for every later start. Qt hands
    // it each address the program opens; it logs them, one a line, each
    // followed by the QT_QPA_PLATFORM it inherited, if any. It runs
    // detached: poll.
    void fakeBrowser();
    QStringList browserAddresses() const;

private:
    QTemporaryDir m_runtime, m_config, m_tools;
    QList<std::pair<QString, QString>> m_environment;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// Queries ask again while the tool fails or the server reports an error (as
// when another window goes away while xdotool walks the tree), and fail the
// test when no answer comes: a failed query never reads as "no window".
namespace X11 {
// Visible top-level windows whose name matches the regular expression, of
// one process or any; waitForWindows waits for at least one.
QStringList windows(const QString &nameRegex, qint64 pid = 0);
QStringList waitForWindows(const QString &nameRegex, qint64 pid = 0);
QString property(const QString &window, const QString &name);
// Empty while no window is active.
QString activeWindow();
// Gives a window the input focus, asking again while the window manager
// turns the request down.
bool activate(const QString &window);
// Types keys into the focused window. Not `key --window`: once a key has
// closed its window, xdotool sends the release to the window and the key
// stays down in the server.
bool press(const QString &keys);
// As a tool or window manager killing a window does, not asking it to close.
void destroy(const QString &window);
} // namespace X11
