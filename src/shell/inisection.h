#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <QStringList>

// One section of an INI file, read and written byte for byte as QSettings'
// IniFormat does for plain text values, so files move freely between the two.
class IniSection
{
public:
    explicit IniSection(QString name);

    // False where QSettings would report a format error.
    [[nodiscard]] bool parse(QByteArrayView text);

    // Whether the parsed text held more than this section's entries: another
    // section, a comment, text after the section's header.
    bool holdsMore() const { return m_holdsMore; }
    QStringList keys() const { return m_values.keys(); }

    // A value typed as a list (unquoted commas) comes back joined with ','.
    QString value(const QString &key) const;
    void setValue(const QString &key, const QString &value);

    QByteArray text() const;

private:
    QString m_name;
    // As they stand in the file, so entries not set again keep their bytes.
    QMap<QString, QByteArray> m_values;
    bool m_holdsMore = false;
};
