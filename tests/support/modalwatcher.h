#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>

// While it lives, answers each modal window a test provokes: a message box is
// recorded and answered with `answer` where it offers it, else OK; any other
// modal window goes to onOtherModal.
class ModalWatcher
{
public:
    QStringList texts;
    QStringList titles;
    QList<QMessageBox::Icon> icons;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    std::function<void(QWidget *)> onOtherModal;

    ModalWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(5);
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_handled || !modal->isVisible())
            return;
        m_handled = modal;
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box && onOtherModal)
            onOtherModal(modal);
        if (!box)
            return;
        texts << box->text();
        titles << box->windowTitle();
        icons << box->icon();
        QAbstractButton *button = box->button(answer);
        QTest::mouseClick(button ? button : box->button(QMessageBox::Ok), Qt::LeftButton);
    }

    QTimer m_timer;
    QPointer<QWidget> m_handled;
};
