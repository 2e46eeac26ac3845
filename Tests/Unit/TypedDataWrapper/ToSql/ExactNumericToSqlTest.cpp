// Numbers into NUMERIC and DECIMAL values, and exact numbers (SQL-side values and the
// application's numeric structure) into integers, floating-point values and bits.

#include "ToSqlTestSupport.h"

#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

const char* const OUT_ABOVE = "NumericValOutOfRange(0) | kept";
const char* const OUT_BELOW = "NumericValOutOfRange(1) | kept";
const char* const UNREADABLE = "NumericValOutOfRange(2) | kept";

/// The application's numeric structure: precision byte 10, its own scale byte, a sign byte and a
/// little-endian magnitude.
std::string NumericStruct(uint64_t in_magnitude,
                          uint8_t in_sign = 1,
                          int8_t in_ownScale = 0,
                          uint8_t in_precision = 10)
{
    std::string structure = {
        static_cast<char>(in_precision), static_cast<char>(in_ownScale), static_cast<char>(in_sign)};
    for (int i = 0; i < 16; ++i)
    {
        structure += static_cast<char>(i < 8 ? (in_magnitude >> (8 * i)) & 0xFF : 0);
    }
    return structure;
}

/// Converts the structure in_structure, bound with the parameter scale in_scale.
std::string ConvertStruct(const std::string& in_structure,
                          int16_t in_scale,
                          TDWType in_sqlType,
                          TargetShape in_shape = {})
{
    return ConvertIntoNumber(in_sqlType, in_shape, [&](SqlData& io_target) {
        Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(TDW_C_NUMERIC));
        wrapper.GetMetadata().SetScale(in_scale);
        std::string bytes = in_structure;
        wrapper.SetData(&bytes[0]);
        return ConverterOfCell(TDW_C_NUMERIC, in_sqlType)->Convert(wrapper, io_target);
    });
}

struct ExactCase
{
    const char* value;
    TargetShape shape;
    const char* expected;
};

/// A SQL-side NUMERIC or DECIMAL value written as text, through the rescaling of exact numbers.
void CheckSqlExact(TDWType in_source, TDWType in_target, const ExactCase* in_cases, size_t in_count)
{
    for (size_t i = 0; i < in_count; ++i)
    {
        const ExactCase& c = in_cases[i];
        EXPECT_EQ(c.expected, ConvertSqlNumber(in_source, NumericImage(c.value), in_target, c.shape))
            << c.value << " into (" << c.shape.precision << ", " << c.shape.scale << ")";
    }
}

} // namespace

TEST(ExactNumericToSql, SqlExactNumbersAreTruncatedOrWidenedToTheTargetsScale)
{
    const ExactCase cases[] = {
        {"123.456", {10, 2}, "FractionalTrunc(1) | 123.45"},
        {"-123.456", {10, 2}, "FractionalTrunc(0) | -123.45"},
        {"12.5", {10, 3}, " | 12.500"},
        {"99.995", {4, 2}, "FractionalTrunc(1) | 99.99"},
        {"-0.001", {2, 2}, "FractionalTrunc(0) | 0.00"},
        {"1.100", {10, 1}, " | 1.1"},
        {"5e2", {10, 1}, " | 500.0"},
        // The integral digits are held against the precision less the scale, after rescaling,
        // whatever precision the source declared.
        {"123.4", {5, 3}, OUT_ABOVE},
        {"123.4", {6, 3}, " | 123.400"},
        {"12345", {4, 0}, OUT_ABOVE},
        {"-12345", {4, 0}, OUT_BELOW},
        {"-99.999", {4, 2}, "FractionalTrunc(0) | -99.99"},
        {"0", {3, 3}, " | 0.000"},
        // Widening past what sixteen words hold is no value at all.
        {"1e70", {100, 10}, OUT_ABOVE},
        {"-1e70", {100, 10}, OUT_BELOW},
    };
    CheckSqlExact(TDW_SQL_NUMERIC, TDW_SQL_NUMERIC, cases, sizeof(cases) / sizeof(cases[0]));
    CheckSqlExact(TDW_SQL_DECIMAL, TDW_SQL_DECIMAL, cases, sizeof(cases) / sizeof(cases[0]));
}

TEST(ExactNumericToSql, AnSqlValueThatHoldsNoNumberIsRefused)
{
    TDWNumeric overflowed(int32_t{1});
    overflowed.ScaleUp(9000);
    ASSERT_FALSE(overflowed.IsValid());
    EXPECT_EQ(UNREADABLE, ConvertSqlNumber(TDW_SQL_NUMERIC, Image(overflowed), TDW_SQL_NUMERIC));
    EXPECT_EQ(UNREADABLE, ConvertSqlNumber(TDW_SQL_DECIMAL, Image(overflowed), TDW_SQL_SINTEGER));
    EXPECT_EQ(UNREADABLE, ConvertSqlNumber(TDW_SQL_NUMERIC, Image(overflowed), TDW_SQL_BIT));
}

TEST(ExactNumericToSql, TheApplicationsStructureMayNotLoseADigit)
{
    const std::string value = NumericStruct(12345);
    struct StructCase
    {
        std::string structure;
        int16_t scale;
        TargetShape shape;
        const char* expected;
    };
    const StructCase cases[] = {
        // The bound parameter's scale places the point; the structure's own scale byte does not.
        {value, 2, {10, 2}, " | 123.45"},
        {NumericStruct(12345, 1, 7), 2, {10, 2}, " | 123.45"},
        {NumericStruct(12345, 0), 2, {10, 2}, " | -123.45"},
        {NumericStruct(12345, 2), 2, {10, 2}, " | 123.45"},
        {value, 2, {10, 4}, " | 123.4500"},
        // A cut fraction is an error here, though the cut value is stored.
        {value, 2, {10, 1}, "NumericValOutOfRange(2) | 123.4"},
        {NumericStruct(12345, 0), 2, {10, 1}, "NumericValOutOfRange(2) | -123.4"},
        {value, 2, {5, 3}, OUT_ABOVE},
        {value, 0, {4, 0}, OUT_ABOVE},
        {NumericStruct(12345, 0), 0, {4, 0}, OUT_BELOW},
        // The structure's precision byte is not the judge: a 0 there refuses nothing.
        {NumericStruct(12345, 1, 0, 0), 2, {10, 2}, " | 123.45"},
        {NumericStruct(0, 0), 2, {10, 2}, " | 0.00"},
        {value, -2, {10, 0}, " | 1234500"},
        // The magnitude is unsigned, its top bit included.
        {std::string("\x28\x00\x01", 3) + std::string(15, '\0') + "\x80", 0, {40, 0},
         " | 170141183460469231731687303715884105728"},
        {value, 8192, {10, 2}, UNREADABLE},
        {value, -8192, {10, 2}, UNREADABLE},
    };
    for (const StructCase& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertStruct(c.structure, c.scale, TDW_SQL_NUMERIC, c.shape))
            << c.expected << " at scale " << c.scale;
    }
    EXPECT_EQ(" | 123.45", ConvertStruct(value, 2, TDW_SQL_DECIMAL, {10, 2}));
}

TEST(ExactNumericToSql, IntegersAndBitsKeepScaleZeroAndMustFitTheIntegralDigits)
{
    struct IntegerCase
    {
        TDWType source;
        std::string image;
        TargetShape shape;
        const char* expected;
    };
    const IntegerCase cases[] = {
        {TDW_C_SLONG, Image<int32_t>(-5), {10, 2}, " | -5"},
        {TDW_C_UBIGINT, Image<uint64_t>(UINT64_MAX), {20, 0}, " | 18446744073709551615"},
        {TDW_C_UBIGINT, Image<uint64_t>(UINT64_MAX), {19, 0}, OUT_ABOVE},
        {TDW_C_SBIGINT, Image<int64_t>(INT64_MIN), {19, 0}, " | -9223372036854775808"},
        {TDW_C_SSHORT, Image<int16_t>(1000), {2, 0}, OUT_ABOVE},
        {TDW_C_SSHORT, Image<int16_t>(-1000), {6, 2}, " | -1000"},
        {TDW_C_SSHORT, Image<int16_t>(-1000), {5, 2}, OUT_BELOW},
        {TDW_C_STINYINT, Image<int8_t>(-100), {4, 2}, OUT_BELOW},
        {TDW_C_UTINYINT, Image<uint8_t>(200), {3, 0}, " | 200"},
        {TDW_C_USHORT, Image<uint16_t>(65535), {5, 0}, " | 65535"},
        {TDW_C_ULONG, Image<uint32_t>(4294967295u), {10, 0}, " | 4294967295"},
        {TDW_C_BIT, Image<uint8_t>(7), {1, 0}, " | 1"},
        {TDW_C_BIT, Image<uint8_t>(0), {1, 0}, " | 0"},
        {TDW_C_BIT, Image<uint8_t>(1), {2, 2}, OUT_ABOVE},
        {TDW_SQL_SINTEGER, Image<int32_t>(-42), {2, 0}, " | -42"},
        {TDW_SQL_BIT, Image<uint8_t>(255), {1, 0}, " | 1"},
    };
    for (const IntegerCase& c : cases)
    {
        const std::string outcome = c.source >= TDW_SQL_CHAR
            ? ConvertSqlNumber(c.source, c.image, TDW_SQL_DECIMAL, c.shape)
            : ConvertNumber(c.source, c.image, TDW_SQL_NUMERIC, c.shape);
        EXPECT_EQ(c.expected, outcome) << c.source << " into (" << c.shape.precision << ", " << c.shape.scale << ")";
    }
}

TEST(ExactNumericToSql, FloatingValuesAreCutToTheTargetsScaleButNotWidened)
{
    struct FloatingCase
    {
        TDWType source;
        double value;
        TargetShape shape;
        const char* expected;
    };
    const FloatingCase cases[] = {
        // The decimal value is the shortest that reads back as the same number, with its own
        // scale: 0.1 rather than 0.10000 or 0.1000000000000000055511.
        {TDW_C_FLOAT, 0.1, {10, 5}, " | 0.1"},
        {TDW_C_DOUBLE, 0.1, {20, 19}, " | 0.1"},
        {TDW_C_DOUBLE, 2.5, {10, 4}, " | 2.5"},
        {TDW_C_FLOAT, 2.5, {10, 4}, " | 2.5"},
        {TDW_C_DOUBLE, 100.0, {10, 4}, " | 100"},
        {TDW_C_DOUBLE, 100.0, {3, 0}, " | 100"},
        {TDW_C_DOUBLE, 1.2345678901234567, {17, 16}, " | 1.2345678901234567"},
        {TDW_C_DOUBLE, 1.2345678901234567, {17, 15}, "FractionalTrunc(1) | 1.234567890123456"},
        {TDW_C_FLOAT, 1.5, {10, 0}, "FractionalTrunc(1) | 1"},
        {TDW_C_FLOAT, -1.5, {10, 0}, "FractionalTrunc(0) | -1"},
        {TDW_SQL_REAL, 0.1, {10, 5}, " | 0.1"},
        {TDW_C_DOUBLE, 123.456, {4, 2}, OUT_ABOVE},
        {TDW_C_DOUBLE, -123.456, {4, 2}, OUT_BELOW},
        {TDW_C_DOUBLE, 2.5, {10, 1}, " | 2.5"},
        {TDW_C_DOUBLE, 123.5, {4, 2}, OUT_ABOVE},
        {TDW_C_DOUBLE, 1e20, {25, 4}, " | 100000000000000000000"},
        {TDW_C_DOUBLE, 1e20, {24, 4}, OUT_ABOVE},
        {TDW_SQL_DOUBLE, 0.125, {3, 2}, "FractionalTrunc(1) | 0.12"},
        {TDW_SQL_FLOAT, -0.0, {3, 2}, " | 0"},
    };
    for (const FloatingCase& c : cases)
    {
        const bool isSingle = c.source == TDW_C_FLOAT || c.source == TDW_SQL_REAL;
        const std::string image = isSingle ? Image(static_cast<float>(c.value)) : Image(c.value);
        const std::string outcome = c.source >= TDW_SQL_CHAR
            ? ConvertSqlNumber(c.source, image, TDW_SQL_NUMERIC, c.shape)
            : ConvertNumber(c.source, image, TDW_SQL_DECIMAL, c.shape);
        EXPECT_EQ(c.expected, outcome) << c.source << " " << c.value;
    }
}

TEST(ExactNumericToSql, NaNAndInfinitiesHaveNoExactValue)
{
    const std::string images[] = {Image(std::numeric_limits<float>::quiet_NaN()),
                                  Image(std::numeric_limits<float>::infinity())};
    for (const std::string& image : images)
    {
        const RaisedError error =
            Capture<SupportException>([&] { ConvertNumber(TDW_C_FLOAT, image, TDW_SQL_NUMERIC); });
        EXPECT_EQ("TDWNumericValueError", error.key);
    }
    const RaisedError error = Capture<SupportException>(
        [&] { ConvertNumber(TDW_C_DOUBLE, Image(-std::numeric_limits<double>::infinity()), TDW_SQL_NUMERIC); });
    EXPECT_EQ("TDWNumericValueError", error.key);
}

TEST(ExactNumericToSql, ExactNumbersIntoIntegersAndFloatingValues)
{
    struct ToNumberCase
    {
        const char* value;
        TDWType target;
        const char* expected;
    };
    const ToNumberCase cases[] = {
        {"127.9", TDW_SQL_STINYINT, "FractionalTrunc(1) | 127"},
        {"128", TDW_SQL_STINYINT, OUT_ABOVE},
        {"-128.7", TDW_SQL_STINYINT, "FractionalTrunc(0) | -128"},
        {"-129", TDW_SQL_STINYINT, OUT_BELOW},
        // Every target judges the truncated value: -0.5 is 0, which fits the unsigned ones too.
        {"-0.5", TDW_SQL_SINTEGER, "FractionalTrunc(0) | 0"},
        {"-0.5", TDW_SQL_UINTEGER, "FractionalTrunc(0) | 0"},
        {"-0.5", TDW_SQL_UTINYINT, "FractionalTrunc(0) | 0"},
        {"-0.5", TDW_SQL_UBIGINT, "FractionalTrunc(0) | 0"},
        {"-1.5", TDW_SQL_UBIGINT, OUT_BELOW},
        {"12.00", TDW_SQL_SINTEGER, " | 12"},
        {"65535.99", TDW_SQL_USMALLINT, "FractionalTrunc(1) | 65535"},
        {"-9223372036854775808", TDW_SQL_SBIGINT, " | -9223372036854775808"},
        {"18446744073709551616", TDW_SQL_UBIGINT, OUT_ABOVE},
        {"1e30", TDW_SQL_REAL, " | 1.00000002e+30"},
        {"1e39", TDW_SQL_REAL, OUT_ABOVE},
        {"-1e39", TDW_SQL_REAL, OUT_BELOW},
        {"0.1", TDW_SQL_DOUBLE, " | 0.10000000000000001"},
        {"1e400", TDW_SQL_FLOAT, OUT_ABOVE},
    };
    for (const ToNumberCase& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertSqlNumber(TDW_SQL_NUMERIC, NumericImage(c.value), c.target))
            << c.value << " to " << c.target;
    }
}

TEST(ExactNumericToSql, TheApplicationsStructureLosesItsFractionSilentlyIntoIntegers)
{
    struct StructCase
    {
        std::string structure;
        int16_t scale;
        TDWType target;
        const char* expected;
    };
    const StructCase cases[] = {
        {NumericStruct(12345), 2, TDW_SQL_STINYINT, " | 123"},
        {NumericStruct(12345), 0, TDW_SQL_STINYINT, OUT_ABOVE},
        {NumericStruct(12345, 0), 2, TDW_SQL_STINYINT, " | -123"},
        {NumericStruct(5, 0), 1, TDW_SQL_UINTEGER, " | 0"},
        {NumericStruct(5, 0), 1, TDW_SQL_UBIGINT, " | 0"},
        {NumericStruct(15, 0), 1, TDW_SQL_UBIGINT, OUT_BELOW},
        {NumericStruct(1, 0), 0, TDW_SQL_UBIGINT, OUT_BELOW},
        {NumericStruct(15), 1, TDW_SQL_SBIGINT, " | 1"},
        {NumericStruct(12345), 2, TDW_SQL_DOUBLE, " | 123.45"},
        {NumericStruct(12345, 0), 4, TDW_SQL_REAL, " | -1.23450005"},
        {NumericStruct(7), -8192, TDW_SQL_SINTEGER, UNREADABLE},
    };
    for (const StructCase& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertStruct(c.structure, c.scale, c.target)) << c.expected << " to " << c.target;
    }
}

TEST(ExactNumericToSql, BitsTakeZeroOneAndFractionsBelowTwoWithTheBitAsInfo)
{
    const ExactCase sqlCases[] = {
        {"1", {}, " | 1"},
        {"1.00", {}, " | 1"},
        {"0", {}, " | 0"},
        {"1.99", {}, "FractionalTrunc(1) | 1"},
        {"0.5", {}, "FractionalTrunc(0) | 0"},
        {"-0.01", {}, OUT_BELOW},
        {"2", {}, OUT_ABOVE},
    };
    CheckSqlExact(TDW_SQL_DECIMAL, TDW_SQL_BIT, sqlCases, sizeof(sqlCases) / sizeof(sqlCases[0]));

    // The structure is read at its own scale byte here, whatever the parameter's scale.
    EXPECT_EQ("FractionalTrunc(1) | 1", ConvertStruct(NumericStruct(15, 1, 1), 3, TDW_SQL_BIT));
    EXPECT_EQ("FractionalTrunc(0) | 0", ConvertStruct(NumericStruct(5, 1, 1), 0, TDW_SQL_BIT));
    EXPECT_EQ(OUT_ABOVE, ConvertStruct(NumericStruct(2, 1, 0), 5, TDW_SQL_BIT));
    EXPECT_EQ(OUT_BELOW, ConvertStruct(NumericStruct(1, 0, 2), 0, TDW_SQL_BIT));
}
