#include "Pelta/PeltaJsonWriter.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/Pelta/PeltaTestSupport.h"

#include <gtest/gtest.h>
#include <rapidjson/document.h>

#include <sqlext.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

using Orvik::Support::TDWTimestampValue;
using Pelta::PeltaJsonWriter;
using Pelta::Test::Outcome;

namespace {

// The SQL-side bytes of a value.
template <typename T>
std::string Bytes(T in_value)
{
    std::string bytes(sizeof(T), '\0');
    std::memcpy(&bytes[0], &in_value, sizeof(T));
    return bytes;
}

std::string Timestamp(int y, unsigned mo, unsigned d, unsigned h, unsigned mi, unsigned s, uint32_t f)
{
    TDWTimestampValue value;
    value.m_year = static_cast<int16_t>(y);
    value.m_month = static_cast<uint16_t>(mo);
    value.m_day = static_cast<uint16_t>(d);
    value.m_hour = static_cast<uint16_t>(h);
    value.m_minute = static_cast<uint16_t>(mi);
    value.m_second = static_cast<uint16_t>(s);
    value.m_fraction = f;
    return Bytes(value);
}

// The JSON text, or the error line of the refusal.
std::string Json(int16_t in_sqlType, bool in_isUnsigned, const std::string& in_bytes)
{
    std::string json;
    const std::string outcome = Outcome([&] {
        json = PeltaJsonWriter::ArgumentToJson(in_sqlType, in_isUnsigned, in_bytes.data(), in_bytes.size());
    });
    return outcome == "ok" ? json : outcome;
}

bool IsOneJsonValue(const std::string& in_text)
{
    rapidjson::Document document;
    document.Parse<rapidjson::kParseStopWhenDoneFlag>(in_text.c_str());
    return !document.HasParseError();
}

TEST(PeltaJsonWriter, EachArgumentKindHasItsJsonText)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const struct
    {
        int16_t sqlType;
        bool isUnsigned;
        std::string bytes;
        const char* json;
    } cases[] = {
        {SQL_VARCHAR, false, "plain", "\"plain\""},
        {SQL_WVARCHAR, false, "say \"hi\"\n\\ a/b\t\x01\x1f\b\f\r", "\"say \\\"hi\\\"\\n\\\\ a\\/b\\t\\u0001\\u001F\\b\\f\\r\""},
        {SQL_CHAR, false, "h\xc3\xa9llo \xf0\x9f\x98\x80", "\"h\xc3\xa9llo \xf0\x9f\x98\x80\""},
        {SQL_WLONGVARCHAR, false, std::string("a\0b", 3), "\"a\\u0000b\""},
        {SQL_LONGVARCHAR, false, "", "\"\""},
        {SQL_WCHAR, false, "\x7f", "\"\x7f\""},
        {SQL_BIT, false, Bytes<uint8_t>(0), "false"},
        {SQL_BIT, false, Bytes<uint8_t>(1), "true"},
        {SQL_BIT, false, Bytes<uint8_t>(2), "PeltaInvalidParameterData HY000 117 []"},
        {SQL_TINYINT, false, Bytes<int8_t>(-128), "-128"},
        {SQL_TINYINT, true, Bytes<uint8_t>(255), "255"},
        {SQL_SMALLINT, false, Bytes<int16_t>(-32768), "-32768"},
        {SQL_SMALLINT, true, Bytes<uint16_t>(65535), "65535"},
        {SQL_INTEGER, false, Bytes<int32_t>(INT32_MIN), "-2147483648"},
        {SQL_INTEGER, true, Bytes<uint32_t>(UINT32_MAX), "4294967295"},
        {SQL_BIGINT, false, Bytes<int64_t>(INT64_MIN), "-9223372036854775808"},
        {SQL_BIGINT, true, Bytes<uint64_t>(UINT64_MAX), "18446744073709551615"},
        // The fewest digits that read back as the value bound.
        {SQL_REAL, false, Bytes<float>(3.14159274f), "3.1415927"},
        {SQL_REAL, false, Bytes<float>(-0.0f), "-0"},
        {SQL_REAL, false, Bytes<float>(3.4028235e38f), "3.4028235e+38"},
        {SQL_REAL, false, Bytes<float>(std::nextafter(1.0f, 2.0f)), "1.0000001"},
        {SQL_DOUBLE, false, Bytes<double>(3.141592653589793), "3.141592653589793"},
        {SQL_FLOAT, false, Bytes<double>(1e20), "1e+20"},
        {SQL_DOUBLE, false, Bytes<double>(0.1), "0.1"},
        {SQL_DOUBLE, false, Bytes<double>(1.0 / 3), "0.3333333333333333"},
        {SQL_DOUBLE, false, Bytes<double>(std::numeric_limits<double>::denorm_min()), "5e-324"},
        {SQL_DOUBLE, false, Bytes<double>(std::numeric_limits<double>::min()), "2.2250738585072014e-308"},
        {SQL_DOUBLE, false, Bytes<double>(-std::numeric_limits<double>::max()), "-1.7976931348623157e+308"},
        {SQL_FLOAT, false, Bytes<double>(std::nextafter(std::numeric_limits<double>::max(), 0.0)), "1.7976931348623155e+308"},
        {SQL_REAL, false, Bytes<float>(nan), "PeltaNonFiniteParameter 22003 117 [NaN]"},
        {SQL_DOUBLE, false, Bytes<double>(infinity), "PeltaNonFiniteParameter 22003 117 [INFINITY]"},
        {SQL_FLOAT, false, Bytes<double>(-infinity), "PeltaNonFiniteParameter 22003 117 [-INFINITY]"},
        {SQL_TYPE_TIMESTAMP, false, Timestamp(2000, 2, 29, 0, 0, 0, 0), "951782400000"},
        {SQL_TIMESTAMP, false, Timestamp(1969, 12, 31, 23, 59, 59, 999999999), "-1"},
        {SQL_TYPE_TIMESTAMP, false, Timestamp(2023, 2, 29, 0, 0, 0, 0),
         "PeltaInvalidTimestampParameter 22007 117 [2023-02-29 00:00:00.000000000]"},
        {SQL_TYPE_TIMESTAMP, false, Timestamp(2023, 13, 1, 0, 0, 0, 0),
         "PeltaInvalidTimestampParameter 22007 117 [2023-13-01 00:00:00.000000000]"},
        {SQL_TIMESTAMP, false, Timestamp(2023, 1, 1, 24, 0, 0, 0),
         "PeltaInvalidTimestampParameter 22007 117 [2023-01-01 24:00:00.000000000]"},
        {SQL_TIMESTAMP, false, Timestamp(2023, 1, 1, 0, 0, 0, 1000000000),
         "PeltaInvalidTimestampParameter 22007 117 [2023-01-01 00:00:00.1000000000]"},
        {SQL_TYPE_DATE, false, Bytes<int64_t>(0), "PeltaUnsupportedParameterType HY000 117 [SQL_TYPE_DATE (91)]"},
        {SQL_NUMERIC, false, Bytes<int64_t>(0), "PeltaUnsupportedParameterType HY000 117 [SQL_NUMERIC (2)]"},
        {SQL_VARBINARY, false, "ab", "PeltaUnsupportedParameterType HY000 117 [SQL_VARBINARY (-3)]"},
        {SQL_GUID, false, Bytes<int64_t>(0), "PeltaUnsupportedParameterType HY000 117 [SQL_GUID (-11)]"},
        // Fewer bytes than the type takes are missing data, never read past.
        {SQL_BIT, false, "", "PeltaInvalidParameterData HY000 117 []"},
        {SQL_BIGINT, true, std::string(7, '\x01'), "PeltaInvalidParameterData HY000 117 []"},
        {SQL_DOUBLE, false, "\x01\x02\x03", "PeltaInvalidParameterData HY000 117 []"},
        {SQL_TYPE_TIMESTAMP, false, Timestamp(2000, 2, 29, 0, 0, 0, 0).substr(0, 15), "PeltaInvalidParameterData HY000 117 []"},
    };
    for (const auto& c : cases)
    {
        const std::string json = Json(c.sqlType, c.isUnsigned, c.bytes);
        EXPECT_EQ(c.json, json) << "SQL type " << c.sqlType;
        if (json.find(" 117 [") == std::string::npos)
        {
            EXPECT_TRUE(IsOneJsonValue(json)) << json;
        }
    }
}

TEST(PeltaJsonWriter, StatementTextKeepsLineEndsAndTabsInsideLiteralsAsEscapes)
{
    const struct
    {
        const char* text;
        const char* escaped;
    } cases[] = {
        {"select 1", "select 1"},
        {" \t\r\n select 1 \n\t ", "select 1"},
        {"select 'a/b'", "select 'a\\/b'"},
        {"select \"c\" from t", "select \\\"c\\\" from t"},
        {"select 'C:\\dir'", "select 'C:\\\\dir'"},
        {"insert into t values ('line1\nline2\r\n\tx')", "insert into t values ('line1\\nline2\\r\\n\\tx')"},
        {"select '\x01\x1f'", "select '\\u0001\\u001F'"},
        {"select 'h\xc3\xa9'", "select 'h\xc3\xa9'"},
        {"", ""},
        {" \n ", ""},
    };
    for (const auto& c : cases)
    {
        const std::string escaped = PeltaJsonWriter::EscapeStatementText(c.text);
        EXPECT_EQ(c.escaped, escaped);
        EXPECT_TRUE(IsOneJsonValue("\"" + escaped + "\"")) << escaped;
    }
}

TEST(PeltaJsonWriter, MissingDataIsRefusedNotRead)
{
    EXPECT_EQ("PeltaInvalidParameterData HY000 117 []",
              Outcome([] { PeltaJsonWriter::ArgumentToJson(SQL_INTEGER, false, nullptr, 0); }));
}

} // namespace
