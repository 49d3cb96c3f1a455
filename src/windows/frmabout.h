#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmAbout;
}

// What the program is, with two links to the publisher's pages.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout();
    ~frmAbout() override;

private:
    std::unique_ptr<Ui::frmAbout> ui;
};
