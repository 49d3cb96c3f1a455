#pragma once

#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class frmExitScreen;
}

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
    ~frmExitScreen() override;

    static constexpr int SupportMessageCount = 4;

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

    // The five boxes of the form and the placeholder each shows while it
    // holds nothing of the user's: focus gained clears it, focus lost with
    // nothing typed puts it back.
    struct FormBox
    {
        QWidget *box = nullptr;
        QString placeholder;
    };
    void formBox_GotFocus(const FormBox &form);
    void formBox_LostFocus(const FormBox &form);

    void txtEmail_KeyPress(int &KeyAscii);
    void txtFriendEmail_KeyPress(int &KeyAscii);
    void refuseSpace(QWidget *box, int &KeyAscii);

    std::unique_ptr<Ui::frmExitScreen> ui;
    std::array<FormBox, 5> m_formBoxes;
    RandomSource &m_random;
    ApplicationEnd &m_end;
};
