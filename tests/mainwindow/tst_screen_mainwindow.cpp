#include "support/mainwindowfixture.h"
#include "support/screen.h"
#include "support/testmain.h"
#include "support/wait.h"

#include <QProcess>

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
            QAbstractButton *ok = nullptr;
            QString input;
            double white = 0;
            bool atStart = false, atEnd = false;
            bool shown() { return (white = Screen::share(Screen::pixels(notice), Qt::white)) > 0.5; }
            void wait(int milliseconds) override
            {
                atStart = Wait::until([&] { return shown(); });
                QProcess::execute(QStringLiteral("xdotool"), input.split(u' '));
                ok->click();
                Pause::wait(milliseconds);
                atEnd = Wait::until([&] { return shown(); });
            }
        } pause;
        MainWindowFixture f(&pause);
        QVERIFY(Screen::showAndWait(&f.window));
        f.enter(0, {QStringLiteral("1"), QStringLiteral("5"), QStringLiteral("3")});
        pause.notice = f.get("picMessage");
        pause.ok = f.get<QAbstractButton>("CmdOK");
        const QPoint ok = f.get("CmdOK")->mapToGlobal(f.get("CmdOK")->rect().center());
        pause.input = QStringLiteral("mousemove %1 %2 click 1 key Return space alt+t alt+F4").arg(ok.x()).arg(ok.y());
        f.get("CmdOK")->setFocus();
        WAIT_VERIFY(!pause.shown() && pause.white < 0.05, QStringLiteral("white on %1 before the play").arg(pause.white));
        f.click("CmdOK");
        QVERIFY2(pause.atStart, qPrintable(QStringLiteral("as the pause began, white on %1").arg(pause.white)));
        QVERIFY2(pause.atEnd, qPrintable(QStringLiteral("as the pause ended, white on %1").arg(pause.white)));
        WAIT_VERIFY(!pause.shown() && pause.white < 0.05, QStringLiteral("white on %1 after the verdict").arg(pause.white));
        // A second play would start as soon as the input came through.
        QVERIFY(Wait::holds([&] { return f.verdicts.size() == 1; }, 1000));
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
        QCOMPARE(f.inFront({"fraScore", "fraScoreClick"}), QStringLiteral("fraScoreClick"));
    }
};

TEST_CLASS(TestScreenMainWindow, Widgets)
#include "tst_screen_mainwindow.moc"
