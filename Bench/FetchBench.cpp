// Fetching a large result: a canned reply of 1,000,000 rows of six columns (integer, long,
// double, string of 20 characters, timestamp, boolean), executed and read cell by cell into
// value holders through the back end's data-store objects, beside a bare libcurl POST with a
// RapidJSON parse and walk of the same reply, in the same run, against the test server.
//
// Usage: FetchBench [rows] [rounds]

#include "DSI/Client/DSIResults.h"
#include "DSI/Client/IColumn.h"
#include "DSI/Client/IColumns.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSIDataEngine.h"
#include "DSI/DSIEnvironment.h"
#include "DSI/DSIStatement.h"
#include "DSI/IQueryExecutor.h"
#include "DSI/ParameterSetIterator.h"
#include "DSI/ParameterSetStatus.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConnection.h"
#include "Pelta/PeltaDriver.h"
#include "Support/AttributeData.h"
#include "Support/OrvikSettingReader.h"
#include "Support/Platform.h"
#include "Support/TestServer.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/VariantMap.h"

#include <curl/curl.h>
#include <rapidjson/document.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr char STATEMENT[] = "select * from bench";

// What both readers add up, so that neither can skip a cell and both must agree.
struct Totals
{
    int64_t integers = 0;
    int64_t longs = 0;
    double doubles = 0;
    uint64_t textBytes = 0;
    int64_t seconds = 0;
    int64_t trues = 0;

    bool operator==(const Totals& in_other) const
    {
        return integers == in_other.integers && longs == in_other.longs && doubles == in_other.doubles
            && textBytes == in_other.textBytes && seconds == in_other.seconds && trues == in_other.trues;
    }
};

struct Run
{
    double seconds = 0;
    int64_t peakBytes = 0;
    Totals totals;
};

// The control request that has the server answer the statement from memory with rows
// [n, n * 1000003, n + 0.25, a text of 20 characters, n seconds after 2020-09-13 12:26:40 UTC,
// n even].
std::string CannedRequest(int64_t in_rows)
{
    return std::string("{\"stmt\":\"") + STATEMENT + "\",\"generate\":{\"rows\":" + std::to_string(in_rows)
        + ",\"types\":[\"integer\",\"long\",\"double\",\"string(20)\",\"timestamp\",\"boolean\"]}}";
}

// Resident memory of this process in bytes: now, or the peak since the last reset.
int64_t ReadMemory(const char* in_field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const size_t length = std::strlen(in_field);
    while (std::getline(status, line))
    {
        if (line.compare(0, length, in_field) == 0)
        {
            return std::atoll(line.c_str() + length) * 1024;
        }
    }
    return 0;
}

// Runs in_work and measures its time and how far it raised the peak of resident memory.
template <class Work>
Run Measure(Work in_work)
{
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    const int64_t before = ReadMemory("VmRSS:");
    Run run;
    const Clock::time_point start = Clock::now();
    run.totals = in_work();
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    run.peakBytes = ReadMemory("VmHWM:") - before;
    return run;
}

class NoParameters : public Orvik::DSI::ParameterSetIterator, public Orvik::DSI::ParameterSetStatus
{
public:
    bool MoveToNext() override { return false; }
    Orvik::DSI::ParameterSet& GetCurrentSet() override { std::abort(); }
    uint64_t GetCurrentRow() override { return 0; }
    void SetStatus(uint64_t, Orvik::DSI::ParameterStatus) override {}
};

template <class T>
T Read(const Orvik::Support::SqlData& in_value)
{
    T value;
    std::memcpy(&value, in_value.GetBuffer(), sizeof(T));
    return value;
}

// Execute and read every cell through the back end, as the ODBC layer's fetch does.
Totals ReadThroughBackEnd(Orvik::DSI::DSIStatement& io_statement)
{
    std::unique_ptr<Orvik::DSI::DSIDataEngine> engine = io_statement.CreateDataEngine();
    engine->SetDirectExecute();
    std::unique_ptr<Orvik::DSI::IQueryExecutor> executor = engine->Prepare(u"select * from bench");
    NoParameters none;
    executor->Execute(nullptr, none, none, none);
    Orvik::DSI::IResult& result = *executor->GetResults().GetCurrentResult();
    Orvik::DSI::IColumns& columns = *result.GetSelectColumns();
    std::vector<std::unique_ptr<Orvik::Support::SqlData>> holders;
    for (uint16_t i = 0; i < columns.GetCount(); ++i)
    {
        holders.push_back(Orvik::Support::TypedDataSingleton<Orvik::Support::SqlDataFactory>::GetOrDefault().CreateNewSqlData(
            *columns.GetColumn(i)->GetMetadata()));
    }
    Totals totals;
    while (result.Move(Orvik::DSI::DSI_DIR_NEXT, 0))
    {
        for (uint16_t i = 0; i < holders.size(); ++i)
        {
            result.RetrieveData(i, *holders[i], 0, -1);
        }
        totals.integers += Read<int32_t>(*holders[0]);
        totals.longs += Read<int64_t>(*holders[1]);
        totals.doubles += Read<double>(*holders[2]);
        totals.textBytes += holders[3]->GetLength();
        totals.seconds += Read<Orvik::Support::TDWTimestampValue>(*holders[4]).m_second;
        totals.trues += Read<uint8_t>(*holders[5]);
    }
    return totals;
}

size_t Append(char* in_data, size_t in_size, size_t in_count, void* io_reply)
{
    static_cast<std::string*>(io_reply)->append(in_data, in_size * in_count);
    return in_size * in_count;
}

// The least a client can do: POST the statement, parse the reply into a document, walk it.
Totals ReadBare(const std::string& in_url)
{
    const std::string body = std::string("{\"stmt\":\"") + STATEMENT + "\"}";
    std::string reply;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, in_url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Append);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    const CURLcode code = curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    rapidjson::Document document;
    document.Parse(reply.c_str());
    if (code != CURLE_OK || !document.IsObject() || !document.HasMember("rows"))
    {
        std::fprintf(stderr, "bare request failed\n");
        std::exit(1);
    }
    Totals totals;
    for (const rapidjson::Value& row : document["rows"].GetArray())
    {
        totals.integers += row[0].GetInt();
        totals.longs += row[1].GetInt64();
        totals.doubles += row[2].GetDouble();
        totals.textBytes += row[3].GetStringLength();
        totals.seconds += row[4].GetInt64() / 1000 % 60;
        totals.trues += row[5].GetBool() ? 1 : 0;
    }
    return totals;
}

double Median(std::vector<double> in_values)
{
    std::sort(in_values.begin(), in_values.end());
    return in_values[in_values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    const int64_t rows = argc > 1 ? std::max(1LL, std::atoll(argv[1])) : 1000000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    Pelta::Test::TestServerOptions options;
    options.maxSeconds = 1800;
    options.extraArguments = {"--log-limit", "1"};
    Pelta::Test::TestServer server(options);
    const Pelta::Test::ControlReply canned = server.Control("POST", "/canned", CannedRequest(rows));
    const int64_t replyBytes = std::atoll(canned.body.c_str() + canned.body.find(':') + 1);
    if (canned.status != 200 || replyBytes <= 0)
    {
        std::fprintf(stderr, "the server refused the canned reply: %s\n", canned.body.c_str());
        return 1;
    }

    Orvik::Platform::InitializePlatform(false);
    Orvik::Support::OrvikSettingReader::Initialize(u"Pelta", u"Driver");
    curl_global_init(CURL_GLOBAL_DEFAULT);
    Pelta::PeltaDriver driver;
    std::unique_ptr<Orvik::DSI::DSIEnvironment> environment = driver.CreateEnvironment();
    environment->SetProperty(Orvik::DSI::ENV_PROP_CATALOG_CONVENTION,
                             std::unique_ptr<Orvik::Support::AttributeData>(Orvik::Support::AttributeData::MakeNewInt32AttributeData(0)));
    std::unique_ptr<Orvik::DSI::DSIConnection> connection = environment->CreateConnection();
    connection->Connect({{u"Servers", Orvik::Support::Variant(server.Address().c_str())}});
    std::unique_ptr<Orvik::DSI::DSIStatement> statement = connection->CreateStatement();
    const std::string url = "http://" + server.Address() + "/_sql?types";

    std::vector<double> backEndTimes;
    std::vector<double> bareTimes;
    std::vector<double> ratios;
    int64_t backEndPeak = 0;
    int64_t barePeak = 0;
    for (int round = 0; round < rounds; ++round)
    {
        const Run backEnd = Measure([&] { return ReadThroughBackEnd(*statement); });
        const Run bare = Measure([&] { return ReadBare(url); });
        if (!(backEnd.totals == bare.totals))
        {
            std::fprintf(stderr, "the two readers disagree on the values\n");
            return 1;
        }
        backEndTimes.push_back(backEnd.seconds);
        bareTimes.push_back(bare.seconds);
        ratios.push_back(backEnd.seconds / bare.seconds);
        backEndPeak = std::max(backEndPeak, backEnd.peakBytes);
        barePeak = std::max(barePeak, bare.peakBytes);
    }

    const double megabyte = 1024.0 * 1024.0;
    std::printf("fetch of %lld rows x 6 columns, reply %.1f MiB, %d rounds each way\n", static_cast<long long>(rows),
                replyBytes / megabyte, rounds);
    std::printf("  back end, cell by cell into value holders  median %7.3f s\n", Median(backEndTimes));
    std::printf("  bare libcurl + RapidJSON parse and walk    median %7.3f s\n", Median(bareTimes));
    std::printf("  time ratio (median of rounds) %.3f  (aim: at most 1.3)\n", Median(ratios));
    std::printf("  peak memory of the back end  %7.1f MiB = %.2f x the reply  (aim: at most 2)\n", backEndPeak / megabyte,
                static_cast<double>(backEndPeak) / replyBytes);
    std::printf("  peak memory of the bare path %7.1f MiB = %.2f x the reply\n", barePeak / megabyte,
                static_cast<double>(barePeak) / replyBytes);

    statement.reset();
    connection.reset();
    environment.reset();
    Orvik::Support::OrvikSettingReader::Shutdown();
    Orvik::Platform::UninitializePlatform();
    return 0;
}
