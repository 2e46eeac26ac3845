#pragma once

#include "Support/TypedDataWrapper/TDWDateValue.h"

#include <cstdlib>
#include <ctime>
#include <string>

/// Stops the clock at 2024-02-29 18:00:00 UTC and puts the process in time zone in_zone (a
/// POSIX TZ value; UTC by default) for the life of the object, so that time-only texts do not
/// depend on the day and place the tests run. The zone and the clock are restored afterwards.
class FixedToday
{
public:
    explicit FixedToday(const char* in_zone = "UTC0")
    {
        const char* zone = std::getenv("TZ");
        m_hadZone = zone != nullptr;
        m_oldZone = m_hadZone ? zone : "";
        setenv("TZ", in_zone, 1);
        tzset();
        Orvik::Support::TDWDateValue::SetClock([] { return std::time_t{1709229600}; });
    }

    ~FixedToday()
    {
        Orvik::Support::TDWDateValue::SetClock(nullptr);
        if (m_hadZone)
        {
            setenv("TZ", m_oldZone.c_str(), 1);
        }
        else
        {
            unsetenv("TZ");
        }
        tzset();
    }

    FixedToday(const FixedToday&) = delete;
    FixedToday& operator=(const FixedToday&) = delete;

private:
    bool m_hadZone = false;
    std::string m_oldZone;
};
