#include "windows/boundedpaste.h"

#include "windows/foreignselection.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <functional>

namespace {
// Qt's own paste is an undo step of its own. Moving the cursor ends the step
// under way, and is the one way to do so from outside the box.
void endUndoStep(QLineEdit *box)
{
    if (box->text().isEmpty()) {
        box->clear();
        return;
    }
    const int at = box->cursorPosition();
    box->setCursorPosition(at > 0 ? at - 1 : at + 1);
    box->setCursorPosition(at);
}

// As QLineEdit pastes: over the selection, if any, or at the cursor after
// clearing it. False where Qt's own paste has to read the text.
bool paste(QLineEdit *box, QClipboard::Mode mode, bool overSelection)
{
    const qsizetype kept = box->text().size() - (overSelection ? box->selectionLength() : 0);
    const std::optional<QString> text = foreignSelectionText(mode, qMax<qsizetype>(0, box->maxLength() - kept));
    if (!text)
        return false;
    if (!overSelection)
        box->deselect();
    if (text->isEmpty() && !box->hasSelectedText())
        return true;
    if (!box->hasSelectedText())
        endUndoStep(box);
    box->insert(*text);
    endUndoStep(box);
    return true;
}

void addItem(QMenu *menu, const char *text, QKeySequence::StandardKey key, const char *name, bool enabled,
             std::function<void()> act)
{
    QString caption = QCoreApplication::translate("QLineEdit", text);
    if (key != QKeySequence::UnknownKey)
        caption += u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    QAction *action = menu->addAction(caption);
    action->setEnabled(enabled);
    action->setObjectName(QLatin1String(name));
    const QIcon icon = QIcon::fromTheme(qstrcmp(name, "select-all") == 0 ? QStringLiteral("edit-select-all")
                                                                         : QLatin1String(name));
    if (!icon.isNull())
        action->setIcon(icon);
    QObject::connect(action, &QAction::triggered, menu, std::move(act));
}

// QLineEdit's own menu, which would read the whole clipboard only to enable
// its Paste.
QMenu *editMenu(QLineEdit *box, bool canPaste)
{
    auto *menu = new QMenu(box);
    menu->setObjectName(QStringLiteral("qt_edit_menu"));
    const bool selected = box->hasSelectedText();
    const bool copyable = selected && box->echoMode() == QLineEdit::Normal;
    const bool allSelected = selected && box->selectionLength() == box->text().size();
    addItem(menu, "&Undo", QKeySequence::Undo, "edit-undo", box->isUndoAvailable(), [box] { box->undo(); });
    addItem(menu, "&Redo", QKeySequence::Redo, "edit-redo", box->isRedoAvailable(), [box] { box->redo(); });
    menu->addSeparator();
    addItem(menu, "Cu&t", QKeySequence::Cut, "edit-cut", copyable, [box] { box->cut(); });
    addItem(menu, "&Copy", QKeySequence::Copy, "edit-copy", copyable, [box] { box->copy(); });
    addItem(menu, "&Paste", QKeySequence::Paste, "edit-paste", canPaste, [box] {
        if (!paste(box, QClipboard::Clipboard, true))
            box->paste();
    });
    addItem(menu, "Delete", QKeySequence::UnknownKey, "edit-delete", selected, [box] {
        box->del();
        endUndoStep(box);
    });
    menu->addSeparator();
    addItem(menu, "Select All", QKeySequence::SelectAll, "select-all", !box->text().isEmpty() && !allSelected,
            [box] { box->selectAll(); });
    return menu;
}

class BoundedPaste : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::MouseButtonRelease && type != QEvent::ContextMenu)
            return false;
        auto *box = qobject_cast<QLineEdit *>(watched);
        if (!box || box->isReadOnly())
            return false;
        switch (type) {
        case QEvent::KeyPress:
            return pasteKey(box, static_cast<QKeyEvent *>(event));
        case QEvent::MouseButtonRelease:
            return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton
                && QGuiApplication::clipboard()->supportsSelection() && paste(box, QClipboard::Selection, false);
        case QEvent::ContextMenu:
            return box->contextMenuPolicy() == Qt::DefaultContextMenu
                && showMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
        default:
            return false;
        }
    }

private:
    static bool pasteKey(QLineEdit *box, QKeyEvent *key)
    {
        if (!key->matches(QKeySequence::Paste))
            return false;
        const bool primary = key->key() == Qt::Key_Insert
            && key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
        if (!paste(box, primary ? QClipboard::Selection : QClipboard::Clipboard, true))
            return false;
        key->accept();
        return true;
    }

    static bool showMenu(QLineEdit *box, const QPoint &at)
    {
        const std::optional<QString> first = foreignSelectionText(QClipboard::Clipboard, 1);
        if (!first)
            return false;
        QMenu *menu = editMenu(box, !first->isEmpty());
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(at);
        return true;
    }
};
} // namespace

void boundPastes(QWidget *window)
{
    auto *filter = new BoundedPaste(window);
    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        box->installEventFilter(filter);
}
