#include "shell/frmexitscreen.h"

#include "game/randomsource.h"
#include "game/trimspaces.h"
#include "shell/applicationend.h"
#include "mainwindow/modhelp.h"
#include "shell/modtellafriend.h"
#include "windows/keyasciifilter.h"
#include "windows/messagebox.h"
#include "windows/publisherhosts.h"
#include "windows/windowsetup.h"

#include <QCloseEvent>


namespace {
void clearPlaceholder(QLineEdit *box, const QString &placeholder)
{
    if (trimSpaces(box->text()) == placeholder)
        box->clear();
}

void restorePlaceholder(QLineEdit *box, const QString &placeholder)
{
    if (trimSpaces(box->text()).isEmpty())
        box->setText(placeholder);
}
} // namespace

frmExitScreen::frmExitScreen(RandomSource &random, ApplicationEnd &end)
    : QDialog(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_random(random)
    , m_end(end)
{
    ui.setupUi(this);
    setUpWindow(this);
    keepOpenOnEscape(this);

    connect(ui.cmdClose, &QPushButton::clicked, this, &frmExitScreen::cmdClose_Click);
    connect(ui.Check1, &QPushButton::clicked, this, &frmExitScreen::Check1_Click);
    connect(ui.lblGoToHome, &ClickLabel::clicked, this, &frmExitScreen::lblGoToHome_Click);
    connect(ui.cmdSubmit, &QPushButton::clicked, this, &frmExitScreen::cmdSubmit_Click);
    const std::initializer_list<QWidget *> boxes = {ui.txtName, ui.txtEmail, ui.txtMessage,
                                                    ui.txtFriendName, ui.txtFriendEmail};
    for (QWidget *box : boxes)
        box->installEventFilter(this);
    auto *keys = new KeyAsciiFilter(this);
    keys->watch(ui.txtName, {});
    keys->watch(ui.txtMessage, {});
    keys->watch(ui.txtFriendName, {});
    keys->watch(ui.txtEmail, [this](int &KeyAscii) { txtEmail_KeyPress(KeyAscii); });
    keys->watch(ui.txtFriendEmail, [this](int &KeyAscii) { txtFriendEmail_KeyPress(KeyAscii); });

    // Each box starts with its placeholder; the message box's ends with a line end.
    ui.txtName->setText(modTellAFriend::NamePlaceholder);
    ui.txtEmail->setText(modTellAFriend::EmailPlaceholder);
    ui.txtMessage->setPlainText(modTellAFriend::MessagePlaceholder + u'\n');
    ui.txtFriendName->setText(modTellAFriend::FriendNamePlaceholder);
    ui.txtFriendEmail->setText(modTellAFriend::FriendEmailPlaceholder);
    Form_Load();
}

QString frmExitScreen::supportMessage(int k)
{
    static const char *const messages[SupportMessageCount] = {
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
    if (k < 0 || k >= SupportMessageCount)
        return {};
    return PublisherHosts::withHosts(QString::fromLatin1(messages[k]));
}

void frmExitScreen::Form_Load()
{
    const int k = static_cast<int>(m_random.NextRandom() * SupportMessageCount);
    ui.Label2->setText(supportMessage(k));
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
    if (!ui.Check1->isChecked())
        return;
    ui.Check1->setChecked(false);
    modHelp::OpenHomePage();
}

void frmExitScreen::lblGoToHome_Click()
{
    modHelp::OpenCataloguePage();
}

void frmExitScreen::cmdSubmit_Click()
{
    modTellAFriend::ReferValues &values = modTellAFriend::referValues();
    values.name = trimSpaces(ui.txtName->text());
    values.email = trimSpaces(ui.txtEmail->text());
    values.message = trimSpaces(messageText());
    values.friendName = trimSpaces(ui.txtFriendName->text());
    values.friendEmail = trimSpaces(ui.txtFriendEmail->text());

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

// The message box ends its lines with CR LF, so its starting text, the
// placeholder and one line end, never counts as the placeholder itself.
QString frmExitScreen::messageText() const
{
    return ui.txtMessage->toPlainText().replace(u'\n', QLatin1String("\r\n"));
}

void frmExitScreen::txtName_GotFocus() { clearPlaceholder(ui.txtName, modTellAFriend::NamePlaceholder); }
void frmExitScreen::txtName_LostFocus() { restorePlaceholder(ui.txtName, modTellAFriend::NamePlaceholder); }
void frmExitScreen::txtEmail_GotFocus() { clearPlaceholder(ui.txtEmail, modTellAFriend::EmailPlaceholder); }
void frmExitScreen::txtEmail_LostFocus() { restorePlaceholder(ui.txtEmail, modTellAFriend::EmailPlaceholder); }
void frmExitScreen::txtFriendName_GotFocus() { clearPlaceholder(ui.txtFriendName, modTellAFriend::FriendNamePlaceholder); }
void frmExitScreen::txtFriendName_LostFocus() { restorePlaceholder(ui.txtFriendName, modTellAFriend::FriendNamePlaceholder); }
void frmExitScreen::txtFriendEmail_GotFocus() { clearPlaceholder(ui.txtFriendEmail, modTellAFriend::FriendEmailPlaceholder); }
void frmExitScreen::txtFriendEmail_LostFocus() { restorePlaceholder(ui.txtFriendEmail, modTellAFriend::FriendEmailPlaceholder); }

void frmExitScreen::txtMessage_GotFocus()
{
    if (trimSpaces(messageText()) == modTellAFriend::MessagePlaceholder)
        ui.txtMessage->clear();
}

void frmExitScreen::txtMessage_LostFocus()
{
    if (trimSpaces(messageText()).isEmpty())
        ui.txtMessage->setPlainText(modTellAFriend::MessagePlaceholder);
}

void frmExitScreen::txtEmail_KeyPress(int &KeyAscii) { refuseSpace(ui.txtEmail, KeyAscii); }
void frmExitScreen::txtFriendEmail_KeyPress(int &KeyAscii) { refuseSpace(ui.txtFriendEmail, KeyAscii); }

void frmExitScreen::refuseSpace(QWidget *box, int &KeyAscii)
{
    if (KeyAscii != ' ')
        return;
    KeyAscii = 0;
    showMessage(QStringLiteral("Email Address Cannot Contain Space"), QMessageBox::Critical);
    box->setFocus();
}

void frmExitScreen::focusChanged(QObject *box, bool gained)
{
    if (box == ui.txtName)
        gained ? txtName_GotFocus() : txtName_LostFocus();
    else if (box == ui.txtEmail)
        gained ? txtEmail_GotFocus() : txtEmail_LostFocus();
    else if (box == ui.txtMessage)
        gained ? txtMessage_GotFocus() : txtMessage_LostFocus();
    else if (box == ui.txtFriendName)
        gained ? txtFriendName_GotFocus() : txtFriendName_LostFocus();
    else if (box == ui.txtFriendEmail)
        gained ? txtFriendEmail_GotFocus() : txtFriendEmail_LostFocus();
}

bool frmExitScreen::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        // Focus moving between controls counts; the whole window losing or
        // regaining activation (another program, a message box) does not,
        // as the user never left the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            focusChanged(watched, event->type() == QEvent::FocusIn);
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
