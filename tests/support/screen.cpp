#include "support/screen.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>

#include <cmath>

namespace Screen {

bool activate(QWidget *window)
{
    // openbox may turn down a request to activate that comes while another
    // window is going away, or while the machine is busy; a later one goes through.
    for (int attempt = 0; attempt < 5 && !window->isActiveWindow(); ++attempt) {
        window->raise();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window, 3000);
    }
    return window->isActiveWindow();
}

bool showAndWait(QWidget *window)
{
    window->show();
    window->raise();
    // A window mapped while the window manager is still busy with another
    // that went away can stay unmapped; asking again to map it brings it up.
    bool exposed = QTest::qWaitForWindowExposed(window, 3000);
    for (int attempt = 0; attempt < 3 && !exposed; ++attempt) {
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("windowmap"), QString::number(window->winId())});
        exposed = QTest::qWaitForWindowExposed(window, 3000);
    }
    if (exposed)
        activate(window);
    return exposed;
}

QImage pixels(const QRect &screenRect)
{
    // Whatever this process still holds in its own output buffer is not on
    // the screen: read through a separate connection.
    QProcess import;
    import.start(QStringLiteral("import"),
                 {QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"),
                  QStringLiteral("-crop"),
                  QStringLiteral("%1x%2+%3+%4").arg(screenRect.width()).arg(screenRect.height())
                      .arg(screenRect.x()).arg(screenRect.y()),
                  QStringLiteral("png:-")});
    if (!import.waitForFinished(20000) || import.exitCode() != 0) {
        qWarning("import failed: %s", import.readAllStandardError().constData());
        return {};
    }
    return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

QImage pixels(const QWidget *widget)
{
    return pixels(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

bool press(const QString &keys)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("key"), keys});
    const bool typed = xdotool.waitForFinished(20000) && xdotool.exitCode() == 0;
    // xdotool has synced with the server before it ended: a round trip of
    // our own brings its keys in, and sync() delivers them to the widgets.
    QGuiApplication::sync();
    return typed;
}

double share(const QImage &image, const QColor &colour, int tolerance)
{
    if (image.isNull())
        return 0;
    qint64 matching = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) <= tolerance
                && std::abs(c.green() - colour.green()) <= tolerance
                && std::abs(c.blue() - colour.blue()) <= tolerance)
                ++matching;
        }
    }
    return double(matching) / (qint64(image.width()) * image.height());
}

} // namespace Screen
