#include "shell/singleinstance.h"
#include "support/childcall.h"
#include "support/testmain.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    // flock belongs to the open file description, so two guards in one
    // process exclude each other as two processes do. A program the holder
    // started (a browser may outlive the game) does not keep the lock; a FIFO
    // at the path does not hold the start; where no lock can be had, the
    // game starts unguarded.
    void lockIsHeldUntilItsHolderIsGone()
    {
        const QString lock = m_dir.filePath(QStringLiteral("numensight.lock"));
        auto first = std::make_unique<SingleInstance>(lock);
        QVERIFY(!first->PreviousInstanceRunning());
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

    // Without XDG_RUNTIME_DIR Qt falls back to runtime-<user> in the
    // temporary folder, and gives no folder at all where another user made
    // that first. The lock then goes to the user's cache folder, and holds.
    void anotherUsersRuntimeFolderLeavesTheGuardWorking()
    {
        const passwd *nobody = ::getpwnam("nobody");
        if (::geteuid() != 0 || !nobody)
            QSKIP("giving a folder to another user needs root and a user \"nobody\"");
        const QByteArray taken = QFile::encodeName(m_dir.filePath(QStringLiteral("runtime-"))) + ::getpwuid(::geteuid())->pw_name;
        QCOMPARE(::mkdir(taken.constData(), 0700), 0);
        QCOMPARE(::chown(taken.constData(), nobody->pw_uid, nobody->pw_gid), 0);
        const QString cache = m_dir.filePath(QStringLiteral("cache"));
        // In a child, whose environment goes with it.
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

TEST_CLASS(TestSingleInstance, Core)
#include "tst_singleinstance.moc"
