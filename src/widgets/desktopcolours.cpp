#include "widgets/desktopcolours.h"

#include <QApplication>
#include <QEvent>
#include <QMetaEnum>
#include <QWidget>

#include <cmath>

namespace {
// Below this WCAG contrast ratio (the AA level for body text) a desktop
// colour gives way to the classic one.
constexpr double ReadableContrast = 4.5;

QPalette::ColorRole partnerOf(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::WindowText: return QPalette::Window;
    case QPalette::Window: return QPalette::WindowText;
    case QPalette::ButtonText: return QPalette::Button;
    case QPalette::Button: return QPalette::ButtonText;
    case QPalette::Text: return QPalette::Base;
    case QPalette::Base: return QPalette::Text;
    default: return QPalette::NoRole;
    }
}

// The light scheme the definitions were drawn under (Fusion's own colours).
QColor classic(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::Window:
    case QPalette::Button: return QColor(0xEF, 0xEF, 0xEF);
    case QPalette::Base: return QColor(0xFF, 0xFF, 0xFF);
    default: return QColor(0, 0, 0);
    }
}

double luminance(const QColor &colour)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

} // namespace

DesktopColours::DesktopColours(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
}

void DesktopColours::follow(QWidget *window)
{
    (new DesktopColours(window))->apply();
}

double DesktopColours::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool DesktopColours::eventFilter(QObject *watched, QEvent *event)
{
    // Queued: the controls' inherited colours are resolved afresh only after
    // the window itself has seen the change.
    if (watched == m_window && event->type() == QEvent::ApplicationPaletteChange)
        QMetaObject::invokeMethod(this, &DesktopColours::apply, Qt::QueuedConnection);
    return false;
}

void DesktopColours::apply()
{
    const QPalette desktop = QApplication::palette();
    const QMetaEnum roles = QMetaEnum::fromType<QPalette::ColorRole>();
    QList<QWidget *> widgets = m_window->findChildren<QWidget *>();
    widgets.prepend(m_window);
    for (QWidget *widget : std::as_const(widgets)) {
        const QStringList entries = widget->property("desktopColours").toStringList();
        if (entries.isEmpty())
            continue;
        QPalette palette = widget->palette();
        QList<QPalette::ColorRole> following;
        for (const QString &entry : entries) {
            const QStringList names = entry.split(u'=');
            const auto role = QPalette::ColorRole(roles.keyToValue(names.first().toLatin1()));
            const auto source = QPalette::ColorRole(roles.keyToValue(names.last().toLatin1()));
            if (role < 0 || source < 0) {
                qWarning("%s: no colour role in \"%s\"", qPrintable(widget->objectName()), qPrintable(entry));
                continue;
            }
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                palette.setColor(group, role, desktop.color(group, source));
            following << role;
        }
        for (QPalette::ColorRole role : std::as_const(following)) {
            const QPalette::ColorRole partner = partnerOf(role);
            if (partner == QPalette::NoRole || following.contains(partner))
                continue;
            // Disabled text is meant to read faintly: only the live groups fall back.
            for (auto group : {QPalette::Active, QPalette::Inactive}) {
                if (contrast(palette.color(group, role), palette.color(group, partner)) < ReadableContrast)
                    palette.setColor(group, role, classic(role));
            }
        }
        widget->setPalette(palette);
    }
}
