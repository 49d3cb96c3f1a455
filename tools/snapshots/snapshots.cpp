// Renders every window in its notable states to PNG files, headless:
//   QT_QPA_PLATFORM=offscreen snapshots <folder>
#include "game/randomsource.h"
#include "game/scorebook.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "windows/frmexitscreen.h"
#include "windows/frmmain.h"
#include "windows/frmresult.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {
QDir g_out;

void save(QWidget *window, const QString &name)
{
    const QString path = g_out.filePath(name + QStringLiteral(".png"));
    window->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

// Opens a modal window, photographs it once it is up, then closes it.
void saveModal(const QString &name, const std::function<void()> &open)
{
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            timer.stop();
            save(modal, name);
            modal->close();
        }
    });
    timer.start();
    open();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    g_out.setPath(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("snapshots"));
    g_out.mkpath(QStringLiteral("."));

    ScoreBook book;
    RandomSource random;
    random.seed(1);
    NoPause pause;
    CountingHooks hooks;
    frmMain main(book, random, pause, hooks);
    main.show();
    save(&main, QStringLiteral("main-start"));

    control(&main, "fraScore")->raise();
    save(&main, QStringLiteral("main-score"));
    control(&main, "fraScoreClick")->raise();

    control(&main, "lblCobrand")->raise();
    save(&main, QStringLiteral("main-cobrand"));
    control(&main, "lblFullBrand")->raise();

    control(&main, "fraNumberTest")->raise();
    save(&main, QStringLiteral("main-numbertest"));
    QWidget *notice = control(&main, "picMessage");
    notice->raise();
    notice->show();
    save(&main, QStringLiteral("main-waitnotice"));
    notice->hide();

    control(&main, "fraPickRightNumber")->raise();
    save(&main, QStringLiteral("main-pick"));

    saveModal(QStringLiteral("result-correct"), [] { frmResult::ShowVerdict(true); });
    saveModal(QStringLiteral("result-wrong"), [] { frmResult::ShowVerdict(false); });
    saveModal(QStringLiteral("about"), [&] { control<QAction>(&main, "mnuAbout")->trigger(); });

    for (int k = 0; k < frmExitScreen::SupportMessageCount; ++k) {
        ScriptedRandom draw;
        draw.queue({static_cast<float>(k) / frmExitScreen::SupportMessageCount});
        CountingEnd end;
        frmExitScreen exitWindow(draw, end);
        exitWindow.show();
        save(&exitWindow, QStringLiteral("exit-message%1").arg(k));
    }
    return 0;
}
