#include "Support/NumberConverter.h"

#include "Support/NumberConversionInvalidDataException.h"
#include "Support/NumberConversionOutOfRangeException.h"
#include "StringTestSupport.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>
#include <string>
#include <utility>

using Orvik::Support::ErrorException;
using Orvik::Support::NumberConversionInvalidDataException;
using Orvik::Support::NumberConversionOutOfRangeException;
using Orvik::Support::NumberConverter;
using Orvik::Support::orvik_wstring;
using N = NumberConverter;

namespace {

const double INF = std::numeric_limits<double>::infinity();
const double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();
const bool STRICT = true;
const bool LAX = false;

/// The message key and the parameter list as the exception's log text shows it.
std::string Describe(const ErrorException& in_exception)
{
    const std::string text = in_exception.ToString().GetAsUTF8();
    const std::string marker = "MessageParameters=";
    const size_t at = text.find(marker);
    if (at == std::string::npos)
    {
        return in_exception.GetMessageKey().GetAsUTF8();
    }
    const size_t from = at + marker.size();
    const std::string parameters = " " + text.substr(from, text.size() - from - 1);
    return in_exception.GetMessageKey().GetAsUTF8() + parameters;
}

/// What a conversion gave: the value as text, or the kind, key and parameters of its failure.
template <class Convert>
std::string Outcome(Convert in_convert)
{
    try
    {
        return in_convert();
    }
    catch (const NumberConversionInvalidDataException& e)
    {
        return "InvalidData " + Describe(e);
    }
    catch (const NumberConversionOutOfRangeException& e)
    {
        return "OutOfRange " + Describe(e);
    }
}

std::string Int32(const char* in_text, bool in_strict)
{
    return Outcome([&] { return std::to_string(N::ConvertStringToInt32(in_text, in_strict)); });
}

std::string UInt16(const char* in_text, bool in_strict)
{
    return Outcome([&] { return std::to_string(N::ConvertStringToUInt16(in_text, in_strict)); });
}

std::string Int16Counted(const char* in_text, size_t in_length, bool in_strict)
{
    return Outcome(
        [&] { return std::to_string(N::ConvertStringToInt16(in_text, in_length, in_strict)); });
}

std::string UInt32Counted(const char* in_text, bool in_strict)
{
    return Outcome([&] {
        return std::to_string(N::ConvertStringToUInt32(in_text, std::strlen(in_text), in_strict));
    });
}

std::string Double(const char* in_text, bool in_strict)
{
    return Outcome(
        [&] { return N::ConvertDoubleToString(N::ConvertStringToDouble(in_text, in_strict)); });
}

std::string DoubleCounted(const char* in_text, size_t in_length, bool in_strict)
{
    return Outcome([&] {
        return N::ConvertDoubleToString(N::ConvertStringToDouble(in_text, in_length, in_strict));
    });
}

void ExpectOutcomes(std::initializer_list<std::pair<std::string, const char*>> in_cases)
{
    int row = 0;
    for (const auto& c : in_cases)
    {
        EXPECT_EQ(c.second, c.first) << "row " << row;
        ++row;
    }
}

} // namespace

TEST(NumberConverter, WritesIntegersOfEveryWidth)
{
    const std::pair<std::string, const char*> cases[] = {
        {N::ConvertInt8ToString(-128), "-128"},
        {N::ConvertInt8ToString(0), "0"},
        {N::ConvertUInt8ToString(255), "255"},
        {N::ConvertInt16ToString(-32768), "-32768"},
        {N::ConvertUInt16ToString(65535), "65535"},
        {N::ConvertInt32ToString(std::numeric_limits<int32_t>::min()), "-2147483648"},
        {N::ConvertInt32ToString(100), "100"},
        {N::ConvertInt32ToString(-7), "-7"},
        {N::ConvertUInt32ToString(4294967295u), "4294967295"},
        {N::ConvertUInt32ToString(1010), "1010"},
        {N::ConvertInt64ToString(std::numeric_limits<int64_t>::min()), "-9223372036854775808"},
        {N::ConvertInt64ToString(std::numeric_limits<int64_t>::max()), "9223372036854775807"},
        {N::ConvertUInt64ToString(std::numeric_limits<uint64_t>::max()), "18446744073709551615"},
        {N::ConvertUInt64ToString(10000000000000000000ull), "10000000000000000000"},
        {N::ConvertUInt64ToString(9), "9"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.second, c.first);
    }
}

TEST(NumberConverter, WritesFloatsWith7DigitsAndDoublesWith15)
{
    const std::pair<std::string, const char*> cases[] = {
        {N::ConvertDoubleToString(0.1), "0.1"},
        {N::ConvertDoubleToString(2.0), "2"},
        {N::ConvertDoubleToString(1e20), "1e+020"},
        {N::ConvertDoubleToString(-0.0), "-0"},
        {N::ConvertDoubleToString(2147483647.0), "2147483647"},
        {N::ConvertDoubleToString(1.0 / 3), "0.333333333333333"},
        {N::ConvertDoubleToString(NAN_VALUE), "NaN"},
        {N::ConvertDoubleToString(-NAN_VALUE), "NaN"},
        {N::ConvertDoubleToString(INF), "INFINITY"},
        {N::ConvertDoubleToString(-INF), "-INFINITY"},
        {N::ConvertFloatToString(0.1f), "0.1"},
        {N::ConvertFloatToString(1.0f / 3), "0.3333333"},
        {N::ConvertFloatToString(FLT_MAX), "3.402823e+038"},
        {N::ConvertFloatToString(std::numeric_limits<float>::infinity()), "INFINITY"},
        {N::ConvertFloatToString(-std::numeric_limits<float>::infinity()), "-INFINITY"},
        {N::ConvertFloatToString(std::numeric_limits<float>::quiet_NaN()), "NaN"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.second, c.first);
    }
}

TEST(NumberConverter, WideTextHasTheSameDigits)
{
    EXPECT_EQ(orvik_wstring(u"-9223372036854775808"),
              N::ConvertInt64ToWString(std::numeric_limits<int64_t>::min()));
    EXPECT_EQ(orvik_wstring(u"0"), N::ConvertInt64ToWString(0));
    EXPECT_EQ(orvik_wstring(u"18446744073709551615"),
              N::ConvertUInt64ToWString(std::numeric_limits<uint64_t>::max()));
    EXPECT_EQ(orvik_wstring(u"-32768"), N::ConvertInt16ToWString(-32768));
    EXPECT_EQ(orvik_wstring(u"65535"), N::ConvertUInt16ToWString(65535));
    EXPECT_EQ(orvik_wstring(u"-2147483648"),
              N::ConvertInt32ToWString(std::numeric_limits<int32_t>::min()));
    EXPECT_EQ(orvik_wstring(u"4294967295"), N::ConvertUInt32ToWString(4294967295u));
    EXPECT_EQ(orvik_wstring(u"1e+020"), N::ConvertDoubleToWString(1e20));
    EXPECT_EQ(orvik_wstring(u"0.1"), N::ConvertFloatToWString(0.1f));
    EXPECT_EQ(N::GetNaNWString(),
              N::ConvertFloatToWString(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_EQ(orvik_wstring(u"NaN"), N::GetNaNWString());
    EXPECT_EQ(orvik_wstring(u"INFINITY"), N::GetInfinityWString());
    EXPECT_EQ(orvik_wstring(u"-INFINITY"), N::GetNegativeInfinityWString());
}

TEST(NumberConverter, WritesIntegersRightAlignedIntoACheckedBuffer)
{
    char buffer[12];
    std::memset(buffer, 'x', sizeof(buffer));
    char* first = N::ConvertInt16ToChars(-32768, 7, buffer);
    EXPECT_EQ(buffer, first);
    EXPECT_STREQ("-32768", first);

    std::memset(buffer, 'x', sizeof(buffer));
    first = N::ConvertUInt32ToChars(42, 10, buffer);
    EXPECT_EQ(buffer + 7, first);
    EXPECT_STREQ("42", first);
    EXPECT_EQ(std::string(7, 'x'), std::string(buffer, 7));

    EXPECT_STREQ("-2147483648",
                 N::ConvertInt32ToChars(std::numeric_limits<int32_t>::min(), 12, buffer));
    EXPECT_STREQ("0", N::ConvertUInt16ToChars(0, 2, buffer));
}

TEST(NumberConverter, AnIntegerThatDoesNotFitWritesNothing)
{
    const std::pair<uint16_t, int32_t> cases[] = {{6, -32768}, {2, -1}, {1, 0}, {0, 0}, {5, 10000}};
    for (const auto& c : cases)
    {
        char buffer[8];
        std::memset(buffer, 'x', sizeof(buffer));
        EXPECT_EQ("InvalidData NumToStrConvFailed", Outcome([&] {
                      return std::string(N::ConvertInt32ToChars(c.second, c.first, buffer));
                  })) << c.second << " in " << c.first;
        EXPECT_EQ(std::string(8, 'x'), std::string(buffer, 8));
    }
    char buffer[6];
    EXPECT_EQ("InvalidData NumToStrConvFailed",
              Outcome([&] { return std::string(N::ConvertInt16ToChars(-32768, 6, buffer)); }));
}

TEST(NumberConverter, ParsesSignedIntegersStrictlyOrNot)
{
    ExpectOutcomes({
        {Int32("-2147483648", STRICT), "-2147483648"},
        {Int32("2147483647", STRICT), "2147483647"},
        {Int32("+42", STRICT), "42"},
        {Int32("-0", STRICT), "0"},
        {Int32("2147483648", STRICT), "OutOfRange StrToNumConvFailedOverflow [\"\"]"},
        {Int32("2147483648", LAX), "OutOfRange StrToNumConvFailedOverflow [\"\"]"},
        {Int32("-2147483649", STRICT), "OutOfRange StrToNumConvFailedUnderflow [\"\"]"},
        {Int32("-2147483649", LAX), "OutOfRange StrToNumConvFailedUnderflow [\"\"]"},
        // Past the range, reading goes on to the end of the digits; the range error wins.
        {Int32("99999999999x", STRICT), "OutOfRange StrToNumConvFailedOverflow [\"x\"]"},
        {Int32(" 1", STRICT), "InvalidData StrToNumConvFailed [\" 1\"]"},
        {Int32(" 1", LAX), "0"},
        {Int32("1 ", STRICT), "InvalidData StrToNumConvFailed [\" \"]"},
        {Int32("12ab", STRICT), "InvalidData StrToNumConvFailed [\"ab\"]"},
        {Int32("12ab", LAX), "12"},
        {Int32("ab", LAX), "0"},
        {Int32("+", STRICT), "InvalidData StrToNumConvFailed [\"\"]"},
        {Int32("+", LAX), "0"},
        {Int32("", STRICT), "InvalidData StrToNumConvFailed [\"\"]"},
        {Int32("", LAX), "0"},
        {Int32(nullptr, LAX), "0"},
        {Int16Counted("-32768", 6, STRICT), "-32768"},
        {Int16Counted("123456", 3, STRICT), "123"},
        {Int16Counted("", 0, LAX), "InvalidData StrToNumConvFailed [\"\"]"},
        {Int16Counted("+", 1, LAX), "0"},
        {Int16Counted("12x4", 4, STRICT), "InvalidData StrToNumConvFailed [\"12x4\"]"},
        {Int16Counted("32768", 5, LAX), "OutOfRange StrToNumConvFailedOverflow [\"32768\"]"},
        {Int16Counted("-32769", 6, LAX), "OutOfRange StrToNumConvFailedUnderflow [\"-32769\"]"},
    });
}

TEST(NumberConverter, ParsesUnsignedIntegersAndRefusesAMinusSign)
{
    ExpectOutcomes({
        {UInt16("65535", STRICT), "65535"},
        {UInt16("65536", STRICT), "OutOfRange StrToNumConvFailedOverflow [\"\"]"},
        {UInt16("-0", STRICT), "OutOfRange StrToNumConvFailedUnsigned [\"-0\"]"},
        {UInt16("-0", LAX), "OutOfRange StrToNumConvFailedUnsigned [\"-0\"]"},
        {UInt16("-", LAX), "OutOfRange StrToNumConvFailedUnsigned [\"-\"]"},
        {UInt16("+7x", LAX), "7"},
        {UInt32Counted("4294967295", STRICT), "4294967295"},
        {UInt32Counted("4294967296", LAX),
         "OutOfRange StrToNumConvFailedOverflow [\"4294967296\"]"},
        // A strict counted text must be a number before its sign is judged.
        {UInt32Counted("-12", STRICT), "OutOfRange StrToNumConvFailedUnsigned [\"-12\"]"},
        {UInt32Counted("-1a", STRICT), "InvalidData StrToNumConvFailed [\"-1a\"]"},
        {UInt32Counted("-", STRICT), "InvalidData StrToNumConvFailed [\"-\"]"},
        {UInt32Counted("-1a", LAX), "OutOfRange StrToNumConvFailedUnsigned [\"-1a\"]"},
    });
    EXPECT_EQ(4294967295u, N::ConvertStringToUInt32(std::string("4294967295"), STRICT));
    EXPECT_EQ(7u, N::ConvertStringToUInt32("7", STRICT));
    EXPECT_EQ(65535, N::ConvertStringToUInt16(std::string("65535"), STRICT));
    EXPECT_EQ(-5, N::ConvertStringToInt32(std::string("-5"), STRICT));
    EXPECT_EQ(-5, N::ConvertStringToInt16("-5", STRICT));
}

TEST(NumberConverter, ParsesWideText)
{
    EXPECT_EQ(std::numeric_limits<int64_t>::min(),
              N::ConvertWStringToInt64(orvik_wstring(u"-9223372036854775808"), STRICT));
    EXPECT_EQ(std::numeric_limits<int64_t>::max(),
              N::ConvertWStringToInt64(orvik_wstring(u"9223372036854775807"), STRICT));
    EXPECT_THROW(N::ConvertWStringToInt64(orvik_wstring(u"9223372036854775808"), LAX),
                 NumberConversionOutOfRangeException);
    EXPECT_THROW(N::ConvertWStringToInt16(orvik_wstring(u"-32769"), LAX),
                 NumberConversionOutOfRangeException);
    EXPECT_EQ(-32768, N::ConvertWStringToInt16(orvik_wstring(u"-32768"), STRICT));
    EXPECT_THROW(N::ConvertWStringToUInt16(orvik_wstring(u"-1"), LAX),
                 NumberConversionOutOfRangeException);
    EXPECT_EQ(65535, N::ConvertWStringToUInt16(orvik_wstring(u"65535"), STRICT));
    EXPECT_EQ(4294967295u, N::ConvertWStringToUInt32(orvik_wstring(u"4294967295"), STRICT));
    EXPECT_THROW(N::ConvertWStringToUInt32(orvik_wstring(u"12\u00e9"), STRICT),
                 NumberConversionInvalidDataException);
    EXPECT_EQ(12u, N::ConvertWStringToUInt32(orvik_wstring(u"12\u00e9"), LAX));
    EXPECT_EQ(0, N::ConvertWStringToInt64(orvik_wstring(), LAX));
    const auto uint64 = [](const char16_t* in_text) {
        return Outcome([&] { return std::to_string(N::ConvertWStringToUInt64(orvik_wstring(in_text), STRICT)); });
    };
    ExpectOutcomes({
        { uint64(u"18446744073709551615"), "18446744073709551615" },
        { uint64(u"+5"), "5" },
        { uint64(u"18446744073709551616"), "OutOfRange StrToNumConvFailedOverflow [\"\"]" },
        { uint64(u"-1"), "OutOfRange StrToNumConvFailedUnsigned [\"-1\"]" },
        { uint64(u" 5"), "InvalidData StrToNumConvFailed [\" 5\"]" },
        { uint64(u""), "InvalidData StrToNumConvFailed [\"\"]" },
    });
}

TEST(NumberConverter, ParsesDoublesWithTheirSpecialSpellings)
{
    ExpectOutcomes({
        {Double("inf", STRICT), "INFINITY"},
        {Double("Infin", STRICT), "INFINITY"},
        {Double("INFINITY", STRICT), "INFINITY"},
        {Double("-inf", STRICT), "-INFINITY"},
        {Double("-INFINITY", STRICT), "-INFINITY"},
        {Double("in", STRICT), "InvalidData StrToNumConvFailed [\"in\"]"},
        {Double("-in", STRICT), "InvalidData StrToNumConvFailed [\"-in\"]"},
        {Double("infinityx", STRICT), "InvalidData StrToNumConvFailed [\"infinityx\"]"},
        {Double("infinityx", LAX), "0"},
        {Double("1.5x", STRICT), "InvalidData StrToNumConvFailed [\"1.5x\"]"},
        {Double("1.5x", LAX), "1.5"},
        {Double("  2.5", STRICT), "2.5"},
        {Double("2.5 ", STRICT), "InvalidData StrToNumConvFailed [\"2.5 \"]"},
        {Double("1e999", STRICT), "INFINITY"},
        {Double("-1e-999", STRICT), "-0"},
        {Double("", STRICT), "InvalidData StrToNumConvFailed [\"\"]"},
        {Double("", LAX), "0"},
        {Double("nanx", LAX), "0"},
        {DoubleCounted("1.5x", 3, STRICT), "1.5"},
        {DoubleCounted("1.5x", 4, STRICT), "InvalidData StrToNumConvFailed [\"1.5x\"]"},
        {DoubleCounted("INF", 3, STRICT), "INFINITY"},
        // The counted text is read as its NUL-terminated copy: a NUL among the bytes ends it.
        {DoubleCounted("1\0" "5", 3, STRICT), "1"},
        {DoubleCounted("inf\0x", 5, STRICT), "INFINITY"},
        {DoubleCounted(nullptr, 0, LAX), "0"},
    });
    for (const char* spelling : {"nan", "NaN", "NAN"})
    {
        const double value = N::ConvertStringToDouble(spelling, STRICT);
        uint64_t bits;
        std::memcpy(&bits, &value, sizeof(bits));
        EXPECT_EQ(0x7FF8000000000000ull, bits) << spelling;
    }
}
