#include "game/randomsource.h"
#include "game/scorebook.h"
#include "game/scoretext.h"

#include <QTest>

#include <cmath>
#include <set>

class TestScoreBook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void verdictsCountOnlyForTheirOwnTest()
    {
        ScoreBook book;
        book.RecordVerdict(NumberTest, true);
        book.RecordVerdict(NumberTest, false);
        book.RecordVerdict(PickTheRightNumber, false);
        QCOMPARE(book.CorrectCount(NumberTest), 1);
        QCOMPARE(book.AttemptCount(NumberTest), 2);
        QCOMPARE(book.CorrectCount(PickTheRightNumber), 0);
        QCOMPARE(book.AttemptCount(PickTheRightNumber), 1);
    }

    void resetClearsOnlyItsOwnTest()
    {
        ScoreBook book;
        book.RecordVerdict(NumberTest, true);
        book.RecordVerdict(PickTheRightNumber, true);
        book.ResetCounts(PickTheRightNumber);
        QCOMPARE(book.AttemptCount(PickTheRightNumber), 0);
        QCOMPARE(book.CorrectCount(PickTheRightNumber), 0);
        QCOMPARE(book.AttemptCount(NumberTest), 1);
        QCOMPARE(book.CorrectCount(NumberTest), 1);
    }

    // At the 16-bit limit a verdict is no longer counted: nothing wraps
    // negative and correct never passes attempts.
    void countsStopAtTheSixteenBitLimit()
    {
        ScoreBook book;
        for (int i = 0; i < ScoreBook::MaxCount - 1; ++i)
            book.RecordVerdict(NumberTest, false);
        book.RecordVerdict(NumberTest, true);
        QCOMPARE(book.AttemptCount(NumberTest), ScoreBook::MaxCount);
        QCOMPARE(book.CorrectCount(NumberTest), 1);
        book.RecordVerdict(NumberTest, true);
        book.RecordVerdict(NumberTest, false);
        QCOMPARE(book.AttemptCount(NumberTest), ScoreBook::MaxCount);
        QCOMPARE(book.CorrectCount(NumberTest), 1);
    }

    void scoreTextIsExact()
    {
        ScoreBook book;
        QCOMPARE(scoreText(book),
                 QStringLiteral("Number Test :-  0 Correct Out Of 0 Attempts\r\n\r\n"
                                "Pick The Right Number :-  0 Correct Out Of 0 Attempts"));
        book.RecordVerdict(NumberTest, true);
        book.RecordVerdict(NumberTest, true);
        for (int i = 0; i < 3; ++i)
            book.RecordVerdict(NumberTest, false);
        book.RecordVerdict(PickTheRightNumber, true);
        QCOMPARE(scoreText(book),
                 QStringLiteral("Number Test :-  2 Correct Out Of 5 Attempts\r\n\r\n"
                                "Pick The Right Number :-  1 Correct Out Of 1 Attempts"));
    }

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

    void clockSeedsDifferBetweenRuns()
    {
        RandomSource first;
        first.SeedRandom();
        QTest::qWait(2);
        RandomSource second;
        second.SeedRandom();
        std::set<float> a, b;
        for (int i = 0; i < 8; ++i) {
            a.insert(first.NextRandom());
            b.insert(second.NextRandom());
        }
        QVERIFY(a != b);
    }

    void roundingGoesHalfToEven()
    {
        QCOMPARE(roundHalfEven(1.5), 2);
        QCOMPARE(roundHalfEven(2.5), 2);
        QCOMPARE(roundHalfEven(3.5), 4);
        QCOMPARE(roundHalfEven(4.5), 4);
        QCOMPARE(roundHalfEven(6.5), 6);
        QCOMPARE(roundHalfEven(4.500001), 5);
    }
};

QTEST_GUILESS_MAIN(TestScoreBook)
#include "tst_scorebook.moc"
