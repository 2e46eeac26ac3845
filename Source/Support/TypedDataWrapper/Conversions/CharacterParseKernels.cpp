// Kernels of character sources whose text is read as a value: integers, BIT, FLOAT, DOUBLE, the
// numeric structure, dates, times, timestamps and GUIDs. The kernels named by CHAR serve CHAR,
// VARCHAR and LONGVARCHAR; those named by WCHAR serve the three wide types.

#include "ErrorWatch.h"
#include "KernelOutput.h"
#include "SqlToCKernelCells.h"
#include "TextKernel.h"

#include "Support/TypedDataWrapper/LiteralParser.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

namespace Orvik {
namespace Support {

namespace {

using TimeStruct = KernelOutput::TimeStruct;

template <typename T>
using IntegerParser = void (*)(const char*, size_t, bool, T&, WarningListener&);

/// The value is parsed into a scratch field and reaches the target only when it is in range.
template <typename T, IntegerParser<T> in_parse>
void TextToInteger(const char* in_text,
                   size_t in_length,
                   const SqlToCKernelState&,
                   void* out_target,
                   int64_t& io_targetLength,
                   WarningListener& io_listener)
{
    io_targetLength = sizeof(T);
    ErrorWatch watch(io_listener);
    T value = 0;
    in_parse(in_text, in_length, false, value, watch);
    if (!watch.SawError())
    {
        KernelOutput::Store(out_target, value);
    }
}

template <typename T>
void TextToFloating(const char* in_text,
                    size_t in_length,
                    const SqlToCKernelState&,
                    void* out_target,
                    int64_t& io_targetLength,
                    WarningListener& io_listener)
{
    io_targetLength = sizeof(T);
    LiteralParser::ConvertCharToDouble(in_text, in_length, out_target, sizeof(T) == sizeof(double), io_listener);
}

void TextToBit(const char* in_text,
               size_t in_length,
               const SqlToCKernelState&,
               void* out_target,
               int64_t& io_targetLength,
               WarningListener& io_listener)
{
    io_targetLength = 1;
    LiteralParser::ConvertCharToBit(in_text, in_length, static_cast<uint8_t*>(out_target), io_listener);
}

/// The target precision is held against the digits the value has, whatever the column's
/// declared precision says: a text column declares none worth trusting.
void TextToNumeric(const char* in_text,
                   size_t in_length,
                   const SqlToCKernelState& in_state,
                   void* out_target,
                   int64_t& io_targetLength,
                   WarningListener& io_listener)
{
    io_targetLength = KernelOutput::NUMERIC_STRUCT_SIZE;
    TDWNumeric value;
    int16_t digits = 0;
    if (LiteralParser::ConvertCharToNumeric(in_text, in_length, value, digits, io_listener))
    {
        KernelOutput::WriteSqlNumeric(
            value, value.GetPrecision(), out_target, in_state.m_targetPrecision, in_state.m_targetScale, io_listener);
    }
}

void TextToDate(const char* in_text,
                size_t in_length,
                const SqlToCKernelState&,
                void* out_target,
                int64_t& io_targetLength,
                WarningListener& io_listener)
{
    io_targetLength = KernelOutput::DATE_STRUCT_SIZE;
    ErrorWatch watch(io_listener);
    TDWDateValue date;
    LiteralParser::ConvertCharToDate(in_text, in_length, false, date.m_year, date.m_month, date.m_day, watch);
    if (!watch.SawError())
    {
        KernelOutput::Store(out_target, date);
    }
}

/// The time keeps no fraction: a fraction digit in the text is cut with FractionalTrunc.
void TextToTime(const char* in_text,
                size_t in_length,
                const SqlToCKernelState&,
                void* out_target,
                int64_t& io_targetLength,
                WarningListener& io_listener)
{
    io_targetLength = KernelOutput::TIME_STRUCT_SIZE;
    ErrorWatch watch(io_listener);
    TimeStruct time{};
    uint32_t fraction = 0;
    LiteralParser::ConvertCharToTime(
        in_text, in_length, false, 0, time.m_hour, time.m_minute, time.m_second, fraction, watch);
    if (!watch.SawError())
    {
        KernelOutput::Store(out_target, time);
    }
}

void TextToTimestamp(const char* in_text,
                     size_t in_length,
                     const SqlToCKernelState& in_state,
                     void* out_target,
                     int64_t& io_targetLength,
                     WarningListener& io_listener)
{
    io_targetLength = KernelOutput::TIMESTAMP_STRUCT_SIZE;
    ErrorWatch watch(io_listener);
    TDWTimestampValue timestamp;
    LiteralParser::ConvertCharToTimestamp(
        in_text, in_length, false, in_state.m_targetFractionalPrecision, timestamp, watch);
    if (!watch.SawError())
    {
        KernelOutput::Store(out_target, timestamp);
    }
}

void TextToGuid(const char* in_text,
                size_t in_length,
                const SqlToCKernelState&,
                void* out_target,
                int64_t& io_targetLength,
                WarningListener& io_listener)
{
    LiteralParser::ConvertCharToGuid(in_text, in_length, out_target, io_targetLength, io_listener);
}

constexpr TextKernel TO_STINYINT = &TextToInteger<int8_t, &LiteralParser::ConvertCharToSTinyInt>;
constexpr TextKernel TO_UTINYINT = &TextToInteger<uint8_t, &LiteralParser::ConvertCharToUTinyInt>;
constexpr TextKernel TO_SSHORT = &TextToInteger<int16_t, &LiteralParser::ConvertCharToSShort>;
constexpr TextKernel TO_USHORT = &TextToInteger<uint16_t, &LiteralParser::ConvertCharToUShort>;
constexpr TextKernel TO_SLONG = &TextToInteger<int32_t, &LiteralParser::ConvertCharToSLong>;
constexpr TextKernel TO_ULONG = &TextToInteger<uint32_t, &LiteralParser::ConvertCharToULong>;
constexpr TextKernel TO_SBIGINT = &TextToInteger<int64_t, &LiteralParser::ConvertCharToSBigInt>;
constexpr TextKernel TO_UBIGINT = &TextToInteger<uint64_t, &LiteralParser::ConvertCharToUBigInt>;
constexpr TextKernel TO_FLOAT = &TextToFloating<float>;
constexpr TextKernel TO_DOUBLE = &TextToFloating<double>;

} // namespace

ORVIK_TEXT_KERNELS(TDW_C_STINYINT, TO_STINYINT)
ORVIK_TEXT_KERNELS(TDW_C_UTINYINT, TO_UTINYINT)
ORVIK_TEXT_KERNELS(TDW_C_SSHORT, TO_SSHORT)
ORVIK_TEXT_KERNELS(TDW_C_USHORT, TO_USHORT)
ORVIK_TEXT_KERNELS(TDW_C_SLONG, TO_SLONG)
ORVIK_TEXT_KERNELS(TDW_C_ULONG, TO_ULONG)
ORVIK_TEXT_KERNELS(TDW_C_SBIGINT, TO_SBIGINT)
ORVIK_TEXT_KERNELS(TDW_C_UBIGINT, TO_UBIGINT)
ORVIK_TEXT_KERNELS(TDW_C_BIT, TextToBit)
ORVIK_TEXT_KERNELS(TDW_C_FLOAT, TO_FLOAT)
ORVIK_TEXT_KERNELS(TDW_C_DOUBLE, TO_DOUBLE)
ORVIK_TEXT_KERNELS(TDW_C_NUMERIC, TextToNumeric)
ORVIK_TEXT_KERNELS(TDW_C_TYPE_DATE, TextToDate)
ORVIK_TEXT_KERNELS(TDW_C_TYPE_TIME, TextToTime)
ORVIK_TEXT_KERNELS(TDW_C_TYPE_TIMESTAMP, TextToTimestamp)
ORVIK_TEXT_KERNELS(TDW_C_GUID, TextToGuid)

namespace {

// The cells every character source shares; in_kernelSource names the narrow or the wide kernels.
#define ORVIK_TEXT_PARSE_CELLS(in_source, in_kernelSource)                                     \
    {in_source, TDW_C_STINYINT, KERNEL<in_kernelSource, TDW_C_STINYINT>},                     \
    {in_source, TDW_C_TINYINT, KERNEL<in_kernelSource, TDW_C_STINYINT>},                      \
    {in_source, TDW_C_UTINYINT, KERNEL<in_kernelSource, TDW_C_UTINYINT>},                     \
    {in_source, TDW_C_SSHORT, KERNEL<in_kernelSource, TDW_C_SSHORT>},                         \
    {in_source, TDW_C_SHORT, KERNEL<in_kernelSource, TDW_C_SSHORT>},                          \
    {in_source, TDW_C_USHORT, KERNEL<in_kernelSource, TDW_C_USHORT>},                         \
    {in_source, TDW_C_SLONG, KERNEL<in_kernelSource, TDW_C_SLONG>},                           \
    {in_source, TDW_C_ULONG, KERNEL<in_kernelSource, TDW_C_ULONG>},                           \
    {in_source, TDW_C_SBIGINT, KERNEL<in_kernelSource, TDW_C_SBIGINT>},                       \
    {in_source, TDW_C_UBIGINT, KERNEL<in_kernelSource, TDW_C_UBIGINT>},                       \
    {in_source, TDW_C_BIT, KERNEL<in_kernelSource, TDW_C_BIT>},                               \
    {in_source, TDW_C_FLOAT, KERNEL<in_kernelSource, TDW_C_FLOAT>},                           \
    {in_source, TDW_C_DOUBLE, KERNEL<in_kernelSource, TDW_C_DOUBLE>},                         \
    {in_source, TDW_C_NUMERIC, KERNEL<in_kernelSource, TDW_C_NUMERIC>},                       \
    {in_source, TDW_C_TYPE_DATE, KERNEL<in_kernelSource, TDW_C_TYPE_DATE>},                   \
    {in_source, TDW_C_TYPE_TIME, KERNEL<in_kernelSource, TDW_C_TYPE_TIME>},                   \
    {in_source, TDW_C_TYPE_TIMESTAMP, KERNEL<in_kernelSource, TDW_C_TYPE_TIMESTAMP>},         \
    {in_source, TDW_C_GUID, KERNEL<in_kernelSource, TDW_C_GUID>}

const SqlToCKernelCell TEXT_PARSE_CELLS[] = {
    ORVIK_TEXT_PARSE_CELLS(TDW_SQL_CHAR, TDW_SQL_CHAR),
    {TDW_SQL_CHAR, TDW_C_LONG, KERNEL<TDW_SQL_CHAR, TDW_C_SLONG>},
    ORVIK_TEXT_PARSE_CELLS(TDW_SQL_VARCHAR, TDW_SQL_CHAR),
    ORVIK_TEXT_PARSE_CELLS(TDW_SQL_LONGVARCHAR, TDW_SQL_CHAR),
    {TDW_SQL_LONGVARCHAR, TDW_C_LONG, KERNEL<TDW_SQL_CHAR, TDW_C_SLONG>},
    ORVIK_TEXT_PARSE_CELLS(TDW_SQL_WCHAR, TDW_SQL_WCHAR),
    ORVIK_TEXT_PARSE_CELLS(TDW_SQL_WVARCHAR, TDW_SQL_WCHAR),
    ORVIK_TEXT_PARSE_CELLS(TDW_SQL_WLONGVARCHAR, TDW_SQL_WCHAR),
};

#undef ORVIK_TEXT_PARSE_CELLS

} // namespace

SqlToCKernelCells GetCharacterParseCells()
{
    return SqlToCKernelCells::Of(TEXT_PARSE_CELLS);
}

} // namespace Support
} // namespace Orvik
