#include "game/numbertestrules.h"
#include "game/picknumberrules.h"
#include "game/scorebook.h"
#include "game/scoretext.h"
#include "support/scriptedrandom.h"

#include <QLocale>
#include <QTest>

#include <array>
#include <cmath>
#include <map>

using NumberTestRules::Field;

namespace {
// How often each result came in `n` draws, each within six standard
// deviations of its binomial count (about one in 10^9 to fail if fair).
template<class Draw>
bool drawsFollow(int n, Draw draw, const std::map<int, double> &shares)
{
    std::map<int, int> seen;
    for (int i = 0; i < n; ++i)
        ++seen[draw()];
    for (const auto &[value, count] : seen) {
        const double p = shares.count(value) ? shares.at(value) : 0;
        if (!(std::abs(count - n * p) < 6 * std::sqrt(n * p * (1 - p)) + 0.5))
            return qWarning("%d drawn %d times in %d", value, count, n), false;
    }
    return seen.size() == shares.size();
}
} // namespace

class TestTestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Pasting can bring numbers too long for their type and ends the draw could not honour.
    void entriesAreCheckedInOrder_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("message");
        QTest::addColumn<Field>("focus");
        const Field s = Field::RangeStart, e = Field::RangeEnd, g = Field::ChosenNumber;
        const QString above = QStringLiteral("Your Chosen Number Can't be Bigger Than Ending Number");
        QTest::newRow("all empty") << "" << "" << "" << "Please Enter Starting Number" << s;
        QTest::newRow("end empty") << "1" << "" << "" << "Please Enter Ending Number" << e;
        QTest::newRow("chosen empty") << "1" << "5" << "" << "Please Enter Your Chosen Number" << g;
        QTest::newRow("same, even zero") << "0" << "0" << "1" << "Starting and Ending Number Can't be Same" << e;
        QTest::newRow("reversed") << "9" << "5" << "6" << "Starting Range Can't be Bigger Than Ending Range" << e;
        QTest::newRow("zero start") << "0" << "10" << "5" << "Please Enter Correct Starting Number" << s;
        QTest::newRow("below start") << "5" << "10" << "3" << "Your Chosen Number Can't be Less Than Starting Number" << s;
        QTest::newRow("above end") << "5" << "10" << "11" << above << g;
        QTest::newRow("pasted, text after") << "5" << "11" << "12abc" << above << g;
        QTest::newRow("twelve digits") << "5" << "10" << "123456789012" << above << g;
        QTest::newRow("400 digits") << "5" << "10" << QString(400, u'9') << above << g;
        QTest::newRow("negative start") << "-5" << "10" << "3" << "Please Enter Correct Starting Number" << s;
        QTest::newRow("end 4e4") << "5" << "4e4" << "7" << "Please Enter Correct Ending Number" << e;
        QTest::newRow("fractional end") << "1" << "2.5" << "2" << "Please Enter Correct Ending Number" << e;
        QTest::newRow("blanks, at the end") << " 05\t" << "01\n0" << "1\t0" << "" << s;
        QTest::newRow("leading zeros") << "007" << "010" << "7" << "" << s;
        QTest::newRow("at the start") << "5" << "10" << "5" << "" << s;
        QTest::newRow("start below 1") << "0.5" << "10" << "1" << "" << s;
    }
    void entriesAreCheckedInOrder()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, chosen);
        const auto problem = NumberTestRules::checkEntries(start, end, chosen).problem;
        QTEST(problem ? problem->message : QString(), "message");
        if (problem)
            QTEST(problem->focus, "focus");
    }

    // Draws below the start are redrawn, not moved into the range, which would pile them at its bottom.
    void drawsHaveTheirShapes()
    {
        ScriptedRandom random;
        QVERIFY(drawsFollow(4000, [&] { return NumberTestRules::DrawNumber(random, 998, 999); },
                            {{998, 0.5}, {999, 0.5}}));
        QVERIFY(drawsFollow(80000, [&] { return PickNumberRules::DrawPick(random); },
                            {{1, 0.125}, {2, 0.25}, {3, 0.25}, {4, 0.25}, {5, 0.125}}));
        const int taken = random.taken();
        random.queue({0.0f, 0.3f, 0.95f});
        QCOMPARE(NumberTestRules::DrawNumber(random, 5, 10), 10);
        QCOMPARE(random.taken(), taken + 3);
        // A pick exactly halfway goes to the even neighbour.
        random.queue({0.125f, 0.375f, 0.625f, 0.875f});
        QCOMPARE((std::array{PickNumberRules::DrawPick(random), PickNumberRules::DrawPick(random),
                             PickNumberRules::DrawPick(random), PickNumberRules::DrawPick(random)}),
                 (std::array{2, 2, 4, 4}));
    }

    // Two starts at different moments draw different sequences.
    void seedingFromTheClockChangesTheDraws()
    {
        const auto firstDraws = [] {
            RandomSource random;
            random.SeedRandom();
            return std::array{random.NextRandom(), random.NextRandom(), random.NextRandom(), random.NextRandom()};
        };
        const auto first = firstDraws();
        QVERIFY(QTest::qWaitFor([&] { return firstDraws() != first; }, 3000));
    }

    // CR LF line ends, nothing after the last " Attempts", and the counts as
    // plain decimals whatever the locale.
    void scoreTextHoldsBothTestsCounts()
    {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ScoreBook book;
        book.RecordVerdict(NumberTest, false);
        for (int i = 0; i < 12345; ++i)
            book.RecordVerdict(PickTheRightNumber, i < 1234);
        const QString text = scoreText(book);
        QLocale::setDefault(before);
        QCOMPARE(text, QStringLiteral("Number Test :-  0 Correct Out Of 1 Attempts\r\n\r\n"
                                      "Pick The Right Number :-  1234 Correct Out Of 12345 Attempts"));
    }

    // Counts kept in 16 bits must not wrap negative.
    void countsStopAtTheSixteenBitLimit()
    {
        ScoreBook book;
        for (int i = 0; i <= 32767; ++i)
            book.RecordVerdict(NumberTest, i == 0 || i == 32767);
        QCOMPARE(book.AttemptCount(NumberTest), 32767);
        QCOMPARE(book.CorrectCount(NumberTest), 1);
    }
};

QTEST_GUILESS_MAIN(TestTestRules)
#include "tst_testrules.moc"
