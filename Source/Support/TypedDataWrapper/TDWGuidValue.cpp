#include "Support/TypedDataWrapper/TDWGuidValue.h"

#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/HexConverter.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

/// Where the groups of the 8-4-4-4-12 form start, and the hyphens between them.
constexpr size_t DATA2_START = 9;
constexpr size_t DATA3_START = 14;
constexpr size_t DATA4_START = 19;
constexpr size_t DATA4_REST_START = 24;
constexpr size_t HYPHENS[] = {8, 13, 18, 23};

constexpr char UPPER_HEX_DIGITS[] = "0123456789ABCDEF";

void TrimBlanks(const char*& io_text, size_t& io_length)
{
    for (; io_length > 0 && io_text[0] == ' '; --io_length)
    {
        ++io_text;
    }
    for (; io_length > 0 && io_text[io_length - 1] == ' '; --io_length)
    {
    }
}

/// Removes blanks and one pair of braces; false when an opening brace has no closing one.
bool Unwrap(const char*& io_text, size_t& io_length)
{
    TrimBlanks(io_text, io_length);
    if (io_length > 0 && io_text[0] == '{')
    {
        if (io_length < 2 || io_text[io_length - 1] != '}')
        {
            return false;
        }
        ++io_text;
        io_length -= 2;
        TrimBlanks(io_text, io_length);
    }
    return true;
}

/// Reads in_digits hexadecimal digits (at most 8) as a number written most significant digit
/// first: the reversed byte order is the number's little-endian image.
template <typename T>
bool ReadHexNumber(const char* in_text, size_t in_digits, T& out_value)
{
    uint8_t bytes[4] = {};
    if (!HexConverter::ConvertHexToBytes(in_text, in_digits, bytes, true))
    {
        return false;
    }
    uint32_t value = 0;
    for (size_t i = in_digits / 2; i-- > 0;)
    {
        value = value << 8 | bytes[i];
    }
    out_value = static_cast<T>(value);
    return true;
}

/// Writes in_digits hexadecimal digits of in_value, most significant first; returns the end.
char* WriteHexNumber(uint32_t in_value, size_t in_digits, char* out_buffer)
{
    for (size_t i = in_digits; i-- > 0;)
    {
        *out_buffer++ = UPPER_HEX_DIGITS[(in_value >> (4 * i)) & 0x0F];
    }
    return out_buffer;
}

char* WriteHexBytes(const uint8_t* in_bytes, size_t in_count, char* out_buffer)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        out_buffer = WriteHexNumber(in_bytes[i], 2, out_buffer);
    }
    return out_buffer;
}

} // namespace

TDWGuidValue::TDWGuidValue(const char* in_text, bool in_throwOnError)
{
    Parse(in_text, (in_text == nullptr) ? 0 : std::strlen(in_text), in_throwOnError);
}

void TDWGuidValue::Parse(const char* in_text, size_t in_length, bool in_throwOnError)
{
    const char* text = in_text;
    size_t length = in_length;
    bool valid = text != nullptr && Unwrap(text, length) && length == TEXT_LENGTH;
    for (size_t hyphen : HYPHENS)
    {
        valid = valid && text[hyphen] == '-';
    }
    // Data1 to Data3 are numbers; Data4 is a byte array, read in order.
    valid = valid && ReadHexNumber(text, 8, m_data1) && ReadHexNumber(text + DATA2_START, 4, m_data2)
        && ReadHexNumber(text + DATA3_START, 4, m_data3)
        && HexConverter::ConvertHexToBytes(text + DATA4_START, 4, m_data4, false)
        && HexConverter::ConvertHexToBytes(text + DATA4_REST_START, 12, m_data4 + 2, false);
    m_isValid = valid;
    if (!valid && in_throwOnError)
    {
        int32_t parameterLength = static_cast<int32_t>(std::min<size_t>(in_length, INT_MAX));
        throw SupportException(
            SupportError(SupportErrorCode::InvalidGuidValue), {orvik_wstring(in_text, parameterLength)});
    }
}

void TDWGuidValue::ToChars(char* out_buffer, bool in_terminate) const
{
    char* pos = WriteHexNumber(m_data1, 8, out_buffer);
    *pos++ = '-';
    pos = WriteHexNumber(m_data2, 4, pos);
    *pos++ = '-';
    pos = WriteHexNumber(m_data3, 4, pos);
    *pos++ = '-';
    pos = WriteHexBytes(m_data4, 2, pos);
    *pos++ = '-';
    pos = WriteHexBytes(m_data4 + 2, 6, pos);
    if (in_terminate)
    {
        *pos = '\0';
    }
}

std::string TDWGuidValue::ToString() const
{
    std::string text(TEXT_LENGTH, '\0');
    ToChars(&text[0], false);
    return text;
}

bool TDWGuidValue::operator==(const TDWGuidValue& in_other) const
{
    return m_data1 == in_other.m_data1 && m_data2 == in_other.m_data2 && m_data3 == in_other.m_data3
        && m_isValid == in_other.m_isValid && std::memcmp(m_data4, in_other.m_data4, sizeof(m_data4)) == 0;
}

} // namespace Support
} // namespace Orvik
