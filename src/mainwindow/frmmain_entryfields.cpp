// The four numeric entry fields share one filter of typed characters.
#include "mainwindow/frmmain.h"

#include "mainwindow/digitfilter.h"
#include "windows/messagebox.h"

#include <QKeyEvent>

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

bool frmMain::filterEntryKey(QObject *field, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    int KeyAscii = DigitFilter::KeyAsciiOf(*static_cast<QKeyEvent *>(event));
    if (KeyAscii < 0)
        return false;
    if (field == ui.txtRangeStart)
        txtRangeStart_KeyPress(KeyAscii);
    else if (field == ui.txtRangeEnd)
        txtRangeEnd_KeyPress(KeyAscii);
    else if (field == ui.txtChuosenNumber)
        txtChuosenNumber_KeyPress(KeyAscii);
    else
        txtNumberOfAttemp_KeyPress(KeyAscii);
    return KeyAscii == 0;
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scoreBoxViewport)
        return watchScoreBox(event);
    if (watched == ui.txtRangeStart || watched == ui.txtRangeEnd || watched == ui.txtChuosenNumber
        || watched == ui.txtNumberOfAttemp)
        return filterEntryKey(watched, event);
    return QMainWindow::eventFilter(watched, event);
}
