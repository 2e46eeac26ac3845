#include "Support/TypedDataWrapper/ConversionHelpers.h"

#include "KernelTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace Orvik::Support;

namespace {

/// "<posted> -> <stored value>", or "<posted> -> nothing" when the target was not written.
template <typename F>
std::string Outcome(void (*in_convert)(F, void*, WarningListener&), F in_value)
{
    GuardedBuffer buffer(sizeof(int32_t));
    RecordingListener listener;
    in_convert(in_value, buffer.Data(), listener);
    EXPECT_TRUE(buffer.GuardsIntact());
    std::string stored = "nothing";
    if (!buffer.Untouched())
    {
        int32_t value = 0;
        std::memcpy(&value, buffer.Data(), sizeof(value));
        stored = std::to_string(value);
    }
    RecordingListener queryListener;
    in_convert(in_value, nullptr, queryListener);
    EXPECT_EQ(listener.Posted(), queryListener.Posted()) << "a null target posts the same";
    return listener.Posted() + " -> " + stored;
}

} // namespace

TEST(ConversionHelpers, DoubleToSLongTestsTheTruncatedValueAgainstTheLimits)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case
    {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {2147483647.0, " -> 2147483647"},
        {2147483647.5, "FractionalTrunc(1) -> 2147483647"},
        {2147483648.0, "NumericValOutOfRange(0) -> nothing"},
        {-2147483648.0, " -> -2147483648"},
        {-2147483648.75, "FractionalTrunc(0) -> -2147483648"},
        {-2147483649.0, "NumericValOutOfRange(1) -> nothing"},
        {3.9, "FractionalTrunc(1) -> 3"},
        {-0.5, "FractionalTrunc(0) -> 0"},
        {std::nan(""), "NumericValOutOfRange(2) -> nothing"},
        {inf, "NumericValOutOfRange(0) -> nothing"},
        {-inf, "NumericValOutOfRange(1) -> nothing"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, Outcome(&ConversionHelpers::ConvertDoubleToSLong, c.value)) << c.value;
    }
}

TEST(ConversionHelpers, FloatToSLongKnowsThatTwoToThe31IsAboveTheMaximum)
{
    struct Case
    {
        float value;
        const char* expected;
    };
    const Case cases[] = {
        {2147483648.0f, "NumericValOutOfRange(0) -> nothing"},
        {2147483520.0f, " -> 2147483520"},
        {-2147483648.0f, " -> -2147483648"},
        {-2.5f, "FractionalTrunc(0) -> -2"},
        {std::nanf(""), "NumericValOutOfRange(2) -> nothing"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, Outcome(&ConversionHelpers::ConvertFloatToSLong, c.value)) << c.value;
    }
}
