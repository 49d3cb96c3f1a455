#include "game/scoretext.h"

#include "game/scorebook.h"

namespace {
QString line(const char *test, const ScoreBook &book, TestKind kind)
{
    return QString::fromLatin1(test) + QString::number(book.CorrectCount(kind))
        + QStringLiteral(" Correct Out Of ") + QString::number(book.AttemptCount(kind))
        + QStringLiteral(" Attempts");
}
} // namespace

QString scoreText(const ScoreBook &book)
{
    return line("Number Test :-  ", book, NumberTest) + QStringLiteral("\r\n\r\n")
        + line("Pick The Right Number :-  ", book, PickTheRightNumber);
}
