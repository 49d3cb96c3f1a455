#include "support/gameprocess.h"
#include "support/testmain.h"
#include "support/wait.h"

class TestProcessExit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mainWindowGivesWayToTheExitWindowWhichEndsTheProgram_data()
    {
        QTest::addColumn<QString>("leaveMain");
        QTest::addColumn<QString>("leaveExit");
        QTest::newRow("&Exit, then E&xit") << "alt+e" << "alt+x";
        QTest::newRow("File Exit, then close box") << "alt+f" << "alt+F4";
        QTest::newRow("close box, then E&xit") << "alt+F4" << "alt+x";
        QTest::newRow("&Exit, then the window destroyed") << "alt+e" << "";
    }

    // Every way out of the main window (openbox closes the active window on
    // Alt+F4, as its close box does) opens the exit window, which has the
    // keyboard unasked. The process goes on, holding its lock: a second copy
    // is refused, its refusal kept above the exit window. Only leaving the
    // exit window ends the program, with status 0; so does the exit window
    // destroyed from outside, which would otherwise leave the game running
    // with no window, its lock keeping every later start out.
    void mainWindowGivesWayToTheExitWindowWhichEndsTheProgram()
    {
        QFETCH(QString, leaveMain);
        QFETCH(QString, leaveExit);
        GameEnvironment env;
        QProcess *game = env.start();
        const QStringList main = X11::waitForWindows(MainWindowTitle, game->processId());
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::activate(main[0]));
        QVERIFY(X11::press(leaveMain));
        // File's drop-down is a second, untitled window of the program.
        if (leaveMain == u"alt+f" && Wait::until([&] { return X11::windows(QString(), game->processId()).size() == 2; }))
            QVERIFY(X11::press(QStringLiteral("x")));
        QStringList exit;
        WAIT_VERIFY((exit = X11::windows(MainWindowTitle, game->processId())).size() == 1 && exit[0] != main[0],
                    QStringLiteral("the exit window did not replace the main window"));
        QTRY_COMPARE_WITH_TIMEOUT(X11::activeWindow(), exit[0], Wait::kDeadlineMs);

        QProcess *second = env.start();
        const QStringList box = X11::waitForWindows(MessageBoxTitle, second->processId());
        QCOMPARE(box.size(), 1);
        QVERIFY(X11::property(box[0], QStringLiteral("_NET_WM_STATE")).contains(QLatin1String("_NET_WM_STATE_ABOVE")));
        QVERIFY(X11::activate(box[0]));
        QVERIFY(X11::press(QStringLiteral("Return")));
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(game->state(), QProcess::Running);

        if (leaveExit.isEmpty())
            X11::destroy(exit[0]);
        else
            QVERIFY(X11::activate(exit[0]) && X11::press(leaveExit));
        QVERIFY(game->waitForFinished(10000));
        QCOMPARE(game->exitStatus(), QProcess::NormalExit);
        QCOMPARE(game->exitCode(), 0);
    }
};

TEST_CLASS(TestProcessExit, Core)
#include "tst_process_exit.moc"
