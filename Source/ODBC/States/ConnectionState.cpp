#include "ODBC/States/ConnectionState.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIConnection.h"
#include "DSI/DSILog.h"
#include "ODBC/Attributes/AttributesBase.h"
#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Descriptors/ExplicitAppDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/HandleClosing.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Info/InfoTypes.h"
#include "ODBC/Settings/ConnectionSettings.h"
#include "ODBC/States/SupportedFunctions.h"
#include "ODBC/Strings/WStringHelper.h"
#include "ODBC/Strings/WideArgument.h"
#include "Support/AttributeData.h"
#include "Support/ErrorException.h"
#include "Support/NumberConverter.h"

#include <sqlext.h>

#include <algorithm>
#include <cstring>
#include <limits>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "ConnectionState";

void RequireOutput(const void* in_pointer)
{
    if (in_pointer == nullptr)
    {
        throw ErrorException(DIAG_INVALID_NULL_POINTER, ODBC_COMPONENT_ID, u"InvalidNullPtr", -1, -1);
    }
}

int32_t GetOdbcVersion(Connection& io_connection)
{
    return io_connection.GetEnvironment().GetAttributes().GetAttribute(SQL_ATTR_ODBC_VERSION)->GetInt32Value();
}

void AllocateDescriptor(Connection& io_connection, SQLHANDLE* out_handle)
{
    Driver& driver = io_connection.GetEnvironment().GetDriver();
    const HandleValue handle = driver.NewAppDescriptorHandle();
    std::unique_ptr<ExplicitAppDescriptor> descriptor;
    try
    {
        descriptor = std::make_unique<ExplicitAppDescriptor>(handle, &io_connection, io_connection.GetMessageSource(),
                                                             io_connection.GetLog());
        descriptor->GetDiagManager().SetLocale(io_connection.GetLocale());
        descriptor->GetDiagManager().SetOdbcVersion(GetOdbcVersion(io_connection));
        driver.RegisterAppDescriptor(handle, descriptor.get());
    }
    catch (...)
    {
        driver.UnregisterAppDescriptor(handle);
        throw;
    }
    *out_handle = reinterpret_cast<SQLHANDLE>(handle);
    io_connection.AddDescriptor(std::move(descriptor));
}

void AllocateStatement(Connection& io_connection, SQLHANDLE* out_handle)
{
    Driver& driver = io_connection.GetEnvironment().GetDriver();
    const HandleValue handle = driver.NewStatementHandle();
    std::unique_ptr<Statement> statement;
    try
    {
        statement = Statement::Make(handle, io_connection);
        driver.RegisterStatement(handle, statement.get());
    }
    catch (...)
    {
        // The value goes back to the generator; no statement is registered under it.
        driver.UnregisterStatement(handle);
        throw;
    }
    *out_handle = reinterpret_cast<SQLHANDLE>(handle);
    io_connection.AddStatement(std::move(statement));
}

void FreeDescriptor(Connection& io_connection, HandleValue in_handle)
{
    Driver& driver = io_connection.GetEnvironment().GetDriver();
    Descriptor* descriptor = driver.GetAppDescriptor(in_handle);
    if (descriptor == nullptr)
    {
        throw ODBCInternalException(u"InvalidAppDesc");
    }
    if (!descriptor->IsExplicit())
    {
        throw ErrorException(DIAG_INVALID_USE_OF_AUTO_DESCRIPTOR, ODBC_COMPONENT_ID, u"FreeImplicitAppDesc", -1, -1);
    }
    // A call on the descriptor on another thread still uses it; once it is closed, none begins.
    HandleClosing closing;
    if (!closing.Close(driver.GetDescriptorSlot(in_handle)))
    {
        throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
    }
    // The handle goes before the descriptor, so that no lookup finds it while it is destroyed.
    std::unique_ptr<ExplicitAppDescriptor> detached = io_connection.RemoveDescriptor(descriptor);
    closing.Keep();
    driver.UnregisterAppDescriptor(in_handle);
}

void FreeStatement(Connection& io_connection, HandleValue in_handle)
{
    Driver& driver = io_connection.GetEnvironment().GetDriver();
    Statement* statement = driver.GetStatement(in_handle);
    if (statement == nullptr)
    {
        throw ODBCInternalException(u"InvalidStmt");
    }
    // A call still runs on the statement or one of its descriptors, asynchronously or on another
    // thread; once they are closed, none begins.
    HandleClosing closing;
    if (!statement->CloseToCalls(closing))
    {
        throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
    }
    // The handle goes before the statement, so that no lookup finds a statement being destroyed.
    std::unique_ptr<Statement> detached = io_connection.RemoveStatement(statement);
    closing.Keep();
    driver.UnregisterStatement(in_handle);
}

bool ReadsAsText(const AttributeData* in_value, const char16_t* in_text)
{
    return in_value != nullptr && in_value->GetAttributeType() == ATTR_WSTRING &&
           *in_value->GetWStringValue() == orvik_wstring(in_text);
}

} // namespace

SQLRETURN ConnectionState::SQLAllocHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE* out_handle)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLAllocHandle");
    if (in_handleType != SQL_HANDLE_STMT && in_handleType != SQL_HANDLE_DESC)
    {
        throw ODBCInternalException(u"AllocNonStmtDescInConn");
    }
    RequireOutput(out_handle);
    if (in_handleType == SQL_HANDLE_STMT)
    {
        AllocateStatement(io_connection, out_handle);
    }
    else
    {
        AllocateDescriptor(io_connection, out_handle);
    }
    return SQL_SUCCESS;
}

SQLRETURN ConnectionState::SQLCancelHandle(Connection& io_connection)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLCancelHandle");
    if (io_connection.IsRunning())
    {
        io_connection.GetDSIConnection().Cancel();
    }
    return SQL_SUCCESS;
}

SQLRETURN ConnectionState::SQLEndTran(Connection& io_connection, SQLSMALLINT, SQLSMALLINT)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLEndTran");
    return SQL_SUCCESS;
}

SQLRETURN ConnectionState::SQLExecute(Connection&, Statement& io_statement)
{
    return io_statement.SQLExecute();
}

SQLRETURN ConnectionState::SQLExecDirectW(Connection&,
                                          Statement& io_statement,
                                          SQLWCHAR* in_statementText,
                                          SQLINTEGER in_textLength)
{
    return io_statement.SQLExecDirectW(in_statementText, in_textLength);
}

void ConnectionState::SQLFreeHandle(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLFreeHandle");
    const HandleValue handle = reinterpret_cast<HandleValue>(in_handle);
    if (in_handleType == SQL_HANDLE_STMT)
    {
        FreeStatement(io_connection, handle);
    }
    else if (in_handleType == SQL_HANDLE_DESC)
    {
        FreeDescriptor(io_connection, handle);
    }
    else
    {
        throw ODBCInternalException(u"FreeNonStmtDescInConn");
    }
}

SQLRETURN ConnectionState::SQLGetFunctions(Connection& io_connection, SQLUSMALLINT in_functionId, SQLUSMALLINT* out_supported)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLGetFunctions");
    RequireOutput(out_supported);
    SupportedFunctions::Fill(in_functionId, GetOdbcVersion(io_connection) == SQL_OV_ODBC2, out_supported);
    return SQL_SUCCESS;
}

void ConnectionState::SQLGetInfoW(Connection& io_connection,
                                  SQLUSMALLINT in_infoType,
                                  SQLPOINTER out_value,
                                  SQLSMALLINT in_bufferLength,
                                  SQLSMALLINT* out_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLGetInfoW");
    const AttributeData* value = io_connection.GetInfoProperty(in_infoType);
    if (value == nullptr)
    {
        throw ErrorException(DIAG_INVALID_INFORMATION_TYPE, ODBC_COMPONENT_ID, u"GetInfoPropNotFound",
                             {NumberConverter::ConvertInt32ToWString(in_infoType)}, -1, -1);
    }
    IDiagManager* diagnostics = &io_connection.GetDiagManager();
    int32_t length = 0;
    if (in_infoType == SQL_CURSOR_SENSITIVITY)
    {
        // ODBC reads this one as SQLUINTEGER whatever width the holder keeps it in.
        uint64_t wide = 0;
        AttributesBase::GetValueToBuffer(diagnostics, *value, sizeof(wide), &wide, &length);
        if (out_value != nullptr)
        {
            std::memcpy(out_value, &wide, sizeof(SQLUINTEGER));
        }
        length = sizeof(SQLUINTEGER);
    }
    else
    {
        InfoTypes::GetInfoValueKind(in_infoType);
        AttributesBase::GetValueToBuffer(diagnostics, *value, in_bufferLength, out_value, &length);
    }
    if (out_stringLength != nullptr)
    {
        *out_stringLength = static_cast<SQLSMALLINT>(std::min<int32_t>(length, std::numeric_limits<SQLSMALLINT>::max()));
    }
}

void ConnectionState::SQLNativeSqlW(Connection& io_connection,
                                    SQLWCHAR* in_statementText,
                                    SQLINTEGER in_textLength,
                                    SQLWCHAR* out_statementText,
                                    SQLINTEGER in_bufferLength,
                                    SQLINTEGER* out_textLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLNativeSqlW");
    orvik_wstring nativeText;
    io_connection.GetDSIConnection().ToNativeSQL(WideArgument::Read(in_statementText, in_textLength), nativeText);
    WStringHelper::CopyToBufferLen32(nativeText, true, out_statementText, in_bufferLength, out_textLength,
                                     &io_connection.GetDiagManager(), nullptr);
}

void ConnectionState::SQLGetConnectAttr(Connection& io_connection,
                                        SQLINTEGER in_attribute,
                                        SQLPOINTER out_value,
                                        SQLINTEGER in_bufferLength,
                                        SQLINTEGER* out_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLGetConnectAttr");
    io_connection.GetAttributes().GetAttributeToBuffer(in_attribute, out_value, in_bufferLength, out_stringLength);
}

void ConnectionState::SQLSetConnectAttr(Connection& io_connection,
                                        SQLINTEGER in_attribute,
                                        SQLPOINTER in_value,
                                        SQLINTEGER in_stringLength)
{
    LogEntrance(io_connection, LOG_CLASS, "SQLSetConnectAttr");
    const intptr_t value = reinterpret_cast<intptr_t>(in_value);
    if (in_attribute == SQL_ATTR_AUTOCOMMIT && value == SQL_AUTOCOMMIT_OFF && !io_connection.SupportsTransactions())
    {
        if (!io_connection.IsConnected())
        {
            io_connection.SetDeferredAutocommitOff();
        }
        else if (ReadsAsText(io_connection.GetInfoProperty(SQL_DATA_SOURCE_READ_ONLY), u"Y"))
        {
            // Nothing can change a read-only data source, so it has nothing to commit.
            return;
        }
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"TransNotSupported", -1, -1);
    }
    if (in_attribute == SQL_ATTR_CURRENT_CATALOG && io_connection.HasOpenCursors())
    {
        throw ErrorException(DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"InvalidCursorStateSetCatalog", -1, -1);
    }
    if (in_attribute == SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE &&
        !io_connection.GetDiagManager().MatchesOdbcVersion(SQL_OV_ODBC3_80))
    {
        throw ErrorException(DIAG_INVALID_ATTRIBUTE_IDENTIFIER, ODBC_COMPONENT_ID, u"InvalidAttrIdent",
                             {NumberConverter::ConvertInt32ToWString(in_attribute)}, -1, -1);
    }
    ConnectionAttributes& attributes = io_connection.GetAttributes();
    attributes.SetAttribute(in_attribute, value, in_stringLength);
    if (in_attribute == SQL_ATTR_AUTOCOMMIT)
    {
        io_connection.SetAutoCommit(attributes.GetAttribute(SQL_ATTR_AUTOCOMMIT)->GetUInt32Value() == SQL_AUTOCOMMIT_ON);
    }
    else if (in_attribute == SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE)
    {
        io_connection.SetAsyncEnabled(value == SQL_ASYNC_DBC_ENABLE_ON);
    }
    else if (in_attribute == SQL_ATTR_ASYNC_ENABLE)
    {
        io_connection.SetStatementsAsync(value == SQL_ASYNC_ENABLE_ON);
    }
}

void ConnectionState::RefuseAllocation(SQLSMALLINT in_handleType)
{
    if (in_handleType == SQL_HANDLE_STMT || in_handleType == SQL_HANDLE_DESC)
    {
        RefuseNotConnected();
    }
    throw ODBCInternalException(u"AllocNonStmtDescInConn");
}

void ConnectionState::FreeWithoutStatements(Connection& io_connection, SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    if (in_handleType == SQL_HANDLE_STMT)
    {
        throw ODBCInternalException(u"FreeStmtWithoutAllocStmt");
    }
    ConnectionState::SQLFreeHandle(io_connection, in_handleType, in_handle);
}

void ConnectionState::RefuseConnect()
{
    throw ErrorException(DIAG_CONNECTION_NAME_IN_USE, ODBC_COMPONENT_ID, u"ConnAlreadyEst", -1, -1);
}

void ConnectionState::RefuseNotConnected()
{
    throw ErrorException(DIAG_CONNECTION_NOT_OPEN, ODBC_COMPONENT_ID, u"NoEstConn", -1, -1);
}

void ConnectionState::RefuseSequence()
{
    throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
}

void ConnectionState::RefuseAttributeNow()
{
    throw ErrorException(DIAG_ATTRIBUTE_CANNOT_BE_SET_NOW, ODBC_COMPONENT_ID, u"AttrCantBeSetNow", -1, -1);
}

void ConnectionState::LogEntrance(Connection& io_connection, const char* in_class, const char* in_method)
{
    io_connection.LogEntrance(in_class, in_method);
}

bool ConnectionState::WriteOutString(Connection& io_connection,
                                     const ConnectionSettings& in_settings,
                                     SQLWCHAR* out_connectionString,
                                     SQLSMALLINT in_bufferLength,
                                     SQLSMALLINT* out_stringLength)
{
    bool isCut = false;
    in_settings.BuildOutConnectionString(isCut, out_connectionString, in_bufferLength, out_stringLength);
    if (isCut)
    {
        PostTruncation(io_connection);
    }
    return isCut;
}

void ConnectionState::PostTruncation(Connection& io_connection)
{
    io_connection.GetDiagManager().PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID,
                                               u"StrRightTruncWarn", -1, -1);
}

void ConnectionState::ConnectDataStore(Connection& io_connection, ConnectionSettings& io_settings)
{
    VariantMap& settings = io_settings.GetSettings();
    const auto dataSource = settings.find(orvik_wstring(u"DSN"));
    io_connection.SetDataSourceName(dataSource != settings.end() ? dataSource->second.GetWString() : orvik_wstring(u""));
    io_connection.GetDSIConnection().Connect(settings);
}

SQLRETURN ConnectionState::UnlessErrorPosted(Connection& io_connection, SQLRETURN in_result)
{
    return io_connection.GetDiagManager().HasError() ? SQLRETURN(SQL_ERROR) : in_result;
}

} // namespace ODBC
} // namespace Orvik
