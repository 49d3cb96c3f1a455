#include "x11/skiptaskbar.h"

#include "x11/xcbreplies.h"

#include <QGuiApplication>

void skipTaskbar(WId window)
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const auto [state, skip] = internAtoms(c, std::array<const char *, 2>{"_NET_WM_STATE", "_NET_WM_STATE_SKIP_TASKBAR"});
    xcb_change_property(c, XCB_PROP_MODE_APPEND, xcb_window_t(window), state, XCB_ATOM_ATOM, 32, 1, &skip);
}
