#pragma once

#include "windows/applicationend.h"
#include "windows/frmmain.h"
#include "windows/pause.h"

#include <QList>

#include <functional>

// The control of a window by its name; a missing one ends the run, as a test
// of a renamed control would otherwise pass on a null pointer.
template<class T = QWidget>
T *control(const QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// A pause that returns at once and keeps what it was asked to wait. `during`
// runs inside each wait, as something other than the player's input might.
struct NoPause : Pause
{
    QList<int> asked;
    std::function<void()> during;
    void wait(int milliseconds) override
    {
        asked << milliseconds;
        if (during)
            during();
    }
};

// The shell's hooks, counted instead of run.
struct CountingHooks : MainWindowHooks
{
    int reminders = 0;
    int exitWindows = 0;
    void remindOfUpdate() override { ++reminders; }
    void showExitWindow() override { ++exitWindows; }
};

// The program's end, counted instead of ending the test's event loop.
struct CountingEnd : ApplicationEnd
{
    int ends = 0;
    void EndApplication() override { ++ends; }
};

// For the initTestCase of a class that shows windows on the offscreen
// platform, which warns about every fixed-size one. Lasts until the class has run.
void hideSizeHintWarnings();
