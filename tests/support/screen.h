#pragma once

#include "support/wait.h"

#include <QImage>
#include <QProcess>
#include <QTest>
#include <QWidget>

// What the player sees, read back from the X server by another client
// (ImageMagick's import), so a picture the program drew but never sent to the
// server does not count. Needs the X display that make test provides.
namespace Screen {

// Shows a top-level window above every other, waits until the window manager
// has mapped it and it has painted, and gives it the keyboard.
inline bool showAndWait(QWidget *window)
{
    window->show();
    // A window mapped while the window manager is still busy with another
    // that went away can stay unmapped; asking again to map it brings it up.
    bool exposed = QTest::qWaitForWindowExposed(window, 3000);
    for (int attempt = 0; attempt < 3 && !exposed; ++attempt) {
        QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowmap"), QString::number(window->winId())});
        exposed = QTest::qWaitForWindowExposed(window, 3000);
    }
    // openbox may turn down a request to activate that comes while another
    // window is going away, or while the machine is busy; a later one goes through.
    for (int attempt = 0; exposed && attempt < 5 && !window->isActiveWindow(); ++attempt) {
        window->raise();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window, 3000);
    }
    return exposed;
}

// The server's pixels of a rectangle in screen coordinates, or of a widget's
// area; a null image when they cannot be read.
inline QImage pixels(const QRect &r)
{
    // Whatever this process still holds in its own output buffer is not on
    // the screen: read through a separate connection.
    QProcess import;
    import.start(QStringLiteral("import"), {QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("-crop"),
                                            QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()), QStringLiteral("png:-")});
    if (!import.waitForFinished(20000) || import.exitCode() != 0)
        return {};
    return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}
inline QImage pixels(const QWidget *widget)
{
    return pixels(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

// A widget's pixels once two reads in a row, with the events run between
// them, agree; the last read when they never do.
inline QImage settled(const QWidget *widget)
{
    QImage last, now;
    (void)Wait::until([&] {
        last = std::exchange(now, pixels(widget));
        return !now.isNull() && now == last;
    });
    return now;
}

// The share of an image's pixels of exactly one colour.
inline double share(const QImage &image, const QColor &colour)
{
    const auto *first = reinterpret_cast<const QRgb *>(image.constBits());
    const qsizetype size = qsizetype(image.width()) * image.height();
    return size ? double(std::count(first, first + size, colour.rgb())) / size : 0;
}

// A property of a window as the server holds it (read by xprop), from the
// text after its name: "= 1, 1, 20, 1" or ":" and lines of hints. Empty when it
// cannot be read.
inline QString property(const QWidget *window, const QString &name, const QString &format = {})
{
    QStringList arguments{QStringLiteral("-notype"), QStringLiteral("-id"), QString::number(window->winId())};
    if (!format.isEmpty())
        arguments << QStringLiteral("-f") << name << format;
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), arguments << name);
    if (!xprop.waitForFinished(20000) || xprop.exitCode() != 0)
        return {};
    const QString answer = QString::fromLatin1(xprop.readAllStandardOutput()).trimmed();
    return answer.startsWith(name) ? answer.mid(name.size()) : QString();
}

// The numbers of a property such as "= 1, 1, 20, 1" (decimal or 0x).
inline QList<quint32> numbers(const QString &property)
{
    QList<quint32> values;
    for (const QString &item : property.section(u'=', 1).split(u',', Qt::SkipEmptyParts))
        values << item.trimmed().toUInt(nullptr, 0);
    return values;
}

} // namespace Screen
