#pragma once

#include <QPlainTextEdit>

// A multi-line box that, like a one-line box, takes at most maxLength
// characters: the rest of a paste, a drop or typing is dropped. Laying out
// megabytes of text would freeze the window.
class PlainTextBox : public QPlainTextEdit
{
    Q_OBJECT
    Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)

public:
    explicit PlainTextBox(QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    void setMaxLength(int length) { m_maxLength = length; }

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    qsizetype room() const;

    // A one-line box's own default.
    int m_maxLength = 32767;
};
