#include "settings/settingsstore.h"
#include "support/files.h"
#include "support/gameprocess.h"
#include "support/testmain.h"
#include "support/wait.h"

#include <QDate>

class TestProcessSingleInstance : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The guard comes before the settings are read: on a day the reminder is
    // due, a second copy started while the first asks its question shows
    // only its refusal and leaves the file as it was. The first copy's
    // question comes before its main window, and Yes opens the download page
    // once, in a browser that inherits no platform the game chose for itself.
    // Once the first copy is killed, the next start is an ordinary one.
    void secondCopyIsRefusedEvenOnADueDay()
    {
        GameEnvironment env;
        env.fakeBrowser();
        const QDate today = QDate::currentDate();
        QVERIFY(SettingsStore(env.settingsFile()).WriteSetting(SettingKeys::Duration, today.addDays(-20).toString(Qt::ISODate)));
        const QByteArray before = fileContents(env.settingsFile());
        QProcess *first = env.start();
        QStringList question;
        WAIT_VERIFY(!(question = X11::windows(QStringLiteral("."), first->processId())).isEmpty(), QStringLiteral("no window"));
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

        QVERIFY(X11::activate(question[0]));
        QVERIFY(X11::press(QStringLiteral("y")));
        QCOMPARE(X11::waitForWindows(MainWindowTitle, first->processId()).size(), 1);
        const QStringList opened{QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html")};
        QTRY_COMPARE_WITH_TIMEOUT(env.browserAddresses(), opened, Wait::kDeadlineMs);
        // With the main window up both runs of the reminder are over.
        QVERIFY2(Wait::holds([&] { return env.browserAddresses() == opened; }, 2000), qPrintable(env.browserAddresses().join(u' ')));
        QCOMPARE(SettingsStore(env.settingsFile()).ReadSetting(SettingKeys::Duration), today.toString(Qt::ISODate));

        first->kill();
        QVERIFY(first->waitForFinished(10000));
        QProcess *next = env.start();
        QCOMPARE(X11::waitForWindows(MainWindowTitle, next->processId()).size(), 1);
        QVERIFY(X11::windows(MessageBoxTitle, next->processId()).isEmpty());
    }
};

TEST_CLASS(TestProcessSingleInstance, Core)
#include "tst_process_singleinstance.moc"
