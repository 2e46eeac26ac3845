// Integers, bits, floating-point values and exact numbers into the single-field intervals and
// INTERVAL SECOND: the leading precision, the fraction of a second, and the refusals.

#include "ToSqlTestSupport.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/Conversions/NumberToInterval.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

const char* const OVER = "IntervalFieldOverflow(0) | kept";
const char* const OVER_NEGATIVE = "IntervalFieldOverflow(1) | kept";

/// The interval target of a case: its type, leading precision and seconds precision.
struct IntervalShape
{
    TDWType type;
    uint64_t leadingPrecision;
    int16_t secondsPrecision = 6;
};

constexpr IntervalShape DAY_2 = {TDW_SQL_INTERVAL_DAY, 2};
constexpr IntervalShape DAY_9 = {TDW_SQL_INTERVAL_DAY, 9};

/// The value of a record: "-99" for a single-field interval, "-2.500000" for SECOND (the
/// fraction written with as many digits as the seconds precision).
std::string ShowRecord(const IntervalShape& in_shape, const void* in_record)
{
    if (in_shape.type != TDW_SQL_INTERVAL_SECOND)
    {
        TDWSingleFieldInterval record;
        std::memcpy(&record, in_record, sizeof(record));
        EXPECT_EQ(0, record.m_padding[0] | record.m_padding[1] | record.m_padding[2]);
        return (record.m_isNegative ? "-" : "") + std::to_string(record.m_value);
    }
    TDWSecondInterval record;
    std::memcpy(&record, in_record, sizeof(record));
    EXPECT_EQ(0, record.m_padding[0] | record.m_padding[1] | record.m_padding[2]);
    std::string text = (record.m_isNegative ? "-" : "") + std::to_string(record.m_second);
    if (in_shape.secondsPrecision > 0)
    {
        const std::string fraction = std::to_string(record.m_fraction);
        text += "." + std::string(in_shape.secondsPrecision - fraction.size(), '0') + fraction;
    }
    return text;
}

/// "<posted> | <target>" after in_convert wrote a new interval of in_shape whose bytes were 7s
/// first: "kept" when they stayed, else the record's value.
template <typename Convert>
std::string RunInterval(const IntervalShape& in_shape, Convert in_convert)
{
    SqlValue target(in_shape.type);
    target.Metadata().SetLengthOrIntervalPrecision(in_shape.leadingPrecision);
    if (in_shape.type == TDW_SQL_INTERVAL_SECOND)
    {
        target.Metadata().SetPrecision(in_shape.secondsPrecision);
    }
    const size_t size =
        in_shape.type == TDW_SQL_INTERVAL_SECOND ? sizeof(TDWSecondInterval) : sizeof(TDWSingleFieldInterval);
    const std::string before(size, '\x07');
    std::memcpy(target.Data().GetBuffer(), before.data(), size);
    target.Data().SetNull(true);
    const std::unique_ptr<ConversionResult> result = in_convert(target.Data());
    EXPECT_FALSE(target.Data().IsNull());
    EXPECT_EQ(static_cast<int64_t>(size), target.Data().GetConvertedLength());
    const std::string after(static_cast<const char*>(target.Data().GetBuffer()), size);
    return Describe(result.get()) + " | " + (after == before ? "kept" : ShowRecord(in_shape, after.data()));
}

/// Converts the application value in_image of in_cType; for SQL_C_NUMERIC in_scale is the bound
/// parameter's scale.
std::string ConvertC(TDWType in_cType, const std::string& in_image, const IntervalShape& in_shape, int16_t in_scale = 0)
{
    return RunInterval(in_shape, [&](SqlData& io_target) {
        Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(in_cType));
        wrapper.GetMetadata().SetScale(in_scale);
        std::string bytes = in_image;
        wrapper.SetData(&bytes[0]);
        return ConverterOfCell(in_cType, in_shape.type)->Convert(wrapper, io_target);
    });
}

/// Converts the SQL-side number in_image of in_source, through the converter of its counterpart.
std::string ConvertSql(TDWType in_source, const std::string& in_image, const IntervalShape& in_shape)
{
    return RunInterval(in_shape, [&](SqlData& io_target) {
        SqlValue source(in_source);
        source.Set(in_image);
        return SqlSideOf(ConverterOfCell(CounterpartOf(in_source), in_shape.type))->Convert(source.Data(), io_target);
    });
}

/// The application's numeric structure: its own scale byte, a sign byte and the magnitude.
std::string NumericStruct(uint64_t in_magnitude, int8_t in_ownScale, uint8_t in_sign = 1)
{
    std::string structure = {'\x26', static_cast<char>(in_ownScale), static_cast<char>(in_sign)};
    for (int i = 0; i < 16; ++i)
    {
        structure += static_cast<char>(i < 8 ? (in_magnitude >> (8 * i)) & 0xFF : 0);
    }
    return structure;
}

} // namespace

TEST(NumberToInterval, IntegersMustFitTheLeadingPrecision)
{
    struct IntegerCase
    {
        TDWType source;
        std::string image;
        IntervalShape shape;
        const char* expected;
    };
    const IntegerCase cases[] = {
        {TDW_C_SLONG, Image<int32_t>(99), DAY_2, " | 99"},
        {TDW_C_SLONG, Image<int32_t>(-99), DAY_2, " | -99"},
        {TDW_C_SLONG, Image<int32_t>(100), DAY_2, OVER},
        {TDW_C_SLONG, Image<int32_t>(-100), DAY_2, OVER_NEGATIVE},
        // Zero has one digit.
        {TDW_C_SSHORT, Image<int16_t>(0), {TDW_SQL_INTERVAL_HOUR, 0}, OVER},
        {TDW_C_SSHORT, Image<int16_t>(-1), {TDW_SQL_INTERVAL_HOUR, 0}, OVER_NEGATIVE},
        {TDW_C_STINYINT, Image<int8_t>(-128), {TDW_SQL_INTERVAL_MINUTE, 3}, " | -128"},
        {TDW_C_STINYINT, Image<uint8_t>(0xC8), {TDW_SQL_INTERVAL_MINUTE, 3}, " | -56"},
        // The plain tiny integer's cell reads an unsigned byte, as does a bit.
        {TDW_C_TINYINT, Image<uint8_t>(0xC8), {TDW_SQL_INTERVAL_MINUTE, 3}, " | 200"},
        {TDW_C_BIT, Image<uint8_t>(7), {TDW_SQL_INTERVAL_YEAR, 1}, " | 7"},
        {TDW_C_USHORT, Image<uint16_t>(65535), {TDW_SQL_INTERVAL_MONTH, 5}, " | 65535"},
        {TDW_C_SLONG, Image<int32_t>(INT32_MIN), DAY_9, OVER_NEGATIVE},
        {TDW_C_ULONG, Image<uint32_t>(999999999), DAY_9, " | 999999999"},
        {TDW_C_ULONG, Image<uint32_t>(1000000000), DAY_9, OVER},
        {TDW_C_SBIGINT, Image<int64_t>(-5000000000), DAY_9, OVER_NEGATIVE},
        {TDW_C_UBIGINT, Image<uint64_t>(UINT64_MAX), DAY_9, OVER},
        {TDW_C_SBIGINT, Image<int64_t>(INT64_MIN), DAY_9, OVER_NEGATIVE},
        // SECOND takes whole seconds, whatever its seconds precision.
        {TDW_C_SLONG, Image<int32_t>(45), {TDW_SQL_INTERVAL_SECOND, 2, 3}, " | 45.000"},
        {TDW_C_SBIGINT, Image<int64_t>(-45), {TDW_SQL_INTERVAL_SECOND, 2, 0}, " | -45"},
        {TDW_SQL_SSMALLINT, Image<int16_t>(-5), {TDW_SQL_INTERVAL_HOUR, 2}, " | -5"},
        {TDW_SQL_UTINYINT, Image<uint8_t>(200), {TDW_SQL_INTERVAL_SECOND, 3, 1}, " | 200.0"},
        {TDW_SQL_BIT, Image<uint8_t>(1), DAY_2, " | 1"},
        {TDW_SQL_UBIGINT, Image<uint64_t>(100), DAY_2, OVER},
    };
    for (const IntegerCase& c : cases)
    {
        const std::string outcome = c.source >= TDW_SQL_CHAR ? ConvertSql(c.source, c.image, c.shape)
                                                             : ConvertC(c.source, c.image, c.shape);
        EXPECT_EQ(c.expected, outcome) << c.source << " to " << c.shape.type << " of " << c.shape.leadingPrecision;
    }
}

TEST(NumberToInterval, TheSingleFieldTargetsShareOneRecordAndNullsConvertToNulls)
{
    for (TDWType target : {TDW_SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_MINUTE,
                           TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_YEAR})
    {
        EXPECT_EQ(" | -12", ConvertC(TDW_C_SSHORT, Image<int16_t>(-12), {target, 2})) << target;
        EXPECT_EQ("FractionalTrunc(0) | -12", ConvertC(TDW_C_DOUBLE, Image(-12.5), {target, 2})) << target;
        EXPECT_EQ(" | 12", ConvertC(TDW_C_NUMERIC, NumericStruct(12, 0), {target, 2})) << target;
    }
    for (TDWType source : {TDW_C_SLONG, TDW_C_FLOAT, TDW_C_NUMERIC})
    {
        SqlValue target(TDW_SQL_INTERVAL_SECOND);
        std::memset(target.Data().GetBuffer(), 7, sizeof(TDWSecondInterval));
        Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(source));
        wrapper.SetNull(true);
        EXPECT_EQ(nullptr, ConverterOfCell(source, TDW_SQL_INTERVAL_SECOND)->Convert(wrapper, target.Data()));
        EXPECT_TRUE(target.Data().IsNull());
        EXPECT_EQ(std::string(sizeof(TDWSecondInterval), '\x07'), target.Bytes()) << source;
    }
}

TEST(NumberToInterval, FloatingValuesLoseTheirFractionOrGiveItToTheSeconds)
{
    constexpr double INF = std::numeric_limits<double>::infinity();
    constexpr double NOT_A_NUMBER = std::numeric_limits<double>::quiet_NaN();
    struct FloatingCase
    {
        TDWType source;
        double value;
        IntervalShape shape;
        const char* expected;
    };
    const FloatingCase cases[] = {
        {TDW_C_DOUBLE, -2.5, DAY_2, "FractionalTrunc(0) | -2"},
        {TDW_C_DOUBLE, 2.5, DAY_2, "FractionalTrunc(1) | 2"},
        {TDW_C_DOUBLE, 2.0, DAY_2, " | 2"},
        {TDW_C_DOUBLE, -0.0, DAY_2, " | 0"},
        {TDW_C_DOUBLE, 99.99, DAY_2, "FractionalTrunc(1) | 99"},
        {TDW_C_DOUBLE, 100.0, DAY_2, OVER},
        {TDW_C_DOUBLE, -100.0, DAY_2, OVER_NEGATIVE},
        {TDW_C_DOUBLE, -2.5, {TDW_SQL_INTERVAL_SECOND, 2, 6}, " | -2.500000"},
        {TDW_C_DOUBLE, -2.5, {TDW_SQL_INTERVAL_SECOND, 2, 0}, " | -2"},
        {TDW_C_DOUBLE, 1.23456789, {TDW_SQL_INTERVAL_SECOND, 2, 3}, " | 1.234"},
        {TDW_C_DOUBLE, 0.25, {TDW_SQL_INTERVAL_SECOND, 0, 6}, OVER},
        // The bounds: a double may not pass 999,999,999; a single passes at 10^9 and fails on
        // its ten digits.
        {TDW_C_DOUBLE, 999999999.0, DAY_9, " | 999999999"},
        {TDW_C_DOUBLE, 999999999.5, DAY_9, OVER},
        {TDW_C_DOUBLE, -1e9, DAY_9, OVER_NEGATIVE},
        {TDW_C_FLOAT, 1e9, DAY_9, OVER},
        {TDW_C_FLOAT, 999999936.0, DAY_9, " | 999999936"},
        {TDW_C_DOUBLE, INF, DAY_9, OVER},
        {TDW_C_FLOAT, -INF, DAY_9, OVER_NEGATIVE},
        // A NaN has no field to give, and nothing is written.
        {TDW_C_DOUBLE, NOT_A_NUMBER, DAY_9, "IntervalFieldOverflow(2) | kept"},
        {TDW_C_FLOAT, NOT_A_NUMBER, {TDW_SQL_INTERVAL_SECOND, 9, 6}, "IntervalFieldOverflow(2) | kept"},
        // A single is worked on in single precision: its fraction is the one its bits carry.
        {TDW_C_FLOAT, 99.9, {TDW_SQL_INTERVAL_SECOND, 2, 6}, " | 99.900001"},
        {TDW_C_FLOAT, 12.345, {TDW_SQL_INTERVAL_SECOND, 2, 6}, " | 12.345000"},
        {TDW_SQL_REAL, 1.5, {TDW_SQL_INTERVAL_MONTH, 1}, "FractionalTrunc(1) | 1"},
        {TDW_SQL_FLOAT, -0.75, {TDW_SQL_INTERVAL_SECOND, 1, 2}, " | -0.75"},
        {TDW_SQL_DOUBLE, NOT_A_NUMBER, DAY_2, "IntervalFieldOverflow(2) | kept"},
    };
    for (const FloatingCase& c : cases)
    {
        const bool isSingle = c.source == TDW_C_FLOAT || c.source == TDW_SQL_REAL;
        const std::string image = isSingle ? Image(static_cast<float>(c.value)) : Image(c.value);
        const std::string outcome =
            c.source >= TDW_SQL_CHAR ? ConvertSql(c.source, image, c.shape) : ConvertC(c.source, image, c.shape);
        EXPECT_EQ(c.expected, outcome) << c.source << " " << c.value << " to " << c.shape.type;
    }
}

TEST(NumberToInterval, ExactNumbersTakeTheStructuresOwnScaleAndCutTheSecondsAtThePrecision)
{
    struct StructCase
    {
        std::string structure;
        IntervalShape shape;
        const char* expected;
    };
    const StructCase cases[] = {
        {NumericStruct(12345, 3), {TDW_SQL_INTERVAL_SECOND, 2, 6}, " | 12.345000"},
        {NumericStruct(12345, 3), {TDW_SQL_INTERVAL_SECOND, 2, 2}, "FractionalTrunc(1) | 12.34"},
        {NumericStruct(12345, 3, 0), {TDW_SQL_INTERVAL_SECOND, 2, 2}, "FractionalTrunc(0) | -12.34"},
        // The count of fraction digits decides, zeros included, for SECOND only.
        {NumericStruct(1500, 3), {TDW_SQL_INTERVAL_SECOND, 2, 1}, "FractionalTrunc(1) | 1.5"},
        {NumericStruct(1500, 3), DAY_2, "FractionalTrunc(1) | 1"},
        {NumericStruct(1000, 3), DAY_2, " | 1"},
        {NumericStruct(7, 0), {TDW_SQL_INTERVAL_SECOND, 2, 6}, " | 7.000000"},
        {NumericStruct(5, -2), DAY_2, OVER},
        {NumericStruct(5, -2), {TDW_SQL_INTERVAL_HOUR, 3}, " | 500"},
        {NumericStruct(999999999, 0), DAY_9, " | 999999999"},
        {NumericStruct(1000000000, 0), DAY_9, OVER},
        {NumericStruct(5000000000, 0), DAY_9, OVER},
        {NumericStruct(5000000000, 0, 0), DAY_9, OVER_NEGATIVE},
        {NumericStruct(UINT64_MAX, -3, 0), {TDW_SQL_INTERVAL_SECOND, 9, 6}, OVER_NEGATIVE},
        {NumericStruct(75, 2), {TDW_SQL_INTERVAL_MINUTE, 0}, OVER},
        {NumericStruct(75, 2), {TDW_SQL_INTERVAL_MONTH, 1}, "FractionalTrunc(1) | 0"},
    };
    for (const StructCase& c : cases)
    {
        // The bound parameter's scale plays no part.
        EXPECT_EQ(c.expected, ConvertC(TDW_C_NUMERIC, c.structure, c.shape, 4)) << c.expected;
    }
}

TEST(NumberToInterval, ASqlExactNumberIsReadAndKeptAsItIs)
{
    SqlValue source(TDW_SQL_DECIMAL);
    source.Set(NumericImage("-12.3456789"));
    ToSqlConverter converter(&NumberToInterval::FromExactNumeric);
    const std::string outcome = RunInterval({TDW_SQL_INTERVAL_SECOND, 2, 6}, [&](SqlData& io_target) {
        return static_cast<ISqlToSqlConverter&>(converter).Convert(source.Data(), io_target);
    });
    EXPECT_EQ("FractionalTrunc(0) | -12.345678", outcome);
    EXPECT_EQ(NumericImage("-12.3456789"), source.Bytes());
}

TEST(NumberToInterval, TheStructuresConvertersRefuseSqlValuesNamingTheirLine)
{
    const std::pair<TDWType, const char*> targets[] = {
        {TDW_SQL_INTERVAL_DAY, "176"},    {TDW_SQL_INTERVAL_HOUR, "189"}, {TDW_SQL_INTERVAL_MINUTE, "202"},
        {TDW_SQL_INTERVAL_MONTH, "215"},  {TDW_SQL_INTERVAL_YEAR, "228"}, {TDW_SQL_INTERVAL_SECOND, "161"},
    };
    for (const auto& target : targets)
    {
        const std::string file = target.first == TDW_SQL_INTERVAL_SECOND
            ? "TypedDataWrapper\\Conversions\\NumToSecondIntervalCvt"
            : "TypedDataWrapper\\Conversions\\NumToSingleFieldIntervalCvt";
        SqlValue source(TDW_SQL_NUMERIC);
        source.Set(NumericImage("1"));
        SqlValue value(target.first);
        const std::unique_ptr<ISqlToSqlConverter> converter = SqlSideOf(ConverterOfCell(TDW_C_NUMERIC, target.first));
        const RaisedError error =
            Capture<InvalidOperationException>([&] { converter->Convert(source.Data(), value.Data()); });
        EXPECT_EQ((Parameters{"Convert", file, target.second}), error.parameters) << target.first;
    }
}
