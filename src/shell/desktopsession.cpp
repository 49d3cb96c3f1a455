#include "shell/desktopsession.h"

#include <QApplication>
#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace DesktopSession {
namespace {

// Held while Qt starts its platform: its own warnings wait, and are passed
// on only if it starts.
QtMessageHandler previousHandler = nullptr;
QList<std::pair<QtMsgType, QString>> *heldMessages = nullptr;
// What Qt tries: the command line's -platform and -display (Qt reads the
// last of each, with one dash or two), else the environment's.
QByteArray triedPlatform;
QByteArray triedDisplay;

QByteArray option(int argc, char **argv, const char *name, const char *variable)
{
    QByteArray value = qgetenv(variable);
    for (int i = 1; i + 1 < argc; ++i) {
        const char *arg = argv[i];
        if (arg[0] == '-' && arg[1] == '-')
            ++arg;
        if (arg[0] == '-' && std::strcmp(arg + 1, name) == 0)
            value = argv[++i];
    }
    return value;
}

void whileConnecting(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages->append({type, message});
        return;
    }
    if (triedPlatform == "xcb")
        std::fprintf(stderr, "Numensight needs a graphical desktop: the X11 display \"%s\" could not be opened.\n",
                     triedDisplay.constData());
    else
        std::fprintf(stderr, "Numensight needs a graphical desktop: Qt could not start its \"%s\" platform.\n",
                     triedPlatform.constData());
    std::fflush(stderr);
    std::_Exit(1);
}
} // namespace

const char *missingDisplayMessage(int argc, char **argv)
{
    if (!option(argc, argv, "display", "DISPLAY").isEmpty())
        return nullptr;
    // Qt tries the platforms of a list ("wayland;xcb") in turn, each maybe
    // with options after a colon; the game's own choice is X11.
    bool wayland = false;
    for (const QByteArray &entry : option(argc, argv, "platform", "QT_QPA_PLATFORM").split(';')) {
        const QByteArray name = entry.split(':').constFirst();
        if (name.startsWith("wayland"))
            wayland = true;
        else if (!name.isEmpty() && !name.startsWith("xcb"))
            return nullptr; // one that needs no display server, such as offscreen
    }
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        if (wayland)
            return nullptr;
        return "Numensight needs an X11 display: this Wayland session offers none (DISPLAY is unset).\n"
               "Enable XWayland in your desktop, or install Qt's Wayland platform plugin (package\n"
               "qt6-wayland) and start the game with QT_QPA_PLATFORM=wayland; a Wayland compositor\n"
               "may then ignore the exit window's request to stay on top and the centring of windows.\n";
    }
    return "Numensight needs a graphical desktop: no X11 or Wayland display was found "
           "(DISPLAY and WAYLAND_DISPLAY are unset).\n";
}

void ignoreRelativeBaseDirectories()
{
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_RUNTIME_DIR", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                             "XDG_STATE_HOME"}) {
        if (!qEnvironmentVariableIsEmpty(name) && !qgetenv(name).startsWith('/'))
            unsetenv(name);
    }
    for (const char *name : {"XDG_CONFIG_DIRS", "XDG_DATA_DIRS"}) {
        if (qEnvironmentVariableIsEmpty(name))
            continue;
        QList<QByteArray> kept;
        for (const QByteArray &dir : qgetenv(name).split(':')) {
            if (dir.startsWith('/'))
                kept << dir;
        }
        if (kept.isEmpty())
            unsetenv(name);
        else
            setenv(name, kept.join(':').constData(), 1);
    }
}

// Qt scales the windows by these without bounds: 0, nan or a tiny factor
// overflowed the centring of windows, and infinity or a huge one left no
// window on the screen. Outside a tenth to ten times the main window is
// unreadable or larger than any screen; such a factor is ignored, as Qt
// itself ignores text that is no number.
void ignoreUnusableScaleFactors()
{
    for (const char *name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS"}) {
        // The second holds "factor;factor" or "screen=factor;screen=factor".
        const QByteArray value = qgetenv(name);
        for (const QByteArray &entry : value.split(';')) {
            bool isNumber = false;
            const double factor = entry.mid(entry.indexOf('=') + 1).toDouble(&isNumber);
            if (isNumber && !(factor >= 0.1 && factor <= 10)) {
                std::fprintf(stderr, "Numensight: %s=%s is ignored: a scale factor must lie between 0.1 and 10.\n",
                             name, value.constData());
                unsetenv(name);
                break;
            }
        }
    }
}

std::unique_ptr<QApplication> createApplication(int &argc, char **argv)
{
    // Under Wayland the window manager ignores "stay on top" and placement
    // requests, which the exit window and centred windows rely on; run
    // through XWayland unless the user chose a platform. The choice is the
    // game's alone: the browsers it starts must not inherit it.
    const bool chooseX11 = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (chooseX11)
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    triedPlatform = option(argc, argv, "platform", "QT_QPA_PLATFORM");
    triedDisplay = option(argc, argv, "display", "DISPLAY");
    QList<std::pair<QtMsgType, QString>> held;
    heldMessages = &held;
    previousHandler = qInstallMessageHandler(whileConnecting);
    auto application = std::make_unique<QApplication>(argc, argv);
    if (chooseX11)
        unsetenv("QT_QPA_PLATFORM");
    qInstallMessageHandler(previousHandler);
    heldMessages = nullptr;
    for (const auto &[type, message] : std::as_const(held))
        qt_message_output(type, QMessageLogContext(), message);
    return application;
}

} // namespace DesktopSession
