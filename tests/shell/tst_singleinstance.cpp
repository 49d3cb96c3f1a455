#include "shell/singleinstance.h"
#include "support/testmain.h"
#include "support/childcall.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString lockPath() const { return m_dir.filePath(QStringLiteral("numensight.lock")); }

private Q_SLOTS:
    // flock belongs to the open file description, so two guards in one
    // process exclude each other just as two processes do.
    void secondGuardSeesTheFirstUntilItIsGone()
    {
        auto first = std::make_unique<SingleInstance>(lockPath());
        QVERIFY(!first->PreviousInstanceRunning());
        QVERIFY(!first->PreviousInstanceRunning());

        SingleInstance second(lockPath());
        QVERIFY(second.PreviousInstanceRunning());

        first.reset();
        QVERIFY(!second.PreviousInstanceRunning());
        QVERIFY(SingleInstance(lockPath()).PreviousInstanceRunning());
    }

    // A browser opened from the game may outlive it; it must not keep the lock.
    void startedProgramsDoNotInheritTheLock()
    {
        auto guard = std::make_unique<SingleInstance>(lockPath());
        QVERIFY(!guard->PreviousInstanceRunning());
        QProcess browser;
        browser.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(browser.waitForStarted());

        guard.reset();
        const bool blocked = SingleInstance(lockPath()).PreviousInstanceRunning();
        browser.kill();
        browser.waitForFinished();
        QVERIFY(!blocked);
    }

    void lockHoldsWhereItCannotBeWritten_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("read-only lock file") << "file";
        QTest::newRow("directory in its place") << "directory";
        QTest::newRow("FIFO in its place") << "fifo";
    }

    // Two guards in a child, as "nobody" when run as root, for whom every
    // file is writable; a FIFO must not hold the start.
    void lockHoldsWhereItCannotBeWritten()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString lock = dir.filePath(QStringLiteral("numensight.lock"));
        const QByteArray path = QFile::encodeName(lock);
        const passwd *nobody = ::getpwnam("nobody");
        if (::geteuid() == 0 && !nobody)
            QSKIP("running as root and no user \"nobody\" to drop to");
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                        | QFile::ReadOther | QFile::ExeOther));
        if (kind == QLatin1String("file"))
            QVERIFY(::close(::open(path.constData(), O_CREAT | O_WRONLY, 0444)) == 0);
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(path.constData(), 0644), 0);
        else
            QCOMPARE(::mkdir(path.constData(), 0755), 0);

        QCOMPARE(callInChild([&] {
                     if (::geteuid() == 0
                         && (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0
                             || ::setuid(nobody->pw_uid) != 0))
                         return false;
                     SingleInstance first(lock), second(lock);
                     return !first.PreviousInstanceRunning() && second.PreviousInstanceRunning();
                 }),
                 QStringLiteral("true"));
    }

    // Without XDG_RUNTIME_DIR Qt falls back to runtime-<user> in the
    // temporary folder, and gives no folder at all where another user made
    // that first. The lock then goes to the user's cache folder, and holds.
    void anotherUsersRuntimeFolderLeavesTheGuardWorking()
    {
        const passwd *nobody = ::getpwnam("nobody");
        if (::geteuid() != 0 || !nobody)
            QSKIP("giving a folder to another user needs root and a user \"nobody\"");
        const QByteArray taken = QFile::encodeName(m_dir.filePath(QStringLiteral("runtime-")))
            + ::getpwuid(::geteuid())->pw_name;
        QCOMPARE(::mkdir(taken.constData(), 0700), 0);
        QCOMPARE(::chown(taken.constData(), nobody->pw_uid, nobody->pw_gid), 0);
        const QString cache = m_dir.filePath(QStringLiteral("cache"));
        const QString cacheLock = cache + QStringLiteral("/numensight.lock");
        // In a child, whose environment goes with it.
        QCOMPARE(callInChild([&] {
                     ::unsetenv("XDG_RUNTIME_DIR");
                     ::setenv("TMPDIR", QFile::encodeName(m_dir.path()).constData(), 1);
                     ::setenv("XDG_CACHE_HOME", QFile::encodeName(cache).constData(), 1);
                     const QString lock = SingleInstance::defaultLockPath();
                     SingleInstance first(lock), second(lock);
                     return lock == cacheLock && !first.PreviousInstanceRunning() && second.PreviousInstanceRunning();
                 }),
                 QStringLiteral("true"));
    }

    void unopenableLockLetsTheGameStart()
    {
        SingleInstance guard(m_dir.filePath(QStringLiteral("missing/numensight.lock")));
        QVERIFY(!guard.PreviousInstanceRunning());
    }
};

TEST_CLASS(TestSingleInstance, Core)
#include "tst_singleinstance.moc"
