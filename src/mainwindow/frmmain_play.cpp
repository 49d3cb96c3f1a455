// The two tests as the main window plays them.
#include "mainwindow/frmmain.h"

#include "game/fieldnumber.h"
#include "game/numbertest.h"
#include "game/picknumber.h"
#include "game/scorebook.h"
#include "game/verdict.h"
#include "mainwindow/frmresult.h"
#include "mainwindow/pause.h"
#include "windows/messagebox.h"

#include <QScopedValueRollback>

bool frmMain::ValidateNumberEntries()
{
    using NumberTestRules::Field;
    const auto problem = NumberTestRules::CheckEntries(ui.txtRangeStart->text(), ui.txtRangeEnd->text(),
                                                       ui.txtChuosenNumber->text());
    if (!problem)
        return true;
    ShowMessage(problem->message, QMessageBox::Information);
    if (problem->clearRangeStart)
        ui.txtRangeStart->clear();
    QLineEdit *focus = problem->focus == Field::RangeStart ? ui.txtRangeStart
        : problem->focus == Field::RangeEnd                ? ui.txtRangeEnd
                                                           : ui.txtChuosenNumber;
    focus->setFocus();
    return false;
}

void frmMain::CmdOK_Click()
{
    if (m_playing)
        return;
    const QScopedValueRollback playing(m_playing, true);
    if (!ValidateNumberEntries())
        return;
    ui.lblResult->setText(QString());
    ShowWaitNotice();
    const int d = NumberTestRules::DrawNumber(m_random, FieldNumber(ui.txtRangeStart->text()),
                                              FieldNumber(ui.txtRangeEnd->text()));
    const bool correct = FieldNumber(ui.txtChuosenNumber->text()) == d;
    ui.lblResult->setText(Verdict::Word(correct));
    m_book.RecordVerdict(NumberTest, correct);
    ui.picMessage->setVisible(false);
    frmResult::ShowVerdict(ui.lblResult->text() == Verdict::CorrectWord);
}

void frmMain::ShowWaitNotice()
{
    ui.picMessage->raise();
    ui.picMessage->setVisible(true);
    repaint();
    m_pause.wait(PauseMilliseconds);
}

void frmMain::lblFiveNumbers_Click(int Index)
{
    if (m_playing)
        return;
    const QScopedValueRollback playing(m_playing, true);
    if (ui.txtNumberOfAttemp->text().isEmpty()) {
        ShowMessage(QStringLiteral("Enter The Number Of Attempts You Want To Make"), QMessageBox::NoIcon);
        ui.txtNumberOfAttemp->setFocus();
        return;
    }
    ui.txtNumberOfAttemp->setEnabled(false);
    if (!PickNumberRules::BudgetLeft(ui.txtNumberOfAttemp->text(), m_book.AttemptCount(PickTheRightNumber))) {
        ShowMessage(QStringLiteral("You have Finished All Your Attempts\r\nPlease Reset It"),
                    QMessageBox::Information);
        return;
    }
    ui.lblResultPicKNumber->setText(QString());
    ShowWaitNotice();
    const int p = PickNumberRules::DrawPick(m_random);
    const bool correct = PickNumberRules::PickIsCorrect(m_fiveNumbers[Index]->text(), p);
    ui.lblResultPicKNumber->setText(Verdict::Word(correct));
    m_book.RecordVerdict(PickTheRightNumber, correct);
    ui.picMessage->setVisible(false);
    frmResult::ShowVerdict(ui.lblResultPicKNumber->text() == Verdict::CorrectWord);
}

void frmMain::cmdReset_Click()
{
    m_book.ResetCounts(PickTheRightNumber);
    ui.txtNumberOfAttemp->clear();
    ui.txtNumberOfAttemp->setEnabled(true);
}
