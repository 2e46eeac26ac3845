// Exact decimals: texts parsed against a reference reader of the decimal syntax, the value read
// back as digits, integers, doubles and magnitude bytes against plain decimal arithmetic,
// rounding and comparison against the same, and doubles and floats taken in as their shortest
// decimal, found by the C library, and read back.

#include "FuzzSupport.h"

#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using Orvik::Support::TDWNumeric;

namespace {

/// A decimal in its plainest form: sign, significant digits without leading or trailing zeros
/// (empty for zero), and the power of ten they are multiplied by.
struct Decimal
{
    bool negative = false;
    std::string digits;
    int64_t exponent = 0;

    std::string Show() const { return (negative ? "-" : "") + (digits.empty() ? "0" : digits) + "E" + std::to_string(exponent); }
};

Decimal Normalized(bool in_negative, const std::string& in_digits, int64_t in_exponent)
{
    Decimal value;
    const size_t first = in_digits.find_first_not_of('0');
    if (first == std::string::npos)
    {
        return value;
    }
    const size_t last = in_digits.find_last_not_of('0');
    value.negative = in_negative;
    value.digits = in_digits.substr(first, last - first + 1);
    value.exponent = in_exponent + static_cast<int64_t>(in_digits.size() - last - 1);
    return value;
}

bool operator==(const Decimal& in_left, const Decimal& in_right)
{
    return in_left.negative == in_right.negative && in_left.digits == in_right.digits && in_left.exponent == in_right.exponent;
}

bool IsDigit(char in_char)
{
    return in_char >= '0' && in_char <= '9';
}

/// The decimal syntax: a sign, digits with at most one point, 1 to 72 significant digits
/// (trailing zeros of a fraction count, those of an integer do not), an exponent of 16 bits;
/// the power of ten left for the digits must fit 16 bits too.
bool ReferenceParse(const std::string& in_text, Decimal& out_value)
{
    size_t p = 0;
    const bool negative = !in_text.empty() && in_text[0] == '-';
    if (!in_text.empty() && (in_text[0] == '-' || in_text[0] == '+'))
    {
        ++p;
    }
    std::string run;
    bool point = false;
    int64_t fraction = 0;
    for (; p < in_text.size() && (IsDigit(in_text[p]) || in_text[p] == '.'); ++p)
    {
        if (in_text[p] == '.')
        {
            if (point)
            {
                return false;
            }
            point = true;
            continue;
        }
        run.push_back(in_text[p]);
        fraction += point;
    }
    if (run.empty() || fraction > 32767)
    {
        return false;
    }
    const size_t first = run.find_first_not_of('0');
    std::string significant = first == std::string::npos ? "0" : run.substr(first);
    int64_t exponent = -fraction;
    if (!point)
    {
        while (significant.size() > 1 && significant.back() == '0')
        {
            significant.pop_back();
            ++exponent;
        }
    }
    if (significant.size() > TDWNumeric::MAX_PARSED_DIGITS)
    {
        return false;
    }
    if (p < in_text.size())
    {
        if (in_text[p] != 'E' && in_text[p] != 'e')
        {
            return false;
        }
        size_t q = p + 1;
        const bool negativeExponent = q < in_text.size() && in_text[q] == '-';
        if (q < in_text.size() && (in_text[q] == '-' || in_text[q] == '+'))
        {
            ++q;
        }
        if (q == in_text.size())
        {
            return false;
        }
        int64_t written = 0;
        for (; q < in_text.size(); ++q)
        {
            if (!IsDigit(in_text[q]) || written > 100000)
            {
                return false;
            }
            written = written * 10 + (in_text[q] - '0');
        }
        written = negativeExponent ? -written : written;
        if (written < -32768 || written > 32767)
        {
            return false;
        }
        exponent += written;
    }
    if (exponent < -32768 || exponent > 32767)
    {
        return false;
    }
    out_value = Normalized(negative, significant, exponent);
    return true;
}

/// The digits ToChars writes into exactly in_width characters, and the index it reports.
std::string Render(const TDWNumeric& in_value, uint32_t in_width, uint32_t& out_leading)
{
    std::unique_ptr<char[]> buffer(new char[in_width]);
    out_leading = ~0u;
    FUZZ_CHECK(in_value.ToChars(in_width, buffer.get(), out_leading), "ToChars refused a valid value");
    return std::string(buffer.get(), in_width);
}

/// The value as a Decimal, read through ToChars, the sign and the exponent.
Decimal Read(const TDWNumeric& in_value)
{
    const uint32_t width = 80 + static_cast<uint32_t>(std::max<int>(in_value.GetExponent(), 0));
    uint32_t leading = 0;
    const std::string digits = Render(in_value, width, leading);
    FUZZ_CHECK(digits.find_first_not_of("0123456789") == std::string::npos, "ToChars wrote a non-digit");
    return Normalized(in_value.IsNegative(), digits, std::min<int64_t>(in_value.GetExponent(), 0));
}

/// The value truncated toward zero, saturated far beyond every integer type.
__int128 Truncated(const Decimal& in_value)
{
    const int64_t integerDigits = static_cast<int64_t>(in_value.digits.size()) + in_value.exponent;
    if (integerDigits > 30)
    {
        return in_value.negative ? -(static_cast<__int128>(1) << 120) : (static_cast<__int128>(1) << 120);
    }
    __int128 magnitude = 0;
    for (int64_t i = 0; i < integerDigits; ++i)
    {
        magnitude = magnitude * 10 + (i < static_cast<int64_t>(in_value.digits.size()) ? in_value.digits[i] - '0' : 0);
    }
    return in_value.negative ? -magnitude : magnitude;
}

template <typename T>
void CheckGet(const TDWNumeric& in_value, const Decimal& in_expected, T (TDWNumeric::*in_get)(bool&) const, const char* in_name)
{
    const __int128 truncated = Truncated(in_expected);
    // The truncated value alone decides: -0.5 is 0, which the unsigned types hold too.
    const bool overflows = truncated < std::numeric_limits<T>::min() || truncated > std::numeric_limits<T>::max();
    bool overflow = false;
    const T value = (in_value.*in_get)(overflow);
    FUZZ_CHECK(overflow == overflows, in_expected.Show() + " " + in_name + " overflow flag");
    FUZZ_CHECK(overflows || static_cast<__int128>(value) == truncated, in_expected.Show() + " " + in_name + " value");
}

void CheckIntegers(const TDWNumeric& in_value, const Decimal& in_expected)
{
    CheckGet(in_value, in_expected, &TDWNumeric::GetInt8, "GetInt8");
    CheckGet(in_value, in_expected, &TDWNumeric::GetInt16, "GetInt16");
    CheckGet(in_value, in_expected, &TDWNumeric::GetInt32, "GetInt32");
    CheckGet(in_value, in_expected, &TDWNumeric::GetInt64, "GetInt64");
    CheckGet(in_value, in_expected, &TDWNumeric::GetUInt8, "GetUInt8");
    CheckGet(in_value, in_expected, &TDWNumeric::GetUInt16, "GetUInt16");
    CheckGet(in_value, in_expected, &TDWNumeric::GetUInt32, "GetUInt32");
    CheckGet(in_value, in_expected, &TDWNumeric::GetUInt64, "GetUInt64");
}

void CheckDouble(const TDWNumeric& in_value, const Decimal& in_expected)
{
    const double nearest = std::strtod(in_expected.Show().c_str(), nullptr);
    bool overflow = false;
    const double value = in_value.GetDouble(overflow);
    FUZZ_CHECK(overflow == std::isinf(value), in_expected.Show() + ": the overflow flag is not the infinity");
    const double magnitude = std::fabs(nearest);
    if (magnitude >= 1e-290 && magnitude <= 1e300)
    {
        FUZZ_CHECK(std::fabs(value - nearest) <= magnitude * 1e-13, in_expected.Show() + ": GetDouble is far from the value");
    }
    if (in_expected.digits.empty())
    {
        FUZZ_CHECK(value == 0 && !std::signbit(value), "zero read as a double");
    }
}

/// ToChars into every width: the low characters of the widest rendering, "0" fill, and the index
/// of the first significant character.
void CheckRender(const TDWNumeric& in_value, uint32_t in_width)
{
    const uint32_t wide = 80 + static_cast<uint32_t>(std::max<int>(in_value.GetExponent(), 0));
    uint32_t wideLeading = 0;
    const std::string full = Render(in_value, wide, wideLeading);
    const uint32_t width = std::min(in_width, wide);
    uint32_t leading = 0;
    const std::string narrow = Render(in_value, width, leading);
    const uint32_t significant = wide - wideLeading;
    FUZZ_CHECK(narrow == full.substr(wide - width), "ToChars into " + std::to_string(width) + " is not the low part of " + full);
    FUZZ_CHECK(leading == (significant < width ? width - significant : 0), "ToChars leading index into " + std::to_string(width));
}

/// The magnitude as exactly in_bytes bytes and back.
void CheckMagnitudeBytes(const TDWNumeric& in_value, const Decimal& in_expected, size_t in_bytes)
{
    std::unique_ptr<uint8_t[]> bytes(new uint8_t[in_bytes]);
    std::memset(bytes.get(), 0xA5, in_bytes);
    const bool fits = in_value.GetMagnitudeBytes(bytes.get(), in_bytes);
    if (!fits)
    {
        for (size_t i = 0; i < in_bytes; ++i)
        {
            FUZZ_CHECK(bytes[i] == 0xA5, in_expected.Show() + ": a refused magnitude was written");
        }
        return;
    }
    const TDWNumeric back =
        TDWNumeric::FromMagnitudeBytes(bytes.get(), in_bytes, in_value.GetExponent(), in_value.IsNegative());
    FUZZ_CHECK(back.IsValid() && back == in_value && back.GetExponent() == in_value.GetExponent(),
               in_expected.Show() + ": the magnitude bytes do not give the value back");
}

/// Half away from zero at in_places decimals.
Decimal ReferenceRound(const Decimal& in_value, int in_places)
{
    const int64_t keep = static_cast<int64_t>(in_value.digits.size()) + in_value.exponent + in_places;
    if (in_value.exponent >= -in_places || in_value.digits.empty())
    {
        return in_value;
    }
    if (keep < 0)
    {
        return Decimal();
    }
    std::string digits = in_value.digits.substr(0, static_cast<size_t>(keep));
    const bool up = in_value.digits[static_cast<size_t>(keep)] >= '5';
    if (up)
    {
        int64_t i = static_cast<int64_t>(digits.size()) - 1;
        for (; i >= 0 && digits[static_cast<size_t>(i)] == '9'; --i)
        {
            digits[static_cast<size_t>(i)] = '0';
        }
        if (i < 0)
        {
            digits.insert(digits.begin(), '1');
        }
        else
        {
            ++digits[static_cast<size_t>(i)];
        }
    }
    return Normalized(in_value.negative, digits, -in_places);
}

void CheckRound(const TDWNumeric& in_value, const Decimal& in_expected, int16_t in_places)
{
    TDWNumeric rounded = in_value;
    rounded.Round(in_places);
    const bool drops = -static_cast<int32_t>(in_places) - in_value.GetExponent() >= 1;
    const std::string context = in_expected.Show() + " rounded to " + std::to_string(in_places);
    if (drops && -static_cast<int32_t>(in_places) > TDWNumeric::MAX_SCALED_EXPONENT)
    {
        FUZZ_CHECK(!rounded.IsValid(), context + " is valid");
        return;
    }
    FUZZ_CHECK(rounded.IsValid(), context + " is invalid");
    Decimal expected = ReferenceRound(in_expected, in_places);
    Decimal got = Read(rounded);
    // A value rounded to zero keeps no sign.
    FUZZ_CHECK(got == expected, context + " gave " + got.Show() + ", expected " + expected.Show());
}

/// The digits of the stored integer: the significant ones and the zeros its exponent leaves.
int64_t StoredDigits(const TDWNumeric& in_value, const Decimal& in_expected)
{
    if (in_expected.digits.empty())
    {
        return 0;
    }
    return static_cast<int64_t>(in_expected.digits.size()) + in_expected.exponent - in_value.GetExponent();
}

int Sign(const Decimal& in_value)
{
    return in_value.digits.empty() ? 0 : in_value.negative ? -1 : 1;
}

/// -1, 0 or 1 for the exact values.
int ReferenceCompare(const Decimal& in_left, const Decimal& in_right)
{
    if (Sign(in_left) != Sign(in_right))
    {
        return Sign(in_left) < Sign(in_right) ? -1 : 1;
    }
    if (Sign(in_left) == 0)
    {
        return 0;
    }
    const int64_t leftSize = static_cast<int64_t>(in_left.digits.size()) + in_left.exponent;
    const int64_t rightSize = static_cast<int64_t>(in_right.digits.size()) + in_right.exponent;
    int magnitude = leftSize != rightSize ? (leftSize < rightSize ? -1 : 1) : in_left.digits.compare(in_right.digits);
    magnitude = magnitude < 0 ? -1 : magnitude > 0 ? 1 : 0;
    return in_left.negative ? -magnitude : magnitude;
}

int AsInt(TDWNumeric::Comparison in_comparison)
{
    return in_comparison == TDWNumeric::Comparison::LESS ? -1 : in_comparison == TDWNumeric::Comparison::EQUAL ? 0 : 1;
}

void CheckCompare(const TDWNumeric& in_left, const Decimal& in_leftValue, const TDWNumeric& in_right, const Decimal& in_rightValue)
{
    const int forward = AsInt(TDWNumeric::Compare(in_left, in_right));
    const int backward = AsInt(TDWNumeric::Compare(in_right, in_left));
    const std::string context = in_leftValue.Show() + " against " + in_rightValue.Show();
    FUZZ_CHECK(forward == -backward, context + ": the comparison is not antisymmetric");
    FUZZ_CHECK((in_left == in_right) == (forward == 0) && (in_left <= in_right) == (forward <= 0) && (in_left > in_right) == (forward > 0),
               context + ": the operators disagree with Compare");
    // Comparing aligns the operands within 240 bits: exact while the aligned integer fits, and
    // for operands of different signs or equal exponents.
    const int64_t difference = static_cast<int64_t>(in_left.GetExponent()) - in_right.GetExponent();
    const int64_t alignedDigits = difference >= 0 ? StoredDigits(in_left, in_leftValue) + difference
                                                  : StoredDigits(in_right, in_rightValue) - difference;
    const int expected = ReferenceCompare(in_leftValue, in_rightValue);
    if (Sign(in_leftValue) != Sign(in_rightValue) || difference == 0 || alignedDigits <= 60)
    {
        FUZZ_CHECK(forward == expected, context + ": compared " + std::to_string(forward) + ", expected " + std::to_string(expected));
    }
}

/// Significant digits, precision and fraction as the stored integer and exponent give them.
void CheckShape(const TDWNumeric& in_value, const Decimal& in_expected)
{
    const int64_t digits = StoredDigits(in_value, in_expected);
    const int64_t exponent = in_value.GetExponent();
    const int64_t precision = in_expected.digits.empty() ? std::max<int64_t>(-exponent, 0)
                              : exponent >= 0           ? digits + exponent
                                                        : std::max(digits, -exponent);
    FUZZ_CHECK(in_value.GetPrecision() == precision, in_expected.Show() + ": precision " + std::to_string(in_value.GetPrecision()));
    FUZZ_CHECK(in_value.HasFraction() == (in_expected.exponent < 0 && !in_expected.digits.empty()),
               in_expected.Show() + ": HasFraction");
    FUZZ_CHECK(in_value.IsNegative() == in_expected.negative, in_expected.Show() + ": sign");
    TDWNumeric negated = in_value;
    negated.Negate();
    FUZZ_CHECK(negated.IsValid() && Read(negated) == Normalized(!in_expected.negative, in_expected.digits, in_expected.exponent),
               in_expected.Show() + ": negated");
}

void CheckText(const std::string& in_text, FuzzedDataProvider& io_data)
{
    Decimal expected;
    const bool valid = ReferenceParse(in_text, expected);
    const std::unique_ptr<char[]> copy = Fuzz::ExactCopy(in_text);
    const TDWNumeric quiet(copy.get(), in_text.size(), false);
    const std::string context = Fuzz::Show(in_text);
    FUZZ_CHECK(quiet.IsValid() == valid, context + (valid ? " refused" : " accepted"));
    try
    {
        const TDWNumeric raising(copy.get(), in_text.size(), true);
        FUZZ_CHECK(valid, context + " accepted when raising");
    }
    catch (const Orvik::Support::SupportException& e)
    {
        FUZZ_CHECK(!valid && Fuzz::KeyOf(e) == "TDWNumericStringError", context + " raised " + Fuzz::KeyOf(e));
    }
    if (!valid)
    {
        return;
    }
    const Decimal read = Read(quiet);
    FUZZ_CHECK(read == expected, context + " read as " + read.Show() + ", expected " + expected.Show());
    CheckShape(quiet, expected);
    CheckIntegers(quiet, expected);
    CheckDouble(quiet, expected);
    CheckRender(quiet, io_data.ConsumeIntegralInRange<uint32_t>(0, 100));
    CheckMagnitudeBytes(quiet, expected, io_data.ConsumeIntegralInRange<size_t>(0, 40));
    CheckRound(quiet, expected, io_data.ConsumeIntegral<int16_t>());

    // What is read back as digits and exponent parses to the same value.
    const std::string written = (expected.negative ? "-" : "") + (expected.digits.empty() ? "0" : expected.digits) + "E"
                                + std::to_string(expected.exponent);
    if (expected.exponent >= -32768 && expected.exponent <= 32767)
    {
        const TDWNumeric again(written.c_str(), written.size(), false);
        FUZZ_CHECK(again.IsValid() && again == quiet, context + " written as " + written + " does not read back");
    }

    const std::string other = io_data.ConsumeRemainingBytesAsString();
    Decimal otherValue;
    if (ReferenceParse(other, otherValue))
    {
        CheckCompare(quiet, expected, TDWNumeric(other.c_str(), other.size(), false), otherValue);
    }
}

/// The digits of in_digits plus in_step (1 or -1), which must not be all zeros when stepping down.
std::string StepLastDigit(std::string in_digits, int in_step)
{
    size_t i = in_digits.size();
    while (i-- > 0)
    {
        const char limit = in_step > 0 ? '9' : '0';
        if (in_digits[i] != limit)
        {
            in_digits[i] = static_cast<char>(in_digits[i] + in_step);
            return in_digits;
        }
        in_digits[i] = in_step > 0 ? '0' : '9';
    }
    return "1" + in_digits;
}

/// The decimals of fewest significant digits that the C library reads back as in_value (as a
/// float when in_isSingle). For each count of digits from one on: the value correctly rounded to
/// that many, which is the nearest of them, alone when it reads back; else whichever of its two
/// neighbours in the last digit reads back. Zero is zero.
std::vector<Decimal> ShortestDecimals(double in_value, bool in_isSingle)
{
    if (in_value == 0)
    {
        return {Decimal()};
    }
    const bool negative = std::signbit(in_value);
    const auto readsBack = [&](const std::string& in_digits, int64_t in_exponent) {
        const std::string text = (negative ? "-" : "") + in_digits + "e" + std::to_string(in_exponent);
        return in_isSingle ? std::strtof(text.c_str(), nullptr) == static_cast<float>(in_value)
                           : std::strtod(text.c_str(), nullptr) == in_value;
    };
    for (int count = 1; count <= 17; ++count)
    {
        char text[64];
        std::snprintf(text, sizeof(text), "%.*e", count - 1, std::fabs(in_value));
        const std::string written = text;
        const size_t e = written.find('e');
        std::string digits = written.substr(0, e);
        digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
        const int64_t exponent = std::stoll(written.substr(e + 1)) - (count - 1);
        if (readsBack(digits, exponent))
        {
            return {Normalized(negative, digits, exponent)};
        }
        std::vector<Decimal> found;
        for (int step : {-1, 1})
        {
            const std::string neighbour = StepLastDigit(digits, step);
            if (neighbour.find_first_not_of('0') != std::string::npos && readsBack(neighbour, exponent))
            {
                found.push_back(Normalized(negative, neighbour, exponent));
            }
        }
        if (!found.empty())
        {
            return found;
        }
    }
    Fuzz::Fail("a shortest decimal", __FILE__, __LINE__, "no decimal of 17 digits reads back");
}

/// Floating-point values taken in as the shortest decimal that reads back as the same number,
/// by the C library's reading of candidates: that value, its scale (an integer at exponent 0
/// while it fits 72 digits), and the very same number read back.
void CheckFloating(double in_value, bool in_isSingle)
{
    const std::string context = std::to_string(in_value) + (in_isSingle ? " (float)" : "");
    TDWNumeric value;
    try
    {
        value = in_isSingle ? TDWNumeric(static_cast<float>(in_value)) : TDWNumeric(in_value);
        FUZZ_CHECK(std::isfinite(in_value), context + " accepted");
    }
    catch (const Orvik::Support::SupportException& e)
    {
        FUZZ_CHECK(!std::isfinite(in_value) && Fuzz::KeyOf(e) == "TDWNumericValueError", context + " raised " + Fuzz::KeyOf(e));
        return;
    }
    FUZZ_CHECK(value.IsValid(), context + " is invalid");
    const Decimal read = Read(value);
    const std::vector<Decimal> shortest = ShortestDecimals(in_value, in_isSingle);
    std::string expected;
    bool isShortest = false;
    for (const Decimal& candidate : shortest)
    {
        isShortest = isShortest || read == candidate;
        expected += " " + candidate.Show();
    }
    FUZZ_CHECK(isShortest, context + " taken as " + read.Show() + ", expected" + expected);
    const int64_t integerDigits = static_cast<int64_t>(read.digits.size()) + read.exponent;
    const bool isWholeKept = read.exponent >= 0 && integerDigits <= 72;
    FUZZ_CHECK(read.exponent < 0 ? value.GetExponent() == read.exponent
                                 : isWholeKept ? value.GetExponent() == 0
                                               : value.GetExponent() == read.exponent || integerDigits == 73,
               context + " taken as " + read.Show() + " with exponent " + std::to_string(value.GetExponent()));
    bool overflow = false;
    const double back = in_isSingle ? value.GetSingle(overflow) : value.GetDouble(overflow);
    FUZZ_CHECK(!overflow && back == in_value, context + " read back as " + std::to_string(back));
    const double magnitude = std::fabs(in_value);
    // Integral values of up to 16 digits are kept exactly.
    if (!in_isSingle && magnitude < 1e15 && std::floor(in_value) == in_value)
    {
        bool integerOverflow = false;
        FUZZ_CHECK(value.GetInt64(integerOverflow) == static_cast<int64_t>(in_value) && !integerOverflow,
                   context + " is not kept as an integer");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* in_data, size_t in_size)
{
    if (in_size == 0)
    {
        return 0;
    }
    FuzzedDataProvider data(in_data + 1, in_size - 1);
    if (in_data[0] & 1)
    {
        const uint64_t bits = data.ConsumeIntegral<uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof(value));
        CheckFloating(value, false);
        float single;
        const uint32_t singleBits = static_cast<uint32_t>(bits);
        std::memcpy(&single, &singleBits, sizeof(single));
        CheckFloating(single, true);
        return 0;
    }
    const std::string text = data.ConsumeRandomLengthString(200);
    CheckText(text, data);
    return 0;
}
