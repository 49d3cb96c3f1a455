#include "shell/application.h"
#include "shell/clock.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {
bool isSet(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

// Qt would abort in its platform plugin without a display it can reach (and
// qt6-base brings no Wayland plugin): say what the game needs instead.
const char *missingDisplayMessage()
{
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY"))
        return nullptr;
    if (isSet("WAYLAND_DISPLAY"))
        return "Numensight needs an X11 display: this Wayland session offers none (DISPLAY is unset).\n"
               "Enable XWayland in your desktop, or install Qt's Wayland platform plugin (package\n"
               "qt6-wayland) and start the game with QT_QPA_PLATFORM=wayland; a Wayland compositor\n"
               "may then ignore the exit window's request to stay on top and the centring of windows.\n";
    return "Numensight needs a graphical desktop: no X11 or Wayland display was found "
           "(DISPLAY and WAYLAND_DISPLAY are unset).\n";
}
} // namespace

int main(int argc, char *argv[])
{
    if (const char *message = missingDisplayMessage()) {
        std::fputs(message, stderr);
        return 1;
    }
    // Under Wayland the window manager ignores "stay on top" and placement
    // requests, which the exit window and centred windows rely on; run
    // through XWayland unless the user chose a platform.
    if (!isSet("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
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
