#include "Support/TypedDataWrapper/LiteralParser.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

using namespace Orvik::Support;

TEST(NumericLiteral, ParsesTheTrimmedTextAndCountsItsDigits)
{
    struct Case
    {
        std::string text;
        const char* value;
        int16_t digits;
    };
    const Case cases[] = {
        {std::string(" 123.45 \0\0", 11), "123.45", 5},
        {"-1.5E3", "-1500", 2},
        {"+0.0012", "0.0012", 5},
        {"." + std::string(54, '0') + "10248191152060861951", "1.0248191152060861951E-55", 74},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        TDWNumeric value;
        int16_t digits = -1;
        RecordingListener listener;
        bool parsed = LiteralParser::ConvertCharToNumeric(c.text.data(), c.text.size(), value, digits, listener);
        EXPECT_TRUE(parsed);
        EXPECT_TRUE(value == TDWNumeric(c.value, true));
        EXPECT_EQ(c.digits, digits);
        EXPECT_EQ("", listener.Posted());
    }
}

TEST(NumericLiteral, RefusesSpecialWordsBlankTextAndWhatIsNoNumber)
{
    struct Case
    {
        const char* text;
        const char* posted;
    };
    const Case cases[] = {
        {"inf", "NumericValOutOfRange(0)"},
        {" Infin ", "NumericValOutOfRange(0)"},
        {"INFINITY", "NumericValOutOfRange(0)"},
        {"-INF", "NumericValOutOfRange(1)"},
        {"nan", "NumericValOutOfRange(2)"},
        // Too short, too long or no word at all.
        {"in", "InvalidCharValForCast"},
        {"-in", "InvalidCharValForCast"},
        {"INFINITYX", "InvalidCharValForCast"},
        {"nana", "InvalidCharValForCast"},
        {"   ", "InvalidCharValForCast"},
        {"12a", "InvalidCharValForCast"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        TDWNumeric value;
        int16_t digits = -1;
        RecordingListener listener;
        bool parsed = LiteralParser::ConvertCharToNumeric(c.text, std::strlen(c.text), value, digits, listener);
        EXPECT_FALSE(parsed);
        EXPECT_EQ(c.posted, listener.Posted());
    }
}

namespace {

const uint64_t UNTOUCHED_BITS = 0x5555555555555555ull;

struct DoubleCase
{
    const char* text;
    bool isDouble;
    double stored;
    const char* posted;
};

/// Converts into a target filled with a marker; returns the target's bits.
uint64_t ConvertDouble(const char* in_text, bool in_isDouble, RecordingListener& io_listener)
{
    uint64_t target = UNTOUCHED_BITS;
    LiteralParser::ConvertCharToDouble(in_text, std::strlen(in_text), &target, in_isDouble, io_listener);
    return target;
}

uint64_t BitsOf(double in_value, bool in_isDouble)
{
    uint64_t bits = UNTOUCHED_BITS;
    if (in_isDouble)
    {
        std::memcpy(&bits, &in_value, sizeof(in_value));
    }
    else
    {
        float value = static_cast<float>(in_value);
        std::memcpy(&bits, &value, sizeof(value));
    }
    return bits;
}

} // namespace

TEST(DoubleLiteral, StoresNumbersSpecialWordsAndFlushedTinyValues)
{
    const DoubleCase cases[] = {
        {"1.5", true, 1.5, ""},
        {" -2.5e3  ", true, -2500.0, ""},
        {"0.1", false, 0.1, ""},
        {"inf", true, HUGE_VAL, ""},
        {"-Infin", false, -HUGE_VAL, ""},
        {"1e-310", true, 0.0, ""},
        {"1e-40", false, 0.0, ""},
        // The largest float written out in full is a float.
        {"340282346638528859811704183484516925440", false, FLT_MAX, ""},
        // Just below the midpoint between the largest float and 2^128, which a double cannot
        // tell from the midpoint itself: rounded straight to float, it is the largest float.
        {"340282356779733661637539395458142568447", false, FLT_MAX, ""},
        {"1.7976931348623157e308", true, DBL_MAX, ""},
        // Just above the midpoint between two floats, which a double rounds onto; rounding that
        // double again would give the even one below.
        {"500050000.000000020000000", false, 500050016.0, ""},
    };
    for (const DoubleCase& c : cases)
    {
        SCOPED_TRACE(std::string(c.text) + (c.isDouble ? " as double" : " as float"));
        RecordingListener listener;
        EXPECT_EQ(BitsOf(c.stored, c.isDouble), ConvertDouble(c.text, c.isDouble, listener));
        EXPECT_EQ(c.posted, listener.Posted());
    }
}

TEST(DoubleLiteral, NaNIsTheQuietNaNOfEachType)
{
    RecordingListener listener;
    EXPECT_EQ(0x7FF8000000000000ull, ConvertDouble("NaN", true, listener));
    EXPECT_EQ(0x555555557FC00000ull, ConvertDouble("nan", false, listener));
    EXPECT_EQ("", listener.Posted());
}

TEST(DoubleLiteral, RefusesOverflowAndTextThatIsNoNumberWithoutStoring)
{
    const DoubleCase cases[] = {
        {"1e400", true, 0, "NumericValOutOfRange(0)"},
        {"-1e400", true, 0, "NumericValOutOfRange(1)"},
        {"3.5e38", false, 0, "NumericValOutOfRange(0)"},
        // The midpoint itself rounds to even, beyond the largest float.
        {"340282356779733661637539395458142568448", false, 0, "NumericValOutOfRange(0)"},
        {"-3.5e38", false, 0, "NumericValOutOfRange(1)"},
        {"in", true, 0, "InvalidCharValForCast"},
        {"1.5x", true, 0, "InvalidCharValForCast"},
        {"  ", true, 0, "InvalidCharValForCast"},
        // Special words are matched with their trailing blanks.
        {"inf ", true, 0, "InvalidCharValForCast"},
    };
    for (const DoubleCase& c : cases)
    {
        SCOPED_TRACE(c.text);
        RecordingListener listener;
        EXPECT_EQ(UNTOUCHED_BITS, ConvertDouble(c.text, c.isDouble, listener));
        EXPECT_EQ(c.posted, listener.Posted());
    }
    RecordingListener listener;
    LiteralParser::ConvertCharToDouble("1e400", 5, nullptr, true, listener);
    EXPECT_EQ("NumericValOutOfRange(0)", listener.Posted());
}

TEST(BitLiteral, StoresZeroOrOneAndTruncatesBetween)
{
    struct Case
    {
        const char* text;
        int stored;
        const char* posted;
    };
    const Case cases[] = {
        {"0", 0, ""},
        {" 1 ", 1, ""},
        {"1.0", 1, ""},
        {"0E5", 0, ""},
        {"0.5", 0, "FractionalTrunc(0)"},
        {"1.5", 1, "FractionalTrunc(1)"},
        {"2", -1, "NumericValOutOfRange(0)"},
        {"-0.1", -1, "NumericValOutOfRange(1)"},
        {"", -1, "NumericValOutOfRange(2)"},
        {"inf", -1, "NumericValOutOfRange(2)"},
        {"abc", -1, "InvalidCharValForCast"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        uint8_t bit = 0xFF;
        RecordingListener listener;
        LiteralParser::ConvertCharToBit(c.text, std::strlen(c.text), &bit, listener);
        EXPECT_EQ(c.stored, bit == 0xFF ? -1 : bit);
        EXPECT_EQ(c.posted, listener.Posted());
    }
    RecordingListener listener;
    LiteralParser::ConvertCharToBit("0.5", 3, nullptr, listener);
    EXPECT_EQ("FractionalTrunc(0)", listener.Posted());
}
