#include "windows/placement.h"

#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QWidget>

void FixClientSize(QWidget *window)
{
    // Only a window with a layout (the main window's menu bar and central
    // widget) takes its size from its contents; a dialog's fixed controls
    // may reach past its client area on purpose.
    if (window->layout())
        window->adjustSize();
    window->setFixedSize(window->size());
}

void CentreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
