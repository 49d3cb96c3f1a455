#include "widgets/windowiconengine.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QStyle>
#include <QStyleOption>

#include <array>

namespace {
// Every size X11 window managers are offered (_NET_WM_ICON takes each one).
constexpr std::array sides{16, 24, 32, 48, 64};

// Qt's own choice among several sizes: the smallest that covers the request,
// else the largest.
int bestSide(const QSize &size)
{
    const qint64 wanted = qint64(size.width()) * size.height();
    for (int side : sides) {
        if (qint64(side) * side >= wanted)
            return side;
    }
    return sides.back();
}

// Scaled down, never up, as Qt scales an icon's images.
QSize fitted(const QSize &request, const QSize &image)
{
    QSize size = image;
    if (!size.isNull() && (size.width() > request.width() || size.height() > request.height()))
        size.scale(request, Qt::KeepAspectRatio);
    return size;
}
} // namespace

QIcon WindowIconEngine::icon()
{
    return QIcon(new WindowIconEngine);
}

QPixmap WindowIconEngine::picture(qreal devicePixelRatio)
{
    return icon().pixmap(QSize(32, 32), devicePixelRatio);
}

// Kept as raw RGBA pixels (scripts/render-icons.sh writes them from the
// PNGs): decoding the PNGs cost more at every start than the rest of the icon.
const QPixmap &WindowIconEngine::image(int side)
{
    auto found = m_images.find(side);
    if (found == m_images.end()) {
        const QByteArray pixels = QResource(QStringLiteral(":/icons/numensight-%1.rgba").arg(side)).uncompressedData();
        QPixmap shown;
        if (pixels.size() == qsizetype(side) * side * 4)
            shown = QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(pixels.constData()), side, side,
                                              side * 4, QImage::Format_RGBA8888));
        found = m_images.emplace(side, shown).first;
    }
    return found->second;
}

void WindowIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal dpr = painter->device() ? painter->device()->devicePixelRatio() : qApp->devicePixelRatio();
    painter->drawPixmap(rect, scaledPixmap(rect.size() * dpr, mode, state, dpr));
}

QSize WindowIconEngine::actualSize(const QSize &size, QIcon::Mode, QIcon::State)
{
    const int side = bestSide(size);
    return fitted(size, QSize(side, side));
}

QPixmap WindowIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State)
{
    QPixmap shown = image(bestSide(size));
    const QSize target = fitted(size, shown.size());
    if (shown.size() != target)
        shown = shown.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (mode != QIcon::Normal && qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QStyleOption option(0);
        option.palette = QGuiApplication::palette();
        const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, shown, &option);
        if (!generated.isNull())
            shown = generated;
    }
    return shown;
}

QPixmap WindowIconEngine::scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal)
{
    return pixmap(size, mode, state);
}

QList<QSize> WindowIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    QList<QSize> sizes;
    if (mode == QIcon::Normal && state == QIcon::Off) {
        for (int side : sides)
            sizes.append(QSize(side, side));
    }
    return sizes;
}

QString WindowIconEngine::key() const
{
    return QStringLiteral("WindowIconEngine");
}

QIconEngine *WindowIconEngine::clone() const
{
    return new WindowIconEngine(*this);
}

bool WindowIconEngine::isNull()
{
    return false;
}
