#pragma once

#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// xdotool's patterns for the program's windows: the main and exit windows
// carry the title and version, message boxes the title alone.
inline const QString MainWindowTitle =
    QStringLiteral("^Numensight v") + QRegularExpression::escape(QStringLiteral(NUMENSIGHT_VERSION)) + u'$';
inline const QString MessageBoxTitle = QStringLiteral("^Numensight$");

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

    QProcess *start();

    // Set in the environment of every later start.
    void setEnvironment(const QString &name, const QString &value);

    // Puts a stand-in xdg-open first on PATH for every later start. Qt hands
    // it each address the program opens; it appends them, one a line, to a
    // log that browserAddresses() reads, each followed by the QT_QPA_PLATFORM
    // it inherited, if any. It runs detached: poll.
    void fakeBrowser();
    QStringList browserAddresses() const;

private:
    QTemporaryDir m_runtime;
    QTemporaryDir m_config;
    QTemporaryDir m_tools;
    QList<std::pair<QString, QString>> m_environment;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// Queries ask again while the tool fails or the server reports an error (as
// when another window goes away while xdotool walks the tree), and fail the
// test when no answer comes: a failed query never reads as "no window".
namespace X11 {

// One run of a command; its output, whatever its status.
QString run(const QString &program, const QStringList &arguments);

// Visible top-level windows whose name matches the regular expression,
// optionally of one process; waits up to timeoutMs for at least one.
QStringList waitForWindows(const QString &nameRegex, qint64 pid = 0, int timeoutMs = 20000);
QStringList windows(const QString &nameRegex, qint64 pid = 0);
QString property(const QString &window, const QString &atom);
QString geometry(const QString &window);
// The window's frame, title bar and borders included, where the server has
// it: the window's own place (xwininfo) and the frame the window manager
// says it added (_NET_FRAME_EXTENTS).
QRect frame(const QString &window);
// Empty while no window is active.
QString activeWindow();

// Gives a window the server's input focus, asking again while the window
// manager turns the request down.
bool activate(const QString &window);
// Types keys into the focused window. Not `key --window`: once a key has
// closed its window, xdotool sends the release to the window and the key
// stays down in the server.
bool press(const QString &keys);

} // namespace X11
