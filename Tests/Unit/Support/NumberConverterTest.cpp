#include "Support/NumberConverter.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <string>
#include <utility>

using Orvik::Support::NumberConverter;

namespace {

const double INF = std::numeric_limits<double>::infinity();
const double NAN_VALUE = std::numeric_limits<double>::quiet_NaN();

} // namespace

TEST(NumberConverter, WritesIntegersOfEveryWidth)
{
    using N = NumberConverter;
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
    using N = NumberConverter;
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
