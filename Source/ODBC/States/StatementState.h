#pragma once

#include "ODBC/States/StatementStateMatrix.h"
#include "Support/CriticalSectionLock.h"
#include "Support/Variant.h"

#include <sql.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {

namespace DSI {
class IResult;
} // namespace DSI

namespace ODBC {

class Descriptor;
class QueryManager;
class SqlQueryManager;
class Statement;
struct StatementStateResult;

/// A state of the ODBC statement state machine (S1 to S10): each statement owns one and hands
/// every statement function to it; a transition replaces it by a new object, which the
/// operation returns (null keeps the current state).
///
/// Each public operation first looks up its cell of the state matrix for this state: an error
/// cell throws that error, SQL_NO_DATA cells return at once, and RUN cells run the protected
/// operation of the same name (Do...). The defaults of those here are the shared bodies; the
/// state classes override what differs. Errors are thrown as ErrorException (component 1) and
/// leave the state unchanged; a state that must leave itself on failure posts the error itself
/// and returns its next state with SQL_ERROR.
class StatementState
{
public:
    virtual ~StatementState();

    StatementState(const StatementState&) = delete;
    StatementState& operator=(const StatementState&) = delete;

    /// The ODBC state this object stands for: 1 to 10.
    virtual int32_t GetStateNumber() const = 0;

    /// The class name for log lines.
    virtual const char* GetClassName() const = 0;

    // The operations, in slot order, with the arguments of the statement's members.

    void SQLBindCol(SQLUSMALLINT in_column,
                    SQLSMALLINT in_targetType,
                    SQLPOINTER in_target,
                    SQLLEN in_bufferLength,
                    SQLLEN* in_lengthOrIndicator);
    void SQLBindParameter(SQLUSMALLINT in_parameter,
                          SQLSMALLINT in_inputOutputType,
                          SQLSMALLINT in_valueType,
                          SQLSMALLINT in_parameterType,
                          SQLULEN in_columnSize,
                          SQLSMALLINT in_decimalDigits,
                          SQLPOINTER in_value,
                          SQLLEN in_bufferLength,
                          SQLLEN* in_lengthOrIndicator);
    std::unique_ptr<StatementState> SQLCancel();
    std::unique_ptr<StatementState> SQLCloseCursor();
    void SQLColAttributeW(SQLUSMALLINT in_column,
                          SQLUSMALLINT in_field,
                          SQLPOINTER out_characterAttribute,
                          SQLSMALLINT in_bufferLength,
                          SQLSMALLINT* out_stringLength,
                          SQLLEN* out_numericAttribute);
    void SQLDescribeColW(SQLUSMALLINT in_column,
                         SQLWCHAR* out_name,
                         SQLSMALLINT in_bufferLength,
                         SQLSMALLINT* out_nameLength,
                         SQLSMALLINT* out_dataType,
                         SQLULEN* out_columnSize,
                         SQLSMALLINT* out_decimalDigits,
                         SQLSMALLINT* out_nullable);
    void SQLDescribeParam(SQLUSMALLINT in_parameter,
                          SQLSMALLINT* out_dataType,
                          SQLULEN* out_parameterSize,
                          SQLSMALLINT* out_decimalDigits,
                          SQLSMALLINT* out_nullable);
    StatementStateResult EndTransaction(SQLSMALLINT in_completionType, bool in_flag);
    StatementStateResult SQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength);
    StatementStateResult SQLExecute();
    StatementStateResult SQLExtendedFetch(SQLUSMALLINT in_orientation,
                                          SQLLEN in_offset,
                                          SQLULEN* out_rowCount,
                                          SQLUSMALLINT* out_rowStatus);
    StatementStateResult SQLFetch();
    StatementStateResult SQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset);
    std::unique_ptr<StatementState> SQLFreeStmt(SQLUSMALLINT in_option);
    void SQLGetCursorNameW(SQLWCHAR* out_name, SQLSMALLINT in_bufferLength, SQLSMALLINT* out_nameLength);
    StatementStateResult SQLGetData(SQLUSMALLINT in_column,
                                    SQLSMALLINT in_targetType,
                                    SQLPOINTER out_target,
                                    SQLLEN in_bufferLength,
                                    SQLLEN* out_lengthOrIndicator);
    void SQLGetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER out_value, SQLINTEGER in_bufferLength, SQLINTEGER* out_stringLength);
    StatementStateResult SQLMoreResults();
    void SQLNumParams(SQLSMALLINT* out_count);
    void SQLNumResultCols(SQLSMALLINT* out_count);
    StatementStateResult SQLParamData(SQLPOINTER* out_value);
    StatementStateResult SQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength);
    StatementStateResult SQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator);
    void SQLRowCount(SQLLEN* out_count);
    /// The name the application gives, which the statement then hands to its connection.
    Support::orvik_wstring SQLSetCursorNameW(SQLWCHAR* in_name, SQLSMALLINT in_nameLength);
    StatementStateResult SQLSetPos(SQLSETPOSIROW in_row, SQLUSMALLINT in_operation, SQLUSMALLINT in_lockType);
    void SQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength);
    bool HasOpenCursor() const;
    StatementStateResult ExecuteCatalogFunction(int32_t in_functionId, const std::vector<Support::Variant>& in_arguments);

    /// Whether application data of C type in_cType can become SQL type in_sqlType: SQL_C_DEFAULT
    /// always, a code outside the SQL type table always; else a converter must exist in the
    /// registry. SQL type 99 throws "InvalidParamSqlDataType" (HY004); a code without a type id
    /// throws "TDWTypeNotFoundForSqlType" or "TDWTypeNotFoundForCType" with its name and number.
    static bool IsCToSqlConversionSupported(int16_t in_cType, int16_t in_sqlType);

    /// Holds the current APD's lock and then the IPD's, as binding parameters and executing
    /// take them.
    class ParameterLocks
    {
    public:
        explicit ParameterLocks(Statement& io_statement);

    private:
        Support::CriticalSectionLock m_apdLock;
        Support::CriticalSectionLock m_ipdLock;
    };

protected:
    explicit StatementState(Statement& io_statement);

    // The bodies of the RUN cells; the defaults are the shared ones.
    virtual void DoSQLBindCol(SQLUSMALLINT in_column,
                              SQLSMALLINT in_targetType,
                              SQLPOINTER in_target,
                              SQLLEN in_bufferLength,
                              SQLLEN* in_lengthOrIndicator);
    virtual void DoSQLBindParameter(SQLUSMALLINT in_parameter,
                                    SQLSMALLINT in_inputOutputType,
                                    SQLSMALLINT in_valueType,
                                    SQLSMALLINT in_parameterType,
                                    SQLULEN in_columnSize,
                                    SQLSMALLINT in_decimalDigits,
                                    SQLPOINTER in_value,
                                    SQLLEN in_bufferLength,
                                    SQLLEN* in_lengthOrIndicator);

    /// While a cancelable call runs on another thread: cancels the data-store statement and asks
    /// the query manager to cancel. Nothing otherwise.
    virtual std::unique_ptr<StatementState> DoSQLCancel();
    virtual std::unique_ptr<StatementState> DoSQLCloseCursor();
    virtual void DoSQLColAttributeW(SQLUSMALLINT in_column,
                                    SQLUSMALLINT in_field,
                                    SQLPOINTER out_characterAttribute,
                                    SQLSMALLINT in_bufferLength,
                                    SQLSMALLINT* out_stringLength,
                                    SQLLEN* out_numericAttribute);
    virtual void DoSQLDescribeColW(SQLUSMALLINT in_column,
                                   SQLWCHAR* out_name,
                                   SQLSMALLINT in_bufferLength,
                                   SQLSMALLINT* out_nameLength,
                                   SQLSMALLINT* out_dataType,
                                   SQLULEN* out_columnSize,
                                   SQLSMALLINT* out_decimalDigits,
                                   SQLSMALLINT* out_nullable);
    virtual void DoSQLDescribeParam(SQLUSMALLINT in_parameter,
                                    SQLSMALLINT* out_dataType,
                                    SQLULEN* out_parameterSize,
                                    SQLSMALLINT* out_decimalDigits,
                                    SQLSMALLINT* out_nullable);
    virtual StatementStateResult DoEndTransaction(SQLSMALLINT in_completionType, bool in_flag);
    virtual StatementStateResult DoSQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength);
    virtual StatementStateResult DoSQLExecute();
    virtual StatementStateResult DoSQLExtendedFetch(SQLUSMALLINT in_orientation,
                                                    SQLLEN in_offset,
                                                    SQLULEN* out_rowCount,
                                                    SQLUSMALLINT* out_rowStatus);
    virtual StatementStateResult DoSQLFetch();
    virtual StatementStateResult DoSQLFetchScroll(SQLSMALLINT in_orientation, SQLLEN in_offset);
    virtual std::unique_ptr<StatementState> DoSQLFreeStmt(SQLUSMALLINT in_option);
    virtual void DoSQLGetCursorNameW(SQLWCHAR* out_name, SQLSMALLINT in_bufferLength, SQLSMALLINT* out_nameLength);
    virtual StatementStateResult DoSQLGetData(SQLUSMALLINT in_column,
                                              SQLSMALLINT in_targetType,
                                              SQLPOINTER out_target,
                                              SQLLEN in_bufferLength,
                                              SQLLEN* out_lengthOrIndicator);
    virtual void DoSQLGetStmtAttrW(SQLINTEGER in_attribute,
                                   SQLPOINTER out_value,
                                   SQLINTEGER in_bufferLength,
                                   SQLINTEGER* out_stringLength);
    virtual StatementStateResult DoSQLMoreResults();
    virtual void DoSQLNumParams(SQLSMALLINT* out_count);
    virtual void DoSQLNumResultCols(SQLSMALLINT* out_count);
    virtual StatementStateResult DoSQLParamData(SQLPOINTER* out_value);
    virtual StatementStateResult DoSQLPrepareW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength);
    virtual StatementStateResult DoSQLPutData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator);
    virtual void DoSQLRowCount(SQLLEN* out_count);
    virtual Support::orvik_wstring DoSQLSetCursorNameW(SQLWCHAR* in_name, SQLSMALLINT in_nameLength);
    virtual StatementStateResult DoSQLSetPos(SQLSETPOSIROW in_row, SQLUSMALLINT in_operation, SQLUSMALLINT in_lockType);
    virtual void DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength);
    virtual StatementStateResult DoExecuteCatalogFunction(int32_t in_functionId,
                                                          const std::vector<Support::Variant>& in_arguments);

    // Shared operations of the states.

    /// SQLColAttribute of a statement without a result set: SQL_DESC_COUNT, the IRD's count (8
    /// into the string length); any other field throws "PreparedStmtNotCursorSpec" (07005).
    void ColumnCount(SQLUSMALLINT in_field, SQLSMALLINT* out_stringLength, SQLLEN* out_numericAttribute);

    /// The full SQLColAttribute over the IRD.
    void GetColAttributeField(SQLUSMALLINT in_column,
                              SQLUSMALLINT in_field,
                              SQLPOINTER out_characterAttribute,
                              SQLSMALLINT in_bufferLength,
                              SQLSMALLINT* out_stringLength,
                              SQLLEN* out_numericAttribute);

    /// Prepares the text through the data engine into a new query manager (in_isDirect for
    /// SQLExecDirect). Not direct, the IPD is described by the executor when SQL_ATTR_ENABLE_AUTO_IPD
    /// is on, and the IRD takes the columns of the current result.
    std::unique_ptr<SqlQueryManager> InternalPrepare(SQLWCHAR* in_statementText, SQLINTEGER in_textLength, bool in_isDirect);

    /// SQLExecDirect's work: a new direct query manager, executed; dropped again on failure.
    SQLRETURN PrepareAndExecute(SQLWCHAR* in_statementText, SQLINTEGER in_textLength);

    /// SQLExecute's work on the current query manager.
    SQLRETURN ExecutePrepared();

    /// Executes the statement of in_manager: SQL_NEED_DATA when a parameter waits for data at
    /// execution, else the execution's SQL_SUCCESS or SQL_NO_DATA, the IRD then describing the
    /// current result.
    SQLRETURN ExecuteQuery(QueryManager& io_manager);

    /// The next state after SQLExecDirect returned in_result: S8 for SQL_NEED_DATA (of the kind
    /// that ends in S5 when the new statement has a result set, else in S4), else S5 for a result
    /// set and S4 for anything else. A failure drops the new query manager and passes on.
    std::unique_ptr<StatementState> NextStateAfterDirectExecution(SQLRETURN in_result);

    /// The state after an execution that ran: S5 when it left a result set, else S4. The
    /// result decides, not the prepared text: a statement may return rows whatever it begins with.
    std::unique_ptr<StatementState> MakeExecutedState();

    /// SQLMoreResults in S4 to S7: the next result (S4 for a row count, a new S5 for a result
    /// set) with SQL_SUCCESS, or, at the end, SQL_NO_DATA and the prepared state (S2 from S4, S3
    /// from a cursor) or S1. SQL_ERROR without a change when the transaction cannot begin.
    StatementStateResult MoveToNextResult();

    /// Runs a catalog function into a new catalog query manager, the IRD describing its columns.
    void RunCatalogFunction(int32_t in_functionId, const std::vector<Support::Variant>& in_arguments);

    /// The catalog function id that SQLTables' arguments choose (catalogs, schemas or table
    /// types), else in_functionId.
    static int32_t GetEffectiveCatalogFunctionId(int32_t in_functionId,
                                                 const std::vector<Support::Variant>& in_arguments,
                                                 bool in_isMetadataId);

    /// The current result of the query manager, or null.
    DSI::IResult* GetCurrentResult();

    /// Whether the query manager's current result is a result set.
    bool HasResultSet();

    /// The IRD takes the current result's columns (none without a result set).
    void DescribeCurrentResult();

    /// The size that SQLDescribeCol and SQLDescribeParam report for record in_recNumber of
    /// io_descriptor, whose concise type is in_type: the precision of an approximate type when
    /// the data store counts its size so, else SQL_DESC_LENGTH.
    SQLULEN ReadSize(Descriptor& io_descriptor, int16_t in_recNumber, int64_t in_type);

    /// Posts and logs the exception being handled as the failure of in_method of in_class.
    void PostFailure(const char* in_class, const char* in_method);

    /// Throws "InvalidCursorState" (24000) when in_attribute is SQL_ATTR_ROW_NUMBER: no cursor
    /// stands on a row.
    static void RefuseRowNumber(SQLINTEGER in_attribute);

    /// The cursor behaviour of the data source for in_completionType (SQL_CURSOR_COMMIT_BEHAVIOR
    /// or SQL_CURSOR_ROLLBACK_BEHAVIOR); "InvalidTransType" (HY000) for any other type.
    uint16_t GetCursorBehavior(SQLSMALLINT in_completionType);

    /// Whether the application declared ODBC 2 behaviour.
    bool IsOdbc2Application();

    /// Whether in_attribute is one of the six that shape a cursor: SQL_ATTR_CURSOR_SENSITIVITY,
    /// SQL_ATTR_CURSOR_SCROLLABLE, SQL_ATTR_CURSOR_TYPE, SQL_ATTR_CONCURRENCY,
    /// SQL_ATTR_SIMULATE_CURSOR and SQL_ATTR_USE_BOOKMARKS.
    static bool IsCursorShapingAttribute(SQLINTEGER in_attribute);

    Statement& m_statement;

private:
    /// Logs the operation's entrance and returns its cell after throwing an error cell's error.
    StatementCell Enter(StatementOperation in_operation) const;
};

/// What a transition operation returns: the next state (null to stay) and the return code.
struct StatementStateResult
{
    std::unique_ptr<StatementState> m_nextState;
    SQLRETURN m_returnCode = SQL_SUCCESS;
};

} // namespace ODBC
} // namespace Orvik
