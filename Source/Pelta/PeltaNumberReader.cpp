#include "Pelta/PeltaNumberReader.h"

#include "Pelta/PeltaReplyCell.h"
#include "Support/NumberConverter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace Pelta {

namespace {

// The powers of ten a double holds exactly: a product or quotient of one of them and an exact
// integer is rounded once, correctly.
constexpr double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                          1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MAX_EXACT_POWER = 22;

// Every integer up to this one is a double exactly.
constexpr uint64_t MAX_EXACT_MANTISSA = uint64_t(1) << 53;

// So many decimal digits never overflow 64 bits.
constexpr ptrdiff_t MAX_SAFE_DIGITS = 19;

constexpr uint64_t INT64_MAGNITUDE_LIMIT = uint64_t(std::numeric_limits<int64_t>::max()) + 1;

bool IsDigit(char in_char)
{
    return static_cast<unsigned char>(in_char - '0') < 10;
}

// The digits from in_text on added to io_value; returns the end of the digits.
const char* AddDigits(const char* in_text, uint64_t& io_value)
{
    uint64_t value = io_value;
    const char* p = in_text;
    for (unsigned digit; (digit = static_cast<unsigned char>(*p) - unsigned('0')) < 10; ++p)
    {
        value = value * 10 + digit;
    }
    io_value = value;
    return p;
}

// The general path for a number with a fraction or an exponent, or an integer too wide for the
// fast path: the first of signed, unsigned and double that reads the text.
bool ReadGeneral(const char* in_text, const char* in_end, bool in_isInteger, PeltaReplyCell& out_cell)
{
    if (in_isInteger)
    {
        int64_t signedValue = 0;
        if (std::from_chars(in_text, in_end, signedValue).ec == std::errc())
        {
            out_cell = PeltaReplyCell::FromInt64(signedValue);
            return true;
        }
        uint64_t unsignedValue = 0;
        if (std::from_chars(in_text, in_end, unsignedValue).ec == std::errc())
        {
            out_cell = PeltaReplyCell{PeltaReplyCell::UNSIGNED, unsignedValue};
            return true;
        }
    }
    double value = 0;
    const std::errc error = std::from_chars(in_text, in_end, value).ec;
    if (error == std::errc::result_out_of_range)
    {
        // from_chars refuses a number that rounds to zero as well as one beyond the largest
        // double; only the latter has no value.
        value = Orvik::Support::NumberConverter::ParseDouble(std::string(in_text, in_end).c_str());
    }
    else if (error != std::errc())
    {
        return false;
    }
    out_cell = PeltaReplyCell::FromDouble(value);
    return !std::isinf(value);
}

// An integer of at most MAX_SAFE_DIGITS digits, whose magnitude did not overflow.
bool ReadNarrowInteger(uint64_t in_magnitude, bool in_isNegative, PeltaReplyCell& out_cell)
{
    if (!in_isNegative)
    {
        out_cell = in_magnitude <= uint64_t(std::numeric_limits<int64_t>::max())
                       ? PeltaReplyCell::FromInt64(static_cast<int64_t>(in_magnitude))
                       : PeltaReplyCell{PeltaReplyCell::UNSIGNED, in_magnitude};
        return true;
    }
    if (in_magnitude > INT64_MAGNITUDE_LIMIT)
    {
        return false;
    }
    out_cell = PeltaReplyCell{PeltaReplyCell::INTEGER, 0 - in_magnitude};
    return true;
}

} // namespace

PeltaNumberReader::Outcome PeltaNumberReader::ReadPlain(const char* in_text, size_t& out_length, PeltaReplyCell& out_cell)
{
    // One pass checks the grammar and gathers the digits, the place of the decimal point and
    // the exponent; what the fast paths cannot read exactly goes to the general path.
    const char* p = in_text;
    const bool isNegative = *p == '-';
    p += isNegative ? 1 : 0;
    const char* const integerStart = p;
    uint64_t mantissa = 0;
    if (*p == '0')
    {
        ++p; // a leading zero stands alone
    }
    else
    {
        p = AddDigits(p, mantissa);
    }
    const ptrdiff_t integerDigits = p - integerStart;
    if (integerDigits == 0 || integerDigits >= MAX_PLAIN_INTEGER_DIGITS)
    {
        return NOT_PLAIN;
    }
    if (*p != '.' && *p != 'e' && *p != 'E')
    {
        out_length = static_cast<size_t>(p - in_text);
        if (integerDigits <= MAX_SAFE_DIGITS && ReadNarrowInteger(mantissa, isNegative, out_cell))
        {
            return READ;
        }
        return ReadGeneral(in_text, p, true, out_cell) ? READ : OUT_OF_RANGE;
    }

    ptrdiff_t fractionDigits = 0;
    if (*p == '.')
    {
        const char* const fractionStart = ++p;
        p = AddDigits(p, mantissa);
        fractionDigits = p - fractionStart;
        if (fractionDigits == 0)
        {
            return NOT_PLAIN;
        }
    }
    int exponent = 0;
    if (*p == 'e' || *p == 'E')
    {
        ++p;
        const bool isExponentNegative = *p == '-';
        p += *p == '-' || *p == '+' ? 1 : 0;
        const char* const exponentStart = p;
        for (; IsDigit(*p); ++p)
        {
            exponent = exponent * 10 + (*p - '0');
            if (p - exponentStart >= MAX_PLAIN_EXPONENT_DIGITS)
            {
                return NOT_PLAIN;
            }
        }
        if (p == exponentStart)
        {
            return NOT_PLAIN;
        }
        exponent = isExponentNegative ? -exponent : exponent;
    }
    out_length = static_cast<size_t>(p - in_text);
    const ptrdiff_t power = exponent - fractionDigits;
    if (integerDigits + fractionDigits > MAX_SAFE_DIGITS || mantissa > MAX_EXACT_MANTISSA || power < -MAX_EXACT_POWER
        || power > MAX_EXACT_POWER)
    {
        return ReadGeneral(in_text, p, false, out_cell) ? READ : OUT_OF_RANGE;
    }
    double value = static_cast<double>(mantissa);
    value = power < 0 ? value / EXACT_POWERS_OF_TEN[-power] : value * EXACT_POWERS_OF_TEN[power];
    out_cell = PeltaReplyCell::FromDouble(isNegative ? -value : value);
    return READ;
}

bool PeltaNumberReader::Read(const char* in_text, size_t in_length, PeltaReplyCell& out_cell)
{
    const char* const end = in_text + in_length;
    const bool isInteger = std::find_if(in_text, end, [](char c) { return c == '.' || c == 'e' || c == 'E'; }) == end;
    return ReadGeneral(in_text, end, isInteger, out_cell);
}

} // namespace Pelta
