#include "mainwindow/frmresult.h"

#include "game/verdict.h"
#include "windows/desktopcolours.h"
#include "windows/placement.h"

#include <QKeyEvent>

frmResult::frmResult()
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    ui.setupUi(this);
    DesktopColours::follow(this);
    FixClientSize(this);
    CentreOnScreen(this);
    connect(ui.cmdTry, &QPushButton::clicked, this, &frmResult::cmdTry_Click);
}

void frmResult::ShowVerdict(bool correct)
{
    frmResult window;
    window.ui.lblResult->setText(Verdict::Sentence(correct));
    // A screen reader announces the window with its sentence.
    window.setAccessibleDescription(Verdict::Sentence(correct));
    QPalette palette = window.ui.lblResult->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(Verdict::Colour(correct)));
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
