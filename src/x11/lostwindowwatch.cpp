#include "x11/lostwindowwatch.h"

#include <QGuiApplication>
#include <QWindow>

#include <xcb/xcb.h>

LostWindowWatch::LostWindowWatch(std::function<void()> onLost)
    : m_onLost(std::move(onLost))
{
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        QCoreApplication::instance()->installNativeEventFilter(this);
        m_installed = true;
    }
}

LostWindowWatch::~LostWindowWatch()
{
    if (m_installed && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool LostWindowWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
        return false;
    // A window the game destroyed itself has lost its native handle by now.
    const xcb_window_t window = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
    for (QWindow *shown : QGuiApplication::topLevelWindows()) {
        if (shown->handle() && shown->winId() == window) {
            m_onLost();
            break;
        }
    }
    return false;
}
