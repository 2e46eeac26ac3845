// How replies are read: server errors become SQLSTATEs, malformed or cut replies become errors
// and never crashes, and the members the callers need are checked before they are read.

#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConnectionSettings.h"

#include "Unit/Pelta/PeltaTestSupport.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using Pelta::PeltaAPI;
using Pelta::PeltaConnectionSettings;
using namespace Pelta::Test;

namespace {

TEST(PeltaAPIReply, ServerErrorsAndMalformedRepliesGiveTheirErrors)
{
    const struct
    {
        std::string reply;
        const char* outcome;
    } cases[] = {
        {R"j({"rowcount":1})j", "ok"},
        {R"j(  {"cols":[],"rows":[]}  )j", "ok"},
        {std::string("{\"rowcount\":1}\0junk", 20), "ok"},
        {R"j({"error":{"code":4000,"message":"near \"selec\": syntax error"}})j",
         "PeltaAPIError 42000 117 [4000|near \"selec\": syntax error]"},
        {R"j({"error":{"code":4006,"message":"m"}})j", "PeltaAPIError 42S22 117 [4006|m]"},
        {R"j({"error":{"code":4041,"message":"no such table: t"}})j",
         "PeltaAPIError 42S02 117 [4041|no such table: t]"},
        {R"j({"error":{"code":4043,"message":"m"}})j", "PeltaAPIError 42S22 117 [4043|m]"},
        {R"j({"error":{"code":4045,"message":"m"}})j", "PeltaAPIError 3F000 117 [4045|m]"},
        {R"j({"error":{"code":4093,"message":"m"}})j", "PeltaAPIError 42S01 117 [4093|m]"},
        {R"j({"error":{"code":5000,"message":"m"}})j", "PeltaAPIError HY000 117 [5000|m]"},
        {R"j({"error":{"code":-7,"message":"h\u00e9"}})j", "PeltaAPIError HY000 117 [-7|h\xc3\xa9]"},
        {R"j({"error":{"code":4041}})j", "PeltaAPIError 42S02 117 [4041|]"},
        {R"j({"error":{"code":4041,"message":7}})j", "PeltaAPIError 42S02 117 [4041|]"},
        {R"j({"rowcount":1,"error":{"message":"no code"}})j", "PeltaJSONMemberNotFoundError HY000 117 [code]"},
        {R"j({"error":"flat"})j", "PeltaJSONMemberNotFoundError HY000 117 [code]"},
        {R"j({"error":{"code":"4000"}})j", "PeltaJSONWrongType HY000 117 [code|integer]"},
        {R"j({"error":{"code":4000.5}})j", "PeltaJSONWrongType HY000 117 [code|integer]"},
        {R"j({"error":{"code":4294967296}})j", "PeltaJSONWrongType HY000 117 [code|integer from -2147483648 to 2147483647]"},
        // Numbers are read from their digits: one beyond the doubles is refused, one below them is zero.
        {R"j({"rowcount":1,"took":10e308})j", "PeltaJSONParseError HY000 117 [13]"},
        {R"j({"rowcount":1,"took":-1.7976931348623159e308})j", "PeltaJSONParseError HY000 117 [13]"},
        {R"j({"rowcount":1,"took":1e-400})j", "ok"},
        {"", "PeltaJSONParseError HY000 117 [1]"},
        {"   ", "PeltaJSONParseError HY000 117 [1]"},
        {"{} {}", "PeltaJSONParseError HY000 117 [2]"},
        {"<html><body>oops</body></html>", "PeltaJSONParseError HY000 117 [3]"},
        {R"j({"rowcount":)j", "PeltaJSONParseError HY000 117 [3]"},
        {R"j({"rowcount":1)j", "PeltaJSONParseError HY000 117 [6]"},
        {"[]", "PeltaJSONWrongType HY000 117 [reply|object]"},
        {"\"str\"", "PeltaJSONWrongType HY000 117 [reply|object]"},
        {"42", "PeltaJSONWrongType HY000 117 [reply|object]"},
        {std::string(200000, '[') + std::string(200000, ']'), "PeltaJSONWrongType HY000 117 [reply|object]"},
        {std::string(200000, '['), "PeltaJSONParseError HY000 117 [3]"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.outcome, Outcome([&] { PeltaAPI::CheckResponseError(c.reply); }))
            << c.reply.substr(0, 80);
    }
}

TEST(PeltaAPIReply, RequiredMembersAreCheckedForPresenceAndKind)
{
    rapidjson::Document document;
    PeltaAPI::ParseReply(R"j({"rowcount":3,"big":3000000000,"name":"x","list":[1],"cols":null,"tiny":-2e-324})j", document);
    // The nearest double, not the subnormal that RapidJSON's own reading gives.
    EXPECT_TRUE(document["tiny"].GetDouble() == 0 && std::signbit(document["tiny"].GetDouble()));
    const struct
    {
        const char* member;
        const char* asInteger;
        const char* asString;
    } cases[] = {
        {"rowcount", "3", "PeltaJSONWrongType HY000 117 [rowcount|string]"},
        {"name", "PeltaJSONWrongType HY000 117 [name|integer]", "x"},
        {"big", "PeltaJSONWrongType HY000 117 [big|integer from -2147483648 to 2147483647]",
         "PeltaJSONWrongType HY000 117 [big|string]"},
        {"cols", "PeltaJSONWrongType HY000 117 [cols|integer]", "PeltaJSONWrongType HY000 117 [cols|string]"},
        {"missing", "PeltaJSONMemberNotFoundError HY000 117 [missing]",
         "PeltaJSONMemberNotFoundError HY000 117 [missing]"},
    };
    for (const auto& c : cases)
    {
        std::string text;
        std::string outcome = Outcome([&] { text = std::to_string(PeltaAPI::GetInt32Member(document, c.member)); });
        EXPECT_EQ(c.asInteger, outcome == "ok" ? text : outcome) << c.member;
        outcome = Outcome([&] { text = PeltaAPI::GetStringMember(document, c.member); });
        EXPECT_EQ(c.asString, outcome == "ok" ? text : outcome) << c.member;
    }
    // A member looked up in something that is not an object is missing, not read.
    EXPECT_EQ("PeltaJSONMemberNotFoundError HY000 117 [rowcount]",
              Outcome([&] { PeltaAPI::GetMember(document["list"], "rowcount"); }));
    EXPECT_EQ("PeltaJSONMemberNotFoundError HY000 117 [0]",
              Outcome([&] { PeltaAPI::GetMember(document["list"][0], "0"); }));
}

TEST(PeltaAPIReply, TheErrorCodeTableGivesTheSqlStates)
{
    const struct
    {
        int32_t code;
        const char* state;
    } cases[] = {
        {4000, "42000"}, {4006, "42S22"}, {4041, "42S02"}, {4043, "42S22"}, {4045, "3F000"},
        {4093, "42S01"}, {5000, "HY000"}, {0, "HY000"},     {4001, "HY000"}, {-4000, "HY000"},
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(c.state, PeltaAPI::MapErrorCodeToSQLState(c.code)) << c.code;
    }
}

TEST(PeltaAPIReply, BuildRequestJoinsOneSet)
{
    EXPECT_EQ("", PeltaAPI::BuildRequest({}));
    EXPECT_EQ(R"j(", "args":[null]})j", PeltaAPI::BuildRequest({"null"}));
    EXPECT_EQ(R"j(", "args":["a, b", 2, true]})j", PeltaAPI::BuildRequest({"\"a, b\"", "2", "true"}));
}

class PeltaAPIExchangeTest : public PeltaAPITest
{
protected:
    std::string Run(const std::string& in_text)
    {
        std::string reply;
        return Outcome([&] { m_client->ExecuteQuery(reply, in_text, {}); });
    }
};

TEST_F(PeltaAPIExchangeTest, RepliesOfAnyStatusAndConnectionFaultsAreReadOrRefused)
{
    const struct
    {
        const char* fault;
        const char* outcome;
    } cases[] = {
        {nullptr, "ok"},
        {R"j({"reply":{"status":500,"body":"{\"rowcount\":1}"}})j", "ok"},
        {R"j({"reply":{"status":200,"body_base64":"eyJyb3djb3VudCI6MX0AanVuaw=="}})j", "ok"},
        {R"j({"reply":{"status":200,"body":""}})j", "PeltaJSONParseError HY000 117 [1]"},
        {R"j({"reply":{"status":200,"body":"{} {}"}})j", "PeltaJSONParseError HY000 117 [2]"},
        {R"j({"error":{"code":4093,"message":"exists","status":409}})j", "PeltaAPIError 42S01 117 [4093|exists]"},
        {R"j({"close":true})j", "PeltaSentRequestUnanswered 08S01 117 [Server returned nothing (no headers, no data)]"},
        {R"j({"reply":{"status":200,"body":"{\"rowcount\":12345678}"},"cut":true})j",
         "PeltaSentRequestUnanswered 08S01 117 [Transferred a partial file]"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fault ? c.fault : "no fault");
        ASSERT_EQ(200, Server().Control("POST", "/faults/clear").status);
        if (c.fault)
        {
            AddFault(Server(), c.fault);
        }
        EXPECT_EQ(c.outcome, Run("select 1"));
    }
    EXPECT_EQ("PeltaAPIError 42S02 117 [4041|no such table: nowhere]", Run("select * from nowhere"));
}

// A failing status whose body is no JSON is named with the start of the body, on one line and cut
// between characters.
TEST_F(PeltaAPIExchangeTest, AFailingStatusWithoutJsonGivesTheStartOfItsReply)
{
    const std::string x199(199, 'x');
    const struct
    {
        std::string body;
        std::string excerpt;
    } cases[] = {
        {"Bad\\r\\ngateway\\tnow", "Bad  gateway now"},
        {x199 + "x\xe2\x82\xac", x199 + "x"},
        {x199 + "\xe2\x82\xac and more", x199},
        {x199.substr(0, 197) + "\xf0\x9f\x98\x80 and more", x199.substr(0, 197)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.body);
        ASSERT_EQ(200, Server().Control("POST", "/faults/clear").status);
        AddFault(Server(), R"j({"reply":{"status":502,"body":")j" + c.body + R"j("}})j");
        EXPECT_EQ("PeltaHTTPStatusError HY000 117 [502|" + c.excerpt + "]", Run("select 1"));
    }
}

TEST_F(PeltaAPIExchangeTest, ARequestTimeoutEndsAStatementThatGetsNoAnswerWithHYT00)
{
    AddFault(Server(), R"j({"method":"POST","delay":5,"times":-1})j");
    m_client->SetRequestTimeout(1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ("PeltaAPIErr HYT00 117 [Timeout was reached]", Run("select 1"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4000));

    // Without a limit the same statement waits for its late answer.
    m_client->SetRequestTimeout(0);
    EXPECT_EQ("ok", Run("select 1"));
}

TEST_F(PeltaAPIExchangeTest, ACancelFromAnotherThreadEndsARequestThatGetsNoAnswerWithHY008)
{
    AddFault(Server(), R"j({"method":"POST","delay":5,"times":1})j");
    // A cancel made before the request starts is forgotten.
    m_client->Cancel();
    const auto start = std::chrono::steady_clock::now();
    std::string outcome;
    std::atomic<bool> isDone{false};
    std::thread running([&] {
        outcome = Run("select 1");
        isDone = true;
    });
    // Repeated, since a cancel that comes before the request starts is forgotten.
    while (!isDone)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        m_client->Cancel();
    }
    running.join();
    EXPECT_EQ("PeltaRequestCanceled HY008 117 []", outcome);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));

    // The client goes on: the next request is not cancelled.
    EXPECT_EQ("ok", Run("select 1"));
}

TEST_F(PeltaAPIExchangeTest, AFailedBulkSetIsReportedWithTheOthersTotal)
{
    Run("create table t (i integer)");
    const struct
    {
        const char* fault;
        std::vector<uint64_t> failed;
        const char* outcome;
    } cases[] = {
        {R"j({"bulk_fail":[1]})j", {2}, "PeltaBulkOperationError HY000 117 [2|1]"},
        {R"j({"bulk_fail":[0,2]})j", {1, 3}, "PeltaBulkOperationError HY000 117 [1|2]"},
        {R"j({"reply":{"body":"{\"rowcount\":3}"}})j", {}, "PeltaJSONMemberNotFoundError HY000 117 [results]"},
        {R"j({"reply":{"body":"{\"results\":{}}"}})j", {}, "PeltaJSONWrongType HY000 117 [results|array]"},
        {R"j({"reply":{"body":"{\"results\":[{\"rowcount\":1},{},{\"rowcount\":1}]}"}})j", {},
         "PeltaJSONMemberNotFoundError HY000 117 [rowcount]"},
        {R"j({"reply":{"body":"{\"results\":[{\"rowcount\":1},7,{\"rowcount\":1}]}"}})j", {},
         "PeltaJSONMemberNotFoundError HY000 117 [rowcount]"},
        {R"j({"reply":{"body":"{\"results\":[{\"rowcount\":-2},{\"rowcount\":-2},{\"rowcount\":4}]}"}})j",
         {1, 2}, "PeltaBulkOperationError HY000 117 [4|2]"},
        // Fewer or more results than sets sent: no set may be reported as done.
        {R"j({"reply":{"body":"{\"results\":[]}"}})j", {}, "PeltaBulkResultCountMismatch HY000 117 [3|0]"},
        {R"j({"reply":{"body":"{\"results\":[{\"rowcount\":1}]}"}})j", {},
         "PeltaBulkResultCountMismatch HY000 117 [3|1]"},
        {R"j({"reply":{"body":"{\"results\":[{\"rowcount\":-2},{\"rowcount\":-2}]}"}})j", {},
         "PeltaBulkResultCountMismatch HY000 117 [3|2]"},
        {R"j({"reply":{"body":"{\"results\":[{\"rowcount\":1},{\"rowcount\":1},{\"rowcount\":1},{\"rowcount\":1}]}"}})j",
         {}, "PeltaBulkResultCountMismatch HY000 117 [3|4]"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fault);
        AddFault(Server(), c.fault);
        std::vector<uint64_t> failed;
        EXPECT_EQ(c.outcome, Outcome([&] {
                      m_client->ExecuteBulkOperation("insert into t values (?)", {{"1"}, {"2"}, {"3"}}, failed);
                  }));
        EXPECT_EQ(c.failed, failed);
    }
}

} // namespace
