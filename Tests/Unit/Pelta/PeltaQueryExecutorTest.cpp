// Preparing and executing: markers, the text the server receives, selects and other
// statements, the column probe and its fallbacks, parameter sets with their statuses, and the
// parameters the server cannot take.

#include "DSI/StatementPropertyKey.h"
#include "Pelta/PeltaDataEngine.h"
#include "Support/AttributeData.h"

#include "Unit/Pelta/BackEndTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Orvik::Support::Variant;
using namespace Pelta::Test;

namespace {

class PeltaQueryExecutorTest : public BackEndTest
{
protected:
    static void SetUpTestSuite() { StartServer(1); }

    void SetUp() override
    {
        BackEndTest::SetUp();
        Connect();
        ServerSql("create table t (a integer, b string)");
        ClearRequestLog();
    }

    // "kind body" of each logged request.
    std::vector<std::string> Requests()
    {
        std::vector<std::string> requests;
        for (const LoggedRequest& request : ReadRequestLog(Server()))
        {
            requests.push_back(request.kind + " " + request.body);
        }
        return requests;
    }

    static Orvik::DSI::IResult& Result(Orvik::DSI::IQueryExecutor& in_executor)
    {
        return *in_executor.GetResults().GetCurrentResult();
    }

    static std::string RowCount(Orvik::DSI::IQueryExecutor& in_executor)
    {
        Orvik::DSI::IResult& result = Result(in_executor);
        return result.GetResultType() == Orvik::DSI::DSI_ROW_COUNT ? "count " + std::to_string(result.GetRowCount())
                                                                   : "rows";
    }
};

TEST(PeltaDataEngine, MarkersOutsideQuotesAreCountedAndAnUnclosedQuoteCountsNone)
{
    const struct
    {
        const char16_t* text;
        uint32_t markers;
    } cases[] = {
        {u"select 1", 0},
        {u"select ?", 1},
        {u"insert into t values (?, ?, ?)", 3},
        {u"select '?' , \"?\"", 0},
        {u"select ? , '?' , ?", 2},
        {u"select 'it''s' , ?", 1},
        {u"select ? , ? , 'unclosed ?", 0},
        {u"select \"a'b\" , ?", 1},
        {u"select 'a\\' , ?", 1},
        {u"select 1 -- ?", 1},
        {u"", 0},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.markers, Pelta::PeltaDataEngine::CountParameterMarkers(c.text))
            << Orvik::Support::orvik_wstring(c.text).GetAsUTF8();
    }
}

TEST_F(PeltaQueryExecutorTest, DirectTextsAreSentOnceAsTheyStandAndEveryReplyWithColumnsGivesItsRows)
{
    ServerSql("insert into t values (1, 'x'), (2, 'y')");
    const struct
    {
        const char16_t* sql;
        const char* body;
        const char* outcome;
    } cases[] = {
        {u"SELECT a FROM t ORDER BY a", R"j({"stmt":"SELECT a FROM t ORDER BY a"})j", "rows 1 2"},
        {u" \n\t select a from t where b = 'x'\n", R"j({"stmt":"select a from t where b = 'x'"})j", "rows 1"},
        // Rows whatever the text begins with.
        {u"with x as (select a from t) select a from x order by a",
         R"j({"stmt":"with x as (select a from t) select a from x order by a"})j", "rows 1 2"},
        {u"/* first */ select a from t order by a", R"j({"stmt":"\/* first *\/ select a from t order by a"})j", "rows 1 2"},
        {u"-- note\nselect 1", R"j({"stmt":"-- note\nselect 1"})j", "rows 1"},
        {u"values (3), (4)", R"j({"stmt":"values (3), (4)"})j", "rows 3 4"},
        // A reply without columns is a row count.
        {u"update t set b = 'z' where a = 2", R"j({"stmt":"update t set b = 'z' where a = 2"})j", "count 1"},
        {u"/* all */ delete from t where a > 5", R"j({"stmt":"\/* all *\/ delete from t where a > 5"})j", "count 0"},
        {u"CREATE TABLE u (c long)", R"j({"stmt":"CREATE TABLE u (c long)"})j", "count -1"},
        {u"drop table u", R"j({"stmt":"drop table u"})j", "count -1"},
    };
    for (const auto& c : cases)
    {
        ClearRequestLog();
        std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Engine(true)->Prepare(c.sql);
        EXPECT_TRUE(DescribeColumns(Result(*executor)).empty()) << c.body;
        TestParameterSets none;
        ASSERT_EQ("ok", Outcome([&] { executor->Execute(nullptr, none, none, none); })) << c.body;
        std::string outcome = RowCount(*executor);
        for (const std::string& row : outcome == "rows" ? ReadRows(Result(*executor)) : std::vector<std::string>())
        {
            outcome += " " + row;
        }
        EXPECT_EQ(c.outcome, outcome) << c.body;
        EXPECT_EQ(std::vector<std::string>{std::string("statement ") + c.body}, Requests());
    }
}

TEST_F(PeltaQueryExecutorTest, LineEndsQuotesAndBackslashesInLiteralsReachTheServerUnchanged)
{
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Run(u"select 'a\"b\\c/d\n\te' as v");
    EXPECT_EQ(std::string(R"j({"stmt":"select 'a\"b\\c\/d\n\te' as v"})j"), LastRawBody(Server()));
    EXPECT_EQ(std::vector<std::string>{"a\"b\\c/d\n\te"}, ReadRows(Result(*executor)));
}

TEST_F(PeltaQueryExecutorTest, MaxRowsKeepsTheFirstRowsOfASelectAndQueryTimeoutLimitsItsRequest)
{
    ServerSql("insert into t values (1, 'x'), (2, 'y'), (3, 'z')");
    Engine();
    const auto setProperty = [&](int32_t in_key, uint64_t in_value) {
        m_statement->SetProperty(in_key, std::unique_ptr<Orvik::Support::AttributeData>(
                                             Orvik::Support::AttributeData::MakeNewUIntNativeAttributeData(in_value)));
    };
    const struct
    {
        uint64_t maxRows;
        std::vector<std::string> rows;
    } cases[] = {
        {0, {"1", "2", "3"}},
        {2, {"1", "2"}},
        {3, {"1", "2", "3"}},
        {4, {"1", "2", "3"}},
    };
    for (const auto& c : cases)
    {
        setProperty(Orvik::DSI::STMT_PROP_MAX_ROWS, c.maxRows);
        EXPECT_EQ(c.rows, ReadRows(Result(*Run(u"select a from t order by a")))) << c.maxRows;
    }
    // Other statements are not limited.
    setProperty(Orvik::DSI::STMT_PROP_MAX_ROWS, 1);
    EXPECT_EQ("count 3", RowCount(*Run(u"update t set b = 'w'")));

    // The statement's query timeout becomes the time limit of its requests.
    AddFault(Server(), R"j({"method":"POST","delay":3,"times":1})j");
    setProperty(Orvik::DSI::STMT_PROP_QUERY_TIMEOUT, 1);
    EXPECT_EQ("PeltaAPIErr HYT00 117 [Timeout was reached]", Outcome([&] { Run(u"select a from t"); }));
}

TEST_F(PeltaQueryExecutorTest, APreparedSelectIsDescribedByTheProbeBeforeItRuns)
{
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Engine()->Prepare(u"select a, b from t where a = ?");
    EXPECT_EQ((std::vector<std::string>{"a:4", "b:-9"}), DescribeColumns(Result(*executor)));
    EXPECT_EQ(1, executor->GetNumParams());

    ServerSql("insert into t values (1, 'x')");
    TestParameterSets sets({{Integer(1)}});
    executor->Execute(nullptr, sets, sets, sets);
    EXPECT_EQ(std::vector<std::string>{"1|x"}, ReadRows(Result(*executor)));
    EXPECT_EQ("1:0", sets.Statuses());
    EXPECT_EQ((std::vector<std::string>{
                  R"j(probe-subquery {"stmt":"select * from (select a, b from t where a = ?) limit 0", "args":[null]})j",
                  R"j(statement {"stmt":"select a, b from t where a = ?", "args":[1]})j"}),
              Requests());
}

TEST_F(PeltaQueryExecutorTest, TheProbeFallsBackToItsSecondFormAndThenToNoColumns)
{
    AddFault(Server(), R"j({"probe":"subquery","error":{"code":4000}})j");
    EXPECT_EQ((std::vector<std::string>{"a:4"}), DescribeColumns(Result(*Engine()->Prepare(u"select a from t"))));
    EXPECT_EQ((std::vector<std::string>{R"j(probe-subquery {"stmt":"select * from (select a from t) limit 0"})j",
                                        R"j(probe-fallback {"stmt":"select a from t limit 0"})j"}),
              Requests());

    AddFault(Server(), R"j({"probe":"both","times":2,"error":{"code":4000}})j");
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Engine()->Prepare(u"select a from t");
    EXPECT_TRUE(DescribeColumns(Result(*executor)).empty());
    EXPECT_FALSE(Result(*executor).Move(Orvik::DSI::DSI_DIR_NEXT, 0));
}

TEST_F(PeltaQueryExecutorTest, SeveralSetsGoInOneBulkRequestAndEachSetGetsItsOwnStatus)
{
    TestParameterSets sets({{Integer(1), Text("x")}, {Integer(2), Null()}, {Integer(3), Text("z")}});
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Run(u"insert into t values (?, ?)", std::move(sets));
    EXPECT_EQ("count 3", RowCount(*executor));
    EXPECT_EQ(R"j({"stmt":"insert into t values (?, ?)", "bulk_args":[[1, "x"], [2, null], [3, "z"]]})j",
              LastRawBody(Server()));

    TestParameterSets partly({{Integer(4), Text("p")}, {Integer(5), Text("q")}, {Integer(6), Text("r")}});
    AddFault(Server(), R"j({"bulk_fail":[1]})j");
    EXPECT_EQ("PeltaBulkOperationError HY000 117 [2|1]", Outcome([&] { Run(u"insert into t values (?, ?)", std::move(partly)); }));

    TestParameterSets failing({{Integer(7), Text("s")}, {Integer(8), Text("t")}});
    AddFault(Server(), R"j({"method":"POST","error":{"code":5000}})j");
    EXPECT_EQ("PeltaAPIError HY000 117 [5000|injected]", Outcome([&] { Run(u"insert into t values (?, ?)", std::move(failing)); }));
}

TEST_F(PeltaQueryExecutorTest, StatusesAreWrittenAfterTheReply)
{
    const struct
    {
        std::vector<std::vector<TestValue>> sets;
        const char* fault;
        const char* statuses;
    } cases[] = {
        {{{Integer(1), Text("a")}}, nullptr, "1:0"},
        {{{Integer(1), Text("a")}}, R"j({"method":"POST","error":{"code":4000}})j", "1:4"},
        {{{Integer(1), Text("a")}, {Integer(2), Text("b")}, {Integer(3), Text("c")}}, nullptr, "1:0 2:0 3:0"},
        {{{Integer(1), Text("a")}, {Integer(2), Text("b")}, {Integer(3), Text("c")}}, R"j({"bulk_fail":[0,2]})j",
         "1:4 2:0 3:4"},
        {{{Integer(1), Text("a")}, {Integer(2), Text("b")}}, R"j({"method":"POST","close":true})j", "1:4 2:4"},
    };
    for (const auto& c : cases)
    {
        if (c.fault != nullptr)
        {
            AddFault(Server(), c.fault);
        }
        TestParameterSets sets(c.sets);
        Outcome([&] { Engine(true)->Prepare(u"insert into t values (?, ?)")->Execute(nullptr, sets, sets, sets); });
        EXPECT_EQ(c.statuses, sets.Statuses()) << (c.fault ? c.fault : "no fault");
    }
}

TEST_F(PeltaQueryExecutorTest, ParametersWithoutAJsonFormAreRefusedBeforeAnythingIsSent)
{
    const uint8_t bitTwo = 2;
    const SQL_DATE_STRUCT date{2024, 1, 31};
    const struct
    {
        TestValue value;
        const char* outcome;
    } cases[] = {
        {Default(), "PeltaDefaultParameterNotSupported HY000 117 [1]"},
        {Binary(SQL_TYPE_DATE, date), "PeltaUnsupportedParameterType HY000 117 [SQL_TYPE_DATE (91)]"},
        {Binary(SQL_NUMERIC, date), "PeltaUnsupportedParameterType HY000 117 [SQL_NUMERIC (2)]"},
        {Binary(SQL_BIT, bitTwo), "PeltaInvalidParameterData HY000 117 []"},
    };
    for (const auto& c : cases)
    {
        ClearRequestLog();
        TestParameterSets sets({{Integer(1), Text("a")}, {Integer(2), c.value}, {Integer(3), Text("c")}});
        EXPECT_EQ(c.outcome, Outcome([&] { Run(u"insert into t values (?, ?)", std::move(sets)); }));
        EXPECT_TRUE(Requests().empty()) << c.outcome;
    }
    TestParameterSets sets({{Integer(1), Text("a")}, {Integer(2), Default()}, {Integer(3), Text("c")}});
    Outcome([&] { Engine(true)->Prepare(u"insert into t values (?, ?)")->Execute(nullptr, sets, sets, sets); });
    EXPECT_EQ("1:2 2:4 3:2", sets.Statuses());

    TestParameterSets none;
    EXPECT_EQ("PeltaNoParameterSet HY000 117 []", Outcome([&] { Run(u"select a from t where a = ?", std::move(none)); }));
    EXPECT_TRUE(Requests().empty());
}

TEST_F(PeltaQueryExecutorTest, ParametersAreDescribedAsInputWideTextOfMaxColumnSize)
{
    Connect({{u"MaxColumnSize", Variant("123")}});
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = Engine(true)->Prepare(u"insert into t values (?, ?)");
    TestParameterSets list;
    executor->PopulateParameters(list);
    ASSERT_EQ(2u, list.m_parameters.size());
    for (const TestParameter& parameter : list.m_parameters)
    {
        EXPECT_EQ("type -9;io 1;size 123;", parameter.m_description);
    }
    TestParameter piece;
    EXPECT_EQ("PeltaUnimplementedMethod HY000 117 [PushParamData]", Outcome([&] { executor->PushParamData(1, piece); }));
    // A cancel while nothing runs is forgotten by the next request.
    EXPECT_EQ("ok", Outcome([&] { executor->CancelExecute(); }));
    executor->ClearCancel();
}

} // namespace
