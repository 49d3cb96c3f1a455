#include "shell/commandline.h"

#include "settings/settingsstore.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace CommandLine {

bool answered(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Numensight: train your intuition by sensing numbers."));
    // As Qt reads its own options: -display is --display, and -stylesheet
    // is one unknown option rather than -s -t -y ... -h ... .
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and ends."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and ends."));
    // Qt's own, named so that their values are not read as arguments and
    // so that the help lists them.
    const QCommandLineOption display(QStringLiteral("display"),
                                     QStringLiteral("Qt's: the X11 display to open, instead of DISPLAY."),
                                     QStringLiteral("display"));
    const QCommandLineOption platform(QStringLiteral("platform"),
                                      QStringLiteral("Qt's: the platform to use, instead of QT_QPA_PLATFORM."),
                                      QStringLiteral("platform"));
    parser.addOptions({help, version, display, platform});
    // Unknown options are Qt's or nobody's; neither keeps the game from starting.
    (void)parser.parse(arguments);
    if (parser.isSet(version)) {
        std::printf("Numensight %s\n", NUMENSIGHT_VERSION);
        return true;
    }
    if (!parser.isSet(help))
        return false;
    // For the program's path in the usage, and the settings file's name,
    // which follows the program's.
    int count = argc;
    const QCoreApplication application(count, argv);
    const QString settings = SettingsStore::filePathIn(QStringLiteral("$XDG_CONFIG_HOME"));
    const QString text = parser.helpText() + QStringLiteral(R"(Qt's other standard options are handled by Qt.

Environment:
  DISPLAY            The X11 display to open.
  WAYLAND_DISPLAY    A Wayland session: without DISPLAY the game needs XWayland,
                     or Qt's Wayland platform and QT_QPA_PLATFORM=wayland.
  QT_QPA_PLATFORM    The Qt platform to use; when unset, X11 (xcb).
  QT_SCALE_FACTOR    Qt's scale factor for the windows; a factor outside 0.1
                     to 10 (here or in QT_SCREEN_SCALE_FACTORS) is ignored.
  XDG_CONFIG_HOME    Where the settings file is; by default ~/.config.
  XDG_RUNTIME_DIR    Where the lock is.
  XDG_CACHE_HOME     Where the lock is when Qt has no runtime folder of the
                     user's own; by default ~/.cache.

Files:
  %1
                     The settings file: the date the update reminder last ran.
  $XDG_RUNTIME_DIR/numensight.lock
                     Keeps a second copy from starting while the game runs.
)").arg(settings);
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return true;
}

} // namespace CommandLine
