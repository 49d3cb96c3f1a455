#include "windows/plaintextbox.h"

#include "windows/foreignselection.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

PlainTextBox::PlainTextBox(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

// What may still go in where the selection stands.
qsizetype PlainTextBox::room() const
{
    const QTextCursor cursor = textCursor();
    const qsizetype held = document()->characterCount() - 1;
    return qMax<qsizetype>(0, m_maxLength - (held - (cursor.selectionEnd() - cursor.selectionStart())));
}

void PlainTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    const qsizetype length = room();
    // A paste of what another program holds reads no more of it than fits.
    const QClipboard *clipboard = QGuiApplication::clipboard();
    std::optional<QString> text;
    if (source == clipboard->mimeData(QClipboard::Clipboard))
        text = foreignSelectionText(QClipboard::Clipboard, length);
    else if (source == clipboard->mimeData(QClipboard::Selection))
        text = foreignSelectionText(QClipboard::Selection, length);
    insertPlainText(text ? *text : source->text().left(length));
}

void PlainTextBox::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    if (!typed.isEmpty() && (typed.at(0).isPrint() || typed == u"\r") && room() < typed.size()) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PlainTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().size() <= room()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(event->commitString().left(room()), event->replacementStart(),
                        event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&cut);
}
