// The server pool: rotation with a liveness check before each statement, servers taken out of
// rotation and back after the re-entry time, and the probe at connect.

#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConnectionSettings.h"
#include "Pelta/PeltaJsonWriter.h"

#include "Unit/Pelta/PeltaTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <mutex>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using Pelta::PeltaAPI;
using Pelta::PeltaConnectionSettings;
using Pelta::PeltaJsonWriter;
using namespace Pelta::Test;

namespace {

class PeltaAPIPoolTest : public ServerTest
{
protected:
    static void SetUpTestSuite() { StartServer(3); }

    // The connection's servers are the given listeners, in order.
    void UseServers(std::vector<size_t> in_listeners)
    {
        m_settings.activeServers.clear();
        m_settings.inactiveServers.clear();
        for (size_t listener : in_listeners)
        {
            m_settings.activeServers.push_back({Server().Address(listener), 0});
        }
        m_settings.endpoint = "http://" + Server().Address(in_listeners.front()) + "/_sql?types";
        m_settings.reEntryTime = 1;
        m_settings.timeout = 1;
        m_client = std::make_unique<PeltaAPI>(m_log, m_settings);
    }

    std::string Run()
    {
        std::string reply;
        return Outcome([&] { m_client->ExecuteQuery(reply, "select 1", {}); });
    }

    // The requests since the last call, as "GET@listener" and "POST@listener".
    std::vector<std::string> Requests()
    {
        std::vector<std::string> requests;
        for (const LoggedRequest& request : ReadRequestLog(Server()))
        {
            requests.push_back(request.method + "@" + std::to_string(request.listener));
        }
        Server().Control("POST", "/reset");
        return requests;
    }

    // The servers of a queue as listener numbers.
    std::vector<int> Listeners(const std::deque<Pelta::ServerEntry>& in_queue) const
    {
        std::vector<int> listeners;
        for (const Pelta::ServerEntry& entry : in_queue)
        {
            for (size_t i = 0; i < Server().Ports().size(); ++i)
            {
                if (entry.server == Server().Address(i))
                {
                    listeners.push_back(static_cast<int>(i));
                }
            }
        }
        return listeners;
    }

    void SetListener(size_t in_listener, bool in_up)
    {
        const std::string path = "/listeners/" + std::to_string(in_listener) + (in_up ? "/up" : "/down");
        ASSERT_EQ(200, Server().Control("POST", path).status);
    }

    static void WaitPastReEntryTime() { std::this_thread::sleep_for(std::chrono::milliseconds(1200)); }

    using Sequence = std::vector<std::string>;

    RecordingLog m_log;
    PeltaConnectionSettings m_settings;
    std::unique_ptr<PeltaAPI> m_client;
};

TEST_F(PeltaAPIPoolTest, StatementsRotateOverTheServersEachAfterALivenessCheck)
{
    UseServers({0, 1});
    EXPECT_TRUE(m_client->IsPoolMode());
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ("ok", Run());
    }
    EXPECT_EQ((Sequence {"GET@0", "POST@0", "GET@1", "POST@1", "GET@0", "POST@0"}), Requests());
    EXPECT_EQ(2u, m_log.Matching("PeltaAPI::Prepare: Using endpoint: http://" + Server().Address(0)
                                 + "/_sql?types").size());
}

TEST_F(PeltaAPIPoolTest, ADownServerIsSkippedAndTakenBackAfterTheReEntryTime)
{
    UseServers({0, 1});
    SetListener(0, false);
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"GET@1", "POST@1"}), Requests());
    EXPECT_EQ((std::vector<int> {0}), Listeners(m_settings.inactiveServers));

    SetListener(0, true);
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"GET@1", "POST@1"}), Requests()) << "not due yet";

    WaitPastReEntryTime();
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"GET@1", "POST@1"}), Requests()) << "taken back behind the other";
    EXPECT_EQ(1u, m_log.Matching("Adding server " + Server().Address(0)
                                 + " back into active pool because it has reached the re-entry time limit")
                      .size());
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"GET@0", "POST@0"}), Requests());
    EXPECT_TRUE(m_settings.inactiveServers.empty());
}

TEST_F(PeltaAPIPoolTest, WithAllServersDownRequestsFailUntilOneIsDue)
{
    UseServers({0, 1});
    SetListener(0, false);
    SetListener(1, false);
    EXPECT_EQ("PeltaAllServersAreInInactiveList HY000 117 []", Run());
    EXPECT_EQ(2u, m_log.Matching("Attempting to connect to").size());
    EXPECT_EQ("PeltaAllServersAreInInactiveList HY000 117 []", Run());
    EXPECT_EQ(2u, m_log.Matching("Attempting to connect to").size()) << "nothing is due: no check";
    EXPECT_EQ((std::vector<int> {0, 1}), Listeners(m_settings.inactiveServers));

    SetListener(0, true);
    SetListener(1, true);
    Requests();
    WaitPastReEntryTime();
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"GET@0", "POST@0"}), Requests());
}

TEST_F(PeltaAPIPoolTest, OnlyALivenessReplyThatIsNotJsonOrNeverComesTakesAServerOut)
{
    const struct
    {
        const char* fault;
        Sequence requests;
        std::vector<int> inactive;
    } cases[] = {
        {R"j({"listener":0,"method":"GET","reply":{"body":"<html>busy</html>"}})j",
         {"GET@0", "GET@1", "POST@1"}, {0}},
        {R"j({"listener":0,"method":"GET","error":{"code":5000,"message":"busy","status":503}})j",
         {"GET@0", "POST@0"}, {}},
        {R"j({"listener":0,"method":"GET","reply":{"status":404,"body":"[]"}})j", {"GET@0", "POST@0"}, {}},
        {R"j({"listener":0,"method":"GET","delay":2})j", {"GET@0", "GET@1", "POST@1"}, {0}},
        {R"j({"listener":0,"method":"GET","close":true})j", {"GET@0", "GET@1", "POST@1"}, {0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.fault);
        Server().Control("POST", "/reset");
        UseServers({0, 1});
        AddFault(Server(), c.fault);
        EXPECT_EQ("ok", Run());
        EXPECT_EQ(c.requests, Requests());
        EXPECT_EQ(c.inactive, Listeners(m_settings.inactiveServers));
    }
}

TEST_F(PeltaAPIPoolTest, OnlyAStatementRefusedBeforeItWasSentGoesToTheNextServer)
{
    const struct
    {
        std::vector<const char*> faults;
        uint64_t requestTimeout;
        const char* outcome;
        Sequence requests;
        std::vector<int> inactive;
    } cases[] = {
        // The first server goes down between its liveness check and the statement.
        {{R"j({"listener":0,"method":"GET","down":true})j"}, 0, "ok", {"GET@0", "GET@1", "POST@1"}, {0}},
        {{R"j({"listener":0,"method":"GET","down":true})j", R"j({"listener":1,"method":"GET","down":true})j",
          R"j({"listener":2,"method":"GET","down":true})j"},
         0, "PeltaAllServersAreInInactiveList HY000 117 []", {"GET@0", "GET@1", "GET@2"}, {0, 1, 2}},
        // The statement reached the server, which ran it and went down or closed the connection
        // without answering: it must not run twice, nor be taken for one that never ran.
        {{R"j({"listener":0,"method":"POST","close":"after","down":true})j"}, 0,
         "PeltaSentRequestUnanswered 08S01 117 [Couldn't connect to server]", {"GET@0", "POST@0"}, {}},
        {{R"j({"listener":0,"method":"POST","close":"after"})j"}, 0,
         "PeltaSentRequestUnanswered 08S01 117 [Server returned nothing (no headers, no data)]", {"GET@0", "POST@0"}, {}},
        // The statement's time limit covers the checks of the servers it goes on to.
        {{R"j({"listener":0,"method":"GET","down":true})j", R"j({"listener":1,"method":"GET","delay":3})j"}, 1,
         "PeltaAPIErr HYT00 117 [Timeout was reached]", {"GET@0", "GET@1"}, {0}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.faults.back());
        Server().Control("POST", "/reset");
        UseServers({0, 1, 2});
        for (const char* fault : c.faults)
        {
            AddFault(Server(), fault);
        }
        m_client->SetRequestTimeout(c.requestTimeout);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(c.outcome, Run());
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
        EXPECT_EQ(c.requests, Requests());
        EXPECT_EQ(c.inactive, Listeners(m_settings.inactiveServers));
    }
}

TEST_F(PeltaAPIPoolTest, OneServerMeansNoLivenessCheckAndNoPool)
{
    UseServers({0});
    EXPECT_FALSE(m_client->IsPoolMode());
    EXPECT_EQ("ok", Run());
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"POST@0", "POST@0"}), Requests());

    SetListener(0, false);
    EXPECT_EQ("PeltaAPIErr HY000 117 [Couldn't connect to server]", Run());
    EXPECT_EQ((std::vector<int> {0}), Listeners(m_settings.activeServers));
    EXPECT_TRUE(m_settings.inactiveServers.empty());
}

TEST_F(PeltaAPIPoolTest, AnInactiveServerAtConstructionTurnsThePoolOn)
{
    UseServers({0});
    m_settings.inactiveServers.push_back({Server().Address(1), 0});
    m_client = std::make_unique<PeltaAPI>(m_log, m_settings);
    EXPECT_TRUE(m_client->IsPoolMode());
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"GET@0", "POST@0"}), Requests()) << "the long-gone server comes back behind";
    EXPECT_EQ("ok", Run());
    EXPECT_EQ((Sequence {"GET@1", "POST@1"}), Requests());
}

TEST_F(PeltaAPIPoolTest, StatementsOfOneConnectionOnSeveralThreadsKeepEachServerInOneQueue)
{
    UseServers({0, 1, 2});
    SetListener(2, false);
    std::vector<std::thread> threads;
    std::vector<std::string> failures;
    std::mutex failureLock;
    for (int t = 0; t < 4; ++t)
    {
        threads.emplace_back([&] {
            PeltaAPI client(m_log, m_settings);
            for (int i = 0; i < 10; ++i)
            {
                std::string reply;
                const std::string outcome = Outcome([&] { client.ExecuteQuery(reply, "select 1", {}); });
                if (outcome != "ok")
                {
                    std::lock_guard<std::mutex> lock(failureLock);
                    failures.push_back(outcome);
                }
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_TRUE(failures.empty()) << failures.front();
    std::vector<int> active = Listeners(m_settings.activeServers);
    std::sort(active.begin(), active.end());
    EXPECT_EQ((std::vector<int> {0, 1}), active);
    EXPECT_EQ((std::vector<int> {2}), Listeners(m_settings.inactiveServers));
}

TEST_F(PeltaAPIPoolTest, TheConnectProbeUsesTheFirstServerThatAnswers)
{
    UseServers({0, 1, 2});
    SetListener(0, false);
    std::string cluster;
    std::string version;
    EXPECT_EQ("ok", Outcome([&] { m_client->TestConnection(cluster, version); }));
    EXPECT_EQ("test-cluster 1.0.0", cluster + " " + version);
    EXPECT_EQ((Sequence {"GET@1"}), Requests());
    EXPECT_EQ((std::vector<int> {0, 1, 2}), Listeners(m_settings.activeServers)) << "queues unchanged";
    EXPECT_EQ(1u, m_log.Matching("Unable to use http://" + Server().Address(0) + " for server metadata").size());
    EXPECT_EQ(1u, m_log.Matching("Using server at http://" + Server().Address(1) + " for server metadata").size());

    // Listeners are all up again. A reply without a required member ends the probe: the next
    // server is not tried.
    const struct
    {
        const char* reply;
        const char* outcome;
    } cases[] = {
        {R"j({"cluster_name":"c","version":{}})j", "PeltaJSONMemberNotFoundError HY000 117 [number]"},
        {R"j({"cluster_name":"c"})j", "PeltaJSONMemberNotFoundError HY000 117 [version]"},
        {R"j({"version":{"number":"2"}})j", "PeltaJSONMemberNotFoundError HY000 117 [cluster_name]"},
        {R"j({"cluster_name":"c","version":"2"})j", "PeltaJSONMemberNotFoundError HY000 117 [number]"},
        {R"j({"cluster_name":["c"],"version":{"number":"2"}})j", "PeltaJSONWrongType HY000 117 [cluster_name|string]"},
        {R"j({"cluster_name":"c","version":{"number":2}})j", "PeltaJSONWrongType HY000 117 [number|string]"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.reply);
        Server().Control("POST", "/faults/clear");
        const std::string body = PeltaJsonWriter::StringToJson(c.reply, std::strlen(c.reply));
        AddFault(Server(), R"j({"listener":0,"method":"GET","reply":{"body":)j" + body + "}}");
        EXPECT_EQ(c.outcome, Outcome([&] { m_client->TestConnection(cluster, version); }));
        EXPECT_EQ((Sequence {"GET@0"}), Requests());
    }
    SetListener(0, false);
    SetListener(1, false);
    SetListener(2, false);
    // A connection that was never made fails as such, with the last server and why it failed.
    const std::string outcome = Outcome([&] { m_client->TestConnection(cluster, version); });
    EXPECT_EQ(0u, outcome.find("PeltaNoServerAnswered 08001 117 [3|" + Server().Address(2) + "|")) << outcome;
    EXPECT_NE(std::string::npos, outcome.find("PeltaAPIErr")) << outcome;
}

} // namespace
