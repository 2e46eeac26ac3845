#pragma once

#include "Support/TypedDataWrapper/TDWDateValue.h"

/// Makes today 2024-02-29 for the life of the object, so that time-only texts do not depend on
/// the day the tests run.
class FixedToday
{
public:
    FixedToday()
    {
        using Orvik::Support::TDWDateValue;
        TDWDateValue::SetTodaySource([] { return TDWDateValue{2024, 2, 29}; });
    }

    ~FixedToday() { Orvik::Support::TDWDateValue::SetTodaySource(nullptr); }

    FixedToday(const FixedToday&) = delete;
    FixedToday& operator=(const FixedToday&) = delete;
};
