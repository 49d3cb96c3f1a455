#include "game/fieldnumber.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {
bool isSkipped(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}
} // namespace

double FieldNumber(const QString &text)
{
    std::string compact;
    compact.reserve(text.size());
    for (QChar c : text) {
        if (!isSkipped(c))
            compact.push_back(c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?');
    }

    std::size_t pos = 0;
    bool negative = false;
    if (pos < compact.size() && (compact[pos] == '+' || compact[pos] == '-'))
        negative = compact[pos++] == '-';

    const std::size_t mantissaStart = pos;
    bool digits = false;
    while (pos < compact.size() && isDigit(QChar(compact[pos]))) {
        ++pos;
        digits = true;
    }
    if (pos < compact.size() && compact[pos] == '.') {
        ++pos;
        while (pos < compact.size() && isDigit(QChar(compact[pos]))) {
            ++pos;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;

    std::size_t end = pos;
    if (pos < compact.size() && (compact[pos] == 'e' || compact[pos] == 'E')) {
        std::size_t exp = pos + 1;
        if (exp < compact.size() && (compact[exp] == '+' || compact[exp] == '-'))
            ++exp;
        if (exp < compact.size() && isDigit(QChar(compact[exp]))) {
            while (exp < compact.size() && isDigit(QChar(compact[exp])))
                ++exp;
            end = exp;
        }
    }

    // strtod_l in the C locale: the user's locale may use a decimal comma,
    // and strtod gives infinity on overflow and zero on underflow.
    static const locale_t cLocale = newlocale(LC_NUMERIC_MASK, "C", locale_t(nullptr));
    const std::string number = compact.substr(mantissaStart, end - mantissaStart);
    const double value = strtod_l(number.c_str(), nullptr, cLocale);
    return negative ? -value : value;
}
