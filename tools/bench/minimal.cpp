// The yardstick for numensight's start-up and memory: a Qt Widgets main
// window of the same client size with a menu bar and nothing in it.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Play"));
    file->addAction(QStringLiteral("&Back"));
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    QMenu *help = window.menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Online Help"));
    help->addAction(QStringLiteral("&About"));
    window.menuBar()->addAction(QStringLiteral("&Donate"));

    auto *client = new QWidget;
    client->setFixedSize(475, 353);
    window.setCentralWidget(client);
    window.adjustSize();
    window.setFixedSize(window.size());
    QRect frame = window.frameGeometry();
    frame.moveCenter(window.screen()->availableGeometry().center());
    window.move(frame.topLeft());
    window.show();
    return app.exec();
}
