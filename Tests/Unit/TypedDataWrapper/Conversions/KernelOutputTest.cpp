#include "Support/TypedDataWrapper/Conversions/KernelOutput.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "KernelTestSupport.h"

#include <gtest/gtest.h>

#include <sql.h>

#include <string>

using namespace Orvik::Support;

namespace {

std::string Decimal(const unsigned char (&in_bytes)[16])
{
    unsigned __int128 magnitude = 0;
    for (int i = 15; i >= 0; --i)
    {
        magnitude = (magnitude << 8) | in_bytes[i];
    }
    std::string digits;
    do
    {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return digits;
}

/// "<posted> | p=<precision> s=<scale> sign=<sign> <magnitude>" of what WriteSqlNumeric wrote.
std::string WriteNumeric(const char* in_value, int32_t in_sourceDigits, int16_t in_precision, int16_t in_scale)
{
    const TDWNumeric value(in_value, true);
    GuardedBuffer buffer(sizeof(SQL_NUMERIC_STRUCT));
    RecordingListener listener;
    KernelOutput::WriteSqlNumeric(value, in_sourceDigits, buffer.Data(), in_precision, in_scale, listener);
    EXPECT_TRUE(buffer.GuardsIntact());
    RecordingListener queryListener;
    KernelOutput::WriteSqlNumeric(value, in_sourceDigits, nullptr, in_precision, in_scale, queryListener);
    EXPECT_EQ(listener.Posted(), queryListener.Posted()) << "a null target posts the same";
    SQL_NUMERIC_STRUCT numeric;
    std::memcpy(&numeric, buffer.Data(), sizeof(numeric));
    return listener.Posted() + " | p=" + std::to_string(numeric.precision) + " s=" + std::to_string(numeric.scale)
        + " sign=" + std::to_string(numeric.sign) + " " + Decimal(numeric.val);
}

} // namespace

TEST(KernelOutput, WriteSqlNumericScalesChecksThePrecisionAndKeepsTheSignApart)
{
    struct Case
    {
        const char* value;
        int32_t digits;
        int16_t precision;
        int16_t scale;
        const char* expected;
    };
    const Case cases[] = {
        {"12345", 5, 5, 2, " | p=5 s=2 sign=1 1234500"},
        {"12345", 5, 4, 0, "NumericValOutOfRange(0) | p=4 s=0 sign=1 0"},
        {"-12345", 5, 5, 0, " | p=5 s=0 sign=0 12345"},
        {"-12345", 5, 4, 0, "NumericValOutOfRange(1) | p=4 s=0 sign=0 0"},
        {"1.25", 3, 5, 1, "FractionalTrunc(1) | p=5 s=1 sign=1 12"},
        {"1.20", 3, 5, 1, " | p=5 s=1 sign=1 12"},
        // A negative scale drops low integer digits.
        {"12345", 5, 5, -2, "FractionalTrunc(1) | p=5 s=-2 sign=1 123"},
        {"12300", 5, 5, -2, " | p=5 s=-2 sign=1 123"},
        {"1.5E3", 2, 4, 0, " | p=4 s=0 sign=1 1500"},
        {"340282366920938463463374607431768211455", 39, 39, 0,
         " | p=39 s=0 sign=1 340282366920938463463374607431768211455"},
        {"340282366920938463463374607431768211456", 39, 39, 0, "NumericValOutOfRange(0) | p=39 s=0 sign=1 0"},
        {"1", 1, 38, 127, "NumericValOutOfRange(0) | p=38 s=127 sign=1 0"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, WriteNumeric(c.value, c.digits, c.precision, c.scale)) << c.value;
    }
}

TEST(KernelOutput, IntervalWritersFillTheStructureAndZeroTheUnusedFields)
{
    GuardedBuffer buffer(sizeof(SQL_INTERVAL_STRUCT));
    KernelOutput::WriteSingleFieldInterval(buffer.Data(), KernelOutput::INTERVAL_SECOND, true, 7, 25);
    ASSERT_TRUE(buffer.GuardsIntact());
    SQL_INTERVAL_STRUCT interval;
    std::memcpy(&interval, buffer.Data(), sizeof(interval));
    EXPECT_EQ(SQL_IS_SECOND, interval.interval_type);
    EXPECT_EQ(SQL_TRUE, interval.interval_sign);
    EXPECT_EQ(0u, interval.intval.day_second.day);
    EXPECT_EQ(7u, interval.intval.day_second.second);
    EXPECT_EQ(25u, interval.intval.day_second.fraction);
    // The padding after the sign is zero too, so the structure's image is deterministic.
    EXPECT_EQ(std::string(2, '\0'), buffer.Bytes().substr(6, 2));

    KernelOutput::WriteSingleFieldInterval(buffer.Data(), KernelOutput::INTERVAL_MONTH, false, 30, 99);
    std::memcpy(&interval, buffer.Data(), sizeof(interval));
    EXPECT_EQ(SQL_IS_MONTH, interval.interval_type);
    EXPECT_EQ(SQL_FALSE, interval.interval_sign);
    EXPECT_EQ(0u, interval.intval.year_month.year);
    EXPECT_EQ(30u, interval.intval.year_month.month);
    EXPECT_EQ(std::string(12, '\0'), buffer.Bytes().substr(16)) << "fraction and the rest cleared";
}

TEST(KernelOutput, AbsoluteSizeCountsTheMostNegativeLengthAsZero)
{
    EXPECT_EQ(12, KernelOutput::AbsoluteSize(-12));
    EXPECT_EQ(12, KernelOutput::AbsoluteSize(12));
    EXPECT_EQ(0, KernelOutput::AbsoluteSize(std::numeric_limits<int64_t>::min()));
}
