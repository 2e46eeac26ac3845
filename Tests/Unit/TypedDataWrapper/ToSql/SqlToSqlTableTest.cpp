// The registry's SQL-to-SQL table: the pairs it converts (against the pairs written here by row and
// target groups, apart from the converters' own lists), the convertibility answers it gives, and
// converters of its rows at work on SQL-side values.

#include "ToSqlTestSupport.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"
#include "Unit/TypedDataWrapper/TypeLists.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

using namespace Orvik::Support;

namespace {

const Types CHARACTERS = {TDW_SQL_CHAR,  TDW_SQL_VARCHAR,  TDW_SQL_LONGVARCHAR,
                          TDW_SQL_WCHAR, TDW_SQL_WVARCHAR, TDW_SQL_WLONGVARCHAR};
const Types BINARIES = {TDW_SQL_BINARY, TDW_SQL_VARBINARY, TDW_SQL_LONGVARBINARY};
const Types EXACT = {TDW_SQL_NUMERIC, TDW_SQL_DECIMAL};
const Types INTEGERS = {TDW_SQL_STINYINT, TDW_SQL_UTINYINT, TDW_SQL_SSMALLINT, TDW_SQL_USMALLINT,
                        TDW_SQL_SINTEGER, TDW_SQL_UINTEGER, TDW_SQL_SBIGINT,   TDW_SQL_UBIGINT};
const Types NUMBERS = Types{TDW_SQL_BIT} + EXACT + INTEGERS + Types{TDW_SQL_REAL, TDW_SQL_FLOAT, TDW_SQL_DOUBLE};
const Types DAY_TIME = {TDW_SQL_INTERVAL_DAY,           TDW_SQL_INTERVAL_HOUR,
                        TDW_SQL_INTERVAL_MINUTE,        TDW_SQL_INTERVAL_SECOND,
                        TDW_SQL_INTERVAL_DAY_TO_HOUR,   TDW_SQL_INTERVAL_DAY_TO_MINUTE,
                        TDW_SQL_INTERVAL_DAY_TO_SECOND, TDW_SQL_INTERVAL_HOUR_TO_MINUTE,
                        TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND};
const Types YEAR_MONTH = {TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_YEAR_TO_MONTH};
const Types DATE = {TDW_SQL_TYPE_DATE};
const Types TIME = {TDW_SQL_TYPE_TIME};
const Types TIMESTAMP = {TDW_SQL_TYPE_TIMESTAMP};
const Types GUID = {TDW_SQL_GUID};
const Types EVERY_SQL_TYPE =
    CHARACTERS + BINARIES + NUMBERS + DATE + TIME + TIMESTAMP + DAY_TIME + YEAR_MONTH + GUID;

/// Every pair of SQL types that converts, row group by row group.
const Pairs CONVERTIBLE = Product(CHARACTERS, EVERY_SQL_TYPE)
    + Product(NUMBERS, CHARACTERS + BINARIES + NUMBERS + DAY_TIME + YEAR_MONTH)
    + Product(BINARIES, CHARACTERS + BINARIES)
    + Product(DATE, CHARACTERS + BINARIES + DATE + TIMESTAMP)
    + Product(TIME, CHARACTERS + BINARIES + TIME + TIMESTAMP)
    + Product(TIMESTAMP, CHARACTERS + BINARIES + DATE + TIME + TIMESTAMP)
    + Product(DAY_TIME, CHARACTERS + BINARIES + EXACT + INTEGERS + DAY_TIME)
    + Product(YEAR_MONTH, CHARACTERS + BINARIES + EXACT + INTEGERS + YEAR_MONTH)
    + Product(GUID, CHARACTERS + GUID);

SqlConverterFactory::SqlToSqlCreator CellOf(int32_t in_source, int32_t in_target)
{
    return Registry().GetSqlToSqlTable()[SqlConverterFactory::GetCellIndex(static_cast<TDWType>(in_source),
                                                                           static_cast<TDWType>(in_target))];
}

/// "<posted> | <target bytes as hexadecimal>" after converting in_image of in_source into a new
/// in_target value through the table's cell.
std::string ConvertThroughCell(TDWType in_source, const std::string& in_image, TDWType in_target)
{
    SqlValue source(in_source);
    source.Set(in_image);
    SqlValue target(in_target);
    const std::unique_ptr<ConversionResult> result =
        SqlToSqlConverterOfCell(in_source, in_target)->Convert(source.Data(), target.Data());
    return Describe(result.get()) + " | " + Hex(target.Bytes());
}

} // namespace

TEST(SqlToSqlTable, ExactlyTheConvertiblePairsOfSqlTypesHaveCells)
{
    EXPECT_EQ(1168U, CONVERTIBLE.size());
    for (int32_t source = 0; source < TDW_TYPE_TABLE_SIZE; ++source)
    {
        for (int32_t target = 0; target < TDW_TYPE_TABLE_SIZE; ++target)
        {
            const auto pair = std::make_pair(static_cast<TDWType>(source), static_cast<TDWType>(target));
            const bool isConvertible = std::find(CONVERTIBLE.begin(), CONVERTIBLE.end(), pair) != CONVERTIBLE.end();
            EXPECT_EQ(isConvertible, CellOf(source, target) != nullptr) << source << " to " << target;
        }
    }
}

TEST(SqlToSqlTable, PairsOfSqlTypesAreConvertibleByTheTableAlone)
{
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_BINARY, TDW_SQL_SINTEGER));
    EXPECT_TRUE(Registry().CanConvert(TDW_SQL_SINTEGER, TDW_SQL_BINARY));
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_GUID, TDW_SQL_BINARY));
    EXPECT_TRUE(Registry().CanConvert(TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_SQL_UTINYINT));
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_DAY));
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_TYPE_DATE, TDW_SQL_TYPE_TIME));
    // An id past the table is never convertible, however the index would fall.
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_GUID, TDW_SQL_NOTYPE));
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_NOTYPE, TDW_SQL_CHAR));
}

TEST(SqlToSqlTable, CharacterValuesAreCopiedInOneEncodingWhateverTheirTypes)
{
    // Both UTF-8 by default: the bytes are copied as they stand.
    EXPECT_EQ(" | 68C3A9", ConvertThroughCell(TDW_SQL_CHAR, "h\xC3\xA9", TDW_SQL_WLONGVARCHAR));
    // Another encoding is converted into.
    SqlValue source(TDW_SQL_VARCHAR);
    source.Set("h\xC3\xA9");
    SqlValue target(TDW_SQL_WCHAR);
    target.Metadata().SetEncoding(ENC_UTF16_LE);
    const SqlConverterFactory::SqlToSqlCreator creator =
        Registry().GetSqlToSqlTable()[SqlConverterFactory::GetCellIndex(TDW_SQL_VARCHAR, TDW_SQL_WCHAR)];
    const std::unique_ptr<ISqlToSqlConverter> converter = creator(source.Metadata(), target.Metadata());
    EXPECT_EQ(nullptr, converter->Convert(source.Data(), target.Data()));
    EXPECT_EQ(std::string("h\0\xE9\0", 4), target.Bytes());
}

TEST(SqlToSqlTable, RowsShareTheConvertersOfTheirCounterpartsAndConvertSqlValues)
{
    struct Case
    {
        TDWType source;
        std::string image;
        TDWType target;
        const char* expected;
    };
    const Case cases[] = {
        {TDW_SQL_DOUBLE, Image<double>(3.75), TDW_SQL_SINTEGER, "FractionalTrunc(1) | 03000000"},
        {TDW_SQL_FLOAT, Image<double>(3.75), TDW_SQL_SINTEGER, "FractionalTrunc(1) | 03000000"},
        {TDW_SQL_REAL, Image<float>(-2.0f), TDW_SQL_INTERVAL_HOUR, " | 0200000001000000"},
        {TDW_SQL_VARCHAR, "42", TDW_SQL_SINTEGER, " | 2A000000"},
        {TDW_SQL_WLONGVARCHAR, "-7", TDW_SQL_SSMALLINT, " | F9FF"},
        {TDW_SQL_LONGVARCHAR, "3 12", TDW_SQL_INTERVAL_DAY_TO_HOUR, " | 030000000C00000000000000"},
        {TDW_SQL_DECIMAL, NumericImage("12.5"), TDW_SQL_SINTEGER, "FractionalTrunc(1) | 0C000000"},
        {TDW_SQL_NUMERIC, NumericImage("-3"), TDW_SQL_INTERVAL_DAY_TO_SECOND,
         "IntervalFieldOverflow(2) | 000000000000000000000000000000000000000000000000"},
        {TDW_SQL_INTERVAL_HOUR, Image<uint64_t>(30), TDW_SQL_INTERVAL_DAY_TO_HOUR, " | 010000000600000000000000"},
        {TDW_SQL_INTERVAL_YEAR, Image<uint64_t>(2), TDW_SQL_CHAR, " | 32"},
        {TDW_SQL_TYPE_DATE, std::string("\xE8\x07\x02\x00\x1D\x00", 6), TDW_SQL_VARCHAR, " | 323032342D30322D3239"},
        {TDW_SQL_BIT, "\x01", TDW_SQL_VARBINARY, " | 01"},
        {TDW_SQL_VARBINARY, "\x0A\xFF", TDW_SQL_WVARCHAR, " | 30414646"},
        {TDW_SQL_BINARY, "\x0A\xFF", TDW_SQL_LONGVARBINARY, " | 0AFF"},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.expected, ConvertThroughCell(c.source, c.image, c.target)) << c.source << " to " << c.target;
    }
}

TEST(SqlToSqlTable, ClassesOfOneTableRefuseApplicationBuffers)
{
    struct Refusal
    {
        TDWType source;
        TDWType target;
        Parameters parameters;
    };
    const std::string single = "TypedDataWrapper\\Conversions\\NumToSingleFieldIntervalCvt";
    const std::string second = "TypedDataWrapper\\Conversions\\NumToSecondIntervalCvt";
    const Refusal refusals[] = {
        {TDW_SQL_BIT, TDW_SQL_BINARY, {"Convert", "TypedDataWrapper\\Conversions\\BitCvt", "152"}},
        {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_DAY, {"Convert", single, "241"}},
        {TDW_SQL_DECIMAL, TDW_SQL_INTERVAL_YEAR, {"Convert", single, "290"}},
        {TDW_SQL_NUMERIC, TDW_SQL_INTERVAL_SECOND, {"Convert", second, "171"}},
    };
    for (const Refusal& refusal : refusals)
    {
        const std::unique_ptr<ISqlToSqlConverter> converter = SqlToSqlConverterOfCell(refusal.source, refusal.target);
        auto* cSide = dynamic_cast<ICToSqlConverter*>(converter.get());
        ASSERT_NE(nullptr, cSide);
        std::string bytes(19, '\x01');
        Orvik::ODBC::CDataWrapper wrapper(CMetadataOf(TDW_C_NUMERIC));
        wrapper.SetData(&bytes[0]);
        SqlValue target(refusal.target);
        const RaisedError error = Capture<InvalidOperationException>([&] { cSide->Convert(wrapper, target.Data()); });
        EXPECT_EQ(refusal.parameters, error.parameters) << refusal.source << " to " << refusal.target;
    }
}
