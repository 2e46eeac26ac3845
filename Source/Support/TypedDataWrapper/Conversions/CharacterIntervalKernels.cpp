// Kernels of character sources into the thirteen interval structures. The text is read by the
// interval literal parser and its fields are then brought to the target's fields. All the
// arithmetic is 64-bit, so a large day count cannot wrap into a small, wrong number of hours.

#include "IntervalFields.h"
#include "KernelOutput.h"
#include "SqlToCKernelCells.h"
#include "TextKernel.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/IntervalLiteralParser.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr uint64_t POWERS_OF_TEN[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;

/// The parsed fields brought to a target kind, and whether a non-zero part finer than the
/// target's last field was dropped on the way.
struct Reduction
{
    IntervalFields m_value;
    bool m_isLost = false;
};

/// The day-time text's fields as the target kind holds them. A text of one number gives the
/// target's leading field; a text of two numbers joined by ":" is minutes and seconds for
/// SECOND and MINUTE TO SECOND and hours and minutes for the others.
Reduction ReduceDayTime(const DayTimeIntervalParse& in_parse, KernelOutput::IntervalCode in_code)
{
    const uint64_t d = in_parse.m_day;
    const uint64_t h = in_parse.m_hour;
    const uint64_t m = in_parse.m_minute;
    const uint64_t s = in_parse.m_second;
    const uint32_t f = static_cast<uint32_t>(in_parse.m_fraction);
    const bool isDayAlone = in_parse.m_fieldCount == 1 && h == 0 && m == 0 && s == 0;
    const bool isMinuteSecond = in_parse.m_fieldCount == 2 && d == 0 && s == 0 && f == 0;
    Reduction out;
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

/// The year-month text's fields as the target kind holds them; a month part is lost on YEAR.
Reduction ReduceYearMonth(const YearMonthIntervalParse& in_parse, KernelOutput::IntervalCode in_code)
{
    Reduction out;
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

/// The fields after the leading one are within their units.
bool LowerFieldsValid(const IntervalFields& in_value, const IntervalKind& in_kind)
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

/// The checks every reduced value passes before it is written: a leading field beyond nine
/// digits, or (when in_testPrecision) beyond the leading precision, overflows; a lower field
/// out of its unit is no interval of the kind.
bool CheckReduced(const IntervalFields& in_value,
                  const IntervalKind& in_kind,
                  uint64_t in_leadingPrecision,
                  bool in_testPrecision,
                  WarningListener& io_listener)
{
    const uint64_t leading = in_value.Leading(in_kind);
    const bool tooManyDigits = in_testPrecision
        && static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(leading)) > in_leadingPrecision;
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

/// Brings a fraction of in_digits typed digits to in_precision digits. The digit count is that
/// of the text, so leading zeros count: "0123" at precision 2 is 01, not 12.
void FitFraction(IntervalFields& io_value, uint8_t in_digits, int16_t in_precision, WarningListener& io_listener)
{
    const int16_t precision = std::clamp<int16_t>(in_precision, 0, MAX_FRACTIONAL_PRECISION);
    if (in_digits <= precision)
    {
        return;
    }
    const uint64_t divisor = POWERS_OF_TEN[in_digits - precision];
    const bool isCut = io_value.m_fraction % divisor != 0;
    io_value.m_fraction = static_cast<uint32_t>(io_value.m_fraction / divisor);
    if (isCut)
    {
        KernelOutput::PostFractionalTrunc(io_listener, io_value.m_isNegative);
    }
}

/// Kinds without seconds: lower fields lost in the reduction are a truncation warning, and the
/// leading precision is held only against a value that lost nothing.
void WriteWithoutSeconds(const Reduction& in_reduction,
                         const IntervalKind& in_kind,
                         const SqlToCKernelState& in_state,
                         void* out_target,
                         WarningListener& io_listener)
{
    const IntervalFields& value = in_reduction.m_value;
    if (!CheckReduced(value, in_kind, in_state.m_targetLeadingPrecision, !in_reduction.m_isLost, io_listener))
    {
        return;
    }
    if (in_reduction.m_isLost)
    {
        KernelOutput::PostFractionalTrunc(io_listener, value.m_isNegative);
    }
    value.Write(out_target, in_kind);
}

template <KernelOutput::IntervalCode in_code>
void TextToYearMonth(const char* in_text,
                     size_t in_length,
                     const SqlToCKernelState& in_state,
                     void* out_target,
                     int64_t& io_targetLength,
                     WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    YearMonthIntervalParse parse;
    IntervalParseCode code = IntervalLiteralParser::ParseYearMonthInterval(in_text, in_length, parse);
    if (code != IntervalParseCode::PARSED)
    {
        IntervalLiteralParser::PostIntervalParseResult(code, io_listener);
        return;
    }
    WriteWithoutSeconds(ReduceYearMonth(parse, in_code), IntervalKind::Of(in_code), in_state, out_target, io_listener);
}

template <KernelOutput::IntervalCode in_code>
void TextToDayTime(const char* in_text,
                   size_t in_length,
                   const SqlToCKernelState& in_state,
                   void* out_target,
                   int64_t& io_targetLength,
                   WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    const IntervalKind& kind = IntervalKind::Of(in_code);
    const int16_t precision = kind.HasSeconds() ? in_state.m_targetFractionalPrecision : 0;
    DayTimeIntervalParse parse;
    IntervalParseCode code = IntervalLiteralParser::ParseDayTimeInterval(in_text, in_length, parse, precision);
    if (code != IntervalParseCode::PARSED)
    {
        IntervalLiteralParser::PostIntervalParseResult(code, io_listener);
        return;
    }
    Reduction reduction = ReduceDayTime(parse, in_code);
    if (!kind.HasSeconds())
    {
        WriteWithoutSeconds(reduction, kind, in_state, out_target, io_listener);
        return;
    }
    if (CheckReduced(reduction.m_value, kind, in_state.m_targetLeadingPrecision, true, io_listener))
    {
        FitFraction(reduction.m_value, parse.m_fractionDigits, precision, io_listener);
        reduction.m_value.Write(out_target, kind);
    }
}

} // namespace

#define ORVIK_YEAR_MONTH_TEXT_KERNELS(in_kind)                                                    \
    ORVIK_TEXT_KERNELS(TDW_C_INTERVAL_##in_kind, TextToYearMonth<KernelOutput::INTERVAL_##in_kind>)
#define ORVIK_DAY_TIME_TEXT_KERNELS(in_kind)                                                      \
    ORVIK_TEXT_KERNELS(TDW_C_INTERVAL_##in_kind, TextToDayTime<KernelOutput::INTERVAL_##in_kind>)

ORVIK_YEAR_MONTH_TEXT_KERNELS(YEAR)
ORVIK_YEAR_MONTH_TEXT_KERNELS(MONTH)
ORVIK_YEAR_MONTH_TEXT_KERNELS(YEAR_TO_MONTH)
ORVIK_DAY_TIME_TEXT_KERNELS(DAY)
ORVIK_DAY_TIME_TEXT_KERNELS(HOUR)
ORVIK_DAY_TIME_TEXT_KERNELS(MINUTE)
ORVIK_DAY_TIME_TEXT_KERNELS(SECOND)
ORVIK_DAY_TIME_TEXT_KERNELS(DAY_TO_HOUR)
ORVIK_DAY_TIME_TEXT_KERNELS(DAY_TO_MINUTE)
ORVIK_DAY_TIME_TEXT_KERNELS(DAY_TO_SECOND)
ORVIK_DAY_TIME_TEXT_KERNELS(HOUR_TO_MINUTE)
ORVIK_DAY_TIME_TEXT_KERNELS(HOUR_TO_SECOND)
ORVIK_DAY_TIME_TEXT_KERNELS(MINUTE_TO_SECOND)

#undef ORVIK_YEAR_MONTH_TEXT_KERNELS
#undef ORVIK_DAY_TIME_TEXT_KERNELS

namespace {

template <TDWType in_source, TDWType in_target>
constexpr SqlToCKernel KERNEL = &SqlToCCvt<in_source, in_target>::Convert;

#define ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, in_kind)                             \
    {in_source, TDW_C_INTERVAL_##in_kind, KERNEL<in_kernelSource, TDW_C_INTERVAL_##in_kind>}

#define ORVIK_TEXT_INTERVAL_CELLS(in_source, in_kernelSource)                                     \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, YEAR),                                  \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, MONTH),                                 \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, YEAR_TO_MONTH),                         \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, DAY),                                   \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, HOUR),                                  \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, MINUTE),                                \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, SECOND),                                \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, DAY_TO_HOUR),                           \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, DAY_TO_MINUTE),                         \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, DAY_TO_SECOND),                         \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, HOUR_TO_MINUTE),                        \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, HOUR_TO_SECOND),                        \
    ORVIK_TEXT_INTERVAL_CELL(in_source, in_kernelSource, MINUTE_TO_SECOND)

const SqlToCKernelCell TEXT_INTERVAL_CELLS[] = {
    ORVIK_TEXT_INTERVAL_CELLS(TDW_SQL_CHAR, TDW_SQL_CHAR),
    ORVIK_TEXT_INTERVAL_CELLS(TDW_SQL_VARCHAR, TDW_SQL_CHAR),
    ORVIK_TEXT_INTERVAL_CELLS(TDW_SQL_LONGVARCHAR, TDW_SQL_CHAR),
    ORVIK_TEXT_INTERVAL_CELLS(TDW_SQL_WCHAR, TDW_SQL_WCHAR),
    ORVIK_TEXT_INTERVAL_CELLS(TDW_SQL_WVARCHAR, TDW_SQL_WCHAR),
    ORVIK_TEXT_INTERVAL_CELLS(TDW_SQL_WLONGVARCHAR, TDW_SQL_WCHAR),
};

#undef ORVIK_TEXT_INTERVAL_CELLS
#undef ORVIK_TEXT_INTERVAL_CELL

} // namespace

SqlToCKernelCells GetCharacterIntervalCells()
{
    return SqlToCKernelCells::Of(TEXT_INTERVAL_CELLS);
}

} // namespace Support
} // namespace Orvik
