#include "ui_frmMain.h"

#include <QApplication>
#include <QLayout>
#include <QStyle>
#include <QStatusBar>
#include <QStyleOption>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

int px(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

// One row per control as the window is loaded: kind, container, place in
// twips, caption, font, text and back colour. Colours are #RRGGBB, a desktop
// role ("WindowText", "ButtonText", "ButtonFace", "WindowBackground") or "-"
// for a transparent label. Controls without a font of their own carry the
// window's Verdana 8.
struct Control
{
    const char *name;
    const char *kind;
    const char *parent;
    int left, top, width, height;
    const char *caption;
    int points;
    bool bold, underline;
    const char *fore, *back;
};

const char *const kBanner = "Glade Forum is the most popular esoteric board online. "
                            "It is the best resource. Visit www.gladesoftwares.com/forum now!";
const char *const kPickHint = "Select an Option, Close Your Eyes, Think Deeply and Then Click on The Chosen Number.";

const Control kControls[] = {
    {"Frame2", "FrameBox", "centralwidget", 20, 0, 7095, 615, "", 8, false, false, "WindowText", "#000000"},
    {"Frame5", "FrameBox", "centralwidget", 20, 4320, 7095, 975, "", 8, false, false, "#FF8080", "#000000"},
    {"picMessage", "QFrame", "centralwidget", 960, 1200, 5535, 1080, "", 8, false, false, "WindowText", "#FF0000"},
    {"fraMain", "FrameBox", "centralwidget", 0, 600, 7095, 3735, "", 8, false, false, "WindowText", "#400000"},
    {"fraNumberTest", "FrameBox", "centralwidget", 20, 600, 7095, 3735, "Number Test", 8, true, false, "#FF0000", "#400000"},
    {"fraPickRightNumber", "FrameBox", "centralwidget", 20, 600, 7095, 3735, "Pick The Right Number", 8, true, false, "#FF0000", "#400000"},
    {"Label61", "ClickLabel", "Frame2", 240, 120, 6600, 585, kBanner, 9, true, true, "#FF0000", "-"},
    {"cmdExit", "QPushButton", "Frame5", 6000, 360, 975, 375, "&Exit", 8, true, false, "ButtonText", "#FAE8D1"},
    {"lblFullBrand", "ClickLabel", "Frame5", 120, 240, 5745, 615,
     "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
     "fully branded for your website. Click here for more details.", 8, true, true, "#0000FF", "ButtonFace"},
    {"lblCobrand", "ClickLabel", "Frame5", 120, 240, 5745, 615,
     "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's name "
     "&&  link here. See \"Help\" for details.Click Here for more info on co-branding.", 8, true, true, "#0000FF", "ButtonFace"},
    {"Label8", "QLabel", "picMessage", 120, 120, 5295, 585, "Please Wait ...", 14, true, false, "#FF0000", "#FFFFFF"},
    {"Label7", "QLabel", "picMessage", 120, 705, 5295, 240, "Numensight is generating the Result for You", 10, false, false, "#FF0000", "#FFFFFF"},
    {"fraScoreClick", "FrameBox", "fraMain", 240, 1880, 6615, 1695, "Score Card", 8, true, false, "#FF0000", "#400000"},
    {"fraScore", "FrameBox", "fraMain", 240, 1880, 6615, 1695, "", 8, false, false, "WindowText", "#400000"},
    {"Frame1", "FrameBox", "fraMain", 240, 640, 6615, 1215, "Chose any one option", 8, true, false, "#FF0000", "#400000"},
    {"Label11", "QLabel", "fraMain", 1320, 240, 4680, 435, "Improve your Psychic Abilities by taking the Numensight ", 8, true, false, "#80FFFF", "-"},
    {"cmdScore", "QPushButton", "fraScoreClick", 840, 960, 5055, 495, "&Total Score", 8, true, false, "ButtonText", "#FAE8D1"},
    {"Label2", "QLabel", "fraScoreClick", 1200, 360, 4335, 375, "Click TOTAL SCORE  To Know Your Score", 8, true, false, "#FF0000", "-"},
    {"txtTotalScore", "QTextEdit", "fraScore", 720, 240, 5175, 735, "", 8, true, false, "#400000", "WindowBackground"},
    {"cmdScoreOk", "QPushButton", "fraScore", 720, 1080, 5175, 495, "&Ok", 8, true, false, "ButtonText", "#FAE8D1"},
    {"cmdNext", "QPushButton", "Frame1", 720, 300, 2415, 735, "&Play", 8, true, false, "ButtonText", "#FAE8D1"},
    {"optOption_1", "QRadioButton", "Frame1", 3840, 240, 2535, 375, "Pick The Right Number", 8, true, false, "#FF0000", "#400000"},
    {"optOption_0", "QRadioButton", "Frame1", 3840, 720, 1815, 375, "Number Test", 8, true, false, "#FF0000", "#400000"},
    {"cmdBack", "QPushButton", "fraNumberTest", 240, 3120, 6615, 495, "&Back", 10, true, false, "ButtonText", "#FAE8D1"},
    {"CmdOK", "QPushButton", "fraNumberTest", 240, 2540, 6615, 495, "&OK", 10, true, false, "ButtonText", "#FAE8D1"},
    {"Frame4", "FrameBox", "fraNumberTest", 240, 520, 6615, 975, "", 8, true, false, "#00FFFF", "#400000"},
    {"Frame7", "FrameBox", "fraNumberTest", 240, 1480, 6615, 975, "", 8, false, false, "ButtonText", "#400000"},
    {"Label1", "QLabel", "fraNumberTest", 1320, 120, 4680, 435, kPickHint, 8, true, false, "#80FFFF", "-"},
    {"txtRangeEnd", "QLineEdit", "Frame4", 4200, 400, 1095, 375, "", 9, false, false, "WindowText", "#FAE8D1"},
    {"txtRangeStart", "QLineEdit", "Frame4", 1680, 400, 1095, 375, "", 9, false, false, "WindowText", "#FAE8D1"},
    {"Label3", "QLabel", "Frame4", 2370, 120, 2385, 195, "Enter Range Of Numbers", 8, true, true, "#FF0000", "-"},
    {"Label6", "QLabel", "Frame4", 3720, 495, 360, 195, "End", 8, true, true, "#FF0000", "-"},
    {"Label5", "QLabel", "Frame4", 1080, 480, 480, 195, "Start", 8, true, true, "#FF0000", "-"},
    {"txtChuosenNumber", "QLineEdit", "Frame7", 2880, 360, 1215, 375, "", 9, false, false, "WindowText", "#FAE8D1"},
    {"Label4", "QLabel", "Frame7", 2250, 120, 2625, 195, "Enter Your Chosen Number", 8, true, true, "#FF0000", "-"},
    {"lblResult", "QLabel", "Frame7", 2880, 480, 1125, 195, "Your Result", 8, true, false, "#00FFFF", "-"},
    {"cmdReset", "QPushButton", "fraPickRightNumber", 240, 2620, 6615, 495, "&Reset", 10, true, false, "ButtonText", "#FAE8D1"},
    {"cmdBackPick", "QPushButton", "fraPickRightNumber", 240, 3160, 6615, 495, "&Back", 10, true, false, "ButtonText", "#FAE8D1"},
    {"Frame8", "FrameBox", "fraPickRightNumber", 240, 600, 6615, 1160, "", 8, false, false, "WindowText", "#400000"},
    {"Frame6", "FrameBox", "fraPickRightNumber", 240, 1720, 6615, 855, "", 8, false, false, "WindowText", "#400000"},
    {"Label10", "QLabel", "fraPickRightNumber", 1440, 180, 4680, 435, kPickHint, 8, true, false, "#80FFFF", "-"},
    {"lblFiveNumbers_4", "ClickLabel", "Frame8", 5400, 160, 930, 915, "5", 36, true, false, "#F0F1BE", "#800000"},
    {"lblFiveNumbers_3", "ClickLabel", "Frame8", 4110, 160, 930, 915, "4", 36, true, false, "#F0F1BE", "#800000"},
    {"lblFiveNumbers_2", "ClickLabel", "Frame8", 2820, 160, 930, 915, "3", 36, true, false, "#F0F1BE", "#800000"},
    {"lblFiveNumbers_1", "ClickLabel", "Frame8", 1560, 160, 930, 915, "2", 36, true, false, "#F0F1BE", "#800000"},
    {"lblFiveNumbers_0", "ClickLabel", "Frame8", 240, 160, 930, 915, "1", 36, true, false, "#F0F1BE", "#800000"},
    {"txtNumberOfAttemp", "QLineEdit", "Frame6", 2760, 360, 1095, 375, "", 9, false, false, "WindowText", "#FAE8D1"},
    {"lblResultPicKNumber", "QLabel", "Frame6", 3000, 360, 495, 135, "PickNumber", 8, false, false, "ButtonText", "ButtonFace"},
    {"Label9", "QLabel", "Frame6", 840, 120, 4830, 195, "Enter The Number Of Attempts You Want To Make", 8, true, true, "#FF0000", "-"},
};

QColor expectedColour(const QString &colour)
{
    const QPalette system = QApplication::palette();
    if (colour == u"WindowText")
        return system.color(QPalette::WindowText);
    if (colour == u"ButtonText")
        return system.color(QPalette::ButtonText);
    if (colour == u"ButtonFace")
        return system.color(QPalette::Button);
    if (colour == u"WindowBackground")
        return system.color(QPalette::Base);
    return QColor(colour);
}

QString caption(const QWidget *w)
{
    if (auto label = qobject_cast<const QLabel *>(w))
        return label->text();
    if (auto button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    if (auto frame = qobject_cast<const QGroupBox *>(w))
        return frame->title();
    if (auto line = qobject_cast<const QLineEdit *>(w))
        return line->text();
    if (auto text = qobject_cast<const QTextEdit *>(w))
        return text->toPlainText();
    return {};
}

QString withoutMnemonics(QString text)
{
    text.replace(QLatin1String("&&"), QLatin1String("\x01"));
    text.remove(u'&');
    return text.replace(u'\x01', u'&');
}

} // namespace

class TestFrmMainLayout : public QObject
{
    Q_OBJECT

    QMainWindow m_window;
    Ui::frmMain ui;

    QWidget *control(const QString &name) { return m_window.findChild<QWidget *>(name); }

    void addControlRows()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(kControls)); ++i)
            QTest::newRow(kControls[i].name) << i;
    }

private Q_SLOTS:
    void initTestCase()
    {
        ui.setupUi(&m_window);
        m_window.layout()->activate();
    }

    void windowHasItsTitleFontAndClientArea()
    {
        QCOMPARE(m_window.windowTitle(), QStringLiteral("Numensight v1.65"));
        QCOMPARE(m_window.font().family(), QStringLiteral("Verdana"));
        QCOMPARE(m_window.font().pointSize(), 8);
        QVERIFY(!m_window.font().bold());
        QCOMPARE(m_window.palette().color(QPalette::Window), QColor(0x400000));
        QCOMPARE(m_window.palette().color(QPalette::WindowText), QColor(0x400000));
        QCOMPARE(ui.centralwidget->size(), QSize(px(7125), px(5295)));
        QVERIFY(m_window.findChild<QStatusBar *>() == nullptr);
        QVERIFY(!m_window.windowIcon().isNull());
    }

    void clientAreaHoldsExactlyTheListedControls()
    {
        QStringList present;
        for (const QWidget *w : ui.centralwidget->findChildren<QWidget *>()) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(u"qt_"))
                present << w->objectName();
        }
        QStringList listed;
        for (const Control &c : kControls)
            listed << QString::fromLatin1(c.name);
        present.sort();
        listed.sort();
        QCOMPARE(present, listed);
    }

    void controlsSitAtTheirTwipPositions_data() { addControlRows(); }
    void controlsSitAtTheirTwipPositions()
    {
        QFETCH(int, row);
        const Control &c = kControls[row];
        QWidget *w = control(c.name);
        QVERIFY(w);
        QCOMPARE(w->metaObject()->className(), c.kind);
        QCOMPARE(w->parentWidget()->objectName(), QString::fromLatin1(c.parent));
        QCOMPARE(w->geometry(), QRect(px(c.left), px(c.top), px(c.width), px(c.height)));
    }

    void captionsAndFontsAreAsListed_data() { addControlRows(); }
    void captionsAndFontsAreAsListed()
    {
        QFETCH(int, row);
        const Control &c = kControls[row];
        const QWidget *w = control(c.name);
        QCOMPARE(caption(w), QString::fromUtf8(c.caption));
        // Resolved fonts, so that a container's bold face does not leak into
        // a child listed as regular.
        QCOMPARE(w->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(w->font().pointSize(), c.points);
        QCOMPARE(w->font().bold(), c.bold);
        QCOMPARE(w->font().underline(), c.underline);
    }

    // Qt hands a container's palette down to its children; a child listed
    // with a desktop colour must not show the container's colour instead.
    void coloursResolveAsListed_data() { addControlRows(); }
    void coloursResolveAsListed()
    {
        QFETCH(int, row);
        const Control &c = kControls[row];
        const QWidget *w = control(c.name);
        const bool button = qobject_cast<const QPushButton *>(w);
        const bool edit = qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w);
        const QPalette::ColorRole fore = button ? QPalette::ButtonText : edit ? QPalette::Text : QPalette::WindowText;
        const QPalette::ColorRole back = edit ? QPalette::Base : w->backgroundRole();
        for (auto group : {QPalette::Active, QPalette::Inactive}) {
            QCOMPARE(w->palette().color(group, fore), expectedColour(c.fore));
            if (qstrcmp(c.back, "-") != 0)
                QCOMPARE(w->palette().color(group, back), expectedColour(c.back));
        }
        if (!button && !edit)
            QCOMPARE(w->autoFillBackground(), qstrcmp(c.back, "-") != 0);
    }

    void labelsAlignAndWrapAsListed()
    {
        const QStringList centred{"Label61", "Label11", "Label2", "Label1", "Label10", "lblResult",
                                  "lblFiveNumbers_0", "lblFiveNumbers_1", "lblFiveNumbers_2",
                                  "lblFiveNumbers_3", "lblFiveNumbers_4"};
        const QStringList wrapped{"Label61", "lblFullBrand", "lblCobrand", "Label11", "Label1", "Label10"};
        for (const QLabel *label : m_window.findChildren<QLabel *>()) {
            const QString name = label->objectName();
            const Qt::Alignment horizontal = centred.contains(name) ? Qt::AlignHCenter : Qt::AlignLeft;
            QCOMPARE(label->alignment() & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask),
                     horizontal | Qt::AlignTop);
            QCOMPARE(label->wordWrap(), wrapped.contains(name));
            QCOMPARE(label->frameShape(), name.startsWith(u"lblFiveNumbers") ? QFrame::Box : QFrame::NoFrame);
        }
        for (const char *name : {"Frame2", "Frame5", "fraMain", "fraNumberTest", "fraPickRightNumber",
                                 "fraScoreClick", "fraScore", "Frame1", "Frame4", "Frame8", "Frame6"})
            QVERIFY2(control(name)->property("flat").toBool(), name);
        QVERIFY(!ui.Frame7->isFlat());
    }

    void onlyTheListedControlsAreHidden()
    {
        const QStringList hidden{"picMessage", "lblResult", "lblResultPicKNumber"};
        for (const Control &c : kControls) {
            QCOMPARE(control(c.name)->isHidden(), hidden.contains(QLatin1String(c.name)));
            QVERIFY2(control(c.name)->isEnabled(), c.name);
        }
    }

    void clickableLabelsShowTheHand()
    {
        QStringList clickable;
        for (const ClickLabel *label : m_window.findChildren<ClickLabel *>()) {
            clickable << label->objectName();
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
        }
        clickable.sort();
        QCOMPARE(clickable, QStringList({"Label61", "lblCobrand", "lblFiveNumbers_0", "lblFiveNumbers_1",
                                         "lblFiveNumbers_2", "lblFiveNumbers_3", "lblFiveNumbers_4",
                                         "lblFullBrand"}));
        QVERIFY(!ui.cmdExit->testAttribute(Qt::WA_SetCursor));
    }

    // Tab follows the tab indexes, not the reading order: from txtRangeEnd
    // the focus goes to CmdOK and cmdBack before txtChuosenNumber.
    void tabOrderFollowsTabIndexes()
    {
        const QStringList expected{"optOption_0", "optOption_1", "cmdNext", "cmdScore", "txtRangeStart",
                                   "txtRangeEnd", "CmdOK", "cmdBack", "txtChuosenNumber", "cmdExit",
                                   "cmdBackPick", "txtNumberOfAttemp", "cmdReset", "cmdScoreOk",
                                   "txtTotalScore"};
        QStringList seen;
        QWidget *w = ui.optOption_0;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                seen << w->objectName();
            w = w->nextInFocusChain();
        } while (w != ui.optOption_0 && seen.size() <= expected.size());
        QCOMPARE(seen, expected);
        for (const QWidget *passive : m_window.findChildren<QLabel *>())
            QCOMPARE(passive->focusPolicy(), Qt::NoFocus);
        for (const QWidget *passive : m_window.findChildren<QGroupBox *>())
            QCOMPARE(passive->focusPolicy(), Qt::NoFocus);
        QVERIFY(ui.txtTotalScore->tabChangesFocus());
    }

    // Each list runs from the top of the container's stack downward: the
    // control listed earlier lies above, and labels lie below the rest.
    void stackingFollowsListing_data()
    {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QStringList>("topDown");
        QTest::newRow("client") << "centralwidget"
                                << QStringList{"Frame2", "Frame5", "picMessage", "fraMain", "fraNumberTest", "fraPickRightNumber"};
        QTest::newRow("Frame2") << "Frame2" << QStringList{"Label61"};
        QTest::newRow("Frame5") << "Frame5" << QStringList{"cmdExit", "lblFullBrand", "lblCobrand"};
        QTest::newRow("picMessage") << "picMessage" << QStringList{"Label8", "Label7"};
        QTest::newRow("fraMain") << "fraMain" << QStringList{"fraScoreClick", "fraScore", "Frame1", "Label11"};
        QTest::newRow("fraScoreClick") << "fraScoreClick" << QStringList{"cmdScore", "Label2"};
        QTest::newRow("fraScore") << "fraScore" << QStringList{"txtTotalScore", "cmdScoreOk"};
        QTest::newRow("Frame1") << "Frame1" << QStringList{"cmdNext", "optOption_1", "optOption_0"};
        QTest::newRow("fraNumberTest") << "fraNumberTest" << QStringList{"cmdBack", "CmdOK", "Frame4", "Frame7", "Label1"};
        QTest::newRow("Frame4") << "Frame4" << QStringList{"txtRangeEnd", "txtRangeStart", "Label3", "Label6", "Label5"};
        QTest::newRow("Frame7") << "Frame7" << QStringList{"txtChuosenNumber", "Label4", "lblResult"};
        QTest::newRow("fraPickRightNumber") << "fraPickRightNumber"
                                            << QStringList{"cmdReset", "cmdBackPick", "Frame8", "Frame6", "Label10"};
        QTest::newRow("Frame8") << "Frame8"
                                << QStringList{"lblFiveNumbers_4", "lblFiveNumbers_3", "lblFiveNumbers_2",
                                               "lblFiveNumbers_1", "lblFiveNumbers_0"};
        QTest::newRow("Frame6") << "Frame6" << QStringList{"txtNumberOfAttemp", "lblResultPicKNumber", "Label9"};
    }
    void stackingFollowsListing()
    {
        QFETCH(QString, container);
        QFETCH(QStringList, topDown);
        QStringList stack;
        for (const QObject *child : control(container)->children()) {
            if (child->isWidgetType() && !child->objectName().isEmpty())
                stack.prepend(child->objectName());
        }
        QCOMPARE(stack, topDown);
    }

    // What the player sees at a point of the client area right after load.
    void frontControlsCoverTheOthers_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QString>("front");
        QTest::newRow("start panel in front") << QPoint(px(3500), px(2400)) << "fraMain";
        QTest::newRow("score card before score text") << QPoint(px(600), px(600 + 1880 + 300)) << "fraScoreClick";
        QTest::newRow("top band over the panels") << QPoint(px(3000), px(600)) << "Frame2";
        QTest::newRow("bottom band over the panels") << QPoint(px(3000), px(4320)) << "Frame5";
        QTest::newRow("full-brand offer in front") << QPoint(px(600), px(4320 + 400)) << "lblFullBrand";
        QTest::newRow("hidden notice lets panel show") << QPoint(px(1100), px(1300)) << "fraMain";
    }
    void frontControlsCoverTheOthers()
    {
        QFETCH(QPoint, at);
        QFETCH(QString, front);
        QWidget *hit = ui.centralwidget->childAt(at);
        QVERIFY(hit);
        QWidget *expected = control(front);
        QVERIFY2(hit == expected || expected->isAncestorOf(hit), qPrintable(hit->objectName()));
    }

    void shownNoticeLiesOverThePanels()
    {
        ui.picMessage->show();
        QWidget *hit = ui.centralwidget->childAt(px(960 + 60), px(1200 + 60));
        ui.picMessage->hide();
        QCOMPARE(hit, ui.picMessage);
    }

    void rangeFieldsStopAtThreeCharacters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("kept");
        QTest::newRow("start") << "txtRangeStart" << "12a";
        QTest::newRow("end") << "txtRangeEnd" << "12a";
        QTest::newRow("chosen") << "txtChuosenNumber" << "12ab5678";
        QTest::newRow("attempts") << "txtNumberOfAttemp" << "12ab5678";
    }
    void rangeFieldsStopAtThreeCharacters()
    {
        QFETCH(QString, field);
        QFETCH(QString, kept);
        auto *edit = m_window.findChild<QLineEdit *>(field);
        QVERIFY(edit->text().isEmpty());
        QTest::keyClicks(edit, QStringLiteral("12ab5678"));
        QCOMPARE(edit->text(), kept);
        edit->clear();
    }

    void scoreBoxIsAPlainBoxWithoutScrollBars()
    {
        QCOMPARE(ui.txtTotalScore->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(ui.txtTotalScore->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!ui.txtTotalScore->acceptRichText());
        QVERIFY(!ui.txtTotalScore->isReadOnly());
        QVERIFY(ui.txtTotalScore->toPlainText().isEmpty());
        QVERIFY(!ui.optOption_0->isChecked());
        QVERIFY(!ui.optOption_1->isChecked());
        for (const QPushButton *button : m_window.findChildren<QPushButton *>())
            QVERIFY2(!button->autoDefault() && !button->isDefault(), qPrintable(button->objectName()));
    }

    void menuBarHoldsTheListedEntries()
    {
        auto entries = [](const QList<QAction *> &actions) {
            QStringList out;
            for (const QAction *a : actions) {
                const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
                QString entry = QStringLiteral("%1|%2|%3").arg(name, a->isSeparator() ? QStringLiteral("-") : a->text(),
                                                                a->isVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"));
                // Qt disables hidden actions by itself.
                if (!a->shortcut().isEmpty() || a->isCheckable() || a->isEnabled() != a->isVisible())
                    entry += QStringLiteral("|shortcut, check mark or disabled");
                out << entry;
            }
            return out;
        };
        QCOMPARE(entries(ui.menubar->actions()),
                 QStringList({"mnuFile|&File|shown", "mnuHelp|&Help|shown", "mnuDonate|&Donate|shown",
                              "mkmoney|Make Money &Online|hidden"}));
        QCOMPARE(entries(ui.mnuFile->actions()),
                 QStringList({"mnuPlay|Paly|shown", "mnuBack|&Back|hidden", "mnuExit|E&xit|shown"}));
        QCOMPARE(entries(ui.mnuHelp->actions()),
                 QStringList({"mnuOnline|&Online Help|shown", "mnuVisit|&Visit Us Online|shown", "mnuHelp1|-|shown",
                              "mnuUpdate|Check for Software &Update|shown", "mnuHelp2|-|shown",
                              "mnuAbout|&About Software|shown"}));
        QCOMPARE(m_window.menuBar(), ui.menubar);
    }

    // Captions drawn on one line must fit their control with the fonts this
    // machine resolves. The hidden verdict carrier of the pick panel is left
    // out: its own size already clips its caption.
    void singleLineCaptionsFit_data()
    {
        QTest::addColumn<QString>("name");
        for (const QWidget *w : m_window.findChildren<QWidget *>()) {
            const auto *label = qobject_cast<const QLabel *>(w);
            if ((label && !label->wordWrap() && w->objectName() != u"lblResultPicKNumber")
                || qobject_cast<const QAbstractButton *>(w))
                QTest::newRow(qPrintable(w->objectName())) << w->objectName();
        }
    }
    void singleLineCaptionsFit()
    {
        QFETCH(QString, name);
        const QWidget *w = control(name);
        const QFontMetrics metrics(w->font());
        int room = w->width();
        if (auto *label = qobject_cast<const QLabel *>(w))
            room -= 2 * label->frameWidth();
        if (qobject_cast<const QRadioButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(w);
            room -= w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, w)
                + w->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, w);
        }
        const QString text = withoutMnemonics(caption(w));
        QVERIFY2(metrics.horizontalAdvance(text) <= room,
                 qPrintable(QStringLiteral("%1 needs %2 px, has %3").arg(text).arg(metrics.horizontalAdvance(text)).arg(room)));
        QVERIFY2(metrics.height() <= w->height(), qPrintable(text));
    }

    // Wrapped captions must fit the part of their label that their
    // container leaves visible.
    void wrappedCaptionsFitTheirVisibleArea_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Label61", "lblFullBrand", "lblCobrand", "Label11", "Label1", "Label10"})
            QTest::newRow(name) << name;
    }
    void wrappedCaptionsFitTheirVisibleArea()
    {
        QFETCH(QString, name);
        const auto *label = m_window.findChild<QLabel *>(name);
        const QRect visible = label->geometry().intersected(label->parentWidget()->rect());
        const QRect needed = QFontMetrics(label->font())
                                 .boundingRect(QRect(0, 0, label->width(), 1000), Qt::TextWordWrap, label->text());
        QVERIFY2(needed.height() <= visible.height(),
                 qPrintable(QStringLiteral("needs %1 px, has %2").arg(needed.height()).arg(visible.height())));
    }

    // The big digits are drawn from the top of their bordered tiles; a
    // label's automatic indent would push them through the bottom border.
    void tileDigitsAreNotClipped_data()
    {
        QTest::addColumn<QString>("name");
        for (int i = 0; i < 5; ++i)
            QTest::newRow(qPrintable(QString::number(i))) << QStringLiteral("lblFiveNumbers_%1").arg(i);
    }
    void tileDigitsAreNotClipped()
    {
        QFETCH(QString, name);
        QWidget *tile = control(name);
        const QImage image = tile->grab().toImage();
        const QRgb digit = QColor(0xF0F1BE).rgb();
        int top = image.height(), bottom = -1;
        for (int y = 2; y < image.height() - 2; ++y) {
            for (int x = 2; x < image.width() - 2; ++x) {
                if (image.pixel(x, y) == digit) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        }
        QVERIFY2(bottom >= 0, "no digit drawn");
        QVERIFY2(bottom < image.height() - 3, qPrintable(QStringLiteral("digit reaches row %1").arg(bottom)));
        QVERIFY(top < image.height() / 2);
    }

    // The menu bar is the desktop's, not the window's maroon on maroon.
    void menusKeepTheDesktopColours()
    {
        const QPalette system = QApplication::palette();
        for (const QWidget *menu : std::initializer_list<const QWidget *>{ui.menubar, ui.mnuFile, ui.mnuHelp}) {
            QCOMPARE(menu->palette().color(QPalette::Window), system.color(QPalette::Window));
            QCOMPARE(menu->palette().color(QPalette::WindowText), system.color(QPalette::WindowText));
        }
    }

    // Without a buddy a label draws "&&" literally; the offer must show one "&".
    void cobrandOfferShowsOneAmpersand()
    {
        QVERIFY(ui.lblCobrand->buddy());
        const QLabel shown(withoutMnemonics(ui.lblCobrand->text()));
        QLabel offer(ui.lblCobrand->text());
        offer.setBuddy(ui.lblCobrand->buddy());
        QCOMPARE(offer.sizeHint(), shown.sizeHint());
    }
};

QTEST_MAIN(TestFrmMainLayout)
#include "tst_frmmain_layout.moc"
