#include "support/gameprocess.h"
#include "support/testmain.h"
#include "support/wait.h"

#include <QDir>
#include <QTest>

class TestProcessDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt alone would abort in its platform plugin, leaving a core dump: one
    // line says what the game needs, and it ends with status 1.
    void withoutAUsableDisplayItSaysWhatItNeedsAndFails_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("needs");
        QTest::addColumn<bool>("oneLine");
        const QStringList desktop{"graphical desktop"};
        const QStringList none;
        QTest::newRow("no display") << none << none << desktop << true;
        QTest::newRow("Wayland only") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << none
                                      << QStringList{"XWayland", "QT_QPA_PLATFORM=wayland"} << false;
        QTest::newRow("unreachable display") << QStringList{"DISPLAY=:65000"} << none
                                             << QStringList{"graphical desktop", "\":65000\""} << true;
        QTest::newRow("-display beside DISPLAY") << QStringList{"DISPLAY=:65000"} << QStringList{"-display", ":65001"}
                                                 << QStringList{"graphical desktop", "\":65001\""} << true;
        QTest::newRow("malformed display") << QStringList{"DISPLAY=no such thing"} << none << desktop << true;
        QTest::newRow("platform that cannot start") << QStringList{"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=nowhere"}
                                                    << none << desktop << true;
    }

    void withoutAUsableDisplayItSaysWhatItNeedsAndFails()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, needs);
        QFETCH(bool, oneLine);
        GameEnvironment dirs;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        for (const QString &setting : environment)
            env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dirs.runtimeDir());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dirs.configDir());
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(NUMENSIGHT_BINARY), arguments);
        QVERIFY(game.waitForFinished(20000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(game.readAllStandardError()).trimmed();
        for (const QString &need : needs)
            QVERIFY2(said.contains(need), qPrintable(said));
        QVERIFY2(!oneLine || !said.contains(u'\n'), qPrintable(said));
        QVERIFY(QDir(dirs.configDir()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }

    // A window larger than the screen keeps its title bar on it, at the
    // top-left of the free area.
    void aWindowLargerThanTheScreenKeepsItsTitleBarOnIt()
    {
        GameEnvironment env;
        if (!env.hasDisplay())
            QSKIP("needs an X display; make test provides one");
        env.setEnvironment(QStringLiteral("QT_SCALE_FACTOR"), QStringLiteral("3"));
        QProcess *game = env.start();
        const QStringList main = X11::waitForWindows(MainWindowTitle, game->processId());
        QCOMPARE(main.size(), 1);
        QRect frame;
        WAIT_VERIFY((frame = X11::frame(main[0])).topLeft() == QPoint(0, 0),
                    QStringLiteral("frame at %1,%2").arg(frame.x()).arg(frame.y()));
    }

    // The menu entry's StartupWMClass and the docks' icon sizes depend on this window.
    void withX11BesideWaylandItRunsThroughX11()
    {
        GameEnvironment env;
        if (!env.hasDisplay())
            QSKIP("needs an X display; make test provides one");
        env.setEnvironment(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
        QProcess *game = env.start();
        const QStringList main = X11::waitForWindows(MainWindowTitle, game->processId());
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::property(main[0], QStringLiteral("WM_CLASS")).endsWith(QLatin1String("\"numensight\"")));
        const QString icons = X11::property(main[0], QStringLiteral("_NET_WM_ICON"));
        for (int size : {16, 32, 64})
            QVERIFY2(icons.contains(QStringLiteral("Icon (%1 x %1)").arg(size)), qPrintable(icons.left(200)));
    }
};

TEST_CLASS(TestProcessDisplay, Core)
#include "tst_process_display.moc"
