#include "Pelta/PeltaJsonWriter.h"

#include "Pelta/PeltaError.h"
#include "Pelta/PeltaTimeUtilities.h"
#include "Support/NumberConverter.h"
#include "Support/StringUtilities.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include <sqlext.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

using Orvik::Support::NumberConverter;
using Orvik::Support::StringUtilities;
using Orvik::Support::TDWTimestampValue;

namespace Pelta {

namespace {

constexpr char HEX_DIGITS[] = "0123456789ABCDEF";

// The escape of one byte of a JSON string, or null when the byte stands for itself.
const char* ShortEscape(unsigned char in_byte)
{
    switch (in_byte)
    {
    case '"': return "\\\"";
    case '\\': return "\\\\";
    case '/': return "\\/";
    case '\b': return "\\b";
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\f': return "\\f";
    case '\r': return "\\r";
    default: return nullptr;
    }
}

bool NeedsEscape(unsigned char in_byte)
{
    return in_byte < 0x20 || in_byte == '"' || in_byte == '\\' || in_byte == '/';
}

/// The value of type T at in_data, of which in_length bytes are there: fewer than T takes are
/// missing data, never read.
template <typename T>
T ReadValue(const void* in_data, size_t in_length)
{
    if (in_length < sizeof(T))
    {
        throw PeltaError("PeltaInvalidParameterData");
    }
    T value;
    std::memcpy(&value, in_data, sizeof(T));
    return value;
}

std::string IntegerToJson(int16_t in_sqlType, bool in_isUnsigned, const void* in_data, size_t in_length)
{
    switch (in_sqlType)
    {
    case SQL_TINYINT:
        return in_isUnsigned ? NumberConverter::ConvertUInt8ToString(ReadValue<uint8_t>(in_data, in_length))
                             : NumberConverter::ConvertInt8ToString(ReadValue<int8_t>(in_data, in_length));
    case SQL_SMALLINT:
        return in_isUnsigned ? NumberConverter::ConvertUInt16ToString(ReadValue<uint16_t>(in_data, in_length))
                             : NumberConverter::ConvertInt16ToString(ReadValue<int16_t>(in_data, in_length));
    case SQL_INTEGER:
        return in_isUnsigned ? NumberConverter::ConvertUInt32ToString(ReadValue<uint32_t>(in_data, in_length))
                             : NumberConverter::ConvertInt32ToString(ReadValue<int32_t>(in_data, in_length));
    default:
        return in_isUnsigned ? NumberConverter::ConvertUInt64ToString(ReadValue<uint64_t>(in_data, in_length))
                             : NumberConverter::ConvertInt64ToString(ReadValue<int64_t>(in_data, in_length));
    }
}

std::string BitToJson(uint8_t in_value)
{
    if (in_value > 1)
    {
        throw PeltaError("PeltaInvalidParameterData");
    }
    return in_value ? "true" : "false";
}

// NaN and the infinities have no JSON form.
void CheckFinite(double in_value)
{
    if (std::isfinite(in_value))
    {
        return;
    }
    const char* spelling = std::isnan(in_value) ? NumberConverter::NAN_TEXT
        : in_value > 0                          ? NumberConverter::INFINITY_TEXT
                                                : NumberConverter::NEGATIVE_INFINITY_TEXT;
    throw PeltaStateError("PeltaNonFiniteParameter", "22003", {spelling});
}

// The shortest text that reads back as exactly in_value: the server must receive the value
// that was bound, not a rounding of it.
template <typename T>
std::string ShortestNumberText(T in_value)
{
    CheckFinite(in_value);
    char text[32];
    const std::to_chars_result written = std::to_chars(text, text + sizeof(text), in_value);
    return std::string(text, written.ptr);
}

std::string TimestampText(const TDWTimestampValue& in_value)
{
    char text[64];
    std::snprintf(text,
                  sizeof(text),
                  "%d-%02u-%02u %02u:%02u:%02u.%09u",
                  static_cast<int>(in_value.m_year),
                  static_cast<unsigned>(in_value.m_month),
                  static_cast<unsigned>(in_value.m_day),
                  static_cast<unsigned>(in_value.m_hour),
                  static_cast<unsigned>(in_value.m_minute),
                  static_cast<unsigned>(in_value.m_second),
                  static_cast<unsigned>(in_value.m_fraction));
    return text;
}

} // namespace

void PeltaJsonWriter::AppendEscaped(const char* in_bytes, size_t in_length, std::string& io_json)
{
    size_t runStart = 0;
    for (size_t i = 0; i < in_length; ++i)
    {
        const auto byte = static_cast<unsigned char>(in_bytes[i]);
        if (!NeedsEscape(byte))
        {
            continue;
        }
        io_json.append(in_bytes + runStart, i - runStart);
        runStart = i + 1;
        if (const char* escape = ShortEscape(byte))
        {
            io_json.append(escape);
            continue;
        }
        const char unicodeEscape[] = {
            '\\', 'u', '0', '0', HEX_DIGITS[byte >> 4], HEX_DIGITS[byte & 0xF]};
        io_json.append(unicodeEscape, sizeof(unicodeEscape));
    }
    io_json.append(in_bytes + runStart, in_length - runStart);
}

std::string PeltaJsonWriter::EscapeStatementText(const std::string& in_utf8Text)
{
    std::string text(in_utf8Text);
    StringUtilities::TrimRight(text);
    StringUtilities::TrimLeft(text);
    std::string escaped;
    escaped.reserve(text.size() + text.size() / 8);
    AppendEscaped(text.data(), text.size(), escaped);
    return escaped;
}

std::string PeltaJsonWriter::StringToJson(const char* in_bytes, size_t in_length)
{
    std::string json;
    json.reserve(in_length + 2);
    json.push_back('"');
    AppendEscaped(in_bytes, in_length, json);
    json.push_back('"');
    return json;
}

std::string PeltaJsonWriter::RealToJson(float in_value)
{
    return ShortestNumberText(in_value);
}

std::string PeltaJsonWriter::DoubleToJson(double in_value)
{
    return ShortestNumberText(in_value);
}

std::string PeltaJsonWriter::TimestampToJson(const TDWTimestampValue& in_value)
{
    int64_t millis = 0;
    if (!PeltaTimeUtilities::TimestampToEpochMillis(in_value, millis))
    {
        throw PeltaStateError("PeltaInvalidTimestampParameter", "22007", {TimestampText(in_value)});
    }
    return NumberConverter::ConvertInt64ToString(millis);
}

std::string PeltaJsonWriter::ArgumentToJson(int16_t in_sqlType,
                                            bool in_isUnsigned,
                                            const void* in_data,
                                            size_t in_length)
{
    if (in_data == nullptr)
    {
        throw PeltaError("PeltaInvalidParameterData");
    }
    switch (in_sqlType)
    {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
        return StringToJson(static_cast<const char*>(in_data), in_length);
    case SQL_BIT:
        return BitToJson(ReadValue<uint8_t>(in_data, in_length));
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return IntegerToJson(in_sqlType, in_isUnsigned, in_data, in_length);
    case SQL_REAL:
        return RealToJson(ReadValue<float>(in_data, in_length));
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return DoubleToJson(ReadValue<double>(in_data, in_length));
    case SQL_TIMESTAMP:
    case SQL_TYPE_TIMESTAMP:
        return TimestampToJson(ReadValue<TDWTimestampValue>(in_data, in_length));
    default:
        // The type's name with its code: a bare code leaves the application's author guessing.
        throw PeltaError("PeltaUnsupportedParameterType",
                         {Orvik::Support::SqlTypeUtilities::Current().GetSqlTypeName(in_sqlType) + u" ("
                          + NumberConverter::ConvertInt16ToWString(in_sqlType) + u")"});
    }
}

} // namespace Pelta
