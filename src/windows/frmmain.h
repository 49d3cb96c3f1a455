#pragma once

#include "game/numbertestrules.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>

namespace Ui {
class frmMain;
}
class ClickLabel;
class Pause;
class RandomSource;
class ScoreBook;

// What the application shell lends the main window: the update reminder that
// runs first in its load, and the exit window that its unload opens first.
class MainWindowHooks
{
public:
    virtual ~MainWindowHooks() = default;
    virtual void remindOfUpdate() = 0;
    virtual void showExitWindow() = 0;
};

class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    frmMain(ScoreBook &book, RandomSource &random, Pause &pause, MainWindowHooks &hooks,
            QWidget *parent = nullptr);
    ~frmMain() override;

    void CoBrand_Randomize();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void wireControls();
    void Form_Load();
    void Form_Unload();

    // Navigation
    void optOption_Click(int Index);
    void cmdNext_Click();
    void cmdBack_Click();
    void cmdBackPick_Click();
    void mnuPlay_Click();
    void mnuBack_Click();
    void mnuExit_Click();
    void cmdExit_Click();

    // Number Test
    void CmdOK_Click();
    // The entries a play uses, once every check has passed.
    std::optional<NumberTestRules::Entries> ValidateNumberEntries();
    void ShowWaitNotice();

    // Pick The Right Number
    void lblFiveNumbers_Click(int Index);
    void cmdReset_Click();

    // Score card
    void cmdScore_Click();
    void cmdScoreOk_Click();
    void txtTotalScore_Change();
    void txtTotalScore_Click();
    void txtTotalScore_MouseDown();
    void txtTotalScore_MouseMove();
    void txtTotalScore_MouseUp();

    // Entry fields
    void txtRangeStart_KeyPress(int &KeyAscii);
    void txtRangeEnd_KeyPress(int &KeyAscii);
    void txtChuosenNumber_KeyPress(int &KeyAscii);
    void txtNumberOfAttemp_KeyPress(int &KeyAscii);
    void filterDigitKey(int &KeyAscii);
    bool watchScoreBox(QEvent *event);

    void mnuAbout_Click();

    std::unique_ptr<Ui::frmMain> ui;
    ScoreBook &m_book;
    RandomSource &m_random;
    Pause &m_pause;
    MainWindowHooks &m_hooks;
    // A play runs to its verdict before another may start, even if something
    // other than the player's input presses a control during the pause.
    bool m_playing = false;
    std::array<ClickLabel *, 5> m_fiveNumbers{};
    QWidget *m_scoreBoxViewport = nullptr;
};
