// Character text into integers, exact numerics, floating-point values and bits, from application
// buffers (narrow and wide) and from SQL-side character values.

#include "ToSqlTestSupport.h"

#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"

#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

/// Where the text comes from.
enum Source
{
    C_TEXT,
    SQL_TEXT
};

struct TextCase
{
    Source source;
    std::string text;
    TDWType target;
    const char* expected;
};

const char* const INVALID = "InvalidCharValForCast | kept";
const char* const OUT_ABOVE = "NumericValOutOfRange(0) | kept";
const char* const OUT_BELOW = "NumericValOutOfRange(1) | kept";
const char* const NO_DIRECTION = "NumericValOutOfRange(2) | kept";

/// ASCII text as UTF-16LE code units.
std::string Utf16(const std::string& in_text)
{
    std::string units;
    for (char c : in_text)
    {
        units += c;
        units += '\0';
    }
    return units;
}

class CharacterToNumberTest : public EncodingsRestored
{
protected:
    CharacterToNumberTest() { orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE); }

    /// Converts in_bytes of the character type in_type (a C type: an application buffer of
    /// in_length bytes, -1 for all of them; a SQL type: a SQL-side value) into a new number of
    /// in_target.
    static std::string Convert(TDWType in_type,
                               const std::string& in_bytes,
                               TDWType in_target,
                               TargetShape in_shape = {},
                               int64_t in_length = -1)
    {
        return ConvertIntoNumber(in_target, in_shape, [&](SqlData& io_target) {
            if (in_type < TDW_SQL_CHAR)
            {
                Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(in_type));
                std::string bytes = in_bytes + "9";
                wrapper.SetData(&bytes[0]);
                wrapper.SetDataLength(in_length == -1 ? static_cast<int64_t>(in_bytes.size()) : in_length);
                return ConverterOfCell(in_type, in_target)->Convert(wrapper, io_target);
            }
            const bool isWide = in_type >= TDW_SQL_WCHAR;
            SqlValue source(in_type);
            source.Metadata().SetEncoding(isWide ? ENC_UTF16_LE : ENC_UTF8);
            source.Set(in_bytes);
            return SqlSideOf(ConverterOfCell(isWide ? TDW_C_WCHAR : TDW_C_CHAR, in_target))
                ->Convert(source.Data(), io_target);
        });
    }

    /// Each case from a narrow application buffer or SQL-side value, and the same text wide.
    static void Check(const TextCase* in_cases, size_t in_count, TargetShape in_shape = {})
    {
        for (size_t i = 0; i < in_count; ++i)
        {
            const TextCase& c = in_cases[i];
            const bool isC = c.source == C_TEXT;
            EXPECT_EQ(c.expected, Convert(isC ? TDW_C_CHAR : TDW_SQL_VARCHAR, c.text, c.target, in_shape))
                << "[" << c.text << "] to " << c.target;
            EXPECT_EQ(c.expected, Convert(isC ? TDW_C_WCHAR : TDW_SQL_WLONGVARCHAR, Utf16(c.text), c.target, in_shape))
                << "wide [" << c.text << "] to " << c.target;
        }
    }
};

} // namespace

TEST_F(CharacterToNumberTest, IntegersTakeSpacesAroundANumberAndNothingElse)
{
    const TextCase cases[] = {
        {C_TEXT, "  -12  ", TDW_SQL_STINYINT, " | -12"},
        {C_TEXT, "+42", TDW_SQL_UTINYINT, " | 42"},
        {C_TEXT, "\t12", TDW_SQL_STINYINT, INVALID},
        {C_TEXT, "12\t", TDW_SQL_SINTEGER, INVALID},
        {C_TEXT, "", TDW_SQL_SINTEGER, INVALID},
        {SQL_TEXT, "   ", TDW_SQL_UBIGINT, INVALID},
        {C_TEXT, "2.000", TDW_SQL_SINTEGER, " | 2"},
        {C_TEXT, "2e0", TDW_SQL_SINTEGER, " | 2"},
        {C_TEXT, "1e3", TDW_SQL_SSMALLINT, " | 1000"},
        {C_TEXT, "1.5e1", TDW_SQL_USMALLINT, " | 15"},
        {C_TEXT, "1 000", TDW_SQL_SINTEGER, INVALID},
        {C_TEXT, "1,000", TDW_SQL_SINTEGER, INVALID},
        {C_TEXT, "12abc", TDW_SQL_SINTEGER, INVALID},
        {C_TEXT, "0x1F", TDW_SQL_SINTEGER, INVALID},
        {C_TEXT, "+", TDW_SQL_SINTEGER, INVALID},
        {SQL_TEXT, ".", TDW_SQL_SINTEGER, INVALID},
        // A NUL is no blank for an integer.
        {C_TEXT, std::string("12\0", 3), TDW_SQL_SINTEGER, INVALID},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST_F(CharacterToNumberTest, IntegersCutFractionsStrictlyFromApplicationsAndRefuseWhatTheyCannotHold)
{
    const TextCase cases[] = {
        {C_TEXT, "1.5", TDW_SQL_SINTEGER, "StrRightTruncErr | 1"},
        {C_TEXT, "-7.9", TDW_SQL_SBIGINT, "StrRightTruncErr | -7"},
        {SQL_TEXT, "1.5", TDW_SQL_SINTEGER, "FractionalTrunc(1) | 1"},
        {SQL_TEXT, "-1.5", TDW_SQL_SINTEGER, "FractionalTrunc(0) | -1"},
        {SQL_TEXT, "42.000", TDW_SQL_UINTEGER, " | 42"},
        {C_TEXT, "128", TDW_SQL_STINYINT, OUT_ABOVE},
        {C_TEXT, "-129", TDW_SQL_STINYINT, OUT_BELOW},
        {C_TEXT, "-1", TDW_SQL_UTINYINT, OUT_BELOW},
        {SQL_TEXT, "-1", TDW_SQL_UBIGINT, OUT_BELOW},
        // Between -1 and 0 the truncated value is 0, which an unsigned target holds.
        {C_TEXT, "-0.5", TDW_SQL_UBIGINT, "StrRightTruncErr | 0"},
        {SQL_TEXT, "-0.5", TDW_SQL_UBIGINT, "FractionalTrunc(0) | 0"},
        {C_TEXT, "-0.9", TDW_SQL_UTINYINT, "StrRightTruncErr | 0"},
        {SQL_TEXT, "-1.5", TDW_SQL_USMALLINT, OUT_BELOW},
        {C_TEXT, "65536", TDW_SQL_USMALLINT, OUT_ABOVE},
        {C_TEXT, "18446744073709551615", TDW_SQL_UBIGINT, " | 18446744073709551615"},
        {C_TEXT, "9223372036854775808", TDW_SQL_SBIGINT, OUT_ABOVE},
        {C_TEXT, "-9223372036854775808", TDW_SQL_SBIGINT, " | -9223372036854775808"},
        {SQL_TEXT, "4294967296.5", TDW_SQL_UINTEGER, OUT_ABOVE},
        {SQL_TEXT, "127.9", TDW_SQL_STINYINT, "FractionalTrunc(1) | 127"},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST_F(CharacterToNumberTest, TheSpecialWordsAreOutOfRangeForIntegersAndExactNumbers)
{
    const std::pair<const char*, const char*> words[] = {
        {"inf", "NumericValOutOfRange(0) | kept"},
        {"INFINITY", "NumericValOutOfRange(0) | kept"},
        {"Infinit", "NumericValOutOfRange(0) | kept"},
        {"  inf  ", "NumericValOutOfRange(0) | kept"},
        {"-inf", "NumericValOutOfRange(1) | kept"},
        {"-Infinity", "NumericValOutOfRange(1) | kept"},
        {"nan", "NumericValOutOfRange(2) | kept"},
        {"NaN", "NumericValOutOfRange(2) | kept"},
        {"in", INVALID},
        {"nana", INVALID},
        {"-in", INVALID},
        {"infinityy", INVALID},
    };
    for (const auto& word : words)
    {
        for (TDWType target : {TDW_SQL_STINYINT, TDW_SQL_UBIGINT, TDW_SQL_NUMERIC, TDW_SQL_DECIMAL})
        {
            for (TDWType source : {TDW_C_CHAR, TDW_SQL_CHAR})
            {
                EXPECT_EQ(word.second, Convert(source, word.first, target)) << word.first << " to " << target;
            }
        }
    }
}

TEST_F(CharacterToNumberTest, OnlyTheCountedBytesAreRead)
{
    EXPECT_EQ(" | 12", Convert(TDW_C_CHAR, "12345", TDW_SQL_SINTEGER, {}, 2));
    EXPECT_EQ(" | 12", Convert(TDW_C_CHAR, "12.5", TDW_SQL_DOUBLE, {}, 2));
    EXPECT_EQ(" | 1", Convert(TDW_C_CHAR, "12", TDW_SQL_BIT, {}, 1));
    EXPECT_EQ(" | 12", Convert(TDW_C_WCHAR, Utf16("12345"), TDW_SQL_NUMERIC, {}, 5));
    EXPECT_EQ(INVALID, Convert(TDW_C_CHAR, "12", TDW_SQL_SINTEGER, {}, -3));
    // A wide character beyond one byte belongs to no number.
    EXPECT_EQ(INVALID, Convert(TDW_C_WCHAR, Utf16("1") + std::string("\x00\x01", 2), TDW_SQL_SINTEGER));
    EXPECT_EQ(INVALID, Convert(TDW_SQL_WVARCHAR, std::string("\x32\x01", 2), TDW_SQL_REAL));
}

TEST_F(CharacterToNumberTest, ExactNumbersAreFittedToTheTargetStrictlyFromApplications)
{
    const TextCase cases[] = {
        {C_TEXT, "12.345", TDW_SQL_NUMERIC, "StrRightTruncErr | 12.34"},
        {SQL_TEXT, "12.345", TDW_SQL_NUMERIC, "FractionalTrunc(1) | 12.34"},
        {SQL_TEXT, "-12.345", TDW_SQL_DECIMAL, "FractionalTrunc(0) | -12.34"},
        {C_TEXT, "12.340", TDW_SQL_NUMERIC, " | 12.34"},
        {C_TEXT, "1.5", TDW_SQL_DECIMAL, " | 1.50"},
        {C_TEXT, "  12  ", TDW_SQL_NUMERIC, " | 12.00"},
        // Trailing NULs count as blanks here.
        {C_TEXT, std::string(" 12\0\0", 5), TDW_SQL_NUMERIC, " | 12.00"},
        {C_TEXT, std::string("1\0" "2", 3), TDW_SQL_NUMERIC, INVALID},
        // Too many integral digits: judged on the value, so an exponent cannot hide them.
        {SQL_TEXT, "123456", TDW_SQL_DECIMAL, OUT_ABOVE},
        {SQL_TEXT, "-1e5", TDW_SQL_NUMERIC, OUT_BELOW},
        {C_TEXT, "123456", TDW_SQL_DECIMAL, "StrRightTruncErr | kept"},
        {C_TEXT, "1e5", TDW_SQL_NUMERIC, "StrRightTruncErr | kept"},
        {C_TEXT, "1e-300", TDW_SQL_NUMERIC, "StrRightTruncErr | 0.00"},
        {SQL_TEXT, "9999.999", TDW_SQL_NUMERIC, "FractionalTrunc(1) | 9999.99"},
        {C_TEXT, "", TDW_SQL_NUMERIC, INVALID},
        {C_TEXT, "1.2.3", TDW_SQL_NUMERIC, INVALID},
        {C_TEXT, "NaN", TDW_SQL_NUMERIC, NO_DIRECTION},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]), {6, 2});
}

TEST_F(CharacterToNumberTest, FloatingValuesAtTheirLimits)
{
    const TextCase cases[] = {
        {C_TEXT, "  1.5  ", TDW_SQL_REAL, " | 1.5"},
        {SQL_TEXT, "  1.5  ", TDW_SQL_DOUBLE, " | 1.5"},
        {C_TEXT, "\t-1.5", TDW_SQL_FLOAT, " | -1.5"},
        {C_TEXT, "1.5\t", TDW_SQL_REAL, INVALID},
        {C_TEXT, "", TDW_SQL_REAL, INVALID},
        {SQL_TEXT, "   ", TDW_SQL_DOUBLE, INVALID},
        {C_TEXT, "1.5x", TDW_SQL_DOUBLE, INVALID},
        {C_TEXT, "0x10", TDW_SQL_DOUBLE, INVALID},
        // The special words, which take no trailing blank.
        {C_TEXT, "inf", TDW_SQL_REAL, " | inf"},
        {C_TEXT, "Infinity", TDW_SQL_DOUBLE, " | inf"},
        {SQL_TEXT, "INF", TDW_SQL_FLOAT, " | inf"},
        {C_TEXT, "-inf", TDW_SQL_REAL, " | -inf"},
        {C_TEXT, "nan", TDW_SQL_DOUBLE, " | nan"},
        {C_TEXT, "inf ", TDW_SQL_REAL, INVALID},
        // The largest single is in range; what rounds beyond it is not.
        {C_TEXT, "3.4028234663852886e38", TDW_SQL_REAL, " | 3.40282347e+38"},
        {C_TEXT, "-3.4028234663852886e38", TDW_SQL_REAL, " | -3.40282347e+38"},
        {C_TEXT, "3.5e38", TDW_SQL_REAL, OUT_ABOVE},
        {C_TEXT, "1e39", TDW_SQL_REAL, OUT_ABOVE},
        {SQL_TEXT, " -1e39", TDW_SQL_REAL, OUT_BELOW},
        {C_TEXT, "1.1754943508222875e-38", TDW_SQL_REAL, " | 1.17549435e-38"},
        {C_TEXT, "1e-40", TDW_SQL_REAL, " | 0"},
        {C_TEXT, "-1e-40", TDW_SQL_REAL, " | 0"},
        {C_TEXT, "1.7976931348623157e308", TDW_SQL_DOUBLE, " | 1.7976931348623157e+308"},
        {C_TEXT, "1e309", TDW_SQL_DOUBLE, OUT_ABOVE},
        {SQL_TEXT, "-1e309", TDW_SQL_FLOAT, OUT_BELOW},
        {C_TEXT, "2.2250738585072014e-308", TDW_SQL_DOUBLE, " | 2.2250738585072014e-308"},
        {C_TEXT, "1e-310", TDW_SQL_DOUBLE, " | 0"},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}

TEST_F(CharacterToNumberTest, BitsTakeZeroOneAndFractionsBelowTwo)
{
    const TextCase cases[] = {
        {C_TEXT, "0", TDW_SQL_BIT, " | 0"},
        {C_TEXT, " 1 ", TDW_SQL_BIT, " | 1"},
        {C_TEXT, "0.0", TDW_SQL_BIT, " | 0"},
        {C_TEXT, "1e0", TDW_SQL_BIT, " | 1"},
        {C_TEXT, "+1", TDW_SQL_BIT, " | 1"},
        {SQL_TEXT, "00", TDW_SQL_BIT, " | 0"},
        {C_TEXT, "0.5", TDW_SQL_BIT, "FractionalTrunc(0) | 0"},
        {SQL_TEXT, "1.5", TDW_SQL_BIT, "FractionalTrunc(1) | 1"},
        {C_TEXT, "2", TDW_SQL_BIT, OUT_ABOVE},
        {C_TEXT, "10", TDW_SQL_BIT, OUT_ABOVE},
        {C_TEXT, "-1", TDW_SQL_BIT, OUT_BELOW},
        {SQL_TEXT, "-0.5", TDW_SQL_BIT, OUT_BELOW},
        {C_TEXT, "inf", TDW_SQL_BIT, NO_DIRECTION},
        {C_TEXT, "-inf", TDW_SQL_BIT, NO_DIRECTION},
        {C_TEXT, "nan", TDW_SQL_BIT, NO_DIRECTION},
        {C_TEXT, "", TDW_SQL_BIT, NO_DIRECTION},
        {SQL_TEXT, "   ", TDW_SQL_BIT, NO_DIRECTION},
        {C_TEXT, "yes", TDW_SQL_BIT, INVALID},
        {C_TEXT, "true", TDW_SQL_BIT, INVALID},
    };
    Check(cases, sizeof(cases) / sizeof(cases[0]));
}
