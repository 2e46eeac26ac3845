#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include "DSI/StatementPropertyKey.h"

#include <gtest/gtest.h>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using Orvik::Support::Variant;

namespace {

// Catalog function ids (the ODBC headers name some of them as macros).
constexpr int32_t TABLES = 0;
constexpr int32_t TABLES_CATALOGS = 1;
constexpr int32_t TABLES_SCHEMAS = 2;
constexpr int32_t TABLES_TABLE_TYPES = 3;
constexpr int32_t COLUMNS = 5;

class StatementExecutionTest : public StatementTest
{
};

TEST_F(StatementExecutionTest, PreparedQueryDescribesItsColumnsBeforeItRuns)
{
    Statement& statement = *NewStatement();
    ASSERT_EQ("OK S3", Outcome(statement, Prepare(statement, u"select 5 2")));

    SQLSMALLINT count = 0;
    EXPECT_EQ(SQL_SUCCESS, statement.SQLNumResultCols(&count));
    EXPECT_EQ(2, count);
    SQLWCHAR name[8] = {};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = -1;
    SQLSMALLINT nullable = -1;
    EXPECT_EQ(SQL_SUCCESS, statement.SQLDescribeColW(2, name, 8, &nameLength, &type, &size, &digits, &nullable));
    EXPECT_EQ(u"C2", std::u16string(reinterpret_cast<char16_t*>(name)));
    EXPECT_EQ(2, nameLength);
    EXPECT_EQ(SQL_INTEGER, type);
    EXPECT_EQ(0, digits);
    EXPECT_EQ(SQL_NO_NULLS, nullable);
    SQLLEN attribute = 0;
    EXPECT_EQ(SQL_SUCCESS, statement.SQLColAttributeW(1, SQL_DESC_CONCISE_TYPE, nullptr, 0, nullptr, &attribute));
    EXPECT_EQ(SQL_INTEGER, attribute);
    EXPECT_EQ("07009 S3", Outcome(statement, statement.SQLDescribeColW(3, nullptr, 0, nullptr, &type, nullptr, nullptr, nullptr)));
    EXPECT_EQ("HY091 S3", Outcome(statement, statement.SQLColAttributeW(1, SQL_DESC_ALLOC_TYPE, nullptr, 0, nullptr, &attribute)));
    EXPECT_EQ(0, FakeEngineLog::s_executions);
}

TEST_F(StatementExecutionTest, PreparedStatementWithoutResultSetHasNoColumns)
{
    Statement& statement = *NewStatement();
    ASSERT_EQ("OK S2", Outcome(statement, Prepare(statement, u"update 3")));
    SQLSMALLINT count = -1;
    EXPECT_EQ(SQL_SUCCESS, statement.SQLNumResultCols(&count));
    EXPECT_EQ(0, count);
    SQLLEN columns = -1;
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQL_SUCCESS, statement.SQLColAttributeW(1, SQL_DESC_COUNT, nullptr, 0, &length, &columns));
    EXPECT_EQ(0, columns);
    EXPECT_EQ(8, length);
    EXPECT_EQ("07005 S2", Outcome(statement, statement.SQLColAttributeW(1, SQL_DESC_NAME, nullptr, 0, nullptr, nullptr)));
    SQLSMALLINT type = 0;
    EXPECT_EQ("07005 S2", Outcome(statement, statement.SQLDescribeColW(1, nullptr, 0, nullptr, &type, nullptr, nullptr, nullptr)));
}

TEST_F(StatementExecutionTest, FailedExecutionsAndPreparesChooseTheNextState)
{
    struct Case
    {
        const char16_t* m_prepared; // null: the statement starts in S1; "direct ..." executes it directly first
        bool m_isPrepare;            // the failing call is SQLPrepare, else SQLExecDirect
        const char16_t* m_text;
        const char* m_outcome;
        const char* m_afterExecute; // SQLExecute afterwards
    };
    const Case cases[] = {
        {nullptr, false, u"fail-execute", "HY000 S1", "HY010 S1"},
        {nullptr, false, u"fail-prepare", "42000 S1", "HY010 S1"},
        {u"update 1", false, u"fail-execute", "HY000 S1", "HY010 S1"},
        {u"select 2 1", false, u"fail-prepare", "42000 S1", "HY010 S1"},
        {u"direct update 1", false, u"fail-execute", "HY000 S1", "HY010 S1"},
        {nullptr, true, u"fail-prepare", "42000 S1", "HY010 S1"},
        // A failed re-prepare discards the prepared statement, except for HY009 and HY090,
        // which keep it whole: it still executes.
        {u"select 2 1", true, u"fail-prepare", "42000 S1", "HY010 S1"},
        {u"select 2 1", true, u"fail-length", "HY090 S3", "OK S5"},
        {u"update 1", true, u"fail-length", "HY090 S2", "OK S4"},
        {u"direct update 1", true, u"fail-prepare", "42000 S1", "HY010 S1"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(Orvik::Support::orvik_wstring(c.m_text).GetAsUTF8() + (c.m_isPrepare ? " prepared" : " direct"));
        Statement& statement = *NewStatement();
        if (c.m_prepared != nullptr)
        {
            const std::u16string first(c.m_prepared);
            first.rfind(u"direct ", 0) == 0 ? ExecDirect(statement, first.substr(7).c_str())
                                           : Prepare(statement, first.c_str());
        }
        EXPECT_EQ(c.m_outcome,
                  Outcome(statement, c.m_isPrepare ? Prepare(statement, c.m_text) : ExecDirect(statement, c.m_text)));
        EXPECT_EQ(c.m_afterExecute, Outcome(statement, statement.SQLExecute()));
    }
}

TEST_F(StatementExecutionTest, NoStatementTextIsANullPointerAndKeepsWhatWasPrepared)
{
    Statement& prepared = *NewStatement();
    Prepare(prepared, u"update 1");
    EXPECT_EQ("HY009 S2", Outcome(prepared, prepared.SQLPrepareW(nullptr, SQL_NTS)));
    EXPECT_EQ("OK S4", Outcome(prepared, prepared.SQLExecute()));
    Statement& direct = *NewStatement();
    EXPECT_EQ("HY009 S1", Outcome(direct, direct.SQLExecDirectW(nullptr, 5)));
    EXPECT_EQ(1, FakeEngineLog::s_executions);
}

TEST_F(StatementExecutionTest, ClosingTheCursorReturnsToWhereTheExecutionStarted)
{
    Statement& direct = *NewStatement();
    ASSERT_EQ("OK S5", Outcome(direct, ExecDirect(direct, u"select 2 1")));
    EXPECT_EQ("OK S1", Outcome(direct, direct.SQLCloseCursor()));
    EXPECT_EQ(nullptr, direct.GetQueryManager());

    Statement& prepared = *NewStatement();
    Prepare(prepared, u"select 2 1");
    ASSERT_EQ("OK S5", Outcome(prepared, prepared.SQLExecute()));
    ASSERT_EQ("OK S6", Outcome(prepared, Counted(prepared)->SQLFetch()));
    EXPECT_EQ("OK S3", Outcome(prepared, prepared.SQLCloseCursor()));
    EXPECT_EQ("OK S5", Outcome(prepared, prepared.SQLExecute()));
    EXPECT_EQ(3, FakeEngineLog::s_executions);
}

TEST_F(StatementExecutionTest, MoreResultsWalksTheResultsThenEnds)
{
    Statement& statement = *NewStatement();
    ASSERT_EQ("OK S5", Outcome(statement, ExecDirect(statement, u"select 2 1; update 7; select 1 3")));
    EXPECT_EQ("OK S4", Outcome(statement, statement.SQLMoreResults()));
    SQLLEN count = 0;
    statement.SQLRowCount(&count);
    EXPECT_EQ(7, count);
    EXPECT_EQ("OK S5", Outcome(statement, statement.SQLMoreResults()));
    SQLSMALLINT columns = 0;
    statement.SQLNumResultCols(&columns);
    EXPECT_EQ(3, columns);
    EXPECT_TRUE(m_connection->HasOpenCursors());
    EXPECT_EQ("NO_DATA S1", Outcome(statement, statement.SQLMoreResults()));
    EXPECT_FALSE(m_connection->HasOpenCursors());

    Statement& prepared = *NewStatement();
    Prepare(prepared, u"update 1");
    ASSERT_EQ("OK S4", Outcome(prepared, prepared.SQLExecute()));
    EXPECT_EQ("NO_DATA S2", Outcome(prepared, prepared.SQLMoreResults()));
}

TEST_F(StatementExecutionTest, RowCountsOfNothingAreNoDataForOdbc3)
{
    Statement& statement = *NewStatement();
    EXPECT_EQ("NO_DATA S4", Outcome(statement, ExecDirect(statement, u"update 0")));
    EXPECT_EQ("NO_DATA S4", Outcome(statement, ExecDirect(statement, u"none")));
    EXPECT_EQ("OK S4", Outcome(statement, ExecDirect(statement, u"update 2")));
    SQLLEN count = 0;
    EXPECT_EQ(SQL_SUCCESS, statement.SQLRowCount(&count));
    EXPECT_EQ(2, count);
}

TEST_F(StatementExecutionTest, FetchingMovesThroughTheRowsetsOfTheResult)
{
    Statement& statement = *NewStatement();
    SQLUSMALLINT statuses[4] = {9, 9, 9, 9};
    SQLULEN fetched = 99;
    SetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE, 3);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_STATUS_PTR, statuses, 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    ExecDirect(statement, u"select 5 1");

    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(3u, fetched);
    EXPECT_EQ(1u, GetAttribute(statement, SQL_ATTR_ROW_NUMBER));
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(2u, fetched);
    EXPECT_EQ((std::vector<int>{SQL_ROW_SUCCESS, SQL_ROW_SUCCESS, SQL_ROW_NOROW, 9}),
              (std::vector<int>{statuses[0], statuses[1], statuses[2], statuses[3]}));
    EXPECT_EQ(4u, GetAttribute(statement, SQL_ATTR_ROW_NUMBER));
    EXPECT_EQ("NO_DATA S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(0u, fetched);
    EXPECT_EQ("HY106 S6", Outcome(statement, Counted(statement)->SQLFetchScroll(SQL_FETCH_PRIOR, 0)));

    // The data-store statement learned the rowset size once; the result was told it once.
    EXPECT_EQ(3u, statement.GetDSIStatement().GetProperty(Orvik::DSI::STMT_PROP_ROWSET_SIZE)->GetUIntNativeValue());
    EXPECT_EQ(std::vector<uint64_t>{3}, FakeEngineLog::s_rowsetHints);
}

TEST_F(StatementExecutionTest, AnEmptyResultLeavesTheStatusesAsTheyWere)
{
    Statement& statement = *NewStatement();
    SQLUSMALLINT statuses[2] = {7, 7};
    SQLULEN fetched = 99;
    SetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE, 2);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_STATUS_PTR, statuses, 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    ExecDirect(statement, u"select 0 2");
    EXPECT_EQ("NO_DATA S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(0u, fetched);
    EXPECT_EQ(7, statuses[0]);
    EXPECT_EQ("NO_DATA S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ("24000 S6", Outcome(statement, statement.SQLGetStmtAttrW(SQL_ATTR_ROW_NUMBER, &fetched, 0, nullptr)));
}

TEST_F(StatementExecutionTest, ExtendedFetchUsesTheRowsetSizeAttribute)
{
    Statement& statement = *NewStatement();
    SetAttribute(statement, SQL_ROWSET_SIZE, 2);
    ExecDirect(statement, u"select 3 1");
    SQLULEN count = 0;
    SQLUSMALLINT statuses[2] = {};
    EXPECT_EQ("OK S7", Outcome(statement, statement.SQLExtendedFetch(SQL_FETCH_NEXT, 0, &count, statuses)));
    EXPECT_EQ(2u, count);
    EXPECT_EQ("OK S7", Outcome(statement, statement.SQLExtendedFetch(SQL_FETCH_NEXT, 0, &count, statuses)));
    EXPECT_EQ(1u, count);
    EXPECT_EQ(SQL_ROW_NOROW, statuses[1]);
}

TEST_F(StatementExecutionTest, SetPosNamesWhereTheCursorStands)
{
    Statement& statement = *NewStatement();
    ExecDirect(statement, u"select 1 1");
    Counted(statement)->SQLFetch();
    EXPECT_EQ("HY109 S6", Outcome(statement, statement.SQLSetPos(1, SQL_POSITION, SQL_LOCK_NO_CHANGE)));
    EXPECT_NE(std::string::npos, FirstText(statement).find("forward-only cursor cannot be positioned")) << FirstText(statement);
}

TEST_F(StatementExecutionTest, CatalogFunctionsChooseTheirMetadataTable)
{
    const Variant null;
    const Variant any(u"%");
    const Variant empty(u"");
    struct Case
    {
        std::vector<Variant> m_arguments;
        bool m_isMetadataId;
        int32_t m_tableId;
    };
    const Case cases[] = {
        {{any, empty, empty, null}, false, TABLES_CATALOGS},
        {{empty, any, empty, null}, false, TABLES_SCHEMAS},
        {{empty, empty, empty, any}, false, TABLES_TABLE_TYPES},
        // A null argument is no empty one; identifiers are never patterns.
        {{any, null, null, null}, false, TABLES},
        {{any, empty, empty, null}, true, TABLES},
        {{Variant(u"c"), Variant(u"s"), Variant(u"t"), null}, false, TABLES},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_tableId);
        Statement& statement = *NewStatement();
        SetAttribute(statement, SQL_ATTR_METADATA_ID, c.m_isMetadataId ? SQL_TRUE : SQL_FALSE);
        EXPECT_EQ("OK S5", Outcome(statement, statement.ExecuteCatalogFunction(TABLES,
                                                                               c.m_arguments)));
        EXPECT_EQ(c.m_tableId, FakeEngineLog::s_lastTableId);
        SQLSMALLINT columns = 0;
        statement.SQLNumResultCols(&columns);
        EXPECT_EQ(5, columns);
    }
}

TEST_F(StatementExecutionTest, TheSchemasFormAsksForTheCurrentCatalog)
{
    std::u16string catalog = u"sales";
    m_dataStore->SetText(22, catalog.c_str());
    Statement& statement = *NewStatement();
    statement.ExecuteCatalogFunction(TABLES,
                                     {Variant(u""), Variant(u"%"), Variant(u""), Variant()});
    ASSERT_EQ(TABLES_SCHEMAS, FakeEngineLog::s_lastTableId);
    EXPECT_EQ(u"sales", FakeEngineLog::s_lastArguments[0].GetWString().GetAsWString());
}

TEST_F(StatementExecutionTest, AFailedCatalogFunctionDiscardsAPreparedStatement)
{
    Statement& statement = *NewStatement();
    Prepare(statement, u"update 1");
    // SQLColumns refuses a null table name when names are identifiers.
    SetAttribute(statement, SQL_ATTR_METADATA_ID, SQL_TRUE);
    const std::vector<Variant> arguments(4);
    EXPECT_EQ("HY009 S1",
              Outcome(statement, statement.ExecuteCatalogFunction(COLUMNS, arguments)));
}

TEST_F(StatementExecutionTest, TheEndOfATransactionFollowsTheCursorBehaviour)
{
    // The test's data source closes cursors on commit and deletes them on rollback.
    Statement& direct = *NewStatement();
    ExecDirect(direct, u"select 2 1");
    EXPECT_EQ("OK S1", Outcome(direct, direct.EndTransaction(SQL_COMMIT, false)));
    Statement& prepared = *NewStatement();
    Prepare(prepared, u"select 2 1");
    prepared.SQLExecute();
    EXPECT_EQ("OK S4", Outcome(prepared, prepared.EndTransaction(SQL_COMMIT, true)));
    EXPECT_EQ("OK S1", Outcome(prepared, prepared.EndTransaction(SQL_ROLLBACK, false)));
    Statement& kept = *NewStatement();
    Prepare(kept, u"update 1");
    EXPECT_EQ("OK S2", Outcome(kept, kept.EndTransaction(SQL_COMMIT, false)));
    EXPECT_EQ("HY000 S2", Outcome(kept, kept.EndTransaction(7, false)));
    EXPECT_FALSE(m_connection->HasOpenCursors());
}

class Odbc2StatementTest : public StatementTest
{
protected:
    Odbc2StatementTest() : StatementTest(SQL_OV_ODBC2) {}
};

TEST_F(Odbc2StatementTest, CancelOnAnIdleCursorClosesIt)
{
    Statement& statement = *NewStatement();
    ExecDirect(statement, u"select 2 1");
    Counted(statement)->SQLFetch();
    ASSERT_TRUE(m_connection->HasOpenCursors());
    // ODBC 2 forms of the SQLSTATEs.
    EXPECT_EQ("INFO 01S05 S1", Outcome(statement, statement.SQLCancel()));
    EXPECT_FALSE(m_connection->HasOpenCursors());
    // Rows affected by nothing are no missing data for an ODBC 2 application.
    EXPECT_EQ("OK S4", Outcome(statement, ExecDirect(statement, u"update 0")));
}

TEST_F(StatementExecutionTest, CancelOnAnIdleCursorChangesNothingForOdbc3)
{
    Statement& statement = *NewStatement();
    ExecDirect(statement, u"select 2 1");
    Counted(statement)->SQLFetch();
    EXPECT_EQ("OK S6", Outcome(statement, statement.SQLCancel()));
    EXPECT_TRUE(m_connection->HasOpenCursors());
    // The cancel request is consumed by the next call, which tells the data store.
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
}

} // namespace
