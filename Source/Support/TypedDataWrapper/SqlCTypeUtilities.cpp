#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"

#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

namespace Orvik {
namespace Support {

namespace {

bool IsBetween(int16_t in_code, int16_t in_first, int16_t in_last)
{
    return in_code >= in_first && in_code <= in_last;
}

} // namespace

const SqlCTypeUtilities& SqlCTypeUtilities::Current()
{
    static const SqlCTypeUtilities s_default;
    const SqlCTypeUtilities* installed = TypedDataSingleton<SqlCTypeUtilities>::Get();
    return installed != nullptr ? *installed : s_default;
}

bool SqlCTypeUtilities::IsCharacterOrBinaryType(int16_t in_cType) const
{
    return in_cType == SQL_C_WCHAR || in_cType == SQL_C_BINARY || in_cType == SQL_C_CHAR;
}

bool SqlCTypeUtilities::IsApproximateNumericType(int16_t in_cType) const
{
    return in_cType == SQL_C_FLOAT || in_cType == SQL_C_DOUBLE;
}

bool SqlCTypeUtilities::IsExactNumericType(int16_t in_cType) const
{
    return in_cType == SQL_C_NUMERIC;
}

bool SqlCTypeUtilities::IsDatetimeType(int16_t in_cType) const
{
    return in_cType == SQL_C_TYPE_DATE || in_cType == SQL_C_TYPE_TIME
        || IsTimeOrTimestampType(in_cType);
}

bool SqlCTypeUtilities::IsIntegerType(int16_t in_cType) const
{
    return IsBetween(in_cType, SQL_C_UTINYINT, SQL_C_SBIGINT)
        || IsBetween(in_cType, SQL_C_ULONG, SQL_C_SSHORT) || in_cType == SQL_C_TINYINT
        || in_cType == SQL_C_LONG || in_cType == SQL_C_SHORT;
}

bool SqlCTypeUtilities::IsIntervalType(int16_t in_cType) const
{
    return IsBetween(in_cType, SQL_C_INTERVAL_YEAR, SQL_C_INTERVAL_MINUTE_TO_SECOND);
}

bool SqlCTypeUtilities::IsCustomCType(int16_t) const
{
    return false;
}

bool SqlCTypeUtilities::CheckCustomCType(int16_t, int16_t) const
{
    return false;
}

int32_t SqlCTypeUtilities::GetCustomCTypeValue(int16_t) const
{
    return 4;
}

bool SqlCTypeUtilities::IsTimeOrTimestampType(int16_t in_cType) const
{
    return in_cType == SQL_C_TIME || in_cType == SQL_C_TIMESTAMP || in_cType == SQL_C_TYPE_TIME
        || in_cType == SQL_C_TYPE_TIMESTAMP;
}

bool SqlCTypeUtilities::IsCTypeFlagged(int16_t in_cType) const
{
    switch (in_cType)
    {
    case SQL_C_CHAR:
    case SQL_C_LONG:
    case SQL_C_SHORT:
    case SQL_C_DATE:
    case SQL_C_TYPE_DATE:
    case SQL_C_DEFAULT:
    case SQL_C_WCHAR:
    case SQL_C_TINYINT:
    case SQL_C_BINARY:
        return false;
    default:
        return !IsBetween(in_cType, SQL_C_UTINYINT, SQL_C_SBIGINT)
            && !IsBetween(in_cType, SQL_C_ULONG, SQL_C_SSHORT);
    }
}

} // namespace Support
} // namespace Orvik
