#pragma once

#include <QtGui/qwindowdefs.h>

// Asks the window manager to list a window on no taskbar
// (_NET_WM_STATE_SKIP_TASKBAR), as a dialog without owner would otherwise be
// on some. Before the window is first shown: Qt adds its own states to what
// the property then holds. Nothing off X11.
void skipTaskbar(WId window);
