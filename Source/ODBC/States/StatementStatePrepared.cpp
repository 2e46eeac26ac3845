#include "ODBC/States/StatementStatePrepared.h"

#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/States/StatementBinder.h"
#include "ODBC/States/StatementState1.h"
#include "ODBC/States/StatementState5.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "StatementStatePrepared";

} // namespace

StatementStatePrepared::StatementStatePrepared(Statement& io_statement) : StatementState(io_statement)
{
    io_statement.SetPrepared(true);
}

void StatementStatePrepared::DoSQLDescribeParam(SQLUSMALLINT in_parameter,
                                                SQLSMALLINT* out_dataType,
                                                SQLULEN* out_parameterSize,
                                                SQLSMALLINT* out_decimalDigits,
                                                SQLSMALLINT* out_nullable)
{
    ImplParamDescriptor& ipd = m_statement.GetIPD();
    CriticalSectionLock lock(ipd.GetLock());
    const auto parameter = static_cast<int16_t>(in_parameter);
    // A number that names no parameter is the application's mistake, not a fault of the driver.
    if (!ipd.HasRecord(parameter))
    {
        throw ErrorException(DIAG_INVALID_DESCRIPTOR_INDEX, ODBC_COMPONENT_ID, u"InvalidDescIndex", -1, -1);
    }
    const int64_t type = ipd.ReadField(parameter, SQL_DESC_CONCISE_TYPE).m_integer;
    if (out_dataType != nullptr)
    {
        *out_dataType = static_cast<SQLSMALLINT>(type);
    }
    if (out_nullable != nullptr)
    {
        *out_nullable = static_cast<SQLSMALLINT>(ipd.ReadField(parameter, SQL_DESC_NULLABLE).m_integer);
    }
    if (out_parameterSize != nullptr)
    {
        *out_parameterSize = ReadSize(ipd, parameter, type);
    }
    if (out_decimalDigits != nullptr)
    {
        int64_t digits = 0;
        if (type == SQL_NUMERIC || type == SQL_DECIMAL)
        {
            digits = ipd.ReadField(parameter, SQL_DESC_SCALE).m_integer;
        }
        else if (StatementBinder::HasFractionalSeconds(static_cast<int16_t>(type)))
        {
            digits = ipd.ReadField(parameter, SQL_DESC_PRECISION).m_integer;
        }
        *out_decimalDigits = static_cast<SQLSMALLINT>(digits);
    }
}

StatementStateResult StatementStatePrepared::DoEndTransaction(SQLSMALLINT in_completionType, bool)
{
    if (GetCursorBehavior(in_completionType) == SQL_CB_DELETE)
    {
        return {std::make_unique<StatementState1>(m_statement), SQL_SUCCESS};
    }
    return {nullptr, SQL_SUCCESS};
}

StatementStateResult StatementStatePrepared::DoExecuteCatalogFunction(int32_t in_functionId,
                                                                      const std::vector<Support::Variant>& in_arguments)
{
    try
    {
        RunCatalogFunction(in_functionId, in_arguments);
        return {std::make_unique<StatementState5>(m_statement), SQL_SUCCESS};
    }
    catch (...)
    {
        PostFailure(LOG_CLASS, "ExecuteCatalogFunction");
        return {std::make_unique<StatementState1>(m_statement), SQL_ERROR};
    }
}

StatementStateResult StatementStatePrepared::DoSQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    SQLRETURN result = SQL_ERROR;
    try
    {
        result = PrepareAndExecute(in_statementText, in_textLength);
    }
    catch (...)
    {
        PostFailure(LOG_CLASS, "SQLExecDirectW");
        return {std::make_unique<StatementState1>(m_statement), SQL_ERROR};
    }
    return {NextStateAfterDirectExecution(result), result};
}

void StatementStatePrepared::DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                                               SQLPOINTER out_value,
                                               SQLINTEGER in_bufferLength,
                                               SQLINTEGER* out_stringLength)
{
    RefuseRowNumber(in_attribute);
    StatementState::DoSQLGetStmtAttrW(in_attribute, out_value, in_bufferLength, out_stringLength);
}

StatementStateResult StatementStatePrepared::DoSQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    try
    {
        return StatementState::DoSQLPrepareW(in_statementText, in_textLength);
    }
    catch (const ErrorException& e)
    {
        if (e.GetDiagState() == DIAG_INVALID_NULL_POINTER || e.GetDiagState() == DIAG_INVALID_STRING_OR_BUFFER_LENGTH)
        {
            throw;
        }
        PostFailure(LOG_CLASS, "SQLPrepareW");
        return {std::make_unique<StatementState1>(m_statement), SQL_ERROR};
    }
}

void StatementStatePrepared::DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    if (IsCursorShapingAttribute(in_attribute))
    {
        throw ErrorException(DIAG_ATTRIBUTE_CANNOT_BE_SET_NOW, ODBC_COMPONENT_ID, u"AttrCantBeSetNow", -1, -1);
    }
    StatementState::DoSQLSetStmtAttrW(in_attribute, in_value, in_stringLength);
}

} // namespace ODBC
} // namespace Orvik
