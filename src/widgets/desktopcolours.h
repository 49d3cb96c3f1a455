#pragma once

#include <QObject>

class QWidget;

// The window definitions colour some controls with the desktop's scheme
// ("system button face" and the like). Such a control names those roles in
// its desktopColours property: "ButtonText" takes the application palette's
// ButtonText, "Window=Button" takes its Button colour into the Window role.
// Where the colour on the other side (text against background) is pinned, a
// desktop colour that would be unreadable against it falls back to the
// classic light-scheme one. Applied again whenever the desktop palette
// changes.
class DesktopColours : public QObject
{
    Q_OBJECT

public:
    static void follow(QWidget *window);

    // The WCAG contrast ratio of two colours.
    static double contrast(const QColor &a, const QColor &b);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit DesktopColours(QWidget *window);
    void apply();

    QWidget *m_window;
};
