#include "shell/application.h"
#include "shell/clock.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
// Without a display Qt would abort in its platform plugin; say why instead.
bool graphicalDesktopAvailable()
{
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}
} // namespace

int main(int argc, char *argv[])
{
    if (!graphicalDesktopAvailable()) {
        std::fputs("Numensight needs a graphical desktop: no X11 or Wayland display was found "
                   "(DISPLAY and WAYLAND_DISPLAY are unset).\n", stderr);
        return 1;
    }
    // Under Wayland the window manager ignores "stay on top" and placement
    // requests, which the exit window and centred windows rely on; run
    // through XWayland unless the user chose a platform.
    if (!std::getenv("QT_QPA_PLATFORM") && std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "xcb", 0);
    QApplication app(argc, argv);
    // Lets desktop shells match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(NUMENSIGHT_APP_ID));
    RandomSource random;
    Clock clock;
    ApplicationEnd end;
    Application numensight({}, random, clock, end);
    if (!numensight.StartApplication())
        return 0;
    return app.exec();
}
