#include "ODBC/Cursors/CanConvertSqlToC.h"

#include "Support/NumberConverter.h"
#include "Support/SupportError.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// The SQL type codes the type tables cover; codes outside are a data store's own.
constexpr int16_t FIRST_TABLE_SQL_TYPE = -28;
constexpr int16_t LAST_TABLE_SQL_TYPE = 539;

// C type codes from here up are driver-defined.
constexpr int16_t FIRST_CUSTOM_C_TYPE = 0x4000;

[[noreturn]] void ThrowTypeNotFound(SupportErrorCode in_error, const orvik_wstring& in_name, int16_t in_code)
{
    throw SupportException(SupportError(in_error), {in_name, NumberConverter::ConvertInt16ToWString(in_code)});
}

} // namespace

bool CanConvertSqlToC(int16_t in_sqlType, int16_t in_cType)
{
    if (in_cType == SQL_C_DEFAULT || in_sqlType < FIRST_TABLE_SQL_TYPE || in_sqlType > LAST_TABLE_SQL_TYPE)
    {
        return true;
    }
    const TDWType sqlId = TypeConversionInfo::GetTDWTypeForSqlType(in_sqlType);
    if (sqlId == TDW_SQL_NOTYPE)
    {
        ThrowTypeNotFound(SupportErrorCode::TDWTypeNotFoundForSqlType,
                          SqlTypeUtilities::Current().GetSqlTypeName(in_sqlType), in_sqlType);
    }
    const SqlConverterFactory& registry = TypedDataSingleton<SqlConverterFactory>::GetOrDefault();
    if (in_cType >= FIRST_CUSTOM_C_TYPE)
    {
        return registry.CanConvertCustomTypes(in_sqlType, in_cType);
    }
    const TDWType cId = TypeConversionInfo::GetTDWTypeForCType(in_cType);
    if (cId == TDW_SQL_NOTYPE)
    {
        ThrowTypeNotFound(SupportErrorCode::TDWTypeNotFoundForCType,
                          SqlCTypeUtilities::Current().GetCTypeName(in_cType), in_cType);
    }
    if (cId == TDW_C_CUSTOM)
    {
        return registry.CanConvertCustomTypes(in_sqlType, in_cType);
    }
    const int32_t cell = SqlConverterFactory::GetCellIndex(sqlId, cId);
    return cell >= 0 && registry.GetSqlToCTable()[cell] != nullptr;
}

} // namespace ODBC
} // namespace Orvik
