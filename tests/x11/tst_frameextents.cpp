#include "x11/frameextents.h"

#include <QTest>

class TestFrameExtents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Any client may set _NET_FRAME_EXTENTS (left, right, top, bottom); sums may wrap.
    void onlyAFrameTheScreenCanHoldCounts()
    {
        const QSize screen(1280, 1024);
        QCOMPARE(plausibleFrameExtents({1, 1, 23, 4}, screen), QMargins(1, 23, 1, 4));
        QCOMPARE(plausibleFrameExtents({0x80000000u, 0, 0, 0}, screen), QMargins());
        QCOMPARE(plausibleFrameExtents({0x80000000u, 0x80000000u, 0x80000000u, 0x80000000u}, screen), QMargins());
        QCOMPARE(plausibleFrameExtents({640, 640, 23, 4}, screen), QMargins());
        QCOMPARE(plausibleFrameExtents({1, 1, 1000, 24}, screen), QMargins());
    }
};

QTEST_APPLESS_MAIN(TestFrameExtents)
#include "tst_frameextents.moc"
