#pragma once

#include "ToSqlConverter.h"
#include "ToSqlFixedAnswerConverter.h"
#include "ToSqlKernel.h"
#include "ToSqlUnsupportedOverload.h"

#include "Support/TypedDataWrapper/IsAsciiCompatibleEncoding.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWType.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

/// One filled cell of the registry's C-to-SQL table: a pair and the creator of its converter.
struct CToSqlConverterCell
{
    TDWType m_source;
    TDWType m_target;
    SqlConverterFactory::CToSqlCreator m_creator;
};

/// A source family's cells, one line per pair.
struct CToSqlConverterCells
{
    const CToSqlConverterCell* m_cells;
    size_t m_count;

    template <size_t in_count>
    static CToSqlConverterCells Of(const CToSqlConverterCell (&in_cells)[in_count])
    {
        return {in_cells, in_count};
    }
};

// The creators. Each is made once per kernel (or fixed answer), so the cells that one converter
// class serves share one creator; every creator but the selectors ignores the metadata.

/// The creator of the converters through in_kernel.
template <ToSqlKernel in_kernel>
std::unique_ptr<ICToSqlConverter> CreateCToSqlConverter(const SqlCTypeMetadata&, const SqlTypeMetadata&)
{
    return std::make_unique<ToSqlConverter>(in_kernel);
}

/// The creator of the converters through in_kernel whose class serves one table only: the
/// overload of the other, which in_unsupported names, throws.
template <ToSqlKernel in_kernel, const ToSqlUnsupportedOverload* in_unsupported>
std::unique_ptr<ICToSqlConverter> CreateOneTableCToSqlConverter(const SqlCTypeMetadata&, const SqlTypeMetadata&)
{
    return std::make_unique<ToSqlConverter>(in_kernel, in_unsupported);
}

/// The selector of the converters of one C type into character values: through in_narrow, which
/// writes its text one byte per character, when the target's encoding keeps ASCII in single
/// bytes; through in_wide, which writes one code unit of the target's encoding per character,
/// otherwise. Only the target's encoding decides, never whether its type is wide.
template <ToSqlKernel in_narrow, ToSqlKernel in_wide>
std::unique_ptr<ICToSqlConverter> CreateCToSqlTextConverter(const SqlCTypeMetadata&, const SqlTypeMetadata& in_target)
{
    return std::make_unique<ToSqlConverter>(IsAsciiCompatibleEncoding(in_target.GetEncoding()) ? in_narrow : in_wide);
}

/// The creator of the converters of multi-field intervals into numbers of in_targetSize bytes
/// (38 for the exact numerics), which refuse every value.
template <int64_t in_targetSize>
std::unique_ptr<ICToSqlConverter> CreateMultiFieldIntervalToNumberConverter(const SqlCTypeMetadata&,
                                                                            const SqlTypeMetadata&)
{
    return std::make_unique<ToSqlFixedAnswerConverter>(ToSqlFixedAnswerConverter::MULTI_FIELD_INTERVAL_TO_NUMBER,
                                                       in_targetSize);
}

/// The creator of the converters of numbers into multi-field intervals, which refuse every value.
std::unique_ptr<ICToSqlConverter> CreateNumberToMultiFieldIntervalConverter(const SqlCTypeMetadata& in_source,
                                                                            const SqlTypeMetadata& in_target);

// The families' cell lists, which SqlConverterFactory::InitCToSqlTable joins. The rows of
// SQL_C_TINYINT, SQL_C_SHORT and SQL_C_LONG are not listed: they take the creators of the rows of
// SQL_C_UTINYINT, SQL_C_SSHORT and SQL_C_SLONG.

/// SQL_C_CHAR, SQL_C_WCHAR and SQL_C_BINARY sources.
CToSqlConverterCells GetCharacterAndBinarySourceToSqlCells();
/// SQL_C_BIT and the integer sources.
CToSqlConverterCells GetIntegerAndBitSourceToSqlCells();
/// SQL_C_FLOAT and SQL_C_DOUBLE sources.
CToSqlConverterCells GetFloatingSourceToSqlCells();
/// SQL_C_NUMERIC sources.
CToSqlConverterCells GetExactNumericSourceToSqlCells();
/// The thirteen interval sources.
CToSqlConverterCells GetIntervalSourceToSqlCells();
/// SQL_C_TYPE_DATE, SQL_C_TYPE_TIME, SQL_C_TYPE_TIMESTAMP and SQL_C_GUID sources.
CToSqlConverterCells GetDatetimeAndGuidSourceToSqlCells();

/// The creator of the C-to-SQL cell (in_source, in_target) as the table holds it, the aliased
/// rows included; null for a pair without one. It searches the families' lists, for the
/// converters of SQL-side values that take the class of their C counterpart's cell.
SqlConverterFactory::CToSqlCreator FindCToSqlCreator(TDWType in_source, TDWType in_target);

} // namespace Support
} // namespace Orvik
