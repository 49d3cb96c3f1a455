#include "shell/singleinstance.h"
#include "support/childcall.h"
#include "support/files.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
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

    // flock needs no write access. Root may write anything, so as root the
    // two copies run as nobody.
    void aLockFileThePlayerCannotWriteStillLocks()
    {
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("numensight.lock"));
        QVERIFY(writeFile(lock, {}));
        QCOMPARE(::chmod(QFile::encodeName(lock).constData(), 0444), 0);
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
        QCOMPARE(callInChild([&] {
                     const passwd *nobody = ::getpwnam("nobody");
                     if (::geteuid() == 0
                         && (!nobody || ::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0
                             || ::setuid(nobody->pw_uid) != 0))
                         return false;
                     SingleInstance first(lock), second(lock);
                     return !first.PreviousInstanceRunning() && second.PreviousInstanceRunning();
                 }),
                 QStringLiteral("true"));
    }

    // Qt gives no runtime folder where another user made runtime-<user>
    // first, or put a file there; only root can do the former in a test.
    void noRuntimeFolderOfTheUsersOwnLeavesTheGuardWorking_data()
    {
        QTest::addColumn<bool>("anotherUsersFolder");
        QTest::newRow("another user's folder") << true;
        QTest::newRow("a file") << false;
    }

    void noRuntimeFolderOfTheUsersOwnLeavesTheGuardWorking()
    {
        QFETCH(bool, anotherUsersFolder);
        if (anotherUsersFolder && ::geteuid() != 0)
            QSKIP("giving a folder to another user needs root");
        QTemporaryDir dir;
        const QByteArray taken =
            QFile::encodeName(dir.filePath(QStringLiteral("runtime-"))) + ::getpwuid(::geteuid())->pw_name;
        if (anotherUsersFolder) {
            QCOMPARE(::mkdir(taken.constData(), 0700), 0);
            QCOMPARE(::chown(taken.constData(), ::geteuid() + 1, -1), 0);
        } else {
            QVERIFY(writeFile(QFile::decodeName(taken), {}));
        }
        const QString cache = dir.filePath(QStringLiteral("cache"));
        QCOMPARE(callInChild([&] {
                     ::unsetenv("XDG_RUNTIME_DIR");
                     ::setenv("TMPDIR", QFile::encodeName(dir.path()).constData(), 1);
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
