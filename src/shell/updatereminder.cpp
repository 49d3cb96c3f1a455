#include "shell/updatereminder.h"

#include "pages/modhelp.h"
#include "settings/settingsstore.h"
#include "shell/clock.h"
#include "widgets/messagebox.h"

#include <QDate>

namespace {
const QString Message =
    QStringLiteral("There maybe an update to this software available\rDo you want to check for an update?");
// ISO order with a four-digit year: independent of the locale, and made of
// digits and '-' only, which survive the scramble.
const QString DateFormat = QStringLiteral("yyyy-MM-dd");
constexpr int ThresholdDays = 14;
} // namespace

UpdateReminder::UpdateReminder(SettingsStore &store, const Clock &clock)
    : m_store(store)
    , m_clock(clock)
{
}

void UpdateReminder::RemindOfUpdate()
{
    const QString stored = m_store.ReadSetting(SettingKeys::Duration);
    const QDate today = m_clock.today();
    const QString todayText = today.toString(DateFormat);

    if (stored.isEmpty()) {
        (void)m_store.WriteSetting(SettingKeys::Duration, todayText);
        return;
    }

    const QDate last = QDate::fromString(stored, DateFormat);
    if (!last.isValid() || qAbs(today.daysTo(last)) <= ThresholdDays)
        return;

    // When the write after the question fails, the stored date stays due;
    // without this the main window's load would ask a second time.
    if (m_asked)
        return;
    m_asked = true;

    const bool wantsUpdate = askYesNo(Message);
    if (!m_store.WriteSetting(SettingKeys::Duration, todayText))
        return;
    if (wantsUpdate)
        modHelp::OpenDownloadPage();
}
