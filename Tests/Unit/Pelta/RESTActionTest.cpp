#include "Pelta/RESTAction.h"

#include "Common/TemporaryDirectory.h"
#include "Unit/Pelta/PeltaTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

using Orvik::Testing::ScopedEnvironment;
using Pelta::RESTAction;
using namespace Pelta::Test;

namespace {

class RESTActionTest : public ServerTest
{
protected:
    static void SetUpTestSuite() { StartServer(1); }

    std::string Url(const std::string& in_path = "") const
    {
        return "http://" + Server().Address() + in_path;
    }

    RecordingLog m_log;
    RESTAction m_action {m_log};
};

TEST_F(RESTActionTest, ErrorStatusesAndRedirectsComeBackAsRepliesWithoutFollowing)
{
    const struct
    {
        const char* fault;
        int verb;
        int status;
        const char* body;
        const char* location;
    } cases[] = {
        {R"({"reply":{"status":404,"body":"{\"missing\":true}"}})", RESTAction::VERB_GET, 404,
         R"({"missing":true})", ""},
        {R"({"reply":{"status":500,"body":"{\"rowcount\":1}"}})", RESTAction::VERB_POST, 500,
         R"({"rowcount":1})", ""},
        {R"({"reply":{"status":302,"headers":[["Location","http://127.0.0.1:1/next"]]}})",
         RESTAction::VERB_GET, 302, "", "http://127.0.0.1:1/next"},
        {R"({"reply":{"status":301,"headers":[["location","http://127.0.0.1:1/lower"]],"body":"moved"}})",
         RESTAction::VERB_POST, 301, "moved", ""},
        {R"({"reply":{"status":200,"headers":[["X-Location","elsewhere"]],"body":"[]"}})",
         RESTAction::VERB_GET, 200, "[]", ""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fault);
        ASSERT_EQ(200, Server().Control("POST", "/reset").status);
        AddFault(Server(), c.fault);
        m_action.SetEndpoint(Url(c.verb == RESTAction::VERB_POST ? "/_sql?types" : ""));
        m_action.SetBody(c.verb == RESTAction::VERB_POST ? R"({"stmt":"select 1"})" : "");
        std::string reply = "kept:";
        EXPECT_EQ("ok", Outcome([&] { m_action.DoAction(c.verb, reply); }));
        EXPECT_EQ(std::string("kept:") + c.body, reply);
        EXPECT_EQ(c.status, m_action.GetResponseCode());
        EXPECT_EQ(c.location, m_action.GetLocation());
        EXPECT_EQ(1u, ReadRequestLog(Server()).size()) << "a redirect is not followed";
    }
}

TEST_F(RESTActionTest, ARefusedConnectionGivesLibcurlsTextAndStillLogsTheTiming)
{
    ASSERT_EQ(200, Server().Control("POST", "/listeners/0/down").status);
    m_action.SetEndpoint(Url());
    std::string reply;
    EXPECT_EQ("PeltaAPIErr HY000 117 [Couldn't connect to server]",
              Outcome([&] { m_action.Get(reply); }));
    EXPECT_EQ(1u, m_log.Matching("RESTAction::DoAction: Send REST request.").size());
    EXPECT_EQ(1u, m_log.Matching("RESTAction::DoAction: Received REST response in ").size());

    // The action stays usable.
    ASSERT_EQ(200, Server().Control("POST", "/listeners/0/up").status);
    m_action.SetEndpoint(Url());
    m_action.Get(reply);
    EXPECT_NE(std::string::npos, reply.find("\"cluster_name\""));
}

TEST_F(RESTActionTest, ATimeLimitLastsForOneActionOnly)
{
    AddFault(Server(), R"({"method":"GET","delay":2,"times":2})");
    m_action.SetEndpoint(Url());
    m_action.SetTimeout(1);
    std::string reply;
    EXPECT_EQ("PeltaAPIErr HYT00 117 [Timeout was reached]", Outcome([&] { m_action.Get(reply); }));

    m_action.SetEndpoint(Url());
    reply.clear();
    EXPECT_EQ("ok", Outcome([&] { m_action.Get(reply); }));
    EXPECT_NE(std::string::npos, reply.find("\"cluster_name\""));
}

TEST_F(RESTActionTest, OnlyAGetGoesOutAgainAndAnyOtherRequestLostAfterItWentOutMayHaveRun)
{
    const struct
    {
        const char* fault;
        int verb;
        uint64_t timeLimit;
        const char* outcome;
        size_t sent;
    } cases[] = {
        // libcurl's own second try, on a new connection, is stopped before it sends.
        {R"({"method":"POST","close":true})", RESTAction::VERB_POST, 0,
         "PeltaSentRequestUnanswered 08S01 117 [Server returned nothing (no headers, no data)]", 1},
        {R"({"method":"POST","close":"after"})", RESTAction::VERB_POST, 0,
         "PeltaSentRequestUnanswered 08S01 117 [Server returned nothing (no headers, no data)]", 1},
        {R"({"close":true})", RESTAction::VERB_PUT, 0,
         "PeltaSentRequestUnanswered 08S01 117 [Server returned nothing (no headers, no data)]", 1},
        {R"({"method":"POST","close":"after","down":true})", RESTAction::VERB_POST, 0,
         "PeltaSentRequestUnanswered 08S01 117 [Couldn't connect to server]", 1},
        {R"({"method":"POST","cut":true})", RESTAction::VERB_POST, 0,
         "PeltaSentRequestUnanswered 08S01 117 [Transferred a partial file]", 1},
        {R"({"method":"POST","delay":2})", RESTAction::VERB_POST, 1, "PeltaAPIErr HYT00 117 [Timeout was reached]", 1},
        // A GET changes nothing: libcurl may send it again.
        {R"({"method":"GET","close":true})", RESTAction::VERB_GET, 0, "ok", 2},
        {R"({"method":"GET","close":true,"times":2})", RESTAction::VERB_GET, 0,
         "PeltaAPIErr HY000 117 [Server returned nothing (no headers, no data)]", 2},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fault);
        ASSERT_EQ(200, Server().Control("POST", "/reset").status);
        // The request of the case goes on the connection this one leaves open.
        std::string reply;
        m_action.SetEndpoint(Url());
        m_action.Get(reply);
        AddFault(Server(), c.fault);
        const size_t before = ReadRequestLog(Server()).size();

        m_action.SetEndpoint(Url(c.verb == RESTAction::VERB_GET ? "" : "/_sql?types"));
        m_action.SetBody(c.verb == RESTAction::VERB_GET ? "" : R"({"stmt":"select 1"})");
        m_action.SetTimeout(c.timeLimit);
        EXPECT_EQ(c.outcome, Outcome([&] { m_action.DoAction(c.verb, reply); }));
        EXPECT_EQ(c.sent, ReadRequestLog(Server()).size() - before);
        EXPECT_FALSE(m_action.IsRefusedBeforeSending());
    }
}

TEST_F(RESTActionTest, AConnectionTheServerClosedOrThatWasLongIdleIsReplacedBeforeTheRequest)
{
    std::string reply;
    const auto post = [&] {
        m_action.SetEndpoint(Url("/_sql?types"));
        m_action.SetBody(R"({"stmt":"select 1"})");
        return Outcome([&] { m_action.Post(reply); });
    };
    ASSERT_EQ("ok", post());
    ASSERT_EQ(200, Server().Control("POST", "/listeners/0/down").status);
    ASSERT_EQ(200, Server().Control("POST", "/listeners/0/up").status);
    EXPECT_EQ("ok", post());
    std::this_thread::sleep_for(std::chrono::milliseconds(3200));
    EXPECT_EQ("ok", post());
    EXPECT_EQ(3u, ReadRequestLog(Server()).size());
    const std::string counters = Server().Control("GET", "/counters").body;
    EXPECT_NE(std::string::npos, counters.find("\"connections\": 3,")) << counters;
}

TEST_F(RESTActionTest, VerbsAndTheirRequests)
{
    std::string reply;
    m_action.SetEndpoint(Url("/thing"));
    m_action.SetBody("payload");
    EXPECT_EQ("RESTAPIUnknownRequestType HY000 117 [4]", Outcome([&] { m_action.DoAction(4, reply); }));
    EXPECT_EQ("RESTAPIUnknownRequestType HY000 117 [-1]", Outcome([&] { m_action.DoAction(-1, reply); }));
    EXPECT_TRUE(ReadRequestLog(Server()).empty());

    m_action.SetEndpoint(Url("/thing"));
    m_action.SetBody("a=1");
    m_action.Get(reply);
    m_action.SetEndpoint(Url("/thing"));
    m_action.DoAction(RESTAction::VERB_DELETE, reply);
    m_action.SetEndpoint(Url("/thing"));
    m_action.SetBody("put body");
    m_action.DoAction(RESTAction::VERB_PUT, reply);
    m_action.SetEndpoint(Url("/_sql?types"));
    m_action.SetBody(R"({"stmt":"select 1"})");
    m_action.Post(reply);

    const std::vector<LoggedRequest> requests = ReadRequestLog(Server());
    ASSERT_EQ(4u, requests.size());
    EXPECT_EQ("GET /thing?a=1", requests[0].method + " " + requests[0].target);
    EXPECT_EQ("", requests[0].body);
    EXPECT_EQ("DELETE /thing", requests[1].method + " " + requests[1].target);
    EXPECT_EQ("PUT /thing put body", requests[2].method + " " + requests[2].target + " " + requests[2].body);
    EXPECT_EQ(R"(POST /_sql?types {"stmt":"select 1"})",
              requests[3].method + " " + requests[3].target + " " + requests[3].body);
}

TEST_F(RESTActionTest, EveryRequestCarriesTheHeaderLinesOnOneKeptAliveConnection)
{
    m_action.AddHeaderOption("User agent: orvik-odbc 01.00.00.1000");
    std::string reply;
    for (int i = 0; i < 3; ++i)
    {
        m_action.SetEndpoint(Url(i == 1 ? "/_sql?types" : ""));
        m_action.SetBody(i == 1 ? R"({"stmt":"select 1"})" : "");
        m_action.DoAction(i == 1 ? RESTAction::VERB_POST : RESTAction::VERB_GET, reply);
        m_action.Reset();
    }
    const std::vector<LoggedRequest> requests = ReadRequestLog(Server());
    ASSERT_EQ(3u, requests.size());
    for (const LoggedRequest& request : requests)
    {
        int found = 0;
        for (const std::string& line : request.headerLines)
        {
            found += line == "User agent: orvik-odbc 01.00.00.1000";
        }
        EXPECT_EQ(1, found) << request.method;
    }
    const std::string counters = Server().Control("GET", "/counters").body;
    EXPECT_NE(std::string::npos, counters.find("\"connections\": 1,")) << counters;
}

TEST_F(RESTActionTest, AProxyNamedByTheEnvironmentIsNotUsed)
{
    ScopedEnvironment noProxy("no_proxy", std::nullopt);
    ScopedEnvironment noProxyUpper("NO_PROXY", std::nullopt);
    ScopedEnvironment httpProxy("http_proxy", std::string("http://127.0.0.1:1"));
    ScopedEnvironment allProxy("ALL_PROXY", std::string("http://127.0.0.1:1"));
    m_action.SetEndpoint(Url());
    std::string reply;
    EXPECT_EQ("ok", Outcome([&] { m_action.Get(reply); }));
    EXPECT_EQ(1u, ReadRequestLog(Server()).size());
}

} // namespace
