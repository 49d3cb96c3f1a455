#include "support/modalwatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

ModalWatcher::ModalWatcher()
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalWatcher::poll);
    m_timer.start();
}

QStringList ModalWatcher::texts() const
{
    QStringList result;
    for (const Seen &s : m_seen)
        result << s.text;
    return result;
}

void ModalWatcher::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == m_handled || !modal->isVisible())
        return;
    m_handled = modal;

    auto *box = qobject_cast<QMessageBox *>(modal);
    if (!box) {
        if (m_other)
            m_other(modal);
        return;
    }
    m_seen.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons()});
    if (m_box)
        m_box(box);

    QMessageBox::StandardButton answer = QMessageBox::Ok;
    if (!m_answers.empty()) {
        answer = m_answers.front();
        m_answers.pop_front();
    } else if (box->standardButtons() & QMessageBox::Yes) {
        answer = QMessageBox::Yes;
    }
    if (QAbstractButton *button = box->button(answer))
        QTest::mouseClick(button, Qt::LeftButton);
    else
        box->reject();
}
