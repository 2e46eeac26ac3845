// Kernels that write integers as decimal text and into numeric structures, and that copy the
// in-memory image of fixed-size values into binary buffers.

#include "KernelOutput.h"
#include "SqlToCKernelCells.h"

#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"

#include <charconv>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

/// A sign and the twenty digits of the longest 64-bit value.
constexpr size_t INTEGER_TEXT_SIZE = 21;

/// The time image is packed: hour, minute and second, then the fraction right after them.
constexpr int64_t TIME_IMAGE_SIZE = 10;

struct IntegerText
{
    char m_text[INTEGER_TEXT_SIZE];
    int64_t m_length;
};

template <typename S>
IntegerText FormatInteger(const void* in_source)
{
    IntegerText text;
    const std::to_chars_result result =
        std::to_chars(text.m_text, text.m_text + INTEGER_TEXT_SIZE, KernelOutput::Load<S>(in_source));
    text.m_length = result.ptr - text.m_text;
    return text;
}

// Integer text is never cut: what does not fit whole is out of range.

template <typename S>
void IntegerToNarrowText(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    const IntegerText text = FormatInteger<S>(in_source);
    const int64_t size = io_targetLength;
    io_targetLength = text.m_length;
    if (out_target != nullptr && !KernelOutput::WriteNarrowText(text.m_text, text.m_length, out_target, size))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
}

template <typename S>
void IntegerToWideText(const SqlToCKernelState& in_state,
                       const void* in_source,
                       void* out_target,
                       int64_t& io_targetLength,
                       WarningListener& io_listener)
{
    const IntegerText text = FormatInteger<S>(in_source);
    const int64_t size = KernelOutput::AbsoluteSize(io_targetLength);
    io_targetLength = text.m_length * EncodingInfo::GetCodeUnitSize(in_state.m_targetEncoding);
    if (out_target != nullptr
        && !KernelOutput::WriteWideText(text.m_text, text.m_length, out_target, size, in_state.m_targetEncoding))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
}

template <typename S>
void IntegerToNumeric(const SqlToCKernelState& in_state,
                      const void* in_source,
                      void* out_target,
                      int64_t& io_targetLength,
                      WarningListener& io_listener)
{
    io_targetLength = KernelOutput::NUMERIC_STRUCT_SIZE;
    const S value = KernelOutput::Load<S>(in_source);
    const IntegerText text = FormatInteger<S>(in_source);
    const int32_t digits = static_cast<int32_t>(text.m_length) - (text.m_text[0] == '-' ? 1 : 0);
    KernelOutput::WriteSqlNumeric(
        TDWNumeric(value), digits, out_target, in_state.m_targetPrecision, in_state.m_targetScale, io_listener);
}

/// Checks the buffer for an image of in_imageSize bytes; the incoming size stays the length
/// when the image does not fit.
bool ImageFits(int64_t in_imageSize, int64_t& io_targetLength, WarningListener& io_listener)
{
    if (io_targetLength < in_imageSize)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return false;
    }
    io_targetLength = in_imageSize;
    return true;
}

template <int64_t in_imageSize>
void CopyImage(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    if (ImageFits(in_imageSize, io_targetLength, io_listener) && out_target != nullptr)
    {
        std::memcpy(out_target, in_source, in_imageSize);
    }
}

} // namespace

} // namespace Support
} // namespace Orvik

using namespace Orvik::Support;

#define ORVIK_INTEGER_TEXT_KERNELS(in_source, S)                                                   \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_CHAR)                                                   \
    {                                                                                              \
        IntegerToNarrowText<S>(in_sourceData, out_target, io_targetLength, io_listener);           \
    }                                                                                              \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_WCHAR)                                                  \
    {                                                                                              \
        IntegerToWideText<S>(io_state, in_sourceData, out_target, io_targetLength, io_listener);   \
    }                                                                                              \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_NUMERIC)                                                \
    {                                                                                              \
        IntegerToNumeric<S>(io_state, in_sourceData, out_target, io_targetLength, io_listener);    \
    }

ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_STINYINT, int8_t)
ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_UTINYINT, uint8_t)
ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_SSMALLINT, int16_t)
ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_USMALLINT, uint16_t)
ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_SINTEGER, int32_t)
ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_UINTEGER, uint32_t)
ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_SBIGINT, int64_t)
ORVIK_INTEGER_TEXT_KERNELS(TDW_SQL_UBIGINT, uint64_t)

#undef ORVIK_INTEGER_TEXT_KERNELS

// One image kernel per image size, named by the first source of that size.

#define ORVIK_IMAGE_KERNEL(in_source, in_imageSize)                                                \
    ORVIK_SQL_TO_C_KERNEL(in_source, TDW_C_BINARY)                                                 \
    {                                                                                              \
        CopyImage<in_imageSize>(in_sourceData, out_target, io_targetLength, io_listener);          \
    }

ORVIK_IMAGE_KERNEL(TDW_SQL_STINYINT, 1)
ORVIK_IMAGE_KERNEL(TDW_SQL_SSMALLINT, 2)
ORVIK_IMAGE_KERNEL(TDW_SQL_SINTEGER, 4)
ORVIK_IMAGE_KERNEL(TDW_SQL_TYPE_DATE, 6)
ORVIK_IMAGE_KERNEL(TDW_SQL_SBIGINT, 8)
ORVIK_IMAGE_KERNEL(TDW_SQL_INTERVAL_SECOND, 12)
ORVIK_IMAGE_KERNEL(TDW_SQL_TYPE_TIMESTAMP, 16)
ORVIK_IMAGE_KERNEL(TDW_SQL_INTERVAL_HOUR_TO_SECOND, 20)
ORVIK_IMAGE_KERNEL(TDW_SQL_INTERVAL_DAY_TO_SECOND, 24)
ORVIK_IMAGE_KERNEL(TDW_SQL_NUMERIC, 38)

#undef ORVIK_IMAGE_KERNEL

// The time record has two unused bytes before its fraction; the image leaves them out.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_TYPE_TIME, TDW_C_BINARY)
{
    if (ImageFits(TIME_IMAGE_SIZE, io_targetLength, io_listener) && out_target != nullptr)
    {
        const TDWTimeValue time = KernelOutput::Load<TDWTimeValue>(in_sourceData);
        uint8_t* target = static_cast<uint8_t*>(out_target);
        std::memcpy(target, &time.m_hour, 2);
        std::memcpy(target + 2, &time.m_minute, 2);
        std::memcpy(target + 4, &time.m_second, 2);
        std::memcpy(target + 6, &time.m_fraction, 4);
    }
}

namespace Orvik {
namespace Support {

namespace {

#define ORVIK_INTEGER_TEXT_CELLS(in_source)                                                        \
    {in_source, TDW_C_CHAR, KERNEL<in_source, TDW_C_CHAR>},                                       \
    {in_source, TDW_C_WCHAR, KERNEL<in_source, TDW_C_WCHAR>},                                     \
    {in_source, TDW_C_NUMERIC, KERNEL<in_source, TDW_C_NUMERIC>}

#define ORVIK_IMAGE_CELL(in_source, in_kernelSource) {in_source, TDW_C_BINARY, KERNEL<in_kernelSource, TDW_C_BINARY>}

const SqlToCKernelCell NUMBER_TEXT_AND_IMAGE_CELLS[] = {
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_STINYINT),
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_UTINYINT),
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_SSMALLINT),
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_USMALLINT),
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_SINTEGER),
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_UINTEGER),
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_SBIGINT),
    ORVIK_INTEGER_TEXT_CELLS(TDW_SQL_UBIGINT),

    // Images by size: 1, 2, 4, 6, 8, 10, 12, 16, 20, 24 and 38 bytes.
    ORVIK_IMAGE_CELL(TDW_SQL_STINYINT, TDW_SQL_STINYINT),
    ORVIK_IMAGE_CELL(TDW_SQL_UTINYINT, TDW_SQL_STINYINT),
    ORVIK_IMAGE_CELL(TDW_SQL_SSMALLINT, TDW_SQL_SSMALLINT),
    ORVIK_IMAGE_CELL(TDW_SQL_USMALLINT, TDW_SQL_SSMALLINT),
    ORVIK_IMAGE_CELL(TDW_SQL_SINTEGER, TDW_SQL_SINTEGER),
    ORVIK_IMAGE_CELL(TDW_SQL_UINTEGER, TDW_SQL_SINTEGER),
    ORVIK_IMAGE_CELL(TDW_SQL_REAL, TDW_SQL_SINTEGER),
    ORVIK_IMAGE_CELL(TDW_SQL_TYPE_DATE, TDW_SQL_TYPE_DATE),
    ORVIK_IMAGE_CELL(TDW_SQL_SBIGINT, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_UBIGINT, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_FLOAT, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_DOUBLE, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_YEAR, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_MONTH, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_DAY, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_HOUR, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_MINUTE, TDW_SQL_SBIGINT),
    ORVIK_IMAGE_CELL(TDW_SQL_TYPE_TIME, TDW_SQL_TYPE_TIME),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_SECOND),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_INTERVAL_SECOND),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_SECOND, TDW_SQL_INTERVAL_SECOND),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_SQL_INTERVAL_SECOND),
    ORVIK_IMAGE_CELL(TDW_SQL_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_DAY_TO_MINUTE, TDW_SQL_TYPE_TIMESTAMP),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_TYPE_TIMESTAMP),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_HOUR_TO_SECOND),
    // A GUID's image is the application's 16-byte GUID structure, without the valid flag and the
    // padding that follow it in the SQL-side record.
    ORVIK_IMAGE_CELL(TDW_SQL_GUID, TDW_SQL_TYPE_TIMESTAMP),
    ORVIK_IMAGE_CELL(TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_SQL_INTERVAL_DAY_TO_SECOND),
    ORVIK_IMAGE_CELL(TDW_SQL_NUMERIC, TDW_SQL_NUMERIC),
    ORVIK_IMAGE_CELL(TDW_SQL_DECIMAL, TDW_SQL_NUMERIC),
};

#undef ORVIK_IMAGE_CELL
#undef ORVIK_INTEGER_TEXT_CELLS

} // namespace

SqlToCKernelCells GetNumberTextAndImageCells()
{
    return SqlToCKernelCells::Of(NUMBER_TEXT_AND_IMAGE_CELLS);
}

} // namespace Support
} // namespace Orvik
