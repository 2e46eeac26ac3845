#pragma once

#include "ToSqlConverter.h"
#include "ToSqlKernel.h"

#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

struct ToSqlUnsupportedOverload;

/// One filled cell of the registry's SQL-to-SQL table: a pair of SQL types and the creator of
/// its converter.
struct SqlToSqlConverterCell
{
    TDWType m_source;
    TDWType m_target;
    SqlConverterFactory::SqlToSqlCreator m_creator;
};

/// A family's cells, one line per pair.
struct SqlToSqlConverterCells
{
    const SqlToSqlConverterCell* m_cells;
    size_t m_count;

    template <size_t in_count>
    static SqlToSqlConverterCells Of(const SqlToSqlConverterCell (&in_cells)[in_count])
    {
        return {in_cells, in_count};
    }
};

// The creators, twins of those of the C-to-SQL table: each is made once per kernel, and every
// one but the selectors ignores the metadata.

/// The creator of the converters through in_kernel. in_unsupported, when given, names the
/// application-buffer overload that the converter's class refuses.
template <ToSqlKernel in_kernel, const ToSqlUnsupportedOverload* in_unsupported = nullptr>
std::unique_ptr<ISqlToSqlConverter> CreateSqlToSqlConverter(const SqlTypeMetadata&, const SqlTypeMetadata&)
{
    return std::make_unique<ToSqlConverter>(in_kernel, in_unsupported);
}

/// The creator of the converters of the SQL types whose C counterpart's converters read SQL-side
/// values of the type as well (every type but the binary ones): the converter of the C-to-SQL
/// cell of the counterpart and the same target. Throws InvalidOperationException when that cell
/// is empty.
std::unique_ptr<ISqlToSqlConverter> CreateSqlToSqlConverterOfCounterpart(const SqlTypeMetadata& in_source,
                                                                         const SqlTypeMetadata& in_target);

// The families' cell lists, which SqlConverterFactory::InitSqlToSqlTable joins. The rows of the
// types with a C counterpart take, for every target no list names, the converter of their
// counterpart's C-to-SQL cell.

/// The character rows into the six character types.
SqlToSqlConverterCells GetCharacterSourceSqlToSqlCells();
/// The binary rows, and every row into the three binary types.
SqlToSqlConverterCells GetBinarySqlToSqlCells();
/// The NUMERIC and DECIMAL rows into the single-field intervals.
SqlToSqlConverterCells GetExactNumericSourceSqlToSqlCells();

} // namespace Support
} // namespace Orvik
