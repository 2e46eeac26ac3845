// Reading one long text cell with SQLGetData through unixODBC and the driver, as SQL_C_CHAR and
// SQL_C_WCHAR, in one call and in pieces of 64 KiB, beside plain ICU conversions of the same
// UTF-8 text into UTF-16 (u_strFromUTF8 and ucnv_toUChars) in the same run. The text mixes
// ASCII with two-, three- and four-byte characters and characters the reply escapes. Only the
// SQLGetData calls are timed: the statement, its reply and the fetch come before, and the
// application's search for the end of each piece comes between them. A reading whose time per
// MiB stays flat as the value grows is linear in the value's length.
//
// Usage: LongTextBench [rounds] [MiB ...]   (default: 5 rounds of 4, 16 and 64 MiB)

#include "OdbcClient.h"
#include "Support/TestServer.h"

#include <sql.h>
#include <sqlext.h>

#include <unicode/ucnv.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bench::Check;
using Bench::Fail;
using Bench::OdbcStatement;
using Clock = std::chrono::steady_clock;

constexpr SQLLEN PIECE_SIZE = 64 * 1024;
constexpr double MEBIBYTE = 1024.0 * 1024.0;

/// A round of 18 bytes mixing ASCII, é, €, an emoji outside the Basic Multilingual Plane (a
/// surrogate pair in UTF-16), and a quote, a backslash and a line feed that the reply escapes.
const std::string ROUND = "ab\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80q\"\\\nxyz";

/// in_rounds rounds of text.
std::string MixedText(size_t in_rounds)
{
    std::string text;
    text.reserve(in_rounds * ROUND.size());
    for (size_t i = 0; i < in_rounds; ++i)
    {
        text += ROUND;
    }
    return text;
}

/// A statement whose one cell is in_rounds rounds of text, made by the server: a reply of many
/// MiB is more than a request may carry to register it.
std::string TextStatement(size_t in_rounds)
{
    return "select replace(hex(zeroblob(" + std::to_string(in_rounds) + ")), '00', '" + ROUND + "') as v";
}

/// The plain conversions of the text into UTF-16 that the readings are set beside.
struct Baseline
{
    const char* label;
    int32_t (*convert)(const std::string& in_text, std::vector<UChar>& io_target);
};

int32_t ConvertByString(const std::string& in_text, std::vector<UChar>& io_target)
{
    UErrorCode status = U_ZERO_ERROR;
    int32_t units = 0;
    u_strFromUTF8(io_target.data(), static_cast<int32_t>(io_target.size()), &units, in_text.data(),
                  static_cast<int32_t>(in_text.size()), &status);
    return U_SUCCESS(status) ? units : -1;
}

int32_t ConvertByConverter(const std::string& in_text, std::vector<UChar>& io_target)
{
    UErrorCode status = U_ZERO_ERROR;
    UConverter* converter = ucnv_open("UTF-8", &status);
    const int32_t units = ucnv_toUChars(converter, io_target.data(), static_cast<int32_t>(io_target.size()),
                                        in_text.data(), static_cast<int32_t>(in_text.size()), &status);
    ucnv_close(converter);
    return U_SUCCESS(status) ? units : -1;
}

const Baseline BASELINES[] = {
    {"u_strFromUTF8", &ConvertByString},
    {"ucnv_toUChars", &ConvertByConverter},
};

struct Mode
{
    const char* label;
    SQLSMALLINT cType;
    bool isInPieces;
};

const Mode MODES[] = {
    {"SQL_C_CHAR, one call", SQL_C_CHAR, false},
    {"SQL_C_CHAR, 64 KiB pieces", SQL_C_CHAR, true},
    {"SQL_C_WCHAR, one call", SQL_C_WCHAR, false},
    {"SQL_C_WCHAR, 64 KiB pieces", SQL_C_WCHAR, true},
};

/// Runs in_statement and fetches its row, then reads its one cell as in_mode says into
/// io_buffer, timing the SQLGetData calls only, not the search for the end of each piece. Returns
/// the seconds; out_bytes gets the bytes read.
double TimeGetData(OdbcStatement& io_odbc, const std::string& in_statement, const Mode& in_mode,
                   std::vector<char>& io_buffer, long long& out_bytes)
{
    const SQLHSTMT s = io_odbc.statement;
    Check(SQLExecDirect(s, (SQLCHAR*)in_statement.c_str(), SQL_NTS), "SQLExecDirect", SQL_HANDLE_STMT, s);
    Check(SQLFetch(s), "SQLFetch", SQL_HANDLE_STMT, s);
    const SQLLEN size = in_mode.isInPieces ? PIECE_SIZE : static_cast<SQLLEN>(io_buffer.size());
    out_bytes = 0;
    double seconds = 0;
    SQLLEN indicator = 0;
    for (;;)
    {
        const Clock::time_point start = Clock::now();
        const SQLRETURN result = SQLGetData(s, 1, in_mode.cType, io_buffer.data(), size, &indicator);
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        if (result != SQL_SUCCESS_WITH_INFO)
        {
            Check(result, "SQLGetData", SQL_HANDLE_STMT, s);
            out_bytes += indicator;
            break;
        }
        // A piece is cut on a whole character; its terminator tells where.
        out_bytes += in_mode.cType == SQL_C_WCHAR
                         ? 2 * static_cast<long long>(std::u16string_view(reinterpret_cast<const char16_t*>(io_buffer.data())).size())
                         : static_cast<long long>(std::strlen(io_buffer.data()));
    }
    Check(SQLCloseCursor(s), "SQLCloseCursor", SQL_HANDLE_STMT, s);
    return seconds;
}

/// The fastest of in_rounds runs of in_run: on a machine shared with other work, the time least
/// disturbed by it.
template <class Run>
double Fastest(int in_rounds, Run in_run)
{
    double fastest = 0;
    for (int round = 0; round < in_rounds; ++round)
    {
        const double seconds = in_run();
        fastest = round == 0 ? seconds : std::min(fastest, seconds);
    }
    return fastest;
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<int> sizes;
    for (int i = 2; i < argc; ++i)
    {
        sizes.push_back(std::max(1, std::atoi(argv[i])));
    }
    if (sizes.empty())
    {
        sizes = {4, 16, 64};
    }

    Pelta::Test::TestServerOptions options;
    options.maxSeconds = 3600;
    options.extraArguments = {"--log-limit", "1"};
    Pelta::Test::TestServer server(options);
    setenv("no_proxy", "127.0.0.1,localhost", 1);
    OdbcStatement odbc(std::string("DRIVER=") + PELTA_LIBRARY + ";Servers=" + server.Address());

    std::printf("one text cell read with SQLGetData through unixODBC beside plain ICU conversions of the same text "
                "into UTF-16, fastest of %d rounds\n",
                rounds);
    for (const int mebibytes : sizes)
    {
        const size_t textRounds = ((static_cast<size_t>(mebibytes) << 20) + ROUND.size() - 1) / ROUND.size();
        const std::string text = MixedText(textRounds);
        const std::string statement = TextStatement(textRounds);
        const double textMiB = static_cast<double>(text.size()) / MEBIBYTE;

        std::vector<UChar> wide(text.size() + 1);
        int32_t units = 0;
        double baselines[2] = {};
        for (size_t i = 0; i < 2; ++i)
        {
            baselines[i] = Fastest(rounds, [&] {
                const Clock::time_point start = Clock::now();
                units = BASELINES[i].convert(text, wide);
                return std::chrono::duration<double>(Clock::now() - start).count();
            });
            if (units < 0)
            {
                Fail(BASELINES[i].label);
            }
        }
        std::printf("  %d MiB (%zu bytes, %d UTF-16 code units)\n", mebibytes, text.size(), units);
        for (size_t i = 0; i < 2; ++i)
        {
            std::printf("    %-30s %8.4f s  %6.2f ms/MiB\n", BASELINES[i].label, baselines[i],
                        baselines[i] * 1000 / textMiB);
        }

        // Room for the whole value and its terminator in either C type.
        std::vector<char> buffer(static_cast<size_t>(units) * 2 + 2);
        for (const Mode& mode : MODES)
        {
            const long long expected = mode.cType == SQL_C_WCHAR ? 2LL * units : static_cast<long long>(text.size());
            const double seconds = Fastest(rounds, [&] {
                long long bytes = 0;
                const double time = TimeGetData(odbc, statement, mode, buffer, bytes);
                if (bytes != expected)
                {
                    std::fprintf(stderr, "%s read %lld bytes where %lld were expected\n", mode.label, bytes, expected);
                    std::exit(1);
                }
                return time;
            });
            std::printf("    %-30s %8.4f s  %6.2f ms/MiB  %5.2f x %s  %5.2f x %s\n", mode.label, seconds,
                        seconds * 1000 / textMiB, seconds / baselines[0], BASELINES[0].label, seconds / baselines[1],
                        BASELINES[1].label);
        }
    }
    std::printf("  aim: every reading within 2 x the plain conversion, with a flat time per MiB\n");
    return 0;
}
