#pragma once

#include <QDate>

// Today's local date. A test lends one that stands still on a day it picks.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
};
