#pragma once

#include <QMessageBox>
#include <QString>

// Every message box of the program carries the application title and no
// other, and one OK button or Yes and No.
inline const QString ApplicationTitle = QStringLiteral("Numensight");

void showMessage(const QString &text, QMessageBox::Icon icon);

// For a message that must be seen above windows that stay on top of all
// others, another copy's exit window among them.
void showMessageOnTop(const QString &text, QMessageBox::Icon icon);

// Yes / No question with the information icon; true for Yes.
bool askYesNo(const QString &text);
