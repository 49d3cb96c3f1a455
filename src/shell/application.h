#pragma once

#include "game/randomsource.h"
#include "game/scorebook.h"
#include "settings/settingsstore.h"
#include "shell/singleinstance.h"
#include "shell/updatereminder.h"
#include "windows/applicationend.h"
#include "windows/frmmain.h"
#include "windows/pause.h"
#include "x11/lostwindowwatch.h"

#include <QPointer>
#include <QString>

#include <memory>

class Clock;
class frmExitScreen;

// Where the program keeps what outlives a window: its lock and its settings.
struct ApplicationPaths
{
    QString lockFile = SingleInstance::defaultLockPath();
    QString settingsFile = SettingsStore::defaultFilePath();
};

// The program as one object: the score book, the single-instance lock, the
// settings and the windows. The random source, the clock and the way the
// program ends are lent, by main() or by a test.
class Application
{
public:
    Application(const ApplicationPaths &paths, RandomSource &random, const Clock &clock,
                ApplicationEnd &end);
    ~Application();

    // Runs the start-up sequence. False when another copy already runs: this
    // copy has told the user and ended, and nothing else was touched.
    bool StartApplication();

private:
    // What the main window's load and unload call back into.
    class MainWindowLink : public MainWindowHooks
    {
    public:
        explicit MainWindowLink(Application &application) : m_application(application) {}
        void remindOfUpdate() override;
        void showExitWindow() override;

    private:
        Application &m_application;
    };

    void showExitWindow();
    void endAfterLosingAWindow();

    QString m_settingsFile;
    SingleInstance m_instance;
    // Made only once the guard has passed: a refused copy opens no settings.
    std::unique_ptr<SettingsStore> m_settings;
    std::unique_ptr<UpdateReminder> m_reminder;
    ScoreBook m_book;
    RandomSource &m_random;
    const Clock &m_clock;
    ApplicationEnd &m_end;
    Pause m_pause;
    MainWindowLink m_mainWindowLink{*this};
    QPointer<frmMain> m_main;
    // Made as the main window closes and kept until the program ends.
    std::unique_ptr<frmExitScreen> m_exit;
    std::unique_ptr<LostWindowWatch> m_lostWindowWatch;
    bool m_windowLost = false;
};
