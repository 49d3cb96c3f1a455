#include "shell/singleinstance.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <sys/wait.h>
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

    void killedHolderDoesNotBlock()
    {
        int pipeFds[2];
        QCOMPARE(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            ::close(pipeFds[0]);
            SingleInstance guard(lockPath());
            const char took = guard.PreviousInstanceRunning() ? 'n' : 'y';
            (void)!::write(pipeFds[1], &took, 1);
            for (;;)
                ::pause();
        }
        ::close(pipeFds[1]);
        char took = 0;
        const bool reported = ::read(pipeFds[0], &took, 1) == 1;
        ::close(pipeFds[0]);

        const bool seenWhileAlive = SingleInstance(lockPath()).PreviousInstanceRunning();
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);

        QVERIFY(reported);
        QCOMPARE(took, 'y');
        QVERIFY(seenWhileAlive);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QVERIFY(!SingleInstance(lockPath()).PreviousInstanceRunning());
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

    void unopenableLockLetsTheGameStart()
    {
        SingleInstance guard(m_dir.filePath(QStringLiteral("missing/numensight.lock")));
        QVERIFY(!guard.PreviousInstanceRunning());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
