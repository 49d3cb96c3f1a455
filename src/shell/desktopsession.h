#pragma once

#include <memory>

class QApplication;

// What the game needs from the desktop session before Qt starts, said in one
// line when it is missing, instead of Qt's abort (and core dump).
namespace DesktopSession {

// Why the game cannot start here, or nothing: on X11 or Wayland (the platform
// the user chose with -platform or QT_QPA_PLATFORM, else X11), no display
// named at all, in the environment or with -display; or, on X11, a Wayland
// session that offers none.
const char *missingDisplayMessage(int argc, char **argv);

// Base directories given as relative paths are ignored, as the XDG rules
// ask: one copy started from another folder must find the same lock and
// settings.
void ignoreRelativeBaseDirectories();

// Qt's scale factors (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) outside a
// tenth to ten times are ignored, with a line that says so.
void ignoreUnusableScaleFactors();

// The application object on the chosen platform (X11 unless the user chose
// one). A display that cannot be reached, or a platform that cannot start,
// ends the process here with a plain message and status 1.
std::unique_ptr<QApplication> createApplication(int &argc, char **argv);

} // namespace DesktopSession
