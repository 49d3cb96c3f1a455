#pragma once

#include <QString>

// Removes leading and trailing blanks (code 32) only; tabs and line breaks stay.
QString trimSpaces(const QString &text);
