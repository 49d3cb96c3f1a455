#include "shell/singleinstance.h"
#include "support/childcall.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // A browser the game started may outlive it, and a FIFO may stand at the path.
    void lockIsHeldUntilItsHolderIsGone()
    {
        const QString lock = m_dir.filePath(QStringLiteral("numensight.lock"));
        auto first = std::make_unique<SingleInstance>(lock);
        QVERIFY(!first->PreviousInstanceRunning());
        QVERIFY(SingleInstance(lock).PreviousInstanceRunning());
        QProcess browser;
        browser.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(browser.waitForStarted());
        first.reset();
        const bool kept = SingleInstance(lock).PreviousInstanceRunning();
        browser.kill();
        browser.waitForFinished();
        QVERIFY(!kept);
        const QString fifo = m_dir.filePath(QStringLiteral("fifo.lock"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(callInChild([&] { return !SingleInstance(fifo).PreviousInstanceRunning(); }), QStringLiteral("true"));
        QVERIFY(!SingleInstance(m_dir.filePath(QStringLiteral("missing/numensight.lock"))).PreviousInstanceRunning());
    }

    // Qt gives no runtime folder where another user made runtime-<user> first.
    void anotherUsersRuntimeFolderLeavesTheGuardWorking()
    {
        if (::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        const QByteArray taken =
            QFile::encodeName(m_dir.filePath(QStringLiteral("runtime-"))) + ::getpwuid(::geteuid())->pw_name;
        QCOMPARE(::mkdir(taken.constData(), 0700), 0);
        QCOMPARE(::chown(taken.constData(), ::geteuid() + 1, -1), 0);
        const QString cache = m_dir.filePath(QStringLiteral("cache"));
        QCOMPARE(callInChild([&] {
                     ::unsetenv("XDG_RUNTIME_DIR");
                     ::setenv("TMPDIR", QFile::encodeName(m_dir.path()).constData(), 1);
                     ::setenv("XDG_CACHE_HOME", QFile::encodeName(cache).constData(), 1);
                     const QString lock = SingleInstance::defaultLockPath();
                     SingleInstance first(lock), second(lock);
                     return lock == cache + QStringLiteral("/numensight.lock") && !first.PreviousInstanceRunning()
                         && second.PreviousInstanceRunning();
                 }),
                 QStringLiteral("true"));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
