#include "support/gameprocess.h"

#include "support/wait.h"

#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>

GameEnvironment::GameEnvironment()
{
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A program left running after its test would hold the test's output open.
GameEnvironment::~GameEnvironment()
{
    for (const auto &process : m_processes) {
        if (process->processId() > 0) {
            process->kill();
            process->waitForFinished(10000);
        }
    }
}

bool GameEnvironment::hasDisplay() const
{
    return !qEnvironmentVariableIsEmpty("DISPLAY");
}

QString GameEnvironment::settingsFile() const
{
    return m_config.filePath(QStringLiteral("Numensight/numensight.ini"));
}

QProcess *GameEnvironment::start()
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // As for a player who chose no platform: the game picks X11 itself.
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    for (const auto &[name, value] : m_environment)
        env.insert(name, value);
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(QStringLiteral(NUMENSIGHT_BINARY), {});
    process->waitForStarted();
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

void GameEnvironment::setEnvironment(const QString &name, const QString &value)
{
    m_environment.push_back({name, value});
}

void GameEnvironment::fakeBrowser()
{
    const QString script = m_tools.filePath(QStringLiteral("xdg-open"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(script));
    file.write("#!/bin/sh\nprintf '%s%s\\n' \"$1\" \"${QT_QPA_PLATFORM+ QT_QPA_PLATFORM=$QT_QPA_PLATFORM}\" \\\n"
               "    >> \"$(dirname \"$0\")/browser.log\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    setEnvironment(QStringLiteral("PATH"), m_tools.path() + u':' + qEnvironmentVariable("PATH"));
}

QStringList GameEnvironment::browserAddresses() const
{
    QFile log(m_tools.filePath(QStringLiteral("browser.log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(log.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

namespace X11 {

namespace {
// One run of a tool. It has not answered when it failed or the server
// reported an error; xdotool's "none found" (status 1, silent) is an answer.
struct Answer
{
    QString out, error;
    bool answered = false;
};
Answer ask(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool ended = process.waitForFinished(10000) && process.exitStatus() == QProcess::NormalExit;
    const QString out = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    const QString err = ended ? QString::fromLocal8Bit(process.readAllStandardError()).trimmed() : QStringLiteral("no end");
    const int status = process.exitCode();
    return {out, err, err.isEmpty() && (status == 0 || (status == 1 && out.isEmpty()))};
}

QString query(const QString &program, const QStringList &arguments)
{
    Answer answer;
    if (!Wait::until([&] { return (answer = ask(program, arguments)).answered; }, 10000))
        QTest::qFail(qPrintable(QStringLiteral("%1 %2 kept failing: %3").arg(program, arguments.join(u' '), answer.error)),
                     __FILE__, __LINE__);
    return answer.answered ? answer.out : QString();
}
} // namespace

QString run(const QString &program, const QStringList &arguments)
{
    return ask(program, arguments).out;
}

QStringList windows(const QString &nameRegex, qint64 pid)
{
    QStringList args{QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible")};
    if (pid)
        args << QStringLiteral("--pid") << QString::number(pid);
    const QString out = query(QStringLiteral("xdotool"), args << QStringLiteral("--name") << nameRegex);
    return out.isEmpty() ? QStringList{} : out.split(u'\n');
}

QStringList waitForWindows(const QString &nameRegex, qint64 pid, int timeoutMs)
{
    QStringList found;
    (void)Wait::until([&] { return !(found = windows(nameRegex, pid)).isEmpty(); }, timeoutMs);
    return found;
}

QString property(const QString &window, const QString &atom)
{
    return query(QStringLiteral("xprop"), {QStringLiteral("-id"), window, atom});
}

QString geometry(const QString &window)
{
    return query(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), window});
}

QRect frame(const QString &window)
{
    const QString info = query(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window});
    auto field = [&](const char *name) {
        const QRegularExpression line(QLatin1String(name) + QStringLiteral(":\\s*(-?\\d+)"));
        return line.match(info).captured(1).toInt();
    };
    const QRect client(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"; none for a window without a frame.
    const QStringList extents = property(window, QStringLiteral("_NET_FRAME_EXTENTS")).section(u'=', 1).split(u',');
    if (extents.size() != 4)
        return client;
    return client.adjusted(-extents[0].toInt(), -extents[2].toInt(), extents[1].toInt(), extents[3].toInt());
}

QString activeWindow()
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
}

bool activate(const QString &window)
{
    return Wait::until([&] {
        run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), window});
        // The window manager names the active window before the server's
        // input focus follows; keys go where the focus is.
        return activeWindow() == window && run(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus"), QStringLiteral("-f")}) == window;
    });
}

bool press(const QString &keys)
{
    return ask(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}).answered;
}

} // namespace X11
