#include "support/gameprocess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QThread>


GameEnvironment::GameEnvironment()
{
    QFile::setPermissions(m_runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A program left running after its test would hold the test's output open.
GameEnvironment::~GameEnvironment()
{
    for (const auto &process : m_processes)
        stop(process.get());
}

void GameEnvironment::stop(QProcess *process)
{
    if (process->processId() <= 0)
        return;
    process->kill();
    process->waitForFinished(10000);
}

bool GameEnvironment::hasDisplay() const
{
    return !qEnvironmentVariableIsEmpty("DISPLAY");
}

QString GameEnvironment::settingsFile() const
{
    return m_config.filePath(QStringLiteral("Numensight/numensight.ini"));
}

namespace {
// Preloaded directly rather than through the faketime wrapper, whose named
// semaphores outlive a killed run and then refuse the next one.
QString fakeTimeLibrary()
{
    const QStringList found = QDir(QStringLiteral("/usr/lib")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &dir : found) {
        const QString library = QStringLiteral("/usr/lib/%1/faketime/libfaketime.so.1").arg(dir);
        if (QFile::exists(library))
            return library;
    }
    qFatal("libfaketime not found; install the faketime package");
}
} // namespace

QProcess *GameEnvironment::start(const QString &clockOffset)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
    if (!clockOffset.isEmpty()) {
        env.insert(QStringLiteral("LD_PRELOAD"), fakeTimeLibrary());
        env.insert(QStringLiteral("FAKETIME"), clockOffset);
        // The preloaded library comes ahead of a sanitized build's runtime,
        // which would otherwise refuse to start.
        env.insert(QStringLiteral("ASAN_OPTIONS"),
                   env.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    }
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
    file.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$(dirname \"$0\")/browser.log\"\n");
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

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QStringList windows(const QString &nameRegex, qint64 pid)
{
    QStringList args{QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible")};
    if (pid)
        args << QStringLiteral("--pid") << QString::number(pid);
    args << QStringLiteral("--name") << nameRegex;
    const QString out = run(QStringLiteral("xdotool"), args);
    return out.isEmpty() ? QStringList{} : out.split(u'\n');
}

QStringList waitForWindows(const QString &nameRegex, qint64 pid, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    QStringList found;
    while ((found = windows(nameRegex, pid)).isEmpty() && timer.elapsed() < timeoutMs)
        QThread::msleep(50);
    return found;
}

QString name(const QString &window)
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window});
}

QString property(const QString &window, const QString &atom)
{
    return run(QStringLiteral("xprop"), {QStringLiteral("-id"), window, atom});
}

QString activeWindow()
{
    return run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")});
}

} // namespace X11
