#include "mainwindow/frmresult.h"

#include "game/verdict.h"
#include "windows/enterkey.h"
#include "windows/placement.h"

#include <QKeyEvent>

frmResult::frmResult()
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    ui.setupUi(this);
    FixClientSize(this);
    pressFocusedButtonOnEnter(this);
    connect(ui.cmdTry, &QPushButton::clicked, this, &frmResult::cmdTry_Click);
}

void frmResult::ShowVerdict(bool correct)
{
    frmResult window;
    window.ui.lblResult->setText(Verdict::sentence(correct));
    // A screen reader announces the window with its sentence.
    window.setAccessibleDescription(Verdict::sentence(correct));
    QPalette palette = window.ui.lblResult->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(Verdict::colour(correct)));
    window.ui.lblResult->setPalette(palette);
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

void frmResult::cmdTry_Click()
{
    accept();
}

// The window has no cancel button: Escape must not close it.
void frmResult::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        return;
    QDialog::keyPressEvent(event);
}
