#pragma once

#include "ODBC/States/StatementState.h"

namespace Orvik {
namespace ODBC {

class ExecutionContext;

/// An execution that waits for data at execution (S8 to S10). The origin kind, fixed when the
/// execution first returned SQL_NEED_DATA and handed on from S8 to S9 to S10, says where a
/// cancel or a failure returns the statement and which state the finished execution leads to.
/// Every operation but the data-at-execution ones, SQLCancel, SQLGetCursorName and
/// SQLSetStmtAttr is refused (the matrix).
class StatementStateNeedData : public StatementState
{
public:
    /// The origin kinds: the execution, and the statement it started from.
    enum Kind : int32_t
    {
        DIRECT_RESULT_SET = 0,   ///< SQLExecDirect of a statement with a result set: from S1, to S5
        DIRECT_ROW_COUNT = 1,    ///< SQLExecDirect otherwise: from S1, to S4
        PREPARED_RESULT_SET = 2, ///< SQLExecute in S3: back to S3, to S5
        PREPARED_ROW_COUNT = 3,  ///< SQLExecute in S2 or S4: back to S2, to S4
        EXTENDED_FETCHED = 4,    ///< from and to S7 (no operation of this driver starts it)
        CURSOR_OPEN = 5,         ///< from and to S5 (likewise)
        FETCHED = 6              ///< from and to S6 (likewise)
    };

    int32_t GetKind() const { return m_kind; }

    /// A new object of the state a cancel or a failure returns to; null for a kind outside the
    /// table, which has none.
    std::unique_ptr<StatementState> MakeReturnState();

protected:
    StatementStateNeedData(Statement& io_statement, int32_t in_kind) : StatementState(io_statement), m_kind(in_kind) {}

    /// Drops the data sent so far, cancels the executor and returns the return state. While a
    /// call runs on another thread it only asks the executor to stop: that thread owns the
    /// execution context.
    std::unique_ptr<StatementState> DoSQLCancel() override;

    /// The six attributes that shape a cursor throw "AttrCantBeSetNow" (HY011), any other
    /// "FuncSeqErr" (HY010).
    void DoSQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) override;

    /// The data is complete: kinds 0 to 3 run the execution and lead to their state with its
    /// return code, kinds 4 to 6 lead to their state with SQL_SUCCESS, any other kind gives
    /// SQL_ERROR without a change.
    StatementStateResult Complete();

    /// What every failure of SQLParamData and SQLPutData does: the error is posted and logged as
    /// in_method's of in_class, the data sent is dropped and the executor cancelled, and the
    /// statement returns to its return state with SQL_ERROR.
    StatementStateResult Fail(const char* in_class, const char* in_method);

    ExecutionContext& GetExecutionContext();

private:
    int32_t m_kind;
};

} // namespace ODBC
} // namespace Orvik
