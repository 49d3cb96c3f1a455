#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

// Answers the modal windows a test provokes. While it lives it polls for a
// new modal window: a message box is recorded and answered with `answer`,
// else Yes where it offers one, else OK; any other modal window goes to
// onOtherModal.
class ModalWatcher
{
public:
    struct Seen
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
    };
    std::vector<Seen> seen;
    std::optional<QMessageBox::StandardButton> answer;
    std::function<void(QWidget *)> onOtherModal;

    ModalWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(5);
    }

    QStringList texts() const
    {
        QStringList result;
        for (const Seen &s : seen)
            result << s.text;
        return result;
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
        seen.push_back({box->text(), box->windowTitle(), box->icon()});
        QTest::mouseClick(box->button(answer.value_or(box->button(QMessageBox::Yes) ? QMessageBox::Yes : QMessageBox::Ok)),
                          Qt::LeftButton);
    }

    QTimer m_timer;
    QPointer<QWidget> m_handled;
};
