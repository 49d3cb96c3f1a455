#include "widgets/keyasciifilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {
// The character code a key press would type, with Ctrl+letter giving its
// control character (Ctrl+A is 1, Ctrl+V 22); -1 for keys that type nothing
// (arrows, Home, End, the Delete key, Tab moving the focus, Alt with a key).
int keyAsciiOf(const QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    // Ctrl+Alt stands for AltGr on some keyboards and types what it shows;
    // Alt with anything else types nothing.
    if (mods.testFlag(Qt::AltModifier)) {
        const QString text = event.text();
        return ctrl && !text.isEmpty() && text.at(0).isPrint() ? text.at(0).unicode() : -1;
    }

    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return -1;
    case Qt::Key_Backspace:
        return ctrl ? 127 : 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? 10 : 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    if (ctrl && key >= Qt::Key_A && key <= Qt::Key_Z)
        return key - Qt::Key_A + 1;

    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    return text.at(0).unicode();
}
} // namespace

void KeyAsciiFilter::watch(QWidget *box, KeyPress handler)
{
    m_handlers.insert(box, std::move(handler));
    box->installEventFilter(this);
}

bool KeyAsciiFilter::eventFilter(QObject *watched, QEvent *event)
{
    const auto found = m_handlers.constFind(watched);
    if (found == m_handlers.constEnd())
        return false;
    if (event->type() == QEvent::InputMethod)
        return filterCommittedText(watched, *found, event);
    if (event->type() != QEvent::KeyPress)
        return false;

    const auto *key = static_cast<QKeyEvent *>(event);
    int KeyAscii = keyAsciiOf(*key);
    // An Alt key the box would still type (its text) is kept from it.
    if (KeyAscii < 0 && key->modifiers().testFlag(Qt::AltModifier) && !key->text().isEmpty()
        && key->text().at(0).isPrint())
        return true;
    if (KeyAscii < 0 || !*found)
        return false;
    (*found)(KeyAscii);
    return KeyAscii == 0;
}

bool KeyAsciiFilter::filterCommittedText(QObject *box, const KeyPress &handler, QEvent *event)
{
    auto *input = static_cast<QInputMethodEvent *>(event);
    if (m_forwarding || !handler || input->commitString().isEmpty())
        return false;
    QString kept;
    for (const QChar ch : input->commitString()) {
        int KeyAscii = ch.unicode();
        handler(KeyAscii);
        if (KeyAscii != 0)
            kept += ch;
    }
    if (kept == input->commitString())
        return false;
    QInputMethodEvent filtered(input->preeditString(), input->attributes());
    filtered.setCommitString(kept, input->replacementStart(), input->replacementLength());
    m_forwarding = true;
    QCoreApplication::sendEvent(box, &filtered);
    m_forwarding = false;
    return true;
}
