// Kernels of character and binary sources into text and binary buffers.

#include "CharacterCopies.h"
#include "SqlToCKernelCells.h"

using namespace Orvik::Support;

template <int in_unitSize>
void SqlToCCharCopyCvt<in_unitSize>::Convert(SqlToCKernelState&,
                                             const void* in_source,
                                             int64_t in_sourceLength,
                                             void* out_target,
                                             int64_t& io_targetLength,
                                             WarningListener& io_listener)
{
    CopyCharacterData<in_unitSize>(in_source, in_sourceLength, out_target, io_targetLength, io_listener);
}

template struct Orvik::Support::SqlToCCharCopyCvt<1>;
template struct Orvik::Support::SqlToCCharCopyCvt<2>;
template struct Orvik::Support::SqlToCCharCopyCvt<4>;

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_CHAR, TDW_C_CHAR)
{
    TranscodeCharacterData(io_state, in_sourceData, in_sourceLength, out_target, io_targetLength, io_listener);
}

ORVIK_SQL_TO_C_KERNEL(TDW_SQL_CHAR, TDW_C_BINARY)
{
    CopyBinaryData(in_sourceData, in_sourceLength, out_target, io_targetLength, io_listener);
}

namespace Orvik {
namespace Support {

namespace {

constexpr SqlToCKernel TRANSCODE = &SqlToCCvt<TDW_SQL_CHAR, TDW_C_CHAR>::Convert;
constexpr SqlToCKernel BINARY_COPY = &SqlToCCvt<TDW_SQL_CHAR, TDW_C_BINARY>::Convert;

// The character-to-character cells hold the transcoding kernel; SqlToCKernelTable puts a copy
// kernel in its place when both encodings are the same.
#define ORVIK_CHARACTER_CELLS(in_source)                                                          \
    {in_source, TDW_C_CHAR, TRANSCODE},                                                          \
    {in_source, TDW_C_WCHAR, TRANSCODE},                                                         \
    {in_source, TDW_C_BINARY, BINARY_COPY}

const SqlToCKernelCell CHARACTER_CELLS[] = {
    ORVIK_CHARACTER_CELLS(TDW_SQL_CHAR),
    ORVIK_CHARACTER_CELLS(TDW_SQL_VARCHAR),
    ORVIK_CHARACTER_CELLS(TDW_SQL_LONGVARCHAR),
    ORVIK_CHARACTER_CELLS(TDW_SQL_WCHAR),
    ORVIK_CHARACTER_CELLS(TDW_SQL_WVARCHAR),
    ORVIK_CHARACTER_CELLS(TDW_SQL_WLONGVARCHAR),
    {TDW_SQL_BINARY, TDW_C_BINARY, BINARY_COPY},
    {TDW_SQL_VARBINARY, TDW_C_BINARY, BINARY_COPY},
    {TDW_SQL_LONGVARBINARY, TDW_C_BINARY, BINARY_COPY},
};

#undef ORVIK_CHARACTER_CELLS

} // namespace

SqlToCKernelCells GetCharacterCopyCells()
{
    return SqlToCKernelCells::Of(CHARACTER_CELLS);
}

} // namespace Support
} // namespace Orvik
