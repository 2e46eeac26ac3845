// What every to-SQL converter shares: the NULL path, the null flag, the result the caller gets,
// where the value is read, the fixed answers and the overloads a class does not support.

#include "ToSqlTestSupport.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/Conversions/KernelOutput.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlConverter.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlSource.h"
#include "Support/TypedDataWrapper/Conversions/ToSqlUnsupportedOverload.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvik::Support;
using Orvik::ODBC::CDataWrapper;

namespace {

/// Posts two results for every value, the last one a range error.
void PostTwice(const ToSqlSource&, SqlData& io_target, ToSqlKernelState&, WarningListener& io_listener)
{
    KernelOutput::PostStrRightTrunc(io_listener);
    KernelOutput::PostOutOfRange(io_listener, KernelOutput::BELOW);
    io_target.SetConvertedLength(99);
}

/// Stores the source's first four bytes.
void StoreFourBytes(const ToSqlSource& in_source, SqlData& io_target, ToSqlKernelState&, WarningListener&)
{
    std::memcpy(io_target.GetBuffer(), in_source.m_value, 4);
}

} // namespace

TEST(ToSqlConverter, NullValuesSetTheNullFlagAndTouchNothingElse)
{
    for (TDWType target : {TDW_SQL_SINTEGER, TDW_SQL_VARCHAR})
    {
        BoundParameter parameter(target == TDW_SQL_VARCHAR ? TDW_C_CHAR : TDW_C_SLONG, target);
        parameter.Target().Set("abcd");
        parameter.Target().Data().SetConvertedLength(3);
        // No data address is bound: a NULL value does not need one.
        parameter.Wrapper().SetData(nullptr);
        parameter.Wrapper().SetNull(true);
        EXPECT_EQ(nullptr, parameter.Converter().Convert(parameter.Wrapper(), parameter.Target().Data()));
        EXPECT_TRUE(parameter.Target().Data().IsNull());
        EXPECT_EQ("abcd", parameter.Target().Bytes());
        EXPECT_EQ(3, parameter.Target().Data().GetConvertedLength());

        // The next value is not NULL again.
        parameter.Wrapper().SetNull(false);
        EXPECT_EQ("", parameter.Convert(Image<int32_t>(0x31323334)));
        EXPECT_FALSE(parameter.Target().Data().IsNull());
        EXPECT_EQ("4321", parameter.Target().Bytes());
    }
}

TEST(ToSqlConverter, NullSqlValuesSetTheNullFlagToo)
{
    const std::unique_ptr<ISqlToSqlConverter> converter =
        SqlSideOf(ConverterOfCell(TDW_C_SSHORT, TDW_SQL_SINTEGER));
    SqlValue source(TDW_SQL_SSMALLINT);
    source.Data().SetNull(true);
    SqlValue target(TDW_SQL_SINTEGER);
    target.Set(Image<int32_t>(7));
    EXPECT_EQ(nullptr, converter->Convert(source.Data(), target.Data()));
    EXPECT_TRUE(target.Data().IsNull());
    EXPECT_EQ(Image<int32_t>(7), target.Bytes());
}

TEST(ToSqlConverter, TheValueIsReadAtTheDataAddressPlusTheOffset)
{
    BoundParameter parameter(TDW_C_SLONG, TDW_SQL_SBIGINT);
    std::string rows = Image<int32_t>(1) + Image<int32_t>(-2);
    parameter.Wrapper().SetData(&rows[0]);
    parameter.Wrapper().SetOffset(4);
    EXPECT_EQ(nullptr, parameter.Converter().Convert(parameter.Wrapper(), parameter.Target().Data()));
    EXPECT_EQ(Image<int64_t>(-2), parameter.Target().Bytes());
}

TEST(ToSqlConverter, TheLastResultPostedIsTheOneReturned)
{
    ToSqlConverter converter(&PostTwice);
    SqlValue source(TDW_SQL_SINTEGER);
    source.Set(Image<int32_t>(1));
    SqlValue target(TDW_SQL_SINTEGER);
    target.Data().SetNull(true);
    const std::unique_ptr<ConversionResult> result = converter.Convert(source.Data(), target.Data());
    EXPECT_EQ("NumericValOutOfRange(1)", Describe(result.get()));
    // The target is no longer NULL, whatever the kernel found: the caller acts on the result.
    EXPECT_FALSE(target.Data().IsNull());
    EXPECT_EQ(99, target.Data().GetConvertedLength());
}

TEST(ToSqlConverter, TheOverloadsAClassDoesNotSupportNameTheirFileAndLine)
{
    struct Refusal
    {
        const ToSqlUnsupportedOverload& overload;
        Parameters parameters;
    };
    const std::string single = "TypedDataWrapper\\Conversions\\NumToSingleFieldIntervalCvt";
    const std::string second = "TypedDataWrapper\\Conversions\\NumToSecondIntervalCvt";
    const Refusal refusals[] = {
        {BIT_CVT_SQL_BIT_TO_BINARY, {"Convert", "TypedDataWrapper\\Conversions\\BitCvt", "152"}},
        {NUM_TO_SECOND_SQL_NUMERIC, {"Convert", second, "171"}},
        {NUM_TO_SECOND_C_NUMERIC, {"Convert", second, "161"}},
        {NUM_TO_DAY_SQL_NUMERIC, {"Convert", single, "241"}},
        {NUM_TO_HOUR_SQL_NUMERIC, {"Convert", single, "251"}},
        {NUM_TO_MINUTE_SQL_NUMERIC, {"Convert", single, "264"}},
        {NUM_TO_MONTH_SQL_NUMERIC, {"Convert", single, "277"}},
        {NUM_TO_YEAR_SQL_NUMERIC, {"Convert", single, "290"}},
        {NUM_TO_DAY_C_NUMERIC, {"Convert", single, "176"}},
        {NUM_TO_HOUR_C_NUMERIC, {"Convert", single, "189"}},
        {NUM_TO_MINUTE_C_NUMERIC, {"Convert", single, "202"}},
        {NUM_TO_MONTH_C_NUMERIC, {"Convert", single, "215"}},
        {NUM_TO_YEAR_C_NUMERIC, {"Convert", single, "228"}},
    };
    std::string bytes = Image<int32_t>(5);
    CDataWrapper wrapper(CMetadataOf(TDW_C_SLONG));
    wrapper.SetData(&bytes[0]);
    SqlValue source(TDW_SQL_SINTEGER);
    source.Set(bytes);
    for (const Refusal& refusal : refusals)
    {
        ToSqlConverter converter(&StoreFourBytes, &refusal.overload);
        SqlValue target(TDW_SQL_SINTEGER);
        const auto refused = [&] {
            if (refusal.overload.m_isCSource)
            {
                converter.Convert(wrapper, target.Data());
            }
            else
            {
                converter.Convert(source.Data(), target.Data());
            }
        };
        const RaisedError error = Capture<InvalidOperationException>(refused);
        EXPECT_EQ("InvalidOperation", error.key);
        EXPECT_EQ(DIAG_GENERAL_ERROR, error.diagState);
        EXPECT_EQ(refusal.parameters, error.parameters);
        EXPECT_EQ(Image<int32_t>(0), target.Bytes()) << "a refused overload converts nothing";

        // The other overload converts.
        const std::unique_ptr<ConversionResult> result = refusal.overload.m_isCSource
            ? converter.Convert(source.Data(), target.Data())
            : converter.Convert(wrapper, target.Data());
        EXPECT_EQ(nullptr, result);
        EXPECT_EQ(bytes, target.Bytes());
    }
}

TEST(ToSqlConverter, FixedAnswersComeForEveryValueNullOrNotAndLeaveTheTarget)
{
    struct FixedCase
    {
        TDWType source;
        TDWType target;
        const char* answer;
        int64_t convertedLength;
    };
    const FixedCase cases[] = {
        {TDW_C_INTERVAL_DAY_TO_HOUR, TDW_SQL_STINYINT, "InvalidMultiFieldIntervalConversion", 1},
        {TDW_C_INTERVAL_YEAR_TO_MONTH, TDW_SQL_UTINYINT, "InvalidMultiFieldIntervalConversion", 1},
        {TDW_C_INTERVAL_HOUR_TO_SECOND, TDW_SQL_USMALLINT, "InvalidMultiFieldIntervalConversion", 2},
        {TDW_C_INTERVAL_DAY_TO_MINUTE, TDW_SQL_SINTEGER, "InvalidMultiFieldIntervalConversion", 4},
        {TDW_C_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_UBIGINT, "InvalidMultiFieldIntervalConversion", 8},
        {TDW_C_INTERVAL_DAY_TO_SECOND, TDW_SQL_DECIMAL, "InvalidMultiFieldIntervalConversion", 38},
        {TDW_C_BIT, TDW_SQL_INTERVAL_DAY_TO_HOUR, "IntervalFieldOverflow(2)", -1},
        {TDW_C_NUMERIC, TDW_SQL_INTERVAL_YEAR_TO_MONTH, "IntervalFieldOverflow(2)", -1},
        {TDW_C_DOUBLE, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, "IntervalFieldOverflow(2)", -1},
        {TDW_C_SHORT, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, "IntervalFieldOverflow(2)", -1},
    };
    for (const FixedCase& c : cases)
    {
        const std::unique_ptr<ICToSqlConverter> converter = ConverterOfCell(c.source, c.target);
        SqlValue target(c.target);
        const std::string before = target.Bytes();
        target.Data().SetConvertedLength(-1);
        CDataWrapper wrapper(CMetadataOf(c.source));
        for (bool isNull : {true, false})
        {
            // Nothing is read: no data address is bound even for the value that is not NULL.
            wrapper.SetNull(isNull);
            target.Data().SetNull(isNull);
            const std::unique_ptr<ConversionResult> result = converter->Convert(wrapper, target.Data());
            EXPECT_EQ(c.answer, Describe(result.get())) << c.source << " to " << c.target;
            EXPECT_EQ(isNull, target.Data().IsNull());
            EXPECT_EQ(before, target.Bytes());
            EXPECT_EQ(c.convertedLength, target.Data().GetConvertedLength());
        }
        // The same object answers SQL-side values alike.
        SqlValue source(TDW_SQL_SINTEGER);
        auto* sqlSide = dynamic_cast<ISqlToSqlConverter*>(converter.get());
        ASSERT_NE(nullptr, sqlSide);
        EXPECT_EQ(c.answer, Describe(sqlSide->Convert(source.Data(), target.Data()).get()));
    }
}
