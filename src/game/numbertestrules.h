#pragma once

#include <QString>

#include <optional>

class RandomSource;

// The rules of the Number Test, free of widgets: which entry problem (if
// any) stops a play, and the draw.
namespace NumberTestRules {

enum class Field { RangeStart, RangeEnd, ChosenNumber };

struct EntryProblem
{
    QString message;
    Field focus;
    bool clearRangeStart = false;
};

// The three fields read as numbers, once, for the play that follows the checks.
struct Entries
{
    double rangeStart = 0;
    double rangeEnd = 0;
    double chosenNumber = 0;
};

// The first problem the checks found; without one, the values a play uses.
struct CheckedEntries
{
    std::optional<EntryProblem> problem;
    Entries values;
};

// The eight checks typed entries can fail, in their order, followed by two
// that only pasted text can reach and the draw could not honour: a negative
// start, and an end that is not a whole number or lies above 32767 (the
// draw keeps its result in 16 bits). A pasted fraction elsewhere plays: a
// fractional start draws from the whole numbers above it (from 1 for a start
// below 1), and a fractional chosen number is never drawn.
CheckedEntries checkEntries(const QString &rangeStart, const QString &rangeEnd,
                            const QString &chosenNumber);

// Uniform over the whole numbers from start to end: draws below the start
// are thrown away and drawn again. Requires 0 < start < end <= 32767
// with end whole.
int DrawNumber(RandomSource &random, double start, double end);

} // namespace NumberTestRules
