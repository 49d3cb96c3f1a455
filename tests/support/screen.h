#pragma once

#include <QColor>
#include <QImage>
#include <QRect>

class QWidget;

// What the player sees, read back from the X server by another client
// (ImageMagick's import), so a picture the program drew but never sent to the
// server does not count. Needs the X display that make test provides.
namespace Screen {

// Shows a top-level window above every other, waits until the window manager
// has mapped it and it has painted, and asks for the keyboard too.
bool showAndWait(QWidget *window);

// Gives a shown window the keyboard; false when the window manager refuses.
bool activate(QWidget *window);

// The server's pixels of a rectangle in screen coordinates, or of a widget's
// visible area; a null image when they cannot be read.
QImage pixels(const QRect &screenRect);
QImage pixels(const QWidget *widget);

// Types keys through the X server (xdotool key syntax: "Tab", "alt+t") into
// whichever window has the focus, and delivers them.
bool press(const QString &keys);

// The share of an image's pixels within `tolerance` of a colour, per channel.
double share(const QImage &image, const QColor &colour, int tolerance = 8);

} // namespace Screen
