#pragma once

#include "game/scorebook.h"
#include "support/modalwatcher.h"
#include "support/scriptedrandom.h"
#include "support/standins.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>

// A real main window, shown offscreen, with a scripted random source, no
// pause, counted hooks, and a watcher that answers every modal window: a
// result window is recorded (its sentence and colour) and closed with
// TRY AGAIN.
struct MainWindowFixture
{
    struct Verdict
    {
        QString sentence;
        QColor colour;
    };

    ScoreBook book;
    ScriptedRandom random;
    NoPause noPause;
    CountingHooks hooks;
    ModalWatcher modals;
    std::vector<Verdict> verdicts;
    frmMain window;

    // A test that watches the real pause lends it.
    explicit MainWindowFixture(Pause *pause = nullptr)
        : window(book, random, pause ? *pause : noPause, hooks)
    {
        modals.onOtherModal([this](QWidget *modal) {
            if (modal->objectName() != QLatin1String("frmResult"))
                return;
            auto *label = modal->findChild<QLabel *>(QStringLiteral("lblResult"));
            verdicts.push_back({label->text(), label->palette().color(QPalette::WindowText)});
            // A player answers after the window has taken the input that
            // waited in the queue; the watcher's timer can come first.
            QCoreApplication::processEvents();
            QTest::mouseClick(modal->findChild<QWidget *>(QStringLiteral("cmdTry")), Qt::LeftButton);
        });
        window.show();
        activate();
    }

    void activate() { ::activate(&window); }

    template<class T = QWidget>
    T *get(const char *name)
    {
        return control<T>(&window, name);
    }

    void click(const char *name) { QTest::mouseClick(get(name), Qt::LeftButton); }

    void type(const char *field, const QString &text) { QTest::keyClicks(get(field), text); }

    // Opens the Number Test and fills its three fields.
    void enterNumberTest(const QString &start, const QString &end, const QString &chosen)
    {
        click("optOption_0");
        click("cmdNext");
        get<QLineEdit>("txtRangeStart")->setText(start);
        get<QLineEdit>("txtRangeEnd")->setText(end);
        get<QLineEdit>("txtChuosenNumber")->setText(chosen);
    }

    bool inFront(const char *name, std::initializer_list<const char *> others)
    {
        return ::inFront(&window, name, others);
    }

    QString panelInFront()
    {
        for (const char *panel : {"fraMain", "fraNumberTest", "fraPickRightNumber"}) {
            bool front = true;
            for (const char *other : {"fraMain", "fraNumberTest", "fraPickRightNumber"})
                front = front && (other == panel || inFront(panel, {other}));
            if (front)
                return QLatin1String(panel);
        }
        return {};
    }
};
