#pragma once

#include "KernelTestSupport.h"

#include <sql.h>

#include <cstdio>
#include <string>

namespace Orvik {
namespace Support {

/// The value a run stored into a number or BIT target, as text; "untouched" when none.
inline std::string StoredValue(TDWType in_target, const KernelRun& in_run)
{
    if (in_run.untouched)
    {
        return "untouched";
    }
    char text[40];
    switch (in_target)
    {
    case TDW_C_STINYINT:
    case TDW_C_TINYINT:
        return std::to_string(ValueOf<int8_t>(in_run));
    case TDW_C_UTINYINT:
    case TDW_C_BIT:
        return std::to_string(ValueOf<uint8_t>(in_run));
    case TDW_C_SSHORT:
    case TDW_C_SHORT:
        return std::to_string(ValueOf<int16_t>(in_run));
    case TDW_C_USHORT:
        return std::to_string(ValueOf<uint16_t>(in_run));
    case TDW_C_SLONG:
    case TDW_C_LONG:
        return std::to_string(ValueOf<int32_t>(in_run));
    case TDW_C_ULONG:
        return std::to_string(ValueOf<uint32_t>(in_run));
    case TDW_C_SBIGINT:
        return std::to_string(ValueOf<int64_t>(in_run));
    case TDW_C_UBIGINT:
        return std::to_string(ValueOf<uint64_t>(in_run));
    case TDW_C_FLOAT:
        std::snprintf(text, sizeof(text), "%.9g", ValueOf<float>(in_run));
        return text;
    case TDW_C_DOUBLE:
        std::snprintf(text, sizeof(text), "%.17g", ValueOf<double>(in_run));
        return text;
    default:
        ADD_FAILURE() << "no fixed number target: " << in_target;
        return "?";
    }
}

/// "<posted> | <length> | <stored value>" of a fixed-size target's run.
inline std::string FixedOutcome(TDWType in_target, const KernelRun& in_run)
{
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + StoredValue(in_target, in_run);
}

/// The size of the C number and BIT targets.
inline int64_t FixedSizeOf(TDWType in_target)
{
    switch (in_target)
    {
    case TDW_C_STINYINT:
    case TDW_C_TINYINT:
    case TDW_C_UTINYINT:
    case TDW_C_BIT:
        return 1;
    case TDW_C_SSHORT:
    case TDW_C_SHORT:
    case TDW_C_USHORT:
        return 2;
    case TDW_C_SLONG:
    case TDW_C_LONG:
    case TDW_C_ULONG:
    case TDW_C_FLOAT:
        return 4;
    default:
        return 8;
    }
}

/// "<posted> | <length> | type=<code> sign=<sign> <fields>" of an interval target's run, the
/// fields as "y-m" for year-month codes and "d h:m:s.f" otherwise.
inline std::string IntervalOutcome(const KernelRun& in_run)
{
    std::string value = "untouched";
    if (!in_run.untouched)
    {
        const SQL_INTERVAL_STRUCT interval = ValueOf<SQL_INTERVAL_STRUCT>(in_run);
        value = "type=" + std::to_string(interval.interval_type) + " sign=" + std::to_string(interval.interval_sign) + " ";
        if (interval.interval_type == SQL_IS_YEAR || interval.interval_type == SQL_IS_MONTH
            || interval.interval_type == SQL_IS_YEAR_TO_MONTH)
        {
            value += std::to_string(interval.intval.year_month.year) + "-"
                + std::to_string(interval.intval.year_month.month);
        }
        else
        {
            const SQL_DAY_SECOND_STRUCT& fields = interval.intval.day_second;
            value += std::to_string(fields.day) + " " + std::to_string(fields.hour) + ":"
                + std::to_string(fields.minute) + ":" + std::to_string(fields.second) + "."
                + std::to_string(fields.fraction);
        }
    }
    return in_run.posted + " | " + std::to_string(in_run.length) + " | " + value;
}

} // namespace Support
} // namespace Orvik
