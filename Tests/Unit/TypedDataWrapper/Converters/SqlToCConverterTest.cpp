// What every single-value converter does around its kernel: NULL values, the target length it
// keeps from its binding, the target's address and the length it reports.

#include "ConverterTestSupport.h"

#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/Conversions/FixedValueText.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

namespace {

TDWSingleFieldInterval Days(uint32_t in_days)
{
    TDWSingleFieldInterval interval;
    interval.m_value = in_days;
    return interval;
}

const std::string GUID_IMAGE = Image(TDWGuidValue("6F9619FF-8B86-D011-B42D-00C04FC964FF", true));

class SqlToCConverterTest : public EncodingsRestored
{
protected:
    SqlToCConverterTest()
    {
        orvik_wstring::InitializeAnsiEncoding(ENC_UTF8);
        orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    }
};

} // namespace

TEST_F(SqlToCConverterTest, NullSetsOnlyTheNullFlagAndTheNextValueClearsIt)
{
    BoundColumn column(TDW_SQL_SINTEGER, TDW_C_SLONG);
    column.Convert(Image(int32_t{-7}), 4);
    EXPECT_FALSE(column.Wrapper().IsNull());

    const KernelRun null = column.ConvertNull(4);
    EXPECT_TRUE(column.Wrapper().IsNull());
    EXPECT_EQ("", null.posted);
    EXPECT_EQ(4, null.length) << "the length of the value before stays";
    EXPECT_TRUE(null.untouched);

    const KernelRun next = column.Convert(Image(int32_t{12}), 4);
    EXPECT_FALSE(column.Wrapper().IsNull());
    EXPECT_EQ("12", StoredValue(TDW_C_SLONG, next));

    // The kernel is not called for a NULL, not even one that answers every value with a result.
    BoundColumn multiField(TDW_SQL_DOUBLE, TDW_C_INTERVAL_DAY_TO_SECOND);
    multiField.Wrapper().SetOutputLength(-5);
    const KernelRun nullInterval = multiField.ConvertNull(28);
    EXPECT_EQ("", nullInterval.posted);
    EXPECT_EQ(-5, nullInterval.length);
    EXPECT_TRUE(nullInterval.untouched);
}

TEST_F(SqlToCConverterTest, FixedSizeTargetsAndImagesReportTheirOwnLength)
{
    const struct
    {
        const char* name;
        TDWType source;
        std::string image;
        TDWType target;
        int64_t octetLength;
        int64_t bufferSize;
        std::string expected;
    } cases[] = {
        // Fixed-size targets take their size whatever buffer length the binding holds.
        {"double, octet length 0", TDW_SQL_DOUBLE, Image(2.5), TDW_C_DOUBLE, 0, 8, " | 8 | 2.5"},
        {"integer as SQL_C_LONG", TDW_SQL_SINTEGER, Image(int32_t{-7}), TDW_C_LONG, 0, 4, " | 4 | -7"},
        {"GUID structure", TDW_SQL_GUID, GUID_IMAGE, TDW_C_GUID, 0, 16, " | 16 | FF19966F868B11D0B42D00C04FC964FF"},
        // Binary images need room for the whole image; a shorter buffer gets nothing.
        // A GUID's image is the 16 bytes of its structure, never the valid flag after them.
        {"GUID image, 15 bytes", TDW_SQL_GUID, GUID_IMAGE, TDW_C_BINARY, 15, 15,
         "NumericValOutOfRange(2) | 15 | untouched"},
        {"GUID image, 16 bytes", TDW_SQL_GUID, GUID_IMAGE, TDW_C_BINARY, 16, 16,
         " | 16 | FF19966F868B11D0B42D00C04FC964FF"},
        {"GUID image, 20 bytes", TDW_SQL_GUID, GUID_IMAGE, TDW_C_BINARY, 20, 20,
         " | 16 | FF19966F868B11D0B42D00C04FC964FFCDCDCDCD"},
        {"TIME image, 9 bytes", TDW_SQL_TYPE_TIME, Image(TDWTimeValue{10, 20, 30, 5}), TDW_C_BINARY, 9, 9,
         "NumericValOutOfRange(2) | 9 | untouched"},
        {"TIME image, 10 bytes", TDW_SQL_TYPE_TIME, Image(TDWTimeValue{10, 20, 30, 5}), TDW_C_BINARY, 10, 10,
         " | 10 | 0A0014001E0005000000"},
        {"NUMERIC image, 37 bytes", TDW_SQL_NUMERIC, NumericImage("-1.5"), TDW_C_BINARY, 37, 37,
         "NumericValOutOfRange(2) | 37 | untouched"},
        {"REAL image, 4 bytes", TDW_SQL_REAL, Image(1.0f), TDW_C_BINARY, 4, 4, " | 4 | 0000803F"},
        {"DOUBLE image, 4 bytes", TDW_SQL_DOUBLE, Image(1.0), TDW_C_BINARY, 4, 4,
         "NumericValOutOfRange(2) | 4 | untouched"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const auto show = [&](const KernelRun& in_run) {
            return c.target == TDW_C_DOUBLE || c.target == TDW_C_LONG ? StoredValue(c.target, in_run) : HexOf(in_run);
        };
        const std::string outcome = ConvertOnce(c.source, c.image, c.target, c.octetLength, c.bufferSize, show);
        EXPECT_EQ(c.expected, outcome);
    }
    const std::string numeric = NumericImage("-1.5");
    EXPECT_EQ(" | 38 | " + Hex(numeric), ConvertOnce(TDW_SQL_NUMERIC, numeric, TDW_C_BINARY, 38, HexOf));
}

TEST_F(SqlToCConverterTest, IntervalTargetsReportTheStructuresLength)
{
    EXPECT_EQ(" | 28 | type=4 sign=0 0 48:0:0.0",
              ConvertOnce(TDW_SQL_INTERVAL_DAY, Image(Days(2)), TDW_C_INTERVAL_HOUR, 0, 28, IntervalText));
    EXPECT_EQ(" | 28 | type=3 sign=0 5 0:0:0.0",
              ConvertOnce(TDW_SQL_INTERVAL_DAY, Image(Days(5)), TDW_C_INTERVAL_DAY, 1000, 28, IntervalText));
    EXPECT_EQ(" | 28 | type=3 sign=0 42 0:0:0.0",
              ConvertOnce(TDW_SQL_SINTEGER, Image(int32_t{42}), TDW_C_INTERVAL_DAY, 0, 28, IntervalText));
    // Numbers never reach multi-field intervals: the length is still the structure's.
    EXPECT_EQ("IntervalFieldOverflow(2) | 28 | untouched",
              ConvertOnce(TDW_SQL_DOUBLE, Image(1.0), TDW_C_INTERVAL_DAY_TO_SECOND, 28, IntervalText));
}

TEST_F(SqlToCConverterTest, WithoutABufferOnlyTheLengthIsReported)
{
    BoundColumn integer(TDW_SQL_SINTEGER, TDW_C_SLONG);
    const KernelRun fixed = integer.Convert(Image(int32_t{9}), -1);
    EXPECT_EQ(" | 4", fixed.posted + " | " + std::to_string(fixed.length));
    EXPECT_TRUE(fixed.untouched);

    BoundColumn guid(TDW_SQL_GUID, TDW_C_CHAR, 37);
    const KernelRun text = guid.Convert(GUID_IMAGE, -1);
    EXPECT_EQ(" | 36", text.posted + " | " + std::to_string(text.length));
    EXPECT_TRUE(text.untouched);

    // A wrapper whose address is valid but null has no buffer either.
    BoundColumn unbound(TDW_SQL_DOUBLE, TDW_C_CHAR, 32);
    unbound.SetValue(Image(0.25));
    unbound.Wrapper().SetData(nullptr);
    EXPECT_EQ(nullptr, unbound.Converter().Convert(unbound.Value(), unbound.Wrapper()));
    EXPECT_EQ(4, unbound.Wrapper().GetOutputLength());
}

TEST_F(SqlToCConverterTest, TheValueGoesToTheAddressPlusTheOffset)
{
    BoundColumn column(TDW_SQL_SSMALLINT, TDW_C_SSHORT);
    column.Wrapper().SetOffset(6);
    const KernelRun run = column.Convert(Image(int16_t{0x1234}), 10);
    EXPECT_EQ("CDCDCDCDCDCD3412CDCD", Hex(run.bytes));
    EXPECT_EQ(2, run.length);
}

TEST_F(SqlToCConverterTest, AConverterKeepsTheBindingItWasMadeFor)
{
    // Made for 4 bytes, a text converter goes on cutting at 4 after the binding grew.
    BoundColumn text(TDW_SQL_VARCHAR, TDW_C_CHAR, 4);
    text.MakeConverter();
    text.TargetMetadata().SetOctetLength(100);
    const KernelRun cut = text.Convert("abcdefgh", 100);
    EXPECT_EQ("StrRightTrunc | 8 | abc", cut.posted + " | " + std::to_string(cut.length) + " | " + TextOf(cut));

    // Made for a leading precision of 2, an interval converter refuses three digits after the
    // binding allowed five; a converter made afterwards takes them.
    BoundColumn interval(TDW_SQL_INTERVAL_DAY, TDW_C_INTERVAL_DAY);
    interval.MakeConverter();
    interval.TargetMetadata().SetLengthOrIntervalPrecision(5);
    EXPECT_EQ("IntervalFieldOverflow(0)", interval.Convert(Image(Days(123)), 28).posted);
    interval.MakeConverter();
    EXPECT_EQ("type=3 sign=0 123 0:0:0.0", IntervalText(interval.Convert(Image(Days(123)), 28)));
}
