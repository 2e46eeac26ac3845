#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "TDWNumericMagnitude.h"

#include "Support/NumberConverter.h"
#include "Support/SupportException.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <type_traits>

namespace Orvik {
namespace Support {

namespace {

/// Data words a value may use below its sign word.
constexpr uint32_t MAX_DATA_WORDS = TDWNumeric::MAX_WORDS - 1;

[[noreturn]] void Raise(SupportErrorCode in_code, const orvik_wstring& in_parameter)
{
    throw SupportException(SupportError(in_code), {in_parameter});
}

bool IsDigit(char in_char)
{
    return in_char >= '0' && in_char <= '9';
}

uint32_t DigitsValue(const char* in_digits, uint32_t in_count)
{
    uint32_t value = 0;
    for (uint32_t i = 0; i < in_count; ++i)
    {
        value = value * 10 + static_cast<uint32_t>(in_digits[i] - '0');
    }
    return value;
}

} // namespace

TDWNumericMagnitude TDWNumeric::LoadMagnitude() const
{
    TDWNumericMagnitude magnitude;
    bool negative = IsNegative();
    uint32_t borrow = 1;
    for (uint32_t i = 0; i < m_wordCount; ++i)
    {
        uint32_t word = m_words[i];
        if (negative)
        {
            word = (~word & 0xFFFF) + borrow;
            borrow = word >> TDWNumericMagnitude::WORD_BITS;
        }
        magnitude.SetWord(i, static_cast<uint16_t>(word));
    }
    return magnitude;
}

void TDWNumeric::StoreMagnitude(const TDWNumericMagnitude& in_magnitude, bool in_isNegative)
{
    if (in_magnitude.GetSize() > MAX_DATA_WORDS)
    {
        SetInvalid();
        return;
    }
    m_invalid = 0;
    m_wordCount = static_cast<uint16_t>(std::max(in_magnitude.GetSize() + 1, 2u));
    std::memset(m_words, 0, sizeof(m_words));
    uint32_t carry = 1;
    for (uint32_t i = 0; i < m_wordCount; ++i)
    {
        uint32_t word = (i < in_magnitude.GetSize()) ? in_magnitude.GetWord(i) : 0;
        if (in_isNegative && !in_magnitude.IsZero())
        {
            word = (~word & 0xFFFF) + carry;
            carry = word >> TDWNumericMagnitude::WORD_BITS;
        }
        m_words[i] = static_cast<uint16_t>(word);
    }
    // A negative value's top data word may already be all sign bits.
    while (m_wordCount > 2 && m_words[m_wordCount - 2] == m_words[m_wordCount - 1])
    {
        m_words[--m_wordCount] = 0;
    }
}

void TDWNumeric::SetInvalid()
{
    *this = TDWNumeric();
    m_invalid = 1;
}

TDWNumeric::TDWNumeric(int8_t in_value) : TDWNumeric(static_cast<int64_t>(in_value)) {}
TDWNumeric::TDWNumeric(uint8_t in_value) : TDWNumeric(static_cast<uint64_t>(in_value)) {}
TDWNumeric::TDWNumeric(int16_t in_value) : TDWNumeric(static_cast<int64_t>(in_value)) {}
TDWNumeric::TDWNumeric(uint16_t in_value) : TDWNumeric(static_cast<uint64_t>(in_value)) {}
TDWNumeric::TDWNumeric(int32_t in_value) : TDWNumeric(static_cast<int64_t>(in_value)) {}
TDWNumeric::TDWNumeric(uint32_t in_value) : TDWNumeric(static_cast<uint64_t>(in_value)) {}

TDWNumeric::TDWNumeric(int64_t in_value)
{
    // The magnitude of the most negative value has no signed form; take it unsigned.
    uint64_t magnitude = static_cast<uint64_t>(in_value);
    if (in_value < 0)
    {
        magnitude = 0 - magnitude;
    }
    StoreMagnitude(TDWNumericMagnitude(magnitude), in_value < 0);
}

TDWNumeric::TDWNumeric(uint64_t in_value)
{
    StoreMagnitude(TDWNumericMagnitude(in_value), false);
}

TDWNumeric::TDWNumeric(float in_value)
{
    SetSingle(in_value);
    if (!IsValid())
    {
        Raise(SupportErrorCode::TDWNumericValueError, NumberConverter::ConvertFloatToString(in_value));
    }
}

TDWNumeric::TDWNumeric(double in_value)
{
    SetDouble(in_value);
    if (!IsValid())
    {
        Raise(SupportErrorCode::TDWNumericValueError, NumberConverter::ConvertDoubleToString(in_value));
    }
}

TDWNumeric::TDWNumeric(const char* in_text, size_t in_length, bool in_throwOnError)
{
    Parse(in_text, in_length, in_throwOnError);
}

TDWNumeric::TDWNumeric(const char* in_text, bool in_throwOnError)
{
    Parse(in_text, (in_text == nullptr) ? 0 : std::strlen(in_text), in_throwOnError);
}

namespace {

/// The pieces of a decimal text: its significant digit run (which may hold the point), the
/// count of digits in it, the power of ten it is to be multiplied by, and the sign.
struct DecimalText
{
    const char* m_digits = nullptr;
    uint32_t m_digitCount = 0;
    int32_t m_exponent = 0;
    bool m_isNegative = false;
};

/// Reads an optionally signed 16-bit decimal integer that spans the whole text.
bool ParseExponent(const char* in_text, size_t in_length, int32_t& out_value)
{
    size_t pos = 0;
    bool negative = false;
    if (pos < in_length && (in_text[pos] == '-' || in_text[pos] == '+'))
    {
        negative = in_text[pos++] == '-';
    }
    if (pos == in_length)
    {
        return false;
    }
    int32_t value = 0;
    for (; pos < in_length; ++pos)
    {
        if (!IsDigit(in_text[pos]))
        {
            return false;
        }
        value = value * 10 + (in_text[pos] - '0');
        if (value > 32768)
        {
            return false;
        }
    }
    out_value = negative ? -value : value;
    return out_value <= std::numeric_limits<int16_t>::max();
}

/// Splits a decimal text into its pieces; false when it is not a number.
bool SplitDecimalText(const char* in_text, size_t in_length, DecimalText& out_parts)
{
    const char* end = in_text + in_length;
    const char* pos = in_text;
    if (pos < end && (*pos == '-' || *pos == '+'))
    {
        out_parts.m_isNegative = *pos++ == '-';
    }
    const char* lastZero = nullptr;
    const char* point = nullptr;
    for (; pos < end && *pos == '0'; ++pos)
    {
        lastZero = pos;
    }
    // Zeros after the point are skipped too, whether or not any came before it: they only place
    // the first significant digit.
    if (pos < end && *pos == '.')
    {
        point = pos++;
        for (; pos < end && *pos == '0'; ++pos)
        {
            lastZero = pos;
        }
    }
    // Only zeros before the rest: the last of them is the number's single digit.
    const char* run = (lastZero != nullptr && (pos == end || !IsDigit(*pos))) ? lastZero : pos;
    for (; pos < end && (IsDigit(*pos) || *pos == '.'); ++pos)
    {
        if (*pos == '.')
        {
            if (point != nullptr)
            {
                return false;
            }
            point = pos;
        }
    }
    const char* runEnd = pos;
    int32_t exponent = 0;
    if (point == nullptr)
    {
        for (; runEnd - run > 1 && runEnd[-1] == '0'; --runEnd)
        {
            ++exponent;
        }
    }
    else
    {
        int32_t fractionDigits = static_cast<int32_t>(runEnd - point - 1);
        if (fractionDigits > std::numeric_limits<int16_t>::max())
        {
            return false;
        }
        exponent = -fractionDigits;
    }
    out_parts.m_digits = run;
    bool pointInRun = point != nullptr && point >= run;
    out_parts.m_digitCount = static_cast<uint32_t>(runEnd - run) - (pointInRun ? 1 : 0);
    if (out_parts.m_digitCount < 1 || out_parts.m_digitCount > TDWNumeric::MAX_PARSED_DIGITS)
    {
        return false;
    }
    if (pos < end)
    {
        int32_t written = 0;
        size_t rest = static_cast<size_t>(end - pos - 1);
        if ((*pos != 'E' && *pos != 'e') || !ParseExponent(pos + 1, rest, written))
        {
            return false;
        }
        exponent += written;
    }
    out_parts.m_exponent = exponent;
    return exponent >= std::numeric_limits<int16_t>::min()
        && exponent <= std::numeric_limits<int16_t>::max();
}

} // namespace

void TDWNumeric::Parse(const char* in_text, size_t in_length, bool in_throwOnError)
{
    DecimalText parts;
    if (in_text == nullptr || in_length == 0 || !SplitDecimalText(in_text, in_length, parts))
    {
        SetInvalid();
        if (in_throwOnError)
        {
            int32_t length = static_cast<int32_t>(std::min<size_t>(in_length, INT32_MAX));
            Raise(SupportErrorCode::TDWNumericStringError, orvik_wstring(in_text, length));
        }
        return;
    }
    // The digits without the point: nine at once, then four at a time.
    char digits[MAX_PARSED_DIGITS];
    uint32_t count = 0;
    for (const char* pos = parts.m_digits; count < parts.m_digitCount; ++pos)
    {
        if (*pos != '.')
        {
            digits[count++] = *pos;
        }
    }
    uint32_t first = std::min(count, 9u);
    TDWNumericMagnitude magnitude(DigitsValue(digits, first));
    for (uint32_t pos = first; pos < count; pos += 4)
    {
        uint32_t group = std::min(count - pos, 4u);
        uint16_t value = static_cast<uint16_t>(DigitsValue(digits + pos, group));
        magnitude.MultiplyAdd(TDWNumericMagnitude::PowerOfTen(group), value);
    }
    StoreMagnitude(magnitude, parts.m_isNegative);
    if (IsValid())
    {
        m_exponent = static_cast<int16_t>(parts.m_exponent);
    }
}

namespace {

/// Room for the shortest text of any float or double, at most 24 characters such as
/// "-2.2250738585072014e-308".
constexpr size_t SHORTEST_TEXT_SIZE = 32;

/// The value of the shortest decimal text that reads back as in_value, which must be finite.
/// An integer is brought back to exponent 0 where its digits fit, so that 100.0 is 100 with
/// scale 0 rather than 1E2 (the parse moves trailing zeros into the exponent).
template <typename Floating>
void ReadShortestText(Floating in_value, TDWNumeric& out_value)
{
    // Shortest in significant digits: written plainly where that takes fewer characters, a
    // large whole float or double would bring every digit of its binary value along (the float
    // 1.2345679E11 as 123456790528 rather than 123456790000).
    char text[SHORTEST_TEXT_SIZE];
    const std::to_chars_result written = std::to_chars(text, text + sizeof(text), in_value, std::chars_format::scientific);
    out_value.Parse(text, static_cast<size_t>(written.ptr - text), false);
    if (out_value.GetExponent() > 0)
    {
        TDWNumeric whole(out_value);
        whole.ScaleUp(whole.GetExponent());
        if (whole.IsValid())
        {
            out_value = whole;
        }
    }
}

} // namespace

// The shortest text, not the exact binary value: a float or double stands for the decimal it
// was written as, so 2.5 keeps scale 1 and 0.1 is 0.1 rather than 0.1000000000000000055511.
void TDWNumeric::SetSingle(float in_value)
{
    if (!std::isfinite(in_value))
    {
        SetInvalid();
        return;
    }
    ReadShortestText(in_value, *this);
}

void TDWNumeric::SetDouble(double in_value)
{
    if (!std::isfinite(in_value))
    {
        SetInvalid();
        return;
    }
    ReadShortestText(in_value, *this);
}

void TDWNumeric::RequireValid(const char* in_operation) const
{
    if (!IsValid())
    {
        Raise(SupportErrorCode::TDWNumericArithmeticError, in_operation);
    }
}

bool TDWNumeric::GetIntegerPart(uint64_t& out_magnitude) const
{
    TDWNumeric copy = *this;
    if (copy.m_exponent < 0)
    {
        copy.ScaleDown(-copy.m_exponent);
    }
    else if (copy.m_exponent > 0)
    {
        copy.ScaleUp(copy.m_exponent);
    }
    TDWNumericMagnitude magnitude = copy.LoadMagnitude();
    if (!copy.IsValid() || magnitude.GetSize() > 4)
    {
        return false;
    }
    out_magnitude = 0;
    for (uint32_t i = magnitude.GetSize(); i-- > 0;)
    {
        out_magnitude = (out_magnitude << TDWNumericMagnitude::WORD_BITS) | magnitude.GetWord(i);
    }
    return true;
}

template <typename T>
T TDWNumeric::GetInteger(const char* in_operation, bool& out_overflow) const
{
    RequireValid(in_operation);
    uint64_t magnitude = 0;
    bool negative = IsNegative();
    out_overflow = !GetIntegerPart(magnitude);
    if constexpr (std::is_unsigned<T>::value)
    {
        // The sign is judged after truncation: a value between -1 and 0 becomes 0, which fits.
        out_overflow = out_overflow || (negative && magnitude != 0) || magnitude > std::numeric_limits<T>::max();
        return static_cast<T>(magnitude);
    }
    else
    {
        uint64_t limit = static_cast<uint64_t>(std::numeric_limits<T>::max()) + (negative ? 1 : 0);
        out_overflow = out_overflow || magnitude > limit;
        return static_cast<T>(negative ? 0 - magnitude : magnitude);
    }
}

int8_t TDWNumeric::GetInt8(bool& out_overflow) const
{
    return GetInteger<int8_t>("GetInt8", out_overflow);
}

int16_t TDWNumeric::GetInt16(bool& out_overflow) const
{
    return GetInteger<int16_t>("GetInt16", out_overflow);
}

int32_t TDWNumeric::GetInt32(bool& out_overflow) const
{
    return GetInteger<int32_t>("GetInt32", out_overflow);
}

int64_t TDWNumeric::GetInt64(bool& out_overflow) const
{
    return GetInteger<int64_t>("GetInt64", out_overflow);
}

uint8_t TDWNumeric::GetUInt8(bool& out_overflow) const
{
    return GetInteger<uint8_t>("GetUInt8", out_overflow);
}

uint16_t TDWNumeric::GetUInt16(bool& out_overflow) const
{
    return GetInteger<uint16_t>("GetUInt16", out_overflow);
}

uint32_t TDWNumeric::GetUInt32(bool& out_overflow) const
{
    return GetInteger<uint32_t>("GetUInt32", out_overflow);
}

uint64_t TDWNumeric::GetUInt64(bool& out_overflow) const
{
    return GetInteger<uint64_t>("GetUInt64", out_overflow);
}

double TDWNumeric::GetDouble(bool& out_overflow) const
{
    RequireValid("GetDouble");
    // Sign, up to 73 digits, "e", sign, 5 digits and the NUL.
    char text[88];
    char* pos = text;
    if (IsNegative())
    {
        *pos++ = '-';
    }
    TDWNumericMagnitude magnitude = LoadMagnitude();
    uint32_t digits = std::max(magnitude.CountDigits(), 1u);
    for (uint32_t i = digits; i-- > 0;)
    {
        pos[i] = static_cast<char>('0' + magnitude.Divide(10));
    }
    pos += digits;
    *pos++ = 'e';
    std::snprintf(pos, static_cast<size_t>(text + sizeof(text) - pos), "%d", m_exponent);
    // Correctly rounded whatever rounding mode and locale the host application set.
    double value = NumberConverter::ParseDouble(text);
    out_overflow = std::isinf(value);
    return value;
}

float TDWNumeric::GetSingle(bool& out_overflow) const
{
    RequireValid("GetSingle");
    bool doubleOverflow = false;
    float value = static_cast<float>(GetDouble(doubleOverflow));
    out_overflow = std::isinf(value);
    return value;
}

int32_t TDWNumeric::GetPrecision() const
{
    if (!IsValid())
    {
        Raise(SupportErrorCode::TDWNumericOperationOnInvalid, "GetPrecision");
    }
    int32_t digits = static_cast<int32_t>(LoadMagnitude().CountDigits());
    if (m_exponent < 0)
    {
        return std::max(digits, -static_cast<int32_t>(m_exponent));
    }
    // A zero has no significant digit for its exponent to follow: 0e5 is as precise as 0.
    return (digits == 0) ? 0 : digits + m_exponent;
}

bool TDWNumeric::HasFraction() const
{
    RequireValid("HasFraction");
    if (m_exponent >= 0)
    {
        return false;
    }
    TDWNumericMagnitude magnitude = LoadMagnitude();
    for (int32_t i = 0; i < -m_exponent && !magnitude.IsZero(); ++i)
    {
        if (magnitude.Divide(10) != 0)
        {
            return true;
        }
    }
    return false;
}

void TDWNumeric::Negate()
{
    RequireValid("Negate");
    int16_t exponent = m_exponent;
    StoreMagnitude(LoadMagnitude(), !IsNegative());
    m_exponent = IsValid() ? exponent : 0;
}

void TDWNumeric::Round(int16_t in_places)
{
    RequireValid("Round");
    int32_t dropped = -static_cast<int32_t>(in_places) - m_exponent;
    if (dropped < 1)
    {
        return;
    }
    if (-static_cast<int32_t>(in_places) > MAX_SCALED_EXPONENT)
    {
        SetInvalid();
        return;
    }
    bool negative = IsNegative();
    bool droppedNonZero = false;
    uint16_t divisor = 1;
    TDWNumericMagnitude magnitude = LoadMagnitude();
    uint32_t digits = static_cast<uint32_t>(dropped);
    uint16_t remainder = magnitude.DivideByPowerOfTen(digits, divisor, droppedNonZero);
    if (remainder / (divisor / 10) >= 5)
    {
        magnitude.MultiplyAdd(1, 1);
    }
    StoreMagnitude(magnitude, negative);
    m_exponent = static_cast<int16_t>(-in_places);
}

bool TDWNumeric::ScaleDown(int32_t in_digits)
{
    if (in_digits <= 0 || !IsValid())
    {
        return false;
    }
    if (in_digits > MAX_SCALED_EXPONENT - m_exponent)
    {
        SetInvalid();
        return false;
    }
    bool droppedNonZero = false;
    uint16_t divisor = 1;
    TDWNumericMagnitude magnitude = LoadMagnitude();
    magnitude.DivideByPowerOfTen(static_cast<uint32_t>(in_digits), divisor, droppedNonZero);
    int16_t exponent = static_cast<int16_t>(m_exponent + in_digits);
    StoreMagnitude(magnitude, IsNegative());
    m_exponent = exponent;
    return droppedNonZero;
}

void TDWNumeric::ScaleUp(int32_t in_digits)
{
    if (in_digits <= 0 || !IsValid())
    {
        return;
    }
    TDWNumericMagnitude magnitude = LoadMagnitude();
    if (in_digits > m_exponent - MIN_SCALED_EXPONENT
        || !magnitude.MultiplyByPowerOfTen(static_cast<uint32_t>(in_digits), MAX_DATA_WORDS))
    {
        SetInvalid();
        return;
    }
    int16_t exponent = static_cast<int16_t>(m_exponent - in_digits);
    StoreMagnitude(magnitude, IsNegative());
    m_exponent = exponent;
}

bool TDWNumeric::ToChars(uint32_t in_width, char* out_buffer, uint32_t& out_leading) const
{
    if (!IsValid())
    {
        return false;
    }
    uint32_t pos = in_width;
    for (int32_t zeros = m_exponent; zeros > 0 && pos > 0; --zeros)
    {
        out_buffer[--pos] = '0';
    }
    TDWNumericMagnitude magnitude = LoadMagnitude();
    do
    {
        // Four digits a group; the most significant group stops at its last non-zero digit.
        uint16_t group = magnitude.Divide(10000);
        bool mostSignificant = magnitude.IsZero();
        for (int i = 0; i < 4 && pos > 0 && !(mostSignificant && group == 0 && i > 0); ++i)
        {
            out_buffer[--pos] = static_cast<char>('0' + group % 10);
            group = static_cast<uint16_t>(group / 10);
        }
    } while (!magnitude.IsZero() && pos > 0);
    out_leading = pos;
    std::memset(out_buffer, '0', pos);
    return true;
}

bool TDWNumeric::GetMagnitudeBytes(uint8_t* out_bytes, size_t in_byteCount) const
{
    TDWNumericMagnitude magnitude = LoadMagnitude();
    if ((magnitude.GetBitLength() + 7) / 8 > in_byteCount)
    {
        return false;
    }
    for (size_t i = 0; i < in_byteCount; ++i)
    {
        uint16_t word = (i / 2 < magnitude.GetSize()) ? magnitude.GetWord(static_cast<uint32_t>(i / 2)) : 0;
        out_bytes[i] = static_cast<uint8_t>(word >> (8 * (i % 2)));
    }
    return true;
}

TDWNumeric TDWNumeric::FromMagnitudeBytes(
    const uint8_t* in_bytes,
    size_t in_byteCount,
    int16_t in_exponent,
    bool in_isNegative)
{
    TDWNumericMagnitude magnitude;
    for (size_t i = in_byteCount; i-- > 0;)
    {
        magnitude.MultiplyAdd(256, in_bytes[i]);
        if (magnitude.GetSize() > MAX_DATA_WORDS)
        {
            break;
        }
    }
    TDWNumeric value;
    value.StoreMagnitude(magnitude, in_isNegative);
    if (value.IsValid())
    {
        value.m_exponent = in_exponent;
    }
    return value;
}

const TDWNumeric& TDWNumeric::Zero()
{
    static const TDWNumeric s_zero("0", true);
    return s_zero;
}

const TDWNumeric& TDWNumeric::One()
{
    static const TDWNumeric s_one("1", true);
    return s_one;
}

const TDWNumeric& TDWNumeric::Two()
{
    static const TDWNumeric s_two("2", true);
    return s_two;
}

TDWNumeric::Comparison TDWNumeric::Compare(const TDWNumeric& in_left, const TDWNumeric& in_right)
{
    bool negative = in_left.IsNegative();
    if (negative != in_right.IsNegative())
    {
        return negative ? Comparison::LESS : Comparison::GREATER;
    }
    TDWNumericMagnitude left = in_left.LoadMagnitude();
    TDWNumericMagnitude right = in_right.LoadMagnitude();
    int order = 0;
    if (left.IsZero() || right.IsZero())
    {
        order = TDWNumericMagnitude::Compare(left, right);
    }
    else
    {
        // Integers of at most 240 bits: an exponent 80 or more above the other's always wins,
        // and a smaller difference fits the working width exactly.
        constexpr int32_t DECISIVE_DIGITS = 80;
        int32_t difference = in_left.m_exponent - in_right.m_exponent;
        if (difference >= DECISIVE_DIGITS || difference <= -DECISIVE_DIGITS)
        {
            order = (difference > 0) ? 1 : -1;
        }
        else
        {
            TDWNumericMagnitude& larger = (difference > 0) ? left : right;
            uint32_t digits = static_cast<uint32_t>(std::abs(difference));
            larger.MultiplyByPowerOfTen(digits, TDWNumericMagnitude::CAPACITY);
            order = TDWNumericMagnitude::Compare(left, right);
        }
    }
    if (negative)
    {
        order = -order;
    }
    return (order < 0) ? Comparison::LESS : (order > 0) ? Comparison::GREATER : Comparison::EQUAL;
}

bool TDWNumeric::operator==(const TDWNumeric& in_other) const
{
    return Compare(*this, in_other) == Comparison::EQUAL;
}

bool TDWNumeric::operator<=(const TDWNumeric& in_other) const
{
    return Compare(*this, in_other) != Comparison::GREATER;
}

bool TDWNumeric::operator>(const TDWNumeric& in_other) const
{
    return Compare(*this, in_other) == Comparison::GREATER;
}

} // namespace Support
} // namespace Orvik
