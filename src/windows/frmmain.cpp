#include "windows/frmmain.h"

#include "game/fieldnumber.h"
#include "game/numbertestrules.h"
#include "game/picknumberrules.h"
#include "game/randomsource.h"
#include "game/scorebook.h"
#include "game/scoretext.h"
#include "game/verdict.h"
#include "pages/modhelp.h"
#include "ui_frmMain.h"
#include "widgets/keyasciifilter.h"
#include "widgets/messagebox.h"
#include "widgets/windowsetup.h"
#include "windows/digitfilter.h"
#include "windows/frmabout.h"
#include "windows/frmresult.h"
#include "windows/pause.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScopedValueRollback>

namespace {
constexpr int PauseMilliseconds = 1500;

// A clipboard held by another program may refuse; that is not our concern.
void emptyClipboard()
{
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->clear();
}
} // namespace

frmMain::frmMain(ScoreBook &book, RandomSource &random, Pause &pause, MainWindowHooks &hooks,
                 QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::frmMain>())
    , m_book(book)
    , m_random(random)
    , m_pause(pause)
    , m_hooks(hooks)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setUpWindow(this);
    m_fiveNumbers = {ui->lblFiveNumbers_0, ui->lblFiveNumbers_1, ui->lblFiveNumbers_2,
                     ui->lblFiveNumbers_3, ui->lblFiveNumbers_4};
    wireControls();
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::wireControls()
{
    connect(ui->optOption_0, &QRadioButton::toggled, this, [this](bool on) { if (on) optOption_Click(0); });
    connect(ui->optOption_1, &QRadioButton::toggled, this, [this](bool on) { if (on) optOption_Click(1); });
    connect(ui->cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(ui->cmdBack, &QPushButton::clicked, this, &frmMain::cmdBack_Click);
    connect(ui->cmdBackPick, &QPushButton::clicked, this, &frmMain::cmdBackPick_Click);
    connect(ui->cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(ui->mnuPlay, &QAction::triggered, this, &frmMain::mnuPlay_Click);
    connect(ui->mnuBack, &QAction::triggered, this, &frmMain::mnuBack_Click);
    connect(ui->mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);

    connect(ui->CmdOK, &QPushButton::clicked, this, &frmMain::CmdOK_Click);
    for (int i = 0; i < int(m_fiveNumbers.size()); ++i)
        connect(m_fiveNumbers[i], &ClickLabel::clicked, this, [this, i] { lblFiveNumbers_Click(i); });
    connect(ui->cmdReset, &QPushButton::clicked, this, &frmMain::cmdReset_Click);

    connect(ui->cmdScore, &QPushButton::clicked, this, &frmMain::cmdScore_Click);
    connect(ui->cmdScoreOk, &QPushButton::clicked, this, &frmMain::cmdScoreOk_Click);
    connect(ui->txtTotalScore, &QTextEdit::textChanged, this, &frmMain::txtTotalScore_Change);
    m_scoreBoxViewport = ui->txtTotalScore->viewport();
    m_scoreBoxViewport->setMouseTracking(true);
    m_scoreBoxViewport->installEventFilter(this);
    // The score box centres every line, also those the player types. Its
    // inner margin is the one thing its size and font leave free: at one
    // pixel the longer score line stands whole while the counts have one digit.
    QTextDocument *scoreText = ui->txtTotalScore->document();
    QTextOption centred = scoreText->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    scoreText->setDefaultTextOption(centred);
    scoreText->setDocumentMargin(1);

    auto *keys = new KeyAsciiFilter(this);
    keys->watch(ui->txtRangeStart, [this](int &KeyAscii) { txtRangeStart_KeyPress(KeyAscii); });
    keys->watch(ui->txtRangeEnd, [this](int &KeyAscii) { txtRangeEnd_KeyPress(KeyAscii); });
    keys->watch(ui->txtChuosenNumber, [this](int &KeyAscii) { txtChuosenNumber_KeyPress(KeyAscii); });
    keys->watch(ui->txtNumberOfAttemp, [this](int &KeyAscii) { txtNumberOfAttemp_KeyPress(KeyAscii); });

    // Web links: each control opens its page and does nothing else.
    connect(ui->mnuOnline, &QAction::triggered, this, &modHelp::OpenHelpPage);
    connect(ui->mnuVisit, &QAction::triggered, this, &modHelp::OpenHomePage);
    connect(ui->mnuUpdate, &QAction::triggered, this, &modHelp::OpenDownloadPage);
    connect(ui->mnuDonate, &QAction::triggered, this, &modHelp::OpenDonatePage);
    connect(ui->mkmoney, &QAction::triggered, this, &modHelp::OpenFullBrandPage);
    connect(ui->Label61, &ClickLabel::clicked, this, &modHelp::OpenHomePage);
    connect(ui->lblCobrand, &ClickLabel::clicked, this, &modHelp::OpenCoBrandPage);
    connect(ui->lblFullBrand, &ClickLabel::clicked, this, &modHelp::OpenFullBrandPage);
    connect(ui->mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
}

// The load runs the reminder first, where the game has always had it. Start-up
// ran it just before this window was made, so this run finds nothing due and
// asks nothing: the reminder asks at most once per start.
void frmMain::Form_Load()
{
    m_hooks.remindOfUpdate();
    ui->optOption_0->setChecked(false);
    ui->optOption_1->setChecked(false);
    ui->fraMain->raise();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::Form_Unload()
{
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
    ui->cmdNext->setText(caption);
    ui->mnuPlay->setText(caption);
}

void frmMain::cmdNext_Click()
{
    const int unchosen = int(!ui->optOption_0->isChecked()) + int(!ui->optOption_1->isChecked());
    if (unchosen == 2) {
        showMessage(QStringLiteral("Please Select a test type to play"), QMessageBox::Critical);
        return;
    }
    if (ui->optOption_0->isChecked()) {
        ui->fraNumberTest->raise();
        ui->mnuBack->setVisible(true);
    } else if (ui->optOption_1->isChecked()) {
        ui->fraPickRightNumber->raise();
        ui->mnuBack->setVisible(true);
    }
    ui->mnuPlay->setVisible(false);
    ui->fraScoreClick->raise();
}

void frmMain::cmdBack_Click()
{
    ui->fraMain->raise();
    ui->txtRangeEnd->clear();
    ui->txtRangeStart->clear();
    ui->txtChuosenNumber->clear();
    ui->mnuBack->setVisible(false);
    ui->mnuPlay->setVisible(true);
}

void frmMain::cmdBackPick_Click()
{
    ui->fraMain->raise();
    ui->mnuBack->setVisible(false);
    ui->mnuPlay->setVisible(true);
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
    const int n = roundHalfEven(static_cast<double>(m_random.NextRandom()) * 6 + 1);
    if (n == 1 || n == 3 || n == 5)
        ui->lblCobrand->raise();
    else if (n == 2 || n == 4 || n == 6)
        ui->lblFullBrand->raise();
}

std::optional<NumberTestRules::Entries> frmMain::ValidateNumberEntries()
{
    using NumberTestRules::Field;
    const NumberTestRules::CheckedEntries checked = NumberTestRules::checkEntries(
        ui->txtRangeStart->text(), ui->txtRangeEnd->text(), ui->txtChuosenNumber->text());
    if (!checked.problem)
        return checked.values;
    const NumberTestRules::EntryProblem &problem = *checked.problem;
    showMessage(problem.message, QMessageBox::Information);
    if (problem.clearRangeStart)
        ui->txtRangeStart->clear();
    QLineEdit *focus = problem.focus == Field::RangeStart ? ui->txtRangeStart
        : problem.focus == Field::RangeEnd                ? ui->txtRangeEnd
                                                          : ui->txtChuosenNumber;
    focus->setFocus();
    return std::nullopt;
}

void frmMain::CmdOK_Click()
{
    if (m_playing)
        return;
    const QScopedValueRollback playing(m_playing, true);
    const std::optional<NumberTestRules::Entries> entries = ValidateNumberEntries();
    if (!entries)
        return;
    ui->lblResult->setText(QString());
    ShowWaitNotice();
    const int d = NumberTestRules::DrawNumber(m_random, entries->rangeStart, entries->rangeEnd);
    const bool correct = entries->chosenNumber == d;
    ui->lblResult->setText(Verdict::word(correct));
    m_book.RecordVerdict(NumberTest, correct);
    ui->picMessage->setVisible(false);
    frmResult::ShowVerdict(correct);
}

void frmMain::ShowWaitNotice()
{
    ui->picMessage->raise();
    ui->picMessage->setVisible(true);
    repaint();
    m_pause.wait(PauseMilliseconds);
}

void frmMain::lblFiveNumbers_Click(int Index)
{
    if (m_playing)
        return;
    const QScopedValueRollback playing(m_playing, true);
    if (ui->txtNumberOfAttemp->text().isEmpty()) {
        showMessage(QStringLiteral("Enter The Number Of Attempts You Want To Make"), QMessageBox::NoIcon);
        ui->txtNumberOfAttemp->setFocus();
        return;
    }
    ui->txtNumberOfAttemp->setEnabled(false);
    if (!PickNumberRules::budgetLeft(ui->txtNumberOfAttemp->text(), m_book.AttemptCount(PickTheRightNumber))) {
        showMessage(QStringLiteral("You have Finished All Your Attempts\r\nPlease Reset It"),
                    QMessageBox::Information);
        return;
    }
    ui->lblResultPicKNumber->setText(QString());
    ShowWaitNotice();
    const int p = PickNumberRules::DrawPick(m_random);
    const bool correct = PickNumberRules::pickIsCorrect(m_fiveNumbers[Index]->text(), p);
    ui->lblResultPicKNumber->setText(Verdict::word(correct));
    m_book.RecordVerdict(PickTheRightNumber, correct);
    ui->picMessage->setVisible(false);
    frmResult::ShowVerdict(correct);
}

void frmMain::cmdReset_Click()
{
    m_book.ResetCounts(PickTheRightNumber);
    ui->txtNumberOfAttemp->clear();
    ui->txtNumberOfAttemp->setEnabled(true);
}

void frmMain::cmdScore_Click()
{
    ui->txtTotalScore->setPlainText(scoreText(m_book));
    ui->fraScore->raise();
}

void frmMain::cmdScoreOk_Click()
{
    ui->fraScoreClick->raise();
}

void frmMain::txtTotalScore_Change() { emptyClipboard(); }
void frmMain::txtTotalScore_Click() { emptyClipboard(); }
void frmMain::txtTotalScore_MouseDown() { emptyClipboard(); }
void frmMain::txtTotalScore_MouseMove() { emptyClipboard(); }
void frmMain::txtTotalScore_MouseUp() { emptyClipboard(); }

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

void frmMain::filterDigitKey(int &KeyAscii)
{
    if (DigitFilter::accepts(KeyAscii))
        return;
    KeyAscii = 0;
    showMessage(QStringLiteral("Please Enter Only Numbers"), QMessageBox::NoIcon);
}

void frmMain::txtRangeStart_KeyPress(int &KeyAscii) { filterDigitKey(KeyAscii); }
void frmMain::txtRangeEnd_KeyPress(int &KeyAscii) { filterDigitKey(KeyAscii); }
void frmMain::txtChuosenNumber_KeyPress(int &KeyAscii) { filterDigitKey(KeyAscii); }
void frmMain::txtNumberOfAttemp_KeyPress(int &KeyAscii) { filterDigitKey(KeyAscii); }

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scoreBoxViewport)
        return watchScoreBox(event);
    return QMainWindow::eventFilter(watched, event);
}
