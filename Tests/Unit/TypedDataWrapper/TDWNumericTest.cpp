#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "SupportErrorExpectation.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using Orvik::Support::TDWNumeric;

namespace {

std::vector<uint8_t> ImageOf(const TDWNumeric& in_value)
{
    std::vector<uint8_t> bytes(sizeof(TDWNumeric));
    std::memcpy(bytes.data(), &in_value, bytes.size());
    return bytes;
}

/// "<sign><digits>E<exponent>", the integer and exponent the value holds, or "invalid".
std::string Describe(const TDWNumeric& in_value)
{
    if (!in_value.IsValid())
    {
        return "invalid";
    }
    int32_t zeros = std::max<int32_t>(in_value.GetExponent(), 0);
    std::string digits(80 + zeros, '?');
    uint32_t leading = 0;
    EXPECT_TRUE(in_value.ToChars(static_cast<uint32_t>(digits.size()), &digits[0], leading));
    std::string text = in_value.IsNegative() ? "-" : "";
    text += digits.substr(leading, digits.size() - leading - zeros);
    return text + "E" + std::to_string(in_value.GetExponent());
}

TDWNumeric Parsed(const std::string& in_text)
{
    return TDWNumeric(in_text.data(), in_text.size(), false);
}

} // namespace

TEST(TDWNumericParse, KeepsTheDigitsAndMovesZerosIntoTheExponent)
{
    struct Case
    {
        const char* text;
        const char* expected;
        int32_t precision;
    };
    // Zeros between the point and the first significant digit are no significant digits.
    const std::string leadingPoint = "." + std::string(54, '0') + "10248191152060861951";
    const Case cases[] = {
        {"-0", "0E0", 0},
        {"0.000", "0E-3", 3},
        {"1.5E3", "15E2", 4},
        {"1000", "1E3", 4},
        {"0.0012", "12E-4", 4},
        {"+12.50", "1250E-2", 4},
        {"-7e-3", "-7E-3", 3},
        {".5", "5E-1", 1},
        {"1.", "1E0", 1},
        {"00.", "0E0", 0},
        {"0e5", "0E5", 0},
        {"0e1", "0E1", 0},
        {"-0.00e1", "0E-1", 1},
        {leadingPoint.c_str(), "10248191152060861951E-74", 74},
        {"00012", "12E0", 2},
        {"1E32767", "1E32767", 32768},
        {"1E-32768", "1E-32768", 32768},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        TDWNumeric value = Parsed(c.text);
        EXPECT_EQ(c.expected, Describe(value));
        EXPECT_EQ(c.precision, value.GetPrecision());
    }
    EXPECT_FALSE(Parsed("-0").IsNegative());
}

TEST(TDWNumericParse, SeventyTwoDigitsAreExactAndSeventyThreeFail)
{
    std::string digits;
    for (int i = 0; i < 72; ++i)
    {
        digits += static_cast<char>('1' + i % 9);
    }
    EXPECT_EQ(digits + "E0", Describe(Parsed(digits)));
    EXPECT_EQ("-" + digits + "E-70", Describe(Parsed("-" + digits.substr(0, 2) + "." + digits.substr(2))));
    // Zeros before the first significant digit do not count.
    EXPECT_EQ(digits + "E-75", Describe(Parsed("0.000" + digits)));
    EXPECT_EQ("invalid", Describe(Parsed(digits + "1")));
    EXPECT_EQ("invalid", Describe(Parsed("1." + digits)));
}

TEST(TDWNumericParse, RejectsWhatIsNotANumber)
{
    const char* texts[] = {
        "", "-", "+", ".", ".e5", "..5", "1..2", "1.2.3", "1e", "1e+", "1E32768", "1E-32769", "1000E32765",
        "0.1E-32768", "12a", "1 ", " 1", "1e5x", "--1", "e5", "1E1.5",
    };
    for (const char* text : texts)
    {
        SCOPED_TRACE(text);
        EXPECT_EQ("invalid", Describe(Parsed(text)));
    }
    EXPECT_FALSE(TDWNumeric(nullptr, false).IsValid());
}

TEST(TDWNumericImage, IsTheFlagTheExponentTheCountAndTheWordsPackedLittleEndian)
{
    std::vector<uint8_t> zero(38, 0);
    zero[4] = 2;
    EXPECT_EQ(zero, ImageOf(TDWNumeric()));

    // -1.5 is -15 (0xFFF1, then the sign word) times ten to -1 (0xFFFF).
    std::vector<uint8_t> image(38, 0);
    const uint8_t head[] = {0x00, 0x00, 0xFF, 0xFF, 0x02, 0x00, 0xF1, 0xFF, 0xFF, 0xFF};
    std::memcpy(image.data(), head, sizeof(head));
    EXPECT_EQ(image, ImageOf(Parsed("-1.5")));

    std::vector<uint8_t> invalid(38, 0);
    invalid[0] = 1;
    invalid[4] = 2;
    EXPECT_EQ(invalid, ImageOf(Parsed("x")));
}

TEST(TDWNumericImage, IntegersTakeTheFewestWordsAboveTheirSignWord)
{
    struct Case
    {
        TDWNumeric value;
        uint16_t count;
        std::vector<uint16_t> words;
    };
    const Case cases[] = {
        {TDWNumeric(int8_t{-1}), 2, {0xFFFF, 0xFFFF}},
        {TDWNumeric(int16_t{-32768}), 2, {0x8000, 0xFFFF}},
        {TDWNumeric(uint16_t{65535}), 2, {0xFFFF, 0x0000}},
        {TDWNumeric(uint32_t{65536}), 3, {0x0000, 0x0001, 0x0000}},
        {TDWNumeric(int32_t{-65536}), 2, {0x0000, 0xFFFF}},
        {TDWNumeric(std::numeric_limits<int64_t>::min()), 5, {0, 0, 0, 0x8000, 0xFFFF}},
        {TDWNumeric(std::numeric_limits<uint64_t>::max()), 5, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0}},
    };
    for (const Case& c : cases)
    {
        std::vector<uint8_t> image = ImageOf(c.value);
        EXPECT_EQ(c.count, image[4] | image[5] << 8);
        for (size_t i = 0; i < 16; ++i)
        {
            uint16_t expected = (i < c.words.size()) ? c.words[i] : 0;
            EXPECT_EQ(expected, image[6 + 2 * i] | image[7 + 2 * i] << 8) << "word " << i;
        }
    }
}

TEST(TDWNumericRound, RoundsHalfAwayFromZeroByTheFirstDroppedDigit)
{
    struct Case
    {
        const char* text;
        int16_t places;
        const char* expected;
    };
    const Case cases[] = {
        {"1.005", 2, "101E-2"},
        {"-1.005", 2, "-101E-2"},
        {"1.2349", 2, "123E-2"},
        {"9.995", 2, "1000E-2"},
        {"1234", -2, "12E2"},
        {"1250", -2, "13E2"},
        {"0.05", 1, "1E-1"},
        {"0.049999", 1, "0E-1"},
        {"0.000000005", 1, "0E-1"},
        {"1.5", 3, "15E-1"},
        {"123456789.123456789", 0, "123456789E0"},
        // Rounding may not raise the exponent past 8191.
        {"1", -8191, "0E8191"},
        {"1", -8192, "invalid"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        TDWNumeric value = Parsed(c.text);
        value.Round(c.places);
        EXPECT_EQ(c.expected, Describe(value));
    }
}

TEST(TDWNumericGet, TruncatesTowardZeroAndFlagsWhatDoesNotFit)
{
    enum Form
    {
        INT8,
        INT16,
        INT32,
        INT64,
        UINT8,
        UINT16,
        UINT32,
        UINT64
    };
    struct Case
    {
        const char* text;
        Form form;
        const char* expected;
        bool overflow;
    };
    const Case cases[] = {
        {"-128.9", INT8, "-128", false},
        {"-129", INT8, "", true},
        {"127", INT8, "127", false},
        {"32767.5", INT16, "32767", false},
        {"-32769", INT16, "", true},
        {"2147483647.9", INT32, "2147483647", false},
        {"2147483648", INT32, "", true},
        {"-2147483648.7", INT32, "-2147483648", false},
        {"-0.5", INT32, "0", false},
        {"5E-30000", INT32, "0", false},
        {"9223372036854775807", INT64, "9223372036854775807", false},
        {"-9223372036854775808", INT64, "-9223372036854775808", false},
        {"9223372036854775808", INT64, "", true},
        {"1E30000", INT64, "", true},
        {"255.9", UINT8, "255", false},
        {"256", UINT8, "", true},
        // A value between -1 and 0 truncates to 0, which fits every unsigned width.
        {"-0.2", UINT8, "0", false},
        {"6553.5E1", UINT16, "65535", false},
        {"-1", UINT16, "", true},
        {"4294967295", UINT32, "4294967295", false},
        {"4294967296", UINT32, "", true},
        {"1E19", UINT64, "10000000000000000000", false},
        {"18446744073709551615.99", UINT64, "18446744073709551615", false},
        {"18446744073709551616", UINT64, "", true},
        {"-0.5", UINT64, "0", false},
        {"-0.999", UINT32, "0", false},
        {"-1", UINT64, "", true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        TDWNumeric value = Parsed(c.text);
        bool overflow = !c.overflow;
        std::string result;
        switch (c.form)
        {
        case INT8: result = std::to_string(value.GetInt8(overflow)); break;
        case INT16: result = std::to_string(value.GetInt16(overflow)); break;
        case INT32: result = std::to_string(value.GetInt32(overflow)); break;
        case INT64: result = std::to_string(value.GetInt64(overflow)); break;
        case UINT8: result = std::to_string(value.GetUInt8(overflow)); break;
        case UINT16: result = std::to_string(value.GetUInt16(overflow)); break;
        case UINT32: result = std::to_string(value.GetUInt32(overflow)); break;
        case UINT64: result = std::to_string(value.GetUInt64(overflow)); break;
        }
        EXPECT_EQ(c.overflow, overflow);
        if (!c.overflow)
        {
            EXPECT_EQ(c.expected, result);
        }
    }
}

TEST(TDWNumericGet, DoubleIsTheNearestAndFlagsInfinity)
{
    struct Case
    {
        const char* text;
        double expected;
        bool overflow;
    };
    const Case cases[] = {
        {"0.1", 0.1, false},
        {"-2.5E-3", -0.0025, false},
        {"123456789012345678901234567890", 1.2345678901234568e29, false},
        {"1.7976931348623157E308", DBL_MAX, false},
        {"4.9E-324", std::numeric_limits<double>::denorm_min(), false},
        {"1E-400", 0.0, false},
        {"1E309", HUGE_VAL, true},
        {"-1E309", -HUGE_VAL, true},
        {"0", 0.0, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        bool overflow = !c.overflow;
        EXPECT_EQ(c.expected, Parsed(c.text).GetDouble(overflow));
        EXPECT_EQ(c.overflow, overflow);
    }
}

TEST(TDWNumericGet, DoubleIsTheNearestWhateverTheRoundingMode)
{
    int savedMode = std::fegetround();
    std::fesetround(FE_UPWARD);
    bool overflow = true;
    double value = Parsed("0.3").GetDouble(overflow);
    std::fesetround(savedMode);
    EXPECT_EQ(0.3, value);
    EXPECT_FALSE(overflow);
}

TEST(TDWNumericGet, SingleFlagsOnlyWhatRoundsBeyondTheLargestFloat)
{
    bool overflow = true;
    EXPECT_EQ(FLT_MAX, Parsed("3.4028235E38").GetSingle(overflow));
    EXPECT_FALSE(overflow);
    EXPECT_EQ(0.1f, Parsed("0.1").GetSingle(overflow));
    EXPECT_FALSE(overflow);
    Parsed("-3.5E38").GetSingle(overflow);
    EXPECT_TRUE(overflow);
}

TEST(TDWNumericFromBinary, TakesTheShortestTextThatReadsBackAsTheSameNumber)
{
    struct Case
    {
        TDWNumeric value;
        const char* expected;
    };
    const Case cases[] = {
        {TDWNumeric(0.1f), "1E-1"},
        {TDWNumeric(-0.1f), "-1E-1"},
        {TDWNumeric(2.5f), "25E-1"},
        {TDWNumeric(16777216.0f), "16777216E0"},
        {TDWNumeric(1e20f), "100000000000000000000E0"},
        // Fewest significant digits, also where the plain text of the binary value is shorter.
        {TDWNumeric(300345655296.0f), "300345660000E0"},
        {TDWNumeric(123456790528.0f), "123456790000E0"},
        {TDWNumeric(FLT_MAX), "340282350000000000000000000000000000000E0"},
        {TDWNumeric(0.1), "1E-1"},
        {TDWNumeric(2.5), "25E-1"},
        {TDWNumeric(-123.456), "-123456E-3"},
        // Integers keep exponent 0 where their digits fit, and only there.
        {TDWNumeric(100.0), "100E0"},
        {TDWNumeric(1e23), "100000000000000000000000E0"},
        {TDWNumeric(DBL_MAX), "17976931348623157E292"},
        {TDWNumeric(std::numeric_limits<double>::denorm_min()), "5E-324"},
        {TDWNumeric(9007199254740993.0), "9007199254740992E0"},
        {TDWNumeric(1152921504606846976.0), "1152921504606847000E0"},
        {TDWNumeric(0.0), "0E0"},
        {TDWNumeric(-0.0), "0E0"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, Describe(c.value));
    }
}

TEST(TDWNumericFromBinary, NaNAndInfinitiesLeaveTheValueInvalid)
{
    TDWNumeric value;
    value.SetDouble(std::nan(""));
    EXPECT_FALSE(value.IsValid());
    value.SetSingle(-HUGE_VALF);
    EXPECT_FALSE(value.IsValid());
}

TEST(TDWNumericCompare, AlignsExponentsExactly)
{
    using Comparison = TDWNumeric::Comparison;
    struct Case
    {
        const char* left;
        const char* right;
        Comparison expected;
    };
    const Case cases[] = {
        {"1E100", "1", Comparison::GREATER},
        {"2", "2.000", Comparison::EQUAL},
        {"-1", "0", Comparison::LESS},
        {"-5", "-4.99", Comparison::LESS},
        {"0", "-0.000", Comparison::EQUAL},
        {"0E-50", "1E-100", Comparison::LESS},
        {"1E-100", "1", Comparison::LESS},
        {"-1E-100", "-1", Comparison::GREATER},
        {"99999999999999999999999999999999999999999999999999999999999999999999999E-79", "1E-7",
         Comparison::LESS},
        {"100000000000000000000000000000000000000000000000000000000000000000000001E-71", "1",
         Comparison::GREATER},
        {"65536", "65535", Comparison::GREATER},
        {"-65536", "-65535", Comparison::LESS},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.left) + " vs " + c.right);
        TDWNumeric left = Parsed(c.left);
        TDWNumeric right = Parsed(c.right);
        EXPECT_EQ(c.expected, TDWNumeric::Compare(left, right));
        EXPECT_EQ(c.expected == Comparison::EQUAL, left == right);
        EXPECT_EQ(c.expected != Comparison::GREATER, left <= right);
        EXPECT_EQ(c.expected == Comparison::GREATER, left > right);
    }
}

TEST(TDWNumericQueries, HasFractionLooksOnlyAtDigitsRightOfThePoint)
{
    EXPECT_FALSE(Parsed("12.00").HasFraction());
    EXPECT_TRUE(Parsed("12.01").HasFraction());
    EXPECT_TRUE(Parsed("-0.5").HasFraction());
    EXPECT_FALSE(Parsed("1E3").HasFraction());
    EXPECT_FALSE(Parsed("0.000").HasFraction());
}

TEST(TDWNumericQueries, NegateChangesTheSignInPlace)
{
    TDWNumeric value = Parsed("32768");
    value.Negate();
    EXPECT_EQ("-32768E0", Describe(value));
    value.Negate();
    EXPECT_EQ("32768E0", Describe(value));
    TDWNumeric zero;
    zero.Negate();
    EXPECT_FALSE(zero.IsNegative());
}

TEST(TDWNumericScale, ReportsDroppedDigitsAndOverflowsIntoInvalid)
{
    TDWNumeric value = Parsed("-123.45");
    EXPECT_TRUE(value.ScaleDown(1));
    EXPECT_EQ("-1234E-1", Describe(value));
    EXPECT_FALSE(value.ScaleDown(0));
    TDWNumeric exact = Parsed("12.00");
    EXPECT_FALSE(exact.ScaleDown(2));
    EXPECT_EQ("12E0", Describe(exact));
    exact.ScaleUp(3);
    EXPECT_EQ("12000E-3", Describe(exact));

    TDWNumeric tooFar = Parsed("1E8190");
    tooFar.ScaleDown(2);
    EXPECT_FALSE(tooFar.IsValid());
    TDWNumeric tooLong = Parsed("1");
    tooLong.ScaleUp(73);
    EXPECT_FALSE(tooLong.IsValid());

    // Counts far beyond the exponent's range do not wrap around into a valid scale.
    TDWNumeric down = Parsed("5E3");
    down.ScaleDown(std::numeric_limits<int32_t>::max());
    EXPECT_FALSE(down.IsValid());
    TDWNumeric up = Parsed("-5E-3");
    up.ScaleUp(std::numeric_limits<int32_t>::max());
    EXPECT_FALSE(up.IsValid());
}

TEST(TDWNumericToChars, WritesTheMagnitudeRightAlignedWithZeroFill)
{
    struct Case
    {
        const char* text;
        uint32_t width;
        const char* expected;
        uint32_t leading;
    };
    const Case cases[] = {
        {"123.45", 8, "00012345", 3},
        {"-42", 4, "0042", 2},
        {"1.5E3", 6, "001500", 2},
        {"0", 3, "000", 2},
        {"10000", 6, "010000", 1},
        {"123456", 4, "3456", 0},
        {"7E5", 3, "000", 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        std::string buffer(c.width, '?');
        uint32_t leading = 99;
        EXPECT_TRUE(Parsed(c.text).ToChars(c.width, &buffer[0], leading));
        EXPECT_EQ(c.expected, buffer);
        EXPECT_EQ(c.leading, leading);
    }
    char untouched[2] = {'?', '?'};
    uint32_t leading = 0;
    EXPECT_FALSE(Parsed("x").ToChars(2, untouched, leading));
    EXPECT_EQ('?', untouched[0]);
}

TEST(TDWNumericMagnitudeBytes, RoundTripAsLittleEndianIntegers)
{
    const uint8_t bytes[] = {0x39, 0x30};
    EXPECT_EQ("-12345E-2", Describe(TDWNumeric::FromMagnitudeBytes(bytes, sizeof(bytes), -2, true)));

    std::vector<uint8_t> full(16, 0xFF);
    TDWNumeric largest = TDWNumeric::FromMagnitudeBytes(full.data(), full.size(), 0, false);
    EXPECT_EQ("340282366920938463463374607431768211455E0", Describe(largest));
    std::vector<uint8_t> back(16, 0);
    EXPECT_TRUE(largest.GetMagnitudeBytes(back.data(), back.size()));
    EXPECT_EQ(full, back);

    TDWNumeric beyond = Parsed("340282366920938463463374607431768211456");
    EXPECT_FALSE(beyond.GetMagnitudeBytes(back.data(), back.size()));
    EXPECT_EQ(full, back);

    std::vector<uint8_t> tooWide(31, 0xFF);
    EXPECT_FALSE(TDWNumeric::FromMagnitudeBytes(tooWide.data(), tooWide.size(), 0, false).IsValid());
}

TEST(TDWNumericErrors, ParsingRaisesOnlyWhenAsked)
{
    ExpectSupportError([] { TDWNumeric("1E32768", true); }, "TDWNumericStringError", "1E32768");
    std::string digits(73, '7');
    ExpectSupportError(
        [&] { TDWNumeric(digits.data(), digits.size(), true); }, "TDWNumericStringError", digits);
    ExpectSupportError([] { TDWNumeric("", true); }, "TDWNumericStringError", "");
    EXPECT_FALSE(TDWNumeric("1E32768", false).IsValid());
}

TEST(TDWNumericErrors, NaNAndInfinitiesRaiseWithTheirText)
{
    ExpectSupportError([] { TDWNumeric{std::nan("")}; }, "TDWNumericValueError", "NaN");
    ExpectSupportError([] { TDWNumeric{HUGE_VALF}; }, "TDWNumericValueError", "INFINITY");
    ExpectSupportError([] { TDWNumeric{-HUGE_VAL}; }, "TDWNumericValueError", "-INFINITY");
}

TEST(TDWNumericErrors, ReadingAnInvalidValueRaisesWithTheOperationsName)
{
    const TDWNumeric invalid = Parsed("not a number");
    bool overflow = false;
    struct Case
    {
        const char* operation;
        std::function<void()> call;
    };
    const Case cases[] = {
        {"GetInt8", [&] { invalid.GetInt8(overflow); }},
        {"GetInt16", [&] { invalid.GetInt16(overflow); }},
        {"GetInt32", [&] { invalid.GetInt32(overflow); }},
        {"GetInt64", [&] { invalid.GetInt64(overflow); }},
        {"GetUInt8", [&] { invalid.GetUInt8(overflow); }},
        {"GetUInt16", [&] { invalid.GetUInt16(overflow); }},
        {"GetUInt32", [&] { invalid.GetUInt32(overflow); }},
        {"GetUInt64", [&] { invalid.GetUInt64(overflow); }},
        {"GetSingle", [&] { invalid.GetSingle(overflow); }},
        {"GetDouble", [&] { invalid.GetDouble(overflow); }},
        {"HasFraction", [&] { invalid.HasFraction(); }},
        {"Negate", [&] { TDWNumeric(invalid).Negate(); }},
        {"Round", [&] { TDWNumeric(invalid).Round(2); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.operation);
        ExpectSupportError(c.call, "TDWNumericArithmeticError", c.operation);
    }
    ExpectSupportError([&] { invalid.GetPrecision(); }, "TDWNumericOperationOnInvalid", "GetPrecision");
}
