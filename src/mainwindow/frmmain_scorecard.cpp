// The score card of the start panel and its clipboard-emptying score box.
#include "mainwindow/frmmain.h"

#include "game/scorecard.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>

namespace {
// A clipboard held by another program may refuse; that is not our concern.
void EmptyClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}
} // namespace

void frmMain::cmdScore_Click()
{
    ui.txtTotalScore->setPlainText(ScoreText(m_book));
    ui.fraScore->raise();
}

void frmMain::cmdScoreOk_Click()
{
    ui.fraScoreClick->raise();
}

void frmMain::txtTotalScore_Change() { EmptyClipboard(); }
void frmMain::txtTotalScore_Click() { EmptyClipboard(); }
void frmMain::txtTotalScore_MouseDown() { EmptyClipboard(); }
void frmMain::txtTotalScore_MouseMove() { EmptyClipboard(); }
void frmMain::txtTotalScore_MouseUp() { EmptyClipboard(); }

bool frmMain::watchScoreBox(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        txtTotalScore_MouseDown();
        break;
    case QEvent::MouseMove:
        txtTotalScore_MouseMove();
        break;
    case QEvent::MouseButtonRelease:
        txtTotalScore_MouseUp();
        txtTotalScore_Click();
        break;
    default:
        break;
    }
    return false;
}
