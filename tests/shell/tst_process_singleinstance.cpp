#include "settings/settingsstore.h"
#include "support/files.h"
#include "support/gameprocess.h"
#include "support/testmain.h"
#include "support/wait.h"

#include <QDate>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

class TestProcessSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!GameEnvironment().hasDisplay())
            QSKIP("needs an X display; make test provides one");
    }

    // A FIFO at the settings path would hold a copy that opened it for good.
    void secondCopyIsRefusedAndLeavesTheFirstAlone()
    {
        GameEnvironment env;
        QProcess *first = env.start();
        const QStringList main = X11::waitForWindows(MainWindowTitle, first->processId());
        QCOMPARE(main.size(), 1);
        const QByteArray settings = QFile::encodeName(env.settingsFile());
        QVERIFY(!fileContents(env.settingsFile()).isEmpty());
        QVERIFY(QFile::remove(env.settingsFile()));
        QCOMPARE(::mkfifo(settings.constData(), 0600), 0);
        const QString geometryBefore = X11::geometry(main[0]);

        QProcess *second = env.start();
        const QStringList box = X11::waitForWindows(MessageBoxTitle, second->processId());
        QCOMPARE(box.size(), 1);
        QVERIFY(X11::windows(MainWindowTitle, second->processId()).isEmpty());
        QVERIFY(X11::activate(box[0]));
        QVERIFY(X11::press(QStringLiteral("Return")));
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);

        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(X11::windows(MainWindowTitle, first->processId()), main);
        QCOMPARE(X11::geometry(main[0]), geometryBefore);
        struct stat st;
        QVERIFY(::lstat(settings.constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        first->kill();
        first->waitForFinished();
    }

    // The guard comes before the settings are read: on a day the reminder
    // is due, a second copy started while the first asks its question shows
    // only its refusal and leaves the file as it was. The first copy's
    // question comes before its main window, and Yes opens the download page
    // once, in a browser that inherits no platform the game chose for itself.
    void secondCopyOnADueDayNeitherAsksNorWrites()
    {
        GameEnvironment env;
        env.fakeBrowser();
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        const QString due = QDate::currentDate().addDays(-20).toString(QStringLiteral("yyyy-MM-dd"));
        QVERIFY(SettingsStore(env.settingsFile()).WriteSetting(SettingKeys::Duration, due));
        const QByteArray before = fileContents(env.settingsFile());
        QProcess *first = env.start();
        QStringList question;
        WAIT_VERIFY(!(question = X11::windows(QStringLiteral("."), first->processId())).isEmpty(),
                    QStringLiteral("no window"));
        QCOMPARE(X11::windows(MessageBoxTitle, first->processId()), question);

        QProcess *second = env.start();
        const QStringList refusal = X11::waitForWindows(MessageBoxTitle, second->processId());
        QCOMPARE(refusal.size(), 1);
        QVERIFY(X11::activate(refusal[0]));
        QVERIFY(X11::press(QStringLiteral("Return")));
        // Had it asked first, Return would have answered the question, and
        // the refusal would still wait.
        QVERIFY2(second->waitForFinished(10000), "the second copy showed more than its refusal");
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(fileContents(env.settingsFile()), before);
        QVERIFY(env.browserAddresses().isEmpty());

        QVERIFY(X11::activate(question[0]));
        QVERIFY(X11::press(QStringLiteral("y")));
        QCOMPARE(X11::waitForWindows(MainWindowTitle, first->processId()).size(), 1);
        const QStringList opened{QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html")};
        QTRY_COMPARE_WITH_TIMEOUT(env.browserAddresses(), opened, Wait::kDeadlineMs);
        // With the main window up both runs of the reminder are over.
        QVERIFY2(Wait::holds([&] { return env.browserAddresses() == opened; }, 2000),
                 qPrintable(env.browserAddresses().join(u' ')));
        QCOMPARE(SettingsStore(env.settingsFile()).ReadSetting(SettingKeys::Duration), today);
    }

    // Ending a refused copy after OK is the first test's business; here only
    // the outcome of the race counts.
    void simultaneousStartsLeaveExactlyOneRunning()
    {
        GameEnvironment env;
        std::vector<QProcess *> copies;
        for (int i = 0; i < 4; ++i)
            copies.push_back(env.start());
        QVERIFY(!X11::waitForWindows(MainWindowTitle).isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(X11::windows(MessageBoxTitle).size(), qsizetype(3), 30000);
        QCOMPARE(X11::windows(MainWindowTitle).size(), qsizetype(1));
        for (QProcess *copy : copies)
            QCOMPARE(copy->state(), QProcess::Running);
        for (QProcess *copy : copies) {
            copy->kill();
            copy->waitForFinished();
        }
    }
};

TEST_CLASS(TestProcessSingleInstance, Core)
#include "tst_process_singleinstance.moc"
