#pragma once

#include "mainwindow/frmmain.h"
#include "mainwindow/pause.h"
#include "shell/applicationend.h"
#include "shell/clock.h"

#include <QLatin1String>
#include <QTest>
#include <QWidget>

#include <initializer_list>

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

// The offscreen platform does not hand activation back when a modal window
// closes, as a desktop would; shortcuts need an active window.
inline void activate(QWidget *window)
{
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", qPrintable(window->objectName()));
}

// True when the control `name` lies above each sibling named in `others`.
inline bool inFront(const QWidget *window, const char *name, std::initializer_list<const char *> others)
{
    QWidget *front = control(window, name);
    const QObjectList siblings = front->parentWidget()->children();
    for (const char *other : others) {
        if (siblings.indexOf(control(window, other)) > siblings.indexOf(front))
            return false;
    }
    return true;
}

// A pause that returns at once.
struct NoPause : Pause
{
    void wait(int) override {}
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

// A clock that stands still on one day.
struct FixedClock : Clock
{
    explicit FixedClock(QDate day = QDate::currentDate()) : day(day) {}
    QDate day;
    QDate today() const override { return day; }
};
