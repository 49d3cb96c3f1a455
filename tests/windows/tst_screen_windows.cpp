// What the player sees of the four windows on a real X display under a
// window manager, under the light desktop palette and under a dark one.
#include "game/scorebook.h"
#include "support/screen.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"
#include "support/wait.h"
#include "widgets/desktopcolours.h"
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
    for (auto [colour, count] : counts.asKeyValueRange())
        background = count > counts.value(background) ? colour : background;
    double best = 1;
    for (auto [colour, count] : counts.asKeyValueRange())
        best = count >= 4 ? std::max(best, DesktopColours::contrast(QColor(background), QColor(colour))) : best;
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

    // Centred; no caption clipped; hosts named only as this build's links open
    // them; the readable controls readable, each brought to the front.
    void look(QWidget *window, const QString &readable)
    {
        QVERIFY(Screen::showAndWait(window));
        QPointF off;
        WAIT_VERIFY((off = QRectF(window->frameGeometry()).center() - QRectF(window->screen()->availableGeometry()).center(),
                     std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2),
                    QStringLiteral("off centre by %1,%2").arg(off.x()).arg(off.y()));
        QVERIFY2(clippedCaptions(window).isEmpty(), qPrintable(clippedCaptions(window).join(u' ')));
        const QRegularExpression host(QStringLiteral("\\b[a-z0-9-]+(\\.[a-z0-9-]+)*\\.(com|org|net)\\b"));
        for (const QWidget *w : window->findChildren<QWidget *>())
            for (auto m = host.globalMatch(w->property("text").toString() + w->property("title").toString()); m.hasNext();)
                QVERIFY2(QStringList({NUMENSIGHT_MAIN_HOST, NUMENSIGHT_HELP_HOST}).contains(m.next().captured()), qPrintable(w->objectName()));
        for (const QString &name : readable.split(u' ')) {
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
    void initTestCase() { m_light = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(m_light); }

    // Readable: controls whose text must stay readable where the definition
    // pins the colour on the other side.
    void windowsOpenCentredWithFittingCaptionsAndReadableText_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("readable");
        for (bool dark : {false, true}) {
            QTest::addRow("frmMain %d", dark) << "frmMain" << dark
                << "cmdNext cmdScore cmdExit lblFullBrand menubar txtTotalScore cmdScoreOk txtRangeStart CmdOK";
            QTest::addRow("frmResult %d", dark) << "frmResult" << dark << "cmdTry";
            QTest::addRow("frmAbout %d", dark) << "frmAbout" << dark << "cmdOK";
            QTest::addRow("frmExitScreen %d", dark) << "frmExitScreen" << dark << "Label1 Label2 cmdClose Check1 txtName cmdSubmit";
        }
    }
    void windowsOpenCentredWithFittingCaptionsAndReadableText()
    {
        QFETCH(QString, form);
        QFETCH(bool, dark);
        QFETCH(QString, readable);
        QApplication::setPalette(dark ? darkPalette() : m_light);
        // openbox puts a window without a position of its own in the middle of
        // the free area: fill the middle so that only a centred one lands there.
        QWidget blocker;
        blocker.setGeometry(QRect(QGuiApplication::primaryScreen()->availableGeometry().center() - QPoint(150, 150), QSize(300, 300)));
        QVERIFY(Screen::showAndWait(&blocker));
        std::unique_ptr<QWidget> window;
        if (form == u"frmMain") {
            window = std::make_unique<frmMain>(m_book, m_random, m_pause, m_hooks);
        } else if (form == u"frmAbout") {
            window = std::make_unique<frmAbout>();
        } else if (form == u"frmExitScreen") {
            window = std::make_unique<frmExitScreen>(m_random, m_end);
        } else {
            // It shows itself, modal, and returns once closed.
            QTimer::singleShot(0, [&] {
                QTRY_VERIFY(QApplication::activeModalWidget());
                look(QApplication::activeModalWidget(), readable);
                QApplication::activeModalWidget()->close();
            });
            return frmResult::ShowVerdict(true);
        }
        look(window.get(), readable);
    }
};

QTEST_MAIN(TestScreenWindows)
#include "tst_screen_windows.moc"
