#include "mainwindow/frmmain.h"

#include "game/randomsource.h"
#include "game/scorebook.h"
#include "mainwindow/frmabout.h"
#include "mainwindow/modhelp.h"
#include "windows/desktopcolours.h"
#include "windows/messagebox.h"
#include "windows/placement.h"

#include <QCloseEvent>
#include <QThread>

frmMain::frmMain(ScoreBook &book, RandomSource &random, MainWindowHooks hooks, QWidget *parent)
    : QMainWindow(parent)
    , m_book(book)
    , m_random(random)
    , m_hooks(std::move(hooks))
    , m_pause([] { QThread::msleep(PauseMilliseconds); })
{
    ui.setupUi(this);
    DesktopColours::follow(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    FixClientSize(this);
    m_fiveNumbers = {ui.lblFiveNumbers_0, ui.lblFiveNumbers_1, ui.lblFiveNumbers_2,
                     ui.lblFiveNumbers_3, ui.lblFiveNumbers_4};
    wireControls();
    CentreOnScreen(this);
    Form_Load();
}

void frmMain::wireControls()
{
    connect(ui.optOption_0, &QRadioButton::toggled, this, [this](bool on) { if (on) optOption_Click(0); });
    connect(ui.optOption_1, &QRadioButton::toggled, this, [this](bool on) { if (on) optOption_Click(1); });
    connect(ui.cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(ui.cmdBack, &QPushButton::clicked, this, &frmMain::cmdBack_Click);
    connect(ui.cmdBackPick, &QPushButton::clicked, this, &frmMain::cmdBackPick_Click);
    connect(ui.cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(ui.mnuPlay, &QAction::triggered, this, &frmMain::mnuPlay_Click);
    connect(ui.mnuBack, &QAction::triggered, this, &frmMain::mnuBack_Click);
    connect(ui.mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);

    connect(ui.CmdOK, &QPushButton::clicked, this, &frmMain::CmdOK_Click);
    for (int i = 0; i < int(m_fiveNumbers.size()); ++i)
        connect(m_fiveNumbers[i], &ClickLabel::clicked, this, [this, i] { lblFiveNumbers_Click(i); });
    connect(ui.cmdReset, &QPushButton::clicked, this, &frmMain::cmdReset_Click);

    connect(ui.cmdScore, &QPushButton::clicked, this, &frmMain::cmdScore_Click);
    connect(ui.cmdScoreOk, &QPushButton::clicked, this, &frmMain::cmdScoreOk_Click);
    connect(ui.txtTotalScore, &QTextEdit::textChanged, this, &frmMain::txtTotalScore_Change);
    m_scoreBoxViewport = ui.txtTotalScore->viewport();
    m_scoreBoxViewport->setMouseTracking(true);
    m_scoreBoxViewport->installEventFilter(this);
    // The score box centres every line, also those the player types.
    QTextOption centred = ui.txtTotalScore->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    ui.txtTotalScore->document()->setDefaultTextOption(centred);

    for (QLineEdit *field : {ui.txtRangeStart, ui.txtRangeEnd, ui.txtChuosenNumber, ui.txtNumberOfAttemp})
        field->installEventFilter(this);

    // Web links: each control opens its page and does nothing else.
    connect(ui.mnuOnline, &QAction::triggered, this, &modHelp::OpenHelpPage);
    connect(ui.mnuVisit, &QAction::triggered, this, &modHelp::OpenHomePage);
    connect(ui.mnuUpdate, &QAction::triggered, this, &modHelp::OpenDownloadPage);
    connect(ui.mnuDonate, &QAction::triggered, this, &modHelp::OpenDonatePage);
    connect(ui.mkmoney, &QAction::triggered, this, &modHelp::OpenFullBrandPage);
    connect(ui.Label61, &ClickLabel::clicked, this, &modHelp::OpenHomePage);
    connect(ui.lblCobrand, &ClickLabel::clicked, this, &modHelp::OpenCoBrandPage);
    connect(ui.lblFullBrand, &ClickLabel::clicked, this, &modHelp::OpenFullBrandPage);
    connect(ui.mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

void frmMain::Form_Load()
{
    if (m_hooks.remindOfUpdate)
        m_hooks.remindOfUpdate();
    ui.optOption_0->setChecked(false);
    ui.optOption_1->setChecked(false);
    ui.fraMain->raise();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
    if (m_hooks.showExitWindow)
        m_hooks.showExitWindow();
}

void frmMain::optOption_Click(int Index)
{
    QString caption;
    if (Index == NumberTest)
        caption = QStringLiteral("&Number Test");
    else if (Index == PickTheRightNumber)
        caption = QStringLiteral("Pick The &Right Number");
    else
        return;
    ui.cmdNext->setText(caption);
    ui.mnuPlay->setText(caption);
}

void frmMain::cmdNext_Click()
{
    const int unchosen = int(!ui.optOption_0->isChecked()) + int(!ui.optOption_1->isChecked());
    if (unchosen == 2) {
        ShowMessage(QStringLiteral("Please Select a test type to play"), QMessageBox::Critical);
        return;
    }
    if (ui.optOption_0->isChecked()) {
        ui.fraNumberTest->raise();
        ui.mnuBack->setVisible(true);
    } else if (ui.optOption_1->isChecked()) {
        ui.fraPickRightNumber->raise();
        ui.mnuBack->setVisible(true);
    }
    ui.mnuPlay->setVisible(false);
    ui.fraScoreClick->raise();
}

void frmMain::cmdBack_Click()
{
    ui.fraMain->raise();
    ui.txtRangeEnd->clear();
    ui.txtRangeStart->clear();
    ui.txtChuosenNumber->clear();
    ui.mnuBack->setVisible(false);
    ui.mnuPlay->setVisible(true);
}

void frmMain::cmdBackPick_Click()
{
    ui.fraMain->raise();
    ui.mnuBack->setVisible(false);
    ui.mnuPlay->setVisible(true);
}

void frmMain::mnuPlay_Click() { cmdNext_Click(); }

// File, Back always runs the Number Test panel's Back, whichever panel is in
// front; from Pick The Right Number the fields it clears are already empty.
void frmMain::mnuBack_Click() { cmdBack_Click(); }

void frmMain::mnuExit_Click() { cmdExit_Click(); }

void frmMain::cmdExit_Click() { close(); }

void frmMain::mnuAbout_Click()
{
    frmAbout about;
    about.exec();
}

void frmMain::CoBrand_Randomize()
{
    const int n = RoundHalfEven(static_cast<double>(m_random.NextRandom()) * 6 + 1);
    if (n == 1 || n == 3 || n == 5)
        ui.lblCobrand->raise();
    else if (n == 2 || n == 4 || n == 6)
        ui.lblFullBrand->raise();
}
