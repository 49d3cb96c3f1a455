#include "widgets/applicationicon.h"

#include <QTest>

// The icon is kept as raw pixels beside the PNGs they were rendered from; a
// size read from another size's pixels, or channels read in another order,
// shows a wrong icon.
class TestApplicationIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everySizeShowsItsOwnPicture()
    {
        const QIcon icon = ApplicationIcon::icon();
        QList<QSize> sizes;
        for (int side : {16, 24, 32, 48, 64}) {
            sizes << QSize(side, side);
            const QImage drawn = icon.pixmap(QSize(side, side), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            const QImage rendered = QImage(QStringLiteral(NUMENSIGHT_SOURCE_DIR "/src/widgets/icons/numensight-%1.png").arg(side))
                                        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(drawn.size(), QSize(side, side));
            QVERIFY2(drawn == rendered, qPrintable(QStringLiteral("%1 px").arg(side)));
        }
        QCOMPARE(icon.availableSizes(), sizes);
        // A window's 32 px picture on a screen of twice the density.
        const QPixmap picture = ApplicationIcon::picture(2.0);
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(32, 32));
        QImage sharp = QImage(QStringLiteral(NUMENSIGHT_SOURCE_DIR "/src/widgets/icons/numensight-64.png"))
                           .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        sharp.setDevicePixelRatio(2.0);
        QCOMPARE(picture.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), sharp);
    }
};

QTEST_MAIN(TestApplicationIcon)
#include "tst_applicationicon.moc"
