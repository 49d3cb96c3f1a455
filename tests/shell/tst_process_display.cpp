#include "support/gameprocess.h"

#include <QDirIterator>
#include <QFile>
#include <QRect>
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

QString describe(const QRect &rect)
{
    return QStringLiteral("%1x%2 at %3,%4").arg(rect.width()).arg(rect.height()).arg(rect.x()).arg(rect.y());
}
} // namespace

class TestProcessDisplay : public QObject
{
    Q_OBJECT

private:
    // The main window of a start with nothing unusual, for comparison.
    QRect m_usualGeometry;

private Q_SLOTS:
    void initTestCase()
    {
        GameEnvironment env;
        QProcess *game = env.start();
        QStringList main;
        WAIT_VERIFY((main = X11::windows(MainWindowTitle, game->processId())).size() == 1, main.join(u' '));
        WAIT_VERIFY(!(m_usualGeometry = X11::clientArea(main[0])).isEmpty(), QStringLiteral("no geometry"));
        WAIT_VERIFY(QFile::exists(env.settingsFile()), QStringLiteral("no settings written"));
        // The display must have room for it twice over, as a scale factor of 2 asks.
        QVERIFY(m_usualGeometry.width() * 2 <= 1280 && m_usualGeometry.height() * 2 <= 1024);
    }

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

    // A platform that needs no display server runs without one. (The game is
    // ended only once its start has written its settings: a kill during that
    // work leaves its private folder in the temporary folder.)
    void offscreenRunsWithoutADisplay()
    {
        GameEnvironment env;
        env.environment.remove(QStringLiteral("DISPLAY"));
        env.environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess *game = env.start();
        WAIT_VERIFY(QFile::exists(env.settingsFile()) || game->state() != QProcess::Running, QStringLiteral("no settings written"));
        QCOMPARE(game->state(), QProcess::Running);
    }

    // Answered on any terminal, display or not, before anything else: no
    // warning, no file, not even Qt's runtime folder (which it would make
    // under the temporary folder, as XDG_RUNTIME_DIR is unset).
    void versionAndHelpAnswerWithoutADisplay_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("exactly"); // the whole answer, where it is known
        QTest::addColumn<QStringList>("names");
        const QString version = QStringLiteral("Numensight " NUMENSIGHT_VERSION "\n");
        const QStringList usage{"-display",        "-platform",       "DISPLAY",         "WAYLAND_DISPLAY",
                                "QT_QPA_PLATFORM", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_CACHE_HOME",
                                "$XDG_CONFIG_HOME/Numensight/numensight.ini", "numensight.lock"};
        QTest::newRow("--version") << QStringList{"--version"} << version << QStringList();
        QTest::newRow("-v") << QStringList{"-v"} << version << QStringList();
        QTest::newRow("--version after Qt's options") << QStringList{"-platform", "xcb", "-display", ":65001", "--version"} << version << QStringList();
        QTest::newRow("--help") << QStringList{"--help"} << QString() << usage;
        QTest::newRow("-h beside options that are nobody's") << QStringList{"--no-such-option", "-x", "value", "-h"} << QString() << usage;
    }
    void versionAndHelpAnswerWithoutADisplay()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, exactly);
        QFETCH(QStringList, names);
        GameEnvironment env;
        QTemporaryDir home;
        for (const char *folder : {"config", "cache", "tmp"})
            QVERIFY(QDir(home.path()).mkdir(QString::fromLatin1(folder)));
        env.environment.remove(QStringLiteral("DISPLAY"));
        env.environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.environment.insert(QStringLiteral("HOME"), home.path());
        env.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        env.environment.insert(QStringLiteral("TMPDIR"), home.filePath(QStringLiteral("tmp")));
        QProcess *game = env.start(arguments, QProcess::SeparateChannels);
        QVERIFY(game->waitForFinished(20000));
        QCOMPARE(game->exitStatus(), QProcess::NormalExit);
        QCOMPARE(game->exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(game->readAllStandardError()), QString());
        const QString said = QString::fromLocal8Bit(game->readAllStandardOutput());
        if (!exactly.isEmpty())
            QCOMPARE(said, exactly);
        for (const QString &name : names)
            QVERIFY2(said.contains(name), qPrintable(name + QStringLiteral(" missing from:\n") + said));
        QStringList left;
        for (QDirIterator it(home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories); it.hasNext();)
            left << it.next().mid(home.path().size() + 1);
        left.sort();
        QCOMPARE(left, (QStringList{"cache", "config", "tmp"}));
    }

    // Never a game alive without a window: a scale factor outside a tenth to
    // ten times is ignored (Qt's arithmetic overflowed on 0 and nan, and a
    // huge factor left no window), one within is Qt's to apply. Qt's own
    // options reach Qt, and options that are nobody's keep no one from
    // playing.
    void itShowsItsMainWindowAsUsual_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<int>("scale"); // of the usual size; 1: in the usual place too
        const QString display = qEnvironmentVariable("DISPLAY");
        QTest::newRow("QT_SCALE_FACTOR=0") << "QT_SCALE_FACTOR=0" << 1;
        QTest::newRow("QT_SCALE_FACTOR=nan") << "QT_SCALE_FACTOR=nan" << 1;
        QTest::newRow("QT_SCALE_FACTOR=1e7") << "QT_SCALE_FACTOR=1e7" << 1;
        QTest::newRow("QT_SCREEN_SCALE_FACTORS=inf") << "QT_SCREEN_SCALE_FACTORS=inf" << 1;
        QTest::newRow("QT_SCALE_FACTOR=2") << "QT_SCALE_FACTOR=2" << 2;
        QTest::newRow("-display without DISPLAY") << "DISPLAY= -display " + display << 1;
        QTest::newRow("--display and --platform xcb without DISPLAY") << "DISPLAY= --platform xcb --display " + display << 1;
        QTest::newRow("options that are nobody's") << "--no-such-option -x value stray" << 1;
    }
    void itShowsItsMainWindowAsUsual()
    {
        QFETCH(QString, given);
        QFETCH(int, scale);
        GameEnvironment env;
        const QStringList arguments = splitGiven(given, env);
        QProcess *game = env.start(arguments);
        QStringList main;
        WAIT_VERIFY((main = X11::windows(MainWindowTitle, game->processId())).size() == 1 || game->state() != QProcess::Running,
                    main.join(u' '));
        QCOMPARE(game->state(), QProcess::Running);
        QCOMPARE(main.size(), 1);
        const QRect expected = scale == 1 ? m_usualGeometry : QRect(QPoint(), m_usualGeometry.size() * scale);
        QRect shown;
        WAIT_VERIFY((shown = X11::clientArea(main[0])).size() == expected.size() && (scale != 1 || shown == expected),
                    describe(shown) + QStringLiteral(" instead of ") + describe(expected));
        WAIT_VERIFY(QFile::exists(env.settingsFile()), QStringLiteral("no settings written"));
    }
};

QTEST_GUILESS_MAIN(TestProcessDisplay)
#include "tst_process_display.moc"
