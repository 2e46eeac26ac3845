#include "ODBC/Handles/Connection.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIConnection.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIDriver.h"
#include "DSI/DSILog.h"
#include "ODBC/Attributes/ConnectionAttrTypes.h"
#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Descriptors/ExplicitAppDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Diagnostics/FailurePoster.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Driver/StepHook.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/ConnectionStateTracker.h"
#include "ODBC/Handles/ConnectionTransactionState.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/HandleClosing.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Info/InfoTypes.h"
#include "ODBC/KeyMaps/CatalogFunctionNames.h"
#include "ODBC/KeyMaps/ConnectionKeyMap.h"
#include "ODBC/KeyMaps/DriverKeyMap.h"
#include "ODBC/KeyMaps/EnvironmentKeyMap.h"
#include "ODBC/Settings/ConnectionSettings.h"
#include "ODBC/States/ConnectionState.h"
#include "Support/AttributeData.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/OrvikSettingReader.h"

#include <sqlext.h>

#include <algorithm>
#include <optional>
#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_NAMESPACE = "Orvik::ODBC";
const char* const LOG_CLASS = "Connection";

/// A catalog function's argument as its log line shows it: NULL, or the text with every NUL
/// written \0, in double quotes for text arguments.
std::string DescribeArgument(const Variant& in_argument)
{
    if (in_argument.IsNull() || in_argument.GetWString().IsNull())
    {
        return "NULL";
    }
    std::string text;
    for (const char byte : in_argument.GetString())
    {
        text += byte == '\0' ? std::string("\\0") : std::string(1, byte);
    }
    const bool isText = in_argument.GetType() == VARIANT_WSTRING || in_argument.GetType() == VARIANT_STRING;
    return isText ? "\"" + text + "\"" : text;
}

} // namespace

Connection::Connection(Environment& io_environment, std::unique_ptr<DSI::DSIConnection> in_dsiConnection)
    : m_transactionState(std::make_unique<ConnectionTransactionState>(*this)),
      m_tracker(std::make_unique<ConnectionStateTracker>(*m_transactionState)),
      m_environment(io_environment),
      m_dsiConnection(std::move(in_dsiConnection)),
      m_messageSource(m_dsiConnection->GetMessageSource()),
      m_diagnostics(std::make_unique<DiagManager>(m_messageSource.Get(), orvik_wstring(u""), orvik_wstring(u""))),
      m_log(m_dsiConnection->GetLog())
{
    m_attributes = std::make_unique<ConnectionAttributes>(*this);
    m_diagnostics->SetOdbcVersion(io_environment.GetAttributes().GetAttribute(SQL_ATTR_ODBC_VERSION)->GetInt32Value());
    FillInfoTable();
    m_dsiConnection->SetTransactionListener(m_transactionState.get());
}

Connection::~Connection()
{
    FinishPendingTask();
    try
    {
        DeleteAllStatements();
    }
    catch (...)
    {
    }
    if (m_tracker->IsConnected() || m_tracker->IsBrowseInProgress())
    {
        try
        {
            m_dsiConnection->Disconnect();
        }
        catch (...)
        {
        }
    }
    m_attributes.reset();
    m_dsiConnection.reset();
    Driver& driver = m_environment.GetDriver();
    for (std::unique_ptr<ExplicitAppDescriptor>& descriptor : m_descriptors)
    {
        driver.UnregisterAppDescriptor(descriptor->GetHandle());
        descriptor.reset();
    }
}

void Connection::FillInfoTable()
{
    const int16_t getDataExtensions =
        m_dsiConnection->GetParentEnvironment()->GetParentDriver()->GetProperty(DSI::DRIVER_PROP_GETDATA_EXTENSIONS)->GetInt16Value();
    const std::pair<uint16_t, AttributeData*> entries[] = {
        {SQL_FETCH_DIRECTION, AttributeData::MakeNewInt32AttributeData(SQL_FD_FETCH_NEXT)},
        {SQL_ODBC_API_CONFORMANCE, AttributeData::MakeNewInt16AttributeData(SQL_OAC_LEVEL2)},
        {SQL_ODBC_SAG_CLI_CONFORMANCE, AttributeData::MakeNewInt16AttributeData(SQL_OSCC_NOT_COMPLIANT)},
        {SQL_SCROLL_CONCURRENCY, AttributeData::MakeNewInt32AttributeData(3)},
        {SQL_SCROLL_OPTIONS, AttributeData::MakeNewUInt32AttributeData(SQL_SO_FORWARD_ONLY)},
        {SQL_LOCK_TYPES, AttributeData::MakeNewInt32AttributeData(2)},
        {SQL_POS_OPERATIONS, AttributeData::MakeNewInt32AttributeData(0)},
        {SQL_POSITIONED_STATEMENTS, AttributeData::MakeNewInt32AttributeData(0)},
        {SQL_GETDATA_EXTENSIONS, AttributeData::MakeNewUInt32AttributeData(getDataExtensions == 1 ? 15 : 4)},
        {SQL_STATIC_SENSITIVITY, AttributeData::MakeNewInt32AttributeData(3)},
        {SQL_NEED_LONG_DATA_LEN, AttributeData::MakeNewWStringAttributeData(orvik_wstring(u"N"))},
    };
    for (const auto& entry : entries)
    {
        m_infoTable[entry.first].reset(entry.second);
    }
}

// Call frames.

template <typename Call>
SQLRETURN Connection::RunCancellable(Frame in_frame, const char* in_method, const char* in_step, Call in_call)
{
    CriticalSectionLock connectionLock(m_connectionLock);
    const std::string step = in_step != nullptr ? std::string(in_step) : std::string();
    if (!step.empty())
    {
        StepHook::ReportStep(("GetConnectionLock_" + step).c_str());
    }
    {
        CriticalSectionLock cancelLock(m_cancelLock);
        if (in_frame == Frame::CANCELLABLE)
        {
            ClearPendingCancel();
        }
        m_isRunning = true;
    }
    SQLRETURN result = SQL_ERROR;
    try
    {
        LogEntrance(LOG_CLASS, in_method);
        m_diagnostics->Clear();
        result = WithWarnings(in_call());
    }
    catch (...)
    {
        result = FailurePoster::PostCurrentFailure(*m_diagnostics, m_log, LOG_CLASS, in_method);
    }
    SetRunning(false);
    if (!step.empty())
    {
        StepHook::ReportStep(("FreeConnectionLock_" + step).c_str());
    }
    return result;
}

template <typename Call>
SQLRETURN Connection::RunGuarded(const char* in_method, bool in_canSkipLock, Call in_call)
{
    std::optional<CriticalSectionLock> connectionLock;
    if (!in_canSkipLock || !Driver::IsConnectionLockSkipped())
    {
        connectionLock.emplace(m_connectionLock);
    }
    const std::string step = in_canSkipLock ? std::string(in_method) : std::string();
    if (!step.empty())
    {
        StepHook::ReportStep(("GetConnectionLock_" + step).c_str());
    }
    CriticalSectionLock cancelLock(m_cancelLock);
    ClearPendingCancel();
    m_isRunning = false;
    try
    {
        LogEntrance(LOG_CLASS, in_method);
        m_diagnostics->Clear();
        const SQLRETURN result = in_call();
        if (!step.empty())
        {
            StepHook::ReportStep(("FreeConnectionLock_" + step).c_str());
        }
        return result;
    }
    catch (const NoDataException&)
    {
        return SQL_NO_DATA;
    }
    catch (...)
    {
        return FailurePoster::PostCurrentFailure(*m_diagnostics, m_log, LOG_CLASS, in_method);
    }
}

SQLRETURN Connection::WithWarnings(SQLRETURN in_result)
{
    return in_result == SQL_SUCCESS && m_diagnostics->HasWarning() ? SQL_SUCCESS_WITH_INFO : in_result;
}

void Connection::ClearPendingCancel()
{
    if (m_isCancelPending)
    {
        m_dsiConnection->ClearCancel();
        m_isCancelPending = false;
    }
}

void Connection::SetRunning(bool in_isRunning)
{
    CriticalSectionLock lock(m_cancelLock);
    m_isRunning = in_isRunning;
}

bool Connection::IsRunning()
{
    CriticalSectionLock lock(m_cancelLock);
    return m_isRunning;
}

// The ODBC functions.

SQLRETURN Connection::SQLAllocHandle(SQLSMALLINT in_handleType, SQLHANDLE* out_handle)
{
    return RunGuarded("SQLAllocHandle", true, [&] {
        return WithWarnings(GetState().SQLAllocHandle(*this, in_handleType, out_handle));
    });
}

SQLRETURN Connection::SQLBrowseConnectW(SQLWCHAR* in_connectionString,
                                        SQLSMALLINT in_stringLength,
                                        SQLWCHAR* out_connectionString,
                                        SQLSMALLINT in_bufferLength,
                                        SQLSMALLINT* out_stringLength)
{
    return RunCancellable(Frame::CANCELLABLE, "SQLBrowseConnectW", nullptr, [&] {
        const SQLRETURN result = GetState().SQLBrowseConnectW(*this, in_connectionString, in_stringLength,
                                                              out_connectionString, in_bufferLength, out_stringLength);
        AfterConnect(result, true);
        return result;
    });
}

SQLRETURN Connection::SQLCancelHandle()
{
    CriticalSectionLock cancelLock(m_cancelLock);
    try
    {
        ClearPendingCancel();
        LogEntrance(LOG_CLASS, "SQLCancelHandle");
        m_isCancelPending = true;
        // It posts nothing: a warning there is the running call's, not its own.
        return GetState().SQLCancelHandle(*this);
    }
    catch (...)
    {
        return FailurePoster::LogCurrentFailure(m_log, LOG_CLASS, "SQLCancelHandle");
    }
}

SQLRETURN Connection::SQLConnectW(SQLWCHAR* in_serverName,
                                  SQLSMALLINT in_serverNameLength,
                                  SQLWCHAR* in_userName,
                                  SQLSMALLINT in_userNameLength,
                                  SQLWCHAR* in_authentication,
                                  SQLSMALLINT in_authenticationLength)
{
    return RunCancellable(Frame::CANCELLABLE, "SQLConnectW", nullptr, [&] {
        const SQLRETURN result =
            GetState().SQLConnectW(*this, in_serverName, in_serverNameLength, in_userName, in_userNameLength,
                                   in_authentication, in_authenticationLength);
        AfterConnect(result, false);
        UpdateLocale();
        return result;
    });
}

SQLRETURN Connection::SQLDisconnect()
{
    // A call on one of the statements holds the connection's lock while it waits on the server:
    // the disconnect is refused at once instead of waiting for that call to end and then
    // succeeding. The check under the lock below catches a call that begins meanwhile.
    if (HasBusyStatements())
    {
        LogEntrance(LOG_CLASS, "SQLDisconnect");
        // Under the lock the guarded calls hold throughout, which they clear and read their
        // records under: the refusal lands in none of theirs.
        CriticalSectionLock cancelLock(m_cancelLock);
        m_diagnostics->Clear();
        m_diagnostics->PostError(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
        return SQL_ERROR;
    }
    return RunCancellable(Frame::CANCELLABLE, "SQLDisconnect", nullptr, [&] {
        if (m_transactionState->IsInTransaction())
        {
            m_diagnostics->PostError(DIAG_INVALID_TRANSACTION_STATE, ODBC_COMPONENT_ID, u"OutstandingTransDuringDisconn",
                                     -1, -1);
            return SQLRETURN(SQL_ERROR);
        }
        // Calls still run on statements that the disconnect would free; a refusal changes nothing.
        if (HasBusyStatements())
        {
            throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
        }
        if (m_transactionState->IsAutoCommit())
        {
            CloseAllCursors();
        }
        const SQLRETURN result = GetState().SQLDisconnect(*this);
        m_tracker->ClearConnection();
        {
            // The next connection may be to another data source.
            CriticalSectionLock lock(m_infoLock);
            m_infoTable.erase(SQL_DATA_SOURCE_NAME);
            m_dataSourceName.Clear();
        }
        return result;
    });
}

SQLRETURN Connection::SQLDriverConnectW(SQLHWND in_window,
                                        SQLWCHAR* in_connectionString,
                                        SQLSMALLINT in_stringLength,
                                        SQLWCHAR* out_connectionString,
                                        SQLSMALLINT in_bufferLength,
                                        SQLSMALLINT* out_stringLength,
                                        SQLUSMALLINT in_driverCompletion)
{
    return RunCancellable(Frame::CANCELLABLE, "SQLDriverConnectW", nullptr, [&] {
        const SQLRETURN result =
            GetState().SQLDriverConnectW(*this, in_window, in_connectionString, in_stringLength, out_connectionString,
                                         in_bufferLength, out_stringLength, in_driverCompletion);
        AfterConnect(result, false);
        return result;
    });
}

SQLRETURN Connection::SQLEndTran(SQLSMALLINT in_handleType, SQLSMALLINT in_completionType)
{
    return RunCancellable(Frame::CANCELLABLE, "SQLEndTran", nullptr, [&] {
        if (!m_transactionState->IsInTransaction())
        {
            return SQLRETURN(SQL_SUCCESS);
        }
        return GetState().SQLEndTran(*this, in_handleType, in_completionType);
    });
}

SQLRETURN Connection::SQLExecDirectW(Statement& io_statement, SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    return RunCancellable(Frame::EXECUTION, "SQLExecDirectW", "SQLExecDirect", [&] {
        return GetState().SQLExecDirectW(*this, io_statement, in_statementText, in_textLength);
    });
}

SQLRETURN Connection::SQLExecute(Statement& io_statement)
{
    return RunCancellable(Frame::EXECUTION, "SQLExecute", "SQLExecute",
                          [&] { return GetState().SQLExecute(*this, io_statement); });
}

SQLRETURN Connection::SQLFreeHandle(SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    return RunGuarded("SQLFreeHandle", true, [&] {
        GetState().SQLFreeHandle(*this, in_handleType, in_handle);
        return SQLRETURN(SQL_SUCCESS);
    });
}

SQLRETURN Connection::SQLGetConnectAttr(SQLINTEGER in_attribute,
                                        SQLPOINTER out_value,
                                        SQLINTEGER in_bufferLength,
                                        SQLINTEGER* out_stringLength)
{
    return RunGuarded("SQLGetConnectAttr", false, [&] {
        LogInfo("SQLGetConnectAttr", "Attribute: %s (%d)", ConnectionAttrTypes::GetName(in_attribute), in_attribute);
        GetState().SQLGetConnectAttr(*this, in_attribute, out_value, in_bufferLength, out_stringLength);
        return WithWarnings(SQL_SUCCESS);
    });
}

SQLRETURN Connection::SQLGetFunctions(SQLUSMALLINT in_functionId, SQLUSMALLINT* out_supported)
{
    return RunGuarded("SQLGetFunctions", false,
                      [&] { return WithWarnings(GetState().SQLGetFunctions(*this, in_functionId, out_supported)); });
}

SQLRETURN Connection::SQLGetInfoW(SQLUSMALLINT in_infoType,
                                  SQLPOINTER out_value,
                                  SQLSMALLINT in_bufferLength,
                                  SQLSMALLINT* out_stringLength)
{
    return RunGuarded("SQLGetInfoW", false, [&] {
        LogInfo("SQLGetInfoW", "InfoType: %s (%u)", InfoTypes::GetName(in_infoType), in_infoType);
        GetState().SQLGetInfoW(*this, in_infoType, out_value, in_bufferLength, out_stringLength);
        return WithWarnings(SQL_SUCCESS);
    });
}

SQLRETURN Connection::SQLNativeSqlW(SQLWCHAR* in_statementText,
                                    SQLINTEGER in_textLength,
                                    SQLWCHAR* out_statementText,
                                    SQLINTEGER in_bufferLength,
                                    SQLINTEGER* out_textLength)
{
    return RunGuarded("SQLNativeSqlW", false, [&] {
        GetState().SQLNativeSqlW(*this, in_statementText, in_textLength, out_statementText, in_bufferLength,
                                 out_textLength);
        return WithWarnings(SQL_SUCCESS);
    });
}

SQLRETURN Connection::SQLSetConnectAttr(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    return RunCancellable(Frame::CANCELLABLE, "SQLSetConnectAttr", nullptr, [&] {
        LogInfo("SQLSetConnectAttr", "Attribute: %s (%d)", ConnectionAttrTypes::GetName(in_attribute), in_attribute);
        GetState().SQLSetConnectAttr(*this, in_attribute, in_value, in_stringLength);
        return SQLRETURN(SQL_SUCCESS);
    });
}

SQLRETURN Connection::ExecuteCatalogFunction(Statement& io_statement,
                                             int32_t in_functionId,
                                             const std::vector<Variant>& in_arguments)
{
    return RunCancellable(Frame::CANCELLABLE, "ExecuteCatalogFunction", "ExecuteCatalogFunction", [&] {
        LogCatalogCall(in_functionId, in_arguments);
        return GetState().ExecuteCatalogFunction(*this, io_statement, in_functionId, in_arguments);
    });
}

// What the connect calls do once their state returned.

void Connection::AfterConnect(SQLRETURN in_result, bool in_isBrowse)
{
    if (in_isBrowse && in_result == SQL_NEED_DATA)
    {
        m_tracker->SetBrowseInProgress();
    }
    else if (in_result == SQL_SUCCESS || in_result == SQL_SUCCESS_WITH_INFO)
    {
        ApplyDeferredAutocommitOff();
        m_tracker->SetConnected();
    }
    UpdateAutoCommitFlag();
    UpdateDataSourceName();
}

void Connection::ApplyDeferredAutocommitOff()
{
    if (m_isDeferredAutocommitOff && SupportsTransactions())
    {
        m_attributes->SetAttribute(SQL_ATTR_AUTOCOMMIT, SQL_AUTOCOMMIT_OFF, SQL_IS_INTEGER);
        UpdateAutoCommitFlag();
    }
}

void Connection::UpdateAutoCommitFlag()
{
    bool isOn = true;
    try
    {
        isOn = m_attributes->GetAttribute(SQL_ATTR_AUTOCOMMIT)->GetUInt32Value() == SQL_AUTOCOMMIT_ON;
    }
    catch (const ErrorException&)
    {
        // A data store without the attribute commits automatically.
    }
    m_transactionState->SetAutoCommit(isOn);
}

void Connection::SetDataSourceName(const orvik_wstring& in_name)
{
    CriticalSectionLock lock(m_infoLock);
    m_dataSourceName = in_name.IsNull() ? orvik_wstring(u"") : in_name;
}

// The entry follows the data source this connection was last connected to, not its first one.
void Connection::UpdateDataSourceName()
{
    orvik_wstring name;
    {
        CriticalSectionLock lock(m_infoLock);
        name = m_dataSourceName;
    }
    if (name.IsNull())
    {
        name = m_dsiConnection->GetDSN();
    }
    CriticalSectionLock lock(m_infoLock);
    m_infoTable[SQL_DATA_SOURCE_NAME].reset(AttributeData::MakeNewWStringAttributeData(name));
}

void Connection::UpdateLocale()
{
    std::string locale = m_dsiConnection->GetLocale();
    if (locale.empty())
    {
        locale = OrvikSettingReader::GetDriverLocale();
    }
    m_diagnostics->SetLocale(locale);
}

std::string Connection::GetLocale()
{
    return m_diagnostics->GetLocale();
}

// Statements.

void Connection::AddStatement(std::unique_ptr<Statement> in_statement)
{
    {
        CriticalSectionLock lock(m_statementListLock);
        m_statements.push_back(std::move(in_statement));
    }
    m_tracker->AddStatement();
}

std::unique_ptr<Statement> Connection::RemoveStatement(Statement* in_statement)
{
    const bool hadOpenCursor = in_statement->HasOpenCursor();
    std::unique_ptr<Statement> detached;
    {
        CriticalSectionLock lock(m_statementListLock);
        const auto found = std::find_if(m_statements.begin(), m_statements.end(),
                                        [&](const std::unique_ptr<Statement>& in_entry) { return in_entry.get() == in_statement; });
        if (found == m_statements.end())
        {
            throw ODBCInternalException(u"InvalidStmt");
        }
        std::swap(*found, m_statements.back());
        detached = std::move(m_statements.back());
        m_statements.pop_back();
    }
    if (hadOpenCursor)
    {
        m_tracker->RemoveOpenCursors(1);
    }
    m_tracker->RemoveStatements(1);
    return detached;
}

void Connection::DeleteAllStatements()
{
    uint64_t openCursors = 0;
    uint64_t statements = 0;
    {
        CriticalSectionLock lock(m_statementListLock);
        Driver& driver = m_environment.GetDriver();
        for (std::unique_ptr<Statement>& statement : m_statements)
        {
            openCursors += statement->HasOpenCursor() ? 1 : 0;
            driver.UnregisterStatement(statement->GetHandle());
            statement.reset();
        }
        statements = m_statements.size();
        m_statements.clear();
    }
    m_tracker->RemoveOpenCursors(openCursors);
    m_tracker->RemoveStatements(statements);
}

bool Connection::CloseToCalls(HandleClosing& io_closing)
{
    if (!io_closing.Close(GetSlot()) || !CloseStatementsToCalls(io_closing))
    {
        return false;
    }
    {
        CriticalSectionLock lock(m_descriptorListLock);
        Driver& driver = m_environment.GetDriver();
        for (const std::unique_ptr<ExplicitAppDescriptor>& descriptor : m_descriptors)
        {
            if (!io_closing.Close(driver.GetDescriptorSlot(descriptor->GetHandle())))
            {
                return false;
            }
        }
    }
    return !IsBusy();
}

bool Connection::CloseStatementsToCalls(HandleClosing& io_closing)
{
    CriticalSectionLock lock(m_statementListLock);
    return std::all_of(m_statements.begin(), m_statements.end(), [&](const std::unique_ptr<Statement>& in_statement) {
        return in_statement->CloseToCalls(io_closing);
    });
}

bool Connection::HasBusyStatements()
{
    CriticalSectionLock lock(m_statementListLock);
    return std::any_of(m_statements.begin(), m_statements.end(),
                       [](const std::unique_ptr<Statement>& in_statement) { return in_statement->IsBusy(); });
}

bool Connection::HasStatements()
{
    CriticalSectionLock lock(m_statementListLock);
    return !m_statements.empty();
}

void Connection::CloseAllCursors()
{
    CriticalSectionLock lock(m_statementListLock);
    for (const std::unique_ptr<Statement>& statement : m_statements)
    {
        if (statement->HasOpenCursor())
        {
            statement->SQLCloseCursor();
        }
    }
}

void Connection::SetCursorNameForStatement(const orvik_wstring& in_name, Statement& io_statement)
{
    LogEntrance(LOG_CLASS, "SetCursorNameForStatement");
    const AttributeData* maximum = GetInfoProperty(SQL_MAX_CURSOR_NAME_LEN);
    if (maximum != nullptr && maximum->GetUInt16Value() != 0 && maximum->GetUInt16Value() < in_name.GetLength())
    {
        throw ErrorException(DIAG_INVALID_CURSOR_NAME, ODBC_COMPONENT_ID, u"CursorNameTooLong", -1, -1);
    }
    CriticalSectionLock lock(m_statementListLock);
    for (const std::unique_ptr<Statement>& statement : m_statements)
    {
        if (statement.get() != &io_statement && statement->GetCursorName() == in_name)
        {
            throw ErrorException(DIAG_DUPLICATE_CURSOR_NAME, ODBC_COMPONENT_ID, u"DuplicateCursorName", -1, -1);
        }
    }
    io_statement.SetCursorName(in_name);
}

void Connection::EndTransactionOfStatements(SQLSMALLINT in_completionType, bool in_flag)
{
    CriticalSectionLock lock(m_statementListLock);
    for (const std::unique_ptr<Statement>& statement : m_statements)
    {
        statement->EndTransaction(in_completionType, in_flag);
    }
}

void Connection::NotifyCursorOpened()
{
    m_tracker->AddOpenCursor();
}

void Connection::NotifyCursorClosed()
{
    m_tracker->RemoveOpenCursors(1);
}

bool Connection::HasOpenCursors()
{
    return m_tracker->HasOpenCursors();
}

void Connection::SetStatementsAsync(bool in_isOn)
{
    CriticalSectionLock lock(m_statementListLock);
    m_areStatementsAsync = in_isOn;
    for (const std::unique_ptr<Statement>& statement : m_statements)
    {
        statement->SQLSetStmtAttrW(SQL_ATTR_ASYNC_ENABLE,
                                   reinterpret_cast<SQLPOINTER>(in_isOn ? SQL_ASYNC_ENABLE_ON : SQL_ASYNC_ENABLE_OFF), 0);
    }
}

bool Connection::AreStatementsAsync()
{
    CriticalSectionLock lock(m_statementListLock);
    return m_areStatementsAsync;
}

// Descriptors.

void Connection::AddDescriptor(std::unique_ptr<ExplicitAppDescriptor> in_descriptor)
{
    CriticalSectionLock lock(m_descriptorListLock);
    m_descriptors.push_back(std::move(in_descriptor));
}

std::unique_ptr<ExplicitAppDescriptor> Connection::RemoveDescriptor(Descriptor* in_descriptor)
{
    CriticalSectionLock lock(m_descriptorListLock);
    const auto found =
        std::find_if(m_descriptors.begin(), m_descriptors.end(),
                     [&](const std::unique_ptr<ExplicitAppDescriptor>& in_entry) { return in_entry.get() == in_descriptor; });
    if (found == m_descriptors.end())
    {
        throw ODBCInternalException(u"InvalidExplAppDesc");
    }
    std::swap(*found, m_descriptors.back());
    std::unique_ptr<ExplicitAppDescriptor> detached = std::move(m_descriptors.back());
    m_descriptors.pop_back();
    return detached;
}

// Transactions.

bool Connection::BeginTransaction(Statement* io_statement)
{
    bool isInTransaction = false;
    bool isAutoCommit = false;
    m_transactionState->GetFlags(isInTransaction, isAutoCommit);
    if (isInTransaction || isAutoCommit)
    {
        return true;
    }
    DiagManager& diagnostics = io_statement != nullptr ? io_statement->GetDiagManager() : *m_diagnostics;
    if (!SupportsTransactions())
    {
        diagnostics.PostError(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"TransNotSupported", -1, -1);
        return false;
    }
    try
    {
        m_transactionState->NotifyBegin();
        try
        {
            m_dsiConnection->BeginTransaction();
        }
        catch (...)
        {
            m_transactionState->UndoBegin();
            throw;
        }
        return true;
    }
    catch (const ErrorException& e)
    {
        if (io_statement != nullptr)
        {
            diagnostics.Clear();
        }
        diagnostics.PostError(e);
        if (m_log != nullptr)
        {
            m_log->LogErrorException(LOG_NAMESPACE, LOG_CLASS, "BeginTransaction", e);
        }
        return false;
    }
}

void Connection::CommitTransaction(bool in_flag)
{
    if (!m_transactionState->IsInTransaction())
    {
        return;
    }
    if (!SupportsTransactions())
    {
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"TransNotSupported", -1, -1);
    }
    m_dsiConnection->Commit();
    m_transactionState->NotifyCommit(in_flag);
    m_transactionState->NotifyStatements();
}

void Connection::RollbackTransaction(bool in_flag)
{
    if (!m_transactionState->IsInTransaction())
    {
        return;
    }
    if (!SupportsTransactions())
    {
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"TransNotSupported", -1, -1);
    }
    m_dsiConnection->Rollback();
    m_transactionState->NotifyRollback(in_flag);
    m_transactionState->NotifyStatements();
}

bool Connection::IsInTransaction()
{
    return m_transactionState->IsInTransaction();
}

void Connection::NotifyStatementsOfEndTransaction()
{
    m_transactionState->NotifyStatements();
}

void Connection::SetAutoCommit(bool in_isOn)
{
    m_transactionState->SetAutoCommit(in_isOn);
}

bool Connection::SupportsTransactions()
{
    const AttributeData* capable = GetInfoProperty(SQL_TXN_CAPABLE);
    return capable != nullptr && capable->GetUInt16Value() != SQL_TC_NONE;
}

void Connection::SetDeferredAutocommitOff()
{
    m_isDeferredAutocommitOff = true;
}

// Information and state.

AttributeData* Connection::GetInfoProperty(int32_t in_infoType)
{
    int32_t key = 0;
    if (DriverKeyMap::GetInstance().FindAttributeKey(in_infoType, key))
    {
        return m_dsiConnection->GetParentEnvironment()->GetParentDriver()->GetProperty(key);
    }
    if (EnvironmentKeyMap::GetInstance().FindInfoKey(in_infoType, key))
    {
        return m_dsiConnection->GetParentEnvironment()->GetProperty(key);
    }
    if (ConnectionKeyMap::GetInstance().FindInfoKey(in_infoType, key))
    {
        return m_dsiConnection->GetProperty(key);
    }
    CriticalSectionLock lock(m_infoLock);
    const auto found = m_infoTable.find(static_cast<uint16_t>(in_infoType));
    return found != m_infoTable.end() && in_infoType >= 0 && in_infoType <= UINT16_MAX ? found->second.get() : nullptr;
}

ConnectionState& Connection::GetState()
{
    ConnectionState* state = m_environment.GetDriver().GetConnectionState(m_tracker->GetStateNumber());
    if (state == nullptr)
    {
        throw ODBCInternalException(u"GenErr");
    }
    return *state;
}

bool Connection::IsConnected()
{
    return m_tracker->IsConnected();
}

void Connection::SetSettings(std::unique_ptr<ConnectionSettings> in_settings)
{
    if (in_settings.get() != m_settings.get())
    {
        m_settings = std::move(in_settings);
    }
}

// Logging.

void Connection::LogEntrance(const char* in_class, const char* in_method)
{
    if (m_log != nullptr)
    {
        m_log->LogFunctionEntrance(LOG_NAMESPACE, in_class, in_method);
    }
}

void Connection::LogInfo(const char* in_method, const char* in_format, const char* in_name, int64_t in_number)
{
    if (m_log != nullptr && m_log->GetLogLevel() > DSI::LOG_WARNING)
    {
        m_log->LogInfo(LOG_NAMESPACE, LOG_CLASS, in_method, in_format, in_name, static_cast<int>(in_number));
    }
}

void Connection::LogCatalogCall(int32_t in_functionId, const std::vector<Variant>& in_arguments)
{
    if (m_log == nullptr || m_log->GetLogLevel() <= DSI::LOG_WARNING)
    {
        return;
    }
    std::string arguments;
    for (size_t i = 0; i < in_arguments.size(); ++i)
    {
        arguments += (i == 0 ? "" : ", ") + DescribeArgument(in_arguments[i]);
    }
    m_log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "ExecuteCatalogFunction", "%s(%s)",
                   CatalogFunctionNames::GetName(in_functionId), arguments.c_str());
}

} // namespace ODBC
} // namespace Orvik
