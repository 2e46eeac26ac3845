// The bulk matrix against two tables written apart from its cell lists: the rows of pairs as the
// bulk families state them, and the registry's single-value table, cell by cell, by presence and
// by what each cell's converter does with one value under the same metadata.

#include "BulkColumnRun.h"

#include "Support/TypedDataWrapper/Bulk/SqlToCBulkMatrix.h"
#include "Support/TypedDataWrapper/SqlToCBulkConverter.h"
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
#include "Support/TypedDataWrapper/TDWSingleFieldInterval.h"
#include "Support/TypedDataWrapper/TDWTimeValue.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"
#include "Support/TypedDataWrapper/TDWYearMonthInterval.h"

#include "Unit/Support/StringTestSupport.h"
#include "Unit/TypedDataWrapper/ConversionSettingsGuard.h"
#include "Unit/TypedDataWrapper/Converters/ConverterTestSupport.h"
#include "Unit/TypedDataWrapper/TypeLists.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace Orvik::Support;

namespace {

using Cell = std::pair<int, int>;

const Types TEXT_AND_BINARY = {TDW_C_CHAR, TDW_C_WCHAR, TDW_C_BINARY};
const Types INTEGERS = {TDW_C_STINYINT, TDW_C_UTINYINT, TDW_C_TINYINT, TDW_C_SBIGINT, TDW_C_UBIGINT, TDW_C_SSHORT,
                        TDW_C_USHORT, TDW_C_SHORT, TDW_C_SLONG, TDW_C_ULONG, TDW_C_LONG};
const Types DAY_TIME = {TDW_C_INTERVAL_DAY, TDW_C_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_MINUTE,
                        TDW_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR_TO_MINUTE,
                        TDW_C_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE_TO_SECOND,
                        TDW_C_INTERVAL_SECOND};
const Types YEAR_MONTH = {TDW_C_INTERVAL_MONTH, TDW_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR_TO_MONTH};
const Types DATE_AND_TIME = {TDW_C_TYPE_DATE, TDW_C_TYPE_TIME, TDW_C_TYPE_TIMESTAMP};
/// The standard C types, SQL_C_CHAR to SQL_C_GUID.
const Types STANDARD = TEXT_AND_BINARY + Types{TDW_C_BIT, TDW_C_NUMERIC} + INTEGERS
    + Types{TDW_C_FLOAT, TDW_C_DOUBLE} + DATE_AND_TIME + DAY_TIME + YEAR_MONTH + Types{TDW_C_GUID};
/// The targets of a bit: the standard types but dates, times and GUIDs.
const Types NUMBER_TARGETS = Without(STANDARD, DATE_AND_TIME + Types{TDW_C_GUID});

// The rows of the bulk matrix, one line per row of sources alike.
const std::vector<TypeRow>& BulkRows()
{
    static const std::vector<TypeRow> rows = {
        {{TDW_SQL_CHAR, TDW_SQL_VARCHAR, TDW_SQL_WCHAR, TDW_SQL_WVARCHAR, TDW_SQL_WLONGVARCHAR},
         Without(STANDARD, {TDW_C_LONG}),
         34},
        {{TDW_SQL_LONGVARCHAR}, STANDARD, 35},
        {{TDW_SQL_BIT, TDW_SQL_STINYINT, TDW_SQL_UTINYINT, TDW_SQL_SSMALLINT, TDW_SQL_USMALLINT, TDW_SQL_UINTEGER,
          TDW_SQL_SBIGINT, TDW_SQL_UBIGINT, TDW_SQL_REAL, TDW_SQL_FLOAT, TDW_SQL_DOUBLE},
         NUMBER_TARGETS,
         31},
        {{TDW_SQL_SINTEGER}, Without(NUMBER_TARGETS, {TDW_C_INTERVAL_MINUTE_TO_SECOND}), 30},
        {{TDW_SQL_NUMERIC, TDW_SQL_DECIMAL}, Without(NUMBER_TARGETS, {TDW_C_LONG}), 30},
        {{TDW_SQL_BINARY, TDW_SQL_VARBINARY, TDW_SQL_LONGVARBINARY}, TEXT_AND_BINARY, 3},
        {{TDW_SQL_TYPE_DATE}, TEXT_AND_BINARY + Types{TDW_C_TYPE_DATE, TDW_C_TYPE_TIMESTAMP}, 5},
        {{TDW_SQL_TYPE_TIME}, TEXT_AND_BINARY + Types{TDW_C_TYPE_TIME, TDW_C_TYPE_TIMESTAMP}, 5},
        {{TDW_SQL_TYPE_TIMESTAMP}, TEXT_AND_BINARY + DATE_AND_TIME, 6},
        {{TDW_SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_SECOND},
         TEXT_AND_BINARY + Types{TDW_C_NUMERIC} + INTEGERS + DAY_TIME,
         25},
        {{TDW_SQL_INTERVAL_MINUTE},
         TEXT_AND_BINARY + Types{TDW_C_NUMERIC} + Without(INTEGERS, {TDW_C_TINYINT}) + DAY_TIME,
         24},
        {{TDW_SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_DAY_TO_MINUTE, TDW_SQL_INTERVAL_DAY_TO_SECOND,
          TDW_SQL_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND},
         TEXT_AND_BINARY + DAY_TIME,
         13},
        {{TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_YEAR},
         TEXT_AND_BINARY + Types{TDW_C_NUMERIC} + INTEGERS + YEAR_MONTH,
         18},
        {{TDW_SQL_INTERVAL_YEAR_TO_MONTH}, TEXT_AND_BINARY + YEAR_MONTH, 6},
        {{TDW_SQL_GUID}, TEXT_AND_BINARY + Types{TDW_C_GUID}, 4},
        {{TDW_SQL_NOTYPE}, {}, 0},
    };
    return rows;
}

/// The pairs of the single-value table that the bulk road leaves out: SQL_C_LONG reaches either
/// table as SQL_C_SLONG, and the bulk rows of CHAR, NUMERIC and DECIMAL have no cell of its own.
const std::set<Cell> SINGLE_VALUE_ONLY = {
    {TDW_SQL_CHAR, TDW_C_LONG}, {TDW_SQL_NUMERIC, TDW_C_LONG}, {TDW_SQL_DECIMAL, TDW_C_LONG}};

template <typename T>
std::string ImageOf(const T& in_value)
{
    return std::string(reinterpret_cast<const char*>(&in_value), sizeof(T));
}

/// One value of each source type in its SQL-side layout, chosen so that the metadata a converter
/// keeps changes its result: a fraction beyond the column's and the buffer's precisions, a
/// leading field within the buffer's leading precision.
std::string ValueOf(TDWType in_source)
{
    switch (in_source)
    {
    case TDW_SQL_CHAR:
    case TDW_SQL_VARCHAR:
    case TDW_SQL_LONGVARCHAR:
        return "12";
    case TDW_SQL_WCHAR:
    case TDW_SQL_WVARCHAR:
    case TDW_SQL_WLONGVARCHAR:
        return std::string("1\0002\000", 4);
    case TDW_SQL_BIT:
        return ImageOf(uint8_t{1});
    case TDW_SQL_BINARY:
    case TDW_SQL_VARBINARY:
    case TDW_SQL_LONGVARBINARY:
        return "\x12\xAB";
    case TDW_SQL_NUMERIC:
    case TDW_SQL_DECIMAL:
        return NumericImage("12.345");
    case TDW_SQL_STINYINT:
        return ImageOf(int8_t{12});
    case TDW_SQL_UTINYINT:
        return ImageOf(uint8_t{12});
    case TDW_SQL_SSMALLINT:
        return ImageOf(int16_t{12});
    case TDW_SQL_USMALLINT:
        return ImageOf(uint16_t{12});
    case TDW_SQL_SINTEGER:
        return ImageOf(int32_t{12});
    case TDW_SQL_UINTEGER:
        return ImageOf(uint32_t{12});
    case TDW_SQL_SBIGINT:
        return ImageOf(int64_t{12});
    case TDW_SQL_UBIGINT:
        return ImageOf(uint64_t{12});
    case TDW_SQL_REAL:
        return ImageOf(12.375f);
    case TDW_SQL_FLOAT:
    case TDW_SQL_DOUBLE:
        return ImageOf(12.375);
    case TDW_SQL_TYPE_DATE:
        return ImageOf(TDWDateValue{2021, 3, 4});
    case TDW_SQL_TYPE_TIME:
        return ImageOf(TDWTimeValue{5, 6, 7, 123456789});
    case TDW_SQL_TYPE_TIMESTAMP:
        return ImageOf(TDWTimestampValue("2021-03-04 05:06:07.123456789", 29, true));
    case TDW_SQL_GUID:
        return ImageOf(TDWGuidValue("6F9619FF-8B86-D011-B42D-00C04FC964FF", true));
    case TDW_SQL_INTERVAL_SECOND:
        return ImageOf(TDWSecondInterval{12, 345});
    case TDW_SQL_INTERVAL_YEAR_TO_MONTH:
        return ImageOf(TDWYearMonthInterval{1, 2});
    case TDW_SQL_INTERVAL_DAY_TO_HOUR:
        return ImageOf(TDWDayHourInterval{1, 2});
    case TDW_SQL_INTERVAL_DAY_TO_MINUTE:
        return ImageOf(TDWDayMinuteInterval{1, 2, 3});
    case TDW_SQL_INTERVAL_DAY_TO_SECOND:
        return ImageOf(TDWDaySecondInterval{1, 2, 3, 4, 345});
    case TDW_SQL_INTERVAL_HOUR_TO_MINUTE:
        return ImageOf(TDWHourMinuteInterval{1, 2});
    case TDW_SQL_INTERVAL_HOUR_TO_SECOND:
        return ImageOf(TDWHourSecondInterval{1, 2, 3, 345});
    case TDW_SQL_INTERVAL_MINUTE_TO_SECOND:
        return ImageOf(TDWMinuteSecondInterval{1, 2, 345});
    default:
        return ImageOf(TDWSingleFieldInterval{12});
    }
}

/// Metadata in which every value a converter may keep differs from the others: the column's
/// seconds precision 3 and leading precision 5, numerics of precision 10; the buffer's precision
/// 6 (2 for intervals, 8 with scale 2 for numeric structures) and leading precision 4. A wide
/// buffer for values other than text records UTF-32 beside the driver manager's UTF-16, so that
/// the two encodings a converter may keep tell apart; text into text picks its copy or its
/// transcoding by that encoding, whose rule the two tables state alike only for real bindings.
void SetDistinctMetadata(SqlTypeMetadata& io_source, SqlCTypeMetadata& io_target)
{
    const TDWType source = io_source.GetTDWType();
    const bool isIntervalColumn = source >= TDW_SQL_INTERVAL_DAY && source <= TDW_SQL_INTERVAL_YEAR_TO_MONTH;
    if (source == TDW_SQL_NUMERIC || source == TDW_SQL_DECIMAL)
    {
        io_source.SetPrecision(10);
    }
    if (isIntervalColumn || source == TDW_SQL_TYPE_TIME || source == TDW_SQL_TYPE_TIMESTAMP)
    {
        io_source.SetPrecision(3);
    }
    if (isIntervalColumn)
    {
        io_source.SetLengthOrIntervalPrecision(5);
    }
    const TDWType target = io_target.GetTDWType();
    const bool isInterval = target >= TDW_C_INTERVAL_DAY && target <= TDW_C_INTERVAL_YEAR_TO_MONTH;
    io_target.SetPrecision(target == TDW_C_NUMERIC ? 8 : isInterval ? 2 : 6);
    io_target.SetScale(target == TDW_C_NUMERIC ? 2 : 0);
    io_target.SetLengthOrIntervalPrecision(4);
    if (target == TDW_C_WCHAR && source > TDW_SQL_WLONGVARCHAR)
    {
        io_target.SetEncoding(ENC_UTF32_LE);
    }
}

/// The bulk converter of the cell, made by the factory as a fetch makes it. SQL_C_TINYINT,
/// SQL_C_SHORT and SQL_C_LONG bindings carry the ids of their signed types, so the factory never
/// reaches those cells; their converters are made from the cell's entry directly.
std::unique_ptr<ISqlToCBulkConverter> BulkConverterOf(TDWType in_target,
                                                      const SqlTypeMetadata& in_source,
                                                      const SqlCTypeMetadata& in_binding)
{
    if (in_binding.GetTDWType() == in_target)
    {
        return SqlToCBulkConverterFactory(nullptr).CreateConverter(in_source, in_binding);
    }
    const SqlToCBulkMatrix::Entry* entry = SqlToCBulkMatrix::Find(in_source.GetTDWType(), in_target);
    return std::make_unique<SqlToCBulkConverter<>>(entry->m_kernel,
                                                   SqlToCStateGroups::Make(entry->m_group, in_source, in_binding));
}

/// "<last result> | <length> | <element bytes>" of one value through the cell's single-value
/// converter and through its bulk converter, into an element of the binding's length.
std::pair<std::string, std::string> BothRoads(TDWType in_source, TDWType in_target)
{
    BoundColumn column(in_source, in_target, 64);
    SetDistinctMetadata(column.SourceMetadata(), column.TargetMetadata());
    const SqlCTypeMetadata& binding = column.TargetMetadata();
    const int64_t element =
        static_cast<int64_t>(binding.IsFixedSize() ? binding.GetFixedSize() : binding.GetOctetLength());
    const std::string value = ValueOf(in_source);

    column.MakeConverterOfCell(in_target);
    const KernelRun single = column.Convert(value, element);

    const std::unique_ptr<ISqlToCBulkConverter> converter =
        BulkConverterOf(in_target, column.SourceMetadata(), column.TargetMetadata());
    if (converter == nullptr)
    {
        return {"a converter", "none"};
    }
    const BulkColumnRun bulk = RunBulkColumn(*converter, {value}, element);

    return {single.posted + " | " + std::to_string(single.length) + " | " + Hex(single.bytes),
            bulk.listener.m_last + " | " + std::to_string(bulk.rows[0].length) + " | " + Hex(bulk.rows[0].bytes)};
}

class BulkMatrixAuditTest : public EncodingsRestored
{
protected:
    void SetUp() override
    {
        ProcessEncodings{ENC_UTF8, ENC_UTF16_LE, ENC_UTF8, ENC_UTF16_LE}.Install();
    }
};

} // namespace

TEST_F(BulkMatrixAuditTest, HoldsExactlyTheRowsOfTheFamilies)
{
    const std::set<Cell> listed = ListedCells(BulkRows());
    EXPECT_EQ(884u, listed.size());
    std::map<int, size_t> filledPerRow;
    std::vector<std::string> wrong;
    for (int source = 0; source <= TDW_SQL_NOTYPE; ++source)
    {
        for (int target = 0; target <= TDW_SQL_NOTYPE; ++target)
        {
            const bool isFilled =
                SqlToCBulkMatrix::Find(static_cast<TDWType>(source), static_cast<TDWType>(target)) != nullptr;
            filledPerRow[source] += isFilled ? 1 : 0;
            if (isFilled != (listed.count({source, target}) != 0))
            {
                wrong.push_back(std::to_string(source) + " to " + std::to_string(target)
                                + (isFilled ? " filled" : " empty"));
            }
        }
    }
    EXPECT_EQ(std::vector<std::string>{}, wrong);
    for (const TypeRow& row : BulkRows())
    {
        for (TDWType source : row.sources)
        {
            EXPECT_EQ(row.count, filledPerRow[source]) << "row of " << source;
        }
    }
}

TEST_F(BulkMatrixAuditTest, HasTheCellsOfTheSingleValueTableButThreeLongTargets)
{
    const SqlConverterFactory::SqlToCTable& singleValue = Registry().GetSqlToCTable();
    std::vector<std::string> wrong;
    for (int source = TDW_SQL_CHAR; source <= TDW_SQL_GUID; ++source)
    {
        for (int target = TDW_C_CHAR; target <= TDW_C_CUSTOM; ++target)
        {
            const bool isBulk =
                SqlToCBulkMatrix::Find(static_cast<TDWType>(source), static_cast<TDWType>(target)) != nullptr;
            const bool isSingle = singleValue[SqlConverterFactory::GetCellIndex(
                                      static_cast<TDWType>(source), static_cast<TDWType>(target))]
                != nullptr;
            const bool isDocumented = SINGLE_VALUE_ONLY.count({source, target}) != 0;
            if (isBulk != (isSingle && !isDocumented) || (isDocumented && !isSingle))
            {
                wrong.push_back(std::to_string(source) + " to " + std::to_string(target));
            }
        }
    }
    EXPECT_EQ(std::vector<std::string>{}, wrong);
}

// Every cell both tables hold converts one value alike under the same metadata: the same kernel
// with the same metadata kept, whichever table made the converter. Interval text pads its
// leading field to the column's leading precision, so that a converter that did not keep it
// shows.
TEST_F(BulkMatrixAuditTest, EveryCellConvertsAsItsSingleValueCounterpart)
{
    const ConversionSettingsGuard settings;
    ConversionSettings::PadIntervalLeadingField = true;
    for (const Cell& cell : ListedCells(BulkRows()))
    {
        const TDWType source = static_cast<TDWType>(cell.first);
        const TDWType target = static_cast<TDWType>(cell.second);
        SCOPED_TRACE(std::to_string(source) + " to " + std::to_string(target));
        const auto [single, bulk] = BothRoads(source, target);
        EXPECT_EQ(single, bulk);
    }
}
