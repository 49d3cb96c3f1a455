#include "support/mainwindowfixture.h"
#include "support/screen.h"
#include "support/wait.h"

#include <QProcess>
#include <QTest>

class TestScreenMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Another client reads the server's pixels from inside the play's pause,
    // as it starts and once the real wait is over: both times the white
    // notice covers its place; after the verdict it is gone. A click on OK,
    // keys and the desktop's request to close the window, given during the
    // pause, wait as on a blocked thread: they make no second play, and by
    // the verdict the result window is modal, so Total Score's access key
    // reaches nothing.
    void waitNoticeIsOnTheScreenThroughoutThePause()
    {
        struct WatchedPause : Pause
        {
            QWidget *notice = nullptr;
            QString input;
            double white = 0;
            QStringList seen;
            bool onScreen() { return (white = Screen::share(Screen::pixels(notice), Qt::white)) > 0.5; }
            void look() { seen << (Wait::until([&] { return onScreen(); }) ? QStringLiteral("shown") : QString::number(white)); }
            void wait(int milliseconds) override
            {
                look();
                QProcess::execute(QStringLiteral("xdotool"), input.split(u' '));
                Pause::wait(milliseconds);
                look();
            }
        } pause;
        MainWindowFixture f(&pause);
        QVERIFY(Screen::showAndWait(&f.window));
        f.enter(0, {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("3")});
        pause.notice = f.get("picMessage");
        const QPoint ok = f.get("CmdOK")->mapToGlobal(f.get("CmdOK")->rect().center());
        pause.input = QStringLiteral("mousemove %1 %2 click 1 key Return space alt+t alt+F4").arg(ok.x()).arg(ok.y());
        f.get("CmdOK")->setFocus();
        WAIT_VERIFY(!pause.onScreen() && pause.white < 0.05, QStringLiteral("white on %1 before the play").arg(pause.white));
        f.click("CmdOK");
        // Else the share of white each time.
        QCOMPARE(pause.seen, QStringList({QStringLiteral("shown"), QStringLiteral("shown")}));
        WAIT_VERIFY(!pause.onScreen() && pause.white < 0.05, QStringLiteral("white on %1 after the verdict").arg(pause.white));
        // A second play would start as soon as the input came through.
        QVERIFY(Wait::holds([&] { return f.verdicts.size() == 1; }, 1000));
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), QStringLiteral("fraScoreClick"));
    }
};

QTEST_MAIN(TestScreenMainWindow)
#include "tst_screen_mainwindow.moc"
