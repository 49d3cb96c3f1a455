#pragma once

class Clock;
class SettingsStore;

// Every 15 days or more, counted from the date stored under "Duration",
// offers to open the download page. Start-up and the main window's load
// both call RemindOfUpdate on the same object.
class UpdateReminder
{
public:
    UpdateReminder(SettingsStore &store, const Clock &clock);

    void RemindOfUpdate();

private:
    SettingsStore &m_store;
    const Clock &m_clock;
    bool m_asked = false;
};
