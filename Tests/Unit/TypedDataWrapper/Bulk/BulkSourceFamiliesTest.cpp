// The bulk cells of the bit, binary, exact-numeric, date, time, GUID, integer, floating-point and
// interval sources whose kernel or kept metadata is easy to get wrong, each over a short column
// with NULL rows, made by the factory as a fetch makes them and run in both layouts.

#include "BulkColumnRun.h"

#include "Support/TypedDataWrapper/SqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWDayHourInterval.h"
#include "Support/TypedDataWrapper/TDWDayMinuteInterval.h"
#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWHourMinuteInterval.h"
#include "Support/TypedDataWrapper/TDWHourSecondInterval.h"
#include "Support/TypedDataWrapper/TDWMinuteSecondInterval.h"
#include "Support/TypedDataWrapper/TDWSecondInterval.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/TDWYearMonthInterval.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/Conversions/FixedValueText.h"
#include "Unit/TypedDataWrapper/Conversions/StructOutcome.h"
#include "Unit/TypedDataWrapper/Converters/ConverterTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Orvik::Support;

namespace {

/// A column's type with the precision and leading precision its metadata gives (-1: the
/// type's own).
struct Column
{
    TDWType type;
    int16_t precision = -1;
    int64_t leading = -1;
};

/// A binding's C type with its buffer length, precision, scale and leading precision (-1: the
/// type's own).
struct Buffer
{
    TDWType type;
    int64_t length = 64;
    int16_t precision = -1;
    int16_t scale = -1;
    int64_t leading = -1;
};

struct Case
{
    Column column;
    Buffer buffer;
    std::vector<BulkValue> rows;
    std::string expected;
};

/// How a row's element reads for a target: numbers as their value, text up to its terminator,
/// structures field by field, everything else in hexadecimal.
std::function<std::string(const KernelRun&)> ShowFor(TDWType in_target)
{
    switch (in_target)
    {
    case TDW_C_CHAR:
        return [](const KernelRun& in_run) { return TextOf(in_run); };
    case TDW_C_WCHAR:
        return [](const KernelRun& in_run) { return TextOf(in_run, 2); };
    case TDW_C_BINARY:
    case TDW_C_GUID:
        return HexOf;
    case TDW_C_NUMERIC:
        return NumericText;
    case TDW_C_TYPE_DATE:
        return DateText;
    case TDW_C_TYPE_TIME:
        return TimeText;
    case TDW_C_TYPE_TIMESTAMP:
        return TimestampText;
    default:
        if (in_target >= TDW_C_INTERVAL_DAY && in_target <= TDW_C_INTERVAL_YEAR_TO_MONTH)
        {
            return IntervalText;
        }
        return [in_target](const KernelRun& in_run) { return StoredValue(in_target, in_run); };
    }
}

template <typename T>
BulkValue Value(const T& in_value)
{
    return Image(in_value);
}

/// The rows through the factory's converter for the column and the buffer, in the strided
/// layout; the pointer-array layout must give the same.
std::string Convert(const Column& in_column, const Buffer& in_buffer, const std::vector<BulkValue>& in_rows)
{
    const std::unique_ptr<SqlTypeMetadata> column = SqlMetadataOf(in_column.type);
    if (in_column.precision >= 0)
    {
        column->SetPrecision(in_column.precision);
    }
    if (in_column.leading >= 0)
    {
        column->SetLengthOrIntervalPrecision(static_cast<uint64_t>(in_column.leading));
    }
    const std::unique_ptr<SqlCTypeMetadata> binding = CMetadataOf(in_buffer.type);
    binding->SetOctetLength(static_cast<uint64_t>(in_buffer.length));
    if (in_buffer.precision >= 0)
    {
        binding->SetPrecision(in_buffer.precision);
    }
    if (in_buffer.scale >= 0)
    {
        binding->SetScale(in_buffer.scale);
    }
    if (in_buffer.leading >= 0)
    {
        binding->SetLengthOrIntervalPrecision(static_cast<uint64_t>(in_buffer.leading));
    }
    const std::unique_ptr<ISqlToCBulkConverter> converter =
        SqlToCBulkConverterFactory(nullptr).CreateConverter(*column, *binding);
    if (converter == nullptr)
    {
        return "no converter";
    }
    const int64_t element =
        static_cast<int64_t>(binding->IsFixedSize() ? binding->GetFixedSize() : binding->GetOctetLength());
    const auto show = ShowFor(in_buffer.type);
    const BulkColumnRun strided = RunBulkColumn(*converter, in_rows, element);
    const BulkColumnRun pointers = RunBulkColumn(*converter, in_rows, element, BulkSqlData::LAYOUT_POINTER_ARRAY);
    EXPECT_EQ(in_rows.size(), strided.converted);
    EXPECT_EQ(RowsOf(strided, show), RowsOf(pointers, show)) << "the two layouts convert alike";
    return RowsOf(strided, show);
}

void ExpectCases(const std::vector<Case>& in_cases)
{
    for (const Case& c : in_cases)
    {
        EXPECT_EQ(c.expected, Convert(c.column, c.buffer, c.rows)) << c.column.type << " to " << c.buffer.type;
    }
}

TDWSingleFieldInterval Field(uint32_t in_value, bool in_isNegative = false)
{
    TDWSingleFieldInterval interval;
    interval.m_value = in_value;
    interval.m_isNegative = in_isNegative;
    return interval;
}

TDWYearMonthInterval YearMonth(uint32_t in_year, uint32_t in_month, bool in_isNegative = false)
{
    TDWYearMonthInterval interval;
    interval.m_year = in_year;
    interval.m_month = in_month;
    interval.m_isNegative = in_isNegative;
    return interval;
}

class BulkSourceFamiliesTest : public EncodingsRestored
{
protected:
    void SetUp() override
    {
        orvik_wstring::InitializeAnsiEncoding(ENC_UTF8);
        orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
    }
};

} // namespace

// Pairs of one width and signedness copy, wider targets widen by the source's sign, narrower or
// other-signed ones check the range and leave a refused element unwritten.
TEST_F(BulkSourceFamiliesTest, IntegersCopyWidenOrRefuseByTheirPair)
{
    ExpectCases({
        {{TDW_SQL_USMALLINT}, {TDW_C_USHORT}, {Value(uint16_t{65535}), std::nullopt}, "2 65535 | NULL untouched"},
        {{TDW_SQL_USMALLINT}, {TDW_C_SSHORT}, {Value(uint16_t{32768}), Value(uint16_t{32767})},
         "2 untouched | 2 32767 ; 1:NumericValOutOfRange(0)"},
        {{TDW_SQL_USMALLINT}, {TDW_C_SHORT}, {Value(uint16_t{32768})}, "2 untouched ; 1:NumericValOutOfRange(0)"},
        {{TDW_SQL_SINTEGER}, {TDW_C_ULONG}, {std::nullopt, Value(int32_t{-1})},
         "NULL untouched | 4 untouched ; 2:NumericValOutOfRange(1)"},
        {{TDW_SQL_UINTEGER}, {TDW_C_ULONG}, {Value(uint32_t{4294967295u})}, "4 4294967295"},
        {{TDW_SQL_UTINYINT}, {TDW_C_UBIGINT}, {Value(uint8_t{200})}, "8 200"},
        {{TDW_SQL_UTINYINT}, {TDW_C_SBIGINT}, {Value(uint8_t{200})}, "8 200"},
        {{TDW_SQL_UTINYINT}, {TDW_C_TINYINT}, {Value(uint8_t{200})}, "1 untouched ; 1:NumericValOutOfRange(0)"},
        {{TDW_SQL_STINYINT}, {TDW_C_SLONG}, {Value(int8_t{-12})}, "4 -12"},
        {{TDW_SQL_UBIGINT}, {TDW_C_UBIGINT}, {Value(uint64_t{18446744073709551615u})}, "8 18446744073709551615"},
        // Text needs room for its terminator; a refused element keeps the buffer's length.
        {{TDW_SQL_STINYINT}, {TDW_C_CHAR, 3}, {Value(int8_t{12}), std::nullopt, Value(int8_t{-12})},
         "2 12 | NULL untouched | 3 untouched ; 3:NumericValOutOfRange(2)"},
        {{TDW_SQL_SBIGINT}, {TDW_C_WCHAR, 8}, {Value(int64_t{-12})}, "6 -12"},
        // The image needs the value's whole width.
        {{TDW_SQL_USMALLINT}, {TDW_C_BINARY, 1}, {Value(uint16_t{258})}, "1 untouched ; 1:NumericValOutOfRange(2)"},
        {{TDW_SQL_USMALLINT}, {TDW_C_BINARY, 2}, {Value(uint16_t{258})}, "2 0201"},
        {{TDW_SQL_SSMALLINT}, {TDW_C_NUMERIC, 64, 5, 2}, {Value(int16_t{-123})}, "19 p=5 s=2 sign=0 12300"},
    });
}

// A number has no field for the later parts of a multi-field interval: every non-NULL row is
// refused and keeps the element length its slot was given. A single-field target is written
// whole, so no fraction of an earlier rowset stays behind in the element.
TEST_F(BulkSourceFamiliesTest, NumbersIntoIntervals)
{
    ExpectCases({
        {{TDW_SQL_BIT}, {TDW_C_INTERVAL_DAY_TO_SECOND}, {Value(uint8_t{1}), std::nullopt, Value(uint8_t{0})},
         "28 untouched | NULL untouched | 28 untouched ; 1:IntervalFieldOverflow(2), 3:IntervalFieldOverflow(2)"},
        {{TDW_SQL_UINTEGER}, {TDW_C_INTERVAL_MINUTE_TO_SECOND}, {Value(uint32_t{5})},
         "28 untouched ; 1:IntervalFieldOverflow(2)"},
        {{TDW_SQL_SINTEGER}, {TDW_C_INTERVAL_MINUTE_TO_SECOND}, {Value(int32_t{5})}, "no converter"},
        {{TDW_SQL_SINTEGER}, {TDW_C_INTERVAL_SECOND, 64, 6, -1, 2}, {Value(int32_t{-7}), Value(int32_t{100})},
         "28 type=6 sign=1 0 0:0:7.0 | 28 untouched ; 2:IntervalFieldOverflow(0)"},
        {{TDW_SQL_BIT}, {TDW_C_INTERVAL_SECOND, 64, 6, -1, 2}, {Value(uint8_t{1})}, "28 type=6 sign=0 0 0:0:1.0"},
        {{TDW_SQL_SSMALLINT}, {TDW_C_INTERVAL_DAY, 64, -1, -1, 2}, {Value(int16_t{99}), Value(int16_t{100})},
         "28 type=3 sign=0 99 0:0:0.0 | 28 untouched ; 2:IntervalFieldOverflow(0)"},
        // Floating-point values keep the buffer's seconds precision and report a dropped fraction.
        {{TDW_SQL_DOUBLE}, {TDW_C_INTERVAL_DAY, 64, 6, -1, 2}, {Value(12.7), Value(123.0)},
         "28 type=3 sign=0 12 0:0:0.0 | 28 untouched ; 1:FractionalTrunc(1), 2:IntervalFieldOverflow(0)"},
        {{TDW_SQL_REAL}, {TDW_C_INTERVAL_SECOND, 64, 2, -1, 2}, {Value(12.5f)}, "28 type=6 sign=0 0 0:0:12.50"},
        {{TDW_SQL_NUMERIC}, {TDW_C_INTERVAL_SECOND, 64, 2, -1, 2}, {Value(TDWNumeric("12.345", true))},
         "28 type=6 sign=0 0 0:0:12.34 ; 1:FractionalTrunc(1)"},
    });
}

TEST_F(BulkSourceFamiliesTest, ExactAndFloatingPointNumbers)
{
    ExpectCases({
        // The structure takes the buffer's precision and scale, not the column's.
        {{TDW_SQL_NUMERIC, 10}, {TDW_C_NUMERIC, 64, 5, 2}, {Value(TDWNumeric("123.456", true)), std::nullopt},
         "19 p=5 s=2 sign=1 12345 | NULL untouched ; 1:FractionalTrunc(1)"},
        {{TDW_SQL_DECIMAL, 10}, {TDW_C_NUMERIC, 64, 5, 2}, {Value(TDWNumeric("-123456.5", true))},
         "19 p=5 s=2 sign=0 0 ; 1:NumericValOutOfRange(1)"},
        {{TDW_SQL_NUMERIC}, {TDW_C_SLONG}, {Value(TDWNumeric("-12.5", true))}, "4 -12 ; 1:FractionalTrunc(0)"},
        // Only a whole part beyond the target is out of range, for unsigned targets too.
        {{TDW_SQL_NUMERIC}, {TDW_C_UBIGINT}, {Value(TDWNumeric("-0.5", true)), Value(TDWNumeric("-1.5", true))},
         "8 0 | 8 untouched ; 1:FractionalTrunc(0), 2:NumericValOutOfRange(1)"},
        {{TDW_SQL_DOUBLE}, {TDW_C_UTINYINT}, {Value(-0.25), Value(-1.0)},
         "1 0 | 1 untouched ; 1:FractionalTrunc(0), 2:NumericValOutOfRange(1)"},
        {{TDW_SQL_REAL}, {TDW_C_STINYINT}, {Value(127.4f), Value(-128.9f)},
         "1 127 | 1 -128 ; 1:FractionalTrunc(1), 2:FractionalTrunc(0)"},
        {{TDW_SQL_NUMERIC}, {TDW_C_CHAR, 6}, {Value(TDWNumeric("-12.345", true))}, "7 -12.3 ; 1:StrRightTrunc"},
        {{TDW_SQL_DECIMAL}, {TDW_C_WCHAR, 14}, {Value(TDWNumeric("-12.5", true))}, "10 -12.5"},
        {{TDW_SQL_BIT}, {TDW_C_WCHAR, 4}, {Value(uint8_t{1})}, "2 1"},
        {{TDW_SQL_VARBINARY}, {TDW_C_CHAR, 5}, {std::string("\x12\xAB\x01"), std::nullopt},
         "6 12AB | NULL untouched ; 1:StrRightTrunc"},
        // REAL widens exactly; FLOAT and DOUBLE narrow, an overflow leaving the infinity it became.
        {{TDW_SQL_REAL}, {TDW_C_DOUBLE}, {Value(0.1f)}, "8 0.10000000149011612"},
        {{TDW_SQL_REAL}, {TDW_C_FLOAT}, {Value(0.1f)}, "4 0.100000001"},
        {{TDW_SQL_FLOAT}, {TDW_C_FLOAT}, {Value(2.5), Value(1e300)}, "4 2.5 | 4 inf ; 2:NumericValOutOfRange(0)"},
        {{TDW_SQL_DOUBLE}, {TDW_C_FLOAT}, {Value(-0.25)}, "4 -0.25"},
        {{TDW_SQL_DOUBLE}, {TDW_C_DOUBLE}, {Value(-0.25)}, "8 -0.25"},
        {{TDW_SQL_DOUBLE}, {TDW_C_NUMERIC, 64, 6, 2}, {Value(-12.345)},
         "19 p=6 s=2 sign=0 1234 ; 1:FractionalTrunc(1)"},
    });
}

TEST_F(BulkSourceFamiliesTest, DatesTimesAndGuids)
{
    const std::string guid = Image(TDWGuidValue("6F9619FF-8B86-D011-B42D-00C04FC964FF", true));
    const BulkValue timestamp = Value(TDWTimestampValue("2021-03-04 05:06:07.123456789", 29, true));
    ExpectCases({
        // A timestamp keeps the column's fraction digits, whatever the buffer's precision.
        {{TDW_SQL_TYPE_TIMESTAMP, 3}, {TDW_C_TYPE_TIMESTAMP, 16, 6}, {timestamp, std::nullopt},
         "16 2021-3-4 5:6:7.123000000 | NULL untouched ; 1:FractionalTrunc(1)"},
        {{TDW_SQL_TYPE_TIMESTAMP, 9}, {TDW_C_TYPE_TIMESTAMP, 16, 0}, {timestamp}, "16 2021-3-4 5:6:7.123456789"},
        {{TDW_SQL_TYPE_TIMESTAMP, 3}, {TDW_C_CHAR, 64}, {timestamp}, "23 2021-03-04 05:06:07.123"},
        {{TDW_SQL_TYPE_TIMESTAMP, 3}, {TDW_C_TYPE_DATE, 6}, {timestamp}, "6 2021-3-4 ; 1:FractionalTrunc(1)"},
        {{TDW_SQL_TYPE_TIMESTAMP, 3}, {TDW_C_BINARY, 10}, {timestamp}, "10 untouched ; 1:NumericValOutOfRange(2)"},
        {{TDW_SQL_TYPE_TIME, 3}, {TDW_C_CHAR, 64}, {Value(TDWTimeValue{5, 6, 7, 120000000})}, "12 05:06:07.120"},
        // The GUID's text needs its terminator; its image is its 16-byte structure.
        {{TDW_SQL_GUID}, {TDW_C_CHAR, 37}, {guid, std::nullopt},
         "36 6F9619FF-8B86-D011-B42D-00C04FC964FF | NULL untouched"},
        {{TDW_SQL_GUID}, {TDW_C_CHAR, 36}, {guid}, "36 untouched ; 1:NumericValOutOfRange(2)"},
        {{TDW_SQL_GUID}, {TDW_C_WCHAR, 74}, {guid}, "72 6F9619FF-8B86-D011-B42D-00C04FC964FF"},
        {{TDW_SQL_GUID}, {TDW_C_BINARY, 16}, {guid}, "16 FF19966F868B11D0B42D00C04FC964FF"},
        {{TDW_SQL_GUID}, {TDW_C_BINARY, 15}, {guid}, "15 untouched ; 1:NumericValOutOfRange(2)"},
        {{TDW_SQL_GUID}, {TDW_C_GUID, 16}, {guid}, "16 FF19966F868B11D0B42D00C04FC964FF"},
        {{TDW_SQL_TYPE_DATE}, {TDW_C_TYPE_TIME}, {Value(TDWDateValue{2021, 3, 4})}, "no converter"},
    });
}

// Intervals fold in 64 bits: a leading field the target's leading precision cannot hold is
// refused and nothing is stored, however large the product.
TEST_F(BulkSourceFamiliesTest, IntervalsIntoIntervals)
{
    ExpectCases({
        {{TDW_SQL_INTERVAL_MONTH}, {TDW_C_INTERVAL_YEAR, 64, -1, -1, 2}, {Value(Field(14)), std::nullopt},
         "28 type=1 sign=0 1-0 | NULL untouched ; 1:FractionalTrunc(1)"},
        {{TDW_SQL_INTERVAL_MONTH}, {TDW_C_INTERVAL_YEAR_TO_MONTH, 64, -1, -1, 2}, {Value(Field(14, true))},
         "28 type=7 sign=1 1-2"},
        {{TDW_SQL_INTERVAL_YEAR}, {TDW_C_INTERVAL_MONTH, 64, -1, -1, 2}, {Value(Field(3)), Value(Field(100))},
         "28 type=2 sign=0 0-36 | 28 untouched ; 2:IntervalFieldOverflow(0)"},
        {{TDW_SQL_INTERVAL_YEAR}, {TDW_C_INTERVAL_MONTH, 64, -1, -1, 9}, {Value(Field(400000000, true))},
         "28 untouched ; 1:IntervalFieldOverflow(1)"},
        {{TDW_SQL_INTERVAL_DAY}, {TDW_C_INTERVAL_SECOND, 64, 6, -1, 2}, {Value(Field(5))},
         "28 untouched ; 1:IntervalFieldOverflow(0)"},
        {{TDW_SQL_INTERVAL_DAY}, {TDW_C_INTERVAL_SECOND, 64, 6, -1, 6}, {Value(Field(5))},
         "28 type=6 sign=0 0 0:0:432000.0"},
        {{TDW_SQL_INTERVAL_DAY}, {TDW_C_INTERVAL_HOUR, 64, -1, -1, 2}, {Value(Field(100))},
         "28 untouched ; 1:IntervalFieldOverflow(0)"},
        {{TDW_SQL_INTERVAL_HOUR}, {TDW_C_INTERVAL_DAY, 64, -1, -1, 2}, {Value(Field(30, true))},
         "28 type=3 sign=1 1 0:0:0.0 ; 1:FractionalTrunc(0)"},
        {{TDW_SQL_INTERVAL_HOUR}, {TDW_C_INTERVAL_DAY_TO_HOUR, 64, -1, -1, 2}, {Value(Field(30))},
         "28 type=8 sign=0 1 6:0:0.0"},
        {{TDW_SQL_INTERVAL_DAY_TO_SECOND, 3}, {TDW_C_INTERVAL_MINUTE_TO_SECOND, 64, 0, -1, 4},
         {Value(TDWDaySecondInterval{1, 2, 3, 4, 500})}, "28 type=13 sign=0 0 0:1563:4.500"},
        {{TDW_SQL_INTERVAL_YEAR_TO_MONTH}, {TDW_C_INTERVAL_DAY}, {Value(YearMonth(1, 2))}, "no converter"},
        {{TDW_SQL_INTERVAL_MINUTE}, {TDW_C_TINYINT, 1}, {Value(Field(100, true))}, "1 -100"},
    });
}

TEST_F(BulkSourceFamiliesTest, IntervalsIntoTextAndNumbers)
{
    ExpectCases({
        {{TDW_SQL_INTERVAL_YEAR_TO_MONTH, -1, 2}, {TDW_C_CHAR, 64},
         {Value(YearMonth(5, 3)), std::nullopt, Value(YearMonth(5, 3, true))}, "4 5-03 | NULL untouched | 5 -5-03"},
        {{TDW_SQL_INTERVAL_YEAR_TO_MONTH, -1, 2}, {TDW_C_WCHAR, 64}, {Value(YearMonth(5, 3))}, "8 5-03"},
        {{TDW_SQL_INTERVAL_MONTH, -1, 2}, {TDW_C_CHAR, 2}, {Value(Field(14))},
         "2 untouched ; 1:NumericValOutOfRange(2)"},
        {{TDW_SQL_INTERVAL_SECOND, 3, 2}, {TDW_C_CHAR, 64},
         {Value(TDWSecondInterval{5, 250}), Value(TDWSecondInterval{5, 25})}, "5 5.250 | 5 5.025"},
        {{TDW_SQL_INTERVAL_SECOND, 0, 2}, {TDW_C_CHAR, 64}, {Value(TDWSecondInterval{5, 0})}, "1 5"},
        // The text holds the whole leading field, even one longer than the column declares.
        {{TDW_SQL_INTERVAL_DAY_TO_HOUR, -1, 2}, {TDW_C_CHAR, 64},
         {Value(TDWDayHourInterval{1, 2}), Value(TDWDayHourInterval{3, 4}), Value(TDWDayHourInterval{12345, 6})},
         "4 1 02 | 4 3 04 | 8 12345 06"},
        {{TDW_SQL_INTERVAL_HOUR_TO_SECOND, 2, 2}, {TDW_C_WCHAR, 64}, {Value(TDWHourSecondInterval{1, 2, 3, 45})},
         "20 1:02:03.45"},
        // A text cut to fit loses fraction digits only and reports its whole length.
        {{TDW_SQL_INTERVAL_DAY_TO_SECOND, 3, 2}, {TDW_C_CHAR, 13},
         {Value(TDWDaySecondInterval{3, 4, 5, 6, 7, true}), Value(TDWDaySecondInterval{3, 4, 5, 6, 7})},
         "15 -3 04:05:06 | 14 3 04:05:06.0 ; 1:FractionalTrunc(0), 2:FractionalTrunc(1)"},
        {{TDW_SQL_INTERVAL_DAY_TO_SECOND, 3, 2}, {TDW_C_WCHAR, 26}, {Value(TDWDaySecondInterval{3, 4, 5, 6, 7})},
         "28 3 04:05:06.0 ; 1:FractionalTrunc(1)"},
        // Numbers from the single-field kinds take the column's leading precision as theirs.
        {{TDW_SQL_INTERVAL_HOUR, -1, 5}, {TDW_C_NUMERIC, 64, 10, 2}, {Value(Field(42))}, "19 p=5 s=0 sign=1 42"},
        {{TDW_SQL_INTERVAL_SECOND, 3, 2}, {TDW_C_NUMERIC, 64, 10, 2}, {Value(TDWSecondInterval{42, 125})},
         "19 p=10 s=2 sign=1 4212 ; 1:FractionalTrunc(1)"},
        {{TDW_SQL_INTERVAL_MONTH}, {TDW_C_SLONG}, {Value(Field(14, true))}, "4 -14"},
        {{TDW_SQL_INTERVAL_YEAR}, {TDW_C_UTINYINT}, {Value(Field(1, true))}, "1 untouched ; 1:NumericValOutOfRange(1)"},
        {{TDW_SQL_INTERVAL_SECOND}, {TDW_C_SSHORT}, {Value(TDWSecondInterval{7, 5})}, "2 7 ; 1:FractionalTrunc(1)"},
    });
}

// Each interval's image is its own record, whose size differs by kind.
TEST_F(BulkSourceFamiliesTest, IntervalImagesTakeTheirKindsSize)
{
    const struct
    {
        TDWType source;
        std::string value;
    } images[] = {
        {TDW_SQL_INTERVAL_DAY, Image(Field(7))},
        {TDW_SQL_INTERVAL_YEAR, Image(Field(7))},
        {TDW_SQL_INTERVAL_SECOND, Image(TDWSecondInterval{7, 8})},
        {TDW_SQL_INTERVAL_YEAR_TO_MONTH, Image(YearMonth(7, 8))},
        {TDW_SQL_INTERVAL_DAY_TO_HOUR, Image(TDWDayHourInterval{7, 8})},
        {TDW_SQL_INTERVAL_HOUR_TO_MINUTE, Image(TDWHourMinuteInterval{7, 8})},
        {TDW_SQL_INTERVAL_DAY_TO_MINUTE, Image(TDWDayMinuteInterval{7, 8, 9})},
        {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, Image(TDWMinuteSecondInterval{7, 8, 9})},
        {TDW_SQL_INTERVAL_HOUR_TO_SECOND, Image(TDWHourSecondInterval{7, 8, 9, 10})},
        {TDW_SQL_INTERVAL_DAY_TO_SECOND, Image(TDWDaySecondInterval{7, 8, 9, 10, 11})},
    };
    for (const auto& image : images)
    {
        const int64_t size = static_cast<int64_t>(image.value.size());
        EXPECT_EQ(std::to_string(size) + " " + Hex(image.value) + " | NULL untouched",
                  Convert({image.source}, {TDW_C_BINARY, size}, {image.value, std::nullopt}))
            << image.source;
        EXPECT_EQ(std::to_string(size - 1) + " untouched ; 1:NumericValOutOfRange(2)",
                  Convert({image.source}, {TDW_C_BINARY, size - 1}, {image.value}))
            << image.source;
    }
}
