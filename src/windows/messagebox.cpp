#include "windows/messagebox.h"

#include <QApplication>

namespace {
QMessageBox::StandardButton ask(const QString &text, QMessageBox::Icon icon,
                                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, ApplicationTitle, text, buttons, QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

void showMessage(const QString &text, QMessageBox::Icon icon)
{
    ask(text, icon, QMessageBox::Ok);
}

bool askYesNo(const QString &text)
{
    return ask(text, QMessageBox::Information, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}
