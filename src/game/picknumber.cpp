#include "game/picknumber.h"

#include "game/fieldnumber.h"
#include "game/randomsource.h"

namespace PickNumberRules {

int DrawPick(RandomSource &random)
{
    return RoundHalfEven(static_cast<double>(random.NextRandom()) * 4 + 1);
}

bool BudgetLeft(const QString &budgetText, int attemptsMade)
{
    QString trimmed = budgetText;
    while (trimmed.startsWith(u' '))
        trimmed.remove(0, 1);
    while (trimmed.endsWith(u' '))
        trimmed.chop(1);
    return FieldNumber(trimmed) > attemptsMade;
}

bool PickIsCorrect(const QString &tileCaption, int drawn)
{
    return FieldNumber(tileCaption) == drawn;
}

} // namespace PickNumberRules
