#include "shell/inisection.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <utility>

using namespace Qt::StringLiterals;

namespace {
bool isBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

bool endsLineOrOpensSyntax(char ch)
{
    return ch == '\n' || ch == '\r' || ch == '"' || ch == ';' || ch == '=' || ch == '\\';
}

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

int octValue(char ch)
{
    return ch >= '0' && ch <= '7' ? ch - '0' : -1;
}

struct Line
{
    QByteArrayView text;
    qsizetype equals = -1;
};

// The next logical line as QSettings cuts it: quotes and a backslash carry
// it past a line break, an unquoted ';' ends it, and a ';' opening a line
// makes a comment, which is skipped.
bool nextLine(QByteArrayView data, qsizetype &pos, Line &line, bool &sawComment)
{
    const qsizetype size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    qsizetype start = pos;
    while (start < size && isBlank(data[start]))
        ++start;
    qsizetype i = start;
    while (i < size) {
        const char ch = data[i++];
        if (!endsLineOrOpensSyntax(ch))
            continue;
        if (ch == '=') {
            if (!inQuotes && line.equals < 0)
                line.equals = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < size) {
                const char next = data[i++];
                if (i < size && ((next == '\n' && data[i] == '\r') || (next == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (i == start + 1) {
            sawComment = true;
            while (i < size && data[i] != '\n' && data[i] != '\r')
                ++i;
            while (i < size && isBlank(data[i]))
                ++i;
            start = i;
        } else if (!inQuotes) {
            --i;
            break;
        }
    }
    pos = i;
    line.text = data.sliced(start, i - start);
    if (line.equals >= 0)
        line.equals -= start;
    return !line.text.isEmpty();
}

QString unescapedKey(QByteArrayView raw)
{
    const QString text = QString::fromUtf8(raw);
    QString key;
    key.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (text[i] == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (text[i] == u'%' && i + 1 < text.size()) {
            const bool wide = text[i + 1] == u'U';
            const qsizetype first = i + 1 + (wide ? 1 : 0);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= text.size()
                ? QStringView(text).sliced(first, digits).toUShort(&ok, 16)
                : 0;
            if (ok) {
                key += QChar(code);
                i = first + digits;
                continue;
            }
        }
        key += text[i++];
    }
    return key;
}

QByteArray escapedKey(const QString &key)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    QByteArray result;
    result.reserve(key.size() * 3);
    for (const QChar qch : key) {
        const char16_t ch = qch.unicode();
        if (ch == '/') {
            result += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')
                   || ch == '_' || ch == '-' || ch == '.') {
            result += char(ch);
        } else if (ch <= 0xFF) {
            result += '%';
            result += Hex[ch >> 4];
            result += Hex[ch & 15];
        } else {
            result += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                result += Hex[(ch >> shift) & 15];
        }
    }
    return result;
}

void chopBlanks(QString &text, qsizetype limit)
{
    qsizetype n = text.size();
    while (n > limit && (text[n - 1] == u' ' || text[n - 1] == u'\t'))
        --n;
    text.truncate(n);
}

// QSettings' reading of a value: C escapes, quotes, and unquoted commas
// that make it a list. Returns the items of a list, or the one text.
QStringList unescapedValue(QByteArrayView raw, bool &isList)
{
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    QStringList items;
    QString text;
    bool inQuotes = false;
    bool quoted = false;
    isList = false;
    qsizetype i = 0;
    const qsizetype size = raw.size();
    const auto skipBlanks = [&] {
        while (i < size && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
    };
    // Blanks are chopped at the end only where they came from the file as
    // they are, never from an escape.
    skipBlanks();
    qsizetype chopLimit = 0;
    bool chop = true;
    while (i < size) {
        const char ch = raw[i];
        if (ch == '\\') {
            if (++i >= size) {
                chop = false;
                break;
            }
            const char code = raw[i++];
            static constexpr char Simple[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                                 {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                                 {'?', '?'}, {'\'', '\''}, {'\\', '\\'}};
            bool simple = false;
            for (const auto &pair : Simple) {
                if (code == pair[0]) {
                    text += QLatin1Char(pair[1]);
                    simple = true;
                    break;
                }
            }
            if (!simple && code == 'x' && i >= size) {
                chop = false;
                break;
            }
            const int base = code == 'x' && hexValue(raw[i]) >= 0 ? 16 : octValue(code) >= 0 ? 8 : 0;
            if (base) {
                char16_t number = base == 8 ? char16_t(octValue(code)) : 0;
                int digit;
                while (i < size && (digit = base == 16 ? hexValue(raw[i]) : octValue(raw[i])) >= 0) {
                    number = char16_t(number * base + digit);
                    ++i;
                }
                text += QChar(number);
                if (i >= size) {
                    chop = false;
                    break;
                }
            } else if (!simple && (code == '\n' || code == '\r') && i < size
                       && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != code) {
                ++i;
            }
            chopLimit = text.size();
        } else if (ch == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = text.size();
            }
        } else if (ch == ',' && !inQuotes) {
            if (!quoted)
                chopBlanks(text, chopLimit);
            isList = true;
            items.append(std::exchange(text, QString()));
            quoted = false;
            ++i;
            skipBlanks();
            chopLimit = 0;
        } else {
            qsizetype end = i + 1;
            while (end < size && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',')
                ++end;
            text += fromUtf8(raw.sliced(i, end - i));
            i = end;
        }
    }
    if (chop && !quoted)
        chopBlanks(text, chopLimit);
    items.append(text);
    return items;
}

// QSettings marks typed values with a leading '@' and doubles one that
// starts a plain text.
QString textOf(const QString &stored)
{
    if (!stored.startsWith(u'@'))
        return stored;
    if (stored.endsWith(u')')) {
        if (stored.startsWith("@String("_L1))
            return stored.sliced(8).chopped(1);
        if (stored.startsWith("@ByteArray("_L1))
            return stored.sliced(11).chopped(1);
        for (const auto typed : {"@Variant("_L1, "@DateTime("_L1, "@Rect("_L1, "@Size("_L1, "@Point("_L1,
                                 "@Invalid()"_L1}) {
            if (stored.startsWith(typed))
                return {};
        }
    }
    return stored.startsWith("@@"_L1) ? stored.sliced(1) : stored;
}

QByteArray escapedValue(QString text)
{
    if (text.contains(QChar::Null))
        text = "@String("_L1 + text + u')';
    else if (text.startsWith(u'@'))
        text.prepend(u'@');

    QStringEncoder toUtf8(QStringEncoder::Utf8);
    QByteArray result;
    result.reserve(text.size() * 2);
    bool needsQuotes = false;
    bool escapeNextHexDigit = false;
    for (const QChar qch : text) {
        const char16_t ch = qch.unicode();
        needsQuotes = needsQuotes || ch == ';' || ch == ',' || ch == '=';
        // A digit right after a numeric escape would read as part of it.
        if (escapeNextHexDigit && ch < 0x80 && hexValue(char(ch)) >= 0) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextHexDigit = false;
        switch (ch) {
        case '\0': result += "\\0"; escapeNextHexDigit = true; break;
        case '\a': result += "\\a"; break;
        case '\b': result += "\\b"; break;
        case '\f': result += "\\f"; break;
        case '\n': result += "\\n"; break;
        case '\r': result += "\\r"; break;
        case '\t': result += "\\t"; break;
        case '\v': result += "\\v"; break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1F) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextHexDigit = true;
            } else {
                result += toUtf8(QStringView(&qch, 1));
            }
        }
    }
    if (needsQuotes || result.startsWith(' ') || result.endsWith(' ')) {
        result.prepend('"');
        result.append('"');
    }
    return result;
}
} // namespace

IniSection::IniSection(QString name)
    : m_name(std::move(name))
{
}

bool IniSection::parse(QByteArrayView text)
{
    m_values.clear();
    m_holdsMore = false;
    bool ok = true;
    // QSettings names an entry by section and key joined with '/', so a key
    // "Settings\\k" outside any section names our "k" too; ours wins.
    const QString prefix = m_name + u'/';
    QMap<QString, QByteArray> fromOutside;
    QString section;
    // QSettings passes over a UTF-8 byte order mark when it looks for
    // sections but leaves it on the lines before the first one; decoding the
    // key drops it again.
    const bool byteOrderMark = text.startsWith("\xEF\xBB\xBF");
    qsizetype pos = byteOrderMark ? 3 : 0;
    bool first = true;
    Line line;
    while (nextLine(text, pos, line, m_holdsMore)) {
        if (std::exchange(first, false) && byteOrderMark) {
            const qsizetype offset = line.text.data() - text.data();
            const QByteArrayView gap = text.sliced(3, offset - 3);
            if (line.text.startsWith('[') || gap.contains('\n') || gap.contains('\r') || gap.contains(';')) {
                ok = false;
            } else {
                line.text = text.first(offset + line.text.size());
                line.equals += line.equals < 0 ? 0 : offset;
            }
        }
        if (line.text.startsWith('[')) {
            qsizetype close = line.text.indexOf(']');
            if (close < 0) {
                ok = false;
                close = line.text.size();
            }
            const QByteArrayView name = line.text.sliced(1, close - 1).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1)) + u'/';
            else
                section = unescapedKey(name) + u'/';
            m_holdsMore = m_holdsMore || section != prefix || close + 1 < line.text.size();
        } else if (line.equals < 0) {
            ok = false;
        } else {
            const QString key = section + unescapedKey(line.text.first(line.equals).trimmed());
            m_holdsMore = m_holdsMore || section != prefix;
            if (!key.startsWith(prefix))
                continue;
            QByteArrayView raw = line.text.sliced(line.equals + 1);
            while (!raw.isEmpty() && (raw.front() == ' ' || raw.front() == '\t'))
                raw = raw.sliced(1);
            (section.isEmpty() ? fromOutside : m_values).insert(key.sliced(prefix.size()), raw.toByteArray());
        }
    }
    for (auto entry = fromOutside.cbegin(); entry != fromOutside.cend(); ++entry) {
        if (!m_values.contains(entry.key()))
            m_values.insert(entry.key(), entry.value());
    }
    return ok && !(first && byteOrderMark);
}

QString IniSection::value(const QString &key) const
{
    const auto found = m_values.constFind(key);
    if (found == m_values.cend())
        return {};
    bool isList = false;
    QStringList items = unescapedValue(*found, isList);
    if (!isList)
        return textOf(items.front());
    for (QString &item : items) {
        // QSettings gives a list holding a typed item as no text at all.
        if (item.startsWith(u'@') && !item.startsWith("@@"_L1))
            return {};
        if (item.startsWith(u'@'))
            item.remove(0, 1);
    }
    return items.join(u',');
}

void IniSection::setValue(const QString &key, const QString &value)
{
    m_values.insert(key, escapedValue(value));
}

QByteArray IniSection::text() const
{
    QByteArray result = '[' + escapedKey(m_name) + "]\n";
    for (auto entry = m_values.cbegin(); entry != m_values.cend(); ++entry)
        result += escapedKey(entry.key()) + '=' + entry.value() + '\n';
    return result;
}
