// The registry's C-to-SQL table: the pairs it converts (against the list of pairs written here by
// row and target groups, apart from the converters' own cell lists), the lookups and their
// refusals, and the rows and cells that share a converter.

#include "ToSqlTestSupport.h"

#include "Support/InvalidTypeConversionException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlVarLengthAttachedType.h"

#include "Unit/TypedDataWrapper/TypedDataTestSupport.h"
#include "Unit/TypedDataWrapper/TypeLists.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <algorithm>
#include <utility>
#include <vector>

using namespace Orvik::Support;

namespace {

const Types CHARACTERS = {TDW_SQL_CHAR,  TDW_SQL_VARCHAR,  TDW_SQL_LONGVARCHAR,
                          TDW_SQL_WCHAR, TDW_SQL_WVARCHAR, TDW_SQL_WLONGVARCHAR};
const Types BINARIES = {TDW_SQL_BINARY, TDW_SQL_VARBINARY, TDW_SQL_LONGVARBINARY};
const Types INTEGERS = {TDW_SQL_STINYINT, TDW_SQL_UTINYINT, TDW_SQL_SSMALLINT, TDW_SQL_USMALLINT,
                        TDW_SQL_SINTEGER, TDW_SQL_UINTEGER, TDW_SQL_SBIGINT,   TDW_SQL_UBIGINT};
const Types EXACT = {TDW_SQL_NUMERIC, TDW_SQL_DECIMAL};
const Types FLOATING = {TDW_SQL_REAL, TDW_SQL_FLOAT, TDW_SQL_DOUBLE};
const Types NUMBERS = Types{TDW_SQL_BIT} + EXACT + INTEGERS + FLOATING;
const Types MULTI_FIELD_DAY_TIME = {TDW_SQL_INTERVAL_DAY_TO_HOUR,    TDW_SQL_INTERVAL_DAY_TO_MINUTE,
                                    TDW_SQL_INTERVAL_DAY_TO_SECOND,  TDW_SQL_INTERVAL_HOUR_TO_MINUTE,
                                    TDW_SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND};
const Types DAY_TIME = Types{TDW_SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_MINUTE,
                             TDW_SQL_INTERVAL_SECOND} + MULTI_FIELD_DAY_TIME;
const Types YEAR_MONTH = {TDW_SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_YEAR_TO_MONTH};
const Types EVERY_SQL_TYPE = CHARACTERS + Types{TDW_SQL_BIT} + BINARIES + EXACT + INTEGERS + FLOATING
    + Types{TDW_SQL_TYPE_DATE, TDW_SQL_TYPE_TIME, TDW_SQL_TYPE_TIMESTAMP} + DAY_TIME + YEAR_MONTH
    + Types{TDW_SQL_GUID};

const Types NUMBER_ROWS = {TDW_C_BIT,    TDW_C_NUMERIC, TDW_C_STINYINT, TDW_C_UTINYINT, TDW_C_TINYINT,
                           TDW_C_SBIGINT, TDW_C_UBIGINT, TDW_C_SSHORT,  TDW_C_USHORT,   TDW_C_SHORT,
                           TDW_C_SLONG,  TDW_C_ULONG,   TDW_C_LONG,     TDW_C_FLOAT,    TDW_C_DOUBLE};
const Types DAY_TIME_ROWS = {TDW_C_INTERVAL_DAY,          TDW_C_INTERVAL_HOUR,           TDW_C_INTERVAL_MINUTE,
                             TDW_C_INTERVAL_SECOND,       TDW_C_INTERVAL_DAY_TO_HOUR,    TDW_C_INTERVAL_DAY_TO_MINUTE,
                             TDW_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_SECOND,
                             TDW_C_INTERVAL_MINUTE_TO_SECOND};
const Types YEAR_MONTH_ROWS = {TDW_C_INTERVAL_MONTH, TDW_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR_TO_MONTH};

/// Every pair that converts: the C rows against the SQL type groups they reach.
const Pairs CONVERTIBLE = Product({TDW_C_CHAR, TDW_C_WCHAR, TDW_C_BINARY}, EVERY_SQL_TYPE)
    + Product(NUMBER_ROWS, CHARACTERS + NUMBERS + DAY_TIME + YEAR_MONTH)
    + Product({TDW_C_TYPE_DATE}, CHARACTERS + Types{TDW_SQL_TYPE_DATE, TDW_SQL_TYPE_TIMESTAMP})
    + Product({TDW_C_TYPE_TIME}, CHARACTERS + Types{TDW_SQL_TYPE_TIME, TDW_SQL_TYPE_TIMESTAMP})
    + Product({TDW_C_TYPE_TIMESTAMP}, CHARACTERS + Types{TDW_SQL_TYPE_DATE, TDW_SQL_TYPE_TIME, TDW_SQL_TYPE_TIMESTAMP})
    + Product(DAY_TIME_ROWS, CHARACTERS + EXACT + INTEGERS + DAY_TIME)
    + Product(YEAR_MONTH_ROWS, CHARACTERS + EXACT + INTEGERS + YEAR_MONTH)
    + Product({TDW_C_GUID}, CHARACTERS + Types{TDW_SQL_GUID});

SqlConverterFactory::CToSqlCreator CellOf(TDWType in_cType, TDWType in_sqlType)
{
    return Registry().GetCToSqlTable()[SqlConverterFactory::GetCellIndex(in_cType, in_sqlType)];
}

bool Contains(const Pairs& in_pairs, TDWType in_cType, TDWType in_sqlType)
{
    return std::find(in_pairs.begin(), in_pairs.end(), std::make_pair(in_cType, in_sqlType)) != in_pairs.end();
}

} // namespace

TEST(CToSqlTable, ExactlyTheConvertiblePairsHaveCells)
{
    EXPECT_EQ(964U, CONVERTIBLE.size());
    for (int32_t c = 0; c < TDW_TYPE_TABLE_SIZE; ++c)
    {
        for (int32_t s = 0; s < TDW_TYPE_TABLE_SIZE; ++s)
        {
            const auto cType = static_cast<TDWType>(c);
            const auto sqlType = static_cast<TDWType>(s);
            EXPECT_EQ(Contains(CONVERTIBLE, cType, sqlType), CellOf(cType, sqlType) != nullptr) << c << " to " << s;
        }
    }
}

TEST(CToSqlTable, ThePlainTinyShortAndLongRowsAreTheUnsignedTinySignedShortAndSignedLongRows)
{
    const std::pair<TDWType, TDWType> aliases[] = {
        {TDW_C_TINYINT, TDW_C_UTINYINT}, {TDW_C_SHORT, TDW_C_SSHORT}, {TDW_C_LONG, TDW_C_SLONG}};
    for (const auto& alias : aliases)
    {
        for (TDWType target : EVERY_SQL_TYPE)
        {
            EXPECT_EQ(CellOf(alias.second, target), CellOf(alias.first, target)) << alias.first << " to " << target;
        }
    }
}

TEST(CToSqlTable, CellsOfOneConverterClassShareItsCreator)
{
    const std::vector<Pairs> classes = {
        // The plain copies of one width, floating values of that width included.
        {{TDW_C_BIT, TDW_SQL_BIT}, {TDW_C_STINYINT, TDW_SQL_STINYINT}, {TDW_C_UTINYINT, TDW_SQL_UTINYINT}},
        {{TDW_C_SSHORT, TDW_SQL_SSMALLINT}, {TDW_C_USHORT, TDW_SQL_USMALLINT}},
        {{TDW_C_SLONG, TDW_SQL_SINTEGER}, {TDW_C_ULONG, TDW_SQL_UINTEGER}, {TDW_C_FLOAT, TDW_SQL_REAL}},
        {{TDW_C_SBIGINT, TDW_SQL_SBIGINT}, {TDW_C_UBIGINT, TDW_SQL_UBIGINT}, {TDW_C_DOUBLE, TDW_SQL_FLOAT},
         {TDW_C_DOUBLE, TDW_SQL_DOUBLE}},
        // One unsigned source into the signed and unsigned target of a wider width.
        {{TDW_C_UTINYINT, TDW_SQL_SSMALLINT}, {TDW_C_UTINYINT, TDW_SQL_USMALLINT}},
        {{TDW_C_USHORT, TDW_SQL_SINTEGER}, {TDW_C_USHORT, TDW_SQL_UINTEGER}},
        {{TDW_C_ULONG, TDW_SQL_SBIGINT}, {TDW_C_ULONG, TDW_SQL_UBIGINT}},
        {{TDW_C_BIT, TDW_SQL_STINYINT}, {TDW_C_BIT, TDW_SQL_UTINYINT}},
        {{TDW_C_FLOAT, TDW_SQL_FLOAT}, {TDW_C_FLOAT, TDW_SQL_DOUBLE}},
        {{TDW_C_CHAR, TDW_SQL_CHAR}, {TDW_C_WCHAR, TDW_SQL_WLONGVARCHAR}},
        {{TDW_C_BIT, TDW_SQL_INTERVAL_DAY_TO_HOUR}, {TDW_C_NUMERIC, TDW_SQL_INTERVAL_YEAR_TO_MONTH},
         {TDW_C_DOUBLE, TDW_SQL_INTERVAL_MINUTE_TO_SECOND}},
        {{TDW_C_INTERVAL_DAY_TO_HOUR, TDW_SQL_NUMERIC}, {TDW_C_INTERVAL_YEAR_TO_MONTH, TDW_SQL_DECIMAL}},
    };
    for (const Pairs& cells : classes)
    {
        for (const auto& cell : cells)
        {
            EXPECT_EQ(CellOf(cells.front().first, cells.front().second), CellOf(cell.first, cell.second))
                << cell.first << " to " << cell.second;
        }
    }
    EXPECT_NE(CellOf(TDW_C_UTINYINT, TDW_SQL_STINYINT), CellOf(TDW_C_BIT, TDW_SQL_STINYINT))
        << "a bit byte is stored unchanged where an unsigned byte is tested";
}

TEST(CToSqlTable, PairsWithoutACellAreRefusedByName)
{
    struct Refusal
    {
        int16_t cType;
        int16_t sqlType;
        Parameters names;
    };
    const Refusal refusals[] = {
        {SQL_C_NUMERIC, SQL_TYPE_DATE, {"SQL_C_NUMERIC", "SQL_TYPE_DATE"}},
        {SQL_C_TYPE_DATE, SQL_INTEGER, {"SQL_C_TYPE_DATE", "SQL_INTEGER"}},
        {SQL_C_GUID, SQL_BINARY, {"SQL_C_GUID", "SQL_BINARY"}},
        {SQL_C_DOUBLE, SQL_VARBINARY, {"SQL_C_DOUBLE", "SQL_VARBINARY"}},
        {SQL_C_INTERVAL_DAY, SQL_INTERVAL_YEAR, {"SQL_C_INTERVAL_DAY", "SQL_INTERVAL_YEAR"}},
    };
    for (const Refusal& refusal : refusals)
    {
        const std::unique_ptr<SqlCTypeMetadata> buffer =
            SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(refusal.cType);
        const std::unique_ptr<SqlTypeMetadata> metadata =
            SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(refusal.sqlType, false, 0);
        SqlVarLengthAttachedType value(*metadata);
        const RaisedError error = Capture<InvalidTypeConversionException>(
            [&] { Registry().CreateNewCToSqlConverter(*buffer, value, nullptr); });
        EXPECT_EQ("DataConvAlgorithmNotSupported", error.key);
        EXPECT_EQ(DIAG_GENERAL_ERROR, error.diagState);
        EXPECT_EQ(refusal.names, error.parameters);
        EXPECT_FALSE(Registry().CanConvert(buffer->GetTDWType(), metadata->GetTDWType()));
    }
}

TEST(CToSqlTable, TypeIdsOutsideTheTablesAreNeverConvertible)
{
    // Cell (CHAR, NOTYPE) would be the cell (VARCHAR, SQL_C_CHAR) of the SQL-to-C table, and
    // (GUID, NOTYPE) would lie past the tables' end.
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_CHAR, TDW_SQL_NOTYPE));
    EXPECT_FALSE(Registry().CanConvert(TDW_SQL_GUID, TDW_SQL_NOTYPE));
    EXPECT_FALSE(Registry().CanConvert(TDW_C_CHAR, static_cast<TDWType>(-40)));
    EXPECT_FALSE(Registry().CanConvert(static_cast<TDWType>(TDW_TYPE_TABLE_SIZE * 2), TDW_C_CHAR));

    const std::unique_ptr<SqlTypeMetadata> untyped = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(0, false, 0);
    SqlVarLengthAttachedType value(*untyped);
    const RaisedError error = Capture<InvalidTypeConversionException>(
        [&] { Registry().CreateNewCToSqlConverter(*CMetadataOf(TDW_C_CHAR), value, nullptr); });
    EXPECT_EQ((Parameters{"SQL_C_CHAR", "SQL_NOTYPE"}), error.parameters);
}

TEST(CToSqlTable, DefaultBuffersTakeTheTargetsDefaultCType)
{
    struct DefaultCase
    {
        TDWType target;
        std::string image;
        std::string stored;
    };
    const DefaultCase cases[] = {
        {TDW_SQL_SINTEGER, Image<int32_t>(-5), Image<int32_t>(-5)},
        {TDW_SQL_SBIGINT, Image<int64_t>(INT64_MIN), Image<int64_t>(INT64_MIN)},
        {TDW_SQL_REAL, Image<float>(1.5f), Image<float>(1.5f)},
        {TDW_SQL_DOUBLE, Image<double>(-2.25), Image<double>(-2.25)},
        {TDW_SQL_BIT, Image<uint8_t>(1), Image<uint8_t>(1)},
        {TDW_SQL_VARBINARY, "\x01\x02", "\x01\x02"},
    };
    for (const DefaultCase& c : cases)
    {
        BoundParameter parameter(TDW_C_DEFAULT, c.target);
        EXPECT_EQ("", parameter.Convert(c.image)) << c.target;
        EXPECT_EQ(c.stored, parameter.Target().Bytes()) << c.target;
    }
}
