#include "mainwindow/frmmain.h"
#include "support/testmain.h"
#include "shell/application.h"
#include "shell/desktopsession.h"
#include "settings/settingsstore.h"
#include "shell/singleinstance.h"
#include "support/fifowatch.h"
#include "support/modalwatcher.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/urlcatcher.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {
QString isoDate(int daysFromToday)
{
    return QDate::currentDate().addDays(daysFromToday).toString(QStringLiteral("yyyy-MM-dd"));
}

QStringList visibleWindows()
{
    QStringList names;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            names << QLatin1String(window->metaObject()->className());
    }
    return names;
}

// Notes whether the main window was on screen when a draw was taken.
class WatchedRandom : public ScriptedRandom
{
public:
    std::vector<bool> mainShownAtDraw;

    float NextRandom() override
    {
        bool shown = false;
        for (QWidget *window : QApplication::topLevelWidgets())
            shown = shown || (qobject_cast<frmMain *>(window) && window->isVisible());
        mainShownAtDraw.push_back(shown);
        return ScriptedRandom::NextRandom();
    }
};

// One start of the program: a private lock and settings file, its own
// random source, clock and end, and watchers that answer its questions and
// catch its pages.
struct Start
{
    QTemporaryDir dir;
    WatchedRandom random;
    FixedClock clock;
    CountingEnd end;
    ModalWatcher watcher;
    UrlCatcher pages;
    std::optional<Application> app;

    QString lock() const { return dir.filePath(QStringLiteral("numensight.lock")); }
    QString settings() const { return dir.filePath(QStringLiteral("numensight.ini")); }
    QString stored() const { return SettingsStore(settings()).ReadSetting(SettingKeys::Duration); }

    bool run()
    {
        app.emplace(ApplicationPaths{lock(), settings()}, random, clock, end);
        return app->StartApplication();
    }
};
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { TestMain::hideSizeHintWarnings(); }

    void firstStartRecordsTodayQuietlyAndShowsTheMainWindow()
    {
        Start start;
        start.random.queue({0.0f});

        QVERIFY(start.run());
        QVERIFY(start.watcher.seen().empty());
        QVERIFY(start.pages.urls.isEmpty());
        QCOMPARE(start.stored(), isoDate(0));
        frmMain *main = start.app->mainWindow();
        QVERIFY(main && main->isVisible());
        // One draw, taken with the main window on screen; 0 brings the
        // co-branding offer forward.
        QCOMPARE(start.random.mainShownAtDraw, std::vector<bool>{true});
        QVERIFY(inFront(main, "lblCobrand", {"lblFullBrand"}));
    }

    void startsDrawFromTheClockNotAFixedSeed()
    {
        // The draws after a start, or those of the source's own seed.
        auto draws = [](bool started, int count) {
            Start start;
            start.random.seed(7);
            if (started && !start.run())
                return QList<float>{};
            QList<float> result;
            for (int i = 0; i < count; ++i)
                result << start.random.NextRandom();
            return result;
        };
        const QList<float> unseeded = draws(false, 9);
        const QList<float> first = draws(true, 8);
        QTest::qWait(2);
        const QList<float> second = draws(true, 8);
        QCOMPARE(first.size(), 8);
        // Start-up took one draw; unseeded, the rest would follow on.
        QVERIFY(first != unseeded.mid(1));
        QVERIFY(second != first);
    }

    void lockHeldElsewhereShowsOnlyTheRefusal()
    {
        Start start;
        SingleInstance running(start.lock());
        QVERIFY(!running.PreviousInstanceRunning());
        QStringList windowsAtRefusal;
        bool refusalOnTop = false;
        start.watcher.onMessageBox([&](QMessageBox *box) {
            refusalOnTop = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            windowsAtRefusal = visibleWindows();
            windowsAtRefusal.removeOne(QLatin1String(box->metaObject()->className()));
        });
        FifoWatch settings(start.settings());
        QVERIFY(settings.made());

        QVERIFY(!start.run());
        QCOMPARE(start.end.ends, 1);
        QCOMPARE(start.watcher.seen().size(), size_t(1));
        const ModalWatcher::Seen &refusal = start.watcher.seen().front();
        QCOMPARE(refusal.text, QStringLiteral("Application is already running"));
        QCOMPARE(refusal.title, QStringLiteral("Numensight"));
        QCOMPARE(refusal.icon, QMessageBox::Information);
        QCOMPARE(refusal.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        // Above all others: another copy's exit window stays on top too.
        QVERIFY(refusalOnTop);
        QCOMPARE(windowsAtRefusal, QStringList{});
        QVERIFY(!settings.opened());
        QVERIFY(!start.app->mainWindow());
        QCOMPARE(visibleWindows(), QStringList{});
        QCOMPARE(start.random.taken(), 0);
        QVERIFY(start.pages.urls.isEmpty());
    }

    // Base directories given as relative paths are ignored, so copies started
    // from two folders find the same lock, and no settings land in the
    // folder the game was started from.
    void relativeBaseDirectoriesAreIgnored()
    {
        QTemporaryDir temp;
        const std::pair<const char *, QByteArray> given[] = {
            {"TMPDIR", QFile::encodeName(temp.path())}, // where Qt's fallback runtime folder goes
            {"XDG_RUNTIME_DIR", "relrun"}, {"XDG_CONFIG_HOME", "relconf"}};
        std::vector<std::optional<QByteArray>> before;
        for (const auto &[name, value] : given) {
            before.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            qputenv(name, value);
        }
        DesktopSession::ignoreRelativeBaseDirectories();
        const QString lock = SingleInstance::defaultLockPath();
        const QString settings = SettingsStore::defaultFilePath();
        for (std::size_t i = 0; i < before.size(); ++i)
            before[i] ? qputenv(given[i].first, *before[i]) : qunsetenv(given[i].first);
        QVERIFY2(lock.startsWith(temp.path() + u'/'), qPrintable(lock));
        QVERIFY2(settings.startsWith(QDir::homePath() + QStringLiteral("/.config/")), qPrintable(settings));
    }
};

TEST_CLASS(TestStartup, Widgets)
#include "tst_startup.moc"
