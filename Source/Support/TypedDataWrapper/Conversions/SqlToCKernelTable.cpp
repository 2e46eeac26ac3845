#include "Support/TypedDataWrapper/SqlToCKernelTable.h"

#include "SqlToCKernelCells.h"

#include "Support/EncodingInfo.h"
#include "Support/InvalidOperationException.h"

#include <array>

namespace Orvik {
namespace Support {

namespace {

using KernelCells = std::array<SqlToCKernel, TDW_TYPE_TABLE_SIZE * TDW_TYPE_TABLE_SIZE>;

bool IsInTable(TDWType in_type)
{
    return in_type >= 0 && in_type < TDW_TYPE_TABLE_SIZE;
}

/// Every family's cells in one square array; a pair listed twice is a mistake in the lists.
KernelCells JoinFamilies()
{
    const SqlToCKernelCells families[] = {
        GetFloatingSourceCells(),
        GetIntegerSourceCells(),
        GetNumberTextAndImageCells(),
        GetCharacterCopyCells(),
        GetCharacterParseCells(),
        GetCharacterIntervalCells(),
        GetDatetimeSourceCells(),
        GetBinaryAndBitSourceCells(),
        GetIntervalSourceCells(),
        GetIntervalPairCells(),
        GetExactNumericSourceCells(),
    };
    KernelCells table{};
    for (const SqlToCKernelCells& family : families)
    {
        for (size_t i = 0; i < family.m_count; ++i)
        {
            const SqlToCKernelCell& cell = family.m_cells[i];
            SqlToCKernel& slot = table[cell.m_source * TDW_TYPE_TABLE_SIZE + cell.m_target];
            if (slot != nullptr)
            {
                ORVIK_THROW_INVALID_OPERATION();
            }
            slot = cell.m_kernel;
        }
    }
    return table;
}

/// The copy kernel for text whose two encodings are the same.
SqlToCKernel FindCopyKernel(EncodingType in_encoding)
{
    switch (EncodingInfo::GetCodeUnitSize(in_encoding))
    {
    case 2:
        return &SqlToCCharCopyCvt<2>::Convert;
    case 4:
        return &SqlToCCharCopyCvt<4>::Convert;
    default:
        return &SqlToCCharCopyCvt<1>::Convert;
    }
}

} // namespace

SqlToCKernel SqlToCKernelTable::Find(TDWType in_source,
                                     TDWType in_target,
                                     EncodingType in_sourceEncoding,
                                     EncodingType in_targetEncoding)
{
    if (!IsInTable(in_source) || !IsInTable(in_target))
    {
        return nullptr;
    }
    static const KernelCells s_table = JoinFamilies();
    const SqlToCKernel kernel = s_table[in_source * TDW_TYPE_TABLE_SIZE + in_target];
    const bool isTextToText = in_source >= TDW_SQL_CHAR && in_source <= TDW_SQL_WLONGVARCHAR
        && (in_target == TDW_C_CHAR || in_target == TDW_C_WCHAR);
    if (isTextToText && in_sourceEncoding == in_targetEncoding && in_sourceEncoding != ENC_NONE)
    {
        return FindCopyKernel(in_sourceEncoding);
    }
    return kernel;
}

} // namespace Support
} // namespace Orvik
