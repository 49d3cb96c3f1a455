#include "widgets/windowsetup.h"

#include "pages/publisherhosts.h"
#include "widgets/desktopcolours.h"
#include "x11/frameextents.h"
#include "x11/skiptaskbar.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>

namespace {
class EnterPressesButton : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        static_cast<QPushButton *>(watched)->click();
        return true;
    }
};

class EscapeIgnored : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier;
    }
};

// Only a window with a layout (the main window's menu bar and central
// widget) takes its size from its contents; a dialog's fixed controls may
// reach past its client area on purpose.
void fixClientSize(QWidget *window)
{
    if (window->layout())
        window->adjustSize();
    window->setFixedSize(window->size());
}

// Centred on the free area of the screen, but never above or left of it,
// so that a frame larger than the screen keeps its title bar on the screen.
QPoint framePlacement(const QSize &frame, const QRect &available)
{
    return {std::max(available.left(), available.left() + (available.width() - frame.width()) / 2),
            std::max(available.top(), available.top() + (available.height() - frame.height()) / 2)};
}

// Placed once, before it is shown, so the frame it will get is asked for
// beforehand.
void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QMargins frame;
    if (!window->windowFlags().testFlag(Qt::FramelessWindowHint)) {
        const QMargins extents = frameExtentsOfNewWindows();
        const qreal ratio = window->devicePixelRatioF();
        frame = QMargins(qRound(extents.left() / ratio), qRound(extents.top() / ratio),
                         qRound(extents.right() / ratio), qRound(extents.bottom() / ratio));
    }
    // move() places the frame's top-left corner, frame or not yet.
    window->move(framePlacement(window->size().grownBy(frame), screen->availableGeometry()));
}

void showHostsInCaptions(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>())
        label->setText(PublisherHosts::withHosts(label->text()));
    for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
        button->setText(PublisherHosts::withHosts(button->text()));
}
} // namespace

void setUpWindow(QWidget *window)
{
    showHostsInCaptions(window);
    DesktopColours::follow(window);
    fixClientSize(window);
    auto *enter = new EnterPressesButton(window);
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->isCheckable())
            button->installEventFilter(enter);
    }
    centreOnScreen(window);
}

void keepOpenOnEscape(QWidget *window)
{
    // QDialog closes on Escape from its own key handler, which a key that
    // no control took reaches last; filtering the window itself sees those.
    window->installEventFilter(new EscapeIgnored(window));
}

void keepOffTaskbar(QWidget *window)
{
    skipTaskbar(window->winId());
}
