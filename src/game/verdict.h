#pragma once

#include <QString>

#include <cstdint>

// What a verdict says and how: the hidden verdict labels carry the word,
// the result window the sentence in the verdict's colour.
namespace Verdict {

inline const QString CorrectWord = QStringLiteral("Correct");
inline const QString WrongWord = QStringLiteral("InCorrect");

inline QString word(bool correct) { return correct ? CorrectWord : WrongWord; }

QString sentence(bool correct);
std::uint32_t colour(bool correct); // 0xRRGGBB

} // namespace Verdict
