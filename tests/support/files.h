#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The bytes of a file, or nothing when it cannot be read (missing, or a
// directory in its place).
inline QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
