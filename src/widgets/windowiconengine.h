#pragma once

#include <QIconEngine>
#include <QPixmap>

#include <map>

// The program's icon, read one size at a time when a size is first asked for.
// A multi-size file would decode every size at once.
class WindowIconEngine : public QIconEngine
{
public:
    static QIcon icon();
    // The 32 px picture a window shows of the icon, drawn from the icon's own
    // sizes so it stays crisp on a high-density screen.
    static QPixmap picture(qreal devicePixelRatio);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QString key() const override;
    QIconEngine *clone() const override;
    bool isNull() override;

private:
    const QPixmap &image(int side);

    std::map<int, QPixmap> m_images;
};
