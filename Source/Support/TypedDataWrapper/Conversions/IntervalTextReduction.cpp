// Interval text brought to the fields of one kind.

#include "IntervalTextReduction.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/IntervalLiteralParser.h"
#include "Support/TypedDataWrapper/WarningListener.h"

namespace Orvik {
namespace Support {

IntervalTextReduction::Reduced IntervalTextReduction::ReduceDayTime(const DayTimeIntervalParse& in_parse,
                                                                    KernelOutput::IntervalCode in_code)
{
    const uint64_t d = in_parse.m_day;
    const uint64_t h = in_parse.m_hour;
    const uint64_t m = in_parse.m_minute;
    const uint64_t s = in_parse.m_second;
    const uint32_t f = static_cast<uint32_t>(in_parse.m_fraction);
    const bool isDayAlone = in_parse.m_fieldCount == 1 && h == 0 && m == 0 && s == 0;
    const bool isMinuteSecond = in_parse.m_fieldCount == 2 && d == 0 && s == 0 && f == 0;
    Reduced out;
    uint64_t* fields = out.m_value.m_fields;
    switch (in_code)
    {
    case KernelOutput::INTERVAL_DAY:
        fields[UNIT_DAY] = d + h / 24 + m / 1440 + s / 86400;
        out.m_isLost = h % 24 != 0 || m % 1440 != 0 || s % 86400 != 0 || f != 0;
        break;
    case KernelOutput::INTERVAL_HOUR:
        fields[UNIT_HOUR] = isDayAlone ? d : 24 * d + h + m / 60 + s / 3600;
        out.m_isLost = m % 60 != 0 || s % 3600 != 0 || f != 0;
        break;
    case KernelOutput::INTERVAL_MINUTE:
        fields[UNIT_MINUTE] = isDayAlone ? d : 1440 * d + 60 * h + m + s / 60;
        out.m_isLost = s % 60 != 0 || f != 0;
        break;
    case KernelOutput::INTERVAL_SECOND:
        fields[UNIT_SECOND] = isDayAlone ? d : isMinuteSecond ? 60 * h + m : 86400 * d + 3600 * h + 60 * m + s;
        out.m_value.m_fraction = f;
        break;
    case KernelOutput::INTERVAL_DAY_TO_HOUR:
    {
        const uint64_t hours = h + m / 60 + s / 3600;
        fields[UNIT_DAY] = d + hours / 24;
        fields[UNIT_HOUR] = hours % 24;
        out.m_isLost = m % 60 != 0 || s % 3600 != 0 || f != 0;
        break;
    }
    case KernelOutput::INTERVAL_DAY_TO_MINUTE:
    {
        const uint64_t minutes = m + s / 60;
        const uint64_t hours = h + minutes / 60;
        fields[UNIT_DAY] = d + hours / 24;
        fields[UNIT_HOUR] = hours % 24;
        fields[UNIT_MINUTE] = minutes % 60;
        out.m_isLost = s % 60 != 0 || f != 0;
        break;
    }
    case KernelOutput::INTERVAL_DAY_TO_SECOND:
    {
        const uint64_t minutes = m + s / 60;
        const uint64_t hours = h + minutes / 60;
        fields[UNIT_DAY] = d + hours / 24;
        fields[UNIT_HOUR] = hours % 24;
        fields[UNIT_MINUTE] = minutes % 60;
        fields[UNIT_SECOND] = s % 60;
        out.m_value.m_fraction = f;
        break;
    }
    case KernelOutput::INTERVAL_HOUR_TO_MINUTE:
    {
        const uint64_t minutes = m + s / 60;
        fields[UNIT_HOUR] = isDayAlone ? d : 24 * d + h + minutes / 60;
        fields[UNIT_MINUTE] = minutes % 60;
        out.m_isLost = s % 60 != 0 || f != 0;
        break;
    }
    case KernelOutput::INTERVAL_HOUR_TO_SECOND:
    {
        const uint64_t minutes = m + s / 60;
        fields[UNIT_HOUR] = isDayAlone ? d : 24 * d + h + minutes / 60;
        fields[UNIT_MINUTE] = minutes % 60;
        fields[UNIT_SECOND] = s % 60;
        out.m_value.m_fraction = f;
        break;
    }
    default:
        if (isDayAlone)
        {
            fields[UNIT_MINUTE] = d;
        }
        else if (isMinuteSecond)
        {
            fields[UNIT_MINUTE] = h + m / 60;
            fields[UNIT_SECOND] = m % 60;
        }
        else
        {
            fields[UNIT_MINUTE] = 1440 * d + 60 * h + m + s / 60;
            fields[UNIT_SECOND] = s % 60;
            out.m_value.m_fraction = f;
        }
        break;
    }
    out.m_value.m_isNegative = in_parse.m_isNegative;
    return out;
}

IntervalTextReduction::Reduced IntervalTextReduction::ReduceYearMonth(const YearMonthIntervalParse& in_parse,
                                                                      KernelOutput::IntervalCode in_code)
{
    Reduced out;
    uint64_t* fields = out.m_value.m_fields;
    const uint64_t years = in_parse.m_years;
    switch (in_code)
    {
    case KernelOutput::INTERVAL_YEAR:
        fields[UNIT_YEAR] = years;
        out.m_isLost = !in_parse.m_isSingleField;
        break;
    case KernelOutput::INTERVAL_MONTH:
        fields[UNIT_MONTH] = in_parse.m_isSingleField ? years : 12 * years + in_parse.m_months;
        break;
    default:
        fields[UNIT_YEAR] = years;
        fields[UNIT_MONTH] = in_parse.m_months;
        break;
    }
    out.m_value.m_isNegative = in_parse.m_isNegative;
    return out;
}

bool IntervalTextReduction::LowerFieldsValid(const IntervalFields& in_value, const IntervalKind& in_kind)
{
    constexpr uint64_t MAX_FIELD[UNIT_COUNT] = {0, 11, 0, 23, 59, 59};
    for (int unit = in_kind.m_first + 1; unit <= in_kind.m_last; ++unit)
    {
        if (in_value.m_fields[unit] > MAX_FIELD[unit])
        {
            return false;
        }
    }
    return true;
}

bool IntervalTextReduction::Check(const IntervalFields& in_value,
                                  const IntervalKind& in_kind,
                                  uint64_t in_leadingPrecision,
                                  WarningListener& io_listener)
{
    const uint64_t leading = in_value.Leading(in_kind);
    const bool tooManyDigits = static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(leading)) > in_leadingPrecision;
    if (tooManyDigits || leading > IntervalFields::MAX_LEADING_FIELD)
    {
        KernelOutput::PostIntervalFieldOverflow(
            io_listener, in_value.m_isNegative ? KernelOutput::BELOW : KernelOutput::ABOVE);
        return false;
    }
    if (!LowerFieldsValid(in_value, in_kind))
    {
        io_listener.PostWarning(ConversionResult::InvalidCharValForCast());
        return false;
    }
    return true;
}

} // namespace Support
} // namespace Orvik
