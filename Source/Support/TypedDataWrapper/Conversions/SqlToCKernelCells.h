#pragma once

#include "Support/TypedDataWrapper/SqlToCCvt.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstddef>

namespace Orvik {
namespace Support {

/// One cell of the kernel table: a pair and the kernel that serves it.
struct SqlToCKernelCell
{
    TDWType m_source;
    TDWType m_target;
    SqlToCKernel m_kernel;
};

/// The kernel that ORVIK_SQL_TO_C_KERNEL defines for a pair, as the cells name it.
template <TDWType in_source, TDWType in_target>
constexpr SqlToCKernel KERNEL = &SqlToCCvt<in_source, in_target>::Convert;

/// A kernel family's cells, one line per pair, kept beside the family's kernels.
struct SqlToCKernelCells
{
    const SqlToCKernelCell* m_cells;
    size_t m_count;

    template <size_t in_count>
    static SqlToCKernelCells Of(const SqlToCKernelCell (&in_cells)[in_count])
    {
        return {in_cells, in_count};
    }
};

// The families' cell lists, which SqlToCKernelTable joins.

/// REAL, FLOAT and DOUBLE sources.
SqlToCKernelCells GetFloatingSourceCells();
/// Integer sources to integers, BIT, FLOAT, DOUBLE and single-field intervals; plain copies;
/// the refusal of numbers for multi-field intervals.
SqlToCKernelCells GetIntegerSourceCells();
/// Integer sources to text and numeric structures; fixed-size values to binary images.
SqlToCKernelCells GetNumberTextAndImageCells();
/// Character and binary sources to text and binary buffers.
SqlToCKernelCells GetCharacterCopyCells();
/// Character sources read as numbers, BIT, numeric structures, dates, times, timestamps, GUIDs.
SqlToCKernelCells GetCharacterParseCells();
/// Character sources read as intervals.
SqlToCKernelCells GetCharacterIntervalCells();
/// DATE, TIME, TIMESTAMP and GUID sources to text and structures.
SqlToCKernelCells GetDatetimeSourceCells();
/// Binary sources to hexadecimal text; BIT sources to every target of a bit.
SqlToCKernelCells GetBinaryAndBitSourceCells();
/// Interval sources to text, integers and numeric structures.
SqlToCKernelCells GetIntervalSourceCells();
/// Interval sources to the interval structures of their family.
SqlToCKernelCells GetIntervalPairCells();
/// NUMERIC and DECIMAL sources.
SqlToCKernelCells GetExactNumericSourceCells();

} // namespace Support
} // namespace Orvik
