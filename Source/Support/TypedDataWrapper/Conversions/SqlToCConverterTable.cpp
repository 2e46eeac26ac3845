// The filler of the registry's SQL-to-C table: every source family's cells, each holding the
// creator of its own pair.

#include "SqlToCConverterCells.h"

#include "Support/InvalidOperationException.h"

namespace Orvik {
namespace Support {

// A pair listed twice is a mistake in the lists.
void SqlConverterFactory::InitSqlToCTable(SqlToCTable& io_table)
{
    const SqlToCConverterCells families[] = {
        GetCharacterSourceConverterCells(),
        GetBitAndBinarySourceConverterCells(),
        GetExactAndFloatingSourceConverterCells(),
        GetIntegerSourceConverterCells(),
        GetDatetimeAndGuidSourceConverterCells(),
        GetIntervalSourceConverterCells(),
    };
    for (const SqlToCConverterCells& family : families)
    {
        for (size_t i = 0; i < family.m_count; ++i)
        {
            const SqlToCConverterCell& cell = family.m_cells[i];
            SqlToCCreator& slot = io_table[GetCellIndex(cell.m_source, cell.m_target)];
            if (slot != nullptr)
            {
                ORVIK_THROW_INVALID_OPERATION();
            }
            slot = cell.m_creator;
        }
    }
}

} // namespace Support
} // namespace Orvik
