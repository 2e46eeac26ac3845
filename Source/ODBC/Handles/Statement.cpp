#include "ODBC/Handles/Statement.h"

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIConnection.h"
#include "DSI/DSIDataEngine.h"
#include "DSI/DSILog.h"
#include "DSI/DSIStatement.h"
#include "DSI/OperationCanceledException.h"
#include "ODBC/Attributes/EnvironmentAttributes.h"
#include "ODBC/Attributes/StatementAttributes.h"
#include "ODBC/Descriptors/AppDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplRowDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Diagnostics/FailurePoster.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Driver/StepHook.h"
#include "ODBC/Exceptions/InvalidCTypeException.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/HandleClosing.h"
#include "ODBC/Queries/QueryManager.h"
#include "ODBC/Statement/ColumnFieldNames.h"
#include "ODBC/States/StatementState.h"
#include "ODBC/States/StatementState1.h"
#include "Support/CriticalSectionLock.h"

#include <sqlext.h>

#include <atomic>
#include <cassert>
#include <cstring>
#include <optional>
#include <string>
#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_NAMESPACE = "Orvik::ODBC";
const char* const LOG_CLASS = "Statement";

std::atomic<Statement::Maker> s_maker{nullptr};

/// Whether in_name begins with a prefix the driver keeps for its own cursor names.
bool HasReservedPrefix(const orvik_wstring& in_name)
{
    return in_name.StartsWith(orvik_wstring(u"SQL_CUR")) || in_name.StartsWith(orvik_wstring(u"SQLCUR"));
}

} // namespace

void Statement::SetMaker(Maker in_maker)
{
    s_maker.store(in_maker);
}

std::unique_ptr<Statement> Statement::Make(HandleValue in_handle, Connection& io_connection)
{
    const Maker maker = s_maker.load();
    return maker != nullptr ? maker(in_handle, io_connection) : std::make_unique<Statement>(in_handle, io_connection);
}

Statement::Statement(HandleValue in_handle) : m_handle(in_handle) {}

Statement::Statement(HandleValue in_handle, Connection& io_connection)
    : m_handle(in_handle),
      m_connection(&io_connection),
      m_messageSource(io_connection.GetDSIConnection().GetMessageSource()),
      m_diagnostics(std::make_unique<DiagManager>(m_messageSource.Get(), orvik_wstring(u""), orvik_wstring(u"")))
{
    DSI::DSIConnection& dataStore = io_connection.GetDSIConnection();
    m_dsiStatement = dataStore.CreateStatement();
    m_attributes = std::make_unique<StatementAttributes>(*this, io_connection.GetAttributes());
    m_log = dataStore.GetLog();
    m_dsiStatement->RegisterWarningListener(m_diagnostics.get());
    m_diagnostics->SetLocale(io_connection.GetDiagManager().GetLocale());
    m_diagnostics->SetOdbcVersion(
        io_connection.GetEnvironment().GetAttributes().GetAttribute(SQL_ATTR_ODBC_VERSION)->GetInt32Value());
    MakeDescriptors();
    try
    {
        m_cursorName = orvik_wstring(u"SQL_CUR") + orvik_wstring(std::to_string(in_handle));
        m_dsiStatement->SetCursorName(m_cursorName);
        m_state = std::make_unique<StatementState1>(*this);
        if (io_connection.AreStatementsAsync())
        {
            m_attributes->SetAttribute(SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON, SQL_IS_UINTEGER);
        }
    }
    catch (...)
    {
        UnregisterDescriptors();
        throw;
    }
}

void Statement::MakeDescriptors()
{
    Driver& driver = m_connection->GetEnvironment().GetDriver();
    const std::string locale = m_diagnostics->GetLocale();
    const int32_t version =
        m_connection->GetEnvironment().GetAttributes().GetAttribute(SQL_ATTR_ODBC_VERSION)->GetInt32Value();
    // Each descriptor is registered as soon as it exists, so that a failure unregisters exactly
    // the ones made.
    try
    {
        m_ipd = std::make_unique<ImplParamDescriptor>(driver.NewAppDescriptorHandle(), m_connection,
                                                      m_messageSource.Get(), m_log);
        driver.RegisterImplDescriptor(m_ipd->GetHandle(), m_ipd.get());
        m_ird = std::make_unique<ImplRowDescriptor>(driver.NewAppDescriptorHandle(), *this, m_connection,
                                                    m_messageSource.Get(), m_log);
        driver.RegisterImplDescriptor(m_ird->GetHandle(), m_ird.get());
        m_implicitAPD = std::make_unique<AppDescriptor>(driver.NewAppDescriptorHandle(), false, m_connection,
                                                        m_messageSource.Get(), m_log);
        driver.RegisterAppDescriptor(m_implicitAPD->GetHandle(), m_implicitAPD.get());
        m_implicitARD = std::make_unique<AppDescriptor>(driver.NewAppDescriptorHandle(), true, m_connection,
                                                        m_messageSource.Get(), m_log);
        driver.RegisterAppDescriptor(m_implicitARD->GetHandle(), m_implicitARD.get());
    }
    catch (...)
    {
        UnregisterDescriptors();
        throw;
    }
    for (Descriptor* descriptor : {static_cast<Descriptor*>(m_ipd.get()), static_cast<Descriptor*>(m_ird.get()),
                                   static_cast<Descriptor*>(m_implicitAPD.get()),
                                   static_cast<Descriptor*>(m_implicitARD.get())})
    {
        descriptor->GetDiagManager().SetLocale(locale);
        descriptor->GetDiagManager().SetOdbcVersion(version);
    }
    m_currentAPD = m_implicitAPD.get();
    m_currentARD = m_implicitARD.get();
}

void Statement::UnregisterDescriptors()
{
    if (m_connection == nullptr)
    {
        return;
    }
    Driver& driver = m_connection->GetEnvironment().GetDriver();
    if (m_ipd)
    {
        driver.UnregisterImplDescriptor(m_ipd->GetHandle());
    }
    if (m_ird)
    {
        driver.UnregisterImplDescriptor(m_ird->GetHandle());
    }
    if (m_implicitAPD)
    {
        driver.UnregisterAppDescriptor(m_implicitAPD->GetHandle());
    }
    if (m_implicitARD)
    {
        driver.UnregisterAppDescriptor(m_implicitARD->GetHandle());
    }
}

Statement::~Statement()
{
    FinishPendingTask();
    m_queryManager.reset();
    m_dataEngine.reset();
    m_dsiStatement.reset();
    m_state.reset();
    m_attributes.reset();
    for (AppDescriptorBase* current : {m_currentAPD, m_currentARD})
    {
        if (current != nullptr && current->IsExplicit())
        {
            current->RemoveDeleteListener(this);
        }
    }
    UnregisterDescriptors();
}

// The frames.

template <typename Call>
SQLRETURN Statement::RunPlain(const char* in_method, bool in_takesConnectionLock, Call in_call)
{
    const RunningCall running(*this);
    std::optional<CriticalSectionLock> connectionLock;
    if (in_takesConnectionLock && !Driver::IsConnectionLockSkipped())
    {
        connectionLock.emplace(m_connection->GetConnectionLock());
    }
    const std::string step = in_takesConnectionLock ? std::string(in_method) : std::string();
    if (!step.empty())
    {
        StepHook::ReportStep(("GetConnectionLock_" + step).c_str());
    }
    CriticalSectionLock statementLock(m_statementLock);
    CriticalSectionLock cancelLock(m_cancelLock);
    ConsumeCancel();
    m_cancelFlags &= static_cast<uint8_t>(~CANCELABLE_CALL);
    try
    {
        LogEntrance(LOG_CLASS, in_method);
        m_diagnostics->Clear();
        const SQLRETURN result = WithWarnings(in_call());
        if (!step.empty())
        {
            StepHook::ReportStep(("FreeConnectionLock_" + step).c_str());
        }
        return result;
    }
    catch (...)
    {
        return PostFailure(in_method);
    }
}

template <typename Call>
SQLRETURN Statement::RunCancelable(const char* in_method, bool in_takesConnectionLock, const char* in_step, Call in_call)
{
    const RunningCall running(*this);
    return RunCountedCancelable(in_method, in_takesConnectionLock, in_step, in_call);
}

template <typename Call>
SQLRETURN Statement::RunDispatchedCancelable(const char* in_method, Call in_call)
{
    // Uncounted, the call would run on a statement that a free on another thread may destroy.
    assert(IsCounted());
    return RunCountedCancelable(in_method, false, nullptr, in_call);
}

template <typename Call>
SQLRETURN Statement::RunCountedCancelable(const char* in_method,
                                          bool in_takesConnectionLock,
                                          const char* in_step,
                                          Call in_call)
{
    std::optional<CriticalSectionLock> connectionLock;
    if (in_takesConnectionLock && !Driver::IsConnectionLockSkipped())
    {
        connectionLock.emplace(m_connection->GetConnectionLock());
    }
    if (in_takesConnectionLock)
    {
        StepHook::ReportStep((std::string("GetConnectionLock_") + in_step).c_str());
    }
    CriticalSectionLock statementLock(m_statementLock);
    EnterCancelableCall();
    if (in_step != nullptr && !in_takesConnectionLock)
    {
        StepHook::ReportStep(in_step);
    }
    SQLRETURN result = SQL_ERROR;
    try
    {
        // SQLExecDirectW's entrance keeps the name log readers have always searched for.
        LogEntrance(LOG_CLASS, std::strcmp(in_method, "SQLExecDirectW") == 0 ? "SQLExectDirectW" : in_method);
        m_diagnostics->Clear();
        result = WithWarnings(in_call());
    }
    catch (...)
    {
        result = PostFailure(in_method);
    }
    if (in_takesConnectionLock)
    {
        StepHook::ReportStep((std::string("FreeConnectionLock_") + in_step).c_str());
    }
    LeaveCancelableCall();
    return result;
}

void Statement::ConsumeCancel()
{
    if ((m_cancelFlags & CANCEL_REQUESTED) != 0)
    {
        m_dsiStatement->ClearCancel();
        m_cancelFlags &= static_cast<uint8_t>(~CANCEL_REQUESTED);
    }
}

void Statement::EnterCancelableCall()
{
    uint8_t unmarked = 0;
    if (m_cancelFlags.compare_exchange_strong(unmarked, CANCELABLE_CALL))
    {
        return;
    }
    CriticalSectionLock cancelLock(m_cancelLock);
    ConsumeCancel();
    m_cancelFlags |= CANCELABLE_CALL;
}

void Statement::LeaveCancelableCall()
{
    uint8_t marked = CANCELABLE_CALL;
    if (m_cancelFlags.compare_exchange_strong(marked, 0))
    {
        return;
    }
    // A cancel came during the call: the member ends only once SQLCancel, which may still be
    // acting on it, has left the cancel lock.
    CriticalSectionLock cancelLock(m_cancelLock);
    m_cancelFlags &= static_cast<uint8_t>(~CANCELABLE_CALL);
}

SQLRETURN Statement::WithWarnings(SQLRETURN in_result)
{
    return in_result == SQL_SUCCESS && m_diagnostics->HasWarning() ? SQL_SUCCESS_WITH_INFO : in_result;
}

SQLRETURN Statement::PostFailure(const char* in_method)
{
    return FailurePoster::PostCurrentFailure(*m_diagnostics, m_log, LOG_CLASS, in_method);
}

void Statement::RenewDataEngine()
{
    std::unique_ptr<DSI::DSIDataEngine> engine = m_dsiStatement->CreateDataEngine();
    if (engine != m_dataEngine)
    {
        m_dataEngine = std::move(engine);
    }
}

void Statement::LogEntrance(const char* in_class, const char* in_method)
{
    if (m_log != nullptr)
    {
        m_log->LogFunctionEntrance(LOG_NAMESPACE, in_class, in_method);
    }
}

bool Statement::IsTracing() const
{
    return m_log != nullptr && m_log->GetLogLevel() >= DSI::LOG_TRACE;
}

void Statement::LogAttribute(const char* in_method, SQLINTEGER in_attribute)
{
    if (m_log != nullptr && m_log->GetLogLevel() >= DSI::LOG_INFO)
    {
        m_log->LogInfo(LOG_NAMESPACE, LOG_CLASS, in_method, "Attribute: %s (%d)", StatementAttrTypes::GetName(in_attribute),
                       static_cast<int>(in_attribute));
    }
}

// The ODBC functions.

SQLRETURN Statement::SQLBindCol(SQLUSMALLINT in_column,
                                SQLSMALLINT in_targetType,
                                SQLPOINTER in_target,
                                SQLLEN in_bufferLength,
                                SQLLEN* in_lengthOrIndicator)
{
    return RunPlain("SQLBindCol", false, [&] {
        try
        {
            m_state->SQLBindCol(in_column, in_targetType, in_target, in_bufferLength, in_lengthOrIndicator);
        }
        catch (const InvalidCTypeException& e)
        {
            // A C type that cannot describe an application buffer is the buffer type's error.
            throw e.HasParameters() ? ErrorException(DIAG_INVALID_APP_BUFFER_TYPE, e.GetComponentId(), e.GetMessageKey(),
                                                     e.GetParameters(), -1, -1)
                                    : ErrorException(DIAG_INVALID_APP_BUFFER_TYPE, e.GetComponentId(),
                                                     e.GetMessageKey(), -1, -1);
        }
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLBindParameter(SQLUSMALLINT in_parameter,
                                      SQLSMALLINT in_inputOutputType,
                                      SQLSMALLINT in_valueType,
                                      SQLSMALLINT in_parameterType,
                                      SQLULEN in_columnSize,
                                      SQLSMALLINT in_decimalDigits,
                                      SQLPOINTER in_value,
                                      SQLLEN in_bufferLength,
                                      SQLLEN* in_lengthOrIndicator)
{
    return RunPlain("SQLBindParameter", false, [&] {
        m_state->SQLBindParameter(in_parameter, in_inputOutputType, in_valueType, in_parameterType, in_columnSize,
                                  in_decimalDigits, in_value, in_bufferLength, in_lengthOrIndicator);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLCancel()
{
    const RunningCall running(*this);
    CriticalSectionLock cancelLock(m_cancelLock);
    const bool isCallRunning = (m_cancelFlags.fetch_or(CANCEL_REQUESTED) & CANCELABLE_CALL) != 0;
    if (!isCallRunning)
    {
        m_diagnostics->Clear();
    }
    try
    {
        LogEntrance(LOG_CLASS, "SQLCancel");
        std::unique_ptr<StatementState> next = m_state->SQLCancel();
        if (!isCallRunning)
        {
            SetState(std::move(next));
            return WithWarnings(SQL_SUCCESS);
        }
        return SQL_SUCCESS;
    }
    catch (...)
    {
        // The running call owns the diagnostics.
        return isCallRunning ? FailurePoster::LogCurrentFailure(m_log, LOG_CLASS, "SQLCancel") : PostFailure("SQLCancel");
    }
}

SQLRETURN Statement::SQLCloseCursor()
{
    return RunPlain("SQLCloseCursor", true, [&] {
        SetState(m_state->SQLCloseCursor());
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLColAttributeW(SQLUSMALLINT in_column,
                                      SQLUSMALLINT in_field,
                                      SQLPOINTER out_characterAttribute,
                                      SQLSMALLINT in_bufferLength,
                                      SQLSMALLINT* out_stringLength,
                                      SQLLEN* out_numericAttribute)
{
    return RunCancelable("SQLColAttributeW", false, nullptr, [&] {
        if (m_log != nullptr && m_log->GetLogLevel() >= DSI::LOG_INFO)
        {
            m_log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "SQLColAttributeW", "FieldIdentifier: %s (%u)",
                           ColumnFieldNames::GetName(in_field), static_cast<unsigned>(in_field));
        }
        m_state->SQLColAttributeW(in_column, in_field, out_characterAttribute, in_bufferLength, out_stringLength,
                                  out_numericAttribute);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLDescribeColW(SQLUSMALLINT in_column,
                                     SQLWCHAR* out_name,
                                     SQLSMALLINT in_bufferLength,
                                     SQLSMALLINT* out_nameLength,
                                     SQLSMALLINT* out_dataType,
                                     SQLULEN* out_columnSize,
                                     SQLSMALLINT* out_decimalDigits,
                                     SQLSMALLINT* out_nullable)
{
    return RunCancelable("SQLDescribeColW", false, nullptr, [&] {
        m_state->SQLDescribeColW(in_column, out_name, in_bufferLength, out_nameLength, out_dataType, out_columnSize,
                                 out_decimalDigits, out_nullable);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLDescribeParam(SQLUSMALLINT in_parameter,
                                      SQLSMALLINT* out_dataType,
                                      SQLULEN* out_parameterSize,
                                      SQLSMALLINT* out_decimalDigits,
                                      SQLSMALLINT* out_nullable)
{
    return RunCancelable("SQLDescribeParam", false, nullptr, [&] {
        m_state->SQLDescribeParam(in_parameter, out_dataType, out_parameterSize, out_decimalDigits, out_nullable);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    return RunCancelable("SQLExecDirectW", false, "SetCancelable_SQLExecDirect", [&] {
        RenewDataEngine();
        StatementStateResult result = m_state->SQLExecDirectW(in_statementText, in_textLength);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLExecute()
{
    return RunCancelable("SQLExecute", false, "SetCancelable_SQLExecute", [&] {
        StatementStateResult result = m_state->SQLExecute();
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLExtendedFetch(SQLUSMALLINT in_orientation,
                                      SQLLEN in_offset,
                                      SQLULEN* out_rowCount,
                                      SQLUSMALLINT* out_rowStatus)
{
    return RunCancelable("SQLExtendedFetch", false, nullptr, [&] {
        StatementStateResult result = m_state->SQLExtendedFetch(in_orientation, in_offset, out_rowCount, out_rowStatus);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLFetch()
{
    return RunDispatchedCancelable("SQLFetch", [&] {
        StatementStateResult result = m_state->SQLFetch();
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset)
{
    return RunDispatchedCancelable("SQLFetchScroll", [&] {
        StatementStateResult result = m_state->SQLFetchScroll(in_orientation, in_offset);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLFreeStmt(SQLUSMALLINT in_option)
{
    return RunPlain("SQLFreeStmt", true, [&] {
        SetState(m_state->SQLFreeStmt(in_option));
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLGetCursorNameW(SQLWCHAR* out_name, SQLSMALLINT in_bufferLength, SQLSMALLINT* out_nameLength)
{
    return RunPlain("SQLGetCursorNameW", false, [&] {
        m_state->SQLGetCursorNameW(out_name, in_bufferLength, out_nameLength);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLGetData(SQLUSMALLINT in_column,
                                SQLSMALLINT in_targetType,
                                SQLPOINTER out_target,
                                SQLLEN in_bufferLength,
                                SQLLEN* out_lengthOrIndicator)
{
    return RunDispatchedCancelable("SQLGetData", [&] {
        try
        {
            StatementStateResult result =
                m_state->SQLGetData(in_column, in_targetType, out_target, in_bufferLength, out_lengthOrIndicator);
            SetState(std::move(result.m_nextState));
            return result.m_returnCode;
        }
        catch (const NoDataException&)
        {
            return static_cast<SQLRETURN>(SQL_NO_DATA);
        }
    });
}

SQLRETURN Statement::SQLGetStmtAttrW(SQLINTEGER in_attribute,
                                     SQLPOINTER out_value,
                                     SQLINTEGER in_bufferLength,
                                     SQLINTEGER* out_stringLength)
{
    return RunPlain("SQLGetStmtAttrW", false, [&] {
        LogAttribute("SQLGetStmtAttrW", in_attribute);
        m_state->SQLGetStmtAttrW(in_attribute, out_value, in_bufferLength, out_stringLength);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLMoreResults()
{
    return RunCancelable("SQLMoreResults", true, "SQLMoreResults", [&] {
        StatementStateResult result = m_state->SQLMoreResults();
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLNumParams(SQLSMALLINT* out_count)
{
    return RunCancelable("SQLNumParams", false, nullptr, [&] {
        m_state->SQLNumParams(out_count);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLNumResultCols(SQLSMALLINT* out_count)
{
    return RunCancelable("SQLNumResultCols", false, nullptr, [&] {
        m_state->SQLNumResultCols(out_count);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLParamData(SQLPOINTER* out_value)
{
    return RunCancelable("SQLParamData", false, nullptr, [&] {
        StatementStateResult result = m_state->SQLParamData(out_value);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength)
{
    return RunCancelable("SQLPrepareW", true, "SQLPrepare", [&] {
        RenewDataEngine();
        StatementStateResult result = m_state->SQLPrepareW(in_statementText, in_textLength);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator)
{
    return RunCancelable("SQLPutData", false, nullptr, [&] {
        StatementStateResult result = m_state->SQLPutData(in_data, in_lengthOrIndicator);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLRowCount(SQLLEN* out_count)
{
    return RunPlain("SQLRowCount", false, [&] {
        m_state->SQLRowCount(out_count);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::SQLSetCursorNameW(SQLWCHAR* in_name, SQLSMALLINT in_nameLength)
{
    orvik_wstring name;
    const SQLRETURN result = RunPlain("SQLSetCursorNameW", false, [&] {
        name = m_state->SQLSetCursorNameW(in_name, in_nameLength);
        return SQL_SUCCESS;
    });
    if (result != SQL_SUCCESS)
    {
        return result;
    }
    // The connection compares the name with its other statements' under its statement list,
    // which it takes before any statement's lock: this statement's locks are left first.
    try
    {
        m_connection->SetCursorNameForStatement(name, *this);
        return WithWarnings(SQL_SUCCESS);
    }
    catch (...)
    {
        return PostFailure("SQLSetCursorNameW");
    }
}

SQLRETURN Statement::SQLSetPos(SQLSETPOSIROW in_row, SQLUSMALLINT in_operation, SQLUSMALLINT in_lockType)
{
    return RunCancelable("SQLSetPos", false, nullptr, [&] {
        StatementStateResult result = m_state->SQLSetPos(in_row, in_operation, in_lockType);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

SQLRETURN Statement::SQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength)
{
    return RunPlain("SQLSetStmtAttrW", false, [&] {
        LogAttribute("SQLSetStmtAttrW", in_attribute);
        m_state->SQLSetStmtAttrW(in_attribute, in_value, in_stringLength);
        return SQL_SUCCESS;
    });
}

SQLRETURN Statement::EndTransaction(SQLSMALLINT in_completionType, bool in_flag)
{
    CriticalSectionLock statementLock(m_statementLock);
    CriticalSectionLock cancelLock(m_cancelLock);
    ConsumeCancel();
    m_cancelFlags &= static_cast<uint8_t>(~CANCELABLE_CALL);
    try
    {
        LogEntrance(LOG_CLASS, "EndTransaction");
        StatementStateResult result = m_state->EndTransaction(in_completionType, in_flag);
        SetState(std::move(result.m_nextState));
        return WithWarnings(result.m_returnCode);
    }
    catch (...)
    {
        return PostFailure("EndTransaction");
    }
}

SQLRETURN Statement::ExecuteCatalogFunction(int32_t in_functionId, const std::vector<Variant>& in_arguments)
{
    return RunCancelable("ExecuteCatalogFunction", false, nullptr, [&] {
        RenewDataEngine();
        StatementStateResult result = m_state->ExecuteCatalogFunction(in_functionId, in_arguments);
        SetState(std::move(result.m_nextState));
        return result.m_returnCode;
    });
}

// Services.

bool Statement::CloseToCalls(HandleClosing& io_closing)
{
    if (m_connection != nullptr)
    {
        Driver& driver = m_connection->GetEnvironment().GetDriver();
        for (const Descriptor* descriptor :
             {static_cast<Descriptor*>(m_ipd.get()), static_cast<Descriptor*>(m_ird.get()),
              static_cast<Descriptor*>(m_implicitAPD.get()), static_cast<Descriptor*>(m_implicitARD.get())})
        {
            if (!io_closing.Close(driver.GetDescriptorSlot(descriptor->GetHandle())))
            {
                return false;
            }
        }
    }
    // Closed to calls by its value, the statement may still be busy with its task or with a
    // member that its connection called.
    return io_closing.Close(GetSlot()) && !IsBusy();
}

void Statement::InstallState(std::unique_ptr<StatementState>&& io_next)
{
    bool hadOpenCursor = false;
    bool hasOpenCursor = false;
    {
        CriticalSectionLock cancelLock(m_cancelLock);
        hadOpenCursor = m_state->HasOpenCursor();
        hasOpenCursor = io_next->HasOpenCursor();
        m_state = std::move(io_next);
    }
    if (hadOpenCursor && !hasOpenCursor)
    {
        m_connection->NotifyCursorClosed();
    }
    else if (!hadOpenCursor && hasOpenCursor)
    {
        m_connection->NotifyCursorOpened();
    }
}

StatementState& Statement::GetState()
{
    CriticalSectionLock cancelLock(m_cancelLock);
    return *m_state;
}

bool Statement::HasOpenCursor()
{
    CriticalSectionLock cancelLock(m_cancelLock);
    return m_state->HasOpenCursor();
}

bool Statement::IsInCancelableCall()
{
    return (m_cancelFlags & CANCELABLE_CALL) != 0;
}

void Statement::ThrowIfCanceled()
{
    if (m_cancelFlags == (CANCELABLE_CALL | CANCEL_REQUESTED))
    {
        throw DSI::OperationCanceledException(ODBC_COMPONENT_ID, u"OperationCanceled");
    }
}

DiagManager& Statement::GetDiagManager()
{
    return *m_diagnostics;
}

orvik_wstring Statement::GetCursorName()
{
    // Another statement's naming reads this under the connection's statement list: only the
    // name's own lock, never the statement lock, may be taken there.
    CriticalSectionLock nameLock(m_cursorNameLock);
    return m_cursorName;
}

void Statement::SetCursorName(const orvik_wstring& in_name)
{
    CriticalSectionLock statementLock(m_statementLock);
    if (HasReservedPrefix(in_name))
    {
        throw ErrorException(DIAG_INVALID_CURSOR_NAME, ODBC_COMPONENT_ID, u"CursorNameBeginWithReservedPrefix", -1, -1);
    }
    m_dsiStatement->SetCursorName(in_name);
    CriticalSectionLock nameLock(m_cursorNameLock);
    m_cursorName = in_name;
}

void Statement::SetQueryManager(std::unique_ptr<QueryManager> in_manager)
{
    std::unique_ptr<QueryManager> old;
    {
        CriticalSectionLock cancelLock(m_cancelLock);
        if (in_manager != m_queryManager)
        {
            old = std::exchange(m_queryManager, std::move(in_manager));
        }
    }
}

void Statement::SetCurrentAPD(AppDescriptorBase& io_descriptor)
{
    SetCurrentAppDescriptor(m_currentAPD, io_descriptor);
}

void Statement::SetCurrentARD(AppDescriptorBase& io_descriptor)
{
    SetCurrentAppDescriptor(m_currentARD, io_descriptor);
}

void Statement::SetCurrentAppDescriptor(AppDescriptorBase*& io_current, AppDescriptorBase& io_descriptor)
{
    AppDescriptorBase* const previous = io_current;
    io_current = &io_descriptor;
    // An explicit descriptor used as both ARD and APD is listened to until neither uses it.
    if (previous != &io_descriptor && previous->IsExplicit() && previous != m_currentAPD && previous != m_currentARD)
    {
        previous->RemoveDeleteListener(this);
    }
    if (io_descriptor.IsExplicit())
    {
        io_descriptor.AddDeleteListener(this);
    }
}

bool Statement::IsImplicitAPD(const Descriptor* in_descriptor) const
{
    return in_descriptor == m_implicitAPD.get();
}

bool Statement::IsImplicitARD(const Descriptor* in_descriptor) const
{
    return in_descriptor == m_implicitARD.get();
}

void Statement::DropAppDescriptor(Descriptor& io_descriptor)
{
    if (!io_descriptor.IsExplicit())
    {
        throw ODBCInternalException(u"DropImplicitAppDesc");
    }
    const bool isAPD = &io_descriptor == m_currentAPD;
    const bool isARD = &io_descriptor == m_currentARD;
    if (!isAPD && !isARD)
    {
        throw ODBCInternalException(u"ExplAppDescNotFound");
    }
    // The descriptor is going: it tells no one any more, so nothing is taken off its list.
    if (isAPD)
    {
        m_currentAPD = m_implicitAPD.get();
    }
    if (isARD)
    {
        m_currentARD = m_implicitARD.get();
    }
}

bool Statement::IsUsingBookmarks()
{
    return m_attributes->GetValue(SQL_ATTR_USE_BOOKMARKS) != SQL_UB_OFF;
}

Descriptor& Statement::GetDescriptor(StatementDescriptor in_descriptor)
{
    switch (in_descriptor)
    {
    case StatementDescriptor::ARD:
        return *m_currentARD;
    case StatementDescriptor::APD:
        return *m_currentAPD;
    case StatementDescriptor::IRD:
        return *m_ird;
    case StatementDescriptor::IPD:
        return *m_ipd;
    default:
        throw ODBCInternalException(u"GenErr");
    }
}

} // namespace ODBC
} // namespace Orvik
