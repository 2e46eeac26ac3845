#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"

#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

namespace Orvik {
namespace Support {

namespace {

bool IsBetween(int16_t in_code, int16_t in_first, int16_t in_last)
{
    return in_code >= in_first && in_code <= in_last;
}

struct CTypeName
{
    int16_t code;
    const char16_t* name;
};

// SQL_C_GUID and SQL_C_DEFAULT have no entry: they are named by their codes.
constexpr CTypeName C_TYPE_NAMES[] = {
    {SQL_C_CHAR, u"SQL_C_CHAR"},
    {SQL_C_NUMERIC, u"SQL_C_NUMERIC"},
    {SQL_C_LONG, u"SQL_C_LONG"},
    {SQL_C_SHORT, u"SQL_C_SHORT"},
    {SQL_C_FLOAT, u"SQL_C_FLOAT"},
    {SQL_C_DOUBLE, u"SQL_C_DOUBLE"},
    {SQL_C_DATE, u"SQL_C_DATE"},
    {SQL_C_TIME, u"SQL_C_TIME"},
    {SQL_C_TIMESTAMP, u"SQL_C_TIMESTAMP"},
    {SQL_C_TYPE_DATE, u"SQL_C_TYPE_DATE"},
    {SQL_C_TYPE_TIME, u"SQL_C_TYPE_TIME"},
    {SQL_C_TYPE_TIMESTAMP, u"SQL_C_TYPE_TIMESTAMP"},
    {SQL_C_INTERVAL_YEAR, u"SQL_C_INTERVAL_YEAR"},
    {SQL_C_INTERVAL_MONTH, u"SQL_C_INTERVAL_MONTH"},
    {SQL_C_INTERVAL_DAY, u"SQL_C_INTERVAL_DAY"},
    {SQL_C_INTERVAL_HOUR, u"SQL_C_INTERVAL_HOUR"},
    {SQL_C_INTERVAL_MINUTE, u"SQL_C_INTERVAL_MINUTE"},
    {SQL_C_INTERVAL_SECOND, u"SQL_C_INTERVAL_SECOND"},
    {SQL_C_INTERVAL_YEAR_TO_MONTH, u"SQL_C_INTERVAL_YEAR_TO_MONTH"},
    {SQL_C_INTERVAL_DAY_TO_HOUR, u"SQL_C_INTERVAL_DAY_TO_HOUR"},
    {SQL_C_INTERVAL_DAY_TO_MINUTE, u"SQL_C_INTERVAL_DAY_TO_MINUTE"},
    {SQL_C_INTERVAL_DAY_TO_SECOND, u"SQL_C_INTERVAL_DAY_TO_SECOND"},
    {SQL_C_INTERVAL_HOUR_TO_MINUTE, u"SQL_C_INTERVAL_HOUR_TO_MINUTE"},
    {SQL_C_INTERVAL_HOUR_TO_SECOND, u"SQL_C_INTERVAL_HOUR_TO_SECOND"},
    {SQL_C_INTERVAL_MINUTE_TO_SECOND, u"SQL_C_INTERVAL_MINUTE_TO_SECOND"},
    {SQL_C_UTINYINT, u"SQL_C_UTINYINT"},
    {SQL_C_UBIGINT, u"SQL_C_UBIGINT"},
    {SQL_C_STINYINT, u"SQL_C_STINYINT"},
    {SQL_C_SBIGINT, u"SQL_C_SBIGINT"},
    {SQL_C_ULONG, u"SQL_C_ULONG"},
    {SQL_C_USHORT, u"SQL_C_USHORT"},
    {SQL_C_SLONG, u"SQL_C_SLONG"},
    {SQL_C_SSHORT, u"SQL_C_SSHORT"},
    {SQL_C_WCHAR, u"SQL_C_WCHAR"},
    {SQL_C_BIT, u"SQL_C_BIT"},
    {SQL_C_TINYINT, u"SQL_C_TINYINT"},
    {SQL_C_BINARY, u"SQL_C_BINARY"},
};

} // namespace

const SqlCTypeUtilities& SqlCTypeUtilities::Current()
{
    return TypedDataSingleton<SqlCTypeUtilities>::GetOrDefault();
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

orvik_wstring SqlCTypeUtilities::GetCTypeName(int16_t in_cType) const
{
    for (const CTypeName& entry : C_TYPE_NAMES)
    {
        if (entry.code == in_cType)
        {
            return entry.name;
        }
    }
    return NumberConverter::ConvertInt16ToWString(in_cType);
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
