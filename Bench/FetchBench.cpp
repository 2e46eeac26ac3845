// Fetching a large result: a canned reply of 1,000,000 rows of six columns (integer, long,
// double, string of 20 characters, timestamp, boolean), executed and read cell by cell into
// value holders through the back end's data-store objects, beside a bare libcurl POST with a
// RapidJSON parse and walk of the same reply, in the same run, against the test server. The same
// reply is also read through the ODBC layer's statements: with SQLFetch into bound row arrays of
// 1,000 rows, and with SQLFetch and SQLGetData per cell.
//
// Usage: FetchBench [rows] [rounds]

#include "BareHttp.h"
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
#include "ODBC/Driver/Driver.h"
#include "ODBC/Driver/Module.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "Pelta/DSIDriverFactory.h"
#include "Support/TestServer.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/VariantMap.h"

#include <rapidjson/document.h>
#include <sqlext.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
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
    uint64_t GetNumberOfSets() override { return 0; }
    bool IsEmpty() override { return true; }
    Orvik::DSI::ParameterStatus GetStatus(uint64_t) override { return Orvik::DSI::PARAM_STATUS_UNUSED; }
    void SetStatus(uint64_t, Orvik::DSI::ParameterStatus) override {}
    uint64_t GetSize() override { return 0; }
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

// One row of the bound arrays: every column with its length or indicator.
struct BoundRow
{
    int32_t integer;
    SQLLEN integerLength;
    int64_t longValue;
    SQLLEN longLength;
    double doubleValue;
    SQLLEN doubleLength;
    char text[24];
    SQLLEN textLength;
    SQL_TIMESTAMP_STRUCT timestamp;
    SQLLEN timestampLength;
    unsigned char boolean;
    SQLLEN booleanLength;
};

constexpr SQLULEN ROWS_PER_FETCH = 1000;

// A statement of the ODBC layer that has executed the benchmark's statement.
Orvik::ODBC::Statement& ExecuteThroughOdbc(Orvik::ODBC::Driver& io_driver, Orvik::ODBC::Connection& io_connection)
{
    SQLHANDLE handle = nullptr;
    io_connection.SQLAllocHandle(SQL_HANDLE_STMT, &handle);
    Orvik::ODBC::Statement& statement = *io_driver.GetStatement(reinterpret_cast<Orvik::ODBC::HandleValue>(handle));
    std::u16string text = u"select * from bench";
    if (statement.SQLExecDirectW(reinterpret_cast<SQLWCHAR*>(&text[0]), SQL_NTS) != SQL_SUCCESS)
    {
        std::fprintf(stderr, "the ODBC layer could not execute the statement\n");
        std::exit(1);
    }
    return statement;
}

void Free(Orvik::ODBC::Connection& io_connection, Orvik::ODBC::Statement& io_statement)
{
    io_connection.SQLFreeHandle(SQL_HANDLE_STMT, reinterpret_cast<SQLHANDLE>(io_statement.GetHandle()));
}

void Add(Totals& io_totals, const BoundRow& in_row)
{
    io_totals.integers += in_row.integer;
    io_totals.longs += in_row.longValue;
    io_totals.doubles += in_row.doubleValue;
    io_totals.textBytes += static_cast<uint64_t>(in_row.textLength);
    io_totals.seconds += in_row.timestamp.second;
    io_totals.trues += in_row.boolean;
}

// SQLFetch into row-wise bound arrays of ROWS_PER_FETCH rows, as an application's fetch loop.
Totals ReadThroughBoundArrays(Orvik::ODBC::Driver& io_driver, Orvik::ODBC::Connection& io_connection)
{
    Orvik::ODBC::Statement& statement = ExecuteThroughOdbc(io_driver, io_connection);
    std::vector<BoundRow> rows(ROWS_PER_FETCH);
    SQLULEN fetched = 0;
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(sizeof(BoundRow)), 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(ROWS_PER_FETCH), 0);
    statement.SQLSetStmtAttrW(SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    BoundRow& first = rows[0];
    statement.SQLBindCol(1, SQL_C_SLONG, &first.integer, 0, &first.integerLength);
    statement.SQLBindCol(2, SQL_C_SBIGINT, &first.longValue, 0, &first.longLength);
    statement.SQLBindCol(3, SQL_C_DOUBLE, &first.doubleValue, 0, &first.doubleLength);
    statement.SQLBindCol(4, SQL_C_CHAR, first.text, sizeof(first.text), &first.textLength);
    statement.SQLBindCol(5, SQL_C_TYPE_TIMESTAMP, &first.timestamp, 0, &first.timestampLength);
    statement.SQLBindCol(6, SQL_C_BIT, &first.boolean, 0, &first.booleanLength);
    Totals totals;
    while (statement.SQLFetch() == SQL_SUCCESS)
    {
        for (SQLULEN row = 0; row < fetched; ++row)
        {
            Add(totals, rows[row]);
        }
    }
    Free(io_connection, statement);
    return totals;
}

// SQLFetch one row at a time and SQLGetData for every cell.
Totals ReadThroughGetData(Orvik::ODBC::Driver& io_driver, Orvik::ODBC::Connection& io_connection)
{
    Orvik::ODBC::Statement& statement = ExecuteThroughOdbc(io_driver, io_connection);
    BoundRow row{};
    Totals totals;
    while (statement.SQLFetch() == SQL_SUCCESS)
    {
        statement.SQLGetData(1, SQL_C_SLONG, &row.integer, 0, &row.integerLength);
        statement.SQLGetData(2, SQL_C_SBIGINT, &row.longValue, 0, &row.longLength);
        statement.SQLGetData(3, SQL_C_DOUBLE, &row.doubleValue, 0, &row.doubleLength);
        statement.SQLGetData(4, SQL_C_CHAR, row.text, sizeof(row.text), &row.textLength);
        statement.SQLGetData(5, SQL_C_TYPE_TIMESTAMP, &row.timestamp, 0, &row.timestampLength);
        statement.SQLGetData(6, SQL_C_BIT, &row.boolean, 0, &row.booleanLength);
        Add(totals, row);
    }
    Free(io_connection, statement);
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

    // The ODBC layer over the back end, with UTF-8 as the application's encoding so that text
    // is copied as an application on a UTF-8 locale gets it.
    setenv("ORVIK_APP_ANSI_ENCODING", "UTF-8", 1);
    Orvik::ODBC::Module::SetDriverFactory(&Pelta::DSIDriverFactory);
    Orvik::ODBC::Driver driver;
    driver.EnsureInitialized();
    Orvik::ODBC::HandleValue environmentHandle = 0;
    driver.CreateEnvironment(environmentHandle);
    Orvik::ODBC::Environment& environment = *driver.GetEnvironment(environmentHandle);
    environment.SQLSetEnvAttr(SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3_80), 0);
    SQLHANDLE connectionHandle = nullptr;
    environment.SQLAllocHandle(SQL_HANDLE_DBC, reinterpret_cast<SQLHANDLE>(environmentHandle), &connectionHandle);
    Orvik::ODBC::Connection& connection =
        *driver.GetConnection(reinterpret_cast<Orvik::ODBC::HandleValue>(connectionHandle));
    std::string connectionString = "DRIVER={Pelta};Servers=" + server.Address();
    std::u16string wideConnectionString(connectionString.begin(), connectionString.end());
    if (connection.SQLDriverConnectW(nullptr, reinterpret_cast<SQLWCHAR*>(&wideConnectionString[0]), SQL_NTS,
                                     nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT) != SQL_SUCCESS)
    {
        std::fprintf(stderr, "the ODBC layer could not connect\n");
        return 1;
    }
    std::unique_ptr<Orvik::DSI::DSIStatement> statement = connection.GetDSIConnection().CreateStatement();
    const std::string url = "http://" + server.Address() + "/_sql?types";

    struct Reader
    {
        const char* name;
        std::function<Totals()> read;
        std::vector<double> times;
        int64_t peak = 0;
    };
    Reader readers[] = {
        {"back end, cell by cell into value holders ", [&] { return ReadThroughBackEnd(*statement); }, {}, 0},
        {"bare libcurl + RapidJSON parse and walk   ", [&] { return ReadBare(url); }, {}, 0},
        {"ODBC SQLFetch into bound arrays of 1,000  ", [&] { return ReadThroughBoundArrays(driver, connection); }, {}, 0},
        {"ODBC SQLFetch + SQLGetData per cell       ", [&] { return ReadThroughGetData(driver, connection); }, {}, 0},
    };
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round)
    {
        Totals expected;
        for (size_t index = 0; index < std::size(readers); ++index)
        {
            const Run run = Measure(readers[index].read);
            if (index > 0 && !(run.totals == expected))
            {
                std::fprintf(stderr, "%s disagrees with the back end on the values\n", readers[index].name);
                return 1;
            }
            expected = run.totals;
            readers[index].times.push_back(run.seconds);
            readers[index].peak = std::max(readers[index].peak, run.peakBytes);
        }
        ratios.push_back(readers[0].times.back() / readers[1].times.back());
    }

    const double megabyte = 1024.0 * 1024.0;
    std::printf("fetch of %lld rows x 6 columns, reply %.1f MiB, %d rounds each way\n", static_cast<long long>(rows),
                replyBytes / megabyte, rounds);
    const double backEnd = Median(readers[0].times);
    for (const Reader& reader : readers)
    {
        std::printf("  %s median %7.3f s  %5.2f x the back end  peak %7.1f MiB = %.2f x the reply\n", reader.name,
                    Median(reader.times), Median(reader.times) / backEnd, reader.peak / megabyte,
                    static_cast<double>(reader.peak) / replyBytes);
    }
    std::printf("  back end / bare time ratio (median of rounds) %.3f  (aim: at most 1.3)\n", Median(ratios));

    statement.reset();
    connection.SQLDisconnect();
    driver.FreeEnvironment(environmentHandle);
    return 0;
}
