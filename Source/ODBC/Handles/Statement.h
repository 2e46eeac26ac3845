#pragma once

#include "ODBC/Attributes/StatementAttrTypes.h"
#include "ODBC/Descriptors/IDescriptorDeleteListener.h"
#include "ODBC/Descriptors/IRowDescriptorOwner.h"
#include "ODBC/Handles/HandleGenerator.h"
#include "ODBC/Handles/ODBCHandle.h"
#include "Support/CriticalSection.h"
#include "Support/SharedPtr.h"
#include "Support/Variant.h"

#include <sql.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {

namespace DSI {
class DSIDataEngine;
class DSILog;
class DSIMessageSource;
class DSIStatement;
} // namespace DSI

namespace ODBC {

class AppDescriptor;
class AppDescriptorBase;
class Connection;
class Descriptor;
class DiagManager;
class HandleClosing;
class ImplParamDescriptor;
class ImplRowDescriptor;
class QueryManager;
class StatementAttributes;
class StatementState;

/// The object behind one statement handle. Each ODBC member takes the statement's locks, keeps
/// the two cancel flags, clears the diagnostics, logs, hands the call to the operation of the
/// same name of the current state object (S1 to S10), installs the state that comes back and
/// turns the outcome into an SQLRETURN; failures become records and SQL_ERROR, with the state
/// unchanged. The statement owns its data-store statement and data engine, its attributes, its
/// diagnostics, its four implicit descriptors, its state and its query manager; its connection
/// owns it.
///
/// Plain members hold the cancel lock for their whole run; the cancelable ones (execution,
/// fetching, describing, data at execution, catalog functions) take it only to consume a cancel
/// request at their start or to wait for one that came during their run, so that SQLCancel,
/// which takes only the cancel lock, runs beside them on another thread. Locks, outermost first:
/// the connection-wide lock (SQLCloseCursor, SQLFreeStmt, SQLMoreResults and SQLPrepareW, unless
/// the driver skips it), the statement lock, the cancel lock.
///
/// The members its connection calls are virtual, so that tests of the connection can stand a
/// statement of their own in (made through an installed maker, on the hollow constructor).
class Statement : public ODBCHandle, public IRowDescriptorOwner, public IDescriptorDeleteListener
{
public:
    /// Makes the statement of handle in_handle on io_connection; tests install one of their own.
    using Maker = std::unique_ptr<Statement> (*)(HandleValue in_handle, Connection& io_connection);

    /// Installs the maker of statements (null for the driver's own).
    static void SetMaker(Maker in_maker);

    /// A new statement, made by the installed maker or else as the driver's own.
    static std::unique_ptr<Statement> Make(HandleValue in_handle, Connection& io_connection);

    /// The statement of handle in_handle on io_connection: its data-store statement, attributes,
    /// diagnostics (in the connection's locale and ODBC version), its four implicit descriptors
    /// registered with the driver, the cursor name "SQL_CUR" and the handle number, and the
    /// state S1. A failure leaves nothing registered and passes the error on, so that the
    /// allocation fails (running out of memory gives HY001).
    Statement(HandleValue in_handle, Connection& io_connection);

    ~Statement() override;

    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // The ODBC functions, with the arguments of their wide forms after the statement handle.

    SQLRETURN SQLBindCol(SQLUSMALLINT in_column,
                         SQLSMALLINT in_targetType,
                         SQLPOINTER in_target,
                         SQLLEN in_bufferLength,
                         SQLLEN* in_lengthOrIndicator);
    SQLRETURN SQLBindParameter(SQLUSMALLINT in_parameter,
                               SQLSMALLINT in_inputOutputType,
                               SQLSMALLINT in_valueType,
                               SQLSMALLINT in_parameterType,
                               SQLULEN in_columnSize,
                               SQLSMALLINT in_decimalDigits,
                               SQLPOINTER in_value,
                               SQLLEN in_bufferLength,
                               SQLLEN* in_lengthOrIndicator);

    /// Takes only the cancel lock: it waits for a plain member and runs beside a cancelable one,
    /// whose diagnostics it never touches (its own errors are then only logged).
    SQLRETURN SQLCancel();

    virtual SQLRETURN SQLCloseCursor();
    SQLRETURN SQLColAttributeW(SQLUSMALLINT in_column,
                               SQLUSMALLINT in_field,
                               SQLPOINTER out_characterAttribute,
                               SQLSMALLINT in_bufferLength,
                               SQLSMALLINT* out_stringLength,
                               SQLLEN* out_numericAttribute);
    SQLRETURN SQLDescribeColW(SQLUSMALLINT in_column,
                              SQLWCHAR* out_name,
                              SQLSMALLINT in_bufferLength,
                              SQLSMALLINT* out_nameLength,
                              SQLSMALLINT* out_dataType,
                              SQLULEN* out_columnSize,
                              SQLSMALLINT* out_decimalDigits,
                              SQLSMALLINT* out_nullable);
    SQLRETURN SQLDescribeParam(SQLUSMALLINT in_parameter,
                               SQLSMALLINT* out_dataType,
                               SQLULEN* out_parameterSize,
                               SQLSMALLINT* out_decimalDigits,
                               SQLSMALLINT* out_nullable);
    virtual SQLRETURN SQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength);
    virtual SQLRETURN SQLExecute();
    SQLRETURN SQLExtendedFetch(SQLUSMALLINT in_orientation,
                               SQLLEN in_offset,
                               SQLULEN* out_rowCount,
                               SQLUSMALLINT* out_rowStatus);
    SQLRETURN SQLFetch();
    SQLRETURN SQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset);
    SQLRETURN SQLFreeStmt(SQLUSMALLINT in_option);
    SQLRETURN SQLGetCursorNameW(SQLWCHAR* out_name, SQLSMALLINT in_bufferLength, SQLSMALLINT* out_nameLength);

    /// SQL_NO_DATA without a record when the column's data is used up.
    SQLRETURN SQLGetData(SQLUSMALLINT in_column,
                         SQLSMALLINT in_targetType,
                         SQLPOINTER out_target,
                         SQLLEN in_bufferLength,
                         SQLLEN* out_lengthOrIndicator);
    SQLRETURN SQLGetStmtAttrW(SQLINTEGER in_attribute,
                              SQLPOINTER out_value,
                              SQLINTEGER in_bufferLength,
                              SQLINTEGER* out_stringLength);
    SQLRETURN SQLMoreResults();
    SQLRETURN SQLNumParams(SQLSMALLINT* out_count);
    SQLRETURN SQLNumResultCols(SQLSMALLINT* out_count);
    SQLRETURN SQLParamData(SQLPOINTER* out_value);
    SQLRETURN SQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength);
    SQLRETURN SQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator);
    SQLRETURN SQLRowCount(SQLLEN* out_count);
    SQLRETURN SQLSetCursorNameW(SQLWCHAR* in_name, SQLSMALLINT in_nameLength);
    SQLRETURN SQLSetPos(SQLSETPOSIROW in_row, SQLUSMALLINT in_operation, SQLUSMALLINT in_lockType);
    virtual SQLRETURN SQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength);

    /// The connection's transaction ended (in_completionType SQL_COMMIT or SQL_ROLLBACK): the
    /// state keeps or closes the cursor and the prepared statement by the data source's cursor
    /// behaviour. Does not clear the diagnostics; posts its own errors.
    virtual SQLRETURN EndTransaction(SQLSMALLINT in_completionType, bool in_flag);

    /// Catalog function in_functionId with its arguments, one Variant per argument after the
    /// statement handle (a null pointer as the null string).
    virtual SQLRETURN ExecuteCatalogFunction(int32_t in_functionId, const std::vector<Support::Variant>& in_arguments);

    // What the states, the attributes and the connection use.

    /// Closes the statement and its implicit descriptors to new calls for their free: false
    /// while a call runs on one of them or a task on the statement; io_closing opens again what
    /// it closed unless the free goes ahead.
    bool CloseToCalls(HandleClosing& io_closing);

    /// Installs in_next as the current state (null keeps the current one) and tells the
    /// connection when a cursor opened or closed with it.
    void SetState(std::unique_ptr<StatementState>&& in_next)
    {
        // Most calls keep their state: that case costs no call.
        if (in_next)
        {
            InstallState(std::move(in_next));
        }
    }

    /// The current state, read under the cancel lock; valid until the next transition.
    StatementState& GetState();

    /// Whether the current state has an open cursor.
    virtual bool HasOpenCursor();

    /// Whether one of the cancelable members runs.
    bool IsInCancelableCall();

    /// Throws OperationCanceledException "OperationCanceled" (HY008) when SQLCancel came during
    /// the cancelable member that runs.
    void ThrowIfCanceled();

    virtual DiagManager& GetDiagManager();
    virtual Support::orvik_wstring GetCursorName();

    /// Takes in_name as the cursor name; a name beginning with "SQL_CUR" or "SQLCUR" throws
    /// "CursorNameBeginWithReservedPrefix" (34000) and the old name stays.
    virtual void SetCursorName(const Support::orvik_wstring& in_name);

    /// Replaces the query manager (null drops it).
    void SetQueryManager(std::unique_ptr<QueryManager> in_manager);
    QueryManager* GetQueryManager() { return m_queryManager.get(); }

    /// The data engine of the last prepare, direct execution or catalog function, or null.
    DSI::DSIDataEngine* GetDataEngine() { return m_dataEngine.get(); }

    /// True while the query manager holds text prepared by SQLPrepare.
    void SetPrepared(bool in_isPrepared) { m_isPrepared = in_isPrepared; }
    bool IsPrepared() const { return m_isPrepared; }

    /// Makes in_descriptor the current APD or ARD: the implicit one, or an explicit one of the
    /// connection, which the statement then listens to.
    void SetCurrentAPD(AppDescriptorBase& io_descriptor);
    void SetCurrentARD(AppDescriptorBase& io_descriptor);
    bool IsImplicitAPD(const Descriptor* in_descriptor) const;
    bool IsImplicitARD(const Descriptor* in_descriptor) const;

    /// An explicit descriptor in use is being freed: the implicit one of its kind becomes current.
    /// Throws ODBCInternalException "DropImplicitAppDesc" for an implicit descriptor and
    /// "ExplAppDescNotFound" for one the statement does not use.
    void DropAppDescriptor(Descriptor& io_descriptor) override;

    // IRowDescriptorOwner
    Support::CriticalSection& GetStatementLock() override { return m_statementLock; }

    /// The lock SQLCancel takes, and the plain members throughout (see CallHold).
    Support::CriticalSection& GetCancelLock() { return m_cancelLock; }
    bool IsUsingBookmarks() override;

    /// One of the four current descriptors.
    Descriptor& GetDescriptor(StatementDescriptor in_descriptor);
    AppDescriptorBase& GetCurrentAPD() { return *m_currentAPD; }
    AppDescriptorBase& GetCurrentARD() { return *m_currentARD; }
    AppDescriptor& GetImplicitAPD() { return *m_implicitAPD; }
    AppDescriptor& GetImplicitARD() { return *m_implicitARD; }
    ImplParamDescriptor& GetIPD() { return *m_ipd; }
    ImplRowDescriptor& GetIRD() { return *m_ird; }

    HandleValue GetHandle() const { return m_handle; }
    Connection& GetConnection() { return *m_connection; }
    DSI::DSIStatement& GetDSIStatement() { return *m_dsiStatement; }
    StatementAttributes& GetAttributes() { return *m_attributes; }
    DSI::DSILog* GetLog() { return m_log; }

    /// Writes the entrance of in_method of in_class at TRACE.
    void LogEntrance(const char* in_class, const char* in_method);

    /// Whether entrances are logged: the states ask before they name themselves for the line.
    bool IsTracing() const;

protected:
    /// A statement that is only a handle value: for tests that stand in for the whole statement
    /// and override every member their connection calls.
    explicit Statement(HandleValue in_handle);

private:
    /// The frame of the plain members.
    template <typename Call>
    SQLRETURN RunPlain(const char* in_method, bool in_takesConnectionLock, Call in_call);

    /// The frame of the cancelable members; in_step, when given, is reported once the call is
    /// marked cancelable.
    template <typename Call>
    SQLRETURN RunCancelable(const char* in_method, bool in_takesConnectionLock, const char* in_step, Call in_call);

    /// The frame of the cancelable members that only the dispatcher runs (fetching and
    /// SQLGetData, called once a cell): the dispatcher has counted the call, and a task on a
    /// worker is known to its handle, so the frame counts nothing itself.
    template <typename Call>
    SQLRETURN RunDispatchedCancelable(const char* in_method, Call in_call);

    /// RunCancelable once the call is counted.
    template <typename Call>
    SQLRETURN RunCountedCancelable(const char* in_method, bool in_takesConnectionLock, const char* in_step, Call in_call);

    /// SetState's work for a new state.
    void InstallState(std::unique_ptr<StatementState>&& io_next);

    /// Forgets a cancel request that a new call consumes; under the cancel lock.
    void ConsumeCancel();

    /// Marks a cancelable member as running, and clears the mark when it ends. Without a cancel
    /// request each is one exchange on the flags; a request makes them take the cancel lock.
    void EnterCancelableCall();
    void LeaveCancelableCall();

    /// SQL_SUCCESS_WITH_INFO for SQL_SUCCESS when a warning was posted.
    SQLRETURN WithWarnings(SQLRETURN in_result);

    /// Posts and logs the exception being handled; SQL_ERROR.
    SQLRETURN PostFailure(const char* in_method);

    /// Asks the data-store statement for the data engine of a new preparation.
    void RenewDataEngine();

    /// Logs "Attribute: %s (%d)" at INFO.
    void LogAttribute(const char* in_method, SQLINTEGER in_attribute);

    /// Makes the four implicit descriptors, each registered with the driver as soon as it exists.
    void MakeDescriptors();

    /// Takes the implicit descriptors made so far off the driver's registries.
    void UnregisterDescriptors();

    void SetCurrentAppDescriptor(AppDescriptorBase*& io_current, AppDescriptorBase& io_descriptor);

    HandleValue m_handle;
    std::unique_ptr<StatementState> m_state;
    std::unique_ptr<DSI::DSIStatement> m_dsiStatement;
    Connection* m_connection = nullptr;
    std::unique_ptr<StatementAttributes> m_attributes;
    Support::SharedPtr<DSI::DSIMessageSource> m_messageSource;
    std::unique_ptr<DiagManager> m_diagnostics;
    DSI::DSILog* m_log = nullptr;
    std::unique_ptr<ImplParamDescriptor> m_ipd;
    std::unique_ptr<ImplRowDescriptor> m_ird;
    std::unique_ptr<AppDescriptor> m_implicitAPD;
    std::unique_ptr<AppDescriptor> m_implicitARD;
    AppDescriptorBase* m_currentAPD = nullptr;
    AppDescriptorBase* m_currentARD = nullptr;
    Support::CriticalSection m_statementLock;
    Support::CriticalSection m_cancelLock;
    // CANCELABLE_CALL while a cancelable member runs, CANCEL_REQUESTED once SQLCancel came and no
    // call consumed it. SQLCancel sets its request under the cancel lock; a cancelable member
    // marks and unmarks itself by exchanging the whole word, so that the exchange fails when a
    // request came first, and the member then waits for SQLCancel under the cancel lock. Read
    // without the lock where a descriptor's lock is held, which comes after the cancel lock.
    static constexpr uint8_t CANCELABLE_CALL = 1;
    static constexpr uint8_t CANCEL_REQUESTED = 2;
    std::atomic<uint8_t> m_cancelFlags{0};
    std::unique_ptr<QueryManager> m_queryManager;
    Support::CriticalSection m_cursorNameLock;
    Support::orvik_wstring m_cursorName;
    bool m_isPrepared = false;
    std::unique_ptr<DSI::DSIDataEngine> m_dataEngine;
};

} // namespace ODBC
} // namespace Orvik
