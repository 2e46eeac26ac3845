// Inserting rows as parameter arrays: 100,000 rows of six columns (integer, long, double, string
// of 20 characters, timestamp, boolean) bound as arrays of 1,000 sets and executed through the
// unixODBC Driver Manager and the driver, beside a bare libcurl client that builds and posts the
// same bulk requests and reads the replies, in the same run, against the test server answering
// the statement from memory (canned reply). Prints both times and their ratio, the processor time
// each spent in this process (the server runs in its own), and whether the last request bodies
// of both were the same bytes.
//
// Usage: ParameterArrayBench [rows] [sets per request] [rounds]

#include "BareHttp.h"
#include "Common/TemporaryDirectory.h"
#include "OdbcClient.h"
#include "Pelta/PeltaAPI.h"
#include "Support/TestServer.h"

#include <rapidjson/document.h>
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Orvik::Testing::ScopedEnvironment;
using Orvik::Testing::TemporaryDirectory;

constexpr char STATEMENT[] = "insert into bench values (?, ?, ?, ?, ?, ?)";
constexpr int NAME_LENGTH = 20;
constexpr int64_t FIRST_MILLISECONDS = 1700000000000;

/// The values of one row, the same for both clients.
struct Row
{
    int32_t id;
    int64_t big;
    double ratio;
    char name[NAME_LENGTH + 1];
    int64_t milliseconds;
    bool flag;
};

Row MakeRow(int64_t in_index)
{
    Row row;
    row.id = static_cast<int32_t>(in_index);
    row.big = 10000000000 + in_index;
    row.ratio = static_cast<double>(in_index) * 0.5;
    std::snprintf(row.name, sizeof(row.name), "name-%015llu",
                  static_cast<unsigned long long>(in_index) % 1000000000000000ULL);
    row.milliseconds = FIRST_MILLISECONDS + in_index * 1000;
    row.flag = in_index % 2 == 0;
    return row;
}

/// The canned reply of one request: one row inserted per set.
std::string CannedReply(int in_sets)
{
    std::string reply = "{\"results\":[";
    for (int i = 0; i < in_sets; ++i)
    {
        reply += i == 0 ? "{\"rowcount\":1}" : ",{\"rowcount\":1}";
    }
    return reply + "]}";
}

std::string JsonString(const std::string& in_text)
{
    std::string json = "\"";
    for (char c : in_text)
    {
        json += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
    }
    return json + "\"";
}

/// The application's column-wise arrays of one request.
struct Columns
{
    explicit Columns(int in_sets)
        : ids(in_sets), bigs(in_sets), ratios(in_sets), names(static_cast<size_t>(in_sets) * (NAME_LENGTH + 1)),
          nameLengths(in_sets, SQL_NTS), times(in_sets), flags(in_sets)
    {
    }

    void Fill(int64_t in_first, int in_sets)
    {
        for (int i = 0; i < in_sets; ++i)
        {
            const Row row = MakeRow(in_first + i);
            ids[i] = row.id;
            bigs[i] = row.big;
            ratios[i] = row.ratio;
            std::memcpy(&names[static_cast<size_t>(i) * (NAME_LENGTH + 1)], row.name, NAME_LENGTH + 1);
            const time_t seconds = static_cast<time_t>(row.milliseconds / 1000);
            tm parts{};
            gmtime_r(&seconds, &parts);
            times[i] = {static_cast<SQLSMALLINT>(parts.tm_year + 1900), static_cast<SQLUSMALLINT>(parts.tm_mon + 1),
                        static_cast<SQLUSMALLINT>(parts.tm_mday),       static_cast<SQLUSMALLINT>(parts.tm_hour),
                        static_cast<SQLUSMALLINT>(parts.tm_min),        static_cast<SQLUSMALLINT>(parts.tm_sec),
                        static_cast<SQLUINTEGER>(row.milliseconds % 1000) * 1000000};
            flags[i] = row.flag ? 1 : 0;
        }
    }

    std::vector<SQLINTEGER> ids;
    std::vector<SQLBIGINT> bigs;
    std::vector<SQLDOUBLE> ratios;
    std::vector<SQLCHAR> names;
    std::vector<SQLLEN> nameLengths;
    std::vector<SQL_TIMESTAMP_STRUCT> times;
    std::vector<SQLCHAR> flags;
};

/// The driver through the Driver Manager: one prepared insert, executed once per request with
/// the next rows in its arrays. Returns the rows the driver reported inserted.
int64_t RunDriver(const std::string& in_servers, int64_t in_rows, int in_sets)
{
    const Bench::OdbcStatement odbc("DRIVER={Pelta};Servers=" + in_servers);
    const SQLHSTMT statement = odbc.statement;
    Bench::Check(SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(STATEMENT)), SQL_NTS), "SQLPrepare",
                 SQL_HANDLE_STMT, statement);
    Columns columns(in_sets);
    SQLSetStmtAttr(statement, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(in_sets)), 0);
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, columns.ids.data(), 0, nullptr);
    SQLBindParameter(statement, 2, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0, columns.bigs.data(), 0, nullptr);
    SQLBindParameter(statement, 3, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, columns.ratios.data(), 0, nullptr);
    SQLBindParameter(statement, 4, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, NAME_LENGTH, 0, columns.names.data(),
                     NAME_LENGTH + 1, columns.nameLengths.data());
    SQLBindParameter(statement, 5, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, 23, 3,
                     columns.times.data(), 0, nullptr);
    SQLBindParameter(statement, 6, SQL_PARAM_INPUT, SQL_C_BIT, SQL_BIT, 0, 0, columns.flags.data(), 0, nullptr);
    int64_t inserted = 0;
    for (int64_t first = 0; first < in_rows; first += in_sets)
    {
        columns.Fill(first, in_sets);
        Bench::Check(SQLExecute(statement), "SQLExecute", SQL_HANDLE_STMT, statement);
        SQLLEN rows = 0;
        SQLRowCount(statement, &rows);
        inserted += rows;
    }
    return inserted;
}

/// The least a client can do: one handle, a body built straight from the values, the reply
/// parsed and its row counts added up.
int64_t RunBare(const std::string& in_url, int64_t in_rows, int in_sets)
{
    CURL* curl = curl_easy_init();
    curl_slist* headers = curl_slist_append(nullptr, Pelta::PeltaAPI::USER_AGENT_LINE);
    std::string reply;
    curl_easy_setopt(curl, CURLOPT_URL, in_url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Bench::AppendToString);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &reply);
    int64_t inserted = 0;
    std::string body;
    for (int64_t first = 0; first < in_rows; first += in_sets)
    {
        body = std::string("{\"stmt\":\"") + STATEMENT + "\", \"bulk_args\":[";
        for (int i = 0; i < in_sets; ++i)
        {
            const Row row = MakeRow(first + i);
            char ratio[32];
            std::snprintf(ratio, sizeof(ratio), "%.15g", row.ratio);
            body += (i == 0 ? "[" : ", [") + std::to_string(row.id) + ", " + std::to_string(row.big) + ", " + ratio +
                    ", " + JsonString(row.name) + ", " + std::to_string(row.milliseconds) + ", " +
                    (row.flag ? "true" : "false") + "]";
        }
        body += "]}";
        reply.clear();
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.c_str());
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
        if (curl_easy_perform(curl) != CURLE_OK)
        {
            throw std::runtime_error("the bare POST failed");
        }
        rapidjson::Document document;
        document.Parse(reply.data(), reply.size());
        for (const rapidjson::Value& result : document["results"].GetArray())
        {
            inserted += result["rowcount"].GetInt();
        }
    }
    curl_slist_free_all(headers);
    curl_easy_cleanup(curl);
    return inserted;
}

double Seconds(Clock::time_point in_start)
{
    return std::chrono::duration<double>(Clock::now() - in_start).count();
}

/// The processor time of this process so far, in seconds.
double ProcessorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    const int64_t rows = argc > 1 ? std::atoll(argv[1]) : 100000;
    const int sets = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int rounds = argc > 3 ? std::atoi(argv[3]) : 3;
    if (rows <= 0 || sets <= 0 || rows % sets != 0 || rounds <= 0)
    {
        std::fprintf(stderr, "usage: %s [rows] [sets per request, dividing rows] [rounds]\n", argv[0]);
        return 2;
    }
    try
    {
        TemporaryDirectory profile;
        {
            std::FILE* drivers = std::fopen((profile / "odbcinst.ini").c_str(), "w");
            std::fprintf(drivers, "[Pelta]\nDriver = %s\nDontDLClose = 1\nThreading = 0\n", PELTA_LIBRARY);
            std::fclose(drivers);
            std::fclose(std::fopen((profile / "odbc.ini").c_str(), "w"));
        }
        ScopedEnvironment system("ODBCSYSINI", profile.Path());
        ScopedEnvironment user("ODBCINI", profile / "odbc.ini");
        ScopedEnvironment noProxy("no_proxy", std::string("127.0.0.1,localhost"));
        Pelta::Test::TestServerOptions options;
        options.maxSeconds = 3600;
        options.extraArguments = {"--log-limit", "4"};
        Pelta::Test::TestServer server(options);
        const std::string canned = "{\"stmt\":" + JsonString(STATEMENT) + ",\"body\":" + JsonString(CannedReply(sets)) + "}";
        if (server.Control("POST", "/canned", canned).status != 200)
        {
            throw std::runtime_error("the canned reply was refused");
        }
        curl_global_init(CURL_GLOBAL_DEFAULT);
        const std::string url = "http://" + server.Address() + "/_sql?types";
        std::printf("%lld rows of 6 columns, %d sets per request, %d rounds\n", static_cast<long long>(rows), sets,
                    rounds);
        double bestDriver = 1e30;
        double bestBare = 1e30;
        double bestDriverProcessor = 1e30;
        double bestBareProcessor = 1e30;
        std::string driverBody;
        std::string bareBody;
        for (int round = 0; round < rounds; ++round)
        {
            Clock::time_point start = Clock::now();
            double processor = ProcessorSeconds();
            const int64_t driverRows = RunDriver(server.Address(), rows, sets);
            const double driverSeconds = Seconds(start);
            const double driverProcessor = ProcessorSeconds() - processor;
            driverBody = server.Control("GET", "/log/-1/body").body;
            start = Clock::now();
            processor = ProcessorSeconds();
            const int64_t bareRows = RunBare(url, rows, sets);
            const double bareSeconds = Seconds(start);
            const double bareProcessor = ProcessorSeconds() - processor;
            bareBody = server.Control("GET", "/log/-1/body").body;
            std::printf("round %d: driver %.3f s, %.3f s processor (%lld rows); bare libcurl %.3f s, %.3f s "
                        "processor (%lld rows)\n",
                        round + 1, driverSeconds, driverProcessor, static_cast<long long>(driverRows), bareSeconds,
                        bareProcessor, static_cast<long long>(bareRows));
            bestDriver = std::min(bestDriver, driverSeconds);
            bestBare = std::min(bestBare, bareSeconds);
            bestDriverProcessor = std::min(bestDriverProcessor, driverProcessor);
            bestBareProcessor = std::min(bestBareProcessor, bareProcessor);
        }
        std::printf("best: driver %.3f s, bare libcurl %.3f s, ratio %.2f\n", bestDriver, bestBare,
                    bestDriver / bestBare);
        std::printf("best processor time in this process: driver %.3f s, bare libcurl %.3f s, ratio %.2f\n",
                    bestDriverProcessor, bestBareProcessor, bestDriverProcessor / bestBareProcessor);
        std::printf("last request bodies %s\n", driverBody == bareBody ? "identical" : "differ");
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
