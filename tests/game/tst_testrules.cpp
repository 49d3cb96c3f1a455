#include "game/fieldnumber.h"
#include "game/numbertestrules.h"
#include "game/picknumberrules.h"
#include "support/scriptedrandom.h"

#include <QTest>

#include <array>
#include <cmath>
#include <limits>

using NumberTestRules::Field;

class TestTestRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fieldNumberReadsLikeTheGame_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("digits") << "42" << 42.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("blanks anywhere") << " 1 2\t3\n" << 123.0;
        QTest::newRow("stops at letter") << "12abc" << 12.0;
        QTest::newRow("sign") << "-5" << -5.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("second point stops") << "1.2.3" << 1.2;
        QTest::newRow("exponent") << "9e9" << 9e9;
        QTest::newRow("dangling exponent") << "9e" << 9.0;
        QTest::newRow("hex prefix") << "0x1F" << 0.0;
        QTest::newRow("no number") << "abc" << 0.0;
        QTest::newRow("lone point") << "." << 0.0;
        QTest::newRow("overflow") << QString(400, u'9') << std::numeric_limits<double>::infinity();
        QTest::newRow("underflow") << "1e-400" << 0.0;
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
        // Values only pasting can produce.
        QTest::newRow("end 9e9") << "5" << "9e9" << "7" << "Please Enter Correct Ending Number" << e << false;
        QTest::newRow("end 33e3") << "5" << "33e3" << "7" << "Please Enter Correct Ending Number" << e << false;
        QTest::newRow("fractional end") << "1" << "2.5" << "2" << "Please Enter Correct Ending Number" << e << false;
        QTest::newRow("negative start") << "-5" << "10" << "3" << "Please Enter Correct Starting Number" << s << true;
        QTest::newRow("fractional start") << ".5" << "10" << "3" << "Please Enter Correct Starting Number" << s << true;
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

    void validEntriesPass_data()
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
        QTest::newRow("pasted fractional chosen") << "1" << "10" << "5.5";
    }

    void validEntriesPass()
    {
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, chosen);
        const NumberTestRules::CheckedEntries checked = NumberTestRules::checkEntries(start, end, chosen);
        QVERIFY(!checked.problem.has_value());
        // The values a play uses are the ones the checks read.
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
    }

    void drawIsUniformOverTheRange()
    {
        ScriptedRandom random;
        int ones = 0;
        const int n = 20000;
        for (int i = 0; i < n; ++i) {
            const int d = NumberTestRules::DrawNumber(random, 1, 2);
            QVERIFY(d == 1 || d == 2);
            ones += d == 1;
        }
        // Six standard deviations: about 1 in 10^9 to fail for a fair draw.
        QVERIFY2(std::abs(ones - n / 2) < 6 * std::sqrt(n / 4.0), qPrintable(QString::number(ones)));

        std::array<int, 2> high{};
        for (int i = 0; i < 2000; ++i) {
            const int d = NumberTestRules::DrawNumber(random, 998, 999);
            QVERIFY(d == 998 || d == 999);
            ++high[d - 998];
        }
        QVERIFY(high[0] > 800 && high[1] > 800);
    }

    void drawPickRoundsHalfToEven_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("pick");
        QTest::newRow("0") << 0.0f << 1;
        QTest::newRow("0.125 is 1.5") << 0.125f << 2;
        QTest::newRow("0.375 is 2.5") << 0.375f << 2;
        QTest::newRow("0.625 is 3.5") << 0.625f << 4;
        QTest::newRow("0.875 is 4.5") << 0.875f << 4;
        QTest::newRow("just past 0.875") << 0.8750001f << 5;
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

    void drawPickHasTheUnevenShape()
    {
        ScriptedRandom random;
        std::array<int, 6> seen{};
        const int n = 80000;
        for (int i = 0; i < n; ++i)
            ++seen[PickNumberRules::DrawPick(random)];
        QCOMPARE(seen[0], 0);
        const std::array<double, 6> expected{0, 1.0 / 8, 1.0 / 4, 1.0 / 4, 1.0 / 4, 1.0 / 8};
        for (int p = 1; p <= 5; ++p) {
            const double mean = n * expected[p];
            const double sd = std::sqrt(n * expected[p] * (1 - expected[p]));
            QVERIFY2(std::abs(seen[p] - mean) < 6 * sd,
                     qPrintable(QStringLiteral("%1 drawn %2 times").arg(p).arg(seen[p])));
        }
    }

    void budgetIsComparedAsAReal()
    {
        QVERIFY(PickNumberRules::budgetLeft("3", 2));
        QVERIFY(!PickNumberRules::budgetLeft("3", 3));
        QVERIFY(!PickNumberRules::budgetLeft("0", 0));
        QVERIFY(PickNumberRules::budgetLeft("  2  ", 1));
        QVERIFY(PickNumberRules::budgetLeft("2.5", 2));
        QVERIFY(!PickNumberRules::budgetLeft("-1", 0));
        QVERIFY(!PickNumberRules::budgetLeft("abc", 0));
    }

    void tileCaptionDecides()
    {
        QVERIFY(PickNumberRules::pickIsCorrect("3", 3));
        QVERIFY(!PickNumberRules::pickIsCorrect("3", 4));
    }
};

QTEST_GUILESS_MAIN(TestTestRules)
#include "tst_testrules.moc"
