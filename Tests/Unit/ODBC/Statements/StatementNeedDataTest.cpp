#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include <gtest/gtest.h>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class StatementNeedDataTest : public StatementTest
{
protected:
    std::string ParamData(Statement& io_statement, SQLPOINTER* out_token = nullptr)
    {
        SQLPOINTER token = nullptr;
        const std::string outcome = Outcome(io_statement, io_statement.SQLParamData(&token));
        if (out_token != nullptr)
        {
            *out_token = token;
        }
        return outcome;
    }

    static std::string PutData(Statement& io_statement, const char* in_piece)
    {
        std::string piece(in_piece);
        return Outcome(io_statement, io_statement.SQLPutData(&piece[0], static_cast<SQLLEN>(piece.size())));
    }

    SQLLEN m_lengths[2][2] = {};
};

TEST_F(StatementNeedDataTest, ParametersOfEverySetAreAskedForInOrder)
{
    Statement& statement = *NewStatement();
    SQLULEN processed = 0;
    SetAttribute(statement, SQL_ATTR_PARAMSET_SIZE, 2);
    statement.SQLSetStmtAttrW(SQL_ATTR_PARAMS_PROCESSED_PTR, &processed, 0);
    Prepare(statement, u"update 4 params 2");
    char first = 0;
    char second = 0;
    for (SQLUSMALLINT parameter = 1; parameter <= 2; ++parameter)
    {
        m_lengths[parameter - 1][0] = m_lengths[parameter - 1][1] = SQL_LEN_DATA_AT_EXEC(10);
        statement.SQLBindParameter(parameter, SQL_PARAM_INPUT, SQL_C_DEFAULT, SQL_VARCHAR, 10, 0,
                                   parameter == 1 ? &first : &second, 0, m_lengths[parameter - 1]);
    }
    ASSERT_EQ("NEED_DATA S8", Outcome(statement, statement.SQLExecute()));
    // Set-major order: each answer names the parameter's buffer and the set being served.
    const struct
    {
        void* m_token;
        SQLULEN m_set;
        const char* m_piece;
    } expected[] = {{&first, 1, "a"}, {&second, 1, "b"}, {&first, 2, "c"}, {&second, 2, "d"}};
    for (const auto& step : expected)
    {
        SQLPOINTER token = nullptr;
        ASSERT_EQ("NEED_DATA S9", ParamData(statement, &token));
        EXPECT_EQ(step.m_token, token);
        EXPECT_EQ(step.m_set, processed);
        ASSERT_EQ("OK S10", PutData(statement, step.m_piece));
    }
    EXPECT_EQ("OK S4", ParamData(statement));
    EXPECT_EQ((std::vector<std::string>{"1:a", "1:b", "2:c", "2:d"}), FakeEngineLog::s_pushes);
    EXPECT_EQ(1, FakeEngineLog::s_executions);
}

TEST_F(StatementNeedDataTest, ADirectQueryWithItsDataCompleteHasItsCursor)
{
    Statement& statement = *NewStatement();
    BindDataAtExec(statement, 1, m_lengths[0]);
    ASSERT_EQ("NEED_DATA S8", Outcome(statement, ExecDirect(statement, u"select 3 2 params 1")));
    EXPECT_EQ("HY010 S8", PutData(statement, "x"));
    ASSERT_EQ("NEED_DATA S9", ParamData(statement));
    EXPECT_EQ("HY010 S9", ParamData(statement));
    ASSERT_EQ("OK S10", PutData(statement, "abc"));
    ASSERT_EQ("OK S10", PutData(statement, "def"));
    ASSERT_EQ("OK S5", ParamData(statement));
    SQLSMALLINT columns = 0;
    statement.SQLNumResultCols(&columns);
    EXPECT_EQ(2, columns);
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    // Character pieces gather in one buffer, pushed when the value ends.
    EXPECT_EQ((std::vector<std::string>{"1:abcdef"}), FakeEngineLog::s_pushes);
}

TEST_F(StatementNeedDataTest, ARefusedPushReturnsTheStatementWhereItCameFrom)
{
    // The data store refuses pushed data and cannot cancel either: the statement still returns.
    FakeEngineLog::s_refusesPushes = true;
    FakeEngineLog::s_cancelThrows = true;
    struct Case
    {
        bool m_isPrepared;
        const char16_t* m_text;
        const char* m_outcome;
    };
    const Case cases[] = {
        {false, u"update 1 params 1", "HY000 S1"},
        {false, u"select 1 1 params 1", "HY000 S1"},
        {true, u"update 1 params 1", "HY000 S2"},
        {true, u"select 1 1 params 1", "HY000 S3"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_outcome);
        Statement& statement = *NewStatement();
        BindDataAtExec(statement, 1, m_lengths[0]);
        if (c.m_isPrepared)
        {
            Prepare(statement, c.m_text);
            BindDataAtExec(statement, 1, m_lengths[0]);
            ASSERT_EQ(SQL_NEED_DATA, statement.SQLExecute());
        }
        else
        {
            ASSERT_EQ(SQL_NEED_DATA, ExecDirect(statement, c.m_text));
        }
        ParamData(statement);
        // The text is pushed once it is complete.
        ASSERT_EQ("OK S10", PutData(statement, "abc"));
        EXPECT_EQ(c.m_outcome, ParamData(statement));
    }
    EXPECT_EQ(4, FakeEngineLog::s_cancels);
}

TEST_F(StatementNeedDataTest, CancelWhileDataIsNeededReturnsToThePreparedStatement)
{
    FakeEngineLog::s_cancelThrows = true;
    Statement& statement = *NewStatement();
    Prepare(statement, u"select 2 1 params 1");
    BindDataAtExec(statement, 1, m_lengths[0]);
    ASSERT_EQ(SQL_NEED_DATA, statement.SQLExecute());
    ASSERT_EQ("NEED_DATA S9", ParamData(statement));
    // The data store cannot cancel; the cancel still succeeds.
    EXPECT_EQ("OK S3", Outcome(statement, statement.SQLCancel()));
    EXPECT_EQ(1, FakeEngineLog::s_cancels);
    // The prepared statement runs again from the start.
    EXPECT_EQ("NEED_DATA S8", Outcome(statement, statement.SQLExecute()));
    EXPECT_EQ("NEED_DATA S9", ParamData(statement));
    EXPECT_EQ("OK S10", PutData(statement, "x"));
    EXPECT_EQ("OK S5", ParamData(statement));
}

} // namespace
