#pragma once

#include "ui_frmExitScreen.h"

#include <QDialog>

class ApplicationEnd;
class RandomSource;

// The last window of every run: a support message, the publisher's links and
// the refer-a-friend form. It stays above every other window, and leaving it
// by E&xit or its close box ends the program.
class frmExitScreen : public QDialog
{
    Q_OBJECT

public:
    frmExitScreen(RandomSource &random, ApplicationEnd &end);

    static constexpr int SupportMessageCount = 4;
    static QString supportMessage(int k);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void cmdClose_Click();
    void Check1_Click();
    void lblGoToHome_Click();
    void cmdSubmit_Click();

    void txtName_GotFocus();
    void txtName_LostFocus();
    void txtEmail_GotFocus();
    void txtEmail_LostFocus();
    void txtMessage_GotFocus();
    void txtMessage_LostFocus();
    void txtFriendName_GotFocus();
    void txtFriendName_LostFocus();
    void txtFriendEmail_GotFocus();
    void txtFriendEmail_LostFocus();
    void txtEmail_KeyPress(int &KeyAscii);
    void txtFriendEmail_KeyPress(int &KeyAscii);
    void refuseSpace(QWidget *box, int &KeyAscii);

    void focusChanged(QObject *box, bool gained);
    QString messageText() const;

    Ui::frmExitScreen ui;
    RandomSource &m_random;
    ApplicationEnd &m_end;
};
