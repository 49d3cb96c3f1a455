#include "settings/scramble.h"

namespace {
QString shifted(const QString &text, int shift)
{
    QString result;
    result.reserve(text.size());
    for (const QChar ch : text) {
        const int code = ch.unicode() + shift;
        if (ch.unicode() <= 255 && code >= 0 && code <= 255)
            result += QChar(code);
    }
    return result;
}
} // namespace

QString ScrambleText(const QString &text)
{
    return shifted(text, ScrambleShift);
}

QString UnscrambleText(const QString &text)
{
    return shifted(text, -ScrambleShift);
}
