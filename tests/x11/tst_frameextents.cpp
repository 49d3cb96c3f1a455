#include "x11/frameextents.h"
#include "support/testmain.h"

#include <QTest>

class TestFrameExtents : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Any client may set a window's _NET_FRAME_EXTENTS; a frame that no
    // screen could hold is no answer, and the window is placed as unframed.
    void onlyAFrameTheScreenCanHoldCounts_data()
    {
        QTest::addColumn<QList<uint>>("stated");
        QTest::addColumn<QMargins>("frame");
        QTest::newRow("openbox's") << QList<uint>{1, 1, 23, 4} << QMargins(1, 23, 1, 4);
        QTest::newRow("2^31 left") << QList<uint>{0x80000000u, 0, 0, 0} << QMargins();
        QTest::newRow("2^31 on every side") << QList<uint>(4, 0x80000000u) << QMargins();
        QTest::newRow("wider than the screen") << QList<uint>{640, 640, 23, 4} << QMargins();
        QTest::newRow("taller than the screen") << QList<uint>{1, 1, 1000, 24} << QMargins();
    }

    void onlyAFrameTheScreenCanHoldCounts()
    {
        QFETCH(QList<uint>, stated);
        QFETCH(QMargins, frame);
        QCOMPARE(plausibleFrameExtents({stated[0], stated[1], stated[2], stated[3]}, QSize(1280, 1024)), frame);
    }
};

TEST_CLASS(TestFrameExtents, None)
#include "tst_frameextents.moc"
