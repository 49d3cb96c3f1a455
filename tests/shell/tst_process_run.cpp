#include "settings/settingsstore.h"
#include "support/files.h"
#include "support/gameprocess.h"

#include <QDate>
#include <QTest>

class TestProcessRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each way out of the main window and each way out of the exit window,
    // once. openbox closes the active window on Alt+F4, as its close box does.
    void oneCopyRunsFromItsReminderToItsExitWindow_data()
    {
        QTest::addColumn<QString>("leaveMain");
        QTest::addColumn<QString>("leaveExit");
        QTest::newRow("&Exit, then the window destroyed") << "alt+e" << "";
        QTest::newRow("File Exit, then close box") << "alt+f" << "alt+F4";
        QTest::newRow("close box, then E&xit") << "alt+F4" << "alt+x";
    }

    // On a day the update reminder is due, the question comes before the
    // main window, and Yes opens the download page once, in a browser that
    // inherits no platform the game chose for itself. Every way out of the
    // main window opens the exit window, which has the keyboard unasked. The
    // process goes on, holding its lock: a second copy, started when the
    // reminder is due again, shows only its refusal (both stay above other
    // windows) and leaves the settings as they were, as the guard comes
    // before they are read. Only leaving the exit window ends the program,
    // with status 0; so does the exit window destroyed from outside, which
    // would otherwise leave the game running with no window, its lock keeping
    // every later start out.
    void oneCopyRunsFromItsReminderToItsExitWindow()
    {
        QFETCH(QString, leaveMain);
        QFETCH(QString, leaveExit);
        // Qt hands each address to the first xdg-open on PATH, detached.
        QTemporaryDir tools;
        const QString browser = tools.filePath(QStringLiteral("xdg-open"));
        QVERIFY(writeFile(browser, "#!/bin/sh\necho \"$1${QT_QPA_PLATFORM+ QT_QPA_PLATFORM=$QT_QPA_PLATFORM}\" >>\"$0.log\"\n"));
        QVERIFY(QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        GameEnvironment env;
        env.environment.insert(QStringLiteral("PATH"), tools.path() + u':' + qEnvironmentVariable("PATH"));
        const auto makeDue = [&] {
            const QString due = QDate::currentDate().addDays(-20).toString(Qt::ISODate);
            return SettingsStore(env.settingsFile()).WriteSetting(SettingKeys::Duration, due);
        };
        QVERIFY(makeDue());
        QProcess *game = env.start();
        QStringList question;
        WAIT_VERIFY(!(question = X11::windows(QStringLiteral("."), game->processId())).isEmpty(), QStringLiteral("no window"));
        WAIT_VERIFY(X11::windows(MessageBoxTitle, game->processId()) == question, QStringLiteral("a window before the question"));
        QVERIFY(X11::activate(question[0]) && X11::press(QStringLiteral("y")));
        const QByteArray opened("http://" NUMENSIGHT_MAIN_HOST "/numensight/download-numensight.html\n");
        QTRY_COMPARE_WITH_TIMEOUT(fileContents(browser + QStringLiteral(".log")), opened, Wait::kDeadlineMs);

        QStringList main;
        WAIT_VERIFY((main = X11::windows(MainWindowTitle, game->processId())).size() == 1, main.join(u' '));
        QVERIFY(X11::activate(main[0]) && X11::press(leaveMain));
        // File's drop-down is a second, untitled window of the program.
        if (leaveMain == u"alt+f" && Wait::until([&] { return X11::windows(QString(), game->processId()).size() == 2; }))
            QVERIFY(X11::press(QStringLiteral("x")));
        QStringList exit;
        WAIT_VERIFY((exit = X11::windows(MainWindowTitle, game->processId())).size() == 1 && exit[0] != main[0],
                    QStringLiteral("the exit window did not replace the main window"));
        QTRY_COMPARE_WITH_TIMEOUT(X11::ask({QStringLiteral("getactivewindow")}), exit[0], Wait::kDeadlineMs);

        QVERIFY(makeDue());
        const QByteArray settings = fileContents(env.settingsFile());
        QProcess *second = env.start();
        QStringList refusal;
        WAIT_VERIFY((refusal = X11::windows(MessageBoxTitle, second->processId())).size() == 1, refusal.join(u' '));
        for (const QString &window : {exit[0], refusal[0]}) {
            const QStringList state{QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE")};
            WAIT_VERIFY(X11::ask(state, QStringLiteral("xprop")).contains(QLatin1String("_NET_WM_STATE_ABOVE")), X11::ask(state, QStringLiteral("xprop")));
        }
        QVERIFY(X11::activate(refusal[0]) && X11::press(QStringLiteral("Return")));
        // Had it asked first, Return would have answered the question, and
        // the refusal would still wait.
        QVERIFY2(second->waitForFinished(10000), "the second copy showed more than its refusal");
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(fileContents(env.settingsFile()), settings);
        QCOMPARE(game->state(), QProcess::Running);

        // As a tool or window manager killing a window does, not asking it to close.
        if (leaveExit.isEmpty())
            QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowclose"), exit[0]}), 0);
        else
            QVERIFY(X11::activate(exit[0]) && X11::press(leaveExit));
        QVERIFY(game->waitForFinished(10000));
        QCOMPARE(game->exitStatus(), QProcess::NormalExit);
        QCOMPARE(game->exitCode(), 0);
        // Both runs of the reminder were over long before.
        QCOMPARE(fileContents(browser + QStringLiteral(".log")), opened);
    }
};

QTEST_GUILESS_MAIN(TestProcessRun)
#include "tst_process_run.moc"
