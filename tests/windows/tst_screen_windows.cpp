// What the player sees of the four windows on a real X display under a
// window manager, under the light desktop palette and under a dark one.
#include "game/randomsource.h"
#include "support/testmain.h"
#include "game/scorebook.h"
#include "mainwindow/frmabout.h"
#include "mainwindow/frmmain.h"
#include "mainwindow/frmresult.h"
#include "shell/frmexitscreen.h"
#include "pages/publisherhosts.h"
#include "support/gameprocess.h"
#include "support/screen.h"
#include "support/standins.h"
#include "support/wait.h"
#include "windows/desktopcolours.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// The "darker" colour scheme of qt6ct, as a desktop would hand it over.
QPalette darkPalette()
{
    QPalette dark(QColor(0x42, 0x42, 0x45), QColor(0x22, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x3D, 0x3D, 0x3D));
    return dark;
}

// Contrast between the most common colour of a patch of screen (the
// background) and the colour farthest from it that fills a few pixels (the
// core of the text strokes).
double readability(const QImage &image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts.value(background))
            background = it.key();
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() >= 4)
            best = std::max(best, DesktopColours::contrast(QColor(background), QColor(it.key())));
    return best;
}

// The part of a control that its containers leave visible, in window coordinates.
QRect visibleRect(const QWidget *w, const QWidget *window)
{
    QRect visible(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        visible &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return visible;
}

QString withoutAccessMarks(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(u'&');
    return caption.replace(u'\x01', u'&');
}

bool isOurs(const QWidget *w)
{
    return !w->isWindow() && !w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_"));
}

// The window's pixels once two reads in a row agree and differ from `before`; null if never.
QImage settled(const QWidget *window, const QImage &before = {})
{
    QImage seen, previous;
    return Wait::until([&] { return (previous = std::exchange(seen, Screen::pixels(window))) == seen && seen != before; })
        ? seen : QImage();
}

} // namespace

class TestScreenWindows : public QObject
{
    Q_OBJECT

    QPalette m_light;
    ScoreBook m_book;
    RandomSource m_random;
    NoPause m_pause;
    CountingHooks m_hooks;
    CountingEnd m_end;

    // Opens one of the four windows on the screen under the named palette,
    // hands it to `check`, and closes it.
    void onScreen(const QString &form, const QString &scheme, const std::function<void(QWidget *)> &check)
    {
        QApplication::setPalette(scheme == u"dark" ? darkPalette() : m_light);
        const bool switchLater = scheme == u"dark after opening";
        auto run = [&](QWidget *window) {
            QVERIFY(Screen::showAndWait(window));
            if (switchLater) {
                // Text still drawn under the light palette would pass for readable.
                const QImage light = settled(window);
                QApplication::setPalette(darkPalette());
                QVERIFY2(!light.isNull() && !settled(window, light).isNull(), "the window did not settle in the dark palette");
            }
            check(window);
        };
        if (form == u"frmResult") {
            QTimer::singleShot(0, [&] {
                QTRY_VERIFY(QApplication::activeModalWidget());
                QWidget *window = QApplication::activeModalWidget();
                run(window);
                window->close();
            });
            frmResult::ShowVerdict(true);
            return;
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

    static void addForms()
    {
        QTest::addColumn<QString>("form");
        for (const char *form : {"frmMain", "frmResult", "frmAbout", "frmExitScreen"})
            QTest::newRow(form) << form;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_light = QApplication::palette();
        m_random.seed(1);
    }

    void cleanup() { QApplication::setPalette(m_light); }

    void windowsOpenCentred_data() { addForms(); }
    void windowsOpenCentred()
    {
        QFETCH(QString, form);
        // openbox puts a window without a position of its own in the middle of
        // the free area: fill the middle so that only a centred one lands there.
        QWidget blocker;
        blocker.setGeometry(QRect(0, 0, 300, 300).translated(QGuiApplication::primaryScreen()->availableGeometry().center() - QPoint(150, 150)));
        QVERIFY(Screen::showAndWait(&blocker));
        onScreen(form, QStringLiteral("light"), [](QWidget *window) {
            // The whole window, frame and title bar included, as the server has it.
            const QRectF area = window->screen()->availableGeometry();
            QRectF frame;
            QPointF off;
            WAIT_VERIFY((frame = X11::frame(QString::number(window->winId())), off = frame.center() - area.center(),
                         std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2),
                        QStringLiteral("frame %1,%2 %3x%4 off centre by %5,%6").arg(frame.x()).arg(frame.y())
                            .arg(frame.width()).arg(frame.height()).arg(off.x()).arg(off.y()));
        });
    }

    // Text drawn by the desktop's colours or against them stays readable
    // where the definition pins the colour on the other side.
    void textIsReadable_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("front");
        QTest::addColumn<QString>("controls");
        QTest::addColumn<QString>("scheme");
        const struct { const char *form, *front, *controls; } looks[] = {
            {"frmMain", "", "cmdNext cmdScore cmdExit lblFullBrand menubar"},
            {"frmMain", "fraScore", "txtTotalScore cmdScoreOk"},
            {"frmMain", "fraNumberTest", "txtRangeStart CmdOK"},
            {"frmResult", "", "cmdTry"},
            {"frmAbout", "", "cmdOK"},
            {"frmExitScreen", "", "Label1 Label2 cmdClose Check1 txtName cmdSubmit"},
        };
        for (const char *scheme : {"light", "dark", "dark after opening"})
            for (const auto &look : looks)
                QTest::addRow("%s %s %s", scheme, look.form, look.front)
                    << look.form << look.front << look.controls << QString::fromLatin1(scheme);
    }
    void textIsReadable()
    {
        QFETCH(QString, form);
        QFETCH(QString, front);
        QFETCH(QString, controls);
        QFETCH(QString, scheme);
        onScreen(form, scheme, [&](QWidget *window) {
            if (!front.isEmpty())
                window->findChild<QWidget *>(front)->raise();
            for (const QString &name : controls.split(u' ')) {
                auto *w = window->findChild<QWidget *>(name);
                QVERIFY2(w, qPrintable(name));
                if (auto *line = qobject_cast<QLineEdit *>(w))
                    line->setText(QStringLiteral("123"));
                if (auto *box = qobject_cast<QTextEdit *>(w))
                    box->setPlainText(QStringLiteral("0 Correct Out Of 1\n0 Correct Out Of 1 Attempts"));
                // Inset past borders and focus frames, which are not text.
                const QRect inner = visibleRect(w, window).adjusted(4, 4, -4, -4);
                double ratio = 0;
                WAIT_VERIFY((ratio = readability(Screen::pixels(inner.translated(window->mapToGlobal(QPoint(0, 0)))))) >= 4.5,
                            QStringLiteral("%1 %2:1").arg(name).arg(ratio, 0, 'f', 1));
            }
        });
    }

    // A caption that names a web site names the host this build's links open.
    void captionsNameTheBuildsHost_data() { addForms(); }
    void captionsNameTheBuildsHost()
    {
        QFETCH(QString, form);
        const QRegularExpression host(QStringLiteral("\\b[a-z0-9-]+(\\.[a-z0-9-]+)*\\.(com|org|net)\\b"));
        onScreen(form, QStringLiteral("light"), [&](QWidget *window) {
            QStringList foreign;
            for (QWidget *w : window->findChildren<QWidget *>()) {
                const QString text = w->property("text").toString() + w->property("title").toString();
                for (auto match = host.globalMatch(text); match.hasNext();) {
                    const QString named = match.next().captured();
                    if (named != PublisherHosts::mainHost() && named != PublisherHosts::helpHost())
                        foreign << w->objectName() + u':' + named;
                }
            }
            QVERIFY2(foreign.isEmpty(), qPrintable(foreign.join(QStringLiteral(", "))));
        });
    }

    // With the fonts this machine substitutes, one-line captions fit their
    // control's width and wrapped ones the height their containers leave.
    void captionsFit_data() { addForms(); }
    void captionsFit()
    {
        QFETCH(QString, form);
        onScreen(form, QStringLiteral("light"), [&](QWidget *window) {
            QStringList clipped;
            for (QWidget *w : window->findChildren<QWidget *>()) {
                if (!isOurs(w) || w->isHidden())
                    continue;
                const QFontMetrics metrics(w->font());
                QString text;
                int room = w->contentsRect().width();
                if (auto *label = qobject_cast<QLabel *>(w)) {
                    const QSize picture = label->pixmap().size();
                    // Without a buddy a label draws "&&" as two ampersands.
                    if (label->contentsRect().width() < picture.width() || label->contentsRect().height() < picture.height()
                        || (label->text().contains(QLatin1String("&&")) && !label->buddy()))
                        clipped << w->objectName();
                    if (label->wordWrap()) {
                        const int needed = metrics.boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text()).height();
                        if (needed > visibleRect(w, window).height())
                            clipped << w->objectName();
                        continue;
                    }
                    text = label->buddy() ? withoutAccessMarks(label->text()) : label->text();
                } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
                    text = withoutAccessMarks(button->text());
                    QStyleOptionButton option;
                    option.initFrom(w);
                    room -= qobject_cast<QRadioButton *>(w)
                        ? w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, w)
                            + w->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, w)
                        : 2 * (w->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, w)
                               + w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, w));
                } else if (auto *line = qobject_cast<QLineEdit *>(w)) {
                    text = line->text();
                    room -= 8;
                } else if (auto *frame = qobject_cast<QGroupBox *>(w)) {
                    text = frame->title();
                    room -= 16;
                }
                if (metrics.horizontalAdvance(text) > room || (!text.isEmpty() && metrics.height() > w->height()))
                    clipped << w->objectName();
            }
            QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
        });
    }

    // The big digits are drawn from the top of their bordered tiles; a
    // label's automatic indent would push them through the bottom border.
    void tileDigitsAreWhole()
    {
        onScreen(QStringLiteral("frmMain"), QStringLiteral("light"), [](QWidget *window) {
            window->findChild<QWidget *>(QStringLiteral("fraPickRightNumber"))->raise();
            for (int i = 0; i < 5; ++i) {
                QImage tile;
                int top, bottom;
                const auto whole = [&] {
                    tile = Screen::pixels(window->findChild<QWidget *>(QStringLiteral("lblFiveNumbers_%1").arg(i)));
                    top = tile.height(), bottom = -1;
                    // The border, two pixels wide, is drawn in the digit's colour.
                    for (int y = 2; y < tile.height() - 2; ++y) {
                        for (int x = 2; x < tile.width() - 2; ++x) {
                            if (tile.pixel(x, y) == QColor(0xF0F1BE).rgb()) {
                                top = std::min(top, y);
                                bottom = std::max(bottom, y);
                            }
                        }
                    }
                    return bottom >= 0 && top < tile.height() / 2 && bottom < tile.height() - 3;
                };
                WAIT_VERIFY(whole(), QStringLiteral("tile %1: digit on rows %2 to %3 of %4").arg(i).arg(top).arg(bottom).arg(tile.height()));
            }
        });
    }
};

TEST_CLASS(TestScreenWindows, Widgets)
#include "tst_screen_windows.moc"
