#include "game/picknumberrules.h"

#include "game/fieldnumber.h"
#include "game/randomsource.h"
#include "game/trimspaces.h"

namespace PickNumberRules {

int DrawPick(RandomSource &random)
{
    return roundHalfEven(static_cast<double>(random.NextRandom()) * 4 + 1);
}

bool budgetLeft(const QString &budgetText, int attemptsMade)
{
    return FieldNumber(trimSpaces(budgetText)) > attemptsMade;
}

bool pickIsCorrect(const QString &tileCaption, int drawn)
{
    return FieldNumber(tileCaption) == drawn;
}

} // namespace PickNumberRules
