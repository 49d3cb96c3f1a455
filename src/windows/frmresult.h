#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmResult;
}

// The borderless window that announces a verdict. Every showing builds a
// fresh window, so nothing carries over from the previous verdict.
class frmResult : public QDialog
{
    Q_OBJECT

public:
    // Shows the verdict application-modal, without owner, and returns once
    // TRY AGAIN (or any close the desktop asks for) has destroyed the window.
    static void ShowVerdict(bool correct);
    ~frmResult() override;

private:
    frmResult();
    void cmdTry_Click();

    std::unique_ptr<Ui::frmResult> ui;
};
