#include "support/gameprocess.h"

#include <QDir>
#include <QTest>

class TestProcessDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt alone would abort in its platform plugin, leaving a core dump.
    void withoutX11ItSaysWhatItNeedsAndFails_data()
    {
        QTest::addColumn<QString>("waylandDisplay");
        QTest::addColumn<QStringList>("needs");
        QTest::newRow("no display") << QString() << QStringList{"graphical desktop"};
        QTest::newRow("Wayland only") << "wayland-0" << QStringList{"XWayland", "QT_QPA_PLATFORM=wayland"};
    }

    void withoutX11ItSaysWhatItNeedsAndFails()
    {
        QFETCH(QString, waylandDisplay);
        QFETCH(QStringList, needs);
        GameEnvironment dirs;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QLatin1String(name));
        if (!waylandDisplay.isEmpty())
            env.insert(QStringLiteral("WAYLAND_DISPLAY"), waylandDisplay);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dirs.runtimeDir());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dirs.configDir());
        QProcess game;
        game.setProcessEnvironment(env);
        game.start(QStringLiteral(NUMENSIGHT_BINARY), {});
        QVERIFY(game.waitForFinished(20000));
        QCOMPARE(game.exitStatus(), QProcess::NormalExit);
        QCOMPARE(game.exitCode(), 1);
        const QString said = QString::fromLocal8Bit(game.readAllStandardError());
        for (const QString &need : needs)
            QVERIFY2(said.contains(need), qPrintable(said));
        QVERIFY(QDir(dirs.configDir()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
    }

    // The menu entry's StartupWMClass and the docks' icon sizes depend on this window.
    void withX11BesideWaylandItRunsThroughX11()
    {
        GameEnvironment env;
        if (!env.hasDisplay())
            QSKIP("needs an X display; make test provides one");
        env.setEnvironment(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-0"));
        env.setEnvironment(QStringLiteral("QT_QPA_PLATFORM"), QString());
        QProcess *game = env.start();
        const QStringList main = X11::waitForWindows(QStringLiteral("^Numensight v1\\.65$"), game->processId());
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::property(main[0], QStringLiteral("WM_CLASS")).endsWith(QLatin1String("\"numensight\"")));
        const QString icons = X11::property(main[0], QStringLiteral("_NET_WM_ICON"));
        for (int size : {16, 32, 64})
            QVERIFY2(icons.contains(QStringLiteral("Icon (%1 x %1)").arg(size)), qPrintable(icons.left(200)));
    }
};

QTEST_GUILESS_MAIN(TestProcessDisplay)
#include "tst_process_display.moc"
