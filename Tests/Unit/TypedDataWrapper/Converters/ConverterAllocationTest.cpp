// A converter is made once per bound column and used for every row: converting a value that
// posts nothing allocates nothing, and a transcoding converter keeps the encoding converter it
// made for its first value.

#include "ConverterTestSupport.h"

#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/AllocationCounter.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

struct Binding
{
    TDWType source;
    std::string image;
    TDWType target;
};

/// The allocations of converting in_binding's value three times, after in_warmUps conversions
/// that are not counted.
int AllocationsOfConverting(const Binding& in_binding, int in_warmUps)
{
    BoundColumn column(in_binding.source, in_binding.target, 64);
    column.SetValue(in_binding.image);
    char buffer[64];
    column.Wrapper().SetData(buffer);
    ISqlToCConverter& converter = column.Converter();
    for (int i = 0; i < in_warmUps; ++i)
    {
        converter.Convert(column.Value(), column.Wrapper());
    }
    bool posted = false;
    AllocationCounter::Start();
    for (int i = 0; i < 3; ++i)
    {
        posted = converter.Convert(column.Value(), column.Wrapper()) != nullptr || posted;
    }
    const int allocations = AllocationCounter::Stop();
    column.Wrapper().SetData(nullptr);
    EXPECT_FALSE(posted) << "a posted result is the one thing a conversion allocates";
    return allocations;
}

class ConverterAllocationTest : public EncodingsRestored
{
protected:
    ConverterAllocationTest()
    {
        ProcessEncodings{ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF8}.Install();
    }
};

} // namespace

TEST_F(ConverterAllocationTest, FixedSizeTargetsAllocateNothing)
{
    TDWSingleFieldInterval days;
    days.m_value = 2;
    const Binding bindings[] = {
        {TDW_SQL_SINTEGER, Image(int32_t{-7}), TDW_C_SLONG},
        {TDW_SQL_SBIGINT, Image(int64_t{300}), TDW_C_SSHORT},
        {TDW_SQL_DOUBLE, Image(2.5), TDW_C_DOUBLE},
        {TDW_SQL_DOUBLE, Image(25.0), TDW_C_NUMERIC},
        {TDW_SQL_NUMERIC, NumericImage("-12345"), TDW_C_SLONG},
        {TDW_SQL_TYPE_TIMESTAMP, Image(TDWTimestampValue{}), TDW_C_TYPE_TIMESTAMP},
        {TDW_SQL_INTERVAL_DAY, Image(days), TDW_C_INTERVAL_HOUR},
        {TDW_SQL_GUID, Image(TDWGuidValue("6F9619FF-8B86-D011-B42D-00C04FC964FF", true)), TDW_C_BINARY},
        {TDW_SQL_VARCHAR, "  12345 ", TDW_C_SLONG},
    };
    for (const Binding& binding : bindings)
    {
        SCOPED_TRACE(std::to_string(binding.source) + " to " + std::to_string(binding.target));
        EXPECT_EQ(0, AllocationsOfConverting(binding, 0));
    }
}

TEST_F(ConverterAllocationTest, TextTargetsReuseTheirConverterAndScratchSpace)
{
    TDWDaySecondInterval interval;
    interval.m_day = 3;
    interval.m_fraction = 250000;
    const Binding bindings[] = {
        {TDW_SQL_VARCHAR, "k\xC3\xA9tr\xC3\xBCnms", TDW_C_CHAR},
        {TDW_SQL_VARCHAR, "k\xC3\xA9tr\xC3\xBCnms", TDW_C_WCHAR},
        {TDW_SQL_WVARCHAR, "k\xC3\xA9tr\xC3\xBCnms", TDW_C_WCHAR},
        {TDW_SQL_DOUBLE, Image(-1234.5678), TDW_C_CHAR},
        {TDW_SQL_SINTEGER, Image(int32_t{-7}), TDW_C_WCHAR},
        {TDW_SQL_NUMERIC, NumericImage("-12.75"), TDW_C_CHAR},
        {TDW_SQL_TYPE_TIMESTAMP, Image(TDWTimestampValue{}), TDW_C_WCHAR},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, Image(interval), TDW_C_CHAR},
        {TDW_SQL_VARBINARY, "\x01\x02\x03", TDW_C_CHAR},
    };
    for (const Binding& binding : bindings)
    {
        SCOPED_TRACE(std::to_string(binding.source) + " to " + std::to_string(binding.target));
        EXPECT_EQ(0, AllocationsOfConverting(binding, 1));
    }
}
