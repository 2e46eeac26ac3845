// Every column type of the sample tables, fetched through the Driver Manager: bound in row
// arrays in its natural C type, and read with SQLGetData in pieces.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"
#include "Integration/Support/OdbcError.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcStatement;
using Pelta::Test::TextRow;

namespace {

using Values = std::vector<std::optional<std::string>>;

std::string Utf16ToUtf8(const char16_t* in_text, size_t in_units)
{
    std::string text;
    for (size_t i = 0; i < in_units; ++i)
    {
        uint32_t code = in_text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < in_units)
        {
            code = 0x10000 + ((code - 0xD800) << 10) + (in_text[++i] - 0xDC00);
        }
        if (code < 0x80)
        {
            text += static_cast<char>(code);
        }
        else if (code < 0x800)
        {
            text += static_cast<char>(0xC0 | code >> 6);
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
        else if (code < 0x10000)
        {
            text += static_cast<char>(0xE0 | code >> 12);
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
        else
        {
            text += static_cast<char>(0xF0 | code >> 18);
            text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

template <typename T>
std::string Shortest(T in_value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, in_value);
    return std::string(text, result.ptr);
}

template <typename T>
T Read(const unsigned char* in_element)
{
    T value;
    std::memcpy(&value, in_element, sizeof value);
    return value;
}

/// One element of a bound array as text, by its C type; in_length is its length indicator.
std::string Render(SQLSMALLINT in_cType, const unsigned char* in_element, SQLLEN in_length)
{
    switch (in_cType)
    {
    case SQL_C_STINYINT:
        return std::to_string(Read<SQLSCHAR>(in_element));
    case SQL_C_BIT:
        return std::to_string(Read<SQLCHAR>(in_element));
    case SQL_C_SSHORT:
        return std::to_string(Read<SQLSMALLINT>(in_element));
    case SQL_C_SLONG:
        return std::to_string(Read<SQLINTEGER>(in_element));
    case SQL_C_SBIGINT:
        return std::to_string(Read<SQLBIGINT>(in_element));
    case SQL_C_FLOAT:
        return Shortest(Read<float>(in_element));
    case SQL_C_DOUBLE:
        return Shortest(Read<double>(in_element));
    case SQL_C_WCHAR:
        return Utf16ToUtf8(reinterpret_cast<const char16_t*>(in_element), static_cast<size_t>(in_length) / 2);
    case SQL_C_TYPE_TIMESTAMP:
    {
        const auto value = Read<SQL_TIMESTAMP_STRUCT>(in_element);
        char text[64];
        std::snprintf(text, sizeof text, "%04d-%02u-%02u %02u:%02u:%02u.%03u", value.year, value.month, value.day,
                      value.hour, value.minute, value.second, value.fraction / 1000000);
        return text;
    }
    default:
        return std::string(reinterpret_cast<const char*>(in_element), static_cast<size_t>(in_length));
    }
}

struct TypeCase
{
    const char* table;
    SQLSMALLINT sqlType;
    SQLSMALLINT cType;
    SQLLEN elementSize;
    Values expected;
};

const std::string LONG_TEXT(5000, 'x');

// The sample tables in id order: the reported SQL type, the C type the values are bound in and
// what they read as.
const TypeCase TYPE_CASES[] = {
    {"sample_byte", SQL_TINYINT, SQL_C_STINYINT, 1, {"127", "-128", "0", {}}},
    {"sample_boolean", SQL_BIT, SQL_C_BIT, 1, {"1", "0", {}}},
    {"sample_string", SQL_WVARCHAR, SQL_C_WCHAR, 10002,
     {"abc", "", "h\u00e9llo", "\U0001F600", "007", LONG_TEXT, {}}},
    {"sample_ip", SQL_WVARCHAR, SQL_C_CHAR, 64, {"127.0.0.1", "::1", {}}},
    {"sample_double", SQL_DOUBLE, SQL_C_DOUBLE, 8, {"3.141592653589793", "0", "1e+308", "42", {}}},
    {"sample_float", SQL_REAL, SQL_C_FLOAT, 4, {"1.5", "3.4028235e+38", {}}},
    {"sample_short", SQL_SMALLINT, SQL_C_SSHORT, 2, {"32767", "-32768", {}}},
    {"sample_integer", SQL_INTEGER, SQL_C_SLONG, 4, {"2147483647", "-2147483648", {}}},
    {"sample_long", SQL_BIGINT, SQL_C_SBIGINT, 8, {"9223372036854775807", "-9223372036854775808", {}}},
    {"sample_timestamp", SQL_TYPE_TIMESTAMP, SQL_C_TYPE_TIMESTAMP, sizeof(SQL_TIMESTAMP_STRUCT),
     {"1970-01-01 00:00:00.000", "1970-01-01 00:00:01.500", "1969-12-31 23:59:59.999", "1969-12-31 23:59:59.000",
      "2000-02-29 00:00:00.000", "3001-01-01 21:00:00.000", "1601-01-01 00:00:00.000", {}}},
    {"sample_object", SQL_WVARCHAR, SQL_C_CHAR, 64, {"{\"a\":1,\"b\":\"x\"}", "{}", {}}},
    {"sample_geo_point", SQL_WVARCHAR, SQL_C_CHAR, 64, {"[9.74,47.41]", {}}},
    {"sample_array_string", SQL_WVARCHAR, SQL_C_CHAR, 64, {"[\"a\",\"b\"]", "[]", {}}},
    {"sample_array_integer", SQL_WVARCHAR, SQL_C_CHAR, 64, {"[1,2]", {}}},
    {"sample_set", SQL_WVARCHAR, SQL_C_CHAR, 64, {"[\"x\",\"y\"]", {}}},
};

constexpr SQLULEN ROW_ARRAY_SIZE = 8;

class FetchEndToEndTest : public ::testing::Test
{
protected:
    OdbcConnection m_connection{EndToEndEnvironment::DataSourceConnectionString()};
};

TEST_F(FetchEndToEndTest, EveryTypeBoundInRowArrays)
{
    for (const TypeCase& type : TYPE_CASES)
    {
        SCOPED_TRACE(type.table);
        OdbcStatement statement = m_connection.NewStatement();
        SQLULEN fetched = 0;
        SQLUSMALLINT status[ROW_ARRAY_SIZE] = {};
        statement.Check(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_ROW_ARRAY_SIZE,
                                       reinterpret_cast<SQLPOINTER>(ROW_ARRAY_SIZE), 0),
                        "SQL_ATTR_ROW_ARRAY_SIZE");
        statement.Check(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0),
                        "SQL_ATTR_ROWS_FETCHED_PTR");
        statement.Check(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_ROW_STATUS_PTR, status, 0), "SQL_ATTR_ROW_STATUS_PTR");
        statement.Execute(std::string("select id, value from ") + type.table + " order by id");

        SQLSMALLINT sqlType = 0;
        statement.Check(SQLDescribeCol(statement.Handle(), 2, nullptr, 0, nullptr, &sqlType, nullptr, nullptr, nullptr),
                        "SQLDescribeCol");
        EXPECT_EQ(sqlType, type.sqlType);

        SQLINTEGER ids[ROW_ARRAY_SIZE] = {};
        SQLLEN idIndicators[ROW_ARRAY_SIZE] = {};
        std::vector<unsigned char> values(type.elementSize * ROW_ARRAY_SIZE, 0xA5);
        SQLLEN valueIndicators[ROW_ARRAY_SIZE] = {};
        statement.Check(SQLBindCol(statement.Handle(), 1, SQL_C_SLONG, ids, sizeof ids[0], idIndicators), "SQLBindCol");
        statement.Check(SQLBindCol(statement.Handle(), 2, type.cType, values.data(), type.elementSize, valueIndicators),
                        "SQLBindCol");
        ASSERT_EQ(statement.Check(SQLFetch(statement.Handle()), "SQLFetch"), SQL_SUCCESS);
        ASSERT_EQ(fetched, type.expected.size());
        for (size_t row = 0; row < fetched; ++row)
        {
            SCOPED_TRACE(row);
            EXPECT_EQ(status[row], SQL_ROW_SUCCESS);
            EXPECT_EQ(ids[row], static_cast<SQLINTEGER>(row + 1));
            const std::optional<std::string>& expected = type.expected[row];
            if (!expected)
            {
                EXPECT_EQ(valueIndicators[row], SQL_NULL_DATA);
                continue;
            }
            ASSERT_GE(valueIndicators[row], 0);
            EXPECT_EQ(Render(type.cType, &values[row * type.elementSize], valueIndicators[row]), *expected);
        }
        EXPECT_EQ(SQLFetch(statement.Handle()), SQL_NO_DATA);
    }
}

bool IsText(SQLSMALLINT in_cType)
{
    return in_cType == SQL_C_CHAR || in_cType == SQL_C_WCHAR;
}

TEST_F(FetchEndToEndTest, EveryTypeThroughSQLGetDataTextInPieces)
{
    constexpr SQLLEN PIECE = 16;
    for (const TypeCase& type : TYPE_CASES)
    {
        SCOPED_TRACE(type.table);
        OdbcStatement statement = m_connection.NewStatement();
        statement.Execute(std::string("select value from ") + type.table + " order by id");
        for (const std::optional<std::string>& expected : type.expected)
        {
            ASSERT_EQ(statement.Check(SQLFetch(statement.Handle()), "SQLFetch"), SQL_SUCCESS);
            // Text in pieces of 16 bytes, anything else whole.
            const SQLLEN size = IsText(type.cType) ? PIECE : type.elementSize;
            const size_t terminator = type.cType == SQL_C_WCHAR ? 2 : type.cType == SQL_C_CHAR ? 1 : 0;
            std::vector<unsigned char> value;
            std::vector<unsigned char> piece(static_cast<size_t>(size));
            SQLLEN indicator = 0;
            SQLRETURN result = SQL_SUCCESS_WITH_INFO;
            while (result == SQL_SUCCESS_WITH_INFO)
            {
                result = statement.Check(SQLGetData(statement.Handle(), 1, type.cType, piece.data(), size, &indicator),
                                         "SQLGetData");
                const size_t taken = indicator == SQL_NULL_DATA ? 0
                                     : result == SQL_SUCCESS_WITH_INFO ? piece.size() - terminator
                                                                       : static_cast<size_t>(indicator);
                value.insert(value.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(taken));
            }
            if (!expected)
            {
                EXPECT_EQ(indicator, SQL_NULL_DATA);
                continue;
            }
            EXPECT_EQ(Render(type.cType, value.data(), static_cast<SQLLEN>(value.size())), *expected);
            EXPECT_EQ(SQLGetData(statement.Handle(), 1, type.cType, piece.data(), size, &indicator), SQL_NO_DATA);
        }
        EXPECT_EQ(SQLFetch(statement.Handle()), SQL_NO_DATA);
    }
}

/// Reads one cell of the first row of in_sql in pieces of in_bufferLength bytes, checking each
/// piece's length indicator and that only the last one comes without 01004; the pieces, joined.
/// A piece that is cut ends at its terminator, wherever it falls in the buffer.
std::string ReadInPieces(OdbcStatement& io_statement,
                         const std::string& in_sql,
                         SQLSMALLINT in_cType,
                         SQLLEN in_bufferLength,
                         int& out_pieces)
{
    // Far more than any case here takes: a read that makes no progress fails instead of spinning.
    constexpr int MOST_PIECES = 10000;
    const size_t unit = in_cType == SQL_C_WCHAR ? 2 : 1;
    io_statement.Execute(in_sql);
    io_statement.Check(SQLFetch(io_statement.Handle()), "SQLFetch");
    std::string bytes;
    std::vector<char> piece(static_cast<size_t>(in_bufferLength));
    out_pieces = 0;
    SQLLEN indicator = 0;
    SQLRETURN result;
    while ((result = SQLGetData(io_statement.Handle(), 1, in_cType, piece.data(), in_bufferLength, &indicator))
           != SQL_NO_DATA)
    {
        io_statement.Check(result, "SQLGetData");
        EXPECT_TRUE(indicator == SQL_NO_TOTAL || indicator >= 0);
        size_t taken = static_cast<size_t>(indicator);
        if (result == SQL_SUCCESS_WITH_INFO)
        {
            EXPECT_EQ(Pelta::Test::ReadDiagnostics(SQL_HANDLE_STMT, io_statement.Handle()).at(0).state, "01004");
            taken = 0;
            while (taken + unit <= piece.size() && (piece[taken] != 0 || (unit == 2 && piece[taken + 1] != 0)))
            {
                taken += unit;
            }
            if (taken == 0)
            {
                ADD_FAILURE() << "a cut piece holds nothing: the read does not move on";
                break;
            }
            EXPECT_TRUE(indicator == SQL_NO_TOTAL || static_cast<size_t>(indicator) > taken);
        }
        bytes.append(piece.data(), taken);
        if (++out_pieces == MOST_PIECES)
        {
            ADD_FAILURE() << "the read does not end";
            break;
        }
    }
    EXPECT_EQ(SQLCloseCursor(io_statement.Handle()), SQL_SUCCESS);
    return in_cType == SQL_C_WCHAR ? Utf16ToUtf8(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2)
                                   : bytes;
}

TEST_F(FetchEndToEndTest, TextInPiecesThroughSQLGetData)
{
    const std::string SMILE = "a\U0001F600z";
    const struct
    {
        std::string sql;
        SQLSMALLINT cType;
        SQLLEN bufferLength;
        std::string expected;
        int pieces;
    } cases[] = {
        // 5000 characters, 99 a piece: 51 pieces, the last one whole.
        {"select value from sample_string where id = 6", SQL_C_CHAR, 100, LONG_TEXT, 51},
        // Wide text two characters a piece.
        {"select value from sample_string where id = 3", SQL_C_WCHAR, 6, "h\u00e9llo", 3},
        // A JSON object's text.
        {"select value from sample_object where id = 1", SQL_C_CHAR, 5, "{\"a\":1,\"b\":\"x\"}", 4},
        // Room for one code unit: a character beyond U+FFFF comes as its two surrogates, one a
        // piece, and as UTF-8 a byte a piece; with room for two units it comes whole.
        {"select '" + SMILE + "' as v", SQL_C_WCHAR, 4, SMILE, 4},
        {"select '" + SMILE + "' as v", SQL_C_WCHAR, 5, SMILE, 4},
        {"select '" + SMILE + "' as v", SQL_C_WCHAR, 6, SMILE, 3},
        {"select '" + SMILE + "' as v", SQL_C_CHAR, 2, SMILE, 6},
    };
    OdbcStatement statement = m_connection.NewStatement();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.sql + " as " + std::to_string(c.cType) + " in " + std::to_string(c.bufferLength) + " bytes");
        int pieces = 0;
        EXPECT_EQ(ReadInPieces(statement, c.sql, c.cType, c.bufferLength, pieces), c.expected);
        EXPECT_EQ(pieces, c.pieces);
    }

    // A number or a timestamp as text is never cut: it fits whole or is refused, also where the
    // room is one wide code unit.
    const struct
    {
        const char* sql;
        SQLSMALLINT cType;
        SQLLEN bufferLength;
    } refused[] = {
        {"select value from sample_long where id = 2", SQL_C_CHAR, 8},
        {"select value from sample_long where id = 2", SQL_C_WCHAR, 4},
        {"select value from sample_timestamp where id = 1", SQL_C_WCHAR, 4},
    };
    for (const auto& c : refused)
    {
        SCOPED_TRACE(std::string(c.sql) + " as " + std::to_string(c.cType));
        statement.Execute(c.sql);
        statement.Check(SQLFetch(statement.Handle()), "SQLFetch");
        char number[8] = {};
        SQLLEN indicator = 0;
        EXPECT_EQ(SQLGetData(statement.Handle(), 1, c.cType, number, c.bufferLength, &indicator), SQL_ERROR);
        EXPECT_EQ(Pelta::Test::ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle()).at(0).state, "22003");
        EXPECT_EQ(statement.FetchAllAsText(), std::vector<TextRow>{});
    }
}

/// in_text as a JSON string, quotes included.
std::string JsonString(const std::string& in_text)
{
    std::string quoted = "\"";
    for (const char c : in_text)
    {
        if (c == '"' || c == '\\')
        {
            quoted += '\\';
        }
        if (c == '\n')
        {
            quoted += "\\n";
            continue;
        }
        quoted += c;
    }
    return quoted + "\"";
}

/// A text of at least in_bytes bytes that mixes ASCII, two-, three- and four-byte characters
/// (the last a surrogate pair in UTF-16) and characters the reply must escape: 18 bytes and 13
/// UTF-16 code units a round, so that piece ends fall at every place of a round.
std::string MixedText(size_t in_bytes)
{
    const std::string round = "ab\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80q\"\\\nxyz";
    std::string text;
    text.reserve(in_bytes + round.size());
    while (text.size() < in_bytes)
    {
        text += round;
    }
    return text;
}

/// One long text cell, answered from the server's memory to in_statement.
void CannedLongText(const std::string& in_statement, const std::string& in_text)
{
    const std::string reply = R"({"cols":["v"],"col_types":[4],"rows":[[)" + JsonString(in_text) + R"(]],"rowcount":1})";
    ASSERT_EQ(EndToEndEnvironment::Server()
                  .Control("POST", "/canned", "{\"stmt\":" + JsonString(in_statement) + ",\"body\":" + JsonString(reply) + "}")
                  .status,
              200);
}

bool IsLeadSurrogate(char16_t in_unit)
{
    return in_unit >= 0xD800 && in_unit < 0xDC00;
}

TEST_F(FetchEndToEndTest, ALongTextIsReadInWholeCharactersPieceByPiece)
{
    const char STATEMENT[] = "select long mixed text";
    const std::string text = MixedText(4 << 20);
    CannedLongText(STATEMENT, text);
    const size_t wideUnits = text.size() / 18 * 13;
    const struct
    {
        SQLSMALLINT cType;
        SQLLEN bufferLength;
    } cases[] = {
        {SQL_C_CHAR, static_cast<SQLLEN>(text.size()) + 1},
        {SQL_C_CHAR, 65536},
        {SQL_C_CHAR, 3001},
        {SQL_C_WCHAR, static_cast<SQLLEN>(wideUnits * 2) + 2},
        {SQL_C_WCHAR, 65536},
        {SQL_C_WCHAR, 3001},
    };
    OdbcStatement statement = m_connection.NewStatement();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.cType) + " in " + std::to_string(c.bufferLength) + " bytes");
        const bool isWide = c.cType == SQL_C_WCHAR;
        const size_t unit = isWide ? 2 : 1;
        const size_t room = (static_cast<size_t>(c.bufferLength) - unit) / unit;
        statement.Execute(STATEMENT);
        ASSERT_EQ(statement.Check(SQLFetch(statement.Handle()), "SQLFetch"), SQL_SUCCESS);
        std::vector<char> buffer(static_cast<size_t>(c.bufferLength));
        std::u16string wide;
        std::string narrow;
        int cutPieces = 0;
        SQLLEN indicator = 0;
        SQLRETURN result;
        while ((result = SQLGetData(statement.Handle(), 1, c.cType, buffer.data(), c.bufferLength, &indicator))
               == SQL_SUCCESS_WITH_INFO)
        {
            ASSERT_EQ(indicator, SQL_NO_TOTAL);
            ASSERT_EQ(Pelta::Test::ReadDiagnostics(SQL_HANDLE_STMT, statement.Handle()).at(0).state, "01004");
            // A piece holds whole characters and is cut short only by the one that did not fit.
            size_t units = 0;
            if (isWide)
            {
                const std::u16string piece(reinterpret_cast<const char16_t*>(buffer.data()));
                units = piece.size();
                ASSERT_FALSE(IsLeadSurrogate(piece.back()));
                wide += piece;
            }
            else
            {
                const std::string piece(buffer.data());
                units = piece.size();
                narrow += piece;
                ASSERT_NE(static_cast<unsigned char>(text[narrow.size()]) & 0xC0, 0x80);
            }
            ASSERT_LE(units, room);
            ASSERT_GE(units + (isWide ? 1 : 3), room);
            cutPieces += units < room ? 1 : 0;
        }
        ASSERT_EQ(result, SQL_SUCCESS);
        ASSERT_GE(indicator, 0);
        if (isWide)
        {
            wide.append(reinterpret_cast<const char16_t*>(buffer.data()), static_cast<size_t>(indicator) / 2);
            EXPECT_EQ(Utf16ToUtf8(wide.data(), wide.size()), text);
            EXPECT_EQ(wide.size(), wideUnits);
        }
        else
        {
            narrow.append(buffer.data(), static_cast<size_t>(indicator));
            EXPECT_EQ(narrow, text);
        }
        // Pieces of a size that the rounds do not divide meet a character that does not fit.
        EXPECT_EQ(cutPieces > 0, room < (isWide ? wideUnits : text.size()));
        EXPECT_EQ(SQLGetData(statement.Handle(), 1, c.cType, buffer.data(), c.bufferLength, &indicator), SQL_NO_DATA);
        EXPECT_EQ(SQLCloseCursor(statement.Handle()), SQL_SUCCESS);
    }

    // A bound column that is cut reports the whole length, counted to the end of the value.
    for (const SQLSMALLINT cType : {SQL_C_CHAR, SQL_C_WCHAR})
    {
        SCOPED_TRACE(cType);
        std::vector<char> buffer(65536);
        SQLLEN indicator = 0;
        statement.Check(SQLBindCol(statement.Handle(), 1, cType, buffer.data(), 65536, &indicator), "SQLBindCol");
        statement.Execute(STATEMENT);
        EXPECT_EQ(statement.Check(SQLFetch(statement.Handle()), "SQLFetch"), SQL_SUCCESS_WITH_INFO);
        EXPECT_EQ(indicator, static_cast<SQLLEN>(cType == SQL_C_WCHAR ? wideUnits * 2 : text.size()));
        EXPECT_EQ(SQLCloseCursor(statement.Handle()), SQL_SUCCESS);
        statement.Check(SQLFreeStmt(statement.Handle(), SQL_UNBIND), "SQLFreeStmt");
    }
    ASSERT_EQ(EndToEndEnvironment::Server().Control("POST", "/canned/clear", "{}").status, 200);
}

TEST_F(FetchEndToEndTest, EveryTypeAsTextThroughSQLGetData)
{
    OdbcStatement statement = m_connection.NewStatement();
    const std::vector<TextRow> rows = statement.Query("select * from sample_orders order by region, order_id");
    const std::vector<TextRow> expected = {
        {"north", "1", "10.5", "2023-11-14 22:13:20"},
        {"north", "2", "99", "2023-11-14 22:19:20"},
        {"south", "1", "5.25", "2023-11-14 22:25:20"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(statement.Query("select value from sample_boolean order by id"),
              (std::vector<TextRow>{{"1"}, {"0"}, {std::nullopt}}));
    EXPECT_EQ(statement.Query("select value from sample_timestamp where id in (2, 3) order by id"),
              (std::vector<TextRow>{{"1970-01-01 00:00:01.500000"}, {"1969-12-31 23:59:59.999000"}}));
}

TEST_F(FetchEndToEndTest, GuidArraysBoundByColumnTakeSixteenBytesAnElement)
{
    // A fixed-length C type ignores the buffer length: a GUID array bound by column with 0 or
    // with 5 still holds one 16-byte structure a row, going in as parameters and coming back
    // from a text column. So do the integers of SQL_C_DEFAULT for an integer parameter.
    constexpr SQLULEN ROWS = 10;
    SQLINTEGER ids[ROWS];
    SQLGUID guids[ROWS];
    std::vector<TextRow> texts;
    for (SQLULEN row = 0; row < ROWS; ++row)
    {
        ids[row] = static_cast<SQLINTEGER>(row + 1);
        guids[row] = {static_cast<SQLUINTEGER>(0x10000000 * row + 1), static_cast<SQLUSMALLINT>(0x100 * row),
                      0xBEEF, {0, 1, 2, 3, 4, 5, 6, static_cast<SQLCHAR>(row)}};
        char text[40];
        std::snprintf(text, sizeof text, "%08X-%04X-BEEF-0001-02030405060%X", static_cast<unsigned>(guids[row].Data1),
                      static_cast<unsigned>(guids[row].Data2), static_cast<unsigned>(row));
        texts.push_back({std::to_string(row + 1), std::string(text)});
    }
    OdbcStatement writer = m_connection.NewStatement();
    writer.Execute("create table e2e_guids (id integer, value string)");
    writer.Check(SQLSetStmtAttr(writer.Handle(), SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(ROWS), 0),
                 "SQL_ATTR_PARAMSET_SIZE");
    writer.Check(SQLBindParameter(writer.Handle(), 1, SQL_PARAM_INPUT, SQL_C_DEFAULT, SQL_INTEGER, 0, 0, ids, 0, nullptr),
                 "SQLBindParameter");
    writer.Check(SQLBindParameter(writer.Handle(), 2, SQL_PARAM_INPUT, SQL_C_GUID, SQL_VARCHAR, 36, 0, guids, 0, nullptr),
                 "SQLBindParameter");
    writer.Execute("insert into e2e_guids values (?, ?)");
    OdbcStatement reader = m_connection.NewStatement();
    EXPECT_EQ(reader.Query("select id, value from e2e_guids order by id"), texts);

    constexpr size_t GUARD = 32;
    for (SQLLEN bufferLength : {SQLLEN{0}, SQLLEN{5}})
    {
        SCOPED_TRACE(bufferLength);
        OdbcStatement statement = m_connection.NewStatement();
        SQLULEN fetched = 0;
        statement.Check(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(ROWS), 0),
                        "SQL_ATTR_ROW_ARRAY_SIZE");
        statement.Check(SQLSetStmtAttr(statement.Handle(), SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0),
                        "SQL_ATTR_ROWS_FETCHED_PTR");
        std::vector<unsigned char> values(sizeof(SQLGUID) * ROWS + GUARD, 0xA5);
        SQLLEN indicators[ROWS] = {};
        statement.Check(SQLBindCol(statement.Handle(), 1, SQL_C_GUID, values.data(), bufferLength, indicators),
                        "SQLBindCol");
        statement.Execute("select value from e2e_guids order by id");
        ASSERT_EQ(statement.Check(SQLFetch(statement.Handle()), "SQLFetch"), SQL_SUCCESS);
        ASSERT_EQ(fetched, ROWS);
        for (SQLULEN row = 0; row < ROWS; ++row)
        {
            SCOPED_TRACE(row);
            EXPECT_EQ(indicators[row], static_cast<SQLLEN>(sizeof(SQLGUID)));
            EXPECT_EQ(std::memcmp(&values[row * sizeof(SQLGUID)], &guids[row], sizeof(SQLGUID)), 0);
        }
        EXPECT_EQ(std::vector<unsigned char>(values.end() - GUARD, values.end()), std::vector<unsigned char>(GUARD, 0xA5));
        EXPECT_EQ(SQLFetch(statement.Handle()), SQL_NO_DATA);
    }
    reader.Execute("drop table e2e_guids");
}

TEST_F(FetchEndToEndTest, AnAsynchronousStatementReadsToTheEndAndStaysUsable)
{
    OdbcStatement statement = m_connection.NewStatement();
    SQLHSTMT handle = statement.Handle();
    ASSERT_EQ(SQLSetStmtAttr(handle, SQL_ATTR_ASYNC_ENABLE, reinterpret_cast<SQLPOINTER>(SQL_ASYNC_ENABLE_ON), 0),
              SQL_SUCCESS);
    const auto finish = [](auto in_call) {
        SQLRETURN result;
        while ((result = in_call()) == SQL_STILL_EXECUTING)
        {
        }
        return result;
    };
    for (int round = 0; round < 2; ++round)
    {
        SCOPED_TRACE(round);
        ASSERT_EQ(finish([&] { return SQLExecDirect(handle, (SQLCHAR*)"select id from sample_short", SQL_NTS); }),
                  SQL_SUCCESS);
        int rows = 0;
        SQLRETURN result;
        while ((result = finish([&] { return SQLFetch(handle); })) == SQL_SUCCESS)
        {
            ++rows;
        }
        EXPECT_EQ(result, SQL_NO_DATA);
        EXPECT_EQ(rows, 3);
        // The Driver Manager takes the end of the rows and of the results only when they are no
        // answer to a polled call: the statement must still close.
        EXPECT_EQ(finish([&] { return SQLMoreResults(handle); }), SQL_NO_DATA);
        EXPECT_EQ(SQLFreeStmt(handle, SQL_CLOSE), SQL_SUCCESS);
    }
}

} // namespace
