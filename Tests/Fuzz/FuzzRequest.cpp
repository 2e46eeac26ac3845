// The request builder: statement text and arguments of every SQL type, each from a buffer of
// exactly its length, made into a request body that must be valid JSON holding the statement
// (trimmed) and every argument's value: text byte for byte, integers and bits exactly, reals and
// doubles to their digits, timestamps as milliseconds since 1970 by a reference calendar; values
// without a JSON form are refused with the driver's error.

#include "FuzzSupport.h"

#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaJsonWriter.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include <rapidjson/document.h>
#include <sqlext.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Orvik::Support::TDWTimestampValue;
using Pelta::PeltaJsonWriter;

namespace {

// The SQL types an argument may have; the last ones have no JSON form.
constexpr int16_t SQL_TYPES[] = {SQL_CHAR,    SQL_VARCHAR, SQL_LONGVARCHAR, SQL_WCHAR,     SQL_WVARCHAR,   SQL_WLONGVARCHAR,
                                 SQL_BIT,     SQL_TINYINT, SQL_SMALLINT,    SQL_INTEGER,   SQL_BIGINT,     SQL_REAL,
                                 SQL_FLOAT,   SQL_DOUBLE,  SQL_TIMESTAMP,   SQL_TYPE_TIMESTAMP, SQL_DECIMAL, SQL_NUMERIC,
                                 SQL_TYPE_DATE, SQL_BINARY, SQL_GUID,       SQL_INTERVAL_DAY};

/// What an argument must give: the error key, or the check of its JSON value.
struct Expectation
{
    std::string key;
    std::function<bool(const rapidjson::Value&)> matches;
    std::string description;
};

bool IsText(int16_t in_type)
{
    return in_type == SQL_CHAR || in_type == SQL_VARCHAR || in_type == SQL_LONGVARCHAR || in_type == SQL_WCHAR
           || in_type == SQL_WVARCHAR || in_type == SQL_WLONGVARCHAR;
}

size_t FixedSize(int16_t in_type)
{
    switch (in_type)
    {
    case SQL_BIT:
    case SQL_TINYINT: return 1;
    case SQL_SMALLINT: return 2;
    case SQL_INTEGER:
    case SQL_REAL: return 4;
    case SQL_BIGINT:
    case SQL_FLOAT:
    case SQL_DOUBLE: return 8;
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP: return sizeof(TDWTimestampValue);
    default: return 0;
    }
}

template <typename T>
T Read(const std::string& in_data)
{
    T value;
    std::memcpy(&value, in_data.data(), sizeof(T));
    return value;
}

int64_t DaysFromCivil(int64_t in_year, int64_t in_month, int64_t in_day)
{
    // Days since 1970-01-01 in the proleptic Gregorian calendar.
    const int64_t year = in_year - (in_month <= 2);
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (in_month + (in_month > 2 ? -3 : 9)) + 2) / 5 + in_day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool IsLeap(int64_t in_year)
{
    return in_year % 4 == 0 && (in_year % 100 != 0 || in_year % 400 == 0);
}

Expectation TimestampExpectation(const TDWTimestampValue& in_value)
{
    static const int DAYS[] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const TDWTimestampValue& t = in_value;
    const bool valid = t.m_month >= 1 && t.m_month <= 12 && t.m_day >= 1
                       && t.m_day <= DAYS[t.m_month < 13 ? t.m_month : 0] + (t.m_month == 2 && IsLeap(t.m_year)) && t.m_hour <= 23
                       && t.m_minute <= 59 && t.m_second <= 59 && t.m_fraction < 1000000000u;
    if (!valid)
    {
        return {"PeltaInvalidTimestampParameter", nullptr, "an invalid timestamp"};
    }
    const int64_t millis = (DaysFromCivil(t.m_year, t.m_month, t.m_day) * 86400 + t.m_hour * 3600 + t.m_minute * 60 + t.m_second) * 1000
                           + t.m_fraction / 1000000;
    return {"", [millis](const rapidjson::Value& v) { return v.IsInt64() && v.GetInt64() == millis; }, std::to_string(millis)};
}

Expectation FloatingExpectation(double in_value, double in_relative, double in_absolute)
{
    if (!std::isfinite(in_value))
    {
        return {"PeltaNonFiniteParameter", nullptr, "a non-finite number"};
    }
    return {"",
            [=](const rapidjson::Value& v) {
                return v.IsNumber() && std::fabs(v.GetDouble() - in_value) <= std::fabs(in_value) * in_relative + in_absolute;
            },
            std::to_string(in_value)};
}

template <typename T>
Expectation IntegerExpectation(T in_value)
{
    return {"",
            [in_value](const rapidjson::Value& v) {
                return std::is_signed<T>::value ? v.IsInt64() && v.GetInt64() == static_cast<int64_t>(in_value)
                                                : v.IsUint64() && v.GetUint64() == static_cast<uint64_t>(in_value);
            },
            std::to_string(in_value)};
}

Expectation Expect(int16_t in_type, bool in_isUnsigned, const std::string& in_data)
{
    if (IsText(in_type))
    {
        return {"", [in_data](const rapidjson::Value& v) {
                    return v.IsString() && std::string(v.GetString(), v.GetStringLength()) == in_data;
                }, Fuzz::Show(in_data)};
    }
    const size_t size = FixedSize(in_type);
    if (size == 0)
    {
        return {"PeltaUnsupportedParameterType", nullptr, "an unsupported type"};
    }
    if (in_data.size() < size)
    {
        return {"PeltaInvalidParameterData", nullptr, "too few bytes"};
    }
    switch (in_type)
    {
    case SQL_BIT:
    {
        const uint8_t bit = Read<uint8_t>(in_data);
        if (bit > 1)
        {
            return {"PeltaInvalidParameterData", nullptr, "a bit of " + std::to_string(bit)};
        }
        return {"", [bit](const rapidjson::Value& v) { return v.IsBool() && v.GetBool() == (bit == 1); }, bit ? "true" : "false"};
    }
    case SQL_TINYINT: return in_isUnsigned ? IntegerExpectation(Read<uint8_t>(in_data)) : IntegerExpectation(Read<int8_t>(in_data));
    case SQL_SMALLINT: return in_isUnsigned ? IntegerExpectation(Read<uint16_t>(in_data)) : IntegerExpectation(Read<int16_t>(in_data));
    case SQL_INTEGER: return in_isUnsigned ? IntegerExpectation(Read<uint32_t>(in_data)) : IntegerExpectation(Read<int32_t>(in_data));
    case SQL_BIGINT: return in_isUnsigned ? IntegerExpectation(Read<uint64_t>(in_data)) : IntegerExpectation(Read<int64_t>(in_data));
    // Seven significant digits for a real, fifteen for a double; below 1 the digits are decimals.
    case SQL_REAL: return FloatingExpectation(Read<float>(in_data), 1e-6, 0.75e-7);
    case SQL_FLOAT:
    case SQL_DOUBLE: return FloatingExpectation(Read<double>(in_data), 1e-14, 0.75e-15);
    default: return TimestampExpectation(Read<TDWTimestampValue>(in_data));
    }
}

std::string ShowStatement(const std::string& in_text)
{
    return "statement " + Fuzz::Show(in_text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    FuzzedDataProvider data(in_data, in_size);
    const std::string statement = data.ConsumeRandomLengthString(200);
    std::string context = ShowStatement(statement);
    std::vector<std::string> values;
    std::vector<Expectation> expectations;
    for (int count = data.ConsumeIntegralInRange<int>(0, 6); count > 0; --count)
    {
        const int16_t type = data.PickValueInArray(SQL_TYPES);
        const bool isUnsigned = data.ConsumeBool();
        std::string bytes = data.ConsumeRandomLengthString(40);
        if (!IsText(type) && data.ConsumeBool())
        {
            // Mostly the type's own size; sometimes too few bytes.
            bytes.resize(FixedSize(type), '\0');
        }
        const Expectation expected = Expect(type, isUnsigned, bytes);
        const std::string argument = "type " + std::to_string(type) + (isUnsigned ? " unsigned " : " ") + Fuzz::Show(bytes);
        const std::unique_ptr<char[]> exact = Fuzz::ExactCopy(bytes);
        try
        {
            const std::string json = PeltaJsonWriter::ArgumentToJson(type, isUnsigned, exact.get(), bytes.size());
            FUZZ_CHECK(expected.key.empty(), argument + " accepted as " + json + ", expected " + expected.key);
            values.push_back(json);
            expectations.push_back(expected);
            context += "\n  " + argument + " as " + json + ", expected " + expected.description;
        }
        catch (const Orvik::Support::ErrorException& e)
        {
            FUZZ_CHECK(Fuzz::KeyOf(e) == expected.key, argument + " raised " + Fuzz::KeyOf(e) + ", expected " + expected.key);
        }
    }
    if (values.empty())
    {
        values.push_back(PeltaJsonWriter::NULL_VALUE);
        expectations.push_back({"", [](const rapidjson::Value& v) { return v.IsNull(); }, "null"});
    }

    const std::string body = "{\"stmt\":\"" + PeltaJsonWriter::EscapeStatementText(statement) + Pelta::PeltaAPI::BuildRequest(values);
    rapidjson::Document document;
    document.Parse<rapidjson::kParseFullPrecisionFlag>(body.data(), body.size());
    context += "\n  body " + Fuzz::Show(body);
    FUZZ_CHECK(!document.HasParseError() && document.IsObject() && document.HasMember("stmt") && document.HasMember("args"),
               context + ": not a JSON request");
    const rapidjson::Value& stmt = document["stmt"];
    const size_t first = statement.find_first_not_of(" \t\n\v\f\r");
    const std::string trimmed =
        first == std::string::npos ? std::string() : statement.substr(first, statement.find_last_not_of(" \t\n\v\f\r") - first + 1);
    FUZZ_CHECK(stmt.IsString() && std::string(stmt.GetString(), stmt.GetStringLength()) == trimmed, context + ": the statement differs");
    const rapidjson::Value& args = document["args"];
    FUZZ_CHECK(args.IsArray() && args.Size() == expectations.size(), context + ": argument count");
    for (rapidjson::SizeType i = 0; i < args.Size(); ++i)
    {
        FUZZ_CHECK(expectations[i].matches(args[i]), context + ": argument " + std::to_string(i) + " decodes differently");
    }
    // Each argument is one JSON value on its own as well.
    for (const std::string& value : values)
    {
        rapidjson::Document alone;
        alone.Parse(value.data(), value.size());
        FUZZ_CHECK(!alone.HasParseError(), context + ": " + Fuzz::Show(value) + " is not one JSON value");
    }
    return 0;
}
