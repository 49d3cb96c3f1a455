#include "support/gameprocess.h"
#include "support/testmain.h"

#include <QFile>

class TestProcessDisplay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt alone would abort in its platform plugin, leaving a core dump: a
    // line (on Wayland a few, to say what to do) says what the game needs,
    // and it ends with status 1, having made no settings.
    void withoutAUsableDisplayItSaysWhatItNeedsAndFails_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("needs");
        QTest::newRow("no display") << QStringList{} << QStringList{} << QStringList{"graphical desktop"};
        QTest::newRow("Wayland only") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << QStringList{}
                                      << QStringList{"XWayland", "QT_QPA_PLATFORM=wayland"};
        QTest::newRow("unreachable display") << QStringList{"DISPLAY=:65000"} << QStringList{}
                                             << QStringList{"graphical desktop", "\":65000\""};
        QTest::newRow("-display beside DISPLAY") << QStringList{"DISPLAY=:65000"} << QStringList{"-display", ":65001"}
                                                 << QStringList{"graphical desktop", "\":65001\""};
        QTest::newRow("-display alone") << QStringList{} << QStringList{"-display", ":65001"}
                                        << QStringList{"graphical desktop", "\":65001\""};
        QTest::newRow("platform that cannot start") << QStringList{"QT_QPA_PLATFORM=wayland", "WAYLAND_DISPLAY=nowhere"}
                                                    << QStringList{} << QStringList{"graphical desktop"};
    }
    void withoutAUsableDisplayItSaysWhatItNeedsAndFails()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, needs);
        GameEnvironment env;
        for (const QString &setting : QStringList{"DISPLAY", "WAYLAND_DISPLAY"} + environment)
            env.setEnvironment(setting.section(u'=', 0, 0), setting.contains(u'=') ? setting.section(u'=', 1) : QString());
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
};

TEST_CLASS(TestProcessDisplay, Core)
#include "tst_process_display.moc"
