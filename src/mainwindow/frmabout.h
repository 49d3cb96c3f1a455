#pragma once

#include "ui_frmAbout.h"

#include <QDialog>

// What the program is, with two links to the publisher's pages.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    frmAbout();

private:
    Ui::frmAbout ui;
};
