#include "windows/plaintextbox.h"

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
    insertPlainText(source->text().left(room()));
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
