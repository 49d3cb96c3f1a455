#include "game/scorebook.h"
#include "support/testmain.h"

#include <QTest>

class TestScoreBook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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
};

TEST_CLASS(TestScoreBook, Core)
#include "tst_scorebook.moc"
