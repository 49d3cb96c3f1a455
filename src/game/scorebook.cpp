#include "game/scorebook.h"

void ScoreBook::RecordVerdict(TestKind kind, bool correct)
{
    if (m_attempt[kind] == MaxCount)
        return;
    if (correct)
        ++m_correct[kind];
    ++m_attempt[kind];
}

void ScoreBook::ResetCounts(TestKind kind)
{
    m_attempt[kind] = 0;
    m_correct[kind] = 0;
}
