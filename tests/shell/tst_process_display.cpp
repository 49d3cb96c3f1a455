#include "support/gameprocess.h"

#include <QFile>
#include <QTest>

namespace {
// Settings of the environment ("NAME=value") and arguments, in one string.
QStringList splitGiven(const QString &given, GameEnvironment &env)
{
    QStringList arguments;
    for (const QString &word : given.split(u' ', Qt::SkipEmptyParts)) {
        if (word.contains(u'=') && !word.startsWith(u'-'))
            env.environment.insert(word.section(u'=', 0, 0), word.section(u'=', 1));
        else
            arguments << word;
    }
    return arguments;
}
} // namespace

class TestProcessDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt alone would abort in its platform plugin, leaving a core dump: a
    // line (on Wayland a few, to say what to do) says what the game needs,
    // and it ends with status 1, having made no settings. With no display at
    // all, it says so whichever platform was chosen; Qt reads options with
    // two dashes as with one.
    void withoutAUsableDisplayItSaysWhatItNeedsAndFails_data()
    {
        QTest::addColumn<QString>("given"); // settings of the environment, and arguments
        QTest::addColumn<QStringList>("needs");
        const QStringList unset{"graphical desktop", "(DISPLAY and WAYLAND_DISPLAY are unset)"};
        QTest::newRow("no display") << "" << unset;
        QTest::newRow("X11 chosen, no display") << "QT_QPA_PLATFORM=xcb" << unset;
        QTest::newRow("-platform xcb, no display") << "-platform xcb" << unset;
        QTest::newRow("--platform xcb, no display") << "--platform xcb" << unset;
        QTest::newRow("Wayland chosen, no display") << "QT_QPA_PLATFORM=wayland" << unset;
        QTest::newRow("--platform wayland, no display") << "--platform wayland" << unset;
        QTest::newRow("Wayland only") << "WAYLAND_DISPLAY=wayland-0" << QStringList{"XWayland", "QT_QPA_PLATFORM=wayland"};
        QTest::newRow("X11 chosen, Wayland only") << "QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY=wayland-0" << QStringList{"XWayland", "QT_QPA_PLATFORM=wayland"};
        QTest::newRow("unreachable display") << "DISPLAY=:65000" << QStringList{"graphical desktop", "\":65000\""};
        QTest::newRow("-display beside DISPLAY") << "DISPLAY=:65000 -display :65001" << QStringList{"graphical desktop", "\":65001\""};
        QTest::newRow("-display alone") << "-display :65001" << QStringList{"graphical desktop", "\":65001\""};
        QTest::newRow("--display alone") << "--display :65001" << QStringList{"graphical desktop", "\":65001\""};
        QTest::newRow("--platform xcb --display") << "--platform xcb --display :65001" << QStringList{"graphical desktop", "\":65001\""};
        QTest::newRow("platform that cannot start") << "QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere" << QStringList{"graphical desktop"};
    }
    void withoutAUsableDisplayItSaysWhatItNeedsAndFails()
    {
        QFETCH(QString, given);
        QFETCH(QStringList, needs);
        GameEnvironment env;
        env.environment.remove(QStringLiteral("DISPLAY"));
        env.environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        const QStringList arguments = splitGiven(given, env);
        QProcess *game = env.start(arguments, QProcess::SeparateChannels);
        QVERIFY(game->waitForFinished(20000));
        QCOMPARE(game->exitStatus(), QProcess::NormalExit);
        QCOMPARE(game->exitCode(), 1);
        const QString said = QString::fromLocal8Bit(game->readAllStandardError()).trimmed();
        for (const QString &need : needs)
            QVERIFY2(said.contains(need), qPrintable(said));
        QVERIFY2(needs.contains(QStringLiteral("XWayland")) || !said.contains(u'\n'), qPrintable(said));
        QVERIFY(!QFile::exists(env.settingsFile()));
    }

    // A platform that needs no display server runs without one.
    void offscreenRunsWithoutADisplay()
    {
        GameEnvironment env;
        env.environment.remove(QStringLiteral("DISPLAY"));
        env.environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess *game = env.start();
        WAIT_VERIFY(QFile::exists(env.lockFile()) || game->state() != QProcess::Running, QStringLiteral("no lock taken"));
        QCOMPARE(game->state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(TestProcessDisplay)
#include "tst_process_display.moc"
