#include "settings/settingsstore.h"
#include "support/files.h"
#include "support/gameprocess.h"
#include "support/screen.h"
#include "support/standins.h"

#include <QDate>
#include <QColorSpace>
#include <QDialogButtonBox>
#include <QDir>
#include <QMessageBox>
#include <QTest>

#include <pwd.h>

namespace {
// X11 shows another program's message box only as pixels: its icon and text
// must match those of a box drawn here with the expected ones, as the same
// style and fonts draw them alike.
bool showsMessage(const QString &window, QMessageBox::Icon icon, const QString &text)
{
    QMessageBox expected(icon, QStringLiteral("Numensight"), text, QMessageBox::Ok);
    expected.show();
    const QRect face(0, 0, expected.width(), expected.findChild<QDialogButtonBox *>()->y());
    const QRect client = X11::clientArea(window);
    QImage seen = Screen::pixels(face.translated(client.topLeft()));
    const QImage drawn = expected.grab(face).toImage().convertToFormat(QImage::Format_RGB32);
    // The screen's pixels come as sRGB, the drawing has no colour space of its own.
    seen.setColorSpace(drawn.colorSpace());
    return client.width() == expected.width() && seen == drawn;
}
} // namespace

class TestProcessRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { hideSizeHintWarnings(); }

    // Each way out of the main window and each way out of the exit window,
    // once. openbox closes the active window on Alt+F4, as its close box does.
    void oneCopyRunsFromItsReminderToItsExitWindow_data()
    {
        QTest::addColumn<QString>("leaveMain");
        QTest::addColumn<QString>("leaveExit");
        QTest::newRow("&Exit, then the window destroyed") << "alt+e" << "";
        QTest::newRow("File Exit, then close box") << "alt+f" << "alt+F4";
        QTest::newRow("close box, then E&xit") << "alt+F4" << "alt+x";
        QTest::newRow("main window destroyed") << "" << "";
    }

    // On a day the update reminder is due, the question comes before the
    // main window, and Yes opens the download page once, in a browser that
    // inherits no platform the game chose for itself. Every way out of the
    // main window opens the exit window, which has the keyboard unasked. The
    // process goes on, holding its lock: a second copy, started when the
    // reminder is due again, shows only its refusal, with the information
    // icon (both stay above other windows), and leaves the settings as they
    // were, as the guard comes before they are read. Only leaving the exit
    // window ends the program, with status 0; so does either window destroyed
    // from outside, which would otherwise leave the game running with no
    // window, its lock keeping every later start out.
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
        if (leaveMain.isEmpty()) {
            QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowclose"), main[0]}), 0);
            QVERIFY2(game->waitForFinished(10000), "the game went on without its main window");
            QCOMPARE(game->exitStatus(), QProcess::NormalExit);
            QCOMPARE(game->exitCode(), 0);
            QProcess *next = env.start();
            WAIT_VERIFY(X11::windows(MainWindowTitle, next->processId()).size() == 1, QStringLiteral("the next start shows no main window"));
            QVERIFY(X11::windows(MessageBoxTitle, next->processId()).isEmpty());
            next->kill();
            next->waitForFinished();
            return;
        }
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
        WAIT_VERIFY(showsMessage(refusal[0], QMessageBox::Information, QStringLiteral("Application is already running")),
                    QStringLiteral("the refusal shows another icon or text"));
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

    // A first start ever asks nothing, shows the main window and records the
    // day. Base folders given as relative paths are ignored (a copy started
    // from another folder would find another lock): the settings go under
    // HOME, the lock to the runtime folder Qt falls back to. A browser that
    // cannot start makes Qt speak on the error output, which a desktop
    // session keeps, with the address: what the player typed into the form
    // stays off it. The second press, with a browser, shows the first sent it.
    void firstStartWithRelativeFoldersAndABrowserThatCannotStart()
    {
        QTemporaryDir root;
        const QString home = root.filePath(QStringLiteral("home")), temp = root.filePath(QStringLiteral("tmp"));
        const QString tools = root.filePath(QStringLiteral("tools")), cwd = root.filePath(QStringLiteral("cwd"));
        for (const QString &dir : {home, temp, tools, cwd + QStringLiteral("/run"), cwd + QStringLiteral("/conf")})
            QVERIFY(QDir().mkpath(dir) && QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QString browser = tools + QStringLiteral("/xdg-open");
        QVERIFY(writeFile(browser, "#!/nonexistent/sh\n"));
        QVERIFY(QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        GameEnvironment env;
        env.workingDirectory = cwd;
        env.environment.insert(QStringLiteral("HOME"), home);
        env.environment.insert(QStringLiteral("TMPDIR"), temp);
        env.environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QStringLiteral("run"));
        env.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("conf"));
        env.environment.insert(QStringLiteral("PATH"), tools + u':' + qEnvironmentVariable("PATH"));
        env.environment.remove(QStringLiteral("DEFAULT_BROWSER"));
        env.environment.remove(QStringLiteral("BROWSER"));
        QProcess *game = env.start({}, QProcess::SeparateChannels);
        QStringList main;
        WAIT_VERIFY((main = X11::windows(MainWindowTitle, game->processId())).size() == 1, QStringLiteral("no main window"));
        QVERIFY(X11::windows(MessageBoxTitle, game->processId()).isEmpty());
        const QString settings = home + QStringLiteral("/.config/Numensight/numensight.ini");
        QCOMPARE(SettingsStore(settings).ReadSetting(SettingKeys::Duration), QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(QFile::exists(temp + QStringLiteral("/runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name)
                              + QStringLiteral("/numensight.lock")));
        QCOMPARE(QDir(cwd + QStringLiteral("/run")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(QDir(cwd + QStringLiteral("/conf")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());

        QVERIFY(X11::activate(main[0]) && X11::press(QStringLiteral("alt+e")));
        QStringList exit;
        WAIT_VERIFY((exit = X11::windows(MainWindowTitle, game->processId())).size() == 1 && exit[0] != main[0],
                    QStringLiteral("no exit window"));
        // Along the tab order from E&xit: Check1, the name, Refer A Friend
        // Now, the e-mail, the friend's e-mail, the friend's name.
        QVERIFY(X11::activate(exit[0]));
        const std::pair<const char *, const char *> form[] = {
            {"Tab Tab", "Ann"}, {"Tab Tab", "ann@typed.test"}, {"Tab", "bob@typed.test"}, {"Tab", "Bob"}};
        for (const auto &[keys, text] : form)
            QVERIFY(X11::press(QLatin1String(keys)) && X11::type(QLatin1String(text)));
        const OpenWatch tried(browser);
        QVERIFY(X11::press(QStringLiteral("alt+n")));
        WAIT_VERIFY(tried.opened(), QStringLiteral("no browser was tried"));
        QVERIFY(writeFile(browser, "#!/bin/sh\necho \"$1\" >>\"$0.log\"\n"));
        QVERIFY(X11::press(QStringLiteral("alt+n")));
        QTRY_COMPARE_WITH_TIMEOUT(fileContents(browser + QStringLiteral(".log")),
                                  QByteArray("http://" NUMENSIGHT_MAIN_HOST "/zelk-refer-a-friend.php?taf1=Ann&taf2=ann%40typed.test"
                                             "&taf3=Your%20Message%0D%0A&taf4=Bob&taf5=bob%40typed.test"
                                             "&taf6=http%3A%2F%2F" NUMENSIGHT_MAIN_HOST "%2Fnumensight%2F\n"),
                                  Wait::kDeadlineMs);
        QVERIFY(X11::press(QStringLiteral("alt+x")));
        QVERIFY(game->waitForFinished(10000));
        QCOMPARE(game->exitCode(), 0);
        const QByteArray said = game->readAllStandardError();
        QVERIFY2(!said.contains("typed.test") && !said.contains("refer-a-friend"), said.constData());
    }
};

QTEST_MAIN(TestProcessRun)
#include "tst_process_run.moc"
