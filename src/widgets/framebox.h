#pragma once

#include <QGroupBox>

// A frame as the window definitions draw it: a filled panel whose border is
// either a thin single line (flat) or a three-dimensional etched line, with
// the caption, if any, cut into the top-left of the border in the frame's
// text colour and font.
class FrameBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit FrameBox(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
