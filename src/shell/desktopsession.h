#pragma once

#include <memory>

class QApplication;

// What the game needs from the desktop session before Qt starts, said in one
// line when it is missing, instead of Qt's abort (and core dump).
namespace DesktopSession {

// Why the game cannot start here, or nothing: no display named at all, in the
// environment or with -display or -platform, or a Wayland session without X11.
const char *missingDisplayMessage(int argc, char **argv);

// Base directories given as relative paths are ignored, as the XDG rules
// ask: one copy started from another folder must find the same lock and
// settings.
void ignoreRelativeBaseDirectories();

// The application object on the chosen platform (X11 unless the user chose
// one). A display that cannot be reached, or a platform that cannot start,
// ends the process here with a plain message and status 1.
std::unique_ptr<QApplication> createApplication(int &argc, char **argv);

} // namespace DesktopSession
