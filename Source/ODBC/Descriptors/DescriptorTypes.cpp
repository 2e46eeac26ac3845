#include "ODBC/Descriptors/DescriptorTypes.h"

#include "ODBC/Exceptions/InvalidCTypeException.h"
#include "ODBC/Exceptions/InvalidSQLTypeException.h"
#include "Support/BadPrecisionException.h"
#include "Support/BadScaleException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include <sqlext.h>

#include <algorithm>
#include <iterator>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// The C types an application record takes as SQL_DESC_TYPE itself; the datetime and interval
// types are taken as concise types only.
constexpr int16_t APP_PLAIN_TYPES[] = {
    SQL_C_DEFAULT, SQL_C_UTINYINT, SQL_C_UBIGINT, SQL_C_STINYINT, SQL_C_SBIGINT, SQL_C_ULONG,
    SQL_C_USHORT, SQL_C_SLONG, SQL_C_SSHORT, SQL_C_GUID, SQL_C_WCHAR, SQL_C_BIT, SQL_C_TINYINT,
    SQL_C_BINARY, SQL_C_CHAR, SQL_C_NUMERIC, SQL_C_LONG, SQL_C_SHORT, SQL_C_FLOAT, SQL_C_DOUBLE,
};

// The SQL types an IPD record takes as SQL_DESC_TYPE itself.
constexpr int16_t IPD_PLAIN_TYPES[] = {
    SQL_GUID, SQL_WLONGVARCHAR, SQL_WVARCHAR, SQL_WCHAR, SQL_BIT, SQL_TINYINT, SQL_BIGINT,
    SQL_LONGVARBINARY, SQL_VARBINARY, SQL_BINARY, SQL_LONGVARCHAR, SQL_CHAR, SQL_NUMERIC,
    SQL_DECIMAL, SQL_INTEGER, SQL_SMALLINT, SQL_FLOAT, SQL_REAL, SQL_DOUBLE, SQL_VARCHAR,
};

constexpr int16_t MAX_DATETIME_CODE = SQL_CODE_TIMESTAMP;
constexpr int16_t MAX_INTERVAL_CODE = SQL_CODE_MINUTE_TO_SECOND;

bool IsPlainType(DescriptorKind in_kind, int16_t in_type)
{
    if (in_kind == DescriptorKind::APP)
    {
        return std::find(std::begin(APP_PLAIN_TYPES), std::end(APP_PLAIN_TYPES), in_type) != std::end(APP_PLAIN_TYPES);
    }
    return std::find(std::begin(IPD_PLAIN_TYPES), std::end(IPD_PLAIN_TYPES), in_type) != std::end(IPD_PLAIN_TYPES);
}

bool IsInRange(int16_t in_value, int16_t in_first, int16_t in_last)
{
    return in_value >= in_first && in_value <= in_last;
}

// The same message in another state.
[[noreturn]] void Restate(const ErrorException& in_exception, DiagState in_state)
{
    throw ErrorException(in_state, in_exception.GetComponentId(), in_exception.GetMessageKey(),
                         in_exception.GetParameters(), in_exception.GetRowNumber(), in_exception.GetColumnNumber());
}

template <class Metadata>
void ValidateMetadata(const Metadata& in_metadata)
{
    try
    {
        in_metadata.Validate();
    }
    catch (const BadPrecisionException& e)
    {
        Restate(e, DIAG_INVALID_PRECISION_OR_SCALE);
    }
    catch (const BadScaleException& e)
    {
        Restate(e, DIAG_INVALID_PRECISION_OR_SCALE);
    }
    catch (const BadTypeMetadataException& e)
    {
        Restate(e, DIAG_INCONSISTENT_DESCRIPTOR);
    }
}

} // namespace

int16_t DescriptorTypes::GetVerboseType(int16_t in_conciseType)
{
    return SqlTypeUtilities::GetVerboseType(in_conciseType);
}

int16_t DescriptorTypes::GetIntervalCode(int16_t in_conciseType)
{
    return SqlTypeUtilities::GetDatetimeIntervalCode(in_conciseType);
}

bool DescriptorTypes::IsValidConciseType(DescriptorKind in_kind, int16_t in_conciseType)
{
    return GetIntervalCode(in_conciseType) != 0 || IsPlainType(in_kind, in_conciseType);
}

void DescriptorTypes::CheckConciseType(DescriptorKind in_kind, int16_t in_conciseType)
{
    if (IsValidConciseType(in_kind, in_conciseType))
    {
        return;
    }
    if (in_kind == DescriptorKind::APP)
    {
        throw InvalidCTypeException(u"IllegalDescConciseType");
    }
    throw InvalidSQLTypeException(u"IllegalDescConciseType");
}

int16_t DescriptorTypes::GetConciseTypeForType(DescriptorKind in_kind, int16_t in_type, int16_t in_code)
{
    if (in_type == SQL_DATETIME)
    {
        if (!IsInRange(in_code, 1, MAX_DATETIME_CODE))
        {
            throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"InvalidDatetimeCodeIdent", -1, -1);
        }
        return static_cast<int16_t>(SQL_TYPE_DATE - 1 + in_code);
    }
    if (in_type == SQL_INTERVAL)
    {
        if (!IsInRange(in_code, 1, MAX_INTERVAL_CODE))
        {
            throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"InvalidIntervalCode", -1, -1);
        }
        return static_cast<int16_t>(SQL_INTERVAL_YEAR - 1 + in_code);
    }
    if (!IsPlainType(in_kind, in_type))
    {
        throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"IllegalDescType", -1, -1);
    }
    return in_type;
}

int16_t DescriptorTypes::GetConciseTypeForSubType(int16_t in_type, int16_t in_subType)
{
    if (in_type == SQL_DATETIME)
    {
        if (!IsInRange(in_subType, 1, MAX_DATETIME_CODE))
        {
            throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"InvalidDatetimeSubcodeIdent", -1, -1);
        }
        return static_cast<int16_t>(SQL_TYPE_DATE - 1 + in_subType);
    }
    if (in_type == SQL_INTERVAL)
    {
        if (!IsInRange(in_subType, 1, MAX_INTERVAL_CODE))
        {
            throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"InvalidIntevalSubcodeIdent", -1, -1);
        }
        return static_cast<int16_t>(SQL_INTERVAL_YEAR - 1 + in_subType);
    }
    return 0;
}

void DescriptorTypes::CheckTypes(DescriptorKind in_kind, int16_t in_conciseType, int16_t in_type, int16_t in_code)
{
    if (!IsValidConciseType(in_kind, in_conciseType))
    {
        throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"IllegalDescConciseType", -1, -1);
    }
    if (in_type == SQL_DATETIME && !IsInRange(in_code, 1, MAX_DATETIME_CODE))
    {
        throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"InvalidDatetimeCodeIdent", -1, -1);
    }
    if (in_type == SQL_INTERVAL && !IsInRange(in_code, 1, MAX_INTERVAL_CODE))
    {
        throw ErrorException(DIAG_INCONSISTENT_DESCRIPTOR, ODBC_COMPONENT_ID, u"InvalidIntervalCode", -1, -1);
    }
}

void DescriptorTypes::Validate(const SqlCTypeMetadata& in_metadata)
{
    ValidateMetadata(in_metadata);
}

void DescriptorTypes::Validate(const SqlTypeMetadata& in_metadata)
{
    ValidateMetadata(in_metadata);
}

} // namespace ODBC
} // namespace Orvik
