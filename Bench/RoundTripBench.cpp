// One statement round trip: "select 1" through PeltaAPI beside a bare libcurl POST of the same
// bytes on a reused handle, against the test server on 127.0.0.1, in the same run.
//
// Usage: RoundTripBench [requests per round] [rounds]

#include "BareHttp.h"
#include "DSI/DSIFileLogger.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConnectionSettings.h"
#include "Support/TestServer.h"


#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char STATEMENT_BODY[] = "{\"stmt\":\"select 1\"}";

// The least a client can do: one handle set up once, the same POST performed again and again.
class BareClient
{
public:
    explicit BareClient(const std::string& in_url)
        : m_curl(curl_easy_init()),
          m_headers(curl_slist_append(nullptr, Pelta::PeltaAPI::USER_AGENT_LINE))
    {
        curl_easy_setopt(m_curl, CURLOPT_URL, in_url.c_str());
        curl_easy_setopt(m_curl, CURLOPT_PROXY, "");
        curl_easy_setopt(m_curl, CURLOPT_TCP_KEEPALIVE, 1L);
        curl_easy_setopt(m_curl, CURLOPT_POST, 1L);
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDS, STATEMENT_BODY);
        curl_easy_setopt(m_curl, CURLOPT_POSTFIELDSIZE, long(sizeof(STATEMENT_BODY) - 1));
        curl_easy_setopt(m_curl, CURLOPT_HTTPHEADER, m_headers);
        curl_easy_setopt(m_curl, CURLOPT_WRITEFUNCTION, &Bench::AppendToString);
        curl_easy_setopt(m_curl, CURLOPT_WRITEDATA, &m_reply);
    }
    ~BareClient()
    {
        curl_slist_free_all(m_headers);
        curl_easy_cleanup(m_curl);
    }
    BareClient(const BareClient&) = delete;
    BareClient& operator=(const BareClient&) = delete;

    void Send()
    {
        m_reply.clear();
        if (curl_easy_perform(m_curl) != CURLE_OK || m_reply.find("rowcount") == std::string::npos)
        {
            std::fprintf(stderr, "bare request failed: %s\n", m_reply.c_str());
            std::exit(1);
        }
    }

private:
    CURL* m_curl;
    curl_slist* m_headers;
    std::string m_reply;
};

template <class Send>
double MicrosecondsPerRequest(int in_requests, Send in_send)
{
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < in_requests; ++i)
    {
        in_send();
    }
    const std::chrono::duration<double, std::micro> elapsed = Clock::now() - start;
    return elapsed.count() / in_requests;
}

double Median(std::vector<double> in_values)
{
    std::sort(in_values.begin(), in_values.end());
    return in_values[in_values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int perRound = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

    Pelta::Test::TestServerOptions options;
    options.maxSeconds = 1800;
    options.extraArguments = {"--log-limit", "1"};
    Pelta::Test::TestServer server(options);

    Orvik::DSI::DSIFileLogger log("RoundTripBench.log");
    log.SetLogLevel(Orvik::DSI::LOG_OFF);
    Pelta::PeltaConnectionSettings settings;
    settings.endpoint = "http://" + server.Address() + "/_sql?types";
    settings.activeServers.push_back({server.Address(), 0});
    Pelta::PeltaAPI client(log, settings);
    BareClient bare(settings.endpoint);

    std::string reply;
    auto sendThroughClient = [&] { client.ExecuteQuery(reply, "select 1", {}); };
    auto sendBare = [&] { bare.Send(); };
    MicrosecondsPerRequest(perRound / 5 + 1, sendThroughClient);
    MicrosecondsPerRequest(perRound / 5 + 1, sendBare);

    std::vector<double> clientTimes;
    std::vector<double> bareTimes;
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round)
    {
        clientTimes.push_back(MicrosecondsPerRequest(perRound, sendThroughClient));
        bareTimes.push_back(MicrosecondsPerRequest(perRound, sendBare));
        ratios.push_back(clientTimes.back() / bareTimes.back());
    }
    const std::string counters = server.Control("GET", "/counters").body;
    const bool oneConnection = counters.find("\"connections\": 2,") != std::string::npos;

    std::printf("select 1 round trips: %d rounds of %d requests each way\n", rounds, perRound);
    std::printf("  PeltaAPI::ExecuteQuery  median %8.1f us/request\n", Median(clientTimes));
    std::printf("  bare libcurl POST       median %8.1f us/request\n", Median(bareTimes));
    std::printf("  ratio (median of rounds) %.3f  (aim: at most 1.3)\n", Median(ratios));
    std::printf("  kept-alive connections: %s\n",
                oneConnection ? "one per client" : counters.c_str());
    return 0;
}
