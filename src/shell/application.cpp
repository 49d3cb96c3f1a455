#include "shell/application.h"

#include "mainwindow/frmmain.h"
#include "shell/frmexitscreen.h"
#include "windows/messagebox.h"
#include "windows/windowiconengine.h"

#include <QApplication>

Application::Application(const ApplicationPaths &paths, RandomSource &random, const Clock &clock,
                         ApplicationEnd &end)
    : m_settingsFile(paths.settingsFile)
    , m_instance(paths.lockFile)
    , m_random(random)
    , m_clock(clock)
    , m_end(end)
{
}

Application::~Application()
{
    delete m_main;
}

frmMain *Application::mainWindow() const
{
    return m_main;
}

frmExitScreen *Application::exitWindow() const
{
    return m_exit.get();
}

void Application::remindOfUpdate()
{
    m_reminder->RemindOfUpdate();
}

// Shown without owner as an ordinary window that takes the keyboard, so its
// access keys and Tab work at once; its own flags put it above every other
// window. Nothing here may stop the main window closing.
void Application::showExitWindow()
{
    if (m_exit)
        return;
    try {
        m_exit = std::make_unique<frmExitScreen>(m_random, m_end);
        m_exit->show();
        m_exit->raise();
        m_exit->activateWindow();
    } catch (...) {
    }
}

bool Application::StartApplication()
{
    if (m_instance.PreviousInstanceRunning()) {
        showMessage(QStringLiteral("Application is already running"), QMessageBox::Information);
        m_end.EndApplication();
        return false;
    }
    QApplication::setWindowIcon(WindowIconEngine::icon());
    m_random.SeedRandom();
    m_settings = std::make_unique<SettingsStore>(m_settingsFile);
    m_reminder = std::make_unique<UpdateReminder>(*m_settings, m_clock);
    m_reminder->RemindOfUpdate();

    // The exit window outlives the main window; only EndApplication ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    m_main = new frmMain(m_book, m_random, m_pause, *this);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    m_main->show();
    m_main->CoBrand_Randomize();
    return true;
}
