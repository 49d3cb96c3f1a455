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
// has mapped it and it has painted, and gives it the keyboard.
bool showAndWait(QWidget *window);

// The server's pixels of a rectangle in screen coordinates, or of a widget's
// area; a null image when they cannot be read.
QImage pixels(const QRect &screenRect);
QImage pixels(const QWidget *widget);

// The share of an image's pixels within `tolerance` of a colour, per channel.
double share(const QImage &image, const QColor &colour, int tolerance = 8);

} // namespace Screen
