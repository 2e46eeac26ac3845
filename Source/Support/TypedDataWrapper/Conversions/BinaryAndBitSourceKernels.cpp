// Kernels of binary sources into hexadecimal text, and of BIT sources into every C type a bit
// converts to. The binary kernels (named by BINARY) serve BINARY, VARBINARY and LONGVARBINARY.

#include "HexText.h"
#include "KernelOutput.h"
#include "SqlToCKernelCells.h"

#include "Support/EncodingInfo.h"
#include "Support/NumberConverter.h"

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

int64_t SourceBytes(int64_t in_sourceLength)
{
    return std::max<int64_t>(in_sourceLength, 0);
}

/// The bit's byte as a value of the target type, when the buffer holds it.
template <typename T>
void BitToFixed(const void* in_source, void* out_target, int64_t& io_targetLength, WarningListener& io_listener)
{
    const int64_t size = io_targetLength;
    io_targetLength = sizeof(T);
    if (size < static_cast<int64_t>(sizeof(T)))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    KernelOutput::Store(out_target, static_cast<T>(KernelOutput::Load<uint8_t>(in_source)));
}

template <KernelOutput::IntervalCode in_code>
void BitToInterval(const SqlToCKernelState& in_state,
                   const void* in_source,
                   void* out_target,
                   int64_t& io_targetLength,
                   WarningListener& io_listener)
{
    io_targetLength = KernelOutput::INTERVAL_STRUCT_SIZE;
    const uint8_t value = KernelOutput::Load<uint8_t>(in_source);
    if (in_state.m_targetLeadingPrecision < static_cast<uint64_t>(NumberConverter::GetNumberOfDigits(value)))
    {
        KernelOutput::PostIntervalFieldOverflow(io_listener, KernelOutput::ABOVE);
        return;
    }
    KernelOutput::WriteSingleFieldInterval(out_target, in_code, false, value, 0);
}

} // namespace

/// Whole bytes only: a cut never leaves half a byte's digits.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BINARY, TDW_C_CHAR)
{
    const int64_t bytes = SourceBytes(in_sourceLength);
    const int64_t size = KernelOutput::AbsoluteSize(io_targetLength);
    io_targetLength = 2 * bytes;
    if (out_target == nullptr)
    {
        return;
    }
    int64_t kept = bytes;
    if (size < 2 * bytes + 1)
    {
        KernelOutput::PostStrRightTrunc(io_listener);
        kept = std::max<int64_t>((size - 1) / 2, 0);
    }
    if (size < 1)
    {
        return;
    }
    char* text = static_cast<char*>(out_target);
    HexText::Write(static_cast<const uint8_t*>(in_sourceData), kept, text);
    text[2 * kept] = '\0';
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BINARY, TDW_C_WCHAR)
{
    const int64_t unitSize = EncodingInfo::GetCodeUnitSize(io_state.m_targetEncoding);
    const int64_t bytes = SourceBytes(in_sourceLength);
    const int64_t size = KernelOutput::AbsoluteSize(io_targetLength);
    io_targetLength = unitSize * 2 * bytes;
    if (out_target == nullptr)
    {
        return;
    }
    int64_t kept = bytes;
    if (size < unitSize * (2 * bytes + 1))
    {
        KernelOutput::PostStrRightTrunc(io_listener);
        kept = std::max<int64_t>((size - unitSize) / unitSize / 2, 0);
    }
    if (size < unitSize)
    {
        return;
    }
    HexText::WriteAs(static_cast<const uint8_t*>(in_sourceData), kept, static_cast<uint8_t*>(out_target),
                     io_state.m_targetEncoding, true);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_CHAR)
{
    const int64_t size = io_targetLength;
    io_targetLength = 1;
    const char text = KernelOutput::Load<uint8_t>(in_sourceData) != 0 ? '1' : '0';
    if (out_target != nullptr && !KernelOutput::WriteNarrowText(&text, 1, out_target, size))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_WCHAR)
{
    const int64_t size = KernelOutput::AbsoluteSize(io_targetLength);
    io_targetLength = EncodingInfo::GetCodeUnitSize(io_state.m_targetEncoding);
    const char text = KernelOutput::Load<uint8_t>(in_sourceData) != 0 ? '1' : '0';
    if (out_target != nullptr
        && !KernelOutput::WriteWideText(&text, 1, out_target, size, io_state.m_targetEncoding))
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_BINARY)
{
    BitToFixed<uint8_t>(in_sourceData, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_SSHORT)
{
    BitToFixed<uint16_t>(in_sourceData, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_SLONG)
{
    BitToFixed<uint32_t>(in_sourceData, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_SBIGINT)
{
    BitToFixed<uint64_t>(in_sourceData, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_FLOAT)
{
    BitToFixed<float>(in_sourceData, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_DOUBLE)
{
    BitToFixed<double>(in_sourceData, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_NUMERIC)
{
    const int64_t size = io_targetLength;
    io_targetLength = KernelOutput::NUMERIC_STRUCT_SIZE;
    if (size < KernelOutput::NUMERIC_STRUCT_SIZE)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
        return;
    }
    KernelOutput::NumericStruct numeric{1, 0, 1, {}};
    numeric.m_magnitude[0] = KernelOutput::Load<uint8_t>(in_sourceData);
    KernelOutput::Store(out_target, numeric);
}

#define ORVIK_BIT_INTERVAL_KERNEL(in_kind)                                                        \
    ORVIK_SQL_TO_C_KERNEL(TDW_SQL_BIT, TDW_C_INTERVAL_##in_kind)                                  \
    {                                                                                             \
        BitToInterval<KernelOutput::INTERVAL_##in_kind>(                                          \
            io_state, in_sourceData, out_target, io_targetLength, io_listener);                   \
    }

ORVIK_BIT_INTERVAL_KERNEL(YEAR)
ORVIK_BIT_INTERVAL_KERNEL(MONTH)
ORVIK_BIT_INTERVAL_KERNEL(DAY)
ORVIK_BIT_INTERVAL_KERNEL(HOUR)
ORVIK_BIT_INTERVAL_KERNEL(MINUTE)
ORVIK_BIT_INTERVAL_KERNEL(SECOND)

#undef ORVIK_BIT_INTERVAL_KERNEL

namespace {

const SqlToCKernelCell BINARY_AND_BIT_CELLS[] = {
    {TDW_SQL_BINARY, TDW_C_CHAR, KERNEL<TDW_SQL_BINARY, TDW_C_CHAR>},
    {TDW_SQL_VARBINARY, TDW_C_CHAR, KERNEL<TDW_SQL_BINARY, TDW_C_CHAR>},
    {TDW_SQL_LONGVARBINARY, TDW_C_CHAR, KERNEL<TDW_SQL_BINARY, TDW_C_CHAR>},
    {TDW_SQL_BINARY, TDW_C_WCHAR, KERNEL<TDW_SQL_BINARY, TDW_C_WCHAR>},
    {TDW_SQL_VARBINARY, TDW_C_WCHAR, KERNEL<TDW_SQL_BINARY, TDW_C_WCHAR>},
    {TDW_SQL_LONGVARBINARY, TDW_C_WCHAR, KERNEL<TDW_SQL_BINARY, TDW_C_WCHAR>},
    {TDW_SQL_BIT, TDW_C_CHAR, KERNEL<TDW_SQL_BIT, TDW_C_CHAR>},
    {TDW_SQL_BIT, TDW_C_WCHAR, KERNEL<TDW_SQL_BIT, TDW_C_WCHAR>},
    {TDW_SQL_BIT, TDW_C_BINARY, KERNEL<TDW_SQL_BIT, TDW_C_BINARY>},
    {TDW_SQL_BIT, TDW_C_STINYINT, KERNEL<TDW_SQL_BIT, TDW_C_BINARY>},
    {TDW_SQL_BIT, TDW_C_UTINYINT, KERNEL<TDW_SQL_BIT, TDW_C_BINARY>},
    {TDW_SQL_BIT, TDW_C_TINYINT, KERNEL<TDW_SQL_BIT, TDW_C_BINARY>},
    {TDW_SQL_BIT, TDW_C_SSHORT, KERNEL<TDW_SQL_BIT, TDW_C_SSHORT>},
    {TDW_SQL_BIT, TDW_C_USHORT, KERNEL<TDW_SQL_BIT, TDW_C_SSHORT>},
    {TDW_SQL_BIT, TDW_C_SHORT, KERNEL<TDW_SQL_BIT, TDW_C_SSHORT>},
    {TDW_SQL_BIT, TDW_C_SLONG, KERNEL<TDW_SQL_BIT, TDW_C_SLONG>},
    {TDW_SQL_BIT, TDW_C_ULONG, KERNEL<TDW_SQL_BIT, TDW_C_SLONG>},
    {TDW_SQL_BIT, TDW_C_LONG, KERNEL<TDW_SQL_BIT, TDW_C_SLONG>},
    {TDW_SQL_BIT, TDW_C_SBIGINT, KERNEL<TDW_SQL_BIT, TDW_C_SBIGINT>},
    {TDW_SQL_BIT, TDW_C_UBIGINT, KERNEL<TDW_SQL_BIT, TDW_C_SBIGINT>},
    {TDW_SQL_BIT, TDW_C_FLOAT, KERNEL<TDW_SQL_BIT, TDW_C_FLOAT>},
    {TDW_SQL_BIT, TDW_C_DOUBLE, KERNEL<TDW_SQL_BIT, TDW_C_DOUBLE>},
    {TDW_SQL_BIT, TDW_C_NUMERIC, KERNEL<TDW_SQL_BIT, TDW_C_NUMERIC>},
    {TDW_SQL_BIT, TDW_C_INTERVAL_YEAR, KERNEL<TDW_SQL_BIT, TDW_C_INTERVAL_YEAR>},
    {TDW_SQL_BIT, TDW_C_INTERVAL_MONTH, KERNEL<TDW_SQL_BIT, TDW_C_INTERVAL_MONTH>},
    {TDW_SQL_BIT, TDW_C_INTERVAL_DAY, KERNEL<TDW_SQL_BIT, TDW_C_INTERVAL_DAY>},
    {TDW_SQL_BIT, TDW_C_INTERVAL_HOUR, KERNEL<TDW_SQL_BIT, TDW_C_INTERVAL_HOUR>},
    {TDW_SQL_BIT, TDW_C_INTERVAL_MINUTE, KERNEL<TDW_SQL_BIT, TDW_C_INTERVAL_MINUTE>},
    {TDW_SQL_BIT, TDW_C_INTERVAL_SECOND, KERNEL<TDW_SQL_BIT, TDW_C_INTERVAL_SECOND>},
};

} // namespace

SqlToCKernelCells GetBinaryAndBitSourceCells()
{
    return SqlToCKernelCells::Of(BINARY_AND_BIT_CELLS);
}

} // namespace Support
} // namespace Orvik
