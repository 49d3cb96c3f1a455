// What the player sees of the four windows on a real X display under a
// window manager, under the light desktop palette and under a dark one.
#include "game/scorebook.h"
#include "shell/application.h"
#include "shell/clock.h"
#include "support/gameprocess.h"
#include "support/screen.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/wait.h"
#include "widgets/desktopcolours.h"
#include "widgets/windowsetup.h"
#include "windows/frmabout.h"
#include "windows/frmexitscreen.h"
#include "windows/frmresult.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

namespace {
// The "darker" colour scheme of qt6ct, as a desktop would hand it over.
QPalette darkPalette()
{
    QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        dark.setColor(role, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x3D, 0x3D, 0x3D));
    return dark;
}

QHash<QRgb, int> colourCounts(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    return counts;
}

QRgb mostCommon(const QHash<QRgb, int> &counts)
{
    QRgb common = 0;
    for (auto [colour, count] : counts.asKeyValueRange())
        common = count > counts.value(common) ? colour : common;
    return common;
}

// Contrast between the most common colour of a patch of screen (the
// background) and the colour farthest from it that fills a few pixels (the
// core of the text strokes).
double readability(const QImage &image)
{
    const QHash<QRgb, int> counts = colourCounts(image);
    const QRgb background = mostCommon(counts);
    double best = 1;
    for (auto [colour, count] : counts.asKeyValueRange())
        best = count >= 4 ? std::max(best, DesktopColours::contrast(QColor(background), QColor(colour))) : best;
    return best;
}

int differing(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

// The part of a control that its containers leave visible, in window coordinates.
QRect visibleRect(const QWidget *w, const QWidget *window)
{
    QRect visible(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        visible &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return visible;
}

// With the fonts this machine substitutes, the labels, buttons and frames
// whose caption (or picture) needs more room than their containers leave.
QStringList clippedCaptions(QWidget *window)
{
    QStringList clipped;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        auto *label = qobject_cast<QLabel *>(w);
        if (w->isHidden() || !(label || qobject_cast<QAbstractButton *>(w) || qobject_cast<QGroupBox *>(w)))
            continue;
        QSize need = label && label->wordWrap() ? QSize(0, label->heightForWidth(w->width())) : w->minimumSizeHint();
        // The style widens a push button's wish to a minimum: measure its
        // caption within its margins and frame.
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            const int margin = w->style()->pixelMetric(QStyle::PM_ButtonMargin) + w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
            need = w->fontMetrics().size(Qt::TextShowMnemonic, button->text()) + QSize(2 * margin, 0);
        }
        if (need.boundedTo(visibleRect(w, window).size()) != need)
            clipped << w->objectName();
    }
    return clipped;
}
} // namespace

class TestScreenWindows : public QObject
{
    Q_OBJECT

    QPalette m_light;
    ScoreBook m_book;
    ScriptedRandom m_random;
    NoPause m_pause;
    CountingHooks m_hooks;
    CountingEnd m_end;

    // Shows one of the four windows (the result window with a correct or a
    // wrong verdict), hands it to `check`, and closes it.
    void onScreen(const QString &form, const std::function<void(QWidget *)> &check, bool correct = true)
    {
        auto run = [&](QWidget *window) {
            QVERIFY(Screen::showAndWait(window));
            check(window);
        };
        // The same support message each time.
        m_random.queue({0.0f});
        if (form == u"frmResult") {
            // It shows itself, modal, and returns once closed.
            QTimer::singleShot(0, [&] {
                QTRY_VERIFY(QApplication::activeModalWidget());
                run(QApplication::activeModalWidget());
                QApplication::activeModalWidget()->close();
            });
            return frmResult::ShowVerdict(correct);
        }
        std::unique_ptr<QWidget> window;
        if (form == u"frmMain")
            window = std::make_unique<frmMain>(m_book, m_random, m_pause, m_hooks);
        else if (form == u"frmAbout")
            window = std::make_unique<frmAbout>();
        else
            window = std::make_unique<frmExitScreen>(m_random, m_end);
        run(window.get());
    }

    // The readable controls readable, each brought to the front.
    void readable(QWidget *window, const QString &names)
    {
        for (const QString &name : names.split(u' ')) {
            QWidget *w = control(window, qPrintable(name));
            for (QWidget *p = w; p != window; p = p->parentWidget())
                p->raise();
            if (auto *line = qobject_cast<QLineEdit *>(w))
                line->setText(QStringLiteral("123"));
            if (auto *box = qobject_cast<QTextEdit *>(w))
                box->setPlainText(QStringLiteral("123"));
            // Inset past borders and focus frames, which are not text.
            const QRect inner = visibleRect(w, window).adjusted(4, 4, -4, -4).translated(window->mapToGlobal(QPoint(0, 0)));
            double ratio = 0;
            WAIT_VERIFY((ratio = readability(Screen::pixels(inner))) >= 4.5, QStringLiteral("%1 %2:1").arg(name).arg(ratio, 0, 'f', 1));
        }
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_light = QApplication::palette();
        // A control under the pointer looks hovered.
        QCursor::setPos(0, 0);
    }
    void cleanup() { QApplication::setPalette(m_light); }

    // Shown: controls the player sees at their middle as the window opens,
    // some with the colour that fills most of them. Readable: controls whose
    // text must stay readable where the definition pins the colour on the
    // other side. Hands: the controls with a hand pointer. The result window
    // tells a correct verdict under the light palette and a wrong one under
    // the dark. While the window is open the desktop changes to the other
    // scheme and back: each time the window looks as one opened under that
    // scheme.
    void windowsOpenCentredWithFittingCaptionsAndReadableText_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("readable");
        QTest::addColumn<QString>("hands");
        for (bool dark : {false, true}) {
            QTest::addRow("frmMain %d", dark) << "frmMain" << dark
                << "Frame2=#000000 Label61 fraMain=#400000 cmdNext fraScoreClick cmdScore Frame5=#000000 lblFullBrand cmdExit"
                << "cmdNext cmdScore cmdExit lblFullBrand menubar txtTotalScore cmdScoreOk txtRangeStart CmdOK"
                << "Label61 lblCobrand lblFiveNumbers_0 lblFiveNumbers_1 lblFiveNumbers_2 lblFiveNumbers_3 lblFiveNumbers_4 lblFullBrand";
            QTest::addRow("frmResult %d", dark) << "frmResult" << dark << "picResult=#ffc0c0 lblResult cmdTry" << "cmdTry" << "";
            QTest::addRow("frmAbout %d", dark) << "frmAbout" << dark << "frmAbout=#000000 picIcon Label1 lblHomePage lblCoBrand cmdOK"
                                               << "cmdOK" << "lblCoBrand lblHomePage";
            QTest::addRow("frmExitScreen %d", dark) << "frmExitScreen" << dark
                << "frmExitScreen=#ffffff Picture1 Label1 Label2 Check1 cmdClose Frame2=#000080 txtName cmdSubmit Frame6=#000080 lblGoToHome"
                << "Label1 Label2 cmdClose Check1 txtName cmdSubmit" << "Check1 lblGoToHome";
        }
    }
    void windowsOpenCentredWithFittingCaptionsAndReadableText()
    {
        QFETCH(QString, form);
        QFETCH(bool, dark);
        QFETCH(QString, shown);
        QFETCH(QString, readable);
        QFETCH(QString, hands);
        const QPalette opened = dark ? darkPalette() : m_light;
        const QPalette changed = dark ? m_light : darkPalette();
        // openbox puts a window without a position of its own in the middle of
        // the free area: fill the middle so that only a centred one lands there.
        QWidget blocker;
        blocker.setGeometry(QRect(QGuiApplication::primaryScreen()->availableGeometry().center() - QPoint(150, 150), QSize(300, 300)));
        QVERIFY(Screen::showAndWait(&blocker));
        // The result window shows the verdict in its colour.
        const auto verdictShown = [&](QWidget *window) {
            if (form != u"frmResult")
                return;
            const QImage verdict = Screen::pixels(control(window, "lblResult"));
            const QColor green(0, 128, 0), darkRed(128, 0, 0);
            const QColor told = dark ? darkRed : green, other = dark ? green : darkRed;
            WAIT_VERIFY(Screen::share(verdict, told) > 0.02 && Screen::share(verdict, other) == 0,
                        QStringLiteral("the verdict's colour on %1 of its label, the other's on %2")
                            .arg(Screen::share(verdict, told)).arg(Screen::share(verdict, other)));
        };
        // A window opened under the other scheme.
        QImage changedLook, openedLook, seen;
        QApplication::setPalette(changed);
        onScreen(form, [&](QWidget *window) {
            this->readable(window, readable);
            verdictShown(window);
            changedLook = Screen::settled(window);
        }, !dark);
        if (QTest::currentTestFailed())
            return;
        QApplication::setPalette(opened);
        onScreen(form, [&](QWidget *window) {
            QPointF off;
            WAIT_VERIFY((off = QRectF(window->frameGeometry()).center() - QRectF(window->screen()->availableGeometry()).center(),
                         std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2),
                        QStringLiteral("off centre by %1,%2").arg(off.x()).arg(off.y()));
            QVERIFY2(clippedCaptions(window).isEmpty(), qPrintable(clippedCaptions(window).join(u' ')));
            for (const QString &item : shown.split(u' ')) {
                const QString name = item.section(u'=', 0, 0), colour = item.section(u'=', 1);
                const QWidget *w = name == window->objectName() ? window : control(window, qPrintable(name));
                const QRect area = visibleRect(w, window);
                const QWidget *there = window->childAt(area.center());
                QVERIFY2(w == window || (there && (there == w || w->isAncestorOf(there))),
                         qPrintable(name + QStringLiteral(" lies under ") + (there ? there->objectName() : QString())));
                QString filled;
                WAIT_VERIFY(colour.isEmpty()
                                || (filled = QColor(mostCommon(colourCounts(Screen::pixels(area.translated(window->mapToGlobal(QPoint(0, 0))))))).name())
                                    == colour,
                            name + QStringLiteral(" filled with ") + filled);
            }
            const QRegularExpression host(QStringLiteral("\\b[a-z0-9-]+(\\.[a-z0-9-]+)*\\.(com|org|net)\\b"));
            QStringList pointing;
            for (const QWidget *w : window->findChildren<QWidget *>()) {
                for (auto m = host.globalMatch(w->property("text").toString() + w->property("title").toString()); m.hasNext();)
                    QVERIFY2(QStringList({NUMENSIGHT_MAIN_HOST, NUMENSIGHT_HELP_HOST}).contains(m.next().captured()), qPrintable(w->objectName()));
                if (w->cursor().shape() == Qt::PointingHandCursor && !w->objectName().startsWith(QLatin1String("qt_")))
                    pointing << w->objectName();
            }
            pointing.sort();
            QCOMPARE(pointing.join(u' '), hands);
            this->readable(window, readable);
            verdictShown(window);
            openedLook = Screen::settled(window);
            // The desktop changes to the other scheme and back.
            for (const QImage *look : {&changedLook, &openedLook}) {
                QApplication::setPalette(look == &changedLook ? changed : opened);
                WAIT_VERIFY((seen = Screen::pixels(window)) == *look,
                            QStringLiteral("%1 pixels differ from the window opened under that scheme").arg(differing(seen, *look)));
            }
        }, !dark);
    }

    // What the window manager makes of each window: its title; a frame with
    // a title bar, the result window none at all; no way to resize, maximise
    // or minimise it (size hints that fix the size, and a frame asked for
    // without those buttons); its states: the result and About windows
    // modal, the exit window above the others, the About window off the
    // taskbar.
    void windowManagerKeepsEachWindowAsDefined_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("framed");
        QTest::addColumn<QString>("states");
        QTest::newRow("frmMain") << "frmMain" << "Numensight v1.65" << true << "";
        QTest::newRow("frmResult") << "frmResult" << "Tutorwisp v1.0" << false << "_NET_WM_STATE_MODAL";
        QTest::newRow("frmAbout") << "frmAbout" << "Numensight v1.65" << true << "_NET_WM_STATE_MODAL _NET_WM_STATE_SKIP_TASKBAR";
        QTest::newRow("frmExitScreen") << "frmExitScreen" << "Numensight v1.65" << true << "_NET_WM_STATE_ABOVE";
    }
    void windowManagerKeepsEachWindowAsDefined()
    {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QFETCH(bool, framed);
        QFETCH(QString, states);
        onScreen(form, [&](QWidget *window) {
            // Stated by openbox once it has framed the window: left, right, top, bottom.
            QList<quint32> frame;
            WAIT_VERIFY((frame = Screen::numbers(Screen::property(window, QStringLiteral("_NET_FRAME_EXTENTS")))).size() == 4
                            && (framed ? frame[2] > frame[0] : frame == QList<quint32>(4, 0)),
                        Screen::property(window, QStringLiteral("_NET_FRAME_EXTENTS")));
            QCOMPARE(Screen::property(window, QStringLiteral("_NET_WM_NAME")), QStringLiteral(" = \"%1\"").arg(title));
            const QString size = QStringLiteral("size: %1 by %2").arg(window->width()).arg(window->height());
            const QString hints = Screen::property(window, QStringLiteral("WM_NORMAL_HINTS"));
            QVERIFY2(hints.contains(QStringLiteral("minimum ") + size) && hints.contains(QStringLiteral("maximum ") + size), qPrintable(hints));
            const QString actions = Screen::property(window, QStringLiteral("_NET_WM_ALLOWED_ACTIONS"));
            QVERIFY2(actions.contains(QLatin1String("_NET_WM_ACTION_CLOSE")) && !actions.contains(QLatin1String("_NET_WM_ACTION_RESIZE"))
                         && !actions.contains(QLatin1String("_NET_WM_ACTION_MAXIMIZE")),
                     qPrintable(actions));
            // Flags, functions, decorations: decorations named (flag 2), and
            // neither all of them (1) nor minimise (0x20) nor maximise (0x40).
            const QList<quint32> motif = Screen::numbers(Screen::property(window, QStringLiteral("_MOTIF_WM_HINTS")));
            QVERIFY2(motif.size() == 5 && (motif[0] & 2) && !(motif[2] & 0x61) && bool(motif[2]) == framed,
                     qPrintable(Screen::property(window, QStringLiteral("_MOTIF_WM_HINTS"))));
            QStringList held = Screen::property(window, QStringLiteral("_NET_WM_STATE")).section(u'=', 1).split(u',', Qt::SkipEmptyParts);
            for (QString &state : held)
                state = state.trimmed();
            held.sort();
            QCOMPARE(held.join(u' '), states);
        });
    }

    // Tab keys typed through the X server move the focus in the order the
    // definitions number it, from the control named first (or, with none,
    // from where the focus lands as the window opens): from the range's end
    // on to OK and Back before the chosen number, into panels that lie
    // behind; past the exit window's invisible message box back to E&xit.
    void tabWalksTheDefinedOrder_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("walk");
        QTest::newRow("frmMain") << "frmMain" << "cmdNext"
            << "cmdScore txtRangeStart txtRangeEnd CmdOK cmdBack txtChuosenNumber cmdExit cmdBackPick txtNumberOfAttemp cmdReset cmdScoreOk txtTotalScore";
        QTest::newRow("frmResult") << "frmResult" << "" << "cmdTry cmdTry";
        QTest::newRow("frmAbout") << "frmAbout" << "" << "cmdOK cmdOK";
        QTest::newRow("frmExitScreen") << "frmExitScreen" << ""
            << "cmdClose Check1 txtName cmdSubmit txtEmail txtFriendEmail txtFriendName txtMessage cmdClose";
    }
    void tabWalksTheDefinedOrder()
    {
        QFETCH(QString, form);
        QFETCH(QString, start);
        QFETCH(QString, walk);
        onScreen(form, [&](QWidget *window) {
            QStringList walked;
            if (!start.isEmpty()) {
                control(window, qPrintable(start))->setFocus();
                walked << start;
            }
            auto focus = [] { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); };
            for (const QString &next : walk.split(u' ')) {
                if (!walked.isEmpty())
                    QVERIFY(X11::press(QStringLiteral("Tab")));
                WAIT_VERIFY(focus() == next, walked.join(u' ') + QStringLiteral(" then ") + focus());
                walked << next;
            }
        });
    }

    // The icon the window manager gets for a window of the real start-up,
    // at each size it is offered, in the colours of the picture drawn for
    // that size.
    void startUpGivesTheWindowsTheProgramsIcon()
    {
        QTemporaryDir folder;
        ApplicationPaths paths{folder.filePath(QStringLiteral("lock")), folder.filePath(QStringLiteral("settings.ini"))};
        Clock clock;
        Application application(paths, m_random, clock, m_end);
        QVERIFY(application.StartApplication());
        QWidget *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            window = qobject_cast<frmMain *>(w) ? w : window;
        QVERIFY(window && Screen::showAndWait(window));
        QList<quint32> icon;
        WAIT_VERIFY(!(icon = Screen::numbers(Screen::property(window, QStringLiteral("_NET_WM_ICON"), QStringLiteral("32c")))).isEmpty(),
                    QStringLiteral("no icon"));
        QList<int> sides;
        for (qsizetype at = 0; at + 2 <= icon.size(); at += 2 + qsizetype(icon[at]) * icon[at + 1]) {
            const int side = int(icon[at]);
            QCOMPARE(int(icon[at + 1]), side);
            QVERIFY(at + 2 + side * side <= icon.size());
            QImage given(side, side, QImage::Format_ARGB32);
            std::copy_n(icon.constBegin() + at + 2, side * side, reinterpret_cast<quint32 *>(given.bits()));
            const QImage drawn(QStringLiteral(NUMENSIGHT_SOURCE_DIR "/src/widgets/icons/numensight-%1.png").arg(side));
            QVERIFY2(given.convertToFormat(QImage::Format_ARGB32_Premultiplied) == drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     qPrintable(QStringLiteral("%1 px").arg(side)));
            sides << side;
        }
        QVERIFY2(sides.contains(32), qPrintable(QStringLiteral("sizes given: %1").arg(sides.size())));
    }

    // The About and exit windows show the icon's 32 px picture: each of its
    // opaque pixels on the screen as drawn, at the picture's place.
    void windowsShowTheIconInItsColours_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("picture");
        QTest::newRow("frmAbout") << "frmAbout" << "picIcon";
        QTest::newRow("frmExitScreen") << "frmExitScreen" << "Picture1";
    }
    void windowsShowTheIconInItsColours()
    {
        QFETCH(QString, form);
        QFETCH(QString, picture);
        const QImage drawn = QImage(QStringLiteral(NUMENSIGHT_SOURCE_DIR "/src/widgets/icons/numensight-32.png")).convertToFormat(QImage::Format_ARGB32);
        onScreen(form, [&](QWidget *window) {
            const QWidget *place = control(window, qPrintable(picture));
            // The opaque pixels of the picture that differ on the screen, at
            // its best place in the control.
            const auto mismatched = [&] {
                const QImage shown = Screen::pixels(place);
                int fewest = 32 * 32;
                for (int top = 0; top + 32 <= shown.height(); ++top)
                    for (int left = 0; left + 32 <= shown.width(); ++left) {
                        int differ = 0;
                        for (int y = 0; y < 32; ++y)
                            for (int x = 0; x < 32; ++x)
                                differ += qAlpha(drawn.pixel(x, y)) == 255
                                    && (drawn.pixel(x, y) & 0xFFFFFF) != (shown.pixel(left + x, top + y) & 0xFFFFFF);
                        fewest = std::min(fewest, differ);
                    }
                return fewest;
            };
            int fewest = 0;
            WAIT_VERIFY((fewest = mismatched()) == 0,
                        QStringLiteral("%1 pixels of the picture differ").arg(fewest));
        });
    }

    // A window larger than the free area is placed with its frame's top-left
    // corner in it, so that its title bar can still be reached.
    void aWindowLargerThanTheScreenKeepsItsTitleBarOnIt()
    {
        QWidget window;
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        window.resize(available.size() + QSize(120, 160));
        setUpWindow(&window);
        QVERIFY(Screen::showAndWait(&window));
        QList<quint32> frame;
        QRect placed;
        WAIT_VERIFY((frame = Screen::numbers(Screen::property(&window, QStringLiteral("_NET_FRAME_EXTENTS")))).size() == 4 && frame[2] > 0
                        && (placed = window.frameGeometry()).top() >= available.top() && placed.left() >= available.left()
                        && placed.top() < available.top() + int(frame[2]),
                    QStringLiteral("frame at %1,%2").arg(placed.left()).arg(placed.top()));
    }
};

QTEST_MAIN(TestScreenWindows)
#include "tst_screen_windows.moc"
