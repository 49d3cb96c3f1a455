#include "windows/textboxes.h"

#include "windows/foreignselection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

QString pastedText(const QMimeData *source, qsizetype room)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    std::optional<QString> text;
    if (source == clipboard->mimeData(QClipboard::Clipboard))
        text = foreignSelectionText(QClipboard::Clipboard, room);
    else if (source == clipboard->mimeData(QClipboard::Selection))
        text = foreignSelectionText(QClipboard::Selection, room);
    return text ? *text : source->text().left(room);
}
