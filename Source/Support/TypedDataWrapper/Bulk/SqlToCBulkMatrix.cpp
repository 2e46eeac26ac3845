#include "Support/TypedDataWrapper/Bulk/SqlToCBulkMatrix.h"

#include "Support/TypedDataWrapper/Bulk/SqlToCBulkCells.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlToCKernelTable.h"

#include <array>
#include <optional>

namespace Orvik {
namespace Support {

namespace {

/// Every type id, the SQL side's last one (no type) included.
constexpr int32_t TYPE_IDS = TDW_SQL_NOTYPE + 1;

using Cells = std::array<std::optional<SqlToCBulkMatrix::Entry>, TYPE_IDS * TYPE_IDS>;

bool IsTypeId(TDWType in_type)
{
    return in_type >= 0 && in_type < TYPE_IDS;
}

SqlToCBulkMatrix::Entry MakeEntry(const SqlToCBulkCell& in_cell)
{
    if (in_cell.m_group == SqlToCStateGroup::CHARACTER_TEXT)
    {
        return {nullptr, in_cell.m_group};
    }
    const SqlToCKernel kernel = SqlToCKernelTable::Find(in_cell.m_source, in_cell.m_target);
    if (kernel == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return {kernel, in_cell.m_group};
}

Cells JoinFamilies()
{
    const SqlToCBulkCells families[] = {
        GetCharacterSourceBulkCells(),
        GetWideCharacterSourceBulkCells(),
        GetBitBinaryAndExactSourceBulkCells(),
        GetDatetimeAndGuidSourceBulkCells(),
        GetSmallIntegerSourceBulkCells(),
        GetLargeIntegerSourceBulkCells(),
        GetFloatingSourceBulkCells(),
        GetYearMonthIntervalSourceBulkCells(),
        GetDayTimeIntervalSourceBulkCells(),
        GetMultiFieldIntervalSourceBulkCells(),
    };
    Cells cells;
    for (const SqlToCBulkCells& family : families)
    {
        for (size_t i = 0; i < family.m_count; ++i)
        {
            const SqlToCBulkCell& cell = family.m_cells[i];
            std::optional<SqlToCBulkMatrix::Entry>& slot = cells.at(cell.m_source * TYPE_IDS + cell.m_target);
            if (slot.has_value())
            {
                ORVIK_THROW_INVALID_OPERATION();
            }
            slot = MakeEntry(cell);
        }
    }
    return cells;
}

} // namespace

const SqlToCBulkMatrix::Entry* SqlToCBulkMatrix::Find(TDWType in_source, TDWType in_target)
{
    if (!IsTypeId(in_source) || !IsTypeId(in_target))
    {
        return nullptr;
    }
    static const Cells s_cells = JoinFamilies();
    const std::optional<Entry>& cell = s_cells[in_source * TYPE_IDS + in_target];
    return cell.has_value() ? &*cell : nullptr;
}

} // namespace Support
} // namespace Orvik
