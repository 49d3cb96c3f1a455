// The four numeric entry fields share one filter of typed characters; the
// score box's mouse events pass through here too.
#include "mainwindow/frmmain.h"

#include "mainwindow/digitfilter.h"
#include "windows/messagebox.h"


void frmMain::FilterDigitKey(int &KeyAscii)
{
    if (DigitFilter::Accepts(KeyAscii))
        return;
    KeyAscii = 0;
    ShowMessage(QStringLiteral("Please Enter Only Numbers"), QMessageBox::NoIcon);
}

void frmMain::txtRangeStart_KeyPress(int &KeyAscii) { FilterDigitKey(KeyAscii); }
void frmMain::txtRangeEnd_KeyPress(int &KeyAscii) { FilterDigitKey(KeyAscii); }
void frmMain::txtChuosenNumber_KeyPress(int &KeyAscii) { FilterDigitKey(KeyAscii); }
void frmMain::txtNumberOfAttemp_KeyPress(int &KeyAscii) { FilterDigitKey(KeyAscii); }

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scoreBoxViewport)
        return watchScoreBox(event);
    return QMainWindow::eventFilter(watched, event);
}
