// Kernels of character sources into the thirteen interval structures. The text is read by the
// interval literal parser and its fields are then brought to the target's fields. All the
// arithmetic is 64-bit, so a large day count cannot wrap into a small, wrong number of hours.

#include "IntervalFields.h"
#include "IntervalTextReduction.h"
#include "KernelOutput.h"
#include "SqlToCKernelCells.h"
#include "TextKernel.h"

#include "Support/TypedDataWrapper/IntervalLiteralParser.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr uint64_t POWERS_OF_TEN[] = {
    1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
constexpr int16_t MAX_FRACTIONAL_PRECISION = 9;

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

/// Kinds without seconds: lower fields lost in the reduction are a truncation warning once the
/// value that is left passes its checks; a leading field beyond the leading precision is no value
/// of the target, whatever was lost besides.
void WriteWithoutSeconds(const IntervalTextReduction::Reduced& in_reduction,
                         const IntervalKind& in_kind,
                         const SqlToCKernelState& in_state,
                         void* out_target,
                         WarningListener& io_listener)
{
    const IntervalFields& value = in_reduction.m_value;
    if (!IntervalTextReduction::Check(value, in_kind, in_state.m_targetLeadingPrecision, io_listener))
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
    const IntervalTextReduction::Reduced reduced = IntervalTextReduction::ReduceYearMonth(parse, in_code);
    WriteWithoutSeconds(reduced, IntervalKind::Of(in_code), in_state, out_target, io_listener);
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
    IntervalTextReduction::Reduced reduction = IntervalTextReduction::ReduceDayTime(parse, in_code);
    if (!kind.HasSeconds())
    {
        WriteWithoutSeconds(reduction, kind, in_state, out_target, io_listener);
        return;
    }
    if (IntervalTextReduction::Check(reduction.m_value, kind, in_state.m_targetLeadingPrecision, io_listener))
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
