// What the player sees of the four windows on a real X display under a
// window manager, under the light desktop palette and under a dark one.
#include "game/scorebook.h"
#include "mainwindow/frmabout.h"
#include "mainwindow/frmresult.h"
#include "shell/frmexitscreen.h"
#include "support/screen.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/testmain.h"
#include "support/wait.h"
#include "windows/desktopcolours.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyleOption>
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
        background = it.value() > counts.value(background) ? it.key() : background;
    double best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = it.value() >= 4 ? std::max(best, DesktopColours::contrast(QColor(background), QColor(it.key()))) : best;
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
    return caption.replace(QLatin1String("&&"), QLatin1String("\x01")).remove(u'&').replace(u'\x01', u'&');
}

// With the fonts this machine substitutes, the controls whose one-line
// caption overflows their width, or whose wrapped one the height their
// containers leave.
QStringList clippedCaptions(QWidget *window)
{
    QStringList clipped;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isWindow() || w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_")) || w->isHidden())
            continue;
        const QFontMetrics metrics(w->font());
        QString text;
        int room = w->contentsRect().width();
        QStyleOptionButton option;
        option.initFrom(w);
        if (auto *label = qobject_cast<QLabel *>(w)) {
            // Without a buddy a label draws "&&" as two ampersands.
            if (label->contentsRect().width() < label->pixmap().width() || label->contentsRect().height() < label->pixmap().height()
                || (label->text().contains(QLatin1String("&&")) && !label->buddy())
                || (label->wordWrap()
                    && metrics.boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text()).height() > visibleRect(w, window).height()))
                clipped << w->objectName();
            text = label->wordWrap() ? QString() : label->buddy() ? withoutAccessMarks(label->text()) : label->text();
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            text = withoutAccessMarks(button->text());
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

    // Opens one of the four windows on the screen, hands it to `check`, and closes it.
    void onScreen(const QString &form, const std::function<void(QWidget *)> &check)
    {
        auto run = [&](QWidget *window) {
            QVERIFY(Screen::showAndWait(window));
            check(window);
        };
        if (form == u"frmResult") {
            QTimer::singleShot(0, [&] {
                QTRY_VERIFY(QApplication::activeModalWidget());
                run(QApplication::activeModalWidget());
                QApplication::activeModalWidget()->close();
            });
            return frmResult::ShowVerdict(true);
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

private Q_SLOTS:
    void initTestCase() { m_light = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(m_light); }

    // Looks: a panel to bring to the front ("-" for none), then the controls
    // whose text must stay readable where the definition pins the colour on
    // the other side.
    void windowsOpenCentredWithFittingCaptionsAndReadableText_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QStringList>("looks");
        for (bool dark : {false, true}) {
            QTest::addRow("frmMain %d", dark) << "frmMain" << dark
                << QStringList{"fraMain cmdNext cmdScore cmdExit lblFullBrand menubar", "fraScore txtTotalScore cmdScoreOk",
                               "fraNumberTest txtRangeStart CmdOK"};
            QTest::addRow("frmResult %d", dark) << "frmResult" << dark << QStringList{"- cmdTry"};
            QTest::addRow("frmAbout %d", dark) << "frmAbout" << dark << QStringList{"- cmdOK"};
            QTest::addRow("frmExitScreen %d", dark) << "frmExitScreen" << dark
                << QStringList{"- Label1 Label2 cmdClose Check1 txtName cmdSubmit"};
        }
    }
    void windowsOpenCentredWithFittingCaptionsAndReadableText()
    {
        QFETCH(QString, form);
        QFETCH(bool, dark);
        QFETCH(QStringList, looks);
        QApplication::setPalette(dark ? darkPalette() : m_light);
        // openbox puts a window without a position of its own in the middle of
        // the free area: fill the middle so that only a centred one lands there.
        QWidget blocker;
        blocker.setGeometry(QRect(QGuiApplication::primaryScreen()->availableGeometry().center() - QPoint(150, 150), QSize(300, 300)));
        QVERIFY(Screen::showAndWait(&blocker));
        onScreen(form, [&](QWidget *window) {
            QPointF off;
            WAIT_VERIFY((off = QRectF(window->frameGeometry()).center() - QRectF(window->screen()->availableGeometry()).center(),
                         std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2),
                        QStringLiteral("off centre by %1,%2").arg(off.x()).arg(off.y()));
            QVERIFY2(clippedCaptions(window).isEmpty(), qPrintable(clippedCaptions(window).join(u' ')));
            // A caption that names a web site names a host this build's links open.
            const QRegularExpression host(QStringLiteral("\\b[a-z0-9-]+(\\.[a-z0-9-]+)*\\.(com|org|net)\\b"));
            for (const QWidget *w : window->findChildren<QWidget *>())
                for (auto m = host.globalMatch(w->property("text").toString() + w->property("title").toString()); m.hasNext();)
                    QVERIFY2(QStringList({NUMENSIGHT_MAIN_HOST, NUMENSIGHT_HELP_HOST}).contains(m.next().captured()), qPrintable(w->objectName()));
            for (const QString &look : looks) {
                const QStringList names = look.split(u' ');
                if (names[0] != u"-")
                    control(window, qPrintable(names[0]))->raise();
                for (const QString &name : names.mid(1)) {
                    QWidget *w = control(window, qPrintable(name));
                    if (auto *line = qobject_cast<QLineEdit *>(w))
                        line->setText(QStringLiteral("123"));
                    if (auto *box = qobject_cast<QTextEdit *>(w))
                        box->setPlainText(QStringLiteral("0 Correct Out Of 1\n0 Correct Out Of 1 Attempts"));
                    // Inset past borders and focus frames, which are not text.
                    const QRect inner = visibleRect(w, window).adjusted(4, 4, -4, -4).translated(window->mapToGlobal(QPoint(0, 0)));
                    double ratio = 0;
                    WAIT_VERIFY((ratio = readability(Screen::pixels(inner))) >= 4.5, QStringLiteral("%1 %2:1").arg(name).arg(ratio, 0, 'f', 1));
                }
            }
        });
    }

    // Another window, newer and active, over the exit window leaves it in sight.
    void exitWindowStaysAboveOtherWindows()
    {
        onScreen(QStringLiteral("frmExitScreen"), [](QWidget *exit) {
            QWidget cover;
            cover.setPalette(QPalette(Qt::red));
            cover.setAutoFillBackground(true);
            cover.setGeometry(exit->screen()->availableGeometry().adjusted(20, 40, -20, -20));
            QVERIFY(Screen::showAndWait(&cover));
            double red = 0;
            WAIT_VERIFY((red = Screen::share(Screen::pixels(QRect(cover.mapToGlobal(QPoint(0, 0)), QSize(20, 20))), Qt::red)) > 0.9,
                        QStringLiteral("the cover red on %1 of its corner").arg(red));
            QVERIFY2(Wait::holds([&] { return (red = Screen::share(Screen::pixels(exit), Qt::red)) < 0.01; }, 500),
                     qPrintable(QStringLiteral("the cover shows on %1 of the exit window").arg(red)));
        });
    }
};

TEST_CLASS(TestScreenWindows, Widgets)
#include "tst_screen_windows.moc"
