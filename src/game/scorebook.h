#pragma once

#include <QtGlobal>

#include <array>

// Index of a test; also the index of its option button on the start panel.
enum TestKind : int { NumberTest = 0, PickTheRightNumber = 1 };

// Correct verdicts and attempts per test since the counts were last zero.
// Held in memory only: every start of the program begins at zero.
class ScoreBook
{
public:
    static constexpr qint16 MaxCount = 32767;

    // A verdict that arrives when the attempt count already stands at
    // MaxCount is not counted at all, so the two counts never wrap and the
    // correct count can never pass the attempt count.
    void RecordVerdict(TestKind kind, bool correct);
    void ResetCounts(TestKind kind);

    qint16 CorrectCount(TestKind kind) const { return m_correct[kind]; }
    qint16 AttemptCount(TestKind kind) const { return m_attempt[kind]; }

private:
    std::array<qint16, 2> m_correct{};
    std::array<qint16, 2> m_attempt{};
};
