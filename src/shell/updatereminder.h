#pragma once

#include <QDate>
#include <QString>

#include <functional>

class SettingsStore;

// Every 15 days or more, counted from the date stored under "Duration",
// offers to open the download page. Start-up and the main window's load
// both call RemindOfUpdate on the same object.
class UpdateReminder
{
public:
    struct Seams
    {
        std::function<QDate()> today;
        std::function<bool(const QString &)> askYesNo;
        std::function<void()> openDownloadPage;
    };

    explicit UpdateReminder(SettingsStore &store, Seams seams = {});

    void RemindOfUpdate();

    static const QString Message;
    // ISO order with a four-digit year: independent of the locale, and
    // made of digits and '-' only, which survive the scramble.
    static const QString DateFormat;
    static constexpr int ThresholdDays = 14;

private:
    SettingsStore &m_store;
    Seams m_seams;
    bool m_asked = false;
};
