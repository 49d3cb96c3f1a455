#include "shell/application.h"

#include "mainwindow/frmmain.h"
#include "shell/frmexitscreen.h"
#include "windows/messagebox.h"

#include <QApplication>
#include <QIcon>

Application::Application(ApplicationPaths paths, RandomSource *random)
    : m_instance(paths.lockFile)
    , m_settings(paths.settingsFile)
    , m_reminder(m_settings)
    , m_random(random ? *random : m_ownRandom)
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

// Shown without owner and without taking the activation; its own flags put it
// above every other window. Nothing here may stop the main window closing.
void Application::ShowExitWindow()
{
    if (m_exit)
        return;
    try {
        m_exit = std::make_unique<frmExitScreen>(m_random);
        m_exit->show();
    } catch (...) {
    }
}

bool Application::StartApplication()
{
    if (m_instance.PreviousInstanceRunning()) {
        ShowMessage(QStringLiteral("Application is already running"), QMessageBox::Information);
        EndApplication();
        return false;
    }
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/numensight.ico")));
    m_random.SeedRandom();
    m_reminder.RemindOfUpdate();

    // The exit window outlives the main window; only EndApplication ends the run.
    QApplication::setQuitOnLastWindowClosed(false);
    MainWindowHooks hooks;
    hooks.remindOfUpdate = [this] { m_reminder.RemindOfUpdate(); };
    hooks.showExitWindow = [this] { ShowExitWindow(); };
    m_main = new frmMain(m_book, m_random, std::move(hooks));
    m_main->setAttribute(Qt::WA_DeleteOnClose);
    m_main->show();
    m_main->CoBrand_Randomize();
    return true;
}

void EndApplication()
{
    static bool ending = false;
    if (ending)
        return;
    ending = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    QCoreApplication::exit(0);
}
