#pragma once

#include "ToSqlConverter.h"
#include "ToSqlFixedAnswerConverter.h"
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

/// The creator of the converters of multi-field intervals into numbers of in_targetSize bytes
/// (38 for the exact numerics), which refuse every value.
template <int64_t in_targetSize>
std::unique_ptr<ISqlToSqlConverter> CreateSqlMultiFieldIntervalToNumberConverter(const SqlTypeMetadata&,
                                                                                 const SqlTypeMetadata&)
{
    return std::make_unique<ToSqlFixedAnswerConverter>(ToSqlFixedAnswerConverter::MULTI_FIELD_INTERVAL_TO_NUMBER,
                                                       in_targetSize);
}

/// The creator of the converters of numbers into multi-field intervals, which refuse every value.
std::unique_ptr<ISqlToSqlConverter> CreateSqlNumberToMultiFieldIntervalConverter(const SqlTypeMetadata& in_source,
                                                                                 const SqlTypeMetadata& in_target);

/// The creator of the converters of the SQL types that share their value's layout with a C type
/// (the character, bit, integer, floating, date, time, timestamp and GUID types): the converter
/// of the C-to-SQL cell of that C type and the same target, which converts SQL-side values of
/// the type as well. Throws InvalidOperationException when that cell is empty.
std::unique_ptr<ISqlToSqlConverter> CreateSqlToSqlConverterOfCounterpart(const SqlTypeMetadata& in_source,
                                                                         const SqlTypeMetadata& in_target);

// The families' cell lists, which SqlConverterFactory::InitSqlToSqlTable joins. The rows of the
// types with a C counterpart take, for every other target, the converter of their counterpart's
// C-to-SQL cell.

/// The character rows into the six character types.
SqlToSqlConverterCells GetCharacterSourceSqlToSqlCells();
/// Every row into the three binary types.
SqlToSqlConverterCells GetBinaryTargetSqlToSqlCells();
/// The NUMERIC and DECIMAL rows, but for their binary targets.
SqlToSqlConverterCells GetExactNumericSourceSqlToSqlCells();
/// The thirteen interval rows, but for their binary targets.
SqlToSqlConverterCells GetIntervalSourceSqlToSqlCells();

} // namespace Support
} // namespace Orvik
