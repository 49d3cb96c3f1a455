#pragma once

#include <QString>

class RandomSource;

// The rules of Pick The Right Number, free of widgets.
namespace PickNumberRules {

// r x 4 + 1 rounded half to even: 1 and 5 come with probability 1/8 each,
// 2, 3 and 4 with 1/4 each. The uneven shape is the game's own.
int DrawPick(RandomSource &random);

// True while the budget typed in the attempts field exceeds the attempts
// made. The budget is compared as a real, so "2.5" allows three attempts.
bool budgetLeft(const QString &budgetText, int attemptsMade);

// The clicked tile's caption, read as a number, decides the verdict.
bool pickIsCorrect(const QString &tileCaption, int drawn);

} // namespace PickNumberRules
