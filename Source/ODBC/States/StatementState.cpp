#include "ODBC/States/StatementState.h"

#include "DSI/Client/IColumns.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSIConnection.h"
#include "DSI/DSIDataEngine.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSILog.h"
#include "DSI/DSIStatement.h"
#include "DSI/IQueryExecutor.h"
#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Attributes/StatementAttributes.h"
#include "ODBC/Catalog/CatalogArgs.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplRowDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Diagnostics/FailurePoster.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/KeyMaps/CatalogFunctionNames.h"
#include "ODBC/Parameters/ExecutionContext.h"
#include "ODBC/Queries/CatalogQueryManager.h"
#include "ODBC/Queries/SqlQueryManager.h"
#include "ODBC/States/StatementBinder.h"
#include "ODBC/States/StatementState1.h"
#include "ODBC/States/StatementState2.h"
#include "ODBC/States/StatementState3.h"
#include "ODBC/States/StatementState4.h"
#include "ODBC/States/StatementState5.h"
#include "ODBC/States/StatementState8.h"
#include "ODBC/Strings/WStringHelper.h"
#include "ODBC/Strings/WideArgument.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

#include <string>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

ErrorException Error(DiagState in_state, const char16_t* in_key)
{
    return ErrorException(in_state, ODBC_COMPONENT_ID, in_key, -1, -1);
}

int64_t ReadInteger(Descriptor& io_descriptor, int16_t in_recNumber, int16_t in_field)
{
    return io_descriptor.ReadField(in_recNumber, in_field).m_integer;
}

bool IsApproximateNumeric(int64_t in_type)
{
    return in_type == SQL_FLOAT || in_type == SQL_REAL || in_type == SQL_DOUBLE;
}

bool IsTimeOrTimestamp(int64_t in_type)
{
    return in_type == SQL_TYPE_TIME || in_type == SQL_TYPE_TIMESTAMP || in_type == SQL_TIME || in_type == SQL_TIMESTAMP;
}

/// The text of an information value, empty when it has none.
orvik_wstring InfoText(Connection& io_connection, int32_t in_infoType)
{
    const AttributeData* value = io_connection.GetInfoProperty(in_infoType);
    return value != nullptr && value->GetAttributeType() == ATTR_WSTRING ? *value->GetWStringValue() : orvik_wstring(u"");
}

bool IsEmptyText(const Variant& in_argument)
{
    return !in_argument.IsNull() && in_argument.GetWString().GetLength() == 0;
}

bool IsText(const Variant& in_argument, const char16_t* in_text)
{
    return !in_argument.IsNull() && in_argument.GetWString() == orvik_wstring(in_text);
}

} // namespace

StatementState::StatementState(Statement& io_statement) : m_statement(io_statement) {}

StatementState::ParameterLocks::ParameterLocks(Statement& io_statement)
    : m_apdLock(io_statement.GetCurrentAPD().GetLock()), m_ipdLock(io_statement.GetIPD().GetLock())
{
}

StatementState::~StatementState() = default;

StatementCell StatementState::Enter(StatementOperation in_operation) const
{
    if (m_statement.IsTracing())
    {
        m_statement.LogEntrance(GetClassName(), StatementStateMatrix::GetName(in_operation));
    }
    const StatementCell cell = StatementStateMatrix::GetCell(in_operation, GetStateNumber());
    StatementStateMatrix::ThrowIfError(cell);
    return cell;
}

// The operations: the matrix first, then the state's body.

void StatementState::SQLBindCol(SQLUSMALLINT in_column,
                                SQLSMALLINT in_targetType,
                                SQLPOINTER in_target,
                                SQLLEN in_bufferLength,
                                SQLLEN* in_lengthOrIndicator)
{
    Enter(StatementOperation::SQLBindCol);
    DoSQLBindCol(in_column, in_targetType, in_target, in_bufferLength, in_lengthOrIndicator);
}

void StatementState::SQLBindParameter(SQLUSMALLINT in_parameter,
                                      SQLSMALLINT in_inputOutputType,
                                      SQLSMALLINT in_valueType,
                                      SQLSMALLINT in_parameterType,
                                      SQLULEN in_columnSize,
                                      SQLSMALLINT in_decimalDigits,
                                      SQLPOINTER in_value,
                                      SQLLEN in_bufferLength,
                                      SQLLEN* in_lengthOrIndicator)
{
    Enter(StatementOperation::SQLBindParameter);
    DoSQLBindParameter(in_parameter, in_inputOutputType, in_valueType, in_parameterType, in_columnSize,
                       in_decimalDigits, in_value, in_bufferLength, in_lengthOrIndicator);
}

std::unique_ptr<StatementState> StatementState::SQLCancel()
{
    Enter(StatementOperation::SQLCancel);
    return DoSQLCancel();
}

std::unique_ptr<StatementState> StatementState::SQLCloseCursor()
{
    Enter(StatementOperation::SQLCloseCursor);
    return DoSQLCloseCursor();
}

void StatementState::SQLColAttributeW(SQLUSMALLINT in_column,
                                      SQLUSMALLINT in_field,
                                      SQLPOINTER out_characterAttribute,
                                      SQLSMALLINT in_bufferLength,
                                      SQLSMALLINT* out_stringLength,
                                      SQLLEN* out_numericAttribute)
{
    Enter(StatementOperation::SQLColAttributeW);
    DoSQLColAttributeW(in_column, in_field, out_characterAttribute, in_bufferLength, out_stringLength,
                       out_numericAttribute);
}

void StatementState::SQLDescribeColW(SQLUSMALLINT in_column,
                                     SQLWCHAR* out_name,
                                     SQLSMALLINT in_bufferLength,
                                     SQLSMALLINT* out_nameLength,
                                     SQLSMALLINT* out_dataType,
                                     SQLULEN* out_columnSize,
                                     SQLSMALLINT* out_decimalDigits,
                                     SQLSMALLINT* out_nullable)
{
    Enter(StatementOperation::SQLDescribeColW);
    DoSQLDescribeColW(in_column, out_name, in_bufferLength, out_nameLength, out_dataType, out_columnSize,
                      out_decimalDigits, out_nullable);
}

void StatementState::SQLDescribeParam(SQLUSMALLINT in_parameter,
                                      SQLSMALLINT* out_dataType,
                                      SQLULEN* out_parameterSize,
                                      SQLSMALLINT* out_decimalDigits,
                                      SQLSMALLINT* out_nullable)
{
    Enter(StatementOperation::SQLDescribeParam);
    DoSQLDescribeParam(in_parameter, out_dataType, out_parameterSize, out_decimalDigits, out_nullable);
}

StatementStateResult StatementState::EndTransaction(SQLSMALLINT in_completionType, bool in_flag)
{
    Enter(StatementOperation::EndTransaction);
    return DoEndTransaction(in_completionType, in_flag);
}

StatementStateResult StatementState::SQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    Enter(StatementOperation::SQLExecDirectW);
    return DoSQLExecDirectW(in_statementText, in_textLength);
}

StatementStateResult StatementState::SQLExecute()
{
    Enter(StatementOperation::SQLExecute);
    return DoSQLExecute();
}

StatementStateResult StatementState::SQLExtendedFetch(SQLUSMALLINT in_orientation,
                                                      SQLLEN in_offset,
                                                      SQLULEN* out_rowCount,
                                                      SQLUSMALLINT* out_rowStatus)
{
    Enter(StatementOperation::SQLExtendedFetch);
    return DoSQLExtendedFetch(in_orientation, in_offset, out_rowCount, out_rowStatus);
}

StatementStateResult StatementState::SQLFetch()
{
    Enter(StatementOperation::SQLFetch);
    return DoSQLFetch();
}

StatementStateResult StatementState::SQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset)
{
    Enter(StatementOperation::SQLFetchScroll);
    return DoSQLFetchScroll(in_orientation, in_offset);
}

std::unique_ptr<StatementState> StatementState::SQLFreeStmt(SQLUSMALLINT in_option)
{
    Enter(StatementOperation::SQLFreeStmt);
    return DoSQLFreeStmt(in_option);
}

void StatementState::SQLGetCursorNameW(SQLWCHAR* out_name, SQLSMALLINT in_bufferLength, SQLSMALLINT* out_nameLength)
{
    Enter(StatementOperation::SQLGetCursorNameW);
    DoSQLGetCursorNameW(out_name, in_bufferLength, out_nameLength);
}

StatementStateResult StatementState::SQLGetData(SQLUSMALLINT in_column,
                                                SQLSMALLINT in_targetType,
                                                SQLPOINTER out_target,
                                                SQLLEN in_bufferLength,
                                                SQLLEN* out_lengthOrIndicator)
{
    Enter(StatementOperation::SQLGetData);
    return DoSQLGetData(in_column, in_targetType, out_target, in_bufferLength, out_lengthOrIndicator);
}

void StatementState::SQLGetStmtAttrW(SQLINTEGER in_attribute,
                                     SQLPOINTER out_value,
                                     SQLINTEGER in_bufferLength,
                                     SQLINTEGER* out_stringLength)
{
    Enter(StatementOperation::SQLGetStmtAttrW);
    DoSQLGetStmtAttrW(in_attribute, out_value, in_bufferLength, out_stringLength);
}

StatementStateResult StatementState::SQLMoreResults()
{
    if (Enter(StatementOperation::SQLMoreResults) == StatementCell::NODATA)
    {
        return {nullptr, SQL_NO_DATA};
    }
    return DoSQLMoreResults();
}

void StatementState::SQLNumParams(SQLSMALLINT* out_count)
{
    Enter(StatementOperation::SQLNumParams);
    DoSQLNumParams(out_count);
}

void StatementState::SQLNumResultCols(SQLSMALLINT* out_count)
{
    Enter(StatementOperation::SQLNumResultCols);
    DoSQLNumResultCols(out_count);
}

StatementStateResult StatementState::SQLParamData(SQLPOINTER* out_value)
{
    Enter(StatementOperation::SQLParamData);
    return DoSQLParamData(out_value);
}

StatementStateResult StatementState::SQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    Enter(StatementOperation::SQLPrepareW);
    return DoSQLPrepareW(in_statementText, in_textLength);
}

StatementStateResult StatementState::SQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator)
{
    Enter(StatementOperation::SQLPutData);
    return DoSQLPutData(in_data, in_lengthOrIndicator);
}

void StatementState::SQLRowCount(SQLLEN* out_count)
{
    Enter(StatementOperation::SQLRowCount);
    DoSQLRowCount(out_count);
}

orvik_wstring StatementState::SQLSetCursorNameW(SQLWCHAR* in_name, SQLSMALLINT in_nameLength)
{
    Enter(StatementOperation::SQLSetCursorNameW);
    return DoSQLSetCursorNameW(in_name, in_nameLength);
}

StatementStateResult StatementState::SQLSetPos(SQLSETPOSIROW in_row, SQLUSMALLINT in_operation, SQLUSMALLINT in_lockType)
{
    Enter(StatementOperation::SQLSetPos);
    return DoSQLSetPos(in_row, in_operation, in_lockType);
}

void StatementState::SQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    Enter(StatementOperation::SQLSetStmtAttrW);
    DoSQLSetStmtAttrW(in_attribute, in_value, in_stringLength);
}

bool StatementState::HasOpenCursor() const
{
    return StatementStateMatrix::GetCell(StatementOperation::HasOpenCursor, GetStateNumber()) == StatementCell::YES;
}

StatementStateResult StatementState::ExecuteCatalogFunction(int32_t in_functionId, const std::vector<Variant>& in_arguments)
{
    Enter(StatementOperation::ExecuteCatalogFunction);
    return DoExecuteCatalogFunction(in_functionId, in_arguments);
}

// The default bodies.

void StatementState::DoSQLBindCol(SQLUSMALLINT in_column,
                                  SQLSMALLINT in_targetType,
                                  SQLPOINTER in_target,
                                  SQLLEN in_bufferLength,
                                  SQLLEN* in_lengthOrIndicator)
{
    StatementBinder::BindColumn(m_statement, in_column, in_targetType, in_target, in_bufferLength, in_lengthOrIndicator);
}

void StatementState::DoSQLBindParameter(SQLUSMALLINT in_parameter,
                                        SQLSMALLINT in_inputOutputType,
                                        SQLSMALLINT in_valueType,
                                        SQLSMALLINT in_parameterType,
                                        SQLULEN in_columnSize,
                                        SQLSMALLINT in_decimalDigits,
                                        SQLPOINTER in_value,
                                        SQLLEN in_bufferLength,
                                        SQLLEN* in_lengthOrIndicator)
{
    StatementBinder::BindParameter(m_statement, in_parameter, in_inputOutputType, in_valueType, in_parameterType,
                                   in_columnSize, in_decimalDigits, in_value, in_bufferLength, in_lengthOrIndicator);
}

bool StatementState::IsCToSqlConversionSupported(int16_t in_cType, int16_t in_sqlType)
{
    if (in_cType == SQL_C_DEFAULT)
    {
        return true;
    }
    if (in_sqlType == SQL_C_DEFAULT)
    {
        throw SupportException(SupportError(SupportErrorCode::InvalidParamSqlDataType));
    }
    if (in_sqlType < -28 || in_sqlType > 539)
    {
        return true;
    }
    const TDWType sqlTypeId = TypeConversionInfo::GetTDWTypeForSqlType(in_sqlType);
    if (sqlTypeId == TDW_SQL_NOTYPE)
    {
        throw SupportException(SupportError(SupportErrorCode::TDWTypeNotFoundForSqlType),
                               {SqlTypeUtilities::Current().GetSqlTypeName(in_sqlType),
                                orvik_wstring(std::to_string(in_sqlType))});
    }
    const SqlConverterFactory& factory = TypedDataSingleton<SqlConverterFactory>::GetOrDefault();
    if (in_cType >= SqlCTypeUtilities::FIRST_CUSTOM_C_TYPE)
    {
        return factory.CanConvertCustomType(in_cType);
    }
    const TDWType cTypeId = TypeConversionInfo::GetTDWTypeForCType(in_cType);
    if (cTypeId == TDW_SQL_NOTYPE)
    {
        throw SupportException(SupportError(SupportErrorCode::TDWTypeNotFoundForCType),
                               {SqlCTypeUtilities::Current().GetCTypeName(in_cType),
                                orvik_wstring(std::to_string(in_cType))});
    }
    if (cTypeId == TDW_C_CUSTOM)
    {
        return factory.CanConvertCustomType(in_cType);
    }
    return factory.CanConvert(cTypeId, sqlTypeId);
}

std::unique_ptr<StatementState> StatementState::DoSQLCancel()
{
    if (m_statement.IsInCancelableCall())
    {
        m_statement.GetDSIStatement().Cancel();
        if (QueryManager* manager = m_statement.GetQueryManager())
        {
            manager->Cancel();
        }
    }
    return nullptr;
}

std::unique_ptr<StatementState> StatementState::DoSQLCloseCursor()
{
    throw Error(DIAG_INVALID_CURSOR_STATE, u"InvalidCursorState");
}

void StatementState::DoSQLColAttributeW(SQLUSMALLINT, SQLUSMALLINT, SQLPOINTER, SQLSMALLINT, SQLSMALLINT*, SQLLEN*)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

void StatementState::DoSQLDescribeColW(SQLUSMALLINT in_column,
                                       SQLWCHAR* out_name,
                                       SQLSMALLINT in_bufferLength,
                                       SQLSMALLINT* out_nameLength,
                                       SQLSMALLINT* out_dataType,
                                       SQLULEN* out_columnSize,
                                       SQLSMALLINT* out_decimalDigits,
                                       SQLSMALLINT* out_nullable)
{
    ImplRowDescriptor& ird = m_statement.GetIRD();
    CriticalSectionLock lock(ird.GetLock());
    const auto column = static_cast<int16_t>(in_column);
    if (!ird.HasRecord(column))
    {
        throw Error(DIAG_INVALID_DESCRIPTOR_INDEX, u"InvalidDescIndex");
    }
    if (out_name != nullptr || out_nameLength != nullptr)
    {
        WStringHelper::CopyToBufferLen16(ird.ReadField(column, SQL_DESC_NAME).m_text, true, out_name, in_bufferLength,
                                         out_nameLength, &m_statement.GetDiagManager(), nullptr);
    }
    const int64_t type = ReadInteger(ird, column, SQL_DESC_CONCISE_TYPE);
    if (out_dataType != nullptr)
    {
        *out_dataType = static_cast<SQLSMALLINT>(type);
    }
    if (out_columnSize != nullptr)
    {
        *out_columnSize = ReadSize(ird, column, type);
    }
    if (out_decimalDigits != nullptr)
    {
        *out_decimalDigits = static_cast<SQLSMALLINT>(
            ReadInteger(ird, column, IsTimeOrTimestamp(type) ? SQL_DESC_PRECISION : SQL_DESC_SCALE));
    }
    if (out_nullable != nullptr)
    {
        *out_nullable = static_cast<SQLSMALLINT>(ReadInteger(ird, column, SQL_DESC_NULLABLE));
    }
}

void StatementState::DoSQLDescribeParam(SQLUSMALLINT, SQLSMALLINT*, SQLULEN*, SQLSMALLINT*, SQLSMALLINT*)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

StatementStateResult StatementState::DoEndTransaction(SQLSMALLINT, bool)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

StatementStateResult StatementState::DoSQLExecDirectW(SQLWCHAR*, SQLINTEGER)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

StatementStateResult StatementState::DoSQLExecute()
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

StatementStateResult StatementState::DoSQLExtendedFetch(SQLUSMALLINT, SQLLEN, SQLULEN*, SQLUSMALLINT*)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

StatementStateResult StatementState::DoSQLFetch()
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

StatementStateResult StatementState::DoSQLFetchScroll(SQLSMALLINT, SQLLEN)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

std::unique_ptr<StatementState> StatementState::DoSQLFreeStmt(SQLUSMALLINT in_option)
{
    switch (in_option)
    {
    case SQL_CLOSE:
    case SQL_DROP:
        return nullptr;
    case SQL_UNBIND:
    {
        AppDescriptorBase& ard = m_statement.GetCurrentARD();
        CriticalSectionLock lock(ard.GetLock());
        ard.SetHeaderField(SQL_DESC_COUNT, DescriptorFieldValue::Integer(0));
        ard.SetBindingsChanged(true);
        return nullptr;
    }
    case SQL_RESET_PARAMS:
    {
        AppDescriptorBase& apd = m_statement.GetCurrentAPD();
        CriticalSectionLock lock(apd.GetLock());
        apd.SetHeaderField(SQL_DESC_COUNT, DescriptorFieldValue::Integer(0));
        return nullptr;
    }
    default:
        throw Error(DIAG_INVALID_ATTRIBUTE_IDENTIFIER, u"InvalidFreeStmtOptionIdent");
    }
}

void StatementState::DoSQLGetCursorNameW(SQLWCHAR* out_name, SQLSMALLINT in_bufferLength, SQLSMALLINT* out_nameLength)
{
    WStringHelper::CopyToBufferLen16(m_statement.GetCursorName(), true, out_name, in_bufferLength, out_nameLength,
                                     &m_statement.GetDiagManager(), nullptr);
}

StatementStateResult StatementState::DoSQLGetData(SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

void StatementState::DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                                       SQLPOINTER out_value,
                                       SQLINTEGER in_bufferLength,
                                       SQLINTEGER* out_stringLength)
{
    m_statement.GetAttributes().GetAttributeToBuffer(in_attribute, out_value, in_bufferLength, out_stringLength);
}

StatementStateResult StatementState::DoSQLMoreResults()
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

void StatementState::DoSQLNumParams(SQLSMALLINT* out_count)
{
    if (out_count != nullptr)
    {
        QueryManager* manager = m_statement.GetQueryManager();
        *out_count = static_cast<SQLSMALLINT>(manager != nullptr ? manager->GetNumParams() : 0);
    }
}

void StatementState::DoSQLNumResultCols(SQLSMALLINT* out_count)
{
    if (out_count == nullptr)
    {
        return;
    }
    try
    {
        *out_count = static_cast<SQLSMALLINT>(m_statement.GetIRD().GetHeaderFieldChecked(SQL_DESC_COUNT).m_integer);
    }
    catch (const NoDataException&)
    {
        *out_count = 0;
    }
}

StatementStateResult StatementState::DoSQLParamData(SQLPOINTER*)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

StatementStateResult StatementState::DoSQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    if (!m_statement.GetConnection().BeginTransaction(&m_statement))
    {
        return {nullptr, SQL_ERROR};
    }
    // The new text is prepared before the old query manager goes, so that a failure leaves the
    // statement with the one it had.
    std::unique_ptr<SqlQueryManager> manager = InternalPrepare(in_statementText, in_textLength, false);
    const bool hasResultSet = manager->GetCurrentResult() != nullptr &&
                              manager->GetCurrentResult()->GetResultType() == DSI::DSI_RESULT_SET;
    m_statement.SetQueryManager(std::move(manager));
    m_statement.SetPrepared(true);
    if (hasResultSet)
    {
        return {std::make_unique<StatementState3>(m_statement), SQL_SUCCESS};
    }
    return {std::make_unique<StatementState2>(m_statement), SQL_SUCCESS};
}

StatementStateResult StatementState::DoSQLPutData(SQLPOINTER, SQLLEN)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

void StatementState::DoSQLRowCount(SQLLEN* out_count)
{
    if (out_count == nullptr)
    {
        return;
    }
    if (m_statement.GetQueryManager() == nullptr)
    {
        throw ODBCInternalException(u"InvalidQueryMgr");
    }
    DSI::IResult* result = GetCurrentResult();
    if (result == nullptr)
    {
        throw ODBCInternalException(u"InvalidExecResults");
    }
    *out_count = result->HasRowCount() ? static_cast<SQLLEN>(result->GetRowCount()) : -1;
}

orvik_wstring StatementState::DoSQLSetCursorNameW(SQLWCHAR* in_name, SQLSMALLINT in_nameLength)
{
    return WideArgument::Read(in_name, in_nameLength);
}

StatementStateResult StatementState::DoSQLSetPos(SQLSETPOSIROW, SQLUSMALLINT, SQLUSMALLINT)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

void StatementState::DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    m_statement.GetAttributes().SetAttribute(in_attribute, reinterpret_cast<intptr_t>(in_value), in_stringLength);
}

StatementStateResult StatementState::DoExecuteCatalogFunction(int32_t, const std::vector<Variant>&)
{
    throw Error(DIAG_FUNCTION_SEQUENCE_ERROR, u"FuncSeqErr");
}

// Column attributes.

void StatementState::ColumnCount(SQLUSMALLINT in_field, SQLSMALLINT* out_stringLength, SQLLEN* out_numericAttribute)
{
    if (in_field != SQL_DESC_COUNT)
    {
        throw Error(DIAG_PREPARED_STATEMENT_NOT_CURSOR, u"PreparedStmtNotCursorSpec");
    }
    ImplRowDescriptor& ird = m_statement.GetIRD();
    CriticalSectionLock lock(ird.GetLock());
    if (out_numericAttribute != nullptr)
    {
        try
        {
            *out_numericAttribute = static_cast<SQLLEN>(ird.GetHeaderFieldChecked(SQL_DESC_COUNT).m_integer);
        }
        catch (const NoDataException&)
        {
            *out_numericAttribute = 0;
        }
    }
    if (out_stringLength != nullptr)
    {
        *out_stringLength = sizeof(SQLLEN);
    }
}

void StatementState::GetColAttributeField(SQLUSMALLINT in_column,
                                          SQLUSMALLINT in_field,
                                          SQLPOINTER out_characterAttribute,
                                          SQLSMALLINT in_bufferLength,
                                          SQLSMALLINT* out_stringLength,
                                          SQLLEN* out_numericAttribute)
{
    ImplRowDescriptor& ird = m_statement.GetIRD();
    CriticalSectionLock lock(ird.GetLock());
    if (in_field == SQL_DESC_ARRAY_STATUS_PTR || in_field == SQL_DESC_DATETIME_INTERVAL_PRECISION ||
        in_field == SQL_DESC_ROWS_PROCESSED_PTR || in_field == SQL_DESC_DATETIME_INTERVAL_CODE ||
        in_field == SQL_DESC_ALLOC_TYPE)
    {
        throw Error(DIAG_INVALID_DESCRIPTOR_FIELD, u"InvalidColAttrFieldIdent");
    }
    const auto column = static_cast<int16_t>(in_column);
    auto field = static_cast<int16_t>(in_field);
    try
    {
        if (out_numericAttribute != nullptr && (field == SQL_DESC_LENGTH || field == SQL_DESC_OCTET_LENGTH))
        {
            const int64_t type = ReadInteger(ird, column, SQL_DESC_CONCISE_TYPE);
            if (field == SQL_DESC_LENGTH && IsApproximateNumeric(type))
            {
                field = SQL_DESC_PRECISION;
            }
            else if (field == SQL_DESC_OCTET_LENGTH && (type == SQL_NUMERIC || type == SQL_DECIMAL))
            {
                field = SQL_DESC_DISPLAY_SIZE;
            }
        }
        const DescriptorValueType type = Descriptor::GetFieldValueType(field);
        if (type == DescriptorValueType::POINTER)
        {
            throw Error(DIAG_INVALID_DESCRIPTOR_FIELD, u"InvalidDescFieldIdent");
        }
        const DescriptorFieldValue value = ird.ReadField(column, field);
        if (type == DescriptorValueType::STRING)
        {
            WStringHelper::CopyToBufferLen16(value.m_text, false, out_characterAttribute, in_bufferLength,
                                             out_stringLength, &m_statement.GetDiagManager(), nullptr);
            return;
        }
        if (out_numericAttribute != nullptr)
        {
            *out_numericAttribute = static_cast<SQLLEN>(value.m_integer);
        }
        if (out_stringLength != nullptr)
        {
            *out_stringLength = sizeof(SQLLEN);
        }
    }
    catch (const NoDataException&)
    {
        throw Error(DIAG_INVALID_DESCRIPTOR_INDEX, u"InvalidDescIndex");
    }
}

// Preparing and executing.

std::unique_ptr<SqlQueryManager> StatementState::InternalPrepare(SQLWCHAR* in_statementText,
                                                                 SQLINTEGER in_textLength,
                                                                 bool in_isDirect)
{
    // No text at all is the application's mistake; it must never reach the server as an empty
    // statement.
    if (in_statementText == nullptr)
    {
        throw Error(DIAG_INVALID_NULL_POINTER, u"InvalidNullPtr");
    }
    orvik_wstring text = WideArgument::Read(in_statementText, in_textLength);
    DSI::DSILog* log = m_statement.GetLog();
    if (log != nullptr && log->GetLogLevel() >= DSI::LOG_INFO)
    {
        log->LogInfo("Orvik::ODBC", GetClassName(), "InternalPrepare", "Preparing query: %s", text.GetAsUTF8().c_str());
    }
    DSI::DSIConnection& connection = *m_statement.GetDSIStatement().GetParentConnection();
    if (connection.GetParentEnvironment()->GetParentDriver()->GetProperty(DSI::DRIVER_PROP_NATIVE_SQL_FIRST)->GetInt32Value() ==
        1)
    {
        orvik_wstring native;
        connection.ToNativeSQL(text, native);
        text = native;
    }
    // The statement asked for a new data engine before it called the state.
    DSI::DSIDataEngine* engine = m_statement.GetDataEngine();
    if (in_isDirect)
    {
        engine->SetDirectExecute();
    }
    auto manager = std::make_unique<SqlQueryManager>(engine->Prepare(text), m_statement);
    if (!in_isDirect)
    {
        if (m_statement.GetAttributes().GetValue(SQL_ATTR_ENABLE_AUTO_IPD) == SQL_TRUE)
        {
            ImplParamDescriptor& ipd = m_statement.GetIPD();
            CriticalSectionLock lock(ipd.GetLock());
            ipd.ResetRecords();
            ipd.PopulateFromDataEngine(manager->GetExecutor());
        }
        DSI::IResult* result = manager->GetCurrentResult();
        m_statement.GetIRD().SetColumns(result != nullptr ? result->GetSelectColumns() : nullptr);
    }
    return manager;
}

SQLRETURN StatementState::PrepareAndExecute(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    m_statement.SetPrepared(false);
    m_statement.SetQueryManager(nullptr);
    try
    {
        m_statement.SetQueryManager(InternalPrepare(in_statementText, in_textLength, true));
        return ExecuteQuery(*m_statement.GetQueryManager());
    }
    catch (...)
    {
        m_statement.SetQueryManager(nullptr);
        throw;
    }
}

SQLRETURN StatementState::ExecutePrepared()
{
    return ExecuteQuery(*m_statement.GetQueryManager());
}

SQLRETURN StatementState::ExecuteQuery(QueryManager& io_manager)
{
    AppDescriptorBase& apd = m_statement.GetCurrentAPD();
    ParameterLocks locks(m_statement);
    ExecutionContext& context = io_manager.GetExecutionContext();
    context.Reset();
    context.CheckParameterCounts();
    apd.LoadBindingOffset();
    if (context.NextDataAtExecParameter())
    {
        return SQL_NEED_DATA;
    }
    m_statement.ThrowIfCanceled();
    const SQLRETURN result = context.Execute();
    DescribeCurrentResult();
    return result;
}

std::unique_ptr<StatementState> StatementState::NextStateAfterDirectExecution(SQLRETURN in_result)
{
    try
    {
        if (in_result == SQL_NEED_DATA)
        {
            return std::make_unique<StatementState8>(m_statement, HasResultSet() ? StatementState8::DIRECT_RESULT_SET
                                                                                 : StatementState8::DIRECT_ROW_COUNT);
        }
        return MakeExecutedState();
    }
    catch (...)
    {
        m_statement.SetQueryManager(nullptr);
        throw;
    }
}

StatementStateResult StatementState::MoveToNextResult()
{
    if (!m_statement.GetConnection().BeginTransaction(&m_statement))
    {
        return {nullptr, SQL_ERROR};
    }
    QueryManager* manager = m_statement.GetQueryManager();
    if (manager == nullptr)
    {
        throw ODBCInternalException(u"InvalidQueryMgr");
    }
    if (!manager->MoveToNextResult())
    {
        if (!m_statement.IsPrepared())
        {
            return {std::make_unique<StatementState1>(m_statement), SQL_NO_DATA};
        }
        if (HasOpenCursor())
        {
            return {std::make_unique<StatementState3>(m_statement), SQL_NO_DATA};
        }
        return {std::make_unique<StatementState2>(m_statement), SQL_NO_DATA};
    }
    DSI::IResult* result = manager->GetCurrentResult();
    if (result == nullptr)
    {
        throw ODBCInternalException(u"InvalidStmtResultType");
    }
    m_statement.GetIRD().SetColumns(result->GetSelectColumns());
    switch (result->GetResultType())
    {
    case DSI::DSI_ROW_COUNT:
        return {GetStateNumber() == 4 ? nullptr : std::make_unique<StatementState4>(m_statement), SQL_SUCCESS};
    case DSI::DSI_RESULT_SET:
        return {std::make_unique<StatementState5>(m_statement), SQL_SUCCESS};
    default:
        throw ODBCInternalException(u"InvalidStmtResultType");
    }
}

void StatementState::RunCatalogFunction(int32_t in_functionId, const std::vector<Variant>& in_arguments)
{
    StatementAttributes& attributes = m_statement.GetAttributes();
    const bool isMetadataId = attributes.GetValue(SQL_ATTR_METADATA_ID) == SQL_TRUE;
    Connection& connection = m_statement.GetConnection();
    CatalogArgs checks(connection, attributes.GetValue(SQL_ATTR_USE_BOOKMARKS), attributes.GetValue(SQL_ATTR_CURSOR_TYPE));
    checks.CheckArguments(in_functionId, in_arguments, isMetadataId);
    checks.CheckFunctionId(in_functionId, in_arguments);
    const int32_t tableId =
        CatalogFunctionNames::GetMetadataTableID(GetEffectiveCatalogFunctionId(in_functionId, in_arguments, isMetadataId));
    std::vector<Variant> arguments = in_arguments;
    if (tableId == CatalogFunctionNames::SQL_TABLES_SCHEMAS && !arguments.empty())
    {
        const orvik_wstring catalog = CatalogArgs::SubstituteCurrentCatalog(connection, false);
        arguments[0] = catalog.IsNull() ? Variant() : Variant(catalog);
    }
    m_statement.SetQueryManager(nullptr);
    std::unique_ptr<DSI::IResult> result = m_statement.GetDataEngine()->MakeNewMetadataResult(static_cast<uint32_t>(tableId), arguments, InfoText(connection, SQL_SEARCH_PATTERN_ESCAPE),
                                      InfoText(connection, SQL_IDENTIFIER_QUOTE_CHAR), isMetadataId);
    const DSI::IColumns* columns = result->GetSelectColumns();
    m_statement.SetQueryManager(std::make_unique<CatalogQueryManager>(std::move(result), m_statement));
    m_statement.GetIRD().SetColumns(columns);
    m_statement.SetPrepared(false);
}

int32_t StatementState::GetEffectiveCatalogFunctionId(int32_t in_functionId,
                                                      const std::vector<Variant>& in_arguments,
                                                      bool in_isMetadataId)
{
    if (in_functionId != CatalogFunctionNames::SQL_TABLES || in_isMetadataId || in_arguments.size() < 4)
    {
        return in_functionId;
    }
    const Variant& catalog = in_arguments[0];
    const Variant& schema = in_arguments[1];
    const Variant& table = in_arguments[2];
    const Variant& tableType = in_arguments[3];
    if (IsText(catalog, u"%") && IsEmptyText(schema) && IsEmptyText(table))
    {
        return CatalogFunctionNames::SQL_TABLES_CATALOGS;
    }
    if (IsEmptyText(catalog) && IsEmptyText(table) && IsText(schema, u"%"))
    {
        return CatalogFunctionNames::SQL_TABLES_SCHEMAS;
    }
    if (IsEmptyText(catalog) && IsEmptyText(schema) && IsEmptyText(table) && IsText(tableType, u"%"))
    {
        return CatalogFunctionNames::SQL_TABLES_TABLE_TYPES;
    }
    return in_functionId;
}

// Helpers.

std::unique_ptr<StatementState> StatementState::MakeExecutedState()
{
    if (HasResultSet())
    {
        return std::make_unique<StatementState5>(m_statement);
    }
    return std::make_unique<StatementState4>(m_statement);
}

DSI::IResult* StatementState::GetCurrentResult()
{
    QueryManager* manager = m_statement.GetQueryManager();
    return manager != nullptr ? manager->GetCurrentResult() : nullptr;
}

bool StatementState::HasResultSet()
{
    DSI::IResult* result = GetCurrentResult();
    return result != nullptr && result->GetResultType() == DSI::DSI_RESULT_SET;
}

void StatementState::DescribeCurrentResult()
{
    DSI::IResult* result = GetCurrentResult();
    m_statement.GetIRD().SetColumns(result != nullptr ? result->GetSelectColumns() : nullptr);
}

SQLULEN StatementState::ReadSize(Descriptor& io_descriptor, int16_t in_recNumber, int64_t in_type)
{
    DSI::DSIDriver* driver =
        m_statement.GetDSIStatement().GetParentConnection()->GetParentEnvironment()->GetParentDriver();
    if (IsApproximateNumeric(in_type) &&
        driver->GetProperty(DSI::DRIVER_PROP_APPROXIMATE_SIZE_IS_PRECISION)->GetUInt32Value() == 1)
    {
        // The precision is a 16-bit field, widened with its sign.
        return static_cast<SQLULEN>(static_cast<int16_t>(ReadInteger(io_descriptor, in_recNumber, SQL_DESC_PRECISION)));
    }
    return static_cast<SQLULEN>(ReadInteger(io_descriptor, in_recNumber, SQL_DESC_LENGTH));
}

void StatementState::PostFailure(const char* in_class, const char* in_method)
{
    FailurePoster::PostCurrentFailure(m_statement.GetDiagManager(), m_statement.GetLog(), in_class, in_method);
}

uint16_t StatementState::GetCursorBehavior(SQLSMALLINT in_completionType)
{
    if (in_completionType != SQL_COMMIT && in_completionType != SQL_ROLLBACK)
    {
        throw Error(DIAG_GENERAL_ERROR, u"InvalidTransType");
    }
    const AttributeData* behavior = m_statement.GetConnection().GetInfoProperty(
        in_completionType == SQL_COMMIT ? SQL_CURSOR_COMMIT_BEHAVIOR : SQL_CURSOR_ROLLBACK_BEHAVIOR);
    return behavior != nullptr ? behavior->GetUInt16Value() : SQL_CB_PRESERVE;
}

void StatementState::RefuseRowNumber(SQLINTEGER in_attribute)
{
    if (in_attribute == SQL_ATTR_ROW_NUMBER)
    {
        throw Error(DIAG_INVALID_CURSOR_STATE, u"InvalidCursorState");
    }
}

bool StatementState::IsOdbc2Application()
{
    return m_statement.GetConnection().GetEnvironment().GetAttributes().GetAttribute(SQL_ATTR_ODBC_VERSION)->GetInt32Value() ==
           SQL_OV_ODBC2;
}

bool StatementState::IsCursorShapingAttribute(SQLINTEGER in_attribute)
{
    return in_attribute == SQL_ATTR_CURSOR_SENSITIVITY || in_attribute == SQL_ATTR_CURSOR_SCROLLABLE ||
           in_attribute == SQL_ATTR_CURSOR_TYPE || in_attribute == SQL_ATTR_CONCURRENCY ||
           in_attribute == SQL_ATTR_SIMULATE_CURSOR || in_attribute == SQL_ATTR_USE_BOOKMARKS;
}

} // namespace ODBC
} // namespace Orvik
