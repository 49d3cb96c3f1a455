#include "mainwindow/digitfilter.h"

#include <QKeyEvent>

namespace DigitFilter {

int KeyAsciiOf(const QKeyEvent &event)
{
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    if (mods.testFlag(Qt::AltModifier))
        return -1;

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

bool Accepts(int keyAscii)
{
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8 || keyAscii == 127;
}

} // namespace DigitFilter
