// Plays Number Tests on a real main window with its own pause and measures,
// on a steady clock, how long the wait notice stays up each time: from the
// notice being shown to it being hidden again.
//   waitnotice [PLAYS]
#include "game/randomsource.h"
#include "game/scorebook.h"
#include "support/standins.h"
#include "windows/frmmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class NoticeClock : public QObject
{
public:
    std::vector<double> durations;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            m_clock.start();
        } else if (event->type() == QEvent::Hide && m_clock.isValid()) {
            durations.push_back(m_clock.nsecsElapsed() / 1e6);
            m_clock.invalidate();
        }
        return false;
    }

private:
    QElapsedTimer m_clock;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int plays = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    ScoreBook book;
    RandomSource random;
    random.SeedRandom();
    Pause pause;
    CountingHooks hooks;
    frmMain window(book, random, pause, hooks);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qFatal("the main window was not exposed");

    // The result window is modal: answer it with TRY AGAIN, as a player would.
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible() && modal->objectName() == QLatin1String("frmResult"))
            QTest::mouseClick(control(modal, "cmdTry"), Qt::LeftButton);
    });
    answer.start();

    NoticeClock clock;
    control(&window, "picMessage")->installEventFilter(&clock);
    QTest::mouseClick(control(&window, "optOption_0"), Qt::LeftButton);
    QTest::mouseClick(control(&window, "cmdNext"), Qt::LeftButton);
    control<QLineEdit>(&window, "txtRangeStart")->setText(QStringLiteral("1"));
    control<QLineEdit>(&window, "txtRangeEnd")->setText(QStringLiteral("10"));
    control<QLineEdit>(&window, "txtChuosenNumber")->setText(QStringLiteral("5"));
    for (int play = 0; play < plays; ++play)
        QTest::mouseClick(control(&window, "CmdOK"), Qt::LeftButton);

    if (int(clock.durations.size()) != plays) {
        std::fprintf(stderr, "waitnotice: %zu of %d plays showed and hid the notice\n",
                     clock.durations.size(), plays);
        return 1;
    }
    for (double ms : clock.durations)
        std::printf("notice_ms=%.2f\n", ms);
    return 0;
}
