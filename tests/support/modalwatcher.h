#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

// Answers the modal windows a test provokes. While it lives it polls
// QApplication::activeModalWidget(); each new modal message box is recorded
// and answered with the next queued button (OK, or Yes, when none is queued);
// any other modal window goes to the handler set with onOtherModal().
class ModalWatcher : public QObject
{
    Q_OBJECT

public:
    struct Seen
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    };

    ModalWatcher();

    void answerNext(QMessageBox::StandardButton button) { m_answers.push_back(button); }
    void onOtherModal(std::function<void(QWidget *)> handler) { m_other = std::move(handler); }
    // Called with each new message box while it is on screen, before it is answered.
    void onMessageBox(std::function<void(QMessageBox *)> handler) { m_box = std::move(handler); }

    const std::vector<Seen> &seen() const { return m_seen; }
    QStringList texts() const;
    void clear() { m_seen.clear(); }

private:
    void poll();

    QTimer m_timer;
    QPointer<QWidget> m_handled;
    std::deque<QMessageBox::StandardButton> m_answers;
    std::function<void(QWidget *)> m_other;
    std::function<void(QMessageBox *)> m_box;
    std::vector<Seen> m_seen;
};
