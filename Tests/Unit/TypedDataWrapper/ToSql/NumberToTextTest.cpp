// Bits, integers, floating-point values and exact numerics into character values, from
// application buffers and from SQL-side values, into narrow and UTF-16 targets: the text, the
// terminator of an application's value, and the two lengths.

#include "ToTextTestSupport.h"

#include "Support/TypedDataWrapper/Conversions/NumberToText.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "Unit/TypedDataWrapper/ConversionSettingsGuard.h"

#include <gtest/gtest.h>

#include <sqltypes.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

/// One value of a source type, its target and the outcome ToTextRun writes.
struct TextCase
{
    TDWType source;
    std::string image;
    CharTarget target;
    const char* expected;
};

/// The kernel that the SQL-to-SQL cells of a number source into a target of in_target's kind use.
ToSqlKernel SqlKernelOf(TDWType in_source, CharTarget in_target)
{
    switch (in_source)
    {
    case TDW_SQL_BIT:
        return &NumberToText::BitToText;
    case TDW_SQL_STINYINT:
        return &NumberToText::IntegerToText<int8_t>;
    case TDW_SQL_UTINYINT:
        return &NumberToText::IntegerToText<uint8_t>;
    case TDW_SQL_SSMALLINT:
        return &NumberToText::IntegerToText<int16_t>;
    case TDW_SQL_USMALLINT:
        return &NumberToText::IntegerToText<uint16_t>;
    case TDW_SQL_SINTEGER:
        return &NumberToText::IntegerToText<int32_t>;
    case TDW_SQL_UINTEGER:
        return &NumberToText::IntegerToText<uint32_t>;
    case TDW_SQL_SBIGINT:
        return &NumberToText::IntegerToText<int64_t>;
    case TDW_SQL_UBIGINT:
        return &NumberToText::IntegerToText<uint64_t>;
    case TDW_SQL_REAL:
        return &NumberToText::FloatingToText<float>;
    case TDW_SQL_FLOAT:
    case TDW_SQL_DOUBLE:
        return &NumberToText::FloatingToText<double>;
    default:
        return in_target.encoding == ENC_UTF8 ? &NumberToText::ExactToNarrowText : &NumberToText::ExactToWideText;
    }
}

std::string ToText(const TextCase& in_case)
{
    if (in_case.source >= TDW_SQL_CHAR)
    {
        return SqlToText(in_case.source, SqlKernelOf(in_case.source, in_case.target), in_case.image, in_case.target);
    }
    return ApplicationToText(in_case.source, in_case.image, in_case.target);
}

void ExpectTexts(const TextCase* in_cases, size_t in_count)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        EXPECT_EQ(in_cases[i].expected, ToText(in_cases[i])) << "case " << i << ": " << in_cases[i].source;
    }
}

template <size_t in_count>
void ExpectTexts(const TextCase (&in_cases)[in_count])
{
    ExpectTexts(in_cases, in_count);
}

/// The application's numeric structure of in_magnitude (little-endian) with in_scale and in_sign.
std::string NumericStruct(uint64_t in_magnitude, int8_t in_scale, uint8_t in_sign)
{
    SQL_NUMERIC_STRUCT numeric;
    std::memset(&numeric, 0, sizeof(numeric));
    numeric.precision = 38;
    numeric.scale = in_scale;
    numeric.sign = in_sign;
    std::memcpy(numeric.val, &in_magnitude, sizeof(in_magnitude));
    return Image(numeric);
}

} // namespace

TEST(NumberToText, IntegersAndBitsAreWrittenInDecimalAtTheLimitsOfEveryWidth)
{
    const TextCase cases[] = {
        // An application's value gets a terminator that its length counts; a SQL value none.
        {TDW_C_STINYINT, Image<int8_t>(-128), NARROW, " | -128\\0 | 5/4"},
        {TDW_SQL_STINYINT, Image<int8_t>(-128), NARROW, " | -128 | 4/4"},
        {TDW_C_UTINYINT, Image<uint8_t>(255), NARROW, " | 255\\0 | 4/3"},
        {TDW_C_SSHORT, Image<int16_t>(-32768), NARROW, " | -32768\\0 | 7/6"},
        {TDW_SQL_USMALLINT, Image<uint16_t>(65535), NARROW, " | 65535 | 5/5"},
        {TDW_C_SLONG, Image<int32_t>(INT32_MIN), NARROW, " | -2147483648\\0 | 12/11"},
        {TDW_SQL_UINTEGER, Image<uint32_t>(UINT32_MAX), NARROW, " | 4294967295 | 10/10"},
        {TDW_C_SBIGINT, Image<int64_t>(INT64_MIN), NARROW, " | -9223372036854775808\\0 | 21/20"},
        {TDW_SQL_SBIGINT, Image<int64_t>(INT64_MAX), NARROW, " | 9223372036854775807 | 19/19"},
        {TDW_C_UBIGINT, Image<uint64_t>(UINT64_MAX), NARROW, " | 18446744073709551615\\0 | 21/20"},
        {TDW_C_SLONG, Image<int32_t>(0), NARROW, " | 0\\0 | 2/1"},
        {TDW_SQL_SBIGINT, Image<int64_t>(0), NARROW, " | 0 | 1/1"},
        // The plain SQL_C_TINYINT id reads its byte unsigned; a bound buffer's id is signed.
        {TDW_C_TINYINT, Image<uint8_t>(0xFF), NARROW, " | 255\\0 | 4/3"},
        {TDW_C_STINYINT, Image<uint8_t>(0xFF), NARROW, " | -1\\0 | 3/2"},
        {TDW_C_SHORT, Image<int16_t>(-7), NARROW, " | -7\\0 | 3/2"},
        {TDW_C_LONG, Image<int32_t>(-7), NARROW, " | -7\\0 | 3/2"},
        // Any byte but 0 is a set bit.
        {TDW_C_BIT, Image<uint8_t>(2), NARROW, " | 1\\0 | 2/1"},
        {TDW_C_BIT, Image<uint8_t>(0), NARROW, " | 0\\0 | 2/1"},
        {TDW_SQL_BIT, Image<uint8_t>(1), NARROW, " | 1 | 1/1"},
        // UTF-16 targets: one code unit per character, lengths in bytes.
        {TDW_C_SLONG, Image<int32_t>(42), UTF16, " | 42\\0 | 6/4"},
        {TDW_SQL_SINTEGER, Image<int32_t>(42), UTF16, " | 42 | 4/4"},
        {TDW_C_SBIGINT, Image<int64_t>(INT64_MIN), UTF16, " | -9223372036854775808\\0 | 42/40"},
        {TDW_C_BIT, Image<uint8_t>(200), UTF16, " | 1\\0 | 4/2"},
        {TDW_SQL_BIT, Image<uint8_t>(0), UTF16, " | 0 | 2/2"},
    };
    ExpectTexts(cases);
}

TEST(NumberToText, AHolderThatCannotTakeTheWholeNumberIsNotWritten)
{
    ToTextRun integer(TDW_C_STINYINT, NARROW);
    integer.CapTarget(4);
    EXPECT_EQ("NumericValOutOfRange(2) | .... | 4/4", integer.Run(Image<int8_t>(-128)));

    ToTextRun bit(TDW_SQL_BIT, &NumberToText::BitToText, UTF16);
    bit.CapTarget(1);
    EXPECT_EQ("NumericValOutOfRange(2) |  | 1/2", bit.Run(Image<uint8_t>(1)));
}

TEST(NumberToText, FloatingValuesKeepTheirSignificantDigitsAndAThreeDigitExponent)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    const TextCase cases[] = {
        {TDW_C_FLOAT, Image(0.1f), NARROW, " | 0.1\\0 | 4/3"},
        {TDW_C_DOUBLE, Image(0.1), NARROW, " | 0.1\\0 | 4/3"},
        {TDW_C_FLOAT, Image(16777217.0f), NARROW, " | 16777216\\0 | 9/8"},
        {TDW_C_DOUBLE, Image(1.0 / 3), NARROW, " | 0.333333333333333\\0 | 18/17"},
        {TDW_C_DOUBLE, Image(1e20), NARROW, " | 1e+020\\0 | 7/6"},
        {TDW_C_DOUBLE, Image(1e-16), NARROW, " | 1e-016\\0 | 7/6"},
        {TDW_C_DOUBLE, Image(2147483648.0), NARROW, " | 2147483648\\0 | 11/10"},
        {TDW_C_DOUBLE, Image(0.0), NARROW, " | 0\\0 | 2/1"},
        {TDW_C_DOUBLE, Image(-2.5), NARROW, " | -2.5\\0 | 5/4"},
        // A float below its plain range takes the exponent form, the same value as a double not.
        {TDW_C_FLOAT, Image(1.5e-8f), NARROW, " | 1.5e-008\\0 | 9/8"},
        {TDW_C_DOUBLE, Image(1.5e-8), NARROW, " | 0.000000015\\0 | 12/11"},
        {TDW_SQL_REAL, Image(123456789.0f), NARROW, " | 123456792 | 9/9"},
        {TDW_SQL_FLOAT, Image(-1e300), NARROW, " | -1e+300 | 7/7"},
        // NaN and the infinities by name.
        {TDW_C_DOUBLE, Image(nan), NARROW, " | NaN\\0 | 4/3"},
        {TDW_SQL_DOUBLE, Image(infinity), NARROW, " | INFINITY | 8/8"},
        {TDW_C_FLOAT, Image(-std::numeric_limits<float>::infinity()), NARROW, " | -INFINITY\\0 | 10/9"},
        {TDW_C_DOUBLE, Image(-1.25), UTF16, " | -1.25\\0 | 12/10"},
        {TDW_SQL_DOUBLE, Image(-infinity), UTF16, " | -INFINITY | 18/18"},
        {TDW_SQL_REAL, Image(0.5f), UTF16, " | 0.5 | 6/6"},
    };
    ExpectTexts(cases);
}

TEST(NumberToText, AShortHolderCutsFractionDigitsButNeverTheIntegralPartOrAName)
{
    struct CutCase
    {
        TDWType source;
        std::string image;
        uint32_t capacity;
        const char* expected;
    };
    // The converted length counts what was written, which is all that is read of the value.
    const CutCase cases[] = {
        // An application's value keeps the last place for its terminator.
        {TDW_C_DOUBLE, Image(123.456), 6, "FractionalTrunc(1) | 123.4\\0 | 6/5"},
        {TDW_C_DOUBLE, Image(-123.456), 6, "FractionalTrunc(0) | -123.\\0 | 6/5"},
        {TDW_SQL_DOUBLE, Image(123.456), 5, "FractionalTrunc(1) | 123.4 | 5/5"},
        {TDW_SQL_DOUBLE, Image(123.456), 2, "NumericValOutOfRange(2) | .. | 2/0"},
        {TDW_SQL_DOUBLE, Image(123456.0), 5, "NumericValOutOfRange(2) | ..... | 5/0"},
        {TDW_C_DOUBLE, Image(std::numeric_limits<double>::quiet_NaN()), 3, "NumericValOutOfRange(2) | ... | 3/0"},
    };
    for (const CutCase& c : cases)
    {
        ToTextRun run = c.source == TDW_SQL_DOUBLE ? ToTextRun(c.source, &NumberToText::FloatingToText<double>, NARROW)
                                                   : ToTextRun(c.source, NARROW);
        run.CapTarget(c.capacity);
        EXPECT_EQ(c.expected, run.Run(c.image)) << c.capacity;
    }
}

TEST(NumberToText, ExactNumericsShowEveryDigitOfTheirScaleWithoutAnExponent)
{
    const TextCase cases[] = {
        {TDW_SQL_DECIMAL, NumericImage("123.450"), NARROW, " | 123.450 | 7/7"},
        {TDW_SQL_NUMERIC, NumericImage("-0.05"), NARROW, " | -.05 | 4/4"},
        {TDW_SQL_NUMERIC, NumericImage("12E2"), NARROW, " | 1200 | 4/4"},
        {TDW_SQL_NUMERIC, NumericImage("0.0000"), NARROW, " | 0 | 1/1"},
        // The application's structure: its own scale, a sign byte of 0 for a negative value.
        {TDW_C_NUMERIC, NumericStruct(12345, 2, 1), NARROW, " | 123.45\\0 | 7/6"},
        {TDW_C_NUMERIC, NumericStruct(12345, 2, 0), NARROW, " | -123.45\\0 | 8/7"},
        {TDW_C_NUMERIC, NumericStruct(7, -2, 1), NARROW, " | 700\\0 | 4/3"},
        {TDW_C_NUMERIC, NumericStruct(12345, 2, 2), UTF16, " | 123.45\\0 | 14/12"},
        // A zero keeps its fraction digits: the one-digit zero is for SQL-side values.
        {TDW_C_NUMERIC, NumericStruct(0, 2, 1), NARROW, " | .00\\0 | 4/3"},
    };
    ExpectTexts(cases);

    // The widest scale a structure's byte holds: 107 zeros before the 20 digits of the magnitude.
    EXPECT_EQ(" | -." + std::string(107, '0') + "18446744073709551615\\0 | 130/129",
              ApplicationToText(TDW_C_NUMERIC, NumericStruct(UINT64_MAX, 127, 0), NARROW));
}

TEST(NumberToText, TheTwoSwitchesShapeTheZeroAndTheMissingIntegralDigits)
{
    const ConversionSettingsGuard restored;
    struct SwitchCase
    {
        bool zeroAsDigit;
        bool leadingZero;
        std::string image;
        const char* expected;
    };
    const SwitchCase cases[] = {
        {true, false, NumericImage("0.0000"), " | 0 | 1/1"},
        {false, false, NumericImage("0.0000"), " | .0000 | 5/5"},
        {false, true, NumericImage("0.0000"), " | 0.0000 | 6/6"},
        {true, true, NumericImage("-0.05"), " | -0.05 | 5/5"},
        {true, false, NumericImage("0"), " | 0 | 1/1"},
        {false, false, NumericImage("0"), " | 0 | 1/1"},
    };
    for (const SwitchCase& c : cases)
    {
        ConversionSettings::NumericZeroAsDigit = c.zeroAsDigit;
        ConversionSettings::NumericLeadingZero = c.leadingZero;
        EXPECT_EQ(c.expected, SqlToText(TDW_SQL_NUMERIC, &NumberToText::ExactToNarrowText, c.image, NARROW))
            << c.zeroAsDigit << c.leadingZero;
    }
    ConversionSettings::NumericZeroAsDigit = false;
    ConversionSettings::NumericLeadingZero = true;
    EXPECT_EQ(" | 0.00\\0 | 5/4", ApplicationToText(TDW_C_NUMERIC, NumericStruct(0, 2, 1), NARROW));
}

TEST(NumberToText, ASqlSideExactNumericTooLongForItsRoomLosesFractionDigits)
{
    // A narrow target has 128 characters of room; the converted length counts what was written.
    const std::string cut =
        SqlToText(TDW_SQL_NUMERIC, &NumberToText::ExactToNarrowText, NumericImage("1E-200"), NARROW);
    EXPECT_EQ("StrRightTrunc | ." + std::string(127, '0') + " | 128/128", cut);

    // A holder that stays shorter has less room; a point left without digits goes.
    ToTextRun narrow(TDW_SQL_NUMERIC, &NumberToText::ExactToNarrowText, NARROW);
    narrow.CapTarget(4);
    EXPECT_EQ("StrRightTrunc | 123 | 3/3", narrow.Run(NumericImage("123.5")));
    EXPECT_EQ("NumericValOutOfRange(2) | 123. | 4/0", narrow.Run(NumericImage("-123.5")));

    // A wide target's room is its column size; what is written is what is counted.
    ToTextRun wide(TDW_SQL_NUMERIC, &NumberToText::ExactToWideText, UTF16);
    wide.TargetMetadata().SetLengthOrIntervalPrecision(7);
    EXPECT_EQ(" | 123.450 | 14/14", wide.Run(NumericImage("123.450")));
    wide.TargetMetadata().SetLengthOrIntervalPrecision(5);
    EXPECT_EQ("StrRightTrunc | 123.4 | 10/10", wide.Run(NumericImage("123.456")));
    EXPECT_EQ("StrRightTrunc | 1234 | 8/8", wide.Run(NumericImage("1234.5")));
    EXPECT_EQ(" | -1234 | 10/10", wide.Run(NumericImage("-1234")));
    EXPECT_EQ("NumericValOutOfRange(2) | -1234 | 10/10", wide.Run(NumericImage("123456")));
}

TEST(NumberToText, AnInvalidSqlSideExactNumericIsRefused)
{
    std::string image = NumericImage("1");
    image[0] = 1;
    EXPECT_EQ("NumericValOutOfRange(2) |  | 0/0",
              SqlToText(TDW_SQL_NUMERIC, &NumberToText::ExactToNarrowText, image, NARROW));
}
