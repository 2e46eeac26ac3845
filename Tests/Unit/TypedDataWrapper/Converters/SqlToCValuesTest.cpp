// Values of every source family through the converters the registry makes, with the state each
// converter takes from the metadata of its binding.

#include "ConverterTestSupport.h"

#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/Conversions/FixedValueText.h"
#include "Unit/TypedDataWrapper/Conversions/StructOutcome.h"
#include "Unit/TypedDataWrapper/FixedToday.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace Orvik::Support;

namespace {

using Show = std::function<std::string(const KernelRun&)>;

std::string Narrow(const KernelRun& in_run)
{
    return TextOf(in_run);
}

std::string Wide(const KernelRun& in_run)
{
    return TextOf(in_run, 2);
}

Show Number(TDWType in_target)
{
    return [in_target](const KernelRun& in_run) { return StoredValue(in_target, in_run); };
}

TDWSingleFieldInterval Single(uint32_t in_value, bool in_isNegative = false)
{
    TDWSingleFieldInterval interval;
    interval.m_value = in_value;
    interval.m_isNegative = in_isNegative;
    return interval;
}

TDWTimestampValue Timestamp(uint16_t in_hour, uint16_t in_second, uint32_t in_fraction)
{
    TDWTimestampValue timestamp;
    timestamp.m_year = 2020;
    timestamp.m_day = 2;
    timestamp.m_hour = in_hour;
    timestamp.m_second = in_second;
    timestamp.m_fraction = in_fraction;
    return timestamp;
}

/// One value, the binding it goes through and what comes out.
struct ValueCase
{
    const char* name;
    TDWType source;
    std::string image;
    TDWType target;
    int64_t octetLength;
    Show show;
    std::string expected;
    /// The source's precision and leading precision, the target's precision and scale; -1 keeps
    /// the type's default.
    int sourcePrecision = -1;
    int sourceLeading = -1;
    int targetPrecision = -1;
    int targetScale = -1;
};

std::string Run(const ValueCase& in_case)
{
    BoundColumn column(in_case.source, in_case.target, in_case.octetLength);
    if (in_case.sourcePrecision >= 0)
    {
        column.SourceMetadata().SetPrecision(static_cast<int16_t>(in_case.sourcePrecision));
    }
    if (in_case.sourceLeading >= 0)
    {
        column.SourceMetadata().SetLengthOrIntervalPrecision(static_cast<uint64_t>(in_case.sourceLeading));
    }
    if (in_case.targetPrecision >= 0)
    {
        column.TargetMetadata().SetPrecision(static_cast<int16_t>(in_case.targetPrecision));
    }
    if (in_case.targetScale >= 0)
    {
        column.TargetMetadata().SetScale(static_cast<int16_t>(in_case.targetScale));
    }
    const int64_t fixedSize = static_cast<int64_t>(column.TargetMetadata().GetFixedSize());
    const KernelRun run =
        column.Convert(in_case.image, column.TargetMetadata().IsFixedSize() ? fixedSize : in_case.octetLength);
    EXPECT_TRUE(run.clean) << "written outside the buffer";
    return run.posted + " | " + std::to_string(run.length) + " | "
        + (run.untouched ? std::string("untouched") : in_case.show(run));
}

void RunAll(const std::vector<ValueCase>& in_cases)
{
    for (const ValueCase& c : in_cases)
    {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, Run(c));
    }
}

const std::string GUID_IMAGE = Image(TDWGuidValue("6F9619FF-8B86-D011-B42D-00C04FC964FF", true));
const std::string BINARY_IMAGE("\x01\xAB\xFF", 3);

class SqlToCValuesTest : public EncodingsRestored
{
protected:
    SqlToCValuesTest()
    {
        ProcessEncodings{ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF8}.Install();
    }
};

} // namespace

TEST_F(SqlToCValuesTest, BinaryBitAndGuidSources)
{
    RunAll({
        {"binary as text, 6 bytes", TDW_SQL_BINARY, BINARY_IMAGE, TDW_C_CHAR, 6, Narrow, "StrRightTrunc | 6 | 01AB"},
        {"binary as text, 7 bytes", TDW_SQL_BINARY, BINARY_IMAGE, TDW_C_CHAR, 7, Narrow, " | 6 | 01ABFF"},
        {"binary as text, 1 byte", TDW_SQL_LONGVARBINARY, BINARY_IMAGE, TDW_C_CHAR, 1, Narrow, "StrRightTrunc | 6 | "},
        {"binary as text, 0 bytes", TDW_SQL_BINARY, BINARY_IMAGE, TDW_C_CHAR, 0, Narrow,
         "StrRightTrunc | 6 | untouched"},
        {"binary as wide text", TDW_SQL_VARBINARY, BINARY_IMAGE, TDW_C_WCHAR, 14, Wide, " | 12 | 01ABFF"},
        {"binary as binary, cut", TDW_SQL_VARBINARY, BINARY_IMAGE, TDW_C_BINARY, 2, HexOf, "StrRightTrunc | 3 | 01AB"},
        {"bit as text, 1 byte", TDW_SQL_BIT, "\x01", TDW_C_CHAR, 1, Narrow, "NumericValOutOfRange(2) | 1 | untouched"},
        {"bit as text, 2 bytes", TDW_SQL_BIT, "\x01", TDW_C_CHAR, 2, Narrow, " | 1 | 1"},
        {"bit as wide text", TDW_SQL_BIT, std::string(1, '\0'), TDW_C_WCHAR, 4, Wide, " | 2 | 0"},
        {"bit as SQL_C_LONG", TDW_SQL_BIT, "\x01", TDW_C_LONG, 0, Number(TDW_C_SLONG), " | 4 | 1"},
        {"bit as a multi-field interval", TDW_SQL_BIT, "\x01", TDW_C_INTERVAL_YEAR_TO_MONTH, 0, IntervalText,
         "IntervalFieldOverflow(2) | 28 | untouched"},
        {"GUID as text, 36 bytes", TDW_SQL_GUID, GUID_IMAGE, TDW_C_CHAR, 36, Narrow,
         "NumericValOutOfRange(2) | 36 | untouched"},
        {"GUID as text, 37 bytes", TDW_SQL_GUID, GUID_IMAGE, TDW_C_CHAR, 37, Narrow,
         " | 36 | 6F9619FF-8B86-D011-B42D-00C04FC964FF"},
        {"GUID as wide text", TDW_SQL_GUID, GUID_IMAGE, TDW_C_WCHAR, 74, Wide,
         " | 72 | 6F9619FF-8B86-D011-B42D-00C04FC964FF"},
    });
}

TEST_F(SqlToCValuesTest, NumberSources)
{
    RunAll({
        {"NUMERIC(10) of 6 digits into precision 5", TDW_SQL_NUMERIC, NumericImage("123456"), TDW_C_NUMERIC, 0,
         NumericText, "NumericValOutOfRange(0) | 19 | p=5 s=0 sign=1 0", 10, -1, 5, 0},
        {"NUMERIC(10) of 5 digits into precision 5", TDW_SQL_NUMERIC, NumericImage("12345"), TDW_C_NUMERIC, 0,
         NumericText, " | 19 | p=5 s=0 sign=1 12345", 10, -1, 5, 0},
        {"DECIMAL(10) of 6 digits into precision 5", TDW_SQL_DECIMAL, NumericImage("-123456"), TDW_C_NUMERIC, 0,
         NumericText, "NumericValOutOfRange(1) | 19 | p=5 s=0 sign=0 0", 10, -1, 5, 0},
        {"NUMERIC with a fraction into scale 0", TDW_SQL_NUMERIC, NumericImage("12.75"), TDW_C_NUMERIC, 0,
         NumericText, "FractionalTrunc(1) | 19 | p=38 s=0 sign=1 12"},
        {"NUMERIC into scale 3", TDW_SQL_DECIMAL, NumericImage("-12.75"), TDW_C_NUMERIC, 0, NumericText,
         " | 19 | p=10 s=3 sign=0 12750", 4, -1, 10, 3},
        {"NUMERIC as text", TDW_SQL_NUMERIC, NumericImage("-1.5"), TDW_C_CHAR, 8, Narrow, " | 4 | -1.5"},
        {"DECIMAL as wide text", TDW_SQL_DECIMAL, NumericImage("3.25"), TDW_C_WCHAR, 16, Wide, " | 8 | 3.25"},
        {"UTINYINT 200 as STINYINT", TDW_SQL_UTINYINT, Image(uint8_t{200}), TDW_C_STINYINT, 0,
         Number(TDW_C_STINYINT), "NumericValOutOfRange(0) | 1 | untouched"},
        {"UTINYINT 200 as UTINYINT", TDW_SQL_UTINYINT, Image(uint8_t{200}), TDW_C_UTINYINT, 0,
         Number(TDW_C_UTINYINT), " | 1 | 200"},
        {"DOUBLE 1.5 as SSHORT", TDW_SQL_DOUBLE, Image(1.5), TDW_C_SSHORT, 0, Number(TDW_C_SSHORT),
         "FractionalTrunc(1) | 2 | 1"},
        {"UBIGINT beyond SLONG", TDW_SQL_UBIGINT, Image(uint64_t{1} << 40), TDW_C_LONG, 0, Number(TDW_C_SLONG),
         "NumericValOutOfRange(0) | 4 | untouched"},
        {"SINTEGER as wide text", TDW_SQL_SINTEGER, Image(int32_t{-5}), TDW_C_WCHAR, 8, Wide, " | 4 | -5"},
        {"REAL as SQL_C_NUMERIC", TDW_SQL_REAL, Image(2.5f), TDW_C_NUMERIC, 0, NumericText,
         " | 19 | p=5 s=1 sign=1 25", -1, -1, 5, 1},
        {"SBIGINT as an interval", TDW_SQL_SBIGINT, Image(int64_t{-12}), TDW_C_INTERVAL_MINUTE, 0, IntervalText,
         " | 28 | type=5 sign=1 0 0:12:0.0"},
    });
}

TEST_F(SqlToCValuesTest, IntervalSources)
{
    TDWDaySecondInterval daySecond;
    daySecond.m_day = 1;
    daySecond.m_hour = 2;
    daySecond.m_minute = 3;
    daySecond.m_second = 4;
    daySecond.m_fraction = 500000;
    TDWDaySecondInterval minuteAndSeconds;
    minuteAndSeconds.m_minute = 1;
    minuteAndSeconds.m_second = 4;
    minuteAndSeconds.m_fraction = 500000;
    TDWSecondInterval seconds;
    seconds.m_second = 61;
    seconds.m_fraction = 25;
    RunAll({
        // A single-field interval carries its leading precision into the numeric structure.
        {"DAY(5) as SQL_C_NUMERIC", TDW_SQL_INTERVAL_DAY, Image(Single(42)), TDW_C_NUMERIC, 0, NumericText,
         " | 19 | p=5 s=0 sign=1 42", -1, 5},
        {"negative YEAR as SQL_C_NUMERIC", TDW_SQL_INTERVAL_YEAR, Image(Single(7, true)), TDW_C_NUMERIC, 0,
         NumericText, " | 19 | p=2 s=0 sign=0 7"},
        {"SECOND(2, 2) as SQL_C_NUMERIC scale 3", TDW_SQL_INTERVAL_SECOND, Image(seconds), TDW_C_NUMERIC, 0,
         NumericText, " | 19 | p=10 s=3 sign=1 61250", 2, -1, 10, 3},
        {"negative MINUTE as SQL_C_TINYINT", TDW_SQL_INTERVAL_MINUTE, Image(Single(90, true)), TDW_C_TINYINT, 0,
         Number(TDW_C_STINYINT), " | 1 | -90"},
        {"HOUR 300 as STINYINT", TDW_SQL_INTERVAL_HOUR, Image(Single(300)), TDW_C_STINYINT, 0,
         Number(TDW_C_STINYINT), "NumericValOutOfRange(0) | 1 | untouched"},
        {"DAY TO SECOND as text", TDW_SQL_INTERVAL_DAY_TO_SECOND, Image(daySecond), TDW_C_CHAR, 32, Narrow,
         " | 17 | 1 02:03:04.500000", 6},
        {"DAY as wide text", TDW_SQL_INTERVAL_DAY, Image(Single(3)), TDW_C_WCHAR, 8, Wide, " | 2 | 3"},
        {"DAY TO SECOND as SECOND", TDW_SQL_INTERVAL_DAY_TO_SECOND, Image(minuteAndSeconds), TDW_C_INTERVAL_SECOND,
         0, IntervalText, " | 28 | type=6 sign=0 0 0:0:64.500000", 6},
        {"DAY TO SECOND beyond the leading precision", TDW_SQL_INTERVAL_DAY_TO_SECOND, Image(daySecond),
         TDW_C_INTERVAL_SECOND, 0, IntervalText, "IntervalFieldOverflow(0) | 28 | untouched", 6},
    });
}

TEST_F(SqlToCValuesTest, DateAndTimeSources)
{
    FixedToday today;
    TDWDateValue date;
    date.m_year = 2024;
    date.m_month = 2;
    date.m_day = 29;
    RunAll({
        // A time becomes a timestamp of today, its fraction cut to the buffer's precision.
        {"TIME as TIMESTAMP, precision 0", TDW_SQL_TYPE_TIME, Image(TDWTimeValue{10, 20, 30, 123456789}),
         TDW_C_TYPE_TIMESTAMP, 0, TimestampText, "FractionalTrunc(1) | 16 | 2024-2-29 10:20:30.0", 9, -1, 0},
        {"TIME as TIMESTAMP, precision 9", TDW_SQL_TYPE_TIME, Image(TDWTimeValue{10, 20, 30, 123456789}),
         TDW_C_TYPE_TIMESTAMP, 0, TimestampText, " | 16 | 2024-2-29 10:20:30.123456789", 9, -1, 9},
        // A timestamp keeps the fraction digits of its type, whatever the buffer's precision.
        {"TIMESTAMP(3) as TIMESTAMP", TDW_SQL_TYPE_TIMESTAMP, Image(Timestamp(3, 5, 123456789)),
         TDW_C_TYPE_TIMESTAMP, 0, TimestampText, "FractionalTrunc(1) | 16 | 2020-1-2 3:0:5.123000000", 3, -1, 9},
        {"TIMESTAMP(9) as TIMESTAMP", TDW_SQL_TYPE_TIMESTAMP, Image(Timestamp(3, 5, 123456789)),
         TDW_C_TYPE_TIMESTAMP, 0, TimestampText, " | 16 | 2020-1-2 3:0:5.123456789", 9, -1, 0},
        {"TIMESTAMP with a time as DATE", TDW_SQL_TYPE_TIMESTAMP, Image(Timestamp(0, 1, 0)), TDW_C_TYPE_DATE, 0,
         DateText, "FractionalTrunc(1) | 6 | 2020-1-2"},
        {"TIMESTAMP(3) as text", TDW_SQL_TYPE_TIMESTAMP, Image(Timestamp(3, 5, 120000000)), TDW_C_CHAR, 32, Narrow,
         " | 23 | 2020-01-02 03:00:05.120", 3},
        {"TIME(2) as wide text", TDW_SQL_TYPE_TIME, Image(TDWTimeValue{1, 2, 3, 450000000}), TDW_C_WCHAR, 32, Wide,
         " | 22 | 01:02:03.45", 2},
        {"DATE as wide text", TDW_SQL_TYPE_DATE, Image(date), TDW_C_WCHAR, 22, Wide, " | 20 | 2024-02-29"},
    });
}

TEST_F(SqlToCValuesTest, CharacterSources)
{
    RunAll({
        {"text as SQL_C_LONG", TDW_SQL_CHAR, " 42 ", TDW_C_LONG, 0, Number(TDW_C_SLONG), " | 4 | 42"},
        {"wide text as SSHORT", TDW_SQL_WVARCHAR, "17", TDW_C_SSHORT, 0, Number(TDW_C_SSHORT), " | 2 | 17"},
        {"text that is no number", TDW_SQL_VARCHAR, "xyz", TDW_C_SLONG, 0, Number(TDW_C_SLONG),
         "InvalidCharValForCast | 4 | untouched"},
        {"text as BIT", TDW_SQL_LONGVARCHAR, "1", TDW_C_BIT, 0, Number(TDW_C_BIT), " | 1 | 1"},
        {"text as MINUTE TO SECOND", TDW_SQL_VARCHAR, "12:30.5", TDW_C_INTERVAL_MINUTE_TO_SECOND, 0, IntervalText,
         " | 28 | type=13 sign=0 0 0:12:30.500000"},
        {"wide text as TIMESTAMP, precision 6", TDW_SQL_WVARCHAR, "2024-01-02 03:04:05.123456789",
         TDW_C_TYPE_TIMESTAMP, 0, TimestampText, "FractionalTrunc(1) | 16 | 2024-1-2 3:4:5.123456000"},
        {"text as SQL_C_NUMERIC p6 s2", TDW_SQL_VARCHAR, "1234.5678", TDW_C_NUMERIC, 0, NumericText,
         "FractionalTrunc(1) | 19 | p=6 s=2 sign=1 123456", -1, -1, 6, 2},
        {"wide text as GUID", TDW_SQL_WCHAR, "6F9619FF-8B86-D011-B42D-00C04FC964FF", TDW_C_GUID, 16, HexOf,
         " | 16 | FF19966F868B11D0B42D00C04FC964FF"},
        {"wide text as binary", TDW_SQL_WCHAR, "a\xC3\xA9", TDW_C_BINARY, 8, HexOf, " | 3 | 61C3A9CDCDCDCDCD"},
    });
}

TEST_F(SqlToCValuesTest, WideTextOfIntervalsBitsAndGuidsIsInTheDriverManagersEncoding)
{
    // The buffers are described under UTF-32LE; the driver manager's encoding is UTF-16LE when
    // their converters are made. Dates and numbers keep the buffer's own encoding.
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF32_LE);
    BoundColumn interval(TDW_SQL_INTERVAL_DAY, TDW_C_WCHAR, 16);
    BoundColumn bit(TDW_SQL_BIT, TDW_C_WCHAR, 16);
    BoundColumn date(TDW_SQL_TYPE_DATE, TDW_C_WCHAR, 64);
    BoundColumn number(TDW_SQL_SINTEGER, TDW_C_WCHAR, 16);
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);

    EXPECT_EQ("3", TextOf(interval.Convert(Image(Single(3)), 16), 2));
    EXPECT_EQ("1", TextOf(bit.Convert("\x01", 16), 2));
    TDWDateValue value;
    EXPECT_EQ("1900-01-01", TextOf(date.Convert(Image(value), 64), 4));
    EXPECT_EQ("-5", TextOf(number.Convert(Image(int32_t{-5}), 16), 4));
}

TEST_F(SqlToCValuesTest, TinyintShortAndLongCellsConvertAsTheSignedTypes)
{
    const struct
    {
        TDWType source;
        std::string image;
        TDWType cell;
        TDWType signedType;
    } cases[] = {
        {TDW_SQL_INTERVAL_HOUR, Image(Single(5, true)), TDW_C_TINYINT, TDW_C_STINYINT},
        {TDW_SQL_UTINYINT, Image(uint8_t{200}), TDW_C_TINYINT, TDW_C_STINYINT},
        {TDW_SQL_DOUBLE, Image(40000.0), TDW_C_SHORT, TDW_C_SSHORT},
        {TDW_SQL_VARCHAR, "-70000", TDW_C_SHORT, TDW_C_SSHORT},
        {TDW_SQL_CHAR, "-70000", TDW_C_LONG, TDW_C_SLONG},
        {TDW_SQL_USMALLINT, Image(uint16_t{65535}), TDW_C_LONG, TDW_C_SLONG},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.source) + " to " + std::to_string(c.cell));
        BoundColumn cell(c.source, c.signedType);
        cell.MakeConverterOfCell(c.cell);
        BoundColumn signedColumn(c.source, c.signedType);
        const KernelRun fromCell = cell.Convert(c.image, 8);
        const KernelRun fromSigned = signedColumn.Convert(c.image, 8);
        EXPECT_EQ(fromSigned.posted, fromCell.posted);
        EXPECT_EQ(fromSigned.length, fromCell.length);
        EXPECT_EQ(fromSigned.bytes, fromCell.bytes);
    }
}
