#include "support/mainwindowfixture.h"
#include "support/testmain.h"
#include "support/screen.h"
#include "support/wait.h"
#include "windows/desktopcolours.h"

#include "game/scoretext.h"

#include <QLineEdit>
#include <QProcess>
#include <QTextEdit>

namespace {
const QColor kNoticeWhite(255, 255, 255);

// Rows of the box's pixels that hold ink, grouped into bands of adjacent rows;
// for each band, the width the ink spans.
QList<int> inkBandWidths(const QImage &image, const QColor &background)
{
    QList<int> widths;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (DesktopColours::contrast(image.pixelColor(x, y), background) > 2.0) {
                left = std::min(left, x);
                right = x;
            }
        }
        if (right < 0) {
            inBand = false;
            continue;
        }
        if (!inBand)
            widths.append(0);
        widths.last() = std::max(widths.last(), right - left + 1);
        inBand = true;
    }
    return widths;
}
} // namespace

class TestScreenMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Another client reads the server's pixels from inside the play's pause,
    // as it starts and once the real wait is over: both times the notice
    // covers its place; after the verdict it is gone.
    void waitNoticeIsOnTheScreenThroughoutThePause()
    {
        struct WatchedPause : Pause
        {
            QWidget *notice = nullptr;
            double white = 0;
            bool atStart = false, atEnd = false;
            bool shown() { return (white = Screen::share(Screen::pixels(notice), kNoticeWhite)) > 0.5; }
            void wait(int milliseconds) override
            {
                atStart = Wait::until([&] { return shown(); });
                Pause::wait(milliseconds);
                atEnd = Wait::until([&] { return shown(); });
            }
        } pause;
        MainWindowFixture f(&pause);
        QVERIFY(Screen::showAndWait(&f.window));
        f.enterNumberTest("1", "5", "3");
        pause.notice = f.get("picMessage");
        const auto gone = [&] { return !pause.shown() && pause.white < 0.05; };
        WAIT_VERIFY(gone(), QStringLiteral("notice white on %1 of its area before the play").arg(pause.white));
        f.click("CmdOK");
        QCOMPARE(f.verdicts.size(), size_t(1));
        QVERIFY2(pause.atStart, qPrintable(QStringLiteral("as the pause began, white on %1").arg(pause.white)));
        QVERIFY2(pause.atEnd, qPrintable(QStringLiteral("as the pause ended, white on %1").arg(pause.white)));
        WAIT_VERIFY(gone(), QStringLiteral("notice white on %1 of its area after the verdict").arg(pause.white));
    }

    // Clicks and keys given while the play waits, and the desktop's request
    // to close the window, make no second play, count or result window.
    // Input waits until the verdict, as on a blocked thread: by then the
    // result window is modal, so Total Score's access key reaches nothing.
    void inputDuringThePauseGivesNoSecondPlay()
    {
        // Gives the input from inside the pause, however slow the machine,
        // then waits as the game does.
        struct PauseWithInput : Pause
        {
            QString input;
            int exitCode = -1;
            void wait(int milliseconds) override
            {
                exitCode = QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), input});
                Pause::wait(milliseconds);
            }
        } pause;
        MainWindowFixture f(&pause);
        QVERIFY(Screen::showAndWait(&f.window));
        f.enterNumberTest("1", "5", "3");
        QWidget *ok = f.get("CmdOK");
        const QPoint centre = ok->mapToGlobal(ok->rect().center());
        ok->setFocus();
        pause.input = QStringLiteral("xdotool mousemove %1 %2 click 1 key Return space alt+t alt+F4")
                          .arg(centre.x())
                          .arg(centre.y());
        f.click("CmdOK");
        QCOMPARE(pause.exitCode, 0);
        // A second play would start as soon as the input came through.
        (void)Wait::holds([&] { return f.verdicts.size() == 1; }, 1000);
        QCOMPARE(f.verdicts.size(), size_t(1));
        QCOMPARE(f.book.AttemptCount(NumberTest), 1);
        QVERIFY(f.inFront("fraScoreClick", {"fraScore"}));
    }

    // Both lines of the score card stand whole on one line each while the
    // counts have one digit; the box keeps its size and font.
    void scoreLinesStandWholeInTheBox_data()
    {
        QTest::addColumn<int>("numberAttempts");
        QTest::addColumn<int>("pickAttempts");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("one pick") << 0 << 1;
        QTest::newRow("nine each") << 9 << 9;
    }
    void scoreLinesStandWholeInTheBox()
    {
        QFETCH(int, numberAttempts);
        QFETCH(int, pickAttempts);
        MainWindowFixture f;
        for (int i = 0; i < numberAttempts; ++i)
            f.book.RecordVerdict(NumberTest, true);
        for (int i = 0; i < pickAttempts; ++i)
            f.book.RecordVerdict(PickTheRightNumber, true);
        QVERIFY(Screen::showAndWait(&f.window));
        f.click("cmdScore");
        auto *box = f.get<QTextEdit>("txtTotalScore");
        const QStringList lines = scoreText(f.book).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QString seen;
        const auto whole = [&] {
            const QImage shown = Screen::pixels(box->viewport());
            const QList<int> bands = inkBandWidths(shown, shown.pixelColor(1, 1));
            seen = QStringLiteral("%1 lines of ink for %2 lines of text").arg(bands.size()).arg(lines.size());
            for (int i = 0; i < lines.size() && bands.size() == lines.size(); ++i) {
                const int expected = QFontMetrics(box->font()).boundingRect(lines[i]).width();
                seen = QStringLiteral("line %1 shows %2 px of ink, its text is %3 px").arg(i).arg(bands[i]).arg(expected);
                if (std::abs(bands[i] - expected) > 4)
                    return false;
            }
            return bands.size() == lines.size();
        };
        WAIT_VERIFY(whole(), seen);
    }
};

TEST_CLASS(TestScreenMainWindow, Widgets)
#include "tst_screen_mainwindow.moc"
