#pragma once

#include <QString>

// The shift of the scramble. Two digits; 31 keeps every letter of the key
// names and every character of a stored date inside the 8-bit range, and
// no scrambled key name holds '/' or '\\', which QSettings reads as a group.
inline constexpr int ScrambleShift = 31;

// Both work on 8-bit codes: a character that would leave 0..255, or that is
// not an 8-bit character in the first place, is dropped without a word.
QString ScrambleText(const QString &text);
QString UnscrambleText(const QString &text);
