#include "windows/enterkey.h"

#include <QKeyEvent>
#include <QPushButton>

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
} // namespace

void pressFocusedButtonOnEnter(QWidget *window)
{
    auto *filter = new EnterPressesButton(window);
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        if (!button->isCheckable())
            button->installEventFilter(filter);
    }
}
