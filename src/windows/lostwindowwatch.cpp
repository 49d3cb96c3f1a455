#include "windows/lostwindowwatch.h"

#include <QApplication>
#include <QWidget>

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
    // A window the game destroyed itself is gone from its widgets by now.
    const xcb_window_t window = reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window;
    for (const QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->internalWinId() == window) {
            m_onLost();
            break;
        }
    }
    return false;
}
