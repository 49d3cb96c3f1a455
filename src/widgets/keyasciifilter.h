#pragma once

#include <QHash>
#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Hands each character typed into a text box to the box's KeyPress handler
// before the box acts on it; a handler that sets KeyAscii to 0 cancels the
// character. Text committed by an input method goes through the handler one
// character at a time. A key held with Alt types nothing, as on the desktop
// the windows were designed for; access keys still work. Pasted and dropped
// text is not typed and passes unfiltered.
class KeyAsciiFilter : public QObject
{
public:
    using KeyPress = std::function<void(int &KeyAscii)>;

    explicit KeyAsciiFilter(QObject *parent) : QObject(parent) {}

    // An empty handler lets every character through but still keeps Alt keys
    // from typing.
    void watch(QWidget *box, KeyPress handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterCommittedText(QObject *box, const KeyPress &handler, QEvent *event);

    QHash<QObject *, KeyPress> m_handlers;
    bool m_forwarding = false;
};
