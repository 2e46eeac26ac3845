#include "ODBC/States/StatementBinder.h"

#include "DSI/Client/IColumns.h"
#include "DSI/Client/IResult.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Queries/QueryManager.h"
#include "ODBC/States/StatementState.h"
#include "Support/AttributeData.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"

#include <sqlext.h>

#include <algorithm>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

ErrorException Error(DiagState in_state, const char16_t* in_key)
{
    return ErrorException(in_state, ODBC_COMPONENT_ID, in_key, -1, -1);
}

} // namespace

void StatementBinder::BindColumn(Statement& io_statement,
                                 SQLUSMALLINT in_column,
                                 SQLSMALLINT in_targetType,
                                 SQLPOINTER in_target,
                                 SQLLEN in_bufferLength,
                                 SQLLEN* in_lengthOrIndicator)
{
    if (in_column == 0)
    {
        throw Error(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, u"BookmarkColumnNotSupported");
    }
    if (!TypeConversionInfo::IsSupportedCType(in_targetType))
    {
        throw Error(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, u"SqlCTypeNotSupported");
    }
    if (in_target != nullptr && in_bufferLength < 0)
    {
        throw Error(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, u"InvalidStrOrBuffLen");
    }
    const AttributeData* maximumValue = io_statement.GetConnection().GetInfoProperty(SQL_MAX_COLUMNS_IN_SELECT);
    const uint32_t maximum = maximumValue != nullptr ? maximumValue->GetUInt16Value() : 0;
    bool isLimited = maximum != 0;
    uint32_t limit = maximum;
    if (QueryManager* manager = io_statement.GetQueryManager())
    {
        DSI::IResult* result = manager->GetCurrentResult();
        if (result != nullptr && result->GetResultType() == DSI::DSI_RESULT_SET)
        {
            const DSI::IColumns* columns = result->GetSelectColumns();
            const uint32_t count = columns != nullptr ? columns->GetCount() : 0;
            limit = maximum == 0 ? count : std::min(maximum, count);
            isLimited = true;
        }
        else
        {
            limit = 0;
        }
    }
    if (isLimited && in_column > limit)
    {
        throw Error(DIAG_INVALID_DESCRIPTOR_INDEX, u"InvalidDescIndex");
    }
    AppDescriptorBase& ard = io_statement.GetCurrentARD();
    CriticalSectionLock lock(ard.GetLock());
    const auto column = static_cast<int16_t>(in_column);
    if (in_target == nullptr)
    {
        ard.DropRecord(column);
        return;
    }
    try
    {
        ard.SetFieldValue(column, SQL_DESC_CONCISE_TYPE, DescriptorFieldValue::Integer(in_targetType));
        ard.SetFieldValue(column, SQL_DESC_OCTET_LENGTH, DescriptorFieldValue::Integer(in_bufferLength));
        ard.SetFieldValue(column, SQL_DESC_DATA_PTR, DescriptorFieldValue::Pointer(in_target));
        ard.SetFieldValue(column, SQL_DESC_OCTET_LENGTH_PTR, DescriptorFieldValue::Pointer(in_lengthOrIndicator));
        ard.SetFieldValue(column, SQL_DESC_INDICATOR_PTR, DescriptorFieldValue::Pointer(in_lengthOrIndicator));
    }
    catch (...)
    {
        ard.DropRecord(column);
        throw;
    }
}

void StatementBinder::BindParameter(Statement& io_statement,
                                    SQLUSMALLINT in_parameter,
                                    SQLSMALLINT in_inputOutputType,
                                    SQLSMALLINT in_valueType,
                                    SQLSMALLINT in_parameterType,
                                    SQLULEN in_columnSize,
                                    SQLSMALLINT in_decimalDigits,
                                    SQLPOINTER in_value,
                                    SQLLEN in_bufferLength,
                                    SQLLEN* in_lengthOrIndicator)
{
    if (!TypeConversionInfo::IsSupportedCType(in_valueType))
    {
        throw Error(DIAG_INVALID_APP_BUFFER_TYPE, u"SqlCTypeNotSupported");
    }
    if (!TypeConversionInfo::IsSupportedSqlType(in_parameterType))
    {
        throw Error(DIAG_INVALID_SQL_DATA_TYPE, u"SqlTypeNotSupported");
    }
    if (!StatementState::IsCToSqlConversionSupported(in_valueType, in_parameterType))
    {
        throw Error(DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE, u"DataConvNotSupported");
    }
    AppDescriptorBase& apd = io_statement.GetCurrentAPD();
    ImplParamDescriptor& ipd = io_statement.GetIPD();
    StatementState::ParameterLocks locks(io_statement);
    const int64_t apdCount = apd.GetHeaderFieldChecked(SQL_DESC_COUNT).m_integer;
    const int64_t ipdCount = ipd.GetHeaderFieldChecked(SQL_DESC_COUNT).m_integer;
    const auto parameter = static_cast<int16_t>(in_parameter);
    try
    {
        apd.SetFieldValue(parameter, SQL_DESC_OCTET_LENGTH_PTR, DescriptorFieldValue::Pointer(in_lengthOrIndicator));
        apd.SetFieldValue(parameter, SQL_DESC_INDICATOR_PTR, DescriptorFieldValue::Pointer(in_lengthOrIndicator));
        apd.SetFieldValue(parameter, SQL_DESC_CONCISE_TYPE, DescriptorFieldValue::Integer(in_valueType));
        apd.SetFieldValue(parameter, SQL_DESC_OCTET_LENGTH, DescriptorFieldValue::Integer(in_bufferLength));
        ipd.SetFieldValue(parameter, SQL_DESC_CONCISE_TYPE, DescriptorFieldValue::Integer(in_parameterType));
        ipd.SetFieldValue(parameter, SQL_DESC_PARAMETER_TYPE, DescriptorFieldValue::Integer(in_inputOutputType));
        const SqlTypeUtilities& sqlTypes = SqlTypeUtilities::Current();
        if (sqlTypes.IsCharacterOrBinaryType(in_parameterType))
        {
            ipd.SetFieldValue(parameter, SQL_DESC_LENGTH, DescriptorFieldValue::Integer(static_cast<int64_t>(in_columnSize)));
        }
        else if (in_parameterType == SQL_NUMERIC || in_parameterType == SQL_DECIMAL)
        {
            ipd.SetFieldValue(parameter, SQL_DESC_PRECISION,
                              DescriptorFieldValue::Integer(static_cast<int16_t>(in_columnSize)));
            ipd.SetFieldValue(parameter, SQL_DESC_SCALE, DescriptorFieldValue::Integer(in_decimalDigits));
        }
        else if (in_parameterType == SQL_FLOAT || in_parameterType == SQL_REAL || in_parameterType == SQL_DOUBLE)
        {
            ipd.SetFieldValue(parameter, SQL_DESC_PRECISION,
                              DescriptorFieldValue::Integer(static_cast<int16_t>(in_columnSize)));
        }
        else if (HasFractionalSeconds(in_parameterType))
        {
            ipd.SetFieldValue(parameter, SQL_DESC_PRECISION, DescriptorFieldValue::Integer(in_decimalDigits));
        }
        else if (sqlTypes.IsIntegerType(in_parameterType))
        {
            // Only the unsigned C types make the value unsigned; SQL_C_TINYINT is signed, and so is
            // a floating, exact or text value, as the server's integers are: -128.9 goes out as the
            // byte -128, not refused for want of a sign.
            const bool isUnsigned = in_valueType == SQL_C_UTINYINT || in_valueType == SQL_C_USHORT ||
                                    in_valueType == SQL_C_ULONG || in_valueType == SQL_C_UBIGINT;
            ipd.SetFieldValue(parameter, SQL_DESC_UNSIGNED, DescriptorFieldValue::Integer(isUnsigned ? SQL_TRUE : SQL_FALSE));
        }
        apd.SetFieldValue(parameter, SQL_DESC_DATA_PTR, DescriptorFieldValue::Pointer(in_value));
    }
    catch (...)
    {
        if (apd.GetHeaderFieldChecked(SQL_DESC_COUNT).m_integer != apdCount)
        {
            apd.DropRecord(parameter);
        }
        if (ipd.GetHeaderFieldChecked(SQL_DESC_COUNT).m_integer != ipdCount)
        {
            ipd.DropRecord(parameter);
        }
        throw;
    }
}

bool StatementBinder::HasFractionalSeconds(int16_t in_type)
{
    return in_type == SQL_TIME || in_type == SQL_TIMESTAMP || in_type == SQL_TYPE_TIME || in_type == SQL_TYPE_TIMESTAMP ||
           in_type == SQL_INTERVAL_SECOND || in_type == SQL_INTERVAL_DAY_TO_SECOND ||
           in_type == SQL_INTERVAL_HOUR_TO_SECOND || in_type == SQL_INTERVAL_MINUTE_TO_SECOND;
}

} // namespace ODBC
} // namespace Orvik
