#include "ui_frmAbout.h"
#include "ui_frmExitScreen.h"
#include "ui_frmResult.h"

#include "windows/clicklabel.h"
#include "windows/framebox.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>

#include <memory>

namespace {

// Positions and sizes as the window definitions give them, in twips.
struct Placement
{
    const char *form;
    const char *container;
    const char *control;
    int left, top, width, height;
};

const Placement kPlacements[] = {
    {"frmResult", "frmResult", "picResult", 0, 0, 4695, 1700},
    {"frmResult", "picResult", "cmdTry", 1080, 1080, 2535, 495},
    {"frmResult", "picResult", "lblResult", 120, 0, 4455, 855},

    {"frmAbout", "frmAbout", "picIcon", 120, 120, 510, 510},
    {"frmAbout", "frmAbout", "cmdOK", 4680, 3720, 1260, 345},
    {"frmAbout", "frmAbout", "lblHomePage", 1920, 2280, 4050, 195},
    {"frmAbout", "frmAbout", "Label3", 120, 2595, 6165, 615},
    {"frmAbout", "frmAbout", "lblCoBrand", 3480, 3240, 2415, 195},
    // The rule runs from (-60, 3600) to (6240, 3600) and is one pixel high.
    {"frmAbout", "frmAbout", "Line2", -60, 3600, 6300, 15},
    {"frmAbout", "frmAbout", "Label2", 840, 240, 3330, 240},
    {"frmAbout", "frmAbout", "Label1", 210, 720, 5745, 1575},

    {"frmExitScreen", "frmExitScreen", "Frame6", 7320, 120, 3735, 4575},
    {"frmExitScreen", "frmExitScreen", "Frame2", 120, 3240, 7065, 1455},
    {"frmExitScreen", "frmExitScreen", "cmdClose", 6000, 2760, 1245, 375},
    {"frmExitScreen", "frmExitScreen", "cmdExit_1", 2955, 6540, 1335, 315},
    {"frmExitScreen", "frmExitScreen", "Check1", 30, 2040, 7185, 555},
    {"frmExitScreen", "frmExitScreen", "cmdExit_2", 5880, 6540, 1335, 315},
    {"frmExitScreen", "frmExitScreen", "cmdExit_0", 30, 6540, 1335, 315},
    {"frmExitScreen", "frmExitScreen", "Picture1", 360, 120, 540, 540},
    {"frmExitScreen", "frmExitScreen", "Label2", 120, 840, 6975, 1095},
    {"frmExitScreen", "frmExitScreen", "Label1", 1080, 240, 4995, 435},
    {"frmExitScreen", "Frame6", "lblGoToHome", 75, 4250, 3585, 210},
    {"frmExitScreen", "Frame6", "Label3", 120, 360, 3495, 3855},
    {"frmExitScreen", "Frame2", "txtMessage", 4800, 3600, 1815, 495},
    {"frmExitScreen", "Frame2", "txtFriendName", 85, 720, 3375, 285},
    {"frmExitScreen", "Frame2", "txtFriendEmail", 3600, 720, 3375, 285},
    {"frmExitScreen", "Frame2", "txtEmail", 3600, 360, 3375, 285},
    {"frmExitScreen", "Frame2", "cmdSubmit", 1920, 1080, 3375, 285},
    {"frmExitScreen", "Frame2", "txtName", 85, 360, 3375, 285},
};

int pixels(int twips)
{
    return qRound(twips / 15.0);
}

std::unique_ptr<QDialog> loadForm(const QString &form)
{
    auto dialog = std::make_unique<QDialog>();
    if (form == QLatin1String("frmResult"))
        Ui::frmResult().setupUi(dialog.get());
    else if (form == QLatin1String("frmAbout"))
        Ui::frmAbout().setupUi(dialog.get());
    else if (form == QLatin1String("frmExitScreen"))
        Ui::frmExitScreen().setupUi(dialog.get());
    else
        qFatal("unknown form %s", qPrintable(form));
    return dialog;
}

QWidget *control(QDialog *dialog, const QString &name)
{
    return name == dialog->objectName() ? dialog : dialog->findChild<QWidget *>(name);
}

QString withoutAccessMarks(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return caption;
}

const QString kLabel3Text = QString::fromUtf8(
    "If you have enjoyed this software you will surely be interested in our other Glade Softwares. "
    "From a single software, we have now grown to become the world\u2019s largest resource of glade "
    "softwares. Be it astrology, psychic, tarot, numerology or occult, we have programs in all fields "
    "thus giving our users a wide choice depending on their interests.")
    + QString(61, QLatin1Char(' '))
    + QString::fromUtf8(
        "All the programs in the Glade Softwares suite are simple and easy to use. They are not only fun "
        "to use but also very informative. Try them out today and share your experience with your friends "
        "and family. ");

} // namespace

class TestDialogLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowHasItsTitleClientSizeAndFont_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pointSize");

        QTest::newRow("result") << "frmResult" << "Tutorwisp v1.0" << 4695 << 1695 << "Verdana" << 8;
        QTest::newRow("about") << "frmAbout" << "Numensight v1.65" << 6030 << 4170 << "MS Sans Serif" << 8;
        QTest::newRow("exit") << "frmExitScreen" << "Numensight v1.65" << 11115 << 4725 << "MS Sans Serif" << 8;
    }

    void windowHasItsTitleClientSizeAndFont()
    {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, family);
        QFETCH(int, pointSize);

        auto dialog = loadForm(form);
        QCOMPARE(dialog->objectName(), form);
        QCOMPARE(dialog->windowTitle(), title);
        QCOMPARE(dialog->size(), QSize(pixels(width), pixels(height)));
        QCOMPARE(dialog->font().family(), family);
        QCOMPARE(dialog->font().pointSize(), pointSize);
        QVERIFY(!dialog->font().bold());
        QCOMPARE(dialog->windowIcon().pixmap(32, 32).size(), QSize(32, 32));
    }

    void controlSitsInItsContainerAtItsPlace_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");

        for (const Placement &p : kPlacements) {
            QTest::addRow("%s/%s", p.form, p.control)
                << QString::fromLatin1(p.form) << QString::fromLatin1(p.container)
                << QString::fromLatin1(p.control) << QRect(p.left, p.top, p.width, p.height);
        }
    }

    void controlSitsInItsContainerAtItsPlace()
    {
        QFETCH(QString, form);
        QFETCH(QString, container);
        QFETCH(QString, name);
        QFETCH(QRect, twips);

        auto dialog = loadForm(form);
        QWidget *widget = control(dialog.get(), name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->parentWidget()->objectName(), container);
        QCOMPARE(widget->geometry(), QRect(pixels(twips.left()), pixels(twips.top()),
                                           pixels(twips.width()), pixels(twips.height())));
    }

    // Only the three spare Exit buttons start hidden; every other control shows.
    void onlyTheSpareExitButtonsAreHidden_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("hidden");

        for (const Placement &p : kPlacements) {
            const QString name = QString::fromLatin1(p.control);
            QTest::addRow("%s/%s", p.form, p.control)
                << QString::fromLatin1(p.form) << name << name.startsWith(QLatin1String("cmdExit_"));
        }
    }

    void onlyTheSpareExitButtonsAreHidden()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(bool, hidden);

        auto dialog = loadForm(form);
        QWidget *widget = control(dialog.get(), name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->isHidden(), hidden);
        QVERIFY(widget->isEnabled());
    }

    void controlsCarryTheirFonts_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("pointSize");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("underline");

        const QString verdana = QStringLiteral("Verdana");
        const QString sans = QStringLiteral("MS Sans Serif");
        auto row = [](const char *form, const char *name, const QString &family, int size, bool bold,
                      bool underline) {
            QTest::addRow("%s/%s", form, name) << QString::fromLatin1(form) << QString::fromLatin1(name)
                                               << family << size << bold << underline;
        };
        row("frmResult", "cmdTry", verdana, 10, true, false);
        row("frmResult", "lblResult", verdana, 10, true, false);
        row("frmAbout", "cmdOK", verdana, 8, true, false);
        row("frmAbout", "lblHomePage", verdana, 8, false, true);
        row("frmAbout", "Label3", verdana, 8, true, false);
        row("frmAbout", "lblCoBrand", verdana, 8, false, true);
        row("frmAbout", "Label2", verdana, 10, true, false);
        row("frmAbout", "Label1", verdana, 8, false, false);
        row("frmExitScreen", "Frame6", verdana, 10, true, false);
        row("frmExitScreen", "Frame2", verdana, 10, true, false);
        row("frmExitScreen", "cmdClose", sans, 8, false, false);
        row("frmExitScreen", "cmdExit_0", sans, 8, false, false);
        row("frmExitScreen", "Check1", verdana, 14, false, false);
        row("frmExitScreen", "Label2", verdana, 10, true, false);
        row("frmExitScreen", "Label1", sans, 18, false, false);
        row("frmExitScreen", "lblGoToHome", verdana, 9, true, true);
        row("frmExitScreen", "Label3", verdana, 9, false, false);
        // The boxes take the window's font, not the bold font of the frame around them.
        row("frmExitScreen", "txtName", sans, 8, false, false);
        row("frmExitScreen", "txtEmail", sans, 8, false, false);
        row("frmExitScreen", "txtFriendName", sans, 8, false, false);
        row("frmExitScreen", "txtFriendEmail", sans, 8, false, false);
        row("frmExitScreen", "txtMessage", sans, 8, false, false);
        row("frmExitScreen", "cmdSubmit", verdana, 8, true, false);
    }

    void controlsCarryTheirFonts()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(int, pointSize);
        QFETCH(bool, bold);
        QFETCH(bool, underline);

        auto dialog = loadForm(form);
        QWidget *widget = control(dialog.get(), name);
        QVERIFY2(widget, qPrintable(name));
        const QFont font = widget->font();
        QCOMPARE(font.family(), family);
        QCOMPARE(font.pointSize(), pointSize);
        QCOMPARE(font.bold(), bold);
        QCOMPARE(font.underline(), underline);
    }

    // "system" means the control keeps the desktop's colour for that role
    // rather than one inherited from its container.
    void controlsCarryTheirColours_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("colour");

        auto row = [](const char *form, const char *name, QPalette::ColorRole role, const char *colour) {
            QTest::addRow("%s/%s/%d", form, name, int(role)) << QString::fromLatin1(form)
                << QString::fromLatin1(name) << int(role) << QString::fromLatin1(colour);
        };
        row("frmResult", "picResult", QPalette::Window, "#ffc0c0");
        row("frmResult", "cmdTry", QPalette::Button, "#fae8d1");
        row("frmResult", "cmdTry", QPalette::ButtonText, "system");
        row("frmResult", "lblResult", QPalette::WindowText, "system");
        row("frmAbout", "frmAbout", QPalette::Window, "#000000");
        row("frmAbout", "cmdOK", QPalette::Button, "#fae8d1");
        row("frmAbout", "cmdOK", QPalette::ButtonText, "system");
        row("frmAbout", "lblHomePage", QPalette::WindowText, "#ff0000");
        row("frmAbout", "Label3", QPalette::WindowText, "#ffffff");
        row("frmAbout", "lblCoBrand", QPalette::WindowText, "#ff0000");
        row("frmAbout", "Line2", QPalette::WindowText, "#ffffff");
        row("frmAbout", "Label2", QPalette::WindowText, "#ff0000");
        row("frmAbout", "Label1", QPalette::WindowText, "#ffffff");
        row("frmAbout", "picIcon", QPalette::WindowText, "system");
        row("frmExitScreen", "frmExitScreen", QPalette::Window, "#ffffff");
        row("frmExitScreen", "Frame6", QPalette::Window, "#000080");
        row("frmExitScreen", "Frame6", QPalette::WindowText, "#ffffff");
        row("frmExitScreen", "Frame2", QPalette::Window, "#000080");
        row("frmExitScreen", "Frame2", QPalette::WindowText, "#ffffff");
        row("frmExitScreen", "Check1", QPalette::ButtonText, "#0000c0");
        row("frmExitScreen", "Check1", QPalette::Button, "system");
        row("frmExitScreen", "Label2", QPalette::WindowText, "system");
        row("frmExitScreen", "Label1", QPalette::WindowText, "system");
        row("frmExitScreen", "lblGoToHome", QPalette::WindowText, "#ffff00");
        row("frmExitScreen", "Label3", QPalette::WindowText, "#ffffff");
        row("frmExitScreen", "cmdSubmit", QPalette::Button, "system");
        row("frmExitScreen", "cmdSubmit", QPalette::ButtonText, "system");
        row("frmExitScreen", "cmdSubmit", QPalette::WindowText, "system");
        row("frmExitScreen", "txtName", QPalette::Text, "system");
        row("frmExitScreen", "txtName", QPalette::Base, "system");
        row("frmExitScreen", "txtFriendEmail", QPalette::Text, "system");
        row("frmExitScreen", "txtMessage", QPalette::Base, "system");
    }

    void controlsCarryTheirColours()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(int, role);
        QFETCH(QString, colour);

        auto dialog = loadForm(form);
        QWidget *widget = control(dialog.get(), name);
        QVERIFY2(widget, qPrintable(name));
        const auto colorRole = QPalette::ColorRole(role);
        const QColor expected = colour == QLatin1String("system")
            ? QApplication::palette().color(colorRole)
            : QColor(colour);
        QCOMPARE(widget->palette().color(colorRole).name(), expected.name());
    }

    void paintedBackgroundsAreFilled_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("filled");

        QTest::newRow("picResult") << "frmResult" << "picResult" << true;
        QTest::newRow("lblResult") << "frmResult" << "lblResult" << false;
        QTest::newRow("about window") << "frmAbout" << "frmAbout" << true;
        QTest::newRow("about Label1") << "frmAbout" << "Label1" << false;
        QTest::newRow("about lblHomePage") << "frmAbout" << "lblHomePage" << false;
        QTest::newRow("exit window") << "frmExitScreen" << "frmExitScreen" << true;
        QTest::newRow("Frame6") << "frmExitScreen" << "Frame6" << true;
        QTest::newRow("exit Label2") << "frmExitScreen" << "Label2" << false;
        QTest::newRow("exit Label3") << "frmExitScreen" << "Label3" << false;
        QTest::newRow("lblGoToHome") << "frmExitScreen" << "lblGoToHome" << false;
    }

    void paintedBackgroundsAreFilled()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(bool, filled);

        auto dialog = loadForm(form);
        QWidget *widget = control(dialog.get(), name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->autoFillBackground(), filled);
    }

    // Focusable controls in the order of their tab indexes, starting from the
    // window itself so that the first of them takes the focus at load.
    void tabVisitsControlsByTabIndex_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("order");

        QTest::newRow("result") << "frmResult" << QStringList{"cmdTry"};
        QTest::newRow("about") << "frmAbout" << QStringList{"cmdOK"};
        QTest::newRow("exit") << "frmExitScreen"
                              << QStringList{"cmdClose", "Check1", "cmdExit_0", "cmdExit_1", "cmdExit_2",
                                             "txtName", "cmdSubmit", "txtEmail", "txtFriendEmail",
                                             "txtFriendName", "txtMessage"};
    }

    void tabVisitsControlsByTabIndex()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, order);

        auto dialog = loadForm(form);
        QStringList chain;
        for (QWidget *w = dialog->nextInFocusChain(); w != dialog.get(); w = w->nextInFocusChain()) {
            if (w->focusPolicy() & Qt::TabFocus)
                chain << w->objectName();
        }
        QCOMPARE(chain, order);
    }

    void firstTabStopHoldsTheFocusAtLoad_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("first");

        QTest::newRow("result") << "frmResult" << "cmdTry";
        QTest::newRow("about") << "frmAbout" << "cmdOK";
        QTest::newRow("exit") << "frmExitScreen" << "cmdClose";
    }

    void firstTabStopHoldsTheFocusAtLoad()
    {
        QFETCH(QString, form);
        QFETCH(QString, first);

        auto dialog = loadForm(form);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QVERIFY(dialog->focusWidget());
        QCOMPARE(dialog->focusWidget()->objectName(), first);
    }

    // The hidden message box sits last in the tab sequence; Tab must move on
    // from it instead of typing a tab character into it.
    void tabLeavesTheMessageBox()
    {
        auto dialog = loadForm(QStringLiteral("frmExitScreen"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        auto *friendName = dialog->findChild<QLineEdit *>(QStringLiteral("txtFriendName"));
        auto *message = dialog->findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"));
        QVERIFY(friendName && message);
        friendName->setFocus();
        QTest::keyClick(friendName, Qt::Key_Tab);
        QCOMPARE(dialog->focusWidget(), message);
        QTest::keyClick(message, Qt::Key_Tab);
        QVERIFY(dialog->focusWidget() != message);
        QCOMPARE(message->toPlainText(), QStringLiteral("Your Message\n"));
    }

    // Within one container a control listed earlier lies above a later one
    // where they overlap, and labels lie below every other control.
    void stackingFollowsTheListing_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QStringList>("listing");
        QTest::addColumn<QStringList>("labels");

        QTest::newRow("picResult") << "frmResult" << "picResult" << QStringList{"cmdTry", "lblResult"}
                                   << QStringList{"lblResult"};
        QTest::newRow("about")
            << "frmAbout" << "frmAbout"
            << QStringList{"picIcon", "cmdOK", "lblHomePage", "Label3", "lblCoBrand", "Line2", "Label2", "Label1"}
            << QStringList{"lblHomePage", "Label3", "lblCoBrand", "Label2", "Label1"};
        QTest::newRow("exit")
            << "frmExitScreen" << "frmExitScreen"
            << QStringList{"Frame6", "Frame2", "cmdClose", "cmdExit_1", "Check1", "cmdExit_2", "cmdExit_0",
                           "Picture1", "Label2", "Label1"}
            << QStringList{"Label2", "Label1"};
    }

    void stackingFollowsTheListing()
    {
        QFETCH(QString, form);
        QFETCH(QString, container);
        QFETCH(QStringList, listing);
        QFETCH(QStringList, labels);

        auto dialog = loadForm(form);
        QWidget *parent = control(dialog.get(), container);
        QVERIFY(parent);
        const QObjectList siblings = parent->children();
        auto widget = [&](const QString &name) { return parent->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly); };
        // Later in children() means higher in the stack.
        auto above = [&](const QString &a, const QString &b) {
            return siblings.indexOf(widget(a)) > siblings.indexOf(widget(b));
        };

        int constraints = 0;
        for (qsizetype i = 0; i < listing.size(); ++i) {
            QVERIFY2(widget(listing[i]), qPrintable(listing[i]));
            for (qsizetype j = i + 1; j < listing.size(); ++j) {
                const QString &first = listing[i];
                const QString &later = listing[j];
                const bool firstIsLabel = labels.contains(first);
                const bool laterIsLabel = labels.contains(later);
                const QString message = first + QLatin1String(" / ") + later;
                if (firstIsLabel && !laterIsLabel) {
                    QVERIFY2(above(later, first), qPrintable(message));
                    ++constraints;
                } else if ((laterIsLabel && !firstIsLabel)
                           || widget(first)->geometry().intersects(widget(later)->geometry())) {
                    QVERIFY2(above(first, later), qPrintable(message));
                    ++constraints;
                }
            }
        }
        QVERIFY(constraints > 0);
    }

    void label3KeepsItsExactParagraph()
    {
        auto dialog = loadForm(QStringLiteral("frmExitScreen"));
        auto *label = dialog->findChild<QLabel *>(QStringLiteral("Label3"));
        QVERIFY(label);
        const QString text = label->text();
        QCOMPARE(text.size(), kLabel3Text.size());
        QVERIFY(text.contains(QString::fromUtf8("world\u2019s largest")));
        QCOMPARE(text.count(QChar(0x2019)), 1);
        QVERIFY(!text.contains(QLatin1Char('\'')));
        const QString run = QLatin1String("interests.") + QString(61, QLatin1Char(' ')) + QLatin1String("All the");
        QVERIFY(text.contains(run));
        QVERIFY(text.endsWith(QLatin1String("family. ")));
        QVERIFY(!text.endsWith(QLatin1String("  ")));
        QCOMPARE(text, kLabel3Text);
    }

    void boxesStartWithTheirPlaceholders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");

        QTest::newRow("txtName") << "txtName" << "Your Name";
        QTest::newRow("txtEmail") << "txtEmail" << "Your Email Address";
        QTest::newRow("txtFriendName") << "txtFriendName" << "Friend's Name";
        QTest::newRow("txtFriendEmail") << "txtFriendEmail" << "Friend's Email Address";
    }

    void boxesStartWithTheirPlaceholders()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);

        auto dialog = loadForm(QStringLiteral("frmExitScreen"));
        auto *box = dialog->findChild<QLineEdit *>(name);
        QVERIFY2(box, qPrintable(name));
        QCOMPARE(box->text(), text);
        QCOMPARE(box->maxLength(), 32767);
    }

    void messageBoxStartsWithItsTextAndALineBreak()
    {
        auto dialog = loadForm(QStringLiteral("frmExitScreen"));
        auto *message = dialog->findChild<QPlainTextEdit *>(QStringLiteral("txtMessage"));
        QVERIFY(message);
        QCOMPARE(message->toPlainText(), QStringLiteral("Your Message\n"));
        QCOMPARE(message->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    void buttonsHaveTheirDefaultFlags_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("isDefault");
        QTest::addColumn<bool>("autoDefault");

        QTest::newRow("cmdTry") << "frmResult" << "cmdTry" << "TRY AGAIN" << false << true;
        QTest::newRow("cmdOK") << "frmAbout" << "cmdOK" << "&OK" << true << true;
        QTest::newRow("cmdClose") << "frmExitScreen" << "cmdClose" << "E&xit" << false << false;
        QTest::newRow("cmdSubmit") << "frmExitScreen" << "cmdSubmit" << "Refer A Friend &Now" << false << false;
        QTest::newRow("cmdExit_0") << "frmExitScreen" << "cmdExit_0" << "Exit" << false << false;
        QTest::newRow("cmdExit_1") << "frmExitScreen" << "cmdExit_1" << "Exit" << false << false;
        QTest::newRow("cmdExit_2") << "frmExitScreen" << "cmdExit_2" << "Exit" << false << false;
        QTest::newRow("Check1") << "frmExitScreen" << "Check1" << QString() << false << false;
    }

    void buttonsHaveTheirDefaultFlags()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, isDefault);
        QFETCH(bool, autoDefault);

        auto dialog = loadForm(form);
        auto *button = dialog->findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        if (!caption.isNull())
            QCOMPARE(button->text(), caption);
        QCOMPARE(button->isDefault(), isDefault);
        QCOMPARE(button->autoDefault(), autoDefault);
    }

    void linksAreClickLabelsUnderAHand_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("exact");

        QTest::newRow("lblHomePage") << "frmAbout" << "lblHomePage" << "www.gladesoftwares.com" << false;
        QTest::newRow("lblCoBrand") << "frmAbout" << "lblCoBrand" << " Click here for more details." << true;
        QTest::newRow("lblGoToHome") << "frmExitScreen" << "lblGoToHome" << "Click Here To Visit Glade Softwares"
                                     << true;
    }

    void linksAreClickLabelsUnderAHand()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, exact);

        auto dialog = loadForm(form);
        auto *link = dialog->findChild<ClickLabel *>(name);
        QVERIFY2(link, qPrintable(name));
        QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
        if (exact)
            QCOMPARE(link->text(), caption);
        else
            QVERIFY2(link->text().endsWith(caption), qPrintable(link->text()));
    }

    void forumButtonIsAnUncheckedToggleUnderAHand()
    {
        auto dialog = loadForm(QStringLiteral("frmExitScreen"));
        auto *check = dialog->findChild<QPushButton *>(QStringLiteral("Check1"));
        QVERIFY(check);
        QVERIFY(check->isCheckable());
        QVERIFY(!check->isChecked());
        QCOMPARE(check->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(check->text().contains(QLatin1String("/forum")));
        QCOMPARE(dialog->findChild<QPushButton *>(QStringLiteral("cmdClose"))->cursor().shape(), Qt::ArrowCursor);
    }

    void framesAreEtchedFrameBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");

        QTest::newRow("Frame6") << "Frame6" << "Download Glade Softwares";
        QTest::newRow("Frame2") << "Frame2" << "Refer A Friend";
    }

    void framesAreEtchedFrameBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);

        auto dialog = loadForm(QStringLiteral("frmExitScreen"));
        auto *frame = dialog->findChild<FrameBox *>(name);
        QVERIFY2(frame, qPrintable(name));
        QCOMPARE(frame->title(), title);
        QVERIFY(!frame->isFlat());
        QCOMPARE(frame->focusPolicy(), Qt::NoFocus);
    }

    // picIcon is sized to the icon plus its border; Picture1 keeps it in its top-left corner.
    void iconPicturesShowTheWholeIcon_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("bordered");

        QTest::newRow("picIcon") << "frmAbout" << "picIcon" << true;
        QTest::newRow("Picture1") << "frmExitScreen" << "Picture1" << false;
    }

    void iconPicturesShowTheWholeIcon()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(bool, bordered);

        auto dialog = loadForm(form);
        auto *picture = dialog->findChild<QLabel *>(name);
        QVERIFY2(picture, qPrintable(name));
        const QPixmap pixmap = picture->pixmap();
        QCOMPARE(pixmap.size(), QSize(32, 32));
        QCOMPARE(picture->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QCOMPARE(picture->frameShape() != QFrame::NoFrame, bordered);
        if (bordered) {
            QCOMPARE(picture->frameShadow(), QFrame::Sunken);
            QCOMPARE(picture->contentsRect().size(), pixmap.size());
        } else {
            QCOMPARE(picture->contentsRect().topLeft(), QPoint(0, 0));
        }
    }

    // Every caption must show whole with the fonts this machine substitutes:
    // one-line captions within the width, wrapped ones within the height.
    void captionsFitTheirControls_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<int>("captions");
        QTest::newRow("result") << "frmResult" << 2;
        QTest::newRow("about") << "frmAbout" << 6;
        QTest::newRow("exit") << "frmExitScreen" << 16;
    }

    void captionsFitTheirControls()
    {
        QFETCH(QString, form);
        QFETCH(int, captions);

        auto dialog = loadForm(form);
        dialog->ensurePolished();
        int checked = 0;
        const auto widgets = dialog->findChildren<QWidget *>();
        for (QWidget *w : widgets) {
            w->ensurePolished();
            const QFontMetrics metrics(w->font());
            const QString name = w->objectName();
            if (auto *label = qobject_cast<QLabel *>(w); label && !label->text().isEmpty()) {
                const QRect room = label->contentsRect();
                if (label->wordWrap()) {
                    QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(name));
                } else {
                    QVERIFY2(metrics.horizontalAdvance(label->text()) <= room.width(), qPrintable(name));
                    QVERIFY2(metrics.height() <= room.height(), qPrintable(name));
                }
                ++checked;
            } else if (auto *button = qobject_cast<QPushButton *>(w)) {
                const int margin = w->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w)
                    + w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
                const QString text = withoutAccessMarks(button->text());
                QVERIFY2(metrics.horizontalAdvance(text) + 2 * margin <= button->width(), qPrintable(name));
                QVERIFY2(metrics.height() <= button->height(), qPrintable(name));
                ++checked;
            } else if (auto *box = qobject_cast<QLineEdit *>(w)) {
                QVERIFY2(metrics.horizontalAdvance(box->text()) + 8 <= box->width(), qPrintable(name));
                QVERIFY2(metrics.height() + 4 <= box->height(), qPrintable(name));
                ++checked;
            } else if (auto *frame = qobject_cast<FrameBox *>(w); frame && !frame->title().isEmpty()) {
                QVERIFY2(metrics.horizontalAdvance(frame->title()) + 16 <= frame->width(), qPrintable(name));
                ++checked;
            }
        }
        QCOMPARE(checked, captions);
    }

    void accessKeysClickTheirButtons_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("key");

        QTest::newRow("about OK") << "frmAbout" << "cmdOK" << int(Qt::Key_O);
        QTest::newRow("exit Exit") << "frmExitScreen" << "cmdClose" << int(Qt::Key_X);
        QTest::newRow("exit submit") << "frmExitScreen" << "cmdSubmit" << int(Qt::Key_N);
    }

    void accessKeysClickTheirButtons()
    {
        QFETCH(QString, form);
        QFETCH(QString, name);
        QFETCH(int, key);

        auto dialog = loadForm(form);
        auto *button = dialog->findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        QSignalSpy clicks(button, &QPushButton::clicked);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
        QTest::keyClick(dialog.get(), Qt::Key(key), Qt::AltModifier);
        // The shortcut animates the press and clicks a moment later.
        QTRY_COMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestDialogLayouts)
#include "tst_dialog_layouts.moc"
