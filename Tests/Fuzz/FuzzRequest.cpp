// The request builder, fed as the driver feeds it. The statement is an application's ANSI text,
// taken as SQLExecDirect takes it (checked in the application's encoding, UTF-8 or US-ASCII, and
// decoded into the driver manager's UTF-16); a text argument is SQL_C_CHAR or SQL_C_WCHAR text, or
// SQL_C_BINARY bytes taken as UTF-8 text, through the converter that bound parameters use. Text
// that the target's own decoder finds not valid in its encoding is refused with the driver's error
// at its first bad byte, and nothing is written; valid text arrives in the request byte for byte
// as UTF-8. Then every argument of every SQL type, each from a buffer of exactly its length, is
// made into a request body that must be valid JSON of valid UTF-8 holding the statement (trimmed)
// and every argument's value: integers and bits exactly, reals and doubles to their digits,
// timestamps as milliseconds since 1970 by a reference calendar; values without a JSON form are
// refused with the driver's error.

#include "FuzzSupport.h"

#include "ODBC/Dispatch/CInterface.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaJsonWriter.h"
#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/MalformedTextException.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/orvik_wstring.h"

#include <rapidjson/document.h>
#include <sqlext.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace Orvik::Support;
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

Expectation TextExpectation(const std::string& in_utf8)
{
    return {"", [in_utf8](const rapidjson::Value& v) {
                return v.IsString() && std::string(v.GetString(), v.GetStringLength()) == in_utf8;
            }, Fuzz::Show(in_utf8)};
}

/// A value of a type that is not text.
Expectation Expect(int16_t in_type, bool in_isUnsigned, const std::string& in_data)
{
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

constexpr size_t NOWHERE = std::string::npos;
constexpr uint8_t UNTOUCHED = 0xCC;

/// The first byte that is not ASCII, or NOWHERE.
size_t FindNonAscii(const std::string& in_bytes)
{
    for (size_t i = 0; i < in_bytes.size(); ++i)
    {
        if (static_cast<unsigned char>(in_bytes[i]) >= 0x80)
        {
            return i;
        }
    }
    return NOWHERE;
}

size_t FindBad(const std::string& in_bytes, EncodingType in_encoding)
{
    return in_encoding == ENC_UTF8 ? Fuzz::FindBadUtf8(in_bytes) : FindNonAscii(in_bytes);
}

/// Little-endian UTF-16 code units, an odd last byte left out.
std::u16string Utf16Units(const std::string& in_bytes)
{
    std::u16string units;
    for (size_t i = 0; i + 1 < in_bytes.size(); i += 2)
    {
        units.push_back(static_cast<char16_t>(static_cast<unsigned char>(in_bytes[i]) | static_cast<unsigned char>(in_bytes[i + 1]) << 8));
    }
    return units;
}

/// Where little-endian UTF-16 bytes stop being valid: the first byte of an unpaired surrogate or
/// of a unit cut short, or NOWHERE.
size_t FindBadUtf16(const std::string& in_bytes)
{
    const std::u16string units = Utf16Units(in_bytes);
    for (size_t i = 0; i < units.size(); ++i)
    {
        const bool lead = units[i] >= 0xD800 && units[i] <= 0xDBFF;
        if (lead && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF)
        {
            ++i;
        }
        else if (units[i] >= 0xD800 && units[i] <= 0xDFFF)
        {
            return 2 * i;
        }
    }
    return in_bytes.size() % 2 != 0 ? in_bytes.size() - 1 : NOWHERE;
}

/// Valid UTF-16 units written as UTF-8.
std::string Utf8Of(const std::u16string& in_units)
{
    std::string text;
    for (size_t i = 0; i < in_units.size(); ++i)
    {
        uint32_t c = in_units[i];
        if (c >= 0xD800 && c <= 0xDBFF)
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (in_units[++i] - 0xDC00);
        }
        if (c < 0x80)
        {
            text.push_back(static_cast<char>(c));
        }
        else if (c < 0x800)
        {
            text += {static_cast<char>(0xC0 | c >> 6), static_cast<char>(0x80 | (c & 0x3F))};
        }
        else if (c < 0x10000)
        {
            text += {static_cast<char>(0xE0 | c >> 12), static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        }
        else
        {
            text += {static_cast<char>(0xF0 | c >> 18), static_cast<char>(0x80 | (c >> 12 & 0x3F)),
                     static_cast<char>(0x80 | (c >> 6 & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
        }
    }
    return text;
}

std::string ShowError(const ErrorException& in_error)
{
    std::string text = Fuzz::KeyOf(in_error) + " " + GetSqlStateForDiagState(in_error.GetDiagState()).GetText();
    for (const orvik_wstring& parameter : in_error.GetParameters())
    {
        text += " " + parameter.GetAsUTF8();
    }
    return text;
}

/// The driver's error for text refused at in_bad in in_encoding: the key, its SQLSTATE, and the
/// byte's position from 1 and the encoding as the message's parameters.
std::string RefusalOf(const char* in_key, const char* in_state, size_t in_bad, const char* in_encoding)
{
    return std::string(in_key) + " " + in_state + " " + std::to_string(in_bad + 1) + " " + in_encoding;
}

const char* NameOf(EncodingType in_encoding)
{
    return in_encoding == ENC_UTF8 ? "UTF-8" : in_encoding == ENC_UTF16_LE ? "UTF-16LE" : "US-ASCII";
}

/// The statement as SQLExecDirect takes ANSI text: in_length bytes or SQL_NTS, checked and decoded
/// into a UTF-16 buffer that has room for it and its terminator; the back end then writes it as
/// UTF-8. False when it is refused, which must leave the buffer as it was.
bool TakeStatement(const std::string& in_text, bool in_terminated, EncodingType in_ansi, std::string& out_utf8, std::string& io_context)
{
    const std::string text = in_terminated ? in_text.substr(0, in_text.find('\0')) : in_text;
    const size_t bad = FindBad(text, in_ansi);
    const std::unique_ptr<char[]> bytes = Fuzz::ExactCopy(in_terminated ? in_text + std::string(1, '\0') : in_text);
    const size_t room = text.size() + 1;
    std::vector<char16_t> buffer(room, static_cast<char16_t>(UNTOUCHED * 0x101));
    const std::vector<char16_t> before = buffer;
    io_context += std::string(" in ") + NameOf(in_ansi) + (in_terminated ? " up to its NUL" : "");
    bool truncated = false;
    try
    {
        const int32_t count = Orvik::ODBC::CInterface::ConvertInputString(reinterpret_cast<const SQLCHAR*>(bytes.get()),
                                                                          in_terminated ? SQL_NTS : static_cast<SQLINTEGER>(in_text.size()),
                                                                          buffer.data(), static_cast<int64_t>(room), false, truncated);
        FUZZ_CHECK(bad == NOWHERE, io_context + ": accepted, expected " + RefusalOf("InputStringMalformed", "HY000", bad, NameOf(in_ansi)));
        FUZZ_CHECK(!truncated && count >= 0 && static_cast<size_t>(count) < room && buffer[static_cast<size_t>(count)] == 0,
                   io_context + ": decoded as " + std::to_string(count) + " units" + (truncated ? ", cut" : ""));
        out_utf8 = orvik_wstring(std::u16string(buffer.data(), static_cast<size_t>(count))).GetAsUTF8();
        FUZZ_CHECK(out_utf8 == text, io_context + ": reads back as " + Fuzz::Show(out_utf8));
        return true;
    }
    catch (const ErrorException& e)
    {
        FUZZ_CHECK(ShowError(e) == RefusalOf("InputStringMalformed", "HY000", bad, NameOf(in_ansi)),
                   io_context + ": raised " + ShowError(e));
        FUZZ_CHECK(buffer == before, io_context + ": refused, but written");
        return false;
    }
}

/// A character parameter's text as a bound parameter's is converted: through a strict converter
/// (one per parameter, reset for each value) into a holder with room for four bytes a source
/// code unit, the most that UTF-8 takes for one character. True with the UTF-8 written, false
/// when refused, which must leave the holder as it was.
bool ConvertText(EncodingConverter& io_converter, const std::string& in_bytes, EncodingType in_source, std::string& out_utf8, const std::string& in_context)
{
    const bool wide = in_source == ENC_UTF16_LE;
    const size_t bad = wide ? FindBadUtf16(in_bytes) : FindBad(in_bytes, in_source);
    const std::string expected = bad != NOWHERE ? std::string() : wide ? Utf8Of(Utf16Units(in_bytes)) : in_bytes;
    const std::unique_ptr<char[]> value = Fuzz::ExactCopy(in_bytes);
    const size_t room = in_bytes.size() / (wide ? 2 : 1) * 4;
    const std::string before(room, static_cast<char>(UNTOUCHED));
    const std::unique_ptr<char[]> target = Fuzz::ExactCopy(before);
    const std::string refusal = RefusalOf("MalformedText", "22018", bad, NameOf(in_source));
    io_converter.ResetPartial();
    try
    {
        io_converter.SetSource(value.get(), static_cast<int32_t>(in_bytes.size()));
        io_converter.SetTarget(target.get(), static_cast<int32_t>(room));
        const int32_t written = io_converter.Convert(true);
        FUZZ_CHECK(bad == NOWHERE, in_context + " accepted, expected " + refusal);
        FUZZ_CHECK(!io_converter.NeedsConvert() && written >= 0 && static_cast<size_t>(written) <= room,
                   in_context + ": wrote " + std::to_string(written) + " of room " + std::to_string(room));
        out_utf8.assign(target.get(), static_cast<size_t>(written));
        FUZZ_CHECK(out_utf8 == expected, in_context + " converted to " + Fuzz::Show(out_utf8) + ", expected " + Fuzz::Show(expected));
        return true;
    }
    catch (const MalformedTextException& e)
    {
        FUZZ_CHECK(ShowError(e) == refusal && e.GetOffset() == bad,
                   in_context + " raised " + ShowError(e) + " at " + std::to_string(e.GetOffset()) + ", expected " + refusal);
        FUZZ_CHECK(std::string(target.get(), room) == before, in_context + ": refused, but written");
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // The driver's start-up: its platform converts the driver manager's text, UTF-16.
    Orvik::Platform::InitializePlatform(false);
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    FuzzedDataProvider data(in_data, in_size);
    const EncodingType ansi = data.ConsumeBool() ? ENC_US_ASCII : ENC_UTF8;
    orvik_wstring::InitializeAnsiEncoding(ansi);
    const bool terminated = data.ConsumeBool();
    const std::string statement = data.ConsumeRandomLengthString(200);
    std::string context = "statement " + Fuzz::Show(statement);
    std::string statementText;
    const bool isTaken = TakeStatement(statement, terminated, ansi, statementText, context);

    // One converter per kind of character parameter, reset for each value, as a statement keeps one
    // per parameter.
    std::unique_ptr<EncodingConverter> converters[3];
    std::vector<std::string> values;
    std::vector<Expectation> expectations;
    for (int count = data.ConsumeIntegralInRange<int>(0, 6); count > 0; --count)
    {
        const int16_t type = data.PickValueInArray(SQL_TYPES);
        const bool isUnsigned = data.ConsumeBool();
        std::string bytes = data.ConsumeRandomLengthString(40);
        std::string argument = "type " + std::to_string(type) + (isUnsigned ? " unsigned " : " ") + Fuzz::Show(bytes);
        Expectation expected;
        if (IsText(type))
        {
            // As SQL_C_CHAR or SQL_C_WCHAR text, or as SQL_C_BINARY bytes, which are the UTF-8 text
            // itself.
            const int kind = data.ConsumeIntegralInRange<int>(0, 2);
            const EncodingType source = kind == 0 ? ansi : kind == 1 ? ENC_UTF16_LE : ENC_UTF8;
            const char* const cTypes[] = {"SQL_C_CHAR", "SQL_C_WCHAR", "SQL_C_BINARY"};
            argument += std::string(" as ") + cTypes[kind];
            std::unique_ptr<EncodingConverter>& converter = converters[kind];
            if (converter == nullptr)
            {
                converter = EncodingConverterFactory().CreateStrictConverter(source, ENC_UTF8);
            }
            std::string utf8;
            const bool converted = ConvertText(*converter, bytes, source, utf8, context + "\n  " + argument);
            if (!converted)
            {
                // Refused before anything is sent.
                continue;
            }
            bytes = utf8;
            expected = TextExpectation(utf8);
        }
        else
        {
            if (data.ConsumeBool())
            {
                // Mostly the type's own size; sometimes too few bytes.
                bytes.resize(FixedSize(type), '\0');
            }
            expected = Expect(type, isUnsigned, bytes);
        }
        const std::unique_ptr<char[]> exact = Fuzz::ExactCopy(bytes);
        try
        {
            const std::string json = PeltaJsonWriter::ArgumentToJson(type, isUnsigned, exact.get(), bytes.size());
            FUZZ_CHECK(expected.key.empty(), argument + " accepted as " + json + ", expected " + expected.key);
            values.push_back(json);
            expectations.push_back(expected);
            context += "\n  " + argument + " as " + json + ", expected " + expected.description;
        }
        catch (const ErrorException& e)
        {
            FUZZ_CHECK(Fuzz::KeyOf(e) == expected.key, argument + " raised " + Fuzz::KeyOf(e) + ", expected " + expected.key);
        }
    }
    // Each argument is one JSON value on its own, of valid UTF-8, that decodes as expected.
    for (size_t i = 0; i < values.size(); ++i)
    {
        rapidjson::Document alone;
        alone.Parse<rapidjson::kParseFullPrecisionFlag | rapidjson::kParseValidateEncodingFlag>(values[i].data(), values[i].size());
        FUZZ_CHECK(!alone.HasParseError(), context + ": " + Fuzz::Show(values[i]) + " is not one JSON value");
        FUZZ_CHECK(expectations[i].matches(alone), context + ": argument " + std::to_string(i) + " decodes differently alone");
    }
    if (!isTaken)
    {
        // A statement refused is never sent.
        return 0;
    }
    if (values.empty())
    {
        values.push_back(PeltaJsonWriter::NULL_VALUE);
        expectations.push_back({"", [](const rapidjson::Value& v) { return v.IsNull(); }, "null"});
    }

    const std::string body = "{\"stmt\":\"" + PeltaJsonWriter::EscapeStatementText(statementText) + Pelta::PeltaAPI::BuildRequest(values);
    rapidjson::Document document;
    document.Parse<rapidjson::kParseFullPrecisionFlag | rapidjson::kParseValidateEncodingFlag>(body.data(), body.size());
    context += "\n  body " + Fuzz::Show(body);
    FUZZ_CHECK(!document.HasParseError() && document.IsObject() && document.HasMember("stmt") && document.HasMember("args"),
               context + ": not a JSON request of valid UTF-8");
    const rapidjson::Value& stmt = document["stmt"];
    const size_t first = statementText.find_first_not_of(" \t\n\v\f\r");
    const std::string trimmed = first == std::string::npos
                                    ? std::string()
                                    : statementText.substr(first, statementText.find_last_not_of(" \t\n\v\f\r") - first + 1);
    FUZZ_CHECK(stmt.IsString() && std::string(stmt.GetString(), stmt.GetStringLength()) == trimmed, context + ": the statement differs");
    const rapidjson::Value& args = document["args"];
    FUZZ_CHECK(args.IsArray() && args.Size() == expectations.size(), context + ": argument count");
    for (rapidjson::SizeType i = 0; i < args.Size(); ++i)
    {
        FUZZ_CHECK(expectations[i].matches(args[i]), context + ": argument " + std::to_string(i) + " decodes differently");
    }
    return 0;
}
