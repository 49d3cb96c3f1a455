#pragma once

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextEdit>

// A multi-line box that, like a one-line box, takes at most 32,767
// characters (a one-line box's own default): the rest of a paste, a drop or
// typing is dropped. Laying out megabytes of text would freeze the window.
template<class Box>
class LengthLimited : public Box
{
public:
    static constexpr qsizetype MaxLength = 32767;

    using Box::Box;

protected:
    void insertFromMimeData(const QMimeData *source) override
    {
        if (source && source->hasText())
            this->insertPlainText(source->text().left(room()));
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        const QString typed = event->text();
        if (!typed.isEmpty() && (typed.at(0).isPrint() || typed == u"\r") && room() < typed.size()) {
            event->ignore();
            return;
        }
        Box::keyPressEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent *event) override
    {
        if (event->commitString().size() > room())
            event->setCommitString(event->commitString().left(room()), event->replacementStart(),
                                   event->replacementLength());
        Box::inputMethodEvent(event);
    }

private:
    // What may still go in where the selection stands.
    qsizetype room() const
    {
        const QTextCursor cursor = this->textCursor();
        const qsizetype held = this->document()->characterCount() - 1;
        return qMax<qsizetype>(0, MaxLength - (held - (cursor.selectionEnd() - cursor.selectionStart())));
    }
};

using PlainTextBox = LengthLimited<QPlainTextEdit>;
using TextBox = LengthLimited<QTextEdit>;
