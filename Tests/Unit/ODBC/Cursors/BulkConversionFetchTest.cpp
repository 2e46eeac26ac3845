// Fetching rowsets from a result that fetches in bulk, through the connection's real bulk
// converter factory: character columns in both source layouts, cut text, NULLs and SQL_C_DEFAULT
// bindings, and a layout of the data store's own that fails the fetch.

#include "ODBC/Cursors/BulkColumn.h"

#include "CursorStatementTest.h"

#include "Unit/TypedDataWrapper/Bulk/BulkTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;
namespace DSI = Orvik::DSI;

namespace {

/// A result whose BulkFetch hands each column at most two rows at a time, the first column as a
/// pointer array and the others strided (or all in m_layout when it is set). The converters come
/// from the factory that the driver's start-up gives every connection.
class BulkConversionFetchTest : public CursorStatementTest
{
protected:
    Statement& OpenBulk(const std::vector<int16_t>& in_sqlTypes, const std::vector<std::vector<Cell>>& in_rows)
    {
        Statement& statement = Open(in_sqlTypes, in_rows);
        m_result->m_acceptsBulk = true;
        m_result->m_bulkFetch = [this, in_rows](uint64_t in_wanted, const DSI::BulkFetchColumns& in_columns) {
            const uint64_t count = std::min<uint64_t>({in_wanted, 2, in_rows.size() - m_next});
            for (BulkColumn* column : in_columns)
            {
                const uint16_t index = column->GetColumnIndex();
                std::vector<BulkValue> values;
                for (uint64_t row = m_next; row < m_next + count; ++row)
                {
                    values.push_back(in_rows[row][index]);
                }
                const SourceColumn source(values);
                const int32_t layout = m_layout != 0  ? m_layout
                                       : index == 0   ? BulkSqlData::LAYOUT_POINTER_ARRAY
                                                      : BulkSqlData::LAYOUT_STRIDED;
                column->Fill(source.In(layout));
            }
            m_next += count;
            return count;
        };
        return statement;
    }

    size_t m_next = 0;
    int32_t m_layout = 0;
};

const std::vector<std::vector<Cell>> NAMES = {
    {Bytes("alpha"), Bytes("x")},
    {std::nullopt, Bytes("yz")},
    {Bytes("be"), std::nullopt},
    {Bytes("gamma-delta"), Bytes("long text")},
    {Bytes("e"), Bytes("w")},
};

std::string Text(const char* in_buffer)
{
    return in_buffer;
}

std::string Text(const char16_t* in_buffer)
{
    return Show(orvik_wstring(in_buffer));
}

} // namespace

// The narrow column is bound as SQL_C_DEFAULT: it gets narrow text, the buffer of SQL_C_CHAR.
TEST_F(BulkConversionFetchTest, RowsetsOfCharacterColumnsAreConvertedAColumnAtATime)
{
    Statement& statement = OpenBulk({SQL_VARCHAR, SQL_WVARCHAR}, NAMES);
    UseRowsets(statement, 3);
    char narrow[3][8];
    SQLLEN narrowLengths[3] = {};
    char16_t wide[3][4];
    SQLLEN wideLengths[3] = {};
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(1, SQL_C_DEFAULT, narrow, sizeof(narrow[0]), narrowLengths));
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(2, SQL_C_WCHAR, wide, sizeof(wide[0]), wideLengths));

    EXPECT_EQ("OK S6 fetched 3", Fetch(statement));
    EXPECT_EQ("0 0 0", Statuses(3));
    EXPECT_EQ("alpha", Text(narrow[0]));
    EXPECT_EQ(SQL_NULL_DATA, narrowLengths[1]);
    EXPECT_EQ("be", Text(narrow[2]));
    EXPECT_EQ((std::vector<SQLLEN>{2, 4, SQL_NULL_DATA}), std::vector<SQLLEN>(wideLengths, wideLengths + 3));
    EXPECT_EQ("x", Text(wide[0]));
    EXPECT_EQ("yz", Text(wide[1]));

    // Text cut to fit reports its whole length and a truncation at its own row and column.
    EXPECT_EQ("INFO 01004 01004 S6 fetched 2", Fetch(statement));
    EXPECT_EQ((std::vector<std::string>{"01004@1,1", "01004@1,2"}), Records(statement));
    EXPECT_EQ("6 0 3", Statuses(3));
    EXPECT_EQ("gamma-d", Text(narrow[0]));
    EXPECT_EQ(11, narrowLengths[0]);
    EXPECT_EQ("lon", Text(wide[0]));
    EXPECT_EQ(18, wideLengths[0]);
    EXPECT_EQ("e", Text(narrow[1]));
    EXPECT_EQ("w", Text(wide[1]));
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(statement));
    EXPECT_EQ((std::vector<std::set<uint16_t>>{{0, 1}}), m_result->m_bulkAsks);
}

// A bound column is not read on, but an element with room for one code unit still takes the
// first one, a lead surrogate where the value starts with a pair, and stays within its bounds.
TEST_F(BulkConversionFetchTest, AWideElementWithRoomForOneCodeUnitTakesTheFirst)
{
    Statement& statement =
        OpenBulk({SQL_VARCHAR, SQL_WVARCHAR}, {{Bytes("1"), Bytes("a\xF0\x9F\x98\x80z")}, {Bytes("2"), Bytes("\xF0\x9F\x98\x80z")}});
    UseRowsets(statement, 2);
    // Each element is two code units: one for text and the terminator; the guard after them.
    char16_t wide[5] = {u'#', u'#', u'#', u'#', u'#'};
    SQLLEN wideLengths[2] = {};
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(2, SQL_C_WCHAR, wide, 2 * sizeof(char16_t), wideLengths));
    EXPECT_EQ("INFO 01004 01004 S6 fetched 2", Fetch(statement));
    EXPECT_EQ((std::u16string{u'a', 0, 0xD83D, 0, u'#'}), std::u16string(wide, 5));
    EXPECT_EQ((std::vector<SQLLEN>{8, 6}), std::vector<SQLLEN>(wideLengths, wideLengths + 2));
}

// Nothing of the rowset is reported: no rows fetched, no statuses, and the statement stays where
// it was.
TEST_F(BulkConversionFetchTest, ALayoutOfTheDataStoresOwnFailsTheFetch)
{
    Statement& statement = OpenBulk({SQL_VARCHAR, SQL_WVARCHAR}, NAMES);
    m_layout = static_cast<int32_t>(BulkSqlData::FIRST_CUSTOM_LAYOUT);
    UseRowsets(statement, 2);
    char narrow[2][8];
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(1, SQL_C_CHAR, narrow, sizeof(narrow[0]), nullptr));
    EXPECT_EQ("HY000 S5 fetched 12345", Fetch(statement));
    EXPECT_EQ("[Orvik][Support] (2035) Invalid operation in SqlToCBulkConverter::ConvertCustom "
              "(Include/Support/TypedDataWrapper/SqlToCBulkConverter.h, line 306).",
              FirstText(statement));
    EXPECT_EQ("99 99", Statuses(2));
}

// A SQL_C_DEFAULT binding of a fixed-size type takes elements of that type's size, whatever
// buffer length it was bound with: bound by column, the rows do not land on one another.
TEST_F(BulkConversionFetchTest, ADefaultBindingOfAFixedSizeTypeIsStridedByItsSize)
{
    Statement& statement = Open({SQL_INTEGER}, {{ValueOf<int32_t>(10)}, {ValueOf<int32_t>(20)}, {ValueOf<int32_t>(30)}});
    UseRowsets(statement, 3);
    int32_t values[3] = {};
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(1, SQL_C_DEFAULT, values, 0, nullptr));
    EXPECT_EQ("OK S6 fetched 3", Fetch(statement));
    EXPECT_EQ((std::vector<int32_t>{10, 20, 30}), std::vector<int32_t>(values, values + 3));
}
