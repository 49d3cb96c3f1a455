#include "widgets/messagebox.h"

#include <QApplication>

namespace {
QMessageBox::StandardButton ask(const QString &text, QMessageBox::Icon icon,
                                QMessageBox::StandardButtons buttons, bool onTop = false)
{
    QMessageBox box(icon, ApplicationTitle, text, buttons, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    if (onTop)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void showMessage(const QString &text, QMessageBox::Icon icon)
{
    ask(text, icon, QMessageBox::Ok);
}

void showMessageOnTop(const QString &text, QMessageBox::Icon icon)
{
    ask(text, icon, QMessageBox::Ok, true);
}

bool askYesNo(const QString &text)
{
    return ask(text, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}
