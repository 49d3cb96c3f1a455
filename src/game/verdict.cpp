#include "game/verdict.h"

namespace Verdict {

QString sentence(bool correct)
{
    return correct
        ? QStringLiteral("Your Chosen Number is Correct! Now take a deep breath, relax your mind "
                         "and aim to predict the right answer again.")
        : QStringLiteral("Incorrect: Don't lose hope! Relax, take a deep breath, keep a calm mind "
                         "and guess again.");
}

std::uint32_t colour(bool correct)
{
    return correct ? 0x008000 : 0x800000;
}

} // namespace Verdict
