#include "shell/application.h"
#include "shell/clock.h"
#include "shell/commandline.h"
#include "shell/desktopsession.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (CommandLine::answered(argc, argv))
        return 0;
    if (const char *message = DesktopSession::missingDisplayMessage(argc, argv)) {
        std::fputs(message, stderr);
        return 1;
    }
    DesktopSession::ignoreRelativeBaseDirectories();
    DesktopSession::ignoreUnusableScaleFactors();
    const std::unique_ptr<QApplication> app = DesktopSession::createApplication(argc, argv);
    // Lets desktop shells match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(NUMENSIGHT_APP_ID));
    RandomSource random;
    Clock clock;
    ApplicationEnd end;
    Application numensight({}, random, clock, end);
    if (!numensight.StartApplication())
        return 0;
    return app->exec();
}
