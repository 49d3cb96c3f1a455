#include "support/mainwindowfixture.h"
#include "support/screen.h"
#include "support/wait.h"

#include <QProcess>
#include <QTest>
#include <QTextEdit>

namespace {
// The rows of an image that hold anything but its background colour, in
// bands of adjacent rows: for each band its top, height and the columns
// its ink spans.
struct Band
{
    int top, height, left, right;
};
QList<Band> inkBands(const QImage &image)
{
    QList<Band> bands;
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        int left = image.width(), right = -1;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background) {
                left = std::min(left, x);
                right = x;
            }
        }
        if (right < 0)
            continue;
        if (bands.isEmpty() || bands.last().top + bands.last().height != y)
            bands.append({y, 0, left, right});
        Band &band = bands.last();
        band = {band.top, band.height + 1, std::min(band.left, left), std::max(band.right, right)};
    }
    return bands;
}
} // namespace

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

    // Each score line stands whole on one line of the score box, centred,
    // an empty line between them: two bands of ink, each one line high and
    // as wide as its text, a line apart. (The longer line takes counts of one
    // digit; with two, its text is wider than the box.)
    void scoreLinesStandWholeAndCentredInTheBox()
    {
        MainWindowFixture f;
        for (int i = 0; i < 34; ++i)
            f.book.RecordVerdict(NumberTest, i < 12);
        for (int i = 0; i < 9; ++i)
            f.book.RecordVerdict(PickTheRightNumber, true);
        QVERIFY(Screen::showAndWait(&f.window));
        f.click("cmdScore");
        const QWidget *box = f.get<QTextEdit>("txtTotalScore")->viewport();
        const QFontMetrics metrics(box->font());
        const QStringList lines{QStringLiteral("Number Test :-  12 Correct Out Of 34 Attempts"),
                                QStringLiteral("Pick The Right Number :-  9 Correct Out Of 9 Attempts")};
        QString seen;
        const auto shownAsLines = [&] {
            const QImage shown = Screen::pixels(box);
            const QList<Band> bands = inkBands(shown);
            seen = QStringLiteral("%1 bands of ink").arg(bands.size());
            if (bands.size() != 2 || bands[1].top - bands[0].top < 2 * metrics.lineSpacing())
                return false;
            for (int i = 0; i < 2; ++i) {
                const Band &band = bands[i];
                const int ink = band.right - band.left + 1;
                seen = QStringLiteral("line %1: %2 px high, %3 px of ink for %4 px of text, %5 px left and %6 px right of it")
                           .arg(i + 1).arg(band.height).arg(ink).arg(metrics.horizontalAdvance(lines[i]))
                           .arg(band.left).arg(shown.width() - 1 - band.right);
                if (band.height > metrics.height() || std::abs(ink - metrics.horizontalAdvance(lines[i])) > 3
                    || std::abs(band.left - (shown.width() - 1 - band.right)) > 3)
                    return false;
            }
            return true;
        };
        WAIT_VERIFY(shownAsLines(), seen);
    }
};

QTEST_MAIN(TestScreenMainWindow)
#include "tst_screen_mainwindow.moc"
