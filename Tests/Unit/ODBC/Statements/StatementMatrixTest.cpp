#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include "ODBC/States/ConnectionState5.h"
#include "ODBC/States/ConnectionState6.h"

#include <gtest/gtest.h>

#include <functional>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

/// The statement of one matrix cell, driven into its state the way an application would, with
/// the buffers its calls need.
struct CellStatement
{
    Statement* m_statement = nullptr;
    SQLLEN m_parameterLength = 0;
    SQLINTEGER m_column = 0;
    SQLLEN m_columnLength = 0;
    SQLULEN m_rowCount = 0;
    SQLUSMALLINT m_rowStatus[4] = {};
};

using Call = std::function<SQLRETURN(CellStatement&)>;

struct MatrixRow
{
    const char* m_operation;
    Call m_call;
    const char* m_cells[10];
};

class StatementMatrixTest : public StatementTest
{
protected:
    /// A new statement in state S<in_state>: S2 and S3 prepared with one parameter, S4 from a
    /// direct execution, S5 to S7 from a prepared query, S8 to S10 from a prepared statement
    /// whose parameter comes as data at execution.
    void Drive(CellStatement& io_cell, int32_t in_state)
    {
        Statement& statement = *(io_cell.m_statement = NewStatement());
        switch (in_state)
        {
        case 2:
            Prepare(statement, u"update 1 params 1");
            break;
        case 3:
            Prepare(statement, u"select 2 1 params 1");
            break;
        case 4:
            ExecDirect(statement, u"update 1");
            break;
        case 5:
        case 6:
        case 7:
            Prepare(statement, u"select 3 1");
            statement.SQLExecute();
            if (in_state == 6)
            {
                Counted(statement)->SQLFetch();
            }
            else if (in_state == 7)
            {
                statement.SQLExtendedFetch(SQL_FETCH_NEXT, 0, &io_cell.m_rowCount, io_cell.m_rowStatus);
            }
            break;
        case 8:
        case 9:
        case 10:
        {
            Prepare(statement, u"update 1 params 1");
            BindDataAtExec(statement, 1, &io_cell.m_parameterLength);
            statement.SQLExecute();
            SQLPOINTER token = nullptr;
            if (in_state >= 9)
            {
                statement.SQLParamData(&token);
            }
            if (in_state == 10)
            {
                char piece[] = "abc";
                statement.SQLPutData(piece, 3);
            }
            break;
        }
        default:
            break;
        }
        ASSERT_EQ(in_state, StateOf(statement));
        statement.GetDiagManager().Clear();
    }
};

SQLRETURN Bound(CellStatement& io_cell, SQLRETURN (Statement::*in_member)())
{
    return (Counted(*io_cell.m_statement).operator->()->*in_member)();
}

// Every operation a statement state has, each cell the outcome of one call from that state:
// the SQLSTATE or return code, then the state afterwards. The data source closes cursors at
// the end of a transaction.
const MatrixRow MATRIX[] = {
    {"SQLBindCol",
     [](CellStatement& c) { return c.m_statement->SQLBindCol(1, SQL_C_SLONG, &c.m_column, 4, &c.m_columnLength); },
     {"OK S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLBindParameter",
     [](CellStatement& c) {
         return c.m_statement->SQLBindParameter(1, SQL_PARAM_INPUT, SQL_C_DEFAULT, SQL_INTEGER, 0, 0, &c.m_column, 0,
                                                &c.m_columnLength);
     },
     {"OK S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLCancel", [](CellStatement& c) { return c.m_statement->SQLCancel(); },
     {"OK S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "OK S2", "OK S2", "OK S2"}},
    {"SQLCloseCursor", [](CellStatement& c) { return c.m_statement->SQLCloseCursor(); },
     {"24000 S1", "24000 S2", "24000 S3", "24000 S4", "OK S3", "OK S3", "OK S3", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLColAttributeW",
     [](CellStatement& c) {
         SQLLEN count = -1;
         return c.m_statement->SQLColAttributeW(1, SQL_DESC_COUNT, nullptr, 0, nullptr, &count);
     },
     {"HY010 S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLDescribeColW",
     [](CellStatement& c) {
         SQLSMALLINT type = 0;
         return c.m_statement->SQLDescribeColW(1, nullptr, 0, nullptr, &type, nullptr, nullptr, nullptr);
     },
     {"HY010 S1", "07005 S2", "OK S3", "24000 S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLDescribeParam",
     [](CellStatement& c) {
         SQLSMALLINT type = 0;
         return c.m_statement->SQLDescribeParam(1, &type, nullptr, nullptr, nullptr);
     },
     {"HY010 S1", "OK S2", "OK S3", "HY010 S4", "HY010 S5", "HY010 S6", "HY010 S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"EndTransaction", [](CellStatement& c) { return c.m_statement->EndTransaction(SQL_COMMIT, false); },
     {"OK S1", "OK S2", "OK S3", "OK S1", "OK S3", "OK S3", "OK S3", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLExecDirectW", [](CellStatement& c) { return StatementTest::ExecDirect(*c.m_statement, u"update 1"); },
     {"OK S4", "OK S4", "OK S4", "OK S4", "24000 S5", "24000 S6", "24000 S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLExecute",
     [](CellStatement& c) {
         StatementTest::BindDataAtExec(*c.m_statement, 1, &c.m_parameterLength);
         c.m_statement->GetDiagManager().Clear();
         return c.m_statement->SQLExecute();
     },
     {"HY010 S1", "NEED_DATA S8", "NEED_DATA S8", "HY010 S4", "24000 S5", "24000 S6", "24000 S7", "HY010 S8",
      "HY010 S9", "HY010 S10"}},
    {"SQLExtendedFetch",
     [](CellStatement& c) { return c.m_statement->SQLExtendedFetch(SQL_FETCH_NEXT, 0, &c.m_rowCount, c.m_rowStatus); },
     {"HY010 S1", "HY010 S2", "HY010 S3", "24000 S4", "OK S7", "HY010 S6", "OK S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"SQLFetch", [](CellStatement& c) { return Bound(c, &Statement::SQLFetch); },
     {"HY010 S1", "HY010 S2", "HY010 S3", "24000 S4", "OK S6", "OK S6", "HY010 S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"SQLFetchScroll", [](CellStatement& c) { return Counted(*c.m_statement)->SQLFetchScroll(SQL_FETCH_NEXT, 0); },
     {"HY010 S1", "HY010 S2", "HY010 S3", "24000 S4", "OK S6", "OK S6", "HY010 S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"SQLFreeStmt", [](CellStatement& c) { return c.m_statement->SQLFreeStmt(SQL_CLOSE); },
     {"OK S1", "OK S2", "OK S3", "OK S1", "OK S3", "OK S3", "OK S3", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLGetCursorNameW",
     [](CellStatement& c) {
         SQLWCHAR name[32] = {};
         return c.m_statement->SQLGetCursorNameW(name, 32, nullptr);
     },
     {"OK S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "OK S8", "OK S9", "OK S10"}},
    {"SQLGetData",
     [](CellStatement& c) { return Counted(*c.m_statement)->SQLGetData(1, SQL_ARD_TYPE, &c.m_column, 4,
                                                                       &c.m_columnLength); },
     {"HY010 S1", "HY010 S2", "HY010 S3", "24000 S4", "24000 S5", "07009 S6", "07009 S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"SQLGetStmtAttrW",
     [](CellStatement& c) {
         SQLULEN row = 0;
         return c.m_statement->SQLGetStmtAttrW(SQL_ATTR_ROW_NUMBER, &row, 0, nullptr);
     },
     {"24000 S1", "24000 S2", "24000 S3", "24000 S4", "24000 S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"SQLMoreResults", [](CellStatement& c) { return Bound(c, &Statement::SQLMoreResults); },
     {"NO_DATA S1", "NO_DATA S2", "NO_DATA S3", "NO_DATA S1", "NO_DATA S3", "NO_DATA S3", "NO_DATA S3", "HY010 S8",
      "HY010 S9", "HY010 S10"}},
    {"SQLNumParams",
     [](CellStatement& c) {
         SQLSMALLINT count = 0;
         return c.m_statement->SQLNumParams(&count);
     },
     {"HY010 S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLNumResultCols",
     [](CellStatement& c) {
         SQLSMALLINT count = 0;
         return c.m_statement->SQLNumResultCols(&count);
     },
     {"HY010 S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLParamData",
     [](CellStatement& c) {
         SQLPOINTER token = nullptr;
         return c.m_statement->SQLParamData(&token);
     },
     {"HY010 S1", "HY010 S2", "HY010 S3", "HY010 S4", "HY010 S5", "HY010 S6", "HY010 S7", "NEED_DATA S9",
      "HY010 S9", "OK S4"}},
    {"SQLPrepareW", [](CellStatement& c) { return StatementTest::Prepare(*c.m_statement, u"select 2 1"); },
     {"OK S3", "OK S3", "OK S3", "OK S3", "24000 S5", "24000 S6", "24000 S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLPutData",
     [](CellStatement& c) {
         char piece[] = "x";
         return c.m_statement->SQLPutData(piece, 1);
     },
     {"HY010 S1", "HY010 S2", "HY010 S3", "HY010 S4", "HY010 S5", "HY010 S6", "HY010 S7", "HY010 S8", "OK S10",
      "OK S10"}},
    {"SQLRowCount",
     [](CellStatement& c) {
         SQLLEN count = 0;
         return c.m_statement->SQLRowCount(&count);
     },
     {"HY010 S1", "HY010 S2", "HY010 S3", "OK S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"SQLSetCursorNameW",
     [](CellStatement& c) {
         std::u16string name = u"C1";
         return c.m_statement->SQLSetCursorNameW(reinterpret_cast<SQLWCHAR*>(&name[0]), SQL_NTS);
     },
     {"OK S1", "OK S2", "OK S3", "24000 S4", "24000 S5", "24000 S6", "24000 S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"SQLSetPos", [](CellStatement& c) { return c.m_statement->SQLSetPos(1, SQL_POSITION, SQL_LOCK_NO_CHANGE); },
     {"HY010 S1", "HY010 S2", "HY010 S3", "24000 S4", "24000 S5", "HY109 S6", "HY109 S7", "HY010 S8", "HY010 S9",
      "HY010 S10"}},
    {"SQLSetStmtAttrW (cursor-shaping)",
     [](CellStatement& c) { return StatementTest::SetAttribute(*c.m_statement, SQL_ATTR_CONCURRENCY, SQL_CONCUR_READ_ONLY); },
     {"OK S1", "HY011 S2", "HY011 S3", "24000 S4", "24000 S5", "24000 S6", "24000 S7", "HY011 S8", "HY011 S9",
      "HY011 S10"}},
    {"SQLSetStmtAttrW (other)",
     [](CellStatement& c) { return StatementTest::SetAttribute(*c.m_statement, SQL_ATTR_QUERY_TIMEOUT, 5); },
     {"OK S1", "OK S2", "OK S3", "OK S4", "OK S5", "OK S6", "OK S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
    {"ExecuteCatalogFunction",
     [](CellStatement& c) { return c.m_statement->ExecuteCatalogFunction(0, std::vector<Orvik::Support::Variant>(4)); },
     {"OK S5", "OK S5", "OK S5", "OK S5", "24000 S5", "24000 S6", "24000 S7", "HY010 S8", "HY010 S9", "HY010 S10"}},
};

TEST_F(StatementMatrixTest, EveryOperationInEveryState)
{
    for (const MatrixRow& row : MATRIX)
    {
        for (int32_t state = 1; state <= 10; ++state)
        {
            SCOPED_TRACE(std::string(row.m_operation) + " in S" + std::to_string(state));
            CellStatement cell;
            Drive(cell, state);
            ASSERT_NE(nullptr, cell.m_statement);
            EXPECT_EQ(row.m_cells[state - 1], Outcome(*cell.m_statement, row.m_call(cell)));
            m_connection->SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(cell.m_statement->GetHandle()));
        }
    }
}

TEST_F(StatementMatrixTest, OnlyCursorStatesHoldAnOpenCursorAndTheConnectionFollows)
{
    for (int32_t state = 1; state <= 10; ++state)
    {
        SCOPED_TRACE(state);
        CellStatement cell;
        Drive(cell, state);
        const bool isCursorState = state >= 5 && state <= 7;
        EXPECT_EQ(isCursorState, cell.m_statement->HasOpenCursor());
        // Under auto-commit an open cursor puts the connection in C6, its close back in C5.
        EXPECT_EQ(isCursorState, dynamic_cast<ConnectionState6*>(&m_connection->GetState()) != nullptr);
        m_connection->SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(cell.m_statement->GetHandle()));
        EXPECT_FALSE(m_connection->HasOpenCursors());
    }
}

} // namespace
