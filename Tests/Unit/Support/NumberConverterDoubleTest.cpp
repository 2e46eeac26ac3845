#include "Support/NumberConverter.h"

#include "CommaLocale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using Orvik::Support::NumberConverter;
using Orvik::Testing::CommaLocale;

namespace {

const double INF = std::numeric_limits<double>::infinity();
const double SMALLEST_SUBNORMAL = std::numeric_limits<double>::denorm_min();

struct FormatCase
{
    double value;
    uint16_t digits;
    const char* text;
};

const FormatCase FORMAT_CASES[] = {
    {0.1, 15, "0.1"},
    {2.0, 15, "2"},
    {1e20, 15, "1e+020"},
    {-0.0, 15, "-0"},
    {0.0, 15, "0"},
    {2147483647.0, 15, "2147483647"},
    {2147483648.0, 15, "2147483648"},
    {-2147483647.5, 15, "-2147483647.5"},
    {-1.5, 15, "-1.5"},
    {123.456, 15, "123.456"},
    {1.5e-7, 6, "1.5e-007"},
    {1.5e-7, 15, "0.00000015"},
    {1e-15, 15, "0.000000000000001"},
    {5e-16, 15, "0.000000000000001"},
    {4.9e-16, 15, "4.9e-016"},
    {1e15, 15, "1e+015"},
    {DBL_MAX, 15, "1.79769313486232e+308"},
    {SMALLEST_SUBNORMAL, 15, "4.94065645841247e-324"},
    {1.5e-7, 20, "0.00000015"},
    // Few digits: the carry reaches the integer part, a tie on 0 rounds up, the integer part
    // is never shortened, and below 1 the digits count decimals.
    {0.95, 1, "1"},
    {0.05, 1, "0.1"},
    {12.3, 1, "12"},
    {2.5, 1, "2"},
    {3.5, 1, "4"},
    {123456789.5, 7, "123456790"},
    {1234567.891, 7, "1234568"},
    {0.001234, 7, "0.001234"},
    {0.00012345678, 7, "0.0001235"},
    {static_cast<double>(0.1f), 7, "0.1"},
    {0.00000004, 7, "4e-008"},
    {0.04, 1, "0.04"},
    // Without decimals, fixed notation starts at 1 and the integer part rounds half to even.
    {0.5, 0, "0.5"},
    {0.7, 0, "0.7"},
    {2.5, 0, "2"},
    {3.5, 0, "4"},
};

struct ParseCase
{
    std::string text;
    double value;
    ptrdiff_t end;
};

const ParseCase LISTED_PARSE_CASES[] = {
    {"  12", 12.0, 4},
    {" \t\n\v\f\r7", 7.0, 7},
    {"0x10", 0.0, 1},
    {".5", 0.5, 2},
    {"5.", 5.0, 2},
    {"+.5e1x", 5.0, 5},
    {"1E-2", 0.01, 4},
    {"1e", 1.0, 1},
    {"1e+", 1.0, 1},
    {"1,5", 1.0, 1},
    {"-0", -0.0, 2},
    // No digits: positive zero, nothing used.
    {"", 0.0, 0},
    {"   ", 0.0, 0},
    {".", 0.0, 0},
    {"-", 0.0, 0},
    {"-.e5", 0.0, 0},
    {"e5", 0.0, 0},
    {"inf", 0.0, 0},
    {"nan", 0.0, 0},
    // Out of range, and the edges of the range.
    {"1e400", INF, 5},
    {"-1e400", -INF, 6},
    {"1e-400", 0.0, 6},
    {"4.9e-324", SMALLEST_SUBNORMAL, 8},
    {"2.4703282292062328e-324", SMALLEST_SUBNORMAL, 23},
    {"2.4703282292062327e-324", 0.0, 23},
    {"1.7976931348623158e308", DBL_MAX, 22},
    {"1.7976931348623159e308", INF, 22},
    // Exponent clamping: leading zeros do not count; more than 8 digits count as 19999.
    {"1e0000000000000000005", 1e5, 21},
    {"1e123456789", INF, 11},
    {"1e-123456789", 0.0, 12},
    // Exactly halfway between two doubles: ties to even, also with more than 40 digits.
    {"9007199254740993", 9007199254740992.0, 16},
    {"9007199254740995", 9007199254740996.0, 16},
    {"1.00000000000000011102230246251565404236316680908203125", 1.0, 55},
    {"1.00000000000000011102230246251565404236316680908203125000000001", 1.0000000000000002,
     64},
    {"1.00000000000000033306690738754696212708950042724609375", 1.0000000000000004, 55},
    {"1.00000000000000033306690738754696212708950042724609374999999999", 1.0000000000000002,
     64},
};

/// in_text times in_factor, both decimal digits without a sign; in_factor below 10^15.
std::string MultiplyDecimal(const std::string& in_text, uint64_t in_factor)
{
    std::string product(in_text.size(), '0');
    uint64_t carry = 0;
    for (size_t i = in_text.size(); i-- > 0;)
    {
        const uint64_t digit = static_cast<uint64_t>(in_text[i] - '0') * in_factor + carry;
        product[i] = static_cast<char>('0' + digit % 10);
        carry = digit / 10;
    }
    return carry == 0 ? product : std::to_string(carry) + product;
}

/// The exact decimal text of in_mantissa times 2^in_exponent: for a negative exponent e, the
/// mantissa times 5^-e with the decimal exponent e.
std::string ExactDecimal(uint64_t in_mantissa, int in_exponent)
{
    const uint64_t base = in_exponent < 0 ? 5 : 2;
    std::string digits = std::to_string(in_mantissa);
    // Twenty factors at a time keep each step below 10^15.
    for (int left = std::abs(in_exponent); left > 0; left -= 20)
    {
        uint64_t factor = 1;
        for (int i = 0; i < std::min(left, 20); ++i)
        {
            factor *= base;
        }
        digits = MultiplyDecimal(digits, factor);
    }
    return in_exponent < 0 ? digits + "e" + std::to_string(in_exponent) : digits;
}

/// A text of hundreds of digits that is exactly in_mantissa times 2^in_exponent.
ParseCase ExactCase(uint64_t in_mantissa, int in_exponent, double in_value)
{
    std::string text = ExactDecimal(in_mantissa, in_exponent);
    const ptrdiff_t end = static_cast<ptrdiff_t>(text.size());
    return {std::move(text), in_value, end};
}

const std::vector<ParseCase>& ParseCases()
{
    static const std::vector<ParseCase> s_cases = [] {
        const uint64_t k2p50 = uint64_t(1) << 50;
        const uint64_t k2p54 = uint64_t(1) << 54;
        std::vector<ParseCase> cases(std::begin(LISTED_PARSE_CASES), std::end(LISTED_PARSE_CASES));
        // Subnormal ties go to the even multiple of the smallest subnormal; a hair above or
        // below a tie decides it.
        cases.push_back(ExactCase(1, -1075, 0.0));
        cases.push_back(ExactCase(k2p50 + 1, -1125, SMALLEST_SUBNORMAL));
        cases.push_back(ExactCase(3, -1075, 2 * SMALLEST_SUBNORMAL));
        cases.push_back(ExactCase(5, -1075, 2 * SMALLEST_SUBNORMAL));
        cases.push_back(ExactCase(5 * k2p50 + 1, -1125, 3 * SMALLEST_SUBNORMAL));
        cases.push_back(ExactCase(7 * k2p50 - 1, -1125, 3 * SMALLEST_SUBNORMAL));
        // Halfway between the largest double and 2^1024 rounds to even, that is, overflows.
        cases.push_back(ExactCase(k2p54 - 1, 970, INF));
        cases.push_back(ExactCase((k2p54 - 1) * 1024 - 1, 960, DBL_MAX));
        return cases;
    }();
    return s_cases;
}

uint64_t Bits(double in_value)
{
    uint64_t bits;
    std::memcpy(&bits, &in_value, sizeof(bits));
    return bits;
}

std::string Format(double in_value, uint16_t in_digits)
{
    char buffer[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
    const size_t length = NumberConverter::FormatDouble(in_value, buffer, in_digits);
    EXPECT_EQ(std::strlen(buffer), length);
    return buffer;
}

void ExpectFormatCases()
{
    for (const FormatCase& c : FORMAT_CASES)
    {
        EXPECT_EQ(c.text, Format(c.value, c.digits)) << c.value << " with " << c.digits;
    }
}

void ExpectParseCases()
{
    for (const ParseCase& c : ParseCases())
    {
        const char* end = nullptr;
        const double value = NumberConverter::ParseDouble(c.text.c_str(), &end);
        EXPECT_EQ(Bits(c.value), Bits(value)) << '"' << c.text << "\" gave " << value;
        EXPECT_EQ(c.end, end - c.text.c_str()) << '"' << c.text << '"';
    }
}

/// Each value's text, in the string forms too, reads back as the same double.
void ExpectRoundTrips()
{
    const double values[] = {0.1, 2.0, 1e20, -0.0, 2147483647.0, -123.456, 1.5e-7, 1e300};
    for (double value : values)
    {
        const std::string text = NumberConverter::ConvertDoubleToString(value);
        EXPECT_EQ(Format(value, 15), text);
        EXPECT_EQ(Bits(value), Bits(NumberConverter::ParseDouble(text.c_str()))) << value;
        EXPECT_EQ(Bits(value), Bits(NumberConverter::ConvertStringToDouble(text.c_str(), true)))
            << value;
    }
}

} // namespace

TEST(NumberConverterDouble, FormatsFixedAndGeneralNotation)
{
    ExpectFormatCases();
}

TEST(NumberConverterDouble, ParsesItsOwnSyntaxWithCorrectRounding)
{
    ExpectParseCases();
}

TEST(NumberConverterDouble, FormattedTextParsesBack)
{
    ExpectRoundTrips();
}

TEST(NumberConverterDouble, HugeExponentsCountAs19999)
{
    // 0.(20000 zeros)1 times 10^20010 would be 10^9; with the exponent cut to 19999 it is 0.01.
    const std::string text = "0." + std::string(20000, '0') + "1e20010";
    const char* end = nullptr;
    EXPECT_EQ(0.01, NumberConverter::ParseDouble(text.c_str(), &end));
    EXPECT_EQ(static_cast<ptrdiff_t>(text.size()), end - text.c_str());
}

TEST(NumberConverterDouble, TheHostsCommaLocaleChangesNothing)
{
    CommaLocale locale;
    if (!locale.GetProblem().empty())
    {
        GTEST_SKIP() << locale.GetProblem();
    }
    char probe[16];
    std::snprintf(probe, sizeof(probe), "%.1f", 1.5);
    ASSERT_STREQ("1,5", probe) << "the comma locale is not in force";
    ExpectFormatCases();
    ExpectParseCases();
    ExpectRoundTrips();
}

class DirectedRounding : public ::testing::TestWithParam<int>
{
};

TEST_P(DirectedRounding, RoundsToNearestAndLeavesTheCallersModeAndErrno)
{
    const double third = 1e20 / 3;
    ASSERT_EQ(0, std::fesetround(GetParam()));
    errno = EDOM;
    ExpectParseCases();
    EXPECT_EQ(0.3, NumberConverter::ParseDouble("0.3"));
    EXPECT_EQ(-0.3, NumberConverter::ParseDouble("-0.3"));
    ExpectFormatCases();
    EXPECT_EQ("3.33333333333333e+019", Format(third, 15));
    EXPECT_EQ("0.333333333333333", Format(1.0 / 3, 15));
    EXPECT_EQ(GetParam(), std::fegetround());
    EXPECT_EQ(EDOM, errno);
    std::fesetround(FE_TONEAREST);
}

INSTANTIATE_TEST_SUITE_P(NumberConverterDouble, DirectedRounding,
                         ::testing::Values(FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO));

TEST(NumberConverterDouble, EightThreadsParseAndFormatAtOnce)
{
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
    {
        threads.emplace_back([&] {
            char buffer[NumberConverter::FORMAT_DOUBLE_BUFFER_SIZE];
            for (int round = 0; round < 200; ++round)
            {
                for (const ParseCase& c : ParseCases())
                {
                    const char* end = nullptr;
                    const double value = NumberConverter::ParseDouble(c.text.c_str(), &end);
                    mismatches += Bits(value) != Bits(c.value) || end - c.text.c_str() != c.end;
                }
                for (const FormatCase& c : FORMAT_CASES)
                {
                    NumberConverter::FormatDouble(c.value, buffer, c.digits);
                    mismatches += std::strcmp(buffer, c.text) != 0;
                }
            }
        });
    }
    for (std::thread& thread : threads)
    {
        thread.join();
    }
    EXPECT_EQ(0, mismatches);
}

TEST(NumberConverterDouble, NaNIsTheAllOnesExponentWithAFraction)
{
    const double doubles[] = {0.0, -1.0, DBL_MAX, INF, -INF};
    for (double value : doubles)
    {
        EXPECT_FALSE(NumberConverter::IsNaN(value)) << value;
    }
    const uint64_t nanBits[] = {0x7FF8000000000000ull, 0xFFF8000000000000ull,
                                0x7FF0000000000001ull};
    for (uint64_t bits : nanBits)
    {
        double value;
        std::memcpy(&value, &bits, sizeof(value));
        EXPECT_TRUE(NumberConverter::IsNaN(value)) << std::hex << bits;
    }
    EXPECT_TRUE(NumberConverter::IsNaN(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_TRUE(NumberConverter::IsNaN(std::numeric_limits<float>::signaling_NaN()));
    EXPECT_FALSE(NumberConverter::IsNaN(std::numeric_limits<float>::infinity()));
    EXPECT_FALSE(NumberConverter::IsNaN(FLT_MAX));
}

TEST(NumberConverterDouble, CountsDigitsOfTheMagnitude)
{
    uint64_t power = 1;
    for (int digits = 1; digits <= 19; ++digits, power *= 10)
    {
        EXPECT_EQ(digits, NumberConverter::GetNumberOfDigits(power)) << power;
        EXPECT_EQ(digits, NumberConverter::GetNumberOfDigits(power * 10 - 1)) << power;
    }
    EXPECT_EQ(1, NumberConverter::GetNumberOfDigits(uint64_t(0)));
    EXPECT_EQ(20, NumberConverter::GetNumberOfDigits(std::numeric_limits<uint64_t>::max()));
    EXPECT_EQ(19, NumberConverter::GetNumberOfDigits(std::numeric_limits<int64_t>::min()));
    EXPECT_EQ(10, NumberConverter::GetNumberOfDigits(std::numeric_limits<int32_t>::min()));
    EXPECT_EQ(5, NumberConverter::GetNumberOfDigits(int16_t(-32768)));
    EXPECT_EQ(3, NumberConverter::GetNumberOfDigits(int8_t(-128)));
    EXPECT_EQ(3, NumberConverter::GetNumberOfDigits(uint8_t(255)));
    EXPECT_EQ(5, NumberConverter::GetNumberOfDigits(uint16_t(65535)));
    EXPECT_EQ(10, NumberConverter::GetNumberOfDigits(uint32_t(4294967295u)));
}
