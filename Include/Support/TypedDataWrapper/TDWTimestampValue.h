#pragma once

#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side TIMESTAMP value; laid out as the ODBC TIMESTAMP_STRUCT, fraction in nanoseconds.
struct TDWTimestampValue
{
    /// 1900-01-01 00:00:00.
    TDWTimestampValue() = default;

    /// Starts from 1900-01-01 00:00:00 and parses the text. With in_throwOnError, a text that
    /// fails to parse or gives an invalid timestamp raises SupportException
    /// ("InvalidTimestampFormat" or "InvalidTimestampValue").
    TDWTimestampValue(const char* in_text, size_t in_length, bool in_throwOnError);

    int16_t m_year = 1900;
    uint16_t m_month = 1;
    uint16_t m_day = 1;
    uint16_t m_hour = 0;
    uint16_t m_minute = 0;
    uint16_t m_second = 0;
    uint32_t m_fraction = 0;

    /// The date fields pass the date check and the time fields the time check.
    bool IsValid() const
    {
        return TDWDateValue::IsValid(m_year, m_month, m_day)
            && TDWTimeValue::IsValid(m_hour, m_minute, m_second, m_fraction);
    }

    /// Reads [-]YYYY-MM-DD, optionally followed by one blank and a time, or a time alone, which
    /// takes today's local date; a time is HH:MM:SS with an optional point and one to nine
    /// fraction digits. A date alone leaves the time fields as they were. Ranges are not
    /// checked (see IsValid). A rejected text raises "InvalidTimestampFormat" (wrong shape)
    /// or "InvalidTimestampValue" (a wrong character where a digit belongs) with
    /// in_throwOnError, and otherwise leaves the invalid marker in every field.
    void Parse(const char* in_text, size_t in_length, bool in_throwOnError);

    /// Sets the marker of a rejected text: year 32767, the other fields all ones.
    void SetInvalidMarker();
};

static_assert(sizeof(TDWTimestampValue) == 16, "TIMESTAMP_STRUCT layout");

} // namespace Support
} // namespace Orvik
