#include "game/randomsource.h"
#include "support/testmain.h"

#include <QTest>

#include <cmath>

class TestRandomSource : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void randomValuesLieInTheUnitIntervalWithA24BitFraction()
    {
        RandomSource random;
        random.seed(7);
        bool sawOddLowBit = false;
        for (int i = 0; i < 100000; ++i) {
            const float r = random.NextRandom();
            QVERIFY(r >= 0.0f && r < 1.0f);
            const double scaled = static_cast<double>(r) * 16777216.0;
            QCOMPARE(scaled, std::floor(scaled));
            if (static_cast<long>(scaled) % 2 == 1)
                sawOddLowBit = true;
        }
        QVERIFY(sawOddLowBit);
    }
};

TEST_CLASS(TestRandomSource, Core)
#include "tst_randomsource.moc"
