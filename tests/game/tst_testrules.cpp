#include "game/fieldnumber.h"
#include "support/testmain.h"
#include "game/numbertestrules.h"
#include "game/picknumberrules.h"
#include "support/scriptedrandom.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <map>

using NumberTestRules::Field;

namespace {
// How often each result came in `n` draws.
template<class Draw>
std::map<int, int> tally(int n, Draw draw)
{
    std::map<int, int> seen;
    for (int i = 0; i < n; ++i)
        ++seen[draw()];
    return seen;
}

bool onlyWithin(const std::map<int, int> &seen, int low, int high)
{
    return seen.begin()->first >= low && seen.rbegin()->first <= high;
}

// Within six standard deviations of a binomial count: about one in 10^9 to
// fail for a fair draw.
bool near(int count, int n, double p)
{
    return std::abs(count - n * p) < 6 * std::sqrt(n * p * (1 - p));
}
} // namespace

class TestTestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fieldNumberReadsLikeTheGame_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("blanks anywhere") << " 1 2\t3\n" << 123.0;
        QTest::newRow("stops at a letter") << "12abc" << 12.0;
        QTest::newRow("sign and fraction") << "-1.5" << -1.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "9e9" << 9e9;
        QTest::newRow("dangling exponent") << "9e" << 9.0;
        QTest::newRow("hex prefix") << "0x1F" << 0.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("overflow") << QString(400, u'9') << std::numeric_limits<double>::infinity();
        QTest::newRow("non-ascii digit") << QString::fromUtf8("\u0663") << 0.0;
    }

    void fieldNumberReadsLikeTheGame()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(FieldNumber(text), value);
    }

    void entryChecksRunInOrder_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::addColumn<bool>("clearsStart");
        const int s = int(Field::RangeStart), e = int(Field::RangeEnd), g = int(Field::ChosenNumber);
        QTest::newRow("all empty") << "" << "" << "" << "Please Enter Starting Number" << s << false;
        QTest::newRow("end empty") << "1" << "" << "" << "Please Enter Ending Number" << e << false;
        QTest::newRow("chosen empty") << "1" << "5" << "" << "Please Enter Your Chosen Number" << g << false;
        QTest::newRow("same") << "5" << "5" << "5" << "Starting and Ending Number Can't be Same" << e << false;
        QTest::newRow("zero zero") << "0" << "0" << "1" << "Starting and Ending Number Can't be Same" << e << false;
        QTest::newRow("reversed") << "9" << "5" << "6" << "Starting Range Can't be Bigger Than Ending Range" << e << false;
        QTest::newRow("zero start") << "0" << "10" << "5" << "Please Enter Correct Starting Number" << s << true;
        QTest::newRow("below start") << "5" << "10" << "3" << "Your Chosen Number Can't be Less Than Starting Number" << s << false;
        QTest::newRow("above end") << "5" << "10" << "11" << "Your Chosen Number Can't be Bigger Than Ending Number" << g << false;
        QTest::newRow("twelve digits") << "5" << "10" << "123456789012" << "Your Chosen Number Can't be Bigger Than Ending Number" << g << false;
        QTest::newRow("400 digits") << "5" << "10" << QString(400, u'9') << "Your Chosen Number Can't be Bigger Than Ending Number" << g << false;
        // What only pasting can bring, and the draw could not honour.
        QTest::newRow("end 9e9") << "5" << "9e9" << "7" << "Please Enter Correct Ending Number" << e << false;
        QTest::newRow("end 33e3") << "5" << "33e3" << "7" << "Please Enter Correct Ending Number" << e << false;
        QTest::newRow("fractional end") << "1" << "2.5" << "2" << "Please Enter Correct Ending Number" << e << false;
        QTest::newRow("negative start") << "-5" << "10" << "3" << "Please Enter Correct Starting Number" << s << true;
        QTest::newRow("hex end") << "5" << "0x9" << "7" << "Starting Range Can't be Bigger Than Ending Range" << e << false;
    }

    void entryChecksRunInOrder()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, chosen);
        QFETCH(QString, message);
        QFETCH(int, focus);
        QFETCH(bool, clearsStart);
        const auto problem = NumberTestRules::checkEntries(start, end, chosen).problem;
        QVERIFY(problem.has_value());
        QCOMPARE(problem->message, message);
        QCOMPARE(int(problem->focus), focus);
        QCOMPARE(problem->clearRangeStart, clearsStart);
    }

    void validEntriesPlay_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("leading zeros") << "007" << "010" << "7";
        QTest::newRow("chosen at start") << "5" << "10" << "5";
        QTest::newRow("chosen at end") << "5" << "10" << "10";
        QTest::newRow("highest range") << "1" << "999" << "999";
        QTest::newRow("pasted whole exponent") << "1" << "1e3" << "500";
        QTest::newRow("pasted fractional start") << "1.5" << "10" << "3";
        QTest::newRow("pasted start below 1") << "0.5" << "10" << "1";
        QTest::newRow("pasted fractional chosen") << "1" << "10" << "5.5";
    }

    void validEntriesPlay()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, chosen);
        const NumberTestRules::CheckedEntries checked = NumberTestRules::checkEntries(start, end, chosen);
        QVERIFY(!checked.problem.has_value());
        QCOMPARE(checked.values.rangeStart, FieldNumber(start));
        QCOMPARE(checked.values.rangeEnd, FieldNumber(end));
        QCOMPARE(checked.values.chosenNumber, FieldNumber(chosen));
    }

    // Draws below the start are thrown away, never moved into the range.
    void drawRedrawsBelowTheStart()
    {
        ScriptedRandom random;
        random.queue({0.0f, 0.3f, 0.95f});
        QCOMPARE(NumberTestRules::DrawNumber(random, 5, 10), 10);
        QCOMPARE(random.taken(), 3);
        // A start below 1 throws nothing away, as a start of 1.
        random.queue({0.0f});
        QCOMPARE(NumberTestRules::DrawNumber(random, 0.5, 10), 1);
        QCOMPARE(random.taken(), 4);
    }

    void drawIsUniformOverTheWholeNumbersOfTheRange()
    {
        ScriptedRandom random;
        const int n = 20000;
        auto seen = tally(n, [&] { return NumberTestRules::DrawNumber(random, 1, 2); });
        QVERIFY(onlyWithin(seen, 1, 2));
        QVERIFY2(near(seen[1], n, 0.5), qPrintable(QString::number(seen[1])));
        seen = tally(2000, [&] { return NumberTestRules::DrawNumber(random, 998, 999); });
        QVERIFY(onlyWithin(seen, 998, 999));
        QVERIFY(seen[998] > 800 && seen[999] > 800);
        // A pasted fractional start keeps the whole numbers above it.
        seen = tally(n, [&] { return NumberTestRules::DrawNumber(random, 1.5, 3); });
        QVERIFY(onlyWithin(seen, 2, 3));
        QVERIFY2(near(seen[2], n, 0.5), qPrintable(QString::number(seen[2])));
    }

    void drawPickRoundsHalfToEven_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("pick");
        QTest::newRow("0") << 0.0f << 1;
        QTest::newRow("1.5 goes to 2") << 0.125f << 2;
        QTest::newRow("2.5 goes to 2") << 0.375f << 2;
        QTest::newRow("4.5 goes to 4") << 0.875f << 4;
        QTest::newRow("just past 4.5") << 0.8750001f << 5;
        QTest::newRow("highest") << 0.99999994f << 5;
    }

    void drawPickRoundsHalfToEven()
    {
        QFETCH(float, r);
        QFETCH(int, pick);
        ScriptedRandom random;
        random.queue({r});
        QCOMPARE(PickNumberRules::DrawPick(random), pick);
    }

    // 1 and 5 come half as often as 2, 3 and 4.
    void drawPickHasTheUnevenShape()
    {
        ScriptedRandom random;
        const int n = 80000;
        auto seen = tally(n, [&] { return PickNumberRules::DrawPick(random); });
        QVERIFY(onlyWithin(seen, 1, 5));
        for (int p = 1; p <= 5; ++p) {
            const double share = p == 1 || p == 5 ? 1.0 / 8 : 1.0 / 4;
            QVERIFY2(near(seen[p], n, share), qPrintable(QStringLiteral("%1 drawn %2 times").arg(p).arg(seen[p])));
        }
    }

    void budgetIsComparedAsAReal()
    {
        QVERIFY(PickNumberRules::budgetLeft("3", 2));
        QVERIFY(!PickNumberRules::budgetLeft("3", 3));
        QVERIFY(!PickNumberRules::budgetLeft("0", 0));
        QVERIFY(PickNumberRules::budgetLeft("  2  ", 1));
        QVERIFY(PickNumberRules::budgetLeft("2.5", 2));
        QVERIFY(!PickNumberRules::budgetLeft("abc", 0));
    }

    void tileCaptionDecides()
    {
        QVERIFY(PickNumberRules::pickIsCorrect("3", 3));
        QVERIFY(!PickNumberRules::pickIsCorrect("3", 4));
    }
};

TEST_CLASS(TestTestRules, Core)
#include "tst_testrules.moc"
