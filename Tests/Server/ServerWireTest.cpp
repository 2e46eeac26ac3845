// The test server seen through libcurl, set up as the driver's HTTP transport sets it up: the
// same header line, keep-alive, GET for the probe and POST of the JSON body to /_sql?types.
// The replies must be the ones the server's own Python tests expect.

#include "Support/TestServer.h"

#include <curl/curl.h>
#include <gtest/gtest.h>

#include <string>

using Pelta::Test::TestServer;
using Pelta::Test::TestServerOptions;

namespace {

const char* const UserAgentLine = "User agent: orvik-odbc 01.00.00.1000";

size_t Append(char* in_data, size_t in_size, size_t in_count, void* io_target)
{
    static_cast<std::string*>(io_target)->append(in_data, in_size * in_count);
    return in_size * in_count;
}

struct Exchange
{
    CURLcode result = CURLE_OK;
    long status = 0;
    std::string body;
};

// One easy handle reused for every request, with the driver's one extra header line.
class DriverLikeClient
{
public:
    DriverLikeClient()
        : m_curl(curl_easy_init()), m_headers(curl_slist_append(nullptr, UserAgentLine))
    {
    }
    ~DriverLikeClient()
    {
        curl_slist_free_all(m_headers);
        curl_easy_cleanup(m_curl);
    }
    DriverLikeClient(const DriverLikeClient&) = delete;
    DriverLikeClient& operator=(const DriverLikeClient&) = delete;

    Exchange Get(const std::string& in_server) { return Perform("http://" + in_server, nullptr); }

    Exchange Post(const std::string& in_server, const std::string& in_body)
    {
        return Perform("http://" + in_server + "/_sql?types", &in_body);
    }

private:
    Exchange Perform(const std::string& in_url, const std::string* in_body)
    {
        Exchange exchange;
        curl_easy_reset(m_curl);
        curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(m_curl, CURLOPT_HTTPGET, 1L);
        curl_easy_setopt(m_curl, CURLOPT_TIMEOUT, 60L);
        curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &Append);
        curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &exchange.body);
        curl_easy_setopt(m_curl, CURLOPT_URL, in_url.c_str());
        if (in_body)
        {
            curl_easy_setopt(m_curl, CURLOPT_POST, 1L);
            curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, in_body->data());
            curl_easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE, long(in_body->size()));
        }
        curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers);
        exchange.result = curl_easy_perform(m_curl);
        curl_easy_getinfo(m_curl, CURLINFO_RESPONSE_CODE, &exchange.status);
        return exchange;
    }

    CURL* m_curl;
    curl_slist* m_headers;
};

class ServerWire : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        s_server = new TestServer(TestServerOptions{2, false, 300, {}});
    }
    static void TearDownTestSuite()
    {
        delete s_server;
        s_server = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(200, s_server->Control("POST", "/reset", R"~({"data": true})~").status);
    }

    static TestServer* s_server;
    DriverLikeClient m_client;
};

TestServer* ServerWire::s_server = nullptr;

TEST_F(ServerWire, ProbeAnswersWithClusterNameAndVersion)
{
    const Exchange probe = m_client.Get(s_server->Address());
    ASSERT_EQ(CURLE_OK, probe.result);
    EXPECT_EQ(200, probe.status);
    EXPECT_EQ(R"~({"name":"node-0","cluster_name":"test-cluster","version":{"number":"1.0.0"}})~",
              probe.body);
}

TEST_F(ServerWire, StatementsGetTheRepliesOfTheProtocol)
{
    struct Case
    {
        const char* request;
        long status;
        const char* reply;
    };
    const Case cases[] = {
        {R"~({"stmt":"select 1"})~", 200, R"~({"cols":["1"],"col_types":[9],"rows":[[1]],"rowcount":1})~"},
        {R"~({"stmt":"create table t (id integer primary key, name string, at timestamp, ok boolean)"})~",
         200, R"~({"rowcount":1})~"},
        {R"~({"stmt":"insert into t values (?, ?, ?, ?)", "args":[1, "a\/b \"q\"", -1, true]})~",
         200, R"~({"cols":[],"col_types":[],"rows":[],"rowcount":1})~"},
        {R"~({"stmt":"insert into t values (?, ?, ?, ?)", "bulk_args":[[2, null, 0, false], [1, "dup", 0, true]]})~",
         200, R"~({"results":[{"rowcount":1},{"rowcount":-2}]})~"},
        {R"~({"stmt":"select * from t order by id"})~", 200,
         R"~({"cols":["id","name","at","ok"],"col_types":[9,4,11,3],)~"
         R"~("rows":[[1,"a/b \"q\"",-1,true],[2,null,0,false]],"rowcount":2})~"},
        {R"~({"stmt":"select * from (select name from t where id = ?) limit 0", "args":[null]})~", 200,
         R"~({"cols":["name"],"col_types":[4],"rows":[],"rowcount":0})~"},
        {R"~({"stmt":"select * from missing"})~", 404,
         R"~({"error":{"code":4041,"message":"no such table: missing"}})~"},
        {R"~({"stmt":"select nope from t"})~", 404,
         R"~({"error":{"code":4043,"message":"no such column: nope"}})~"},
        {R"~({"stmt":"create table t (a integer)"})~", 409,
         R"~({"error":{"code":4093,"message":"table t already exists"}})~"},
        {R"~({"stmt":"select * from information_schema.schemata"})~", 200,
         R"~({"cols":["schema_name"],"col_types":[4],)~"
         R"~("rows":[["information_schema"],["main"],["sys"]],"rowcount":3})~"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.request);
        const Exchange exchange = m_client.Post(s_server->Address(), c.request);
        ASSERT_EQ(CURLE_OK, exchange.result);
        EXPECT_EQ(c.status, exchange.status);
        EXPECT_EQ(c.reply, exchange.body);
    }
    // One handle, one kept-alive connection for all of them.
    const std::string counters = s_server->Control("GET", "/counters").body;
    EXPECT_NE(std::string::npos, counters.find("\"connections\": 1,")) << counters;
}

TEST_F(ServerWire, RequestLogHoldsTheBytesLibcurlSent)
{
    ASSERT_EQ(CURLE_OK, m_client.Post(s_server->Address(1), R"~({"stmt":"select 1"})~").result);
    const std::string expected = "POST /_sql?types HTTP/1.1\r\n"
                                 "Host: " + s_server->Address(1) + "\r\n"
                                 "Accept: */*\r\n" +
                                 std::string(UserAgentLine) + "\r\n"
                                 "Content-Length: 19\r\n"
                                 "Content-Type: application/x-www-form-urlencoded\r\n"
                                 "\r\n"
                                 R"~({"stmt":"select 1"})~";
    EXPECT_EQ(expected, s_server->Control("GET", "/log/-1/raw").body);
}

TEST_F(ServerWire, TwoMebibyteBodyIsAnsweredThroughExpectContinue)
{
    const std::string text(2 * 1024 * 1024, 'x');
    const Exchange exchange = m_client.Post(
        s_server->Address(), R"~({"stmt":"select length(?)", "args":[")~" + text + "\"]}");
    ASSERT_EQ(CURLE_OK, exchange.result);
    EXPECT_EQ(R"~({"cols":["length(?)"],"col_types":[9],"rows":[[2097152]],"rowcount":1})~",
              exchange.body);
    const std::string log = s_server->Control("GET", "/log?body_limit=0").body;
    EXPECT_NE(std::string::npos, log.find("\"Expect: 100-continue\"")) << log;
    EXPECT_NE(std::string::npos, log.find("\"continue\": true")) << log;
}

TEST_F(ServerWire, ListenerDownRefusesUntilItIsUpAgain)
{
    ASSERT_EQ(200, s_server->Control("POST", "/listeners/1/down").status);
    const Exchange refused = m_client.Get(s_server->Address(1));
    EXPECT_EQ(CURLE_COULDNT_CONNECT, refused.result);
    EXPECT_EQ(CURLE_OK, m_client.Get(s_server->Address(0)).result);
    ASSERT_EQ(200, s_server->Control("POST", "/listeners/1/up").status);
    const Exchange probe = m_client.Get(s_server->Address(1));
    EXPECT_EQ(CURLE_OK, probe.result);
    EXPECT_NE(std::string::npos, probe.body.find("\"node-1\""));
}

TEST_F(ServerWire, InjectedConnectionFaultsReachTheClientAsTransportErrors)
{
    struct Case
    {
        const char* fault;
        CURLcode result;
    };
    const Case cases[] = {
        {R"~({"method": "POST", "close": true, "times": 2})~", CURLE_GOT_NOTHING},
        {R"~({"method": "POST", "cut": true})~", CURLE_PARTIAL_FILE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.fault);
        // A new client each time: libcurl retries once on a reused connection that closes
        // before any reply, which a fresh connection does not do.
        DriverLikeClient client;
        ASSERT_EQ(200, s_server->Control("POST", "/faults", c.fault).status);
        EXPECT_EQ(c.result, client.Post(s_server->Address(), R"~({"stmt":"select 1"})~").result);
        s_server->Control("POST", "/faults/clear");
    }
}

TEST(TestServerLauncher, ReportsDistinctPortsAndIsGoneAfterStop)
{
    TestServer server(TestServerOptions{3, true, 60, {}});
    ASSERT_EQ(3u, server.Ports().size());
    EXPECT_NE(server.Port(0), server.Port(1));
    EXPECT_NE(server.Port(1), server.Port(2));
    EXPECT_EQ(server.Address(0) + "," + server.Address(1) + "," + server.Address(2),
              server.Servers());
    const std::string tables = server.Control("POST", "/sql",
        R"~({"stmt": "select count(*) from information_schema.tables where table_name like 'sample%'"})~").body;
    EXPECT_EQ(R"~({"cols":["count(*)"],"col_types":[10],"rows":[[16]],"rowcount":1})~", tables);

    server.Stop();
    DriverLikeClient client;
    EXPECT_EQ(CURLE_COULDNT_CONNECT, client.Get(server.Address(0)).result);
    EXPECT_THROW(server.Control("GET", "/status"), std::runtime_error);
}

} // namespace
