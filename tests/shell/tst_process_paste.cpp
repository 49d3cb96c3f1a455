#include "support/gameprocess.h"
#include "support/wait.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

#include <algorithm>

namespace {
const QString kTitle = QStringLiteral("^Numensight v1\\.65$");

qint64 megabytes(qint64 pid, const QByteArray &figure)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(figure + ':'))
            return line.mid(figure.size() + 1).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

bool press(const QStringList &keys)
{
    return std::all_of(keys.begin(), keys.end(), [](const QString &key) { return X11::press(key); });
}
} // namespace

class TestProcessPaste : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt's clipboard alone would fetch all of another program's selection,
    // and hold it twice over, before the box kept its 32,767 characters.
    void aHugeSelectionCostsAPasteLittleMemory()
    {
        GameEnvironment env;
        if (!env.hasDisplay())
            QSKIP("needs an X display; make test provides one");
        QProcess *game = env.start();
        const qint64 pid = game->processId();
        const QStringList main = X11::waitForWindows(kTitle, pid);
        QCOMPARE(main.size(), 1);
        QVERIFY(X11::activate(main[0]));
        QVERIFY(X11::press(QStringLiteral("alt+e")));
        QStringList shown;
        QVERIFY(Wait::until([&] { return (shown = X11::windows(kTitle, pid)).size() == 1 && shown[0] != main[0]; }));
        QVERIFY(X11::activate(shown[0]));
        // From the Close button to the name box, which then drops its placeholder.
        QVERIFY(press(QStringList(5, QStringLiteral("Tab"))));
        const qint64 idle = megabytes(pid, "VmRSS");
        QVERIFY(idle > 0);

        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QString(200'000'000, u'7'));
        QVERIFY(clipboard->ownsClipboard());
        QVERIFY(press({QStringLiteral("ctrl+v"), QStringLiteral("ctrl+a"), QStringLiteral("ctrl+c")}));
        // The game answers: it copies what it took, which the test then reads.
        QTRY_VERIFY_WITH_TIMEOUT(!clipboard->ownsClipboard(), 60000);
        QVERIFY(clipboard->text() == QString(32767, u'7'));
        const qint64 rise = megabytes(pid, "VmHWM") - idle;
        QVERIFY2(rise < 100, qPrintable(QStringLiteral("peak %1 MB above idle").arg(rise)));

        // The next paste waits for the owner to send the rest of the first
        // answer, which the test must not leave unfinished.
        clipboard->setText(QStringLiteral("42"));
        QVERIFY(press({QStringLiteral("ctrl+a"), QStringLiteral("ctrl+v"), QStringLiteral("ctrl+a"), QStringLiteral("ctrl+c")}));
        QTRY_VERIFY_WITH_TIMEOUT(!clipboard->ownsClipboard(), 60000);
        QCOMPARE(clipboard->text(), QStringLiteral("42"));
    }
};

// The test holds the clipboard itself, as another program would: it needs
// the game's X display rather than the offscreen platform.
int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QGuiApplication app(argc, argv);
    TestProcessPaste test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_process_paste.moc"
