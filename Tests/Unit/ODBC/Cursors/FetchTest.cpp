#include "ODBC/Cursors/BulkColumn.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"

#include "BulkFakes.h"
#include "Unit/TypedDataWrapper/AllocationCounter.h"
#include "CursorStatementTest.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;
namespace DSI = Orvik::DSI;

namespace {

std::vector<std::vector<Cell>> IntegerRows(int32_t in_count)
{
    std::vector<std::vector<Cell>> rows;
    for (int32_t value = 1; value <= in_count; ++value)
    {
        rows.push_back({ValueOf<int32_t>(value * 10)});
    }
    return rows;
}

using FetchTest = CursorStatementTest;

TEST_F(FetchTest, ARowsetLargerThanTheResultMarksTheMissingRowsAndTheNextFetchFindsNoData)
{
    Statement& statement = Open({SQL_INTEGER}, IntegerRows(4));
    UseRowsets(statement, 10);
    int32_t values[10] = {};
    SQLLEN lengths[10] = {};
    ASSERT_EQ(SQL_SUCCESS, statement.SQLBindCol(1, SQL_C_SLONG, values, 0, lengths));
    EXPECT_EQ("OK S6 fetched 4", Fetch(statement));
    EXPECT_EQ("0 0 0 0 3 3 3 3 3 3", Statuses(10));
    EXPECT_EQ((std::vector<int32_t>{10, 20, 30, 40, 0}), std::vector<int32_t>(values, values + 5));
    EXPECT_EQ(4, lengths[3]);
    EXPECT_EQ(0, lengths[4]);
    EXPECT_EQ(1u, GetAttribute(statement, SQL_ATTR_ROW_NUMBER));

    m_statuses[0] = 99;
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(statement));
    EXPECT_EQ(99, m_statuses[0]);
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(statement));
}

TEST_F(FetchTest, AnEmptyResultFindsNoDataAndLeavesTheStatusesAlone)
{
    Statement& statement = Open({SQL_INTEGER}, {});
    UseRowsets(statement, 3);
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(statement));
    EXPECT_EQ("99 99 99", Statuses(3));
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(statement));
    EXPECT_EQ("24000 S6", Outcome(statement, statement.SQLGetStmtAttrW(SQL_ATTR_ROW_NUMBER, &m_rowsFetched, 0, nullptr)));
}

TEST_F(FetchTest, RowWiseBindingWritesEachRowOneRowSizeFurtherAfterTheBindOffset)
{
    struct Row
    {
        int32_t m_id;
        int32_t m_padding;
        SQLLEN m_idLength;
        char m_name[16];
        SQLLEN m_nameLength;
        SQLLEN m_spare;
    };
    static_assert(sizeof(Row) == 48, "rows of 48 bytes");
    Statement& statement = Open({SQL_INTEGER, SQL_VARCHAR},
                                {{ValueOf<int32_t>(1), Bytes("a")}, {ValueOf<int32_t>(2), Bytes("bb")}, {ValueOf<int32_t>(3), Bytes("ccc")}});
    Row rows[5];
    std::memset(rows, 0x5A, sizeof(rows));
    SQLLEN offset = 2 * sizeof(Row);
    UseRowsets(statement, 3);
    SetAttribute(statement, SQL_ATTR_ROW_BIND_TYPE, sizeof(Row));
    SetAttribute(statement, SQL_ATTR_ROW_BIND_OFFSET_PTR, reinterpret_cast<SQLULEN>(&offset));
    statement.SQLBindCol(1, SQL_C_SLONG, &rows[0].m_id, 0, &rows[0].m_idLength);
    statement.SQLBindCol(2, SQL_C_CHAR, rows[0].m_name, sizeof(rows[0].m_name), &rows[0].m_nameLength);
    EXPECT_EQ("OK S6 fetched 3", Fetch(statement));
    for (int row = 0; row < 3; ++row)
    {
        const Row& written = rows[row + 2];
        EXPECT_EQ(row + 1, written.m_id);
        EXPECT_EQ(4, written.m_idLength);
        EXPECT_EQ(std::string(static_cast<size_t>(row + 1), static_cast<char>('a' + row)), written.m_name);
        EXPECT_EQ(row + 1, written.m_nameLength);
    }
    const std::string untouched(2 * sizeof(Row), '\x5A');
    EXPECT_EQ(untouched, std::string(reinterpret_cast<const char*>(rows), 2 * sizeof(Row)));
}

/// Rows without padding, as some applications pack them: a flag byte, a double, its length and
/// indicator, four characters, their length and indicator. Everything after the flag lies at an
/// odd address.
struct PackedRows
{
    static constexpr size_t VALUE = 1;
    static constexpr size_t VALUE_LENGTH = VALUE + sizeof(double);
    static constexpr size_t NAME = VALUE_LENGTH + sizeof(SQLLEN);
    static constexpr size_t NAME_LENGTH = NAME + 4;
    static constexpr size_t ROW = NAME_LENGTH + sizeof(SQLLEN);
    static_assert(ROW % 2 == 1, "an odd row size");

    PackedRows() { std::memset(m_bytes, 0x5A, sizeof(m_bytes)); }

    unsigned char* At(size_t in_row, size_t in_field) { return m_bytes + in_row * ROW + in_field; }

    SQLLEN* Length(size_t in_row, size_t in_field) { return reinterpret_cast<SQLLEN*>(At(in_row, in_field)); }

    SQLLEN LengthValue(size_t in_row, size_t in_field)
    {
        SQLLEN value;
        std::memcpy(&value, At(in_row, in_field), sizeof(value));
        return value;
    }

    double Value(size_t in_row)
    {
        double value;
        std::memcpy(&value, At(in_row, VALUE), sizeof(value));
        return value;
    }

    std::string Name(size_t in_row) { return reinterpret_cast<const char*>(At(in_row, NAME)); }

    alignas(8) unsigned char m_bytes[5 * ROW];
};

TEST_F(FetchTest, PackedRowsAreWrittenWhereverTheirValuesAndLengthsLie)
{
    Statement& statement = Open({SQL_DOUBLE, SQL_VARCHAR},
                                {{ValueOf(1.5), Bytes("a")}, {Cell(), Bytes("bcdef")}, {ValueOf(-3.25), Cell()}});
    PackedRows rows;
    // The bind offset of one row lies at an odd address too.
    alignas(8) unsigned char offset[1 + sizeof(SQLLEN)];
    const SQLLEN oneRow = PackedRows::ROW;
    std::memcpy(offset + 1, &oneRow, sizeof(oneRow));
    UseRowsets(statement, 3);
    SetAttribute(statement, SQL_ATTR_ROW_BIND_OFFSET_PTR, reinterpret_cast<SQLULEN>(offset + 1));
    SetAttribute(statement, SQL_ATTR_ROW_BIND_TYPE, PackedRows::ROW);
    statement.SQLBindCol(1, SQL_C_DOUBLE, rows.At(0, PackedRows::VALUE), 0, rows.Length(0, PackedRows::VALUE_LENGTH));
    statement.SQLBindCol(2, SQL_C_CHAR, rows.At(0, PackedRows::NAME), 4, rows.Length(0, PackedRows::NAME_LENGTH));
    EXPECT_EQ("INFO 01004 S6 fetched 3", Fetch(statement));
    EXPECT_EQ("0 6 0", Statuses(3));
    EXPECT_EQ(1.5, rows.Value(1));
    EXPECT_EQ(8, rows.LengthValue(1, PackedRows::VALUE_LENGTH));
    EXPECT_EQ("a", rows.Name(1));
    EXPECT_EQ(1, rows.LengthValue(1, PackedRows::NAME_LENGTH));
    EXPECT_EQ(SQL_NULL_DATA, rows.LengthValue(2, PackedRows::VALUE_LENGTH));
    EXPECT_EQ("bcd", rows.Name(2));
    EXPECT_EQ(5, rows.LengthValue(2, PackedRows::NAME_LENGTH));
    EXPECT_EQ(-3.25, rows.Value(3));
    EXPECT_EQ(SQL_NULL_DATA, rows.LengthValue(3, PackedRows::NAME_LENGTH));
    EXPECT_EQ(std::string(PackedRows::ROW, '\x5A'), std::string(reinterpret_cast<char*>(rows.At(0, 0)), PackedRows::ROW));
}

TEST_F(FetchTest, GetDataWritesAValueAndItsLengthAtOddAddresses)
{
    Statement& statement = Open({SQL_DOUBLE, SQL_VARCHAR}, {{ValueOf(2.5), Cell()}});
    ASSERT_EQ(SQL_SUCCESS, Counted(statement)->SQLFetch());
    PackedRows cell;
    EXPECT_EQ(SQL_SUCCESS, Counted(statement)->SQLGetData(1, SQL_C_DOUBLE, cell.At(0, PackedRows::VALUE), 0,
                                                cell.Length(0, PackedRows::VALUE_LENGTH)));
    EXPECT_EQ(2.5, cell.Value(0));
    EXPECT_EQ(8, cell.LengthValue(0, PackedRows::VALUE_LENGTH));
    EXPECT_EQ(SQL_SUCCESS, Counted(statement)->SQLGetData(2, SQL_C_CHAR, cell.At(0, PackedRows::NAME), 4,
                                                cell.Length(0, PackedRows::NAME_LENGTH)));
    EXPECT_EQ(SQL_NULL_DATA, cell.LengthValue(0, PackedRows::NAME_LENGTH));
}

TEST_F(FetchTest, ColumnWiseBindingStepsByTheElementSizeAndLengthsBySQLLEN)
{
    Statement& statement = Open({SQL_VARCHAR, SQL_INTEGER, SQL_TYPE_DATE, SQL_VARCHAR},
                                {{Bytes("one"), ValueOf<int32_t>(1), ValueOf(DATE_STRUCT{2024, 2, 29}),
                                  Bytes("00000001-0002-0003-0405-060708090a0b")},
                                 {Bytes("two"), ValueOf<int32_t>(2), ValueOf(DATE_STRUCT{1999, 12, 31}),
                                  Bytes("10000001-0002-0003-0405-060708090a0b")}});
    UseRowsets(statement, 2);
    char names[2][6];
    SQLLEN nameLengths[2];
    int32_t numbers[2];
    SQLLEN numberLengths[2];
    DATE_STRUCT dates[2];
    SQLLEN dateLengths[2];
    // A fixed-length type's elements are its structure's size, whatever buffer length is given.
    SQLGUID guids[3];
    std::memset(guids, 0x5A, sizeof(guids));
    SQLLEN guidLengths[2];
    statement.SQLBindCol(1, SQL_C_CHAR, names, sizeof(names[0]), nameLengths);
    statement.SQLBindCol(2, SQL_C_SLONG, numbers, 0, numberLengths);
    statement.SQLBindCol(3, SQL_C_TYPE_DATE, dates, 0, dateLengths);
    statement.SQLBindCol(4, SQL_C_GUID, guids, 5, guidLengths);
    EXPECT_EQ("OK S6 fetched 2", Fetch(statement));
    EXPECT_EQ(0x00000001u, guids[0].Data1);
    EXPECT_EQ(0x10000001u, guids[1].Data1);
    EXPECT_EQ(0x0b, guids[1].Data4[7]);
    EXPECT_EQ(0x5A5A5A5Au, guids[2].Data1);
    EXPECT_EQ(16, guidLengths[1]);
    EXPECT_EQ("one", std::string(names[0]));
    EXPECT_EQ("two", std::string(names[1]));
    EXPECT_EQ(3, nameLengths[1]);
    EXPECT_EQ(2, numbers[1]);
    EXPECT_EQ(4, numberLengths[1]);
    EXPECT_EQ(1999, dates[1].year);
    EXPECT_EQ(31, dates[1].day);
    EXPECT_EQ(static_cast<SQLLEN>(sizeof(DATE_STRUCT)), dateLengths[0]);
}

TEST_F(FetchTest, ConversionProblemsMarkTheirRowsAndAnAllErrorRowsetFails)
{
    struct Case
    {
        std::vector<double> m_values;
        SQLULEN m_rowsetSize;
        const char* m_outcome;
        const char* m_statuses;
        std::vector<std::string> m_records;
    };
    const Case cases[] = {
        {{1.0, 1e10, 2.5}, 3, "INFO 22003 01S07 S6 fetched 3", "0 5 6", {"22003@2,2", "01S07@3,2"}},
        {{1e10, 1e11}, 3, "22003 22003 S6 fetched 2", "5 5 3", {"22003@1,2", "22003@2,2"}},
        {{1e10, 7.0}, 2, "INFO 22003 S6 fetched 2", "5 0", {"22003@1,2"}},
    };
    for (const Case& test : cases)
    {
        std::vector<std::vector<Cell>> rows;
        for (double value : test.m_values)
        {
            rows.push_back({ValueOf<int32_t>(static_cast<int32_t>(rows.size()) + 1), ValueOf<double>(value)});
        }
        Statement& statement = Open({SQL_INTEGER, SQL_DOUBLE}, rows);
        UseRowsets(statement, test.m_rowsetSize);
        int32_t ids[3];
        int32_t values[3];
        SQLLEN lengths[3];
        statement.SQLBindCol(1, SQL_C_SLONG, ids, 0, nullptr);
        statement.SQLBindCol(2, SQL_C_SLONG, values, 0, lengths);
        const SQLRETURN result = Counted(statement)->SQLFetch();
        const std::vector<std::string> records = Records(statement);
        EXPECT_EQ(test.m_outcome, Outcome(statement, result) + " fetched " + std::to_string(m_rowsFetched));
        EXPECT_EQ(test.m_statuses, Statuses(test.m_rowsetSize));
        EXPECT_EQ(test.m_records, records);
        EXPECT_EQ(test.m_values.size(), static_cast<size_t>(ids[test.m_values.size() - 1]));
    }
}

TEST_F(FetchTest, ABoundValueThatIsCutWarnsAtItsRowWithItsFullLengthWhereKnown)
{
    Statement& statement =
        Open({SQL_VARCHAR, SQL_VARBINARY}, {{Bytes("xy"), Bytes("01")}, {Bytes("abcdefgh"), Bytes("0123456789")}});
    UseRowsets(statement, 2);
    char text[2][4];
    SQLLEN textLengths[2];
    char bytes[2][4];
    SQLLEN byteLengths[2];
    statement.SQLBindCol(1, SQL_C_CHAR, text, sizeof(text[0]), textLengths);
    statement.SQLBindCol(2, SQL_C_BINARY, bytes, sizeof(bytes[0]), byteLengths);
    EXPECT_EQ("INFO 01004 01004 S6 fetched 2", Fetch(statement));
    EXPECT_EQ((std::vector<std::string>{"01004@2,1", "01004@2,2"}), Records(statement));
    EXPECT_EQ("0 6", Statuses(2));
    EXPECT_EQ("xy", std::string(text[0]));
    EXPECT_EQ("abc", std::string(text[1]));
    EXPECT_EQ(8, textLengths[1]);
    EXPECT_EQ("0123", std::string(bytes[1], 4));
    EXPECT_EQ(SQL_NO_TOTAL, byteLengths[1]);
    EXPECT_EQ(2, byteLengths[0]);
}

TEST_F(FetchTest, NullGoesToTheIndicatorAndWithoutOneIsAnErrorOfItsRow)
{
    Statement& statement = Open({SQL_INTEGER, SQL_VARCHAR}, {{Cell(), Bytes("a")}, {ValueOf<int32_t>(5), Cell()}});
    UseRowsets(statement, 2);
    int32_t numbers[2] = {7, 7};
    SQLLEN indicators[2] = {0, 0};
    char text[2][8];
    statement.SQLBindCol(1, SQL_C_SLONG, numbers, 0, indicators);
    statement.SQLBindCol(2, SQL_C_CHAR, text, sizeof(text[0]), nullptr);
    EXPECT_EQ("INFO 22002 S6 fetched 2", Fetch(statement));
    EXPECT_EQ((std::vector<std::string>{"22002@2,2"}), Records(statement));
    EXPECT_EQ("0 5", Statuses(2));
    EXPECT_EQ(SQL_NULL_DATA, indicators[0]);
    EXPECT_EQ(7, numbers[0]);
    EXPECT_EQ(5, numbers[1]);
}

TEST_F(FetchTest, OnlyFetchingForwardIsServed)
{
    Statement& statement = Open({SQL_INTEGER}, IntegerRows(2));
    for (SQLSMALLINT orientation : {SQL_FETCH_PRIOR, SQL_FETCH_FIRST, SQL_FETCH_LAST, SQL_FETCH_ABSOLUTE, SQL_FETCH_RELATIVE})
    {
        EXPECT_EQ("HY106 S5", Outcome(statement, Counted(statement)->SQLFetchScroll(orientation, 1))) << orientation;
    }
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetchScroll(SQL_FETCH_NEXT, 0)));
}

TEST_F(FetchTest, TheRowNumberNamesTheFirstRowOfTheRowset)
{
    Statement& statement = Open({SQL_INTEGER}, IntegerRows(5));
    UseRowsets(statement, 2);
    EXPECT_EQ("OK S6 fetched 2", Fetch(statement));
    EXPECT_EQ(1u, GetAttribute(statement, SQL_ATTR_ROW_NUMBER));
    EXPECT_EQ("OK S6 fetched 2", Fetch(statement));
    EXPECT_EQ(3u, GetAttribute(statement, SQL_ATTR_ROW_NUMBER));
    SetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE, 1);
    EXPECT_EQ("OK S6 fetched 1", Fetch(statement));
    EXPECT_EQ(5u, GetAttribute(statement, SQL_ATTR_ROW_NUMBER));
    EXPECT_EQ((std::vector<uint64_t>{2, 1}), m_result->m_rowsetSizes);
}

TEST_F(FetchTest, AConversionTheBindingCannotHaveFailsBeforeAnyRowIsFetched)
{
    Statement& statement = Open({SQL_INTEGER}, IntegerRows(2));
    SQLGUID guid;
    statement.SQLBindCol(1, SQL_C_GUID, &guid, sizeof(guid), nullptr);
    EXPECT_EQ("07006 S5", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ((std::vector<std::string>{"07006@-1,1"}), Records(statement));
    int32_t value = 0;
    statement.SQLBindCol(1, SQL_C_SLONG, &value, 0, nullptr);
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(10, value);
}

TEST_F(FetchTest, NewBindingsAndAnotherDescriptorAreReadBeforeTheNextRowset)
{
    Statement& statement = Open({SQL_INTEGER, SQL_INTEGER}, {{ValueOf<int32_t>(1), ValueOf<int32_t>(2)},
                                                             {ValueOf<int32_t>(3), ValueOf<int32_t>(4)},
                                                             {ValueOf<int32_t>(5), ValueOf<int32_t>(6)},
                                                             {ValueOf<int32_t>(7), ValueOf<int32_t>(8)}});
    int32_t first = 0;
    int32_t second = 0;
    statement.SQLBindCol(1, SQL_C_SLONG, &first, 0, nullptr);
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(1, first);
    statement.SQLBindCol(2, SQL_C_SLONG, &second, 0, nullptr);
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(3, first);
    EXPECT_EQ(4, second);

    // An explicit descriptor, bound on its own; when it goes, the statement's own ARD is read again.
    SQLHANDLE descriptor = nullptr;
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLAllocHandle(SQL_HANDLE_DESC, &descriptor));
    SetAttribute(statement, SQL_ATTR_APP_ROW_DESC, reinterpret_cast<SQLULEN>(descriptor));
    int32_t other = 0;
    statement.SQLBindCol(2, SQL_C_SLONG, &other, 0, nullptr);
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(6, other);
    EXPECT_EQ(3, first);
    ASSERT_EQ(SQL_SUCCESS, m_connection->SQLFreeHandle(SQL_HANDLE_DESC, descriptor));
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(7, first);
    EXPECT_EQ(8, second);
}

TEST_F(FetchTest, ARowsetOfAResultWithoutColumnsOnlyCountsRows)
{
    Statement& statement = Open({}, {{}, {}, {}});
    m_result->m_hasColumns = false;
    UseRowsets(statement, 2);
    EXPECT_EQ("OK S6 fetched 2", Fetch(statement));
    EXPECT_EQ("OK S6 fetched 1", Fetch(statement));
    EXPECT_EQ("0 3", Statuses(2));
}

// A result that fetches in bulk: each BulkFetch hands over at most two rows of its one integer
// column, in the strided layout.
class BulkFetchTest : public CursorStatementTest
{
protected:
    BulkFetchTest() { DSI::DSIConnection::SetBulkConverterFactoryHooks(&MakeFactory, &DeleteFactory); }
    ~BulkFetchTest() override { DSI::DSIConnection::SetBulkConverterFactoryHooks(nullptr, nullptr); }

    Statement& OpenBulk(const std::vector<int32_t>& in_values)
    {
        std::vector<std::vector<Cell>> rows;
        for (int32_t value : in_values)
        {
            rows.push_back({value == FakeBulkConverter::NULL_VALUE ? Cell() : ValueOf(value)});
        }
        Statement& statement = Open({SQL_INTEGER}, rows);
        m_next = 0;
        m_batches.clear();
        m_result->m_acceptsBulk = true;
        m_result->m_bulkFetch = [this, in_values](uint64_t in_wanted, const DSI::BulkFetchColumns& in_columns) {
            const uint64_t count = std::min<uint64_t>({in_wanted, 2, in_values.size() - m_next});
            m_batches.push_back(count);
            std::vector<int64_t> lengths;
            for (uint64_t row = 0; row < count; ++row)
            {
                lengths.push_back(in_values[m_next + row] == FakeBulkConverter::NULL_VALUE ? BulkSqlData::NULL_LENGTH : 4);
            }
            BulkSqlData data;
            data.m_layout = BulkSqlData::LAYOUT_STRIDED;
            data.m_rowCount = count;
            data.m_strided = {in_values.data() + m_next, 4, lengths.data(), 8};
            for (BulkColumn* column : in_columns)
            {
                column->Fill(data);
            }
            m_next += count;
            return count;
        };
        return statement;
    }

    static ISqlToCBulkConverterFactory* MakeFactory(DSI::DSIConnection&) { return new FakeBulkConverterFactory(); }
    static void DeleteFactory(ISqlToCBulkConverterFactory* in_factory) { delete in_factory; }

    size_t m_next = 0;
    std::vector<uint64_t> m_batches;
};

TEST_F(BulkFetchTest, ARowsetIsFetchedInBatchesStraightIntoTheBoundArray)
{
    Statement& statement = OpenBulk({1, FakeBulkConverter::OUT_OF_RANGE, FakeBulkConverter::FRACTION, 4, 5, 6});
    UseRowsets(statement, 4);
    int32_t values[4] = {};
    SQLLEN lengths[4] = {};
    statement.SQLBindCol(1, SQL_C_SLONG, values, 0, lengths);
    EXPECT_EQ("INFO 22003 01S07 S6 fetched 4", Fetch(statement));
    EXPECT_EQ((std::vector<std::string>{"22003@2,1", "01S07@3,1"}), Records(statement));
    EXPECT_EQ("0 5 6 0", Statuses(4));
    EXPECT_EQ(7, values[2]);
    EXPECT_EQ(4, values[3]);
    EXPECT_EQ(4, lengths[3]);
    EXPECT_EQ((std::vector<std::set<uint16_t>>{{0}}), m_result->m_bulkAsks);

    EXPECT_EQ("OK S6 fetched 2", Fetch(statement));
    EXPECT_EQ("0 0 3 3", Statuses(4));
    EXPECT_EQ(6, values[1]);
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(statement));
    EXPECT_EQ((std::vector<uint64_t>{2, 2, 2, 0}), m_batches);
    EXPECT_EQ(1u, m_result->m_bulkAsks.size());
}

TEST_F(BulkFetchTest, PackedRowsTakeTheirLengthsAndIndicatorsWhereverTheyLie)
{
    Statement& statement = OpenBulk({1, FakeBulkConverter::NULL_VALUE, 3});
    UseRowsets(statement, 3);
    PackedRows rows;
    SQLLEN offset = PackedRows::ROW;
    SetAttribute(statement, SQL_ATTR_ROW_BIND_TYPE, PackedRows::ROW);
    SetAttribute(statement, SQL_ATTR_ROW_BIND_OFFSET_PTR, reinterpret_cast<SQLULEN>(&offset));
    statement.SQLBindCol(1, SQL_C_SLONG, rows.At(0, PackedRows::VALUE), 0, rows.Length(0, PackedRows::VALUE_LENGTH));
    EXPECT_EQ("OK S6 fetched 3", Fetch(statement));
    EXPECT_EQ(1u, m_result->m_bulkAsks.size());
    const int64_t expected[] = {4, SQL_NULL_DATA, 4};
    for (size_t row = 0; row < 3; ++row)
    {
        EXPECT_EQ(expected[row], rows.LengthValue(row + 1, PackedRows::VALUE_LENGTH)) << row;
    }
    int32_t last;
    std::memcpy(&last, rows.At(3, PackedRows::VALUE), sizeof(last));
    EXPECT_EQ(3, last);
}

TEST_F(BulkFetchTest, ARowsetOfOnlyErrorRowsFailsAndNoRowMarksEveryStatus)
{
    Statement& statement = OpenBulk({FakeBulkConverter::OUT_OF_RANGE, FakeBulkConverter::OUT_OF_RANGE});
    UseRowsets(statement, 3);
    int32_t values[3] = {};
    statement.SQLBindCol(1, SQL_C_SLONG, values, 0, nullptr);
    EXPECT_EQ("22003 22003 S6 fetched 2", Fetch(statement));
    EXPECT_EQ("5 5 3", Statuses(3));
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(statement));

    Statement& empty = OpenBulk({});
    UseRowsets(empty, 3);
    empty.SQLBindCol(1, SQL_C_SLONG, values, 0, nullptr);
    EXPECT_EQ("NO_DATA S6 fetched 0", Fetch(empty));
    EXPECT_EQ("3 3 3", Statuses(3));
}

TEST_F(BulkFetchTest, SingleRowsAndPairsWithoutABulkConverterGoValueByValue)
{
    Statement& statement = OpenBulk({1, 2, 3, 4});
    int32_t value = 0;
    statement.SQLBindCol(1, SQL_C_SLONG, &value, 0, nullptr);
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(m_batches.empty());
    EXPECT_TRUE(m_result->m_bulkAsks.empty());

    Statement& other = OpenBulk({1, 2});
    UseRowsets(other, 2);
    char text[2][8];
    other.SQLBindCol(1, SQL_C_CHAR, text, sizeof(text[0]), nullptr);
    EXPECT_EQ("HY000 S5", Outcome(other, Counted(other)->SQLFetch()));
    EXPECT_EQ("[Orvik][Support] (2038) Conversion from SQL_INTEGER to SQL_C_CHAR is not supported.", FirstText(other));
}

} // namespace

namespace {

// A fetch loop allocates nothing once its bindings are read: values go from the value holders
// straight into the application's buffers.
TEST_F(FetchTest, FetchingRowsetsAndReadingCellsAllocatesNothing)
{
    std::vector<std::vector<Cell>> rows;
    for (int32_t row = 0; row < 40; ++row)
    {
        rows.push_back({ValueOf<int32_t>(row), ValueOf<double>(row + 0.5), Bytes("text of row " + std::to_string(row)),
                        ValueOf(SQL_TIMESTAMP_STRUCT{2024, 1, 2, 3, 4, 5, 0})});
    }
    Statement& bound = Open({SQL_INTEGER, SQL_DOUBLE, SQL_VARCHAR, SQL_TYPE_TIMESTAMP}, rows);
    UseRowsets(bound, 4);
    int32_t integers[4];
    double doubles[4];
    char texts[4][32];
    SQL_TIMESTAMP_STRUCT timestamps[4];
    SQLLEN lengths[4][4];
    bound.SQLBindCol(1, SQL_C_SLONG, integers, 0, lengths[0]);
    bound.SQLBindCol(2, SQL_C_DOUBLE, doubles, 0, lengths[1]);
    bound.SQLBindCol(3, SQL_C_CHAR, texts, sizeof(texts[0]), lengths[2]);
    bound.SQLBindCol(4, SQL_C_TYPE_TIMESTAMP, timestamps, 0, lengths[3]);
    ASSERT_EQ(SQL_SUCCESS, Counted(bound)->SQLFetch());
    AllocationCounter::Start();
    for (int fetch = 0; fetch < 5; ++fetch)
    {
        Counted(bound)->SQLFetch();
    }
    EXPECT_EQ(0, AllocationCounter::Stop());
    EXPECT_EQ("text of row 20", std::string(texts[0]));

    Statement& cells = Open({SQL_INTEGER, SQL_DOUBLE, SQL_VARCHAR, SQL_TYPE_TIMESTAMP}, rows);
    const auto readRow = [&] {
        Counted(cells)->SQLFetch();
        Counted(cells)->SQLGetData(1, SQL_C_SLONG, integers, 0, lengths[0]);
        Counted(cells)->SQLGetData(2, SQL_C_DOUBLE, doubles, 0, lengths[1]);
        Counted(cells)->SQLGetData(3, SQL_C_CHAR, texts[0], sizeof(texts[0]), lengths[2]);
        Counted(cells)->SQLGetData(4, SQL_C_TYPE_TIMESTAMP, timestamps, 0, lengths[3]);
    };
    readRow();
    AllocationCounter::Start();
    for (int row = 0; row < 5; ++row)
    {
        readRow();
    }
    EXPECT_EQ(0, AllocationCounter::Stop());
    EXPECT_EQ("text of row 5", std::string(texts[0]));
    EXPECT_EQ(5, integers[0]);
}

} // namespace
