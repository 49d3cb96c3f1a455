#pragma once

#include <QString>

#include <functional>

// Runs call in a forked child that an alarm ends after the given seconds, so
// a call that blocks fails the test instead of hanging it. Gives "true" or
// "false" for what the call returned, "blocked" when the alarm ended it.
QString callInChild(const std::function<bool()> &call, unsigned seconds = 10);
