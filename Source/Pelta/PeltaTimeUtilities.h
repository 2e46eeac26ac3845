#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {
struct TDWTimestampValue;
}
} // namespace Orvik

namespace Pelta {

/// Timestamps as the server carries them, milliseconds since 1970-01-01 00:00:00 UTC, and as the
/// data store holds them, the ODBC timestamp structure. Both directions are UTC and pure
/// arithmetic on the proleptic Gregorian calendar, so no value is refused by a platform call.
class PeltaTimeUtilities
{
public:
    PeltaTimeUtilities() = delete;

    /// Fills all fields of out_timestamp from in_millis; the fraction is the non-negative
    /// remainder below the second (so -1 is 23:59:59 with 999000000). Returns false, with the
    /// year cut to 16 bits, when the year does not fit the structure's year field.
    static bool EpochMillisToTimestamp(int64_t in_millis,
                                       Orvik::Support::TDWTimestampValue& out_timestamp);

    /// Writes the milliseconds of in_timestamp (sub-millisecond digits dropped) and returns
    /// true; returns false without writing when a month, day of that month, hour, minute,
    /// second (to 59) or fraction (below 10^9) is out of range.
    static bool TimestampToEpochMillis(const Orvik::Support::TDWTimestampValue& in_timestamp,
                                       int64_t& out_millis);

    /// The civil date of day in_days counted from 1970-01-01 (day 0), negative before it.
    static void
    CivilFromDays(int64_t in_days, int64_t& out_year, uint32_t& out_month, uint32_t& out_day);

    /// The day number of a valid civil date counted from 1970-01-01 (day 0).
    static int64_t DaysFromCivil(int64_t in_year, uint32_t in_month, uint32_t in_day);
};

} // namespace Pelta
