#include "windows/frmabout.h"

#include "pages/modhelp.h"
#include "ui_frmAbout.h"
#include "widgets/applicationicon.h"
#include "widgets/windowsetup.h"

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                           | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::frmAbout>())
{
    ui->setupUi(this);
    ui->picIcon->setPixmap(ApplicationIcon::picture(devicePixelRatio()));
    setUpWindow(this);
    keepOffTaskbar(this);
    setWindowModality(Qt::ApplicationModal);
    // OK is both default and cancel button: Enter presses it, and Escape
    // rejects the dialog, which closes it the same way.
    connect(ui->cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->lblHomePage, &ClickLabel::clicked, this, &modHelp::OpenHomePage);
    connect(ui->lblCoBrand, &ClickLabel::clicked, this, &modHelp::OpenFullBrandPage);
}

frmAbout::~frmAbout() = default;
