// The filler of the registry's SQL-to-SQL table: every family's cells, then the rows of the SQL
// types whose C counterpart's converters serve their values too, which take the converters of
// their counterpart's C-to-SQL row.

#include "CToSqlConverterCells.h"
#include "SqlToSqlConverterCells.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"

namespace Orvik {
namespace Support {

namespace {

/// A SQL type and the C type whose converters read its values too: the C type of its layout, or,
/// for the exact numerics and the intervals, the C type of the kernels that read either side.
struct Counterpart
{
    TDWType m_sqlType;
    TDWType m_cType;
};

constexpr Counterpart COUNTERPARTS[] = {
    {TDW_SQL_CHAR, TDW_C_CHAR},
    {TDW_SQL_VARCHAR, TDW_C_CHAR},
    {TDW_SQL_LONGVARCHAR, TDW_C_CHAR},
    {TDW_SQL_WCHAR, TDW_C_WCHAR},
    {TDW_SQL_WVARCHAR, TDW_C_WCHAR},
    {TDW_SQL_WLONGVARCHAR, TDW_C_WCHAR},
    {TDW_SQL_BIT, TDW_C_BIT},
    {TDW_SQL_STINYINT, TDW_C_STINYINT},
    {TDW_SQL_UTINYINT, TDW_C_UTINYINT},
    {TDW_SQL_SSMALLINT, TDW_C_SSHORT},
    {TDW_SQL_USMALLINT, TDW_C_USHORT},
    {TDW_SQL_SINTEGER, TDW_C_SLONG},
    {TDW_SQL_UINTEGER, TDW_C_ULONG},
    {TDW_SQL_SBIGINT, TDW_C_SBIGINT},
    {TDW_SQL_UBIGINT, TDW_C_UBIGINT},
    {TDW_SQL_REAL, TDW_C_FLOAT},
    {TDW_SQL_FLOAT, TDW_C_DOUBLE},
    {TDW_SQL_DOUBLE, TDW_C_DOUBLE},
    {TDW_SQL_NUMERIC, TDW_C_NUMERIC},
    {TDW_SQL_DECIMAL, TDW_C_NUMERIC},
    {TDW_SQL_TYPE_DATE, TDW_C_TYPE_DATE},
    {TDW_SQL_TYPE_TIME, TDW_C_TYPE_TIME},
    {TDW_SQL_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP},
    {TDW_SQL_INTERVAL_DAY, TDW_C_INTERVAL_DAY},
    {TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_HOUR},
    {TDW_SQL_INTERVAL_DAY_TO_MINUTE, TDW_C_INTERVAL_DAY_TO_MINUTE},
    {TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_DAY_TO_SECOND},
    {TDW_SQL_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR},
    {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_MINUTE},
    {TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_HOUR_TO_SECOND},
    {TDW_SQL_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE},
    {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_MINUTE_TO_SECOND},
    {TDW_SQL_INTERVAL_MONTH, TDW_C_INTERVAL_MONTH},
    {TDW_SQL_INTERVAL_SECOND, TDW_C_INTERVAL_SECOND},
    {TDW_SQL_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR},
    {TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_C_INTERVAL_YEAR_TO_MONTH},
    {TDW_SQL_GUID, TDW_C_GUID},
};

/// The counterpart of in_sqlType; TDW_SQL_NOTYPE for a type without one.
TDWType CounterpartOf(TDWType in_sqlType)
{
    for (const Counterpart& counterpart : COUNTERPARTS)
    {
        if (counterpart.m_sqlType == in_sqlType)
        {
            return counterpart.m_cType;
        }
    }
    return TDW_SQL_NOTYPE;
}

} // namespace

// The converters read what differs between the cells they serve from the metadata of the values,
// so the C cell's converter serves the SQL-side value; the metadata the creator sees is that of a
// buffer of the counterpart type. The choice between narrow and wide text follows the target's
// encoding, as for application buffers, so that no target gets text in another encoding.
std::unique_ptr<ISqlToSqlConverter> CreateSqlToSqlConverterOfCounterpart(const SqlTypeMetadata& in_source,
                                                                         const SqlTypeMetadata& in_target)
{
    const TDWType cType = CounterpartOf(in_source.GetTDWType());
    const SqlConverterFactory::CToSqlCreator creator = FindCToSqlCreator(cType, in_target.GetTDWType());
    if (creator == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    const std::unique_ptr<SqlCTypeMetadata> buffer =
        SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(TypeConversionInfo::GetSqlTypeForTDWType(cType));
    std::unique_ptr<ICToSqlConverter> converter = creator(*buffer, in_target);
    auto* sqlSide = dynamic_cast<ISqlToSqlConverter*>(converter.get());
    if (sqlSide == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    converter.release();
    return std::unique_ptr<ISqlToSqlConverter>(sqlSide);
}

// A pair listed twice is a mistake in the lists. The counterpart rows fill only the cells that
// no list names, and only where their C row converts.
void SqlConverterFactory::InitSqlToSqlTable(SqlToSqlTable& io_table)
{
    const SqlToSqlConverterCells families[] = {
        GetCharacterSourceSqlToSqlCells(),
        GetBinarySqlToSqlCells(),
        GetExactNumericSourceSqlToSqlCells(),
    };
    for (const SqlToSqlConverterCells& family : families)
    {
        for (size_t i = 0; i < family.m_count; ++i)
        {
            const SqlToSqlConverterCell& cell = family.m_cells[i];
            SqlToSqlCreator& slot = io_table[GetCellIndex(cell.m_source, cell.m_target)];
            if (slot != nullptr)
            {
                ORVIK_THROW_INVALID_OPERATION();
            }
            slot = cell.m_creator;
        }
    }
    for (const Counterpart& row : COUNTERPARTS)
    {
        for (int32_t target = TDW_SQL_CHAR; target <= TDW_SQL_GUID; ++target)
        {
            SqlToSqlCreator& slot = io_table[GetCellIndex(row.m_sqlType, static_cast<TDWType>(target))];
            if (slot == nullptr && FindCToSqlCreator(row.m_cType, static_cast<TDWType>(target)) != nullptr)
            {
                slot = &CreateSqlToSqlConverterOfCounterpart;
            }
        }
    }
}

} // namespace Support
} // namespace Orvik
