#pragma once

#include <QLabel>

// A label that reports a click: a press and a release of the left button
// both over the label, as a button would. Assistive technology sees a link,
// or a button where the label stands for one (the five number tiles).
class ClickLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(bool announcedAsButton READ announcedAsButton WRITE setAnnouncedAsButton)

public:
    explicit ClickLabel(QWidget *parent = nullptr);

    bool announcedAsButton() const { return m_button; }
    void setAnnouncedAsButton(bool button) { m_button = button; }

public Q_SLOTS:
    void click() { Q_EMIT clicked(); }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
    bool m_button = false;
};
