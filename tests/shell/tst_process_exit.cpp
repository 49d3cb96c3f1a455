#include "support/gameprocess.h"
#include "support/testmain.h"
#include "support/screen.h"
#include "support/wait.h"

#include <QColor>
#include <QTest>

namespace {
// The one window titled like the program that is not `other`, once it is
// the only one left.
QString onlyWindowBesides(const QString &other, qint64 pid)
{
    QStringList found;
    return Wait::until([&] { return (found = X11::windows(MainWindowTitle, pid)).size() == 1 && found[0] != other; })
        ? found[0] : QString();
}
} // namespace

class TestProcessExit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!GameEnvironment().hasDisplay())
            QSKIP("needs an X display; make test provides one");
    }

    // Every way out of the main window opens the topmost exit window and
    // keeps the process; only leaving the exit window ends it, with status 0.
    void mainWindowGivesWayToTheExitWindowWhichEndsTheProgram_data()
    {
        QTest::addColumn<QString>("leaveMain");
        QTest::addColumn<QString>("leaveExit");
        QTest::newRow("&Exit, then E&xit") << "&Exit" << "alt+x";
        QTest::newRow("File Exit, then close box") << "File Exit" << "alt+F4";
        QTest::newRow("close box, then E&xit") << "close box" << "alt+x";
    }
    void mainWindowGivesWayToTheExitWindowWhichEndsTheProgram()
    {
        QFETCH(QString, leaveMain);
        QFETCH(QString, leaveExit);
        GameEnvironment env;
        QProcess *game = env.start();
        const QStringList main = X11::waitForWindows(MainWindowTitle, game->processId());
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::activate(main[0]));

        if (leaveMain == QLatin1String("&Exit")) {
            QVERIFY(X11::press(QStringLiteral("alt+e")));
        } else if (leaveMain == QLatin1String("File Exit")) {
            QVERIFY(X11::press(QStringLiteral("alt+f")));
            // The drop-down is a second, untitled window of the program.
            QTRY_COMPARE_WITH_TIMEOUT(X11::windows(QString(), game->processId()).size(), qsizetype(2), Wait::kDeadlineMs);
            QVERIFY(X11::press(QStringLiteral("x")));
        } else {
            // Openbox closes the active window on Alt+F4, as its close box does.
            QVERIFY(X11::press(QStringLiteral("alt+F4")));
        }

        const QString exitWindow = onlyWindowBesides(main[0], game->processId());
        QVERIFY2(!exitWindow.isEmpty(), "the exit window did not replace the main window");
        QVERIFY(X11::property(exitWindow, QStringLiteral("_NET_WM_STATE")).contains(QLatin1String("_NET_WM_STATE_ABOVE")));
        QVERIFY(!X11::property(exitWindow, QStringLiteral("_NET_WM_STATE")).contains(QLatin1String("SKIP_TASKBAR")));
        QVERIFY(X11::property(exitWindow, QStringLiteral("_NET_WM_WINDOW_TYPE")).endsWith(QLatin1String("_NET_WM_WINDOW_TYPE_NORMAL")));

        // The exit window has the keyboard without being asked for it, and
        // asks no window manager to hold activation back (a user time of 0).
        QTRY_COMPARE_WITH_TIMEOUT(X11::activeWindow(), exitWindow, Wait::kDeadlineMs);
        // With the exit window up and active the program has moved on: had
        // closing the main window ended it, it would have ended by now.
        QVERIFY(!game->waitForFinished(500));
        QCOMPARE(game->state(), QProcess::Running);
        QVERIFY(!X11::property(exitWindow, QStringLiteral("_NET_WM_USER_TIME")).endsWith(QLatin1String(" 0")));
        QVERIFY(X11::press(leaveExit));
        QVERIFY(game->waitForFinished(10000));
        QCOMPARE(game->exitStatus(), QProcess::NormalExit);
        QCOMPARE(game->exitCode(), 0);
    }

    // A copy that shows only its exit window still counts as running; once
    // it has ended, the next start is an ordinary one.
    void exitWindowHoldsTheSingleInstanceLockUntilTheEnd()
    {
        GameEnvironment env;
        QProcess *first = env.start();
        const QStringList main = X11::waitForWindows(MainWindowTitle, first->processId());
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::activate(main[0]));
        QVERIFY(X11::press(QStringLiteral("alt+e")));
        const QString exitWindow = onlyWindowBesides(main[0], first->processId());
        QVERIFY(!exitWindow.isEmpty());

        QProcess *second = env.start();
        const QStringList box = X11::waitForWindows(MessageBoxTitle, second->processId());
        QCOMPARE(box.size(), 1);
        // The refusal shows where the player looks: above the exit window,
        // which stays above all others, before anyone raises it.
        QRect area;
        double boxFace = 0;
        WAIT_VERIFY((area = X11::frame(box[0]).adjusted(8, 30, -8, -8),
                     boxFace = Screen::share(Screen::pixels(area), QColor(0xEF, 0xEF, 0xEF))) > 0.5,
                    QStringLiteral("the box's face covers %1 of its area").arg(boxFace));
        QVERIFY(X11::activate(box[0]));
        QVERIFY(X11::press(QStringLiteral("Return")));
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);

        QVERIFY(X11::activate(exitWindow));
        QVERIFY(X11::press(QStringLiteral("alt+x")));
        QVERIFY(first->waitForFinished(10000));
        QCOMPARE(first->exitCode(), 0);

        QProcess *next = env.start();
        QCOMPARE(X11::waitForWindows(MainWindowTitle, next->processId()).size(), 1);
        QVERIFY(X11::windows(MessageBoxTitle, next->processId()).isEmpty());
        next->kill();
        next->waitForFinished();
    }

    // A window destroyed from outside (not asked to close) ends the game, so
    // that its lock does not keep the next start out.
    void aWindowDestroyedFromOutsideEndsTheGame_data()
    {
        QTest::addColumn<QString>("when");
        QTest::newRow("main window") << "main";
        QTest::newRow("main window during a play") << "play";
        QTest::newRow("exit window") << "exit";
    }
    void aWindowDestroyedFromOutsideEndsTheGame()
    {
        QFETCH(QString, when);
        GameEnvironment env;
        QProcess *game = env.start();
        const QStringList main = X11::waitForWindows(MainWindowTitle, game->processId());
        QCOMPARE(main.size(), 1);
        QString victim = main[0];
        QVERIFY(X11::activate(main[0]));
        if (when == u"play") {
            // Number Test, Play, 1 to 5 and 3 along the tab order, back to OK;
            // then the wait notice, white, covers the middle of the window.
            for (const char *keys : {"space", "alt+n", "Tab", "Tab", "Tab", "1", "Tab", "5", "Tab", "Tab", "Tab", "3",
                                     "shift+Tab", "shift+Tab", "space"})
                QVERIFY(X11::press(QLatin1String(keys)));
            const QRect window = X11::frame(main[0]);
            const QRect middle(window.center() - QPoint(40, 40), QSize(80, 20));
            WAIT_VERIFY(Screen::share(Screen::pixels(middle), Qt::white) > 0.3, QStringLiteral("no wait notice"));
        } else if (when == u"exit") {
            QVERIFY(X11::press(QStringLiteral("alt+e")));
            victim = onlyWindowBesides(main[0], game->processId());
            QVERIFY(!victim.isEmpty());
        }
        X11::run(QStringLiteral("xdotool"), {QStringLiteral("windowclose"), victim});
        QVERIFY2(game->waitForFinished(10000), "the game went on without its window");
        QCOMPARE(game->exitCode(), 0);
        QProcess *next = env.start();
        QCOMPARE(X11::waitForWindows(MainWindowTitle, next->processId()).size(), 1);
        QVERIFY(X11::windows(MessageBoxTitle, next->processId()).isEmpty());
    }

};

TEST_CLASS(TestProcessExit, Core)
#include "tst_process_exit.moc"
