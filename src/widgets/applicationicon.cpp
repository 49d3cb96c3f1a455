#include "widgets/applicationicon.h"

#include <QImage>
#include <QResource>

namespace ApplicationIcon {

// Kept as raw RGBA pixels (scripts/render-icons.sh writes them from the
// PNGs): decoding the PNGs cost more at every start than the rest of the icon.
QIcon icon()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64}) {
        const QByteArray pixels = QResource(QStringLiteral(":/icons/numensight-%1.rgba").arg(side)).uncompressedData();
        if (pixels.size() == qsizetype(side) * side * 4)
            icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(pixels.constData()), side, side,
                                                     side * 4, QImage::Format_RGBA8888)));
    }
    return icon;
}

QPixmap picture(qreal devicePixelRatio)
{
    return icon().pixmap(QSize(32, 32), devicePixelRatio);
}

} // namespace ApplicationIcon
