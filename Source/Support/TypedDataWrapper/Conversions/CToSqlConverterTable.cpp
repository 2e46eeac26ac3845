// The filler of the registry's C-to-SQL table: every source family's cells, then the rows that
// repeat another row.

#include "CToSqlConverterCells.h"

#include "Support/InvalidOperationException.h"

namespace Orvik {
namespace Support {

namespace {

/// A row that takes every creator of another row.
struct RowAlias
{
    TDWType m_row;
    TDWType m_sameAs;
};

// The plain type ids of the tiny, short and long integers reach the table only in metadata made
// without the C metadata factory, which gives an application's buffers the signed ids; they read
// a tiny integer as unsigned, the others as signed.
constexpr RowAlias ROW_ALIASES[] = {
    {TDW_C_TINYINT, TDW_C_UTINYINT},
    {TDW_C_SHORT, TDW_C_SSHORT},
    {TDW_C_LONG, TDW_C_SLONG},
};

/// Every source family's cells.
template <typename Visit>
void ForEachFamily(Visit in_visit)
{
    const CToSqlConverterCells families[] = {
        GetCharacterAndBinarySourceToSqlCells(),
        GetIntegerAndBitSourceToSqlCells(),
        GetFloatingSourceToSqlCells(),
        GetExactNumericSourceToSqlCells(),
        GetIntervalSourceToSqlCells(),
        GetDatetimeAndGuidSourceToSqlCells(),
    };
    for (const CToSqlConverterCells& family : families)
    {
        in_visit(family);
    }
}

/// The row whose creators in_row takes: its alias, or itself.
TDWType RowOfCreators(TDWType in_row)
{
    for (const RowAlias& alias : ROW_ALIASES)
    {
        if (alias.m_row == in_row)
        {
            return alias.m_sameAs;
        }
    }
    return in_row;
}

} // namespace

SqlConverterFactory::CToSqlCreator FindCToSqlCreator(TDWType in_source, TDWType in_target)
{
    const TDWType row = RowOfCreators(in_source);
    SqlConverterFactory::CToSqlCreator found = nullptr;
    ForEachFamily([&](const CToSqlConverterCells& in_family) {
        for (size_t i = 0; i < in_family.m_count; ++i)
        {
            const CToSqlConverterCell& cell = in_family.m_cells[i];
            if (cell.m_source == row && cell.m_target == in_target)
            {
                found = cell.m_creator;
            }
        }
    });
    return found;
}

std::unique_ptr<ICToSqlConverter> CreateNumberToMultiFieldIntervalConverter(const SqlCTypeMetadata&,
                                                                            const SqlTypeMetadata&)
{
    return std::make_unique<ToSqlFixedAnswerConverter>(ToSqlFixedAnswerConverter::NUMBER_TO_MULTI_FIELD_INTERVAL);
}

// A pair listed twice is a mistake in the lists.
void SqlConverterFactory::InitCToSqlTable(CToSqlTable& io_table)
{
    ForEachFamily([&io_table](const CToSqlConverterCells& in_family) {
        for (size_t i = 0; i < in_family.m_count; ++i)
        {
            const CToSqlConverterCell& cell = in_family.m_cells[i];
            CToSqlCreator& slot = io_table[GetCellIndex(cell.m_source, cell.m_target)];
            if (slot != nullptr)
            {
                ORVIK_THROW_INVALID_OPERATION();
            }
            slot = cell.m_creator;
        }
    });
    for (const RowAlias& alias : ROW_ALIASES)
    {
        for (int32_t target = 0; target < TDW_TYPE_TABLE_SIZE; ++target)
        {
            io_table[GetCellIndex(alias.m_row, static_cast<TDWType>(target))] =
                io_table[GetCellIndex(alias.m_sameAs, static_cast<TDWType>(target))];
        }
    }
}

} // namespace Support
} // namespace Orvik
