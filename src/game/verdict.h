#pragma once

#include <QString>

#include <cstdint>

// What a verdict says and how: the hidden verdict labels carry the word,
// the result window the sentence in the verdict's colour.
namespace Verdict {

inline QString word(bool correct)
{
    return correct ? QStringLiteral("Correct") : QStringLiteral("InCorrect");
}

QString sentence(bool correct);
std::uint32_t colour(bool correct); // 0xRRGGBB

} // namespace Verdict
