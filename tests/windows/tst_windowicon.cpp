#include "windows/windowiconengine.h"
#include "support/testmain.h"

#include <QIcon>
#include <QImage>
#include <QTest>

namespace {
// The icon as Qt builds it from the PNGs the raw pixels were taken from.
QIcon fromFiles()
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(NUMENSIGHT_SOURCE_DIR "/src/windows/icons/numensight-%1.png").arg(side), QSize(side, side));
    return icon;
}

QImage imageOf(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}
} // namespace

class TestWindowIcon : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // X11 publishes every listed size in _NET_WM_ICON.
    void listsTheSizesWindowManagersAreOffered()
    {
        const QList<QSize> expected{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}};
        QCOMPARE(WindowIconEngine::icon().availableSizes(), expected);
        QVERIFY(WindowIconEngine::icon().availableSizes(QIcon::Disabled).isEmpty());
    }

    void givesWhatQtGivesForEverySizeAndMode_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QIcon::Mode>("mode");
        // Below, between, off-square and above the stored sizes.
        for (const QSize size : {QSize(8, 8), QSize(20, 20), QSize(40, 30), QSize(64, 64), QSize(100, 100)}) {
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                const QString row = QStringLiteral("%1x%2 mode %3").arg(size.width()).arg(size.height()).arg(mode);
                QTest::newRow(qPrintable(row)) << size << mode;
            }
        }
    }

    void givesWhatQtGivesForEverySizeAndMode()
    {
        QFETCH(QSize, size);
        QFETCH(QIcon::Mode, mode);
        const QIcon lazy = WindowIconEngine::icon();
        const QIcon reference = fromFiles();
        QCOMPARE(lazy.actualSize(size, mode), reference.actualSize(size, mode));
        for (qreal ratio : {1.0, 2.0}) {
            const QPixmap got = lazy.pixmap(size, ratio, mode);
            const QPixmap want = reference.pixmap(size, ratio, mode);
            QCOMPARE(got.devicePixelRatio(), want.devicePixelRatio());
            QCOMPARE(imageOf(got), imageOf(want));
        }
    }
};

TEST_CLASS(TestWindowIcon, Widgets)
#include "tst_windowicon.moc"
