#include "shell/application.h"

#include "widgets/applicationicon.h"
#include "widgets/messagebox.h"
#include "windows/frmexitscreen.h"
#include "windows/frmmain.h"
#include "x11/frameextents.h"

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

void Application::MainWindowLink::remindOfUpdate()
{
    m_application.m_reminder->RemindOfUpdate();
}

void Application::MainWindowLink::showExitWindow()
{
    m_application.showExitWindow();
}

// Shown without owner as an ordinary window that takes the keyboard, so its
// access keys and Tab work at once; its own flags put it above every other
// window. Nothing here may stop the main window closing; without an exit
// window the run would go on with no window at all, so it ends instead.
void Application::showExitWindow()
{
    if (m_exit || m_windowLost)
        return;
    try {
        m_exit = std::make_unique<frmExitScreen>(m_random, m_end);
        m_exit->show();
        m_exit->raise();
        m_exit->activateWindow();
    } catch (const std::exception &error) {
        qWarning("Numensight: the exit window could not be opened (%s); ending.", error.what());
        m_end.EndApplication();
    } catch (...) {
        qWarning("Numensight: the exit window could not be opened; ending.");
        m_end.EndApplication();
    }
}

// Queued: the window is reported from inside the event dispatch, and ending
// closes windows. A main window closed on the way out opens no exit window.
void Application::endAfterLosingAWindow()
{
    if (m_windowLost)
        return;
    m_windowLost = true;
    QMetaObject::invokeMethod(qApp, [&end = m_end] { end.EndApplication(); }, Qt::QueuedConnection);
}

bool Application::StartApplication()
{
    if (m_instance.PreviousInstanceRunning()) {
        showMessageOnTop(QStringLiteral("Application is already running"), QMessageBox::Information);
        m_end.EndApplication();
        return false;
    }
    QApplication::setWindowIcon(ApplicationIcon::icon());
    askForFrameExtents();
    m_random.SeedRandom();
    m_lostWindowWatch = std::make_unique<LostWindowWatch>([this] { endAfterLosingAWindow(); });
    m_settings = std::make_unique<SettingsStore>(m_settingsFile);
    m_reminder = std::make_unique<UpdateReminder>(*m_settings, m_clock);
    m_reminder->RemindOfUpdate();

    // The exit window outlives the main window; only EndApplication ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    m_main = new frmMain(m_book, m_random, m_pause, m_mainWindowLink);
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    m_main->show();
    m_main->CoBrand_Randomize();
    return true;
}
