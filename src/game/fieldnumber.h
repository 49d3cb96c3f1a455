#pragma once

#include <QString>

// The numeric value of an entry field's text, read from its start: blanks,
// tabs and line feeds are skipped wherever they stand, then an optional
// sign, digits with at most one decimal point and an optional exponent.
// Reading stops at the first character that cannot continue the number; a
// text with no number at its start is 0. Prefixed forms such as 0x1F read
// as the digits before the letter. A value too large for a double reads as
// an infinity of its sign.
double FieldNumber(const QString &text);
