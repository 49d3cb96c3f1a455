#include "shell/settingsstore.h"
#include "support/files.h"
#include "support/gameprocess.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString kMainWindow = QStringLiteral("^Numensight v1\\.65$");
const QString kMessageBox = QStringLiteral("^Numensight$");
const QString kDownloadPage = QStringLiteral("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html");
const QString kFifteenDaysOn = QStringLiteral("+15d");

QString isoDate(int daysFromToday)
{
    return QDate::currentDate().addDays(daysFromToday).toString(QStringLiteral("yyyy-MM-dd"));
}

QString storedDate(const GameEnvironment &env)
{
    return SettingsStore(env.settingsFile()).ReadSetting(SettingKeys::Duration);
}

// Ends a run and waits until its main window has left the screen, so that
// the next run's window is not mistaken for it.
void stop(QProcess *started, const QString &window)
{
    GameEnvironment::stop(started);
    QElapsedTimer timer;
    timer.start();
    while (X11::windows(kMainWindow).contains(window) && timer.elapsed() < 10000)
        QTest::qWait(50);
}

// Presses a key in the question until it has gone: a key can reach the box
// before the window manager has focused it.
bool answer(const QString &box, const QString &key)
{
    for (int round = 0; round < 20; ++round) {
        X11::run(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), box});
        X11::run(QStringLiteral("xdotool"), {QStringLiteral("key"), key});
        QTest::qWait(250);
        if (!X11::windows(kMessageBox).contains(box))
            return true;
    }
    return false;
}
} // namespace

class TestProcessReminder : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!GameEnvironment().hasDisplay())
            QSKIP("needs an X display; make test provides one");
    }

    void askedOnlyWhenFifteenDaysHavePassed()
    {
        GameEnvironment env;
        env.fakeBrowser();

        // First run: the date is recorded, scrambled, and nothing is asked.
        QProcess *first = env.start();
        QStringList main = X11::waitForWindows(kMainWindow, first->processId());
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::windows(kMessageBox).isEmpty());
        const QByteArray day0 = fileContents(env.settingsFile());
        QVERIFY(!day0.isEmpty());
        QVERIFY(!day0.contains("Duration"));
        QVERIFY(!day0.contains(isoDate(0).toLatin1()));
        QCOMPARE(storedDate(env), isoDate(0));
        stop(first, main[0]);

        // Fifteen days on the question comes first and holds the start-up.
        QProcess *second = env.start(kFifteenDaysOn);
        const QStringList box = X11::waitForWindows(kMessageBox);
        QCOMPARE(box.size(), 1);
        QVERIFY(X11::windows(kMainWindow).isEmpty());
        QTest::qWait(500);
        QVERIFY(X11::windows(kMainWindow).isEmpty());
        QCOMPARE(fileContents(env.settingsFile()), day0);

        // Escape answers No: the main window follows, the date moves on,
        // and no page opens.
        QVERIFY(answer(box[0], QStringLiteral("Escape")));
        main = X11::waitForWindows(kMainWindow);
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::windows(kMessageBox).isEmpty());
        const QByteArray day15 = fileContents(env.settingsFile());
        QVERIFY(day15 != day0);
        QCOMPARE(storedDate(env), isoDate(15));
        QTest::qWait(500);
        QCOMPARE(env.browserAddresses(), QStringList{});
        stop(second, main[0]);

        // Same day again: nothing due.
        QProcess *third = env.start(kFifteenDaysOn);
        main = X11::waitForWindows(kMainWindow);
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::windows(kMessageBox).isEmpty());
        QCOMPARE(fileContents(env.settingsFile()), day15);
        stop(third, main[0]);
    }

    void yesOpensTheDownloadPageOnce_data()
    {
        QTest::addColumn<bool>("browser");

        QTest::newRow("with a browser") << true;
        QTest::newRow("without a browser") << false;
    }

    // Without a browser nothing opens and nothing is said; the start goes on.
    void yesOpensTheDownloadPageOnce()
    {
        QFETCH(bool, browser);

        GameEnvironment env;
        QTemporaryDir emptyPath;
        if (browser) {
            env.fakeBrowser();
        } else {
            env.setEnvironment(QStringLiteral("PATH"), emptyPath.path());
            env.setEnvironment(QStringLiteral("BROWSER"), QString());
            env.setEnvironment(QStringLiteral("DEFAULT_BROWSER"), QString());
        }
        QVERIFY(SettingsStore(env.settingsFile()).WriteSetting(SettingKeys::Duration, isoDate(-20)));

        QProcess *game = env.start();
        const QStringList box = X11::waitForWindows(kMessageBox, game->processId());
        QCOMPARE(box.size(), 1);
        QVERIFY(X11::windows(kMainWindow, game->processId()).isEmpty());
        QVERIFY(answer(box[0], QStringLiteral("y")));

        const QStringList main = X11::waitForWindows(kMainWindow, game->processId());
        QCOMPARE(main.size(), 1);
        if (browser)
            QTRY_VERIFY_WITH_TIMEOUT(!env.browserAddresses().isEmpty(), 10000);
        QTest::qWait(500);
        QCOMPARE(env.browserAddresses(), browser ? QStringList{kDownloadPage} : QStringList{});
        QCOMPARE(storedDate(env), isoDate(0));
        QVERIFY(X11::windows(kMessageBox).isEmpty());
        QCOMPARE(X11::windows(QStringLiteral("."), game->processId()), main);
        stop(game, main[0]);
    }

    void unusableSettingsStartStraightToTheMainWindow_data()
    {
        QTest::addColumn<bool>("directory");

        QTest::newRow("garbage bytes") << false;
        QTest::newRow("directory in its place") << true;
    }

    void unusableSettingsStartStraightToTheMainWindow()
    {
        QFETCH(bool, directory);

        GameEnvironment env;
        env.fakeBrowser();
        QVERIFY(QDir().mkpath(directory ? env.settingsFile() : QFileInfo(env.settingsFile()).path()));
        if (!directory) {
            QByteArray garbage;
            for (int i = 0; i < 2048; ++i)
                garbage += char((i * 7919 + 13) % 256);
            QFile file(env.settingsFile());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(garbage);
        }

        QProcess *game = env.start(kFifteenDaysOn);
        const QStringList main = X11::waitForWindows(kMainWindow);
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::windows(kMessageBox).isEmpty());
        QCOMPARE(QFileInfo(env.settingsFile()).isDir(), directory);
        QTest::qWait(300);
        QCOMPARE(env.browserAddresses(), QStringList{});
        stop(game, main[0]);
    }
};

QTEST_GUILESS_MAIN(TestProcessReminder)
#include "tst_process_reminder.moc"
