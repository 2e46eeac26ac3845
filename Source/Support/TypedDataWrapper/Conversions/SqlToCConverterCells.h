#pragma once

#include "SqlToCConverter.h"
#include "SqlToCStateGroups.h"

#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstddef>

namespace Orvik {
namespace Support {

/// One filled cell of the registry's SQL-to-C table: a pair and the creator of its converter.
struct SqlToCConverterCell
{
    TDWType m_source;
    TDWType m_target;
    SqlConverterFactory::SqlToCCreator m_creator;
};

/// A source family's cells, one line per pair.
struct SqlToCConverterCells
{
    const SqlToCConverterCell* m_cells;
    size_t m_count;

    template <size_t in_count>
    static SqlToCConverterCells Of(const SqlToCConverterCell (&in_cells)[in_count])
    {
        return {in_cells, in_count};
    }
};

/// The creator of one cell: the pair's kernel with the state of in_group. Each cell gets its own
/// small function, which only forwards to the one converter class.
template <TDWType in_sourceType, TDWType in_targetType, SqlToCStateGroup in_group>
std::unique_ptr<ISqlToCConverter> CreateSqlToCConverter(const SqlTypeMetadata& in_source,
                                                        const SqlCTypeMetadata& in_target)
{
    return SqlToCConverter::Create(in_sourceType, in_targetType, in_group, in_source, in_target);
}

// The families' cell lists, which SqlConverterFactory::InitSqlToCTable joins.

/// CHAR, VARCHAR, LONGVARCHAR, WCHAR, WVARCHAR and WLONGVARCHAR sources.
SqlToCConverterCells GetCharacterSourceConverterCells();
/// BIT, BINARY, VARBINARY and LONGVARBINARY sources.
SqlToCConverterCells GetBitAndBinarySourceConverterCells();
/// NUMERIC, DECIMAL, REAL, FLOAT and DOUBLE sources.
SqlToCConverterCells GetExactAndFloatingSourceConverterCells();
/// The eight integer sources.
SqlToCConverterCells GetIntegerSourceConverterCells();
/// DATE, TIME, TIMESTAMP and GUID sources.
SqlToCConverterCells GetDatetimeAndGuidSourceConverterCells();
/// The thirteen interval sources.
SqlToCConverterCells GetIntervalSourceConverterCells();

} // namespace Support
} // namespace Orvik

/// One cell: source, target and the state group of its converter.
#define ORVIK_SQL_TO_C_CELL(in_source, in_target, in_group)                                  \
    {                                                                                        \
        ::Orvik::Support::in_source, ::Orvik::Support::in_target,                            \
            &::Orvik::Support::CreateSqlToCConverter<::Orvik::Support::in_source,            \
                                                     ::Orvik::Support::in_target,            \
                                                     ::Orvik::Support::SqlToCStateGroup::in_group> \
    }
