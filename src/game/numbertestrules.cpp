#include "game/numbertestrules.h"

#include "game/fieldnumber.h"
#include "game/randomsource.h"

#include <cmath>

namespace NumberTestRules {
namespace {
constexpr double HighestRangeEnd = 32767;

bool isWhole(double value)
{
    return std::isfinite(value) && std::floor(value) == value;
}

EntryProblem problem(const char *message, Field focus, bool clearRangeStart = false)
{
    return {QString::fromLatin1(message), focus, clearRangeStart};
}

std::optional<EntryProblem> firstProblem(const QString &rangeStart, const QString &rangeEnd,
                                         const QString &chosenNumber, const Entries &values)
{
    if (rangeStart.isEmpty())
        return problem("Please Enter Starting Number", Field::RangeStart);
    if (rangeEnd.isEmpty())
        return problem("Please Enter Ending Number", Field::RangeEnd);
    if (chosenNumber.isEmpty())
        return problem("Please Enter Your Chosen Number", Field::ChosenNumber);

    const double s = values.rangeStart;
    const double e = values.rangeEnd;
    const double g = values.chosenNumber;

    if (e == s)
        return problem("Starting and Ending Number Can't be Same", Field::RangeEnd);
    if (e < s)
        return problem("Starting Range Can't be Bigger Than Ending Range", Field::RangeEnd);
    if (s == 0)
        return problem("Please Enter Correct Starting Number", Field::RangeStart, true);
    if (s > g)
        return problem("Your Chosen Number Can't be Less Than Starting Number", Field::RangeStart);
    if (e < g)
        return problem("Your Chosen Number Can't be Bigger Than Ending Number", Field::ChosenNumber);

    if (s < 0)
        return problem("Please Enter Correct Starting Number", Field::RangeStart, true);
    if (!isWhole(e) || e > HighestRangeEnd)
        return problem("Please Enter Correct Ending Number", Field::RangeEnd);
    return std::nullopt;
}
} // namespace

CheckedEntries checkEntries(const QString &rangeStart, const QString &rangeEnd,
                            const QString &chosenNumber)
{
    const Entries values{FieldNumber(rangeStart), FieldNumber(rangeEnd), FieldNumber(chosenNumber)};
    return {firstProblem(rangeStart, rangeEnd, chosenNumber, values), values};
}

int DrawNumber(RandomSource &random, double start, double end)
{
    int d = 0;
    do {
        d = static_cast<int>(std::floor(static_cast<double>(random.NextRandom()) * end + 1));
    } while (start > d);
    return d;
}

} // namespace NumberTestRules
