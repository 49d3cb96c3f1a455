#include "settings/settingsstore.h"
#include "support/testmain.h"
#include "support/gameprocess.h"
#include "support/wait.h"

#include <QDate>
#include <QTest>

namespace {
const QString kDownloadPage = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html");

QString isoDate(int daysFromToday)
{
    return QDate::currentDate().addDays(daysFromToday).toString(QStringLiteral("yyyy-MM-dd"));
}
} // namespace

// One start of the real program with the reminder due; when it is due, and
// that the main window's load asks nothing more, tst_updatereminder and
// tst_startup tell.
class TestProcessReminder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!GameEnvironment().hasDisplay())
            QSKIP("needs an X display; make test provides one");
    }

    void dueQuestionComesBeforeTheMainWindow_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QStringList>("opened");
        QTest::newRow("Yes") << "y" << QStringList{kDownloadPage};
        QTest::newRow("No") << "Escape" << QStringList{};
    }

    void dueQuestionComesBeforeTheMainWindow()
    {
        QFETCH(QString, key);
        QFETCH(QStringList, opened);
        GameEnvironment env;
        env.fakeBrowser();
        QVERIFY(SettingsStore(env.settingsFile()).WriteSetting(SettingKeys::Duration, isoDate(-20)));

        QProcess *game = env.start();
        const qint64 pid = game->processId();
        QStringList first;
        WAIT_VERIFY(!(first = X11::windows(QStringLiteral("."), pid)).isEmpty(), QStringLiteral("no window"));
        QCOMPARE(first.size(), 1);
        QCOMPARE(X11::windows(MessageBoxTitle, pid), first);

        QVERIFY(X11::activate(first[0]));
        QVERIFY(X11::press(key));
        const QStringList main = X11::waitForWindows(MainWindowTitle, pid);
        QCOMPARE(main.size(), 1);
        QCOMPARE(X11::windows(QStringLiteral("."), pid), main);
        // The browser inherits no platform the game chose for itself.
        QTRY_COMPARE_WITH_TIMEOUT(env.browserAddresses(), opened, Wait::kDeadlineMs);
        // With the main window up both runs of the reminder are over: any
        // other page would already be on its way to the stand-in browser.
        QVERIFY2(Wait::holds([&] { return env.browserAddresses() == opened; }, 2000),
                 qPrintable(env.browserAddresses().join(u' ')));
        QCOMPARE(SettingsStore(env.settingsFile()).ReadSetting(SettingKeys::Duration), isoDate(0));
    }
};

TEST_CLASS(TestProcessReminder, Core)
#include "tst_process_reminder.moc"
