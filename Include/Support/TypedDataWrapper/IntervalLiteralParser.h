#pragma once

#include <cstddef>
#include <cstdint>

namespace Orvik {
namespace Support {

class WarningListener;

/// The fields a day-time interval text gave, from its first field on.
struct DayTimeIntervalParse
{
    uint32_t m_day = 0;
    uint32_t m_hour = 0;
    uint32_t m_minute = 0;
    uint32_t m_second = 0;

    /// In units of ten to minus the fractional precision when the text gave no more digits than
    /// that precision; otherwise the digits as written (see m_fractionDigits).
    int32_t m_fraction = 0;

    /// Fields met, the fraction counting as one.
    uint8_t m_fieldCount = 0;

    /// Fraction digits the text gave, so that a caller can cut a longer fraction to its
    /// precision without mistaking leading zeros ("0123") for significant digits.
    uint8_t m_fractionDigits = 0;

    bool m_isNegative = false;
};

/// The numbers a year-month interval text gave.
struct YearMonthIntervalParse
{
    uint32_t m_years = 0;
    uint32_t m_months = 0;

    /// The text had no month part.
    bool m_isSingleField = false;

    bool m_isNegative = false;
};

/// What an interval parse, or the reduction of its fields to a target type, found. The values
/// are those the callers exchange, so they may not change.
enum class IntervalParseCode : int32_t
{
    PARSED = 0,
    MALFORMED = 1,
    FRACTION_TOO_LONG = 2,
    LEADING_FIELD_TOO_LONG_NEGATIVE = 3,
    LEADING_FIELD_TOO_LONG_POSITIVE = 4,
    LOWER_FIELDS_LOST_NEGATIVE = 5,
    LOWER_FIELDS_LOST_POSITIVE = 6
};

/// The one reader of interval literals: the bare value with an optional leading "-", no
/// keyword and no unit words. Both conversion directions build on it.
class IntervalLiteralParser
{
public:
    /// Reads D, D H, D H:M, D H:M:S, D H:M:S.F, H:M, H:M:S, H:M:S.F, M:S.F, S or S.F (the
    /// leading field up to nine digits, the others up to two, the fraction up to nine); the
    /// text may end right after a separator. Trailing blanks are ignored, leading ones are not.
    /// A fraction of fewer digits than in_fractionalPrecision (0 to 9) is scaled to count units
    /// of ten to minus that precision.
    static IntervalParseCode ParseDayTimeInterval(
        const char* in_text,
        size_t in_length,
        DayTimeIntervalParse& out_record,
        int16_t in_fractionalPrecision);

    /// Reads Y or Y-M (Y up to nine digits, M one or two digits up to 11), with an optional
    /// leading "-" and trailing blanks.
    static IntervalParseCode ParseYearMonthInterval(
        const char* in_text,
        size_t in_length,
        YearMonthIntervalParse& out_record);

    /// Posts what a parse code means: "InvalidCharValForCast" for malformed text,
    /// "IntervalFieldOverflow" for a field too long (direction 2 for the fraction, else 1 when
    /// negative, 0 when not) and "FractionalTrunc" for lost lower fields; nothing for PARSED.
    static void PostIntervalParseResult(IntervalParseCode in_code, WarningListener& in_listener);
};

} // namespace Support
} // namespace Orvik
