#include "windows/frmresult.h"

#include "game/verdict.h"
#include "ui_frmResult.h"
#include "widgets/windowsetup.h"

frmResult::frmResult()
    : QDialog(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , ui(std::make_unique<Ui::frmResult>())
{
    ui->setupUi(this);
    setUpWindow(this);
    keepOpenOnEscape(this);
    connect(ui->cmdTry, &QPushButton::clicked, this, &frmResult::cmdTry_Click);
}

frmResult::~frmResult() = default;

void frmResult::ShowVerdict(bool correct)
{
    frmResult window;
    window.ui->lblResult->setText(Verdict::sentence(correct));
    // A screen reader announces the window with its sentence.
    window.setAccessibleDescription(Verdict::sentence(correct));
    QPalette palette = window.ui->lblResult->palette();
    palette.setColor(QPalette::WindowText, QColor::fromRgb(Verdict::colour(correct)));
    window.ui->lblResult->setPalette(palette);
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

void frmResult::cmdTry_Click()
{
    accept();
}

