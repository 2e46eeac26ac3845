#pragma once

// Test helpers of the back end: errors as one comparable line, a log that keeps its lines, the
// test server's request log, and a client of the API over the test server.

#include "DSI/DSILog.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConnectionSettings.h"
#include "Support/ErrorException.h"
#include "Support/TestServer.h"

#include "Unit/Pelta/ErrorLine.h"
#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Pelta {
namespace Test {

/// "ok" when in_action returns, else the ErrorLine of what it throws.
template <class Action>
std::string Outcome(Action in_action)
{
    try
    {
        in_action();
        return "ok";
    }
    catch (const Orvik::Support::ErrorException& e)
    {
        return ErrorLine(e);
    }
}

/// A log at TRACE that keeps every line as "LEVEL Class::Method: message".
class RecordingLog : public Orvik::DSI::DSILog
{
public:
    RecordingLog() { SetLogLevel(Orvik::DSI::LOG_TRACE); }

    std::vector<std::string> Lines()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_lines;
    }

    /// The lines that contain in_text.
    std::vector<std::string> Matching(const std::string& in_text)
    {
        std::vector<std::string> found;
        for (const std::string& line : Lines())
        {
            if (line.find(in_text) != std::string::npos)
            {
                found.push_back(line);
            }
        }
        return found;
    }

    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_lines.clear();
    }

protected:
    void WriteEntry(int32_t in_level,
                    const char*,
                    const char* in_class,
                    const char* in_method,
                    const char* in_format,
                    va_list in_arguments) override
    {
        va_list copy;
        va_copy(copy, in_arguments);
        const int length = std::vsnprintf(nullptr, 0, in_format, copy);
        va_end(copy);
        std::string message(length > 0 ? static_cast<size_t>(length) : 0, '\0');
        std::vsnprintf(&message[0], message.size() + 1, in_format, in_arguments);
        std::lock_guard<std::mutex> lock(m_lock);
        m_lines.push_back(std::string(GetLevelName(in_level)) + " " + in_class + "::" + in_method
                          + ": " + message);
    }

private:
    std::mutex m_lock;
    std::vector<std::string> m_lines;
};

/// One request as the test server logged it.
struct LoggedRequest
{
    int listener = -1;
    std::string method;
    std::string target;
    std::vector<std::string> headerLines;
    std::string kind;
    std::string body;
};

/// The server's request log since the last reset (bodies up to 1 MiB, as UTF-8).
inline std::vector<LoggedRequest> ReadRequestLog(const Pelta::Test::TestServer& in_server)
{
    const ControlReply reply = in_server.Control("GET", "/log?body_limit=1048576");
    rapidjson::Document document;
    document.Parse(reply.body.c_str());
    std::vector<LoggedRequest> requests;
    if (!document.IsObject() || !document.HasMember("requests"))
    {
        ADD_FAILURE() << "unreadable request log: " << reply.body;
        return requests;
    }
    for (const rapidjson::Value& entry : document["requests"].GetArray())
    {
        LoggedRequest request;
        request.listener = entry["listener"].GetInt();
        request.method = entry["method"].GetString();
        request.target = entry["target"].GetString();
        for (const rapidjson::Value& line : entry["header_lines"].GetArray())
        {
            request.headerLines.push_back(line.GetString());
        }
        request.kind = entry["kind"].GetString();
        request.body.assign(entry["body"].GetString(), entry["body"].GetStringLength());
        requests.push_back(request);
    }
    return requests;
}

/// "METHOD target@listener" of each logged request, in order.
inline std::vector<std::string> RequestSequence(const Pelta::Test::TestServer& in_server)
{
    std::vector<std::string> sequence;
    for (const LoggedRequest& request : ReadRequestLog(in_server))
    {
        sequence.push_back(request.method + " " + request.target + "@"
                           + std::to_string(request.listener));
    }
    return sequence;
}

/// The raw body bytes of the latest request.
inline std::string LastRawBody(const Pelta::Test::TestServer& in_server)
{
    return in_server.Control("GET", "/log/-1/body").body;
}

/// Adds a fault (a JSON object as the server's README describes it).
inline void AddFault(const Pelta::Test::TestServer& in_server, const std::string& in_fault)
{
    const ControlReply reply = in_server.Control("POST", "/faults", in_fault);
    ASSERT_EQ(200, reply.status) << reply.body;
}

/// A test server shared by the tests of a suite, reset before each test.
class ServerTest : public ::testing::Test
{
protected:
    static void StartServer(int in_listeners)
    {
        TestServerOptions options;
        options.listeners = in_listeners;
        s_server = new TestServer(options);
    }

    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, s_server);
        ASSERT_EQ(200, s_server->Control("POST", "/reset", "{\"data\":true}").status);
    }

    const TestServer& Server() const { return *s_server; }

    static inline TestServer* s_server = nullptr;
};

/// A client of the server's first listener, made anew for each test of a suite that starts the
/// server with one listener.
class PeltaAPITest : public ServerTest
{
protected:
    static void SetUpTestSuite() { StartServer(1); }

    void SetUp() override
    {
        ServerTest::SetUp();
        m_settings.endpoint = "http://" + Server().Address() + "/_sql?types";
        m_settings.activeServers.push_back({Server().Address(), 0});
        m_client = std::make_unique<PeltaAPI>(m_log, m_settings);
    }

    RecordingLog m_log;
    PeltaConnectionSettings m_settings;
    std::unique_ptr<PeltaAPI> m_client;
};

} // namespace Test
} // namespace Pelta
