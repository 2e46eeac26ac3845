#pragma once

#include "Support/TypedDataWrapper/Conversions/SqlToCStateGroups.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstddef>

namespace Orvik {
namespace Support {

/// One filled cell of the bulk conversion matrix: a pair and the state group its converter
/// fills from the metadata. The kernel is the pair's in SqlToCKernelTable; the group
/// CHARACTER_TEXT marks the character-to-character cells, whose converter copies or transcodes by
/// the encodings.
struct SqlToCBulkCell
{
    TDWType m_source;
    TDWType m_target;
    SqlToCStateGroup m_group;
};

/// A source family's cells, one line per pair.
struct SqlToCBulkCells
{
    const SqlToCBulkCell* m_cells;
    size_t m_count;

    template <size_t in_count>
    static SqlToCBulkCells Of(const SqlToCBulkCell (&in_cells)[in_count])
    {
        return {in_cells, in_count};
    }
};

// The families' cell lists, which SqlToCBulkMatrix joins. A new family adds its list here and
// to the matrix's list of families.

/// CHAR, VARCHAR and LONGVARCHAR sources.
SqlToCBulkCells GetCharacterSourceBulkCells();
/// WCHAR, WVARCHAR and WLONGVARCHAR sources.
SqlToCBulkCells GetWideCharacterSourceBulkCells();
/// BIT, BINARY, VARBINARY, LONGVARBINARY, NUMERIC and DECIMAL sources.
SqlToCBulkCells GetBitBinaryAndExactSourceBulkCells();
/// DATE, TIME, TIMESTAMP and GUID sources.
SqlToCBulkCells GetDatetimeAndGuidSourceBulkCells();
/// STINYINT, UTINYINT, SSMALLINT and USMALLINT sources.
SqlToCBulkCells GetSmallIntegerSourceBulkCells();
/// SINTEGER, UINTEGER, SBIGINT and UBIGINT sources.
SqlToCBulkCells GetLargeIntegerSourceBulkCells();
/// REAL, FLOAT and DOUBLE sources.
SqlToCBulkCells GetFloatingSourceBulkCells();
/// MONTH, YEAR and YEAR TO MONTH interval sources.
SqlToCBulkCells GetYearMonthIntervalSourceBulkCells();
/// DAY, HOUR, MINUTE and SECOND interval sources.
SqlToCBulkCells GetDayTimeIntervalSourceBulkCells();
/// The six multi-field day-time interval sources.
SqlToCBulkCells GetMultiFieldIntervalSourceBulkCells();

} // namespace Support
} // namespace Orvik

/// One cell: source, target and the state group of its converter.
#define ORVIK_SQL_TO_C_BULK_CELL(in_source, in_target, in_group)                        \
    {                                                                                   \
        ::Orvik::Support::in_source, ::Orvik::Support::in_target,                       \
            ::Orvik::Support::SqlToCStateGroup::in_group                                \
    }
