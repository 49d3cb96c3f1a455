#include "widgets/framebox.h"

#include <QPainter>

namespace {
const QColor kFlatBorder(0x80, 0x80, 0x80);
const QColor kEtchShadow(0x80, 0x80, 0x80);
const QColor kEtchLight(0xFF, 0xFF, 0xFF);
constexpr int kCaptionInset = 6;
constexpr int kCaptionPadding = 2;
} // namespace

FrameBox::FrameBox(QWidget *parent)
    : QGroupBox(parent)
{
    setAutoFillBackground(true);
}

void FrameBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QString caption = title();
    const QFontMetrics metrics(font());
    const int top = caption.isEmpty() ? 0 : metrics.height() / 2;
    const QRect box = rect().adjusted(0, top, -1, -1);

    if (isFlat()) {
        painter.setPen(kFlatBorder);
        painter.drawRect(box);
    } else {
        painter.setPen(kEtchShadow);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(kEtchLight);
        painter.drawRect(box.adjusted(1, 1, 0, 0));
    }

    if (!caption.isEmpty()) {
        const QRect text(kCaptionInset, 0,
                         metrics.horizontalAdvance(caption) + 2 * kCaptionPadding,
                         metrics.height());
        painter.fillRect(text, palette().color(backgroundRole()));
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, caption);
    }
}
