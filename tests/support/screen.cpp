#include "support/screen.h"

#include <QProcess>
#include <QTest>
#include <QWidget>

namespace Screen {

bool showAndWait(QWidget *window)
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

QImage pixels(const QRect &r)
{
    // Whatever this process still holds in its own output buffer is not on
    // the screen: read through a separate connection.
    QProcess import;
    import.start(QStringLiteral("import"), {QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"),
                                            QStringLiteral("-crop"),
                                            QStringLiteral("%1x%2+%3+%4").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()),
                                            QStringLiteral("png:-")});
    if (!import.waitForFinished(20000) || import.exitCode() != 0)
        return {};
    return QImage::fromData(import.readAllStandardOutput(), "PNG").convertToFormat(QImage::Format_RGB32);
}

QImage pixels(const QWidget *widget)
{
    return pixels(QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
}

double share(const QImage &image, const QColor &colour, int tolerance)
{
    qint64 matching = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            matching += std::abs(c.red() - colour.red()) <= tolerance && std::abs(c.green() - colour.green()) <= tolerance
                && std::abs(c.blue() - colour.blue()) <= tolerance;
        }
    }
    return image.isNull() ? 0 : double(matching) / (qint64(image.width()) * image.height());
}

} // namespace Screen
