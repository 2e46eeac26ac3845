// What the client sends: byte-exact statement bodies, the one extra header line, the column
// probe and its fallback, and statement texts that keep their data.

#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConnectionSettings.h"
#include "Pelta/PeltaJsonWriter.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/Pelta/PeltaTestSupport.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <sqlext.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using Orvik::Support::TDWTimestampValue;
using Pelta::PeltaAPI;
using Pelta::PeltaConnectionSettings;
using Pelta::PeltaJsonWriter;
using namespace Pelta::Test;

namespace {

template <typename T>
std::string Json(int16_t in_sqlType, bool in_isUnsigned, T in_value)
{
    return PeltaJsonWriter::ArgumentToJson(in_sqlType, in_isUnsigned, &in_value, sizeof in_value);
}

class PeltaAPIRequestTest : public PeltaAPITest
{
protected:
    std::string Execute(const std::string& in_text, const std::vector<std::string>& in_values = {})
    {
        std::string reply;
        m_client->ExecuteQuery(reply, in_text, in_values);
        return reply;
    }
};

TEST_F(PeltaAPIRequestTest, StatementBodiesAreByteExact)
{
    TDWTimestampValue leapDay;
    leapDay.m_year = 2000;
    leapDay.m_month = 2;
    leapDay.m_day = 29;
    const std::string quoted = "say \"hi\"\n\\ a/b\t\x01";
    const struct
    {
        const char* text;
        std::vector<std::string> values;
        const char* body;
    } cases[] = {
        {"select 1", {}, R"j({"stmt":"select 1"})j"},
        {"select ?, ?", {"1", "null"}, R"j({"stmt":"select ?, ?", "args":[1, null]})j"},
        {"select ?", {PeltaJsonWriter::StringToJson(quoted.data(), quoted.size())},
         R"j({"stmt":"select ?", "args":["say \"hi\"\n\\ a\/b\t\u0001"]})j"},
        {"select ?, ?", {Json<uint8_t>(SQL_BIT, false, 1), Json<uint8_t>(SQL_BIT, false, 0)},
         R"j({"stmt":"select ?, ?", "args":[true, false]})j"},
        {"select ?, ?, ?, ?",
         {Json<int8_t>(SQL_TINYINT, false, -128), Json<uint8_t>(SQL_TINYINT, true, 255),
          Json<int16_t>(SQL_SMALLINT, false, -32768), Json<uint16_t>(SQL_SMALLINT, true, 65535)},
         R"j({"stmt":"select ?, ?, ?, ?", "args":[-128, 255, -32768, 65535]})j"},
        {"select ?, ?, ?, ?",
         {Json<int32_t>(SQL_INTEGER, false, INT32_MIN), Json<uint32_t>(SQL_INTEGER, true, UINT32_MAX),
          Json<int64_t>(SQL_BIGINT, false, INT64_MIN), Json<int64_t>(SQL_BIGINT, false, INT64_MAX)},
         R"j({"stmt":"select ?, ?, ?, ?", "args":[-2147483648, 4294967295, -9223372036854775808, 9223372036854775807]})j"},
        {"select ?, ?, ?",
         {Json<float>(SQL_REAL, false, 1.0f / 3), Json<double>(SQL_DOUBLE, false, 1.0 / 3),
          Json<double>(SQL_DOUBLE, false, -2.5e-300)},
         R"j({"stmt":"select ?, ?, ?", "args":[0.33333334, 0.3333333333333333, -2.5e-300]})j"},
        {"select ?", {Json<TDWTimestampValue>(SQL_TYPE_TIMESTAMP, false, leapDay)},
         R"j({"stmt":"select ?", "args":[951782400000]})j"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.body);
        EXPECT_EQ("ok", Outcome([&] { Execute(c.text, c.values); })) << "the server read the body";
        EXPECT_EQ(c.body, LastRawBody(Server()));
    }
    EXPECT_EQ(19u, std::strlen(cases[0].body));
}

TEST_F(PeltaAPIRequestTest, BulkBodiesHoldOneListPerSet)
{
    Execute("create table t (i integer, s string)");
    std::vector<uint64_t> failed;
    const int64_t total = m_client->ExecuteBulkOperation(
        "insert into t values (?, ?)", {{"1", "\"a\""}, {"2", "\"b\""}, {"3", "null"}}, failed);
    EXPECT_EQ(3, total);
    EXPECT_TRUE(failed.empty());
    EXPECT_EQ(R"j({"stmt":"insert into t values (?, ?)", "bulk_args":[[1, "a"], [2, "b"], [3, null]]})j",
              LastRawBody(Server()));
}

TEST_F(PeltaAPIRequestTest, EveryRequestCarriesExactlyTheDefaultHeadersAndTheUserAgentLine)
{
    Execute("select 1");
    std::string cluster;
    std::string version;
    m_client->TestConnection(cluster, version);
    const std::string host = "Host: " + Server().Address();
    const std::vector<LoggedRequest> requests = ReadRequestLog(Server());
    ASSERT_EQ(2u, requests.size());
    EXPECT_EQ((std::vector<std::string> {host,
                                         "Accept: */*",
                                         "User agent: orvik-odbc 01.00.00.1000",
                                         "Content-Length: 19",
                                         "Content-Type: application/x-www-form-urlencoded"}),
              requests[0].headerLines);
    EXPECT_EQ((std::vector<std::string> {host, "Accept: */*", "User agent: orvik-odbc 01.00.00.1000"}),
              requests[1].headerLines);
    EXPECT_EQ("POST /_sql?types", requests[0].method + " " + requests[0].target);
    EXPECT_EQ("GET /", requests[1].method + " " + requests[1].target);
    const std::string counters = Server().Control("GET", "/counters").body;
    EXPECT_NE(std::string::npos, counters.find("\"connections\": 1,")) << "one kept-alive connection";
}

TEST_F(PeltaAPIRequestTest, BodiesAreLoggedAtTraceAsTheyAre)
{
    const std::string reply = Execute("select '100%s%n%%' as p");
    const std::string sent = R"j(TRACE PeltaAPI::SendRequest: {"stmt":"select '100%s%n%%' as p"})j";
    EXPECT_EQ(1u, m_log.Matching(sent).size());
    EXPECT_EQ(1u, m_log.Matching("TRACE PeltaAPI::SendRequest: " + reply).size());
}

TEST_F(PeltaAPIRequestTest, LineEndsAndTabsInStringLiteralsReachTheDataUnchanged)
{
    const std::string literal = "line1\nline2\r\n\tend \"q\" \\ /";
    Execute(PeltaJsonWriter::EscapeStatementText("create table notes (s string)"));
    Execute(PeltaJsonWriter::EscapeStatementText("  insert into notes values ('" + literal + "')\n"));
    const std::string reply = Execute(PeltaJsonWriter::EscapeStatementText("select s from notes"));
    rapidjson::Document document;
    document.Parse(reply.c_str());
    ASSERT_TRUE(document.IsObject()) << reply;
    const rapidjson::Value& cell = document["rows"][0][0];
    EXPECT_EQ(literal, std::string(cell.GetString(), cell.GetStringLength()));
}

TEST_F(PeltaAPIRequestTest, MegabyteBodiesGoOutAndComeBackWhole)
{
    std::string text(3 * 1024 * 1024, 'x');
    for (size_t i = 0; i < text.size(); i += 1000)
    {
        text[i] = "\n\"/\\\t"[i % 5];
    }
    Execute("create table big (s string)");
    Execute("insert into big values (?)", {PeltaJsonWriter::StringToJson(text.data(), text.size())});
    const std::string reply = Execute("select s from big");
    rapidjson::Document document;
    document.Parse(reply.c_str());
    ASSERT_TRUE(document.IsObject()) << reply.substr(0, 200);
    const rapidjson::Value& cell = document["rows"][0][0];
    EXPECT_TRUE(std::string(cell.GetString(), cell.GetStringLength()) == text);
}

TEST_F(PeltaAPIRequestTest, TheColumnProbeFallsBackToTheLimitFormOnTheSameServer)
{
    std::string reply;
    m_client->ExecuteMetadataQuery(reply, "select ? as x", {"null"});
    AddFault(Server(), R"j({"probe":"subquery","error":{"code":4000,"message":"no subqueries"}})j");
    m_client->ExecuteMetadataQuery(reply, "select ? as x", {"null"});
    m_client->ExecuteMetadataQuery(reply, "select 2 as y", {});

    const std::vector<LoggedRequest> requests = ReadRequestLog(Server());
    std::vector<std::string> seen;
    for (const LoggedRequest& request : requests)
    {
        seen.push_back(request.kind + " " + request.body);
    }
    EXPECT_EQ((std::vector<std::string> {
                  R"j(probe-subquery {"stmt":"select * from (select ? as x) limit 0", "args":[null]})j",
                  R"j(probe-subquery {"stmt":"select * from (select ? as x) limit 0", "args":[null]})j",
                  R"j(probe-fallback {"stmt":"select ? as x limit 0", "args":[null]})j",
                  R"j(probe-subquery {"stmt":"select * from (select 2 as y) limit 0"})j",
              }),
              seen);
    EXPECT_EQ(1u, m_log.Matching("ERROR PeltaAPI::ExecuteMetadataQuery").size())
        << "the failed first form is logged";

    AddFault(Server(), R"j({"probe":"both","error":{"code":4041,"message":"gone"},"times":2})j");
    EXPECT_EQ("PeltaAPIError 42S02 117 [4041|gone]",
              Outcome([&] { m_client->ExecuteMetadataQuery(reply, "select 3", {}); }));

    // A reply lost on its way is no refusal of the first form: nothing more is sent.
    AddFault(Server(), R"j({"probe":"subquery","close":"after"})j");
    EXPECT_EQ("PeltaSentRequestUnanswered 08S01 117 [Server returned nothing (no headers, no data)]",
              Outcome([&] { m_client->ExecuteMetadataQuery(reply, "select 4", {}); }));
    EXPECT_EQ("probe-subquery", ReadRequestLog(Server()).back().kind);
}

} // namespace
