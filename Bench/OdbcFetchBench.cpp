// Fetching a large result as applications do: a canned reply of 1,000,000 rows of six columns
// (integer, long, double, string of 20 characters, timestamp, boolean) read through unixODBC's
// Driver Manager and the driver, once with bound row arrays of 1,000 rows and once with
// SQLGetData per cell, beside a bare libcurl POST with a RapidJSON parse and walk of the same
// reply. Each reader runs in a fresh process of this program, so that its time and its peak of
// resident memory are its own, and reads the result twice there: "cold" is the first statement
// of the process, "warm" the second. The rounds alternate between the three readers.
//
// Usage: OdbcFetchBench [rows] [rounds]

#include "BareHttp.h"
#include "OdbcClient.h"
#include "Support/TestServer.h"

#include <rapidjson/document.h>
#include <sql.h>
#include <sqlext.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Bench::Check;
using Bench::Fail;
using Bench::OdbcStatement;
using Clock = std::chrono::steady_clock;

constexpr char STATEMENT[] = "select * from bench";
constexpr SQLULEN ROW_ARRAY_SIZE = 1000;
constexpr SQLLEN TEXT_SIZE = 32;

// What every reader adds up, so that none can skip a cell and all must agree.
struct Totals
{
    long long integers = 0;
    long long longs = 0;
    double doubles = 0;
    long long textBytes = 0;
    long long seconds = 0;
    long long trues = 0;
    long long rows = 0;
};

// Resident memory of this process in bytes: now (VmRSS) or its peak (VmHWM).
long long ReadMemory(const char* in_field)
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

void AddTimestamp(Totals& io_totals, const SQL_TIMESTAMP_STRUCT& in_value)
{
    io_totals.seconds += in_value.second;
}

Totals ReadBound(OdbcStatement& io_odbc)
{
    struct Columns
    {
        SQLINTEGER integers[ROW_ARRAY_SIZE];
        SQLBIGINT longs[ROW_ARRAY_SIZE];
        double doubles[ROW_ARRAY_SIZE];
        char texts[ROW_ARRAY_SIZE][TEXT_SIZE];
        SQL_TIMESTAMP_STRUCT timestamps[ROW_ARRAY_SIZE];
        unsigned char bits[ROW_ARRAY_SIZE];
        SQLLEN indicators[6][ROW_ARRAY_SIZE];
    };
    std::vector<Columns> storage(1);
    Columns& c = storage[0];
    SQLULEN fetched = 0;
    const SQLHSTMT s = io_odbc.statement;
    Check(SQLSetStmtAttr(s, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(ROW_ARRAY_SIZE), 0), "row array",
          SQL_HANDLE_STMT, s);
    Check(SQLSetStmtAttr(s, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0), "rows fetched", SQL_HANDLE_STMT, s);
    io_odbc.Execute(STATEMENT);
    Check(SQLBindCol(s, 1, SQL_C_SLONG, c.integers, sizeof c.integers[0], c.indicators[0]), "bind", SQL_HANDLE_STMT, s);
    Check(SQLBindCol(s, 2, SQL_C_SBIGINT, c.longs, sizeof c.longs[0], c.indicators[1]), "bind", SQL_HANDLE_STMT, s);
    Check(SQLBindCol(s, 3, SQL_C_DOUBLE, c.doubles, sizeof c.doubles[0], c.indicators[2]), "bind", SQL_HANDLE_STMT, s);
    Check(SQLBindCol(s, 4, SQL_C_CHAR, c.texts, TEXT_SIZE, c.indicators[3]), "bind", SQL_HANDLE_STMT, s);
    Check(SQLBindCol(s, 5, SQL_C_TYPE_TIMESTAMP, c.timestamps, sizeof c.timestamps[0], c.indicators[4]), "bind",
          SQL_HANDLE_STMT, s);
    Check(SQLBindCol(s, 6, SQL_C_BIT, c.bits, 1, c.indicators[5]), "bind", SQL_HANDLE_STMT, s);
    Totals totals;
    SQLRETURN result;
    while ((result = SQLFetch(s)) != SQL_NO_DATA)
    {
        Check(result, "SQLFetch", SQL_HANDLE_STMT, s);
        for (SQLULEN row = 0; row < fetched; ++row)
        {
            totals.integers += c.integers[row];
            totals.longs += c.longs[row];
            totals.doubles += c.doubles[row];
            totals.textBytes += c.indicators[3][row];
            AddTimestamp(totals, c.timestamps[row]);
            totals.trues += c.bits[row];
        }
        totals.rows += static_cast<long long>(fetched);
    }
    return totals;
}

Totals ReadCellByCell(OdbcStatement& io_odbc)
{
    const SQLHSTMT s = io_odbc.statement;
    io_odbc.Execute(STATEMENT);
    Totals totals;
    SQLRETURN result;
    while ((result = SQLFetch(s)) != SQL_NO_DATA)
    {
        Check(result, "SQLFetch", SQL_HANDLE_STMT, s);
        SQLINTEGER integer = 0;
        SQLBIGINT longValue = 0;
        double doubleValue = 0;
        char text[TEXT_SIZE];
        SQL_TIMESTAMP_STRUCT timestamp{};
        unsigned char bit = 0;
        SQLLEN indicator = 0;
        SQLLEN textLength = 0;
        Check(SQLGetData(s, 1, SQL_C_SLONG, &integer, 0, &indicator), "SQLGetData", SQL_HANDLE_STMT, s);
        Check(SQLGetData(s, 2, SQL_C_SBIGINT, &longValue, 0, &indicator), "SQLGetData", SQL_HANDLE_STMT, s);
        Check(SQLGetData(s, 3, SQL_C_DOUBLE, &doubleValue, 0, &indicator), "SQLGetData", SQL_HANDLE_STMT, s);
        Check(SQLGetData(s, 4, SQL_C_CHAR, text, TEXT_SIZE, &textLength), "SQLGetData", SQL_HANDLE_STMT, s);
        Check(SQLGetData(s, 5, SQL_C_TYPE_TIMESTAMP, &timestamp, 0, &indicator), "SQLGetData", SQL_HANDLE_STMT, s);
        Check(SQLGetData(s, 6, SQL_C_BIT, &bit, 0, &indicator), "SQLGetData", SQL_HANDLE_STMT, s);
        totals.integers += integer;
        totals.longs += longValue;
        totals.doubles += doubleValue;
        totals.textBytes += textLength;
        AddTimestamp(totals, timestamp);
        totals.trues += bit;
        ++totals.rows;
    }
    return totals;
}

// The least a client can do: POST the statement, parse the reply into a document, walk it.
Totals ReadBare(const std::string& in_url)
{
    const std::string body = std::string("{\"stmt\":\"") + STATEMENT + "\"}";
    std::string reply;
    const bool isPosted = Bench::PostOnce(in_url, body, reply);
    rapidjson::Document document;
    document.Parse(reply.c_str());
    if (!isPosted || !document.IsObject() || !document.HasMember("rows"))
    {
        Fail("the bare request");
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
        ++totals.rows;
    }
    return totals;
}

/// A child's work: the same reading twice, then one line "cold-seconds warm-seconds
/// peak-bytes totals...".
int RunChild(const std::string& in_mode, const std::string& in_target)
{
    Totals totals;
    long long before = 0;
    double seconds[2] = {};
    std::unique_ptr<OdbcStatement> odbc;
    if (in_mode == "bare")
    {
        curl_global_init(CURL_GLOBAL_DEFAULT);
    }
    else
    {
        odbc = std::make_unique<OdbcStatement>(in_target);
    }
    before = ReadMemory("VmRSS:");
    for (double& time : seconds)
    {
        const Clock::time_point start = Clock::now();
        if (odbc == nullptr)
        {
            totals = ReadBare(in_target);
        }
        else
        {
            totals = in_mode == "bound" ? ReadBound(*odbc) : ReadCellByCell(*odbc);
            odbc->Close();
        }
        time = std::chrono::duration<double>(Clock::now() - start).count();
    }
    std::printf("%.6f %.6f %lld %lld %lld %lld %.17g %lld %lld %lld\n", seconds[0], seconds[1],
                ReadMemory("VmHWM:") - before, totals.rows, totals.integers, totals.longs, totals.doubles,
                totals.textBytes, totals.seconds, totals.trues);
    return 0;
}

struct Run
{
    double cold = 0;
    double warm = 0;
    long long peakBytes = 0;
    std::string totals;
};

/// Runs this program again for one reading and reads its line.
Run RunFresh(const char* in_mode, const std::string& in_target)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
    {
        Fail("pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    const std::string self = "/proc/self/exe";
    char* arguments[] = {const_cast<char*>("OdbcFetchBench"), const_cast<char*>("--child"), const_cast<char*>(in_mode),
                         const_cast<char*>(in_target.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), &actions, nullptr, arguments, environ) != 0)
    {
        Fail("posix_spawn");
    }
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    std::string line;
    char buffer[512];
    ssize_t count;
    while ((count = read(pipeFds[0], buffer, sizeof buffer)) > 0)
    {
        line.append(buffer, static_cast<size_t>(count));
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || line.empty())
    {
        std::fprintf(stderr, "the %s reading failed\n", in_mode);
        std::exit(1);
    }
    Run run;
    char* rest = nullptr;
    run.cold = std::strtod(line.c_str(), &rest);
    run.warm = std::strtod(rest, &rest);
    run.peakBytes = std::strtoll(rest, &rest, 10);
    run.totals = rest;
    return run;
}

double Median(std::vector<double> in_values)
{
    std::sort(in_values.begin(), in_values.end());
    return in_values[in_values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--child")
    {
        return RunChild(argv[2], argv[3]);
    }
    const long long rows = argc > 1 ? std::max(1LL, std::atoll(argv[1])) : 1000000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;

    Pelta::Test::TestServerOptions options;
    options.maxSeconds = 3600;
    options.extraArguments = {"--log-limit", "1"};
    Pelta::Test::TestServer server(options);
    const std::string canned = std::string("{\"stmt\":\"") + STATEMENT + "\",\"generate\":{\"rows\":" + std::to_string(rows)
                               + ",\"types\":[\"integer\",\"long\",\"double\",\"string(20)\",\"timestamp\",\"boolean\"]}}";
    const Pelta::Test::ControlReply reply = server.Control("POST", "/canned", canned);
    const long long replyBytes = std::atoll(reply.body.c_str() + reply.body.find(':') + 1);
    if (reply.status != 200 || replyBytes <= 0)
    {
        std::fprintf(stderr, "the server refused the canned reply: %s\n", reply.body.c_str());
        return 1;
    }
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    const std::string connectionString = std::string("DRIVER=") + PELTA_LIBRARY + ";Servers=" + server.Address();
    const std::string url = "http://" + server.Address() + "/_sql?types";

    const char* const modes[] = {"bare", "bound", "getdata"};
    const char* const labels[] = {"bare libcurl + RapidJSON parse and walk", "ODBC, bound row arrays of 1,000 rows",
                                  "ODBC, SQLGetData per cell"};
    std::vector<double> colds[3];
    std::vector<double> warms[3];
    long long peaks[3] = {};
    std::string totals[3];
    for (int round = 0; round < rounds; ++round)
    {
        for (int mode = 0; mode < 3; ++mode)
        {
            const Run run = RunFresh(modes[mode], mode == 0 ? url : connectionString);
            colds[mode].push_back(run.cold);
            warms[mode].push_back(run.warm);
            peaks[mode] = std::max(peaks[mode], run.peakBytes);
            totals[mode] = run.totals;
        }
        if (totals[1] != totals[0] || totals[2] != totals[0])
        {
            std::fprintf(stderr, "the readers disagree on the values:\n  %s\n  %s\n  %s\n", totals[0].c_str(),
                         totals[1].c_str(), totals[2].c_str());
            return 1;
        }
    }

    const double megabyte = 1024.0 * 1024.0;
    double cold[3];
    double warm[3];
    for (int mode = 0; mode < 3; ++mode)
    {
        cold[mode] = Median(colds[mode]);
        warm[mode] = Median(warms[mode]);
    }
    std::printf("fetch of %lld rows x 6 columns through unixODBC, reply %.1f MiB, %d rounds, a fresh process each; "
                "medians, cold = first statement of the process, warm = second\n",
                rows, replyBytes / megabyte, rounds);
    for (int mode = 0; mode < 3; ++mode)
    {
        std::printf("  %-40s cold %7.3f s (%5.2f x bare)  warm %7.3f s (%5.2f x bare)  peak %7.1f MiB = %.2f x the reply\n",
                    labels[mode], cold[mode], cold[mode] / cold[0], warm[mode], warm[mode] / warm[0],
                    peaks[mode] / megabyte, static_cast<double>(peaks[mode]) / replyBytes);
    }
    std::printf("  SQLGetData per cell: cold %.2f x, warm %.2f x the bound arrays\n", cold[2] / cold[1], warm[2] / warm[1]);
    std::printf("  aims: bound arrays within 1.5 x the bare time cold, SQLGetData within 1.6 x the bound arrays, "
                "peak memory within 2 x the reply\n");
    return 0;
}
