#pragma once

#include <QAbstractNativeEventFilter>

#include <functional>

// Notices a window of the game destroyed from outside (a tool or a window
// manager killing the window itself, not asking it to close). The game cannot
// go on without it, and its single-instance lock would keep every later start
// out: the owner ends the run.
class LostWindowWatch : public QAbstractNativeEventFilter
{
public:
    explicit LostWindowWatch(std::function<void()> onLost);
    ~LostWindowWatch() override;

    LostWindowWatch(const LostWindowWatch &) = delete;
    LostWindowWatch &operator=(const LostWindowWatch &) = delete;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    std::function<void()> m_onLost;
    bool m_installed = false;
};
