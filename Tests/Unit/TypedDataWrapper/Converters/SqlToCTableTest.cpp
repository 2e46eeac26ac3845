// The registry's SQL-to-C table against the list of its cells, written here by source rows and
// target groups as the table of pairs states them, apart from the converters' own cell lists.

#include "ConverterTestSupport.h"

#include "Support/InvalidTypeConversionException.h"
#include "Support/TypedDataWrapper/TDWDaySecondInterval.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/TDWYearMonthInterval.h"

#include "Unit/TypedDataWrapper/Conversions/FixedValueText.h"
#include "Unit/TypedDataWrapper/Conversions/StructOutcome.h"
#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"
#include "Unit/TypedDataWrapper/TypeLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace Orvik::Support;

namespace {

const Types TEXT_AND_BINARY = {TDW_C_CHAR, TDW_C_WCHAR, TDW_C_BINARY};
const Types INTEGERS = {TDW_C_STINYINT, TDW_C_UTINYINT, TDW_C_TINYINT, TDW_C_SBIGINT, TDW_C_UBIGINT, TDW_C_SSHORT,
                        TDW_C_USHORT, TDW_C_SHORT, TDW_C_SLONG, TDW_C_ULONG, TDW_C_LONG};
const Types DATE_AND_TIME = {TDW_C_TYPE_DATE, TDW_C_TYPE_TIME, TDW_C_TYPE_TIMESTAMP};
const Types DAY_TIME_INTERVALS = {TDW_C_INTERVAL_DAY, TDW_C_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_MINUTE,
                                  TDW_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR_TO_MINUTE,
                                  TDW_C_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_MINUTE,
                                  TDW_C_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_SECOND};
const Types YEAR_MONTH_INTERVALS = {TDW_C_INTERVAL_MONTH, TDW_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR_TO_MONTH};
const Types ALL = TEXT_AND_BINARY + Types{TDW_C_BIT, TDW_C_NUMERIC} + INTEGERS + Types{TDW_C_FLOAT, TDW_C_DOUBLE}
    + DATE_AND_TIME + DAY_TIME_INTERVALS + YEAR_MONTH_INTERVALS + Types{TDW_C_GUID};

const std::vector<TypeRow>& Rows()
{
    static const std::vector<TypeRow> rows = {
        {{TDW_SQL_CHAR, TDW_SQL_LONGVARCHAR}, ALL, 35},
        {{TDW_SQL_VARCHAR, TDW_SQL_WCHAR, TDW_SQL_WVARCHAR, TDW_SQL_WLONGVARCHAR}, Without(ALL, {TDW_C_LONG}), 34},
        {{TDW_SQL_BIT, TDW_SQL_NUMERIC, TDW_SQL_DECIMAL, TDW_SQL_STINYINT, TDW_SQL_UTINYINT, TDW_SQL_SSMALLINT,
          TDW_SQL_USMALLINT, TDW_SQL_UINTEGER, TDW_SQL_SBIGINT, TDW_SQL_UBIGINT, TDW_SQL_REAL, TDW_SQL_FLOAT,
          TDW_SQL_DOUBLE},
         Without(ALL, DATE_AND_TIME + Types{TDW_C_GUID}),
         31},
        {{TDW_SQL_SINTEGER}, Without(ALL, DATE_AND_TIME + Types{TDW_C_GUID, TDW_C_INTERVAL_MINUTE_TO_SECOND}), 30},
        {{TDW_SQL_BINARY, TDW_SQL_VARBINARY, TDW_SQL_LONGVARBINARY}, TEXT_AND_BINARY, 3},
        {{TDW_SQL_TYPE_DATE}, TEXT_AND_BINARY + Types{TDW_C_TYPE_DATE, TDW_C_TYPE_TIMESTAMP}, 5},
        {{TDW_SQL_TYPE_TIME}, TEXT_AND_BINARY + Types{TDW_C_TYPE_TIME, TDW_C_TYPE_TIMESTAMP}, 5},
        {{TDW_SQL_TYPE_TIMESTAMP}, TEXT_AND_BINARY + DATE_AND_TIME, 6},
        {{TDW_SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_SECOND},
         TEXT_AND_BINARY + Types{TDW_C_NUMERIC} + INTEGERS + DAY_TIME_INTERVALS,
         25},
        {{TDW_SQL_INTERVAL_MINUTE},
         TEXT_AND_BINARY + Types{TDW_C_NUMERIC} + Without(INTEGERS, {TDW_C_TINYINT}) + DAY_TIME_INTERVALS,
         24},
        {{TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_DAY_TO_MINUTE, TDW_SQL_INTERVAL_DAY_TO_SECOND,
          TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND},
         TEXT_AND_BINARY + DAY_TIME_INTERVALS,
         13},
        {{TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_YEAR},
         TEXT_AND_BINARY + Types{TDW_C_NUMERIC} + INTEGERS + YEAR_MONTH_INTERVALS,
         18},
        {{TDW_SQL_INTERVAL_YEAR_TO_MONTH}, TEXT_AND_BINARY + YEAR_MONTH_INTERVALS, 6},
        {{TDW_SQL_GUID}, TEXT_AND_BINARY + Types{TDW_C_GUID}, 4},
    };
    return rows;
}

} // namespace

TEST(SqlToCTable, HoldsExactlyTheListedCellsEachMakingAConverter)
{
    const std::set<std::pair<int, int>> listed = ListedCells(Rows());
    ASSERT_EQ(887u, listed.size());
    const SqlConverterFactory::SqlToCTable& table = Registry().GetSqlToCTable();
    std::vector<std::string> wrong;
    for (int source = 0; source < TDW_TYPE_TABLE_SIZE; ++source)
    {
        for (int target = 0; target < TDW_TYPE_TABLE_SIZE; ++target)
        {
            const bool isListed = listed.count({source, target}) != 0;
            const bool isFilled = table[source * TDW_TYPE_TABLE_SIZE + target] != nullptr;
            if (isListed != isFilled)
            {
                wrong.push_back(std::to_string(source) + " to " + std::to_string(target)
                                + (isFilled ? " filled" : " empty"));
            }
        }
    }
    EXPECT_EQ(std::vector<std::string>{}, wrong);

    for (const auto& [source, target] : listed)
    {
        SCOPED_TRACE(std::to_string(source) + " to " + std::to_string(target));
        const auto creator = table[source * TDW_TYPE_TABLE_SIZE + target];
        ASSERT_NE(nullptr, creator);
        const auto sourceMetadata = SqlMetadataOf(static_cast<TDWType>(source));
        const auto targetMetadata = CMetadataOf(static_cast<TDWType>(target));
        EXPECT_NE(nullptr, creator(*sourceMetadata, *targetMetadata));
    }
}

TEST(SqlToCTable, PairsWithoutACellAreRefusedWithBothTypeNames)
{
    const struct
    {
        TDWType source;
        TDWType target;
        Parameters names;
    } cases[] = {
        {TDW_SQL_SINTEGER, TDW_C_INTERVAL_MINUTE_TO_SECOND, {"SQL_INTEGER", "SQL_C_INTERVAL_MINUTE_TO_SECOND"}},
        {TDW_SQL_TYPE_DATE, TDW_C_TYPE_TIME, {"SQL_TYPE_DATE", "SQL_C_TYPE_TIME"}},
        {TDW_SQL_TYPE_TIMESTAMP, TDW_C_SLONG, {"SQL_TYPE_TIMESTAMP", "SQL_C_SLONG"}},
        {TDW_SQL_INTERVAL_YEAR, TDW_C_INTERVAL_DAY, {"SQL_INTERVAL_YEAR", "SQL_C_INTERVAL_DAY"}},
        {TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_C_NUMERIC, {"SQL_INTERVAL_DAY_TO_HOUR", "SQL_C_NUMERIC"}},
        {TDW_SQL_BIT, TDW_C_TYPE_TIMESTAMP, {"SQL_BIT", "SQL_C_TYPE_TIMESTAMP"}},
        {TDW_SQL_DOUBLE, TDW_C_GUID, {"SQL_DOUBLE", "SQL_C_GUID"}},
        {TDW_SQL_VARBINARY, TDW_C_SLONG, {"SQL_VARBINARY", "SQL_C_SLONG"}},
        {TDW_SQL_GUID, TDW_C_BIT, {"SQL_GUID", "SQL_C_BIT"}},
    };
    for (const auto& c : cases)
    {
        BoundColumn column(c.source, c.target);
        const RaisedError error = Capture<InvalidTypeConversionException>([&] { column.MakeConverter(); });
        EXPECT_EQ("DataConvAlgorithmNotSupported", error.key);
        EXPECT_EQ(c.names, error.parameters);
    }
}

TEST(SqlToCTable, DefaultTargetTakesTheSourcesDefaultCType)
{
    TDWYearMonthInterval yearMonth;
    yearMonth.m_year = 3;
    yearMonth.m_month = 4;
    TDWDaySecondInterval daySecond;
    daySecond.m_day = 12;
    daySecond.m_second = 4;
    daySecond.m_fraction = 500000;
    const auto text = [](const KernelRun& in_run) { return TextOf(in_run); };
    const auto number = [](TDWType in_type) {
        return [in_type](const KernelRun& in_run) { return StoredValue(in_type, in_run); };
    };
    // Fixed-size defaults take their own size; the others the buffer length of the binding.
    EXPECT_EQ(" | 4 | -7", ConvertOnce(TDW_SQL_SINTEGER, Image(int32_t{-7}), TDW_C_DEFAULT, 0, 4, number(TDW_C_SLONG)));
    EXPECT_EQ(" | 1 | 200",
              ConvertOnce(TDW_SQL_UTINYINT, Image(uint8_t{200}), TDW_C_DEFAULT, 0, 1, number(TDW_C_UTINYINT)));
    EXPECT_EQ(" | 8 | 0.25", ConvertOnce(TDW_SQL_FLOAT, Image(0.25), TDW_C_DEFAULT, 0, 8, number(TDW_C_DOUBLE)));
    EXPECT_EQ(" | 16 | 1900-1-1 0:0:0.0",
              ConvertOnce(TDW_SQL_TYPE_TIMESTAMP, Image(TDWTimestampValue{}), TDW_C_DEFAULT, 0, 16, TimestampText));
    // Intervals take the defaults of their C types: two leading digits, six fraction digits.
    EXPECT_EQ(" | 28 | type=7 sign=0 3-4",
              ConvertOnce(TDW_SQL_INTERVAL_YEAR_TO_MONTH, Image(yearMonth), TDW_C_DEFAULT, 0, 28, IntervalText));
    EXPECT_EQ(" | 28 | type=10 sign=0 12 0:0:4.500000",
              ConvertOnce(TDW_SQL_INTERVAL_DAY_TO_SECOND, Image(daySecond), TDW_C_DEFAULT, 0, 28, IntervalText));
    EXPECT_EQ(" | 4 | -1.5", ConvertOnce(TDW_SQL_DECIMAL, NumericImage("-1.5"), TDW_C_DEFAULT, 8, text));
    EXPECT_EQ(" | 3 | 0102FFCD",
              ConvertOnce(TDW_SQL_VARBINARY, std::string("\x01\x02\xFF", 3), TDW_C_DEFAULT, 4, HexOf));
}
