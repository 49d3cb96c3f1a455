#pragma once

#include <QIcon>
#include <QPixmap>

// The program's icon, one picture for each size the window manager is
// offered.
namespace ApplicationIcon {

QIcon icon();

// The 32 px picture a window shows of the icon, taken from a larger size on a
// high-density screen so that it stays crisp.
QPixmap picture(qreal devicePixelRatio);

} // namespace ApplicationIcon
