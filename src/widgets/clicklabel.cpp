#include "widgets/clicklabel.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace {
class ClickLabelAccessible : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    // Asked each time: Qt may make the interface while the label is still
    // being set up, before the definition says what it stands for.
    QAccessible::Role role() const override
    {
        return static_cast<const ClickLabel *>(widget())->announcedAsButton() ? QAccessible::Button : QAccessible::Link;
    }

    QString text(QAccessible::Text t) const override
    {
        const auto *label = static_cast<const ClickLabel *>(widget());
        if (t == QAccessible::Name && label->accessibleName().isEmpty()) {
            QString shown = label->text();
            // With a buddy, the label shows "&&" as one "&".
            if (label->buddy())
                shown.replace(QLatin1String("&&"), QLatin1String("&"));
            return shown;
        }
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == pressAction())
            static_cast<ClickLabel *>(widget())->click();
    }
};

QAccessibleInterface *clickLabelFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("ClickLabel") && object && object->isWidgetType())
        return new ClickLabelAccessible(static_cast<ClickLabel *>(object));
    return nullptr;
}
} // namespace

ClickLabel::ClickLabel(QWidget *parent)
    : QLabel(parent)
{
    static const bool registered = [] {
        QAccessible::installFactory(clickLabelFactory);
        return true;
    }();
    Q_UNUSED(registered);
}

void ClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        Q_EMIT clicked();
}
