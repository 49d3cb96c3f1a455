#include "windows/frmexitscreen.h"

#include "game/randomsource.h"
#include "game/trimspaces.h"
#include "pages/modhelp.h"
#include "pages/publisherhosts.h"
#include "ui_frmExitScreen.h"
#include "widgets/applicationicon.h"
#include "widgets/keyasciifilter.h"
#include "widgets/messagebox.h"
#include "widgets/windowsetup.h"
#include "windows/applicationend.h"
#include "windows/modtellafriend.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
// The message box ends its lines with CR LF, as the boxes of the desktop the
// form was designed for did, so that its starting text (the placeholder and
// one line end) never counts as the placeholder itself.
QString textOf(const QWidget *box)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    return static_cast<const QPlainTextEdit *>(box)->toPlainText().replace(u'\n', QLatin1String("\r\n"));
}

void setTextOf(QWidget *box, const QString &text)
{
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else
        static_cast<QPlainTextEdit *>(box)->setPlainText(text);
}
} // namespace

frmExitScreen::frmExitScreen(RandomSource &random, ApplicationEnd &end)
    : QDialog(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , ui(std::make_unique<Ui::frmExitScreen>())
    , m_random(random)
    , m_end(end)
{
    ui->setupUi(this);
    ui->Picture1->setPixmap(ApplicationIcon::picture(devicePixelRatio()));
    setUpWindow(this);
    keepOpenOnEscape(this);

    connect(ui->cmdClose, &QPushButton::clicked, this, &frmExitScreen::cmdClose_Click);
    connect(ui->Check1, &QPushButton::clicked, this, &frmExitScreen::Check1_Click);
    connect(ui->lblGoToHome, &ClickLabel::clicked, this, &frmExitScreen::lblGoToHome_Click);
    connect(ui->cmdSubmit, &QPushButton::clicked, this, &frmExitScreen::cmdSubmit_Click);
    m_formBoxes = {{{ui->txtName, modTellAFriend::NamePlaceholder},
                    {ui->txtEmail, modTellAFriend::EmailPlaceholder},
                    {ui->txtMessage, modTellAFriend::MessagePlaceholder},
                    {ui->txtFriendName, modTellAFriend::FriendNamePlaceholder},
                    {ui->txtFriendEmail, modTellAFriend::FriendEmailPlaceholder}}};
    auto *keys = new KeyAsciiFilter(this);
    for (const FormBox &form : m_formBoxes) {
        // Each box starts with its placeholder; the message box's ends with a line end.
        setTextOf(form.box, form.box == ui->txtMessage ? form.placeholder + u'\n' : form.placeholder);
        form.box->installEventFilter(this);
        KeyAsciiFilter::KeyPress keyPress;
        if (form.box == ui->txtEmail)
            keyPress = [this](int &KeyAscii) { txtEmail_KeyPress(KeyAscii); };
        else if (form.box == ui->txtFriendEmail)
            keyPress = [this](int &KeyAscii) { txtFriendEmail_KeyPress(KeyAscii); };
        keys->watch(form.box, keyPress);
    }
    Form_Load();
}

frmExitScreen::~frmExitScreen() = default;

namespace {
QString supportMessage(int k)
{
    static const char *const messages[frmExitScreen::SupportMessageCount] = {
        "Programs like this one can be made and maintained only with your support. The best "
        "way to support us is to visit {main-host}/forum regularly and take part "
        "in its discussions and other activities.",
        "Visit {main-host}/forum regularly and support it by taking part in its "
        "discussions and activities. Without your regular visits we cannot support and "
        "maintain programs like this one.",
        "Our forum at {main-host}/forum is a free online discussion forum for all "
        "esoteric subjects. Visit it regularly and help us develop and maintain this program.",
        "Please help our forum by visiting it regularly and taking part in its discussions at "
        "{main-host}/forum. Your visits help us maintain it and develop more programs.",
    };
    if (k < 0 || k >= frmExitScreen::SupportMessageCount)
        return {};
    return PublisherHosts::withHosts(QString::fromLatin1(messages[k]));
}
} // namespace

void frmExitScreen::Form_Load()
{
    const int k = static_cast<int>(m_random.NextRandom() * SupportMessageCount);
    ui->Label2->setText(supportMessage(k));
}

void frmExitScreen::Form_Unload()
{
    m_end.EndApplication();
}

void frmExitScreen::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}


void frmExitScreen::cmdClose_Click()
{
    m_end.EndApplication();
}

void frmExitScreen::Check1_Click()
{
    if (!ui->Check1->isChecked())
        return;
    ui->Check1->setChecked(false);
    modHelp::OpenHomePage();
}

void frmExitScreen::lblGoToHome_Click()
{
    modHelp::OpenCataloguePage();
}

void frmExitScreen::cmdSubmit_Click()
{
    modTellAFriend::ReferValues &values = modTellAFriend::referValues();
    values.name = trimSpaces(textOf(ui->txtName));
    values.email = trimSpaces(textOf(ui->txtEmail));
    values.message = trimSpaces(textOf(ui->txtMessage));
    values.friendName = trimSpaces(textOf(ui->txtFriendName));
    values.friendEmail = trimSpaces(textOf(ui->txtFriendEmail));

    if (values.email == values.friendEmail) {
        showMessage(QStringLiteral("Please Enter Distinct Email Addresses"), QMessageBox::Critical);
        return;
    }
    if (!values.email.contains(u'@') || !values.friendEmail.contains(u'@')) {
        showMessage(QStringLiteral("Please Enter Proper Email Address"), QMessageBox::Critical);
        return;
    }
    if (!values.email.contains(u'.') || !values.friendEmail.contains(u'.')) {
        showMessage(QStringLiteral("Please Enter Proper Email Address"), QMessageBox::Critical);
        return;
    }
    modTellAFriend::ReferFriend();
}

void frmExitScreen::formBox_GotFocus(const FormBox &form)
{
    if (trimSpaces(textOf(form.box)) == form.placeholder)
        setTextOf(form.box, {});
}

void frmExitScreen::formBox_LostFocus(const FormBox &form)
{
    if (trimSpaces(textOf(form.box)).isEmpty())
        setTextOf(form.box, form.placeholder);
}

void frmExitScreen::txtEmail_KeyPress(int &KeyAscii) { refuseSpace(ui->txtEmail, KeyAscii); }
void frmExitScreen::txtFriendEmail_KeyPress(int &KeyAscii) { refuseSpace(ui->txtFriendEmail, KeyAscii); }

void frmExitScreen::refuseSpace(QWidget *box, int &KeyAscii)
{
    if (KeyAscii != ' ')
        return;
    KeyAscii = 0;
    showMessage(QStringLiteral("Email Address Cannot Contain Space"), QMessageBox::Critical);
    box->setFocus();
}

// Focus moving between controls counts; the whole window losing or regaining
// activation (another program, a message box) does not, as the user never
// left the box.
bool frmExitScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        for (const FormBox &form : m_formBoxes) {
            if (form.box != watched || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
                continue;
            event->type() == QEvent::FocusIn ? formBox_GotFocus(form) : formBox_LostFocus(form);
        }
    }
    return QDialog::eventFilter(watched, event);
}
