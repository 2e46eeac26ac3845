// Parameters through the Driver Manager: a prepared SELECT with a bound value through both entry
// points, an INSERT of an array as one bulk request, every C type as the JSON value the server
// receives, bytes bound to text parameters as their text, held to the declared size in characters
// as text is, text that is not valid in its encoding refused before anything is sent, through the
// ANSI and the wide entry points, data at execution, which the back end refuses without leaving
// the Driver Manager and the driver out of step, and misused calls that the Driver Manager lets
// through.

#include "Integration/EndToEnd/EndToEndEnvironment.h"
#include "Integration/Support/OdbcConnection.h"
#include "Integration/Support/OdbcError.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using Pelta::Test::EndToEndEnvironment;
using Pelta::Test::OdbcConnection;
using Pelta::Test::OdbcStatement;
using Pelta::Test::TextRow;

namespace {

SQLCHAR* Text(const char* in_text)
{
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(in_text));
}

SQLWCHAR* Wide(std::u16string& io_text)
{
    return reinterpret_cast<SQLWCHAR*>(&io_text[0]);
}

/// The body of the last request the server received.
std::string LastBody()
{
    return EndToEndEnvironment::Server().Control("GET", "/log/-1/body").body;
}

/// The SQLSTATE of the statement's first record, or "none".
std::string FirstState(SQLHSTMT in_statement)
{
    SQLCHAR state[6] = {};
    return SQLGetDiagRec(SQL_HANDLE_STMT, in_statement, 1, state, nullptr, nullptr, 0, nullptr) == SQL_SUCCESS
               ? reinterpret_cast<char*>(state)
               : "none";
}

/// The SQLSTATE and message of the statement's first record, or "none".
std::string FirstRecord(SQLHSTMT in_statement)
{
    SQLCHAR state[6] = {};
    SQLCHAR message[512] = {};
    return SQLGetDiagRec(SQL_HANDLE_STMT, in_statement, 1, state, nullptr, message, sizeof(message), nullptr) == SQL_SUCCESS
               ? std::string(reinterpret_cast<char*>(state)) + " " + reinterpret_cast<char*>(message)
               : "none";
}

class ParameterEndToEndTest : public ::testing::Test
{
protected:
    /// Runs a statement of its own and returns its body as the server logged it: while it stays
    /// the last body, nothing else was sent.
    std::string SendMarker()
    {
        EXPECT_EQ(m_statement.Query("select 'marker' as v"), (std::vector<TextRow>{{"marker"}}));
        return LastBody();
    }

    OdbcConnection m_connection{EndToEndEnvironment::DataSourceConnectionString()};
    OdbcStatement m_statement = m_connection.NewStatement();
};

TEST_F(ParameterEndToEndTest, APreparedSelectTakesItsValueThroughBothEntryPoints)
{
    const SQLHSTMT statement = m_statement.Handle();
    m_statement.Check(SQLPrepare(statement, Text("select order_id, amount from sample_orders where region = ? order by order_id"),
                                 SQL_NTS),
                      "SQLPrepare");
    char region[8] = "north";
    SQLLEN length = SQL_NTS;
    m_statement.Check(SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 7, 0, region,
                                       sizeof(region), &length),
                      "SQLBindParameter");
    m_statement.Check(SQLExecute(statement), "SQLExecute");
    EXPECT_EQ(m_statement.FetchAllAsText(), (std::vector<TextRow>{{"1", "10.5"}, {"2", "99"}}));

    // The wide entry points with a wide value: the same statement again.
    SQLWCHAR wideRegion[] = {u's', u'o', u'u', u't', u'h', 0};
    m_statement.Check(SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 7, 0, wideRegion,
                                       sizeof(wideRegion), &length),
                      "SQLBindParameter(SQL_C_WCHAR)");
    m_statement.Check(SQLExecute(statement), "SQLExecute");
    EXPECT_EQ(m_statement.FetchAllAsText(), (std::vector<TextRow>{{"1", "5.25"}}));
    EXPECT_NE(std::string::npos, LastBody().find("\"args\":[\"south\"]")) << LastBody();
}

TEST_F(ParameterEndToEndTest, AnArrayIsInsertedByOneBulkRequest)
{
    const SQLHSTMT statement = m_statement.Handle();
    m_statement.Execute("create table e2e_parameter_rows (id integer, name string, ratio double)");
    SQLINTEGER ids[3] = {1, 2, 3};
    char names[3][8] = {"one", "tw\xc3\xb6", "three"};
    SQLLEN nameLengths[3] = {SQL_NTS, SQL_NTS, SQL_NULL_DATA};
    SQLDOUBLE ratios[3] = {0.5, 1.25, -2};
    SQLUSMALLINT statuses[3] = {};
    SQLULEN processed = 0;
    SQLSetStmtAttr(statement, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(3), 0);
    SQLSetStmtAttr(statement, SQL_ATTR_PARAM_STATUS_PTR, statuses, 0);
    SQLSetStmtAttr(statement, SQL_ATTR_PARAMS_PROCESSED_PTR, &processed, 0);
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, ids, 0, nullptr);
    SQLBindParameter(statement, 2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 5, 0, names, sizeof(names[0]), nameLengths);
    SQLBindParameter(statement, 3, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 0, 0, ratios, 0, nullptr);
    m_statement.Execute("insert into e2e_parameter_rows values (?, ?, ?)");
    EXPECT_EQ(LastBody(), "{\"stmt\":\"insert into e2e_parameter_rows values (?, ?, ?)\", "
                          "\"bulk_args\":[[1, \"one\", 0.5], [2, \"tw\xc3\xb6\", 1.25], [3, null, -2]]}");
    SQLLEN rows = 0;
    SQLRowCount(statement, &rows);
    EXPECT_EQ(3, rows);
    EXPECT_EQ(3u, processed);
    EXPECT_EQ((std::vector<SQLUSMALLINT>{SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS}),
              std::vector<SQLUSMALLINT>(statuses, statuses + 3));

    OdbcStatement reader = m_connection.NewStatement();
    EXPECT_EQ(reader.Query("select id, name, ratio from e2e_parameter_rows order by id"),
              (std::vector<TextRow>{{"1", "one", "0.5"}, {"2", "tw\xc3\xb6", "1.25"}, {"3", std::nullopt, "-2"}}));
    reader.Execute("drop table e2e_parameter_rows");
}

TEST_F(ParameterEndToEndTest, EveryCTypeReachesTheServerAsItsJsonValue)
{
    SQL_TIMESTAMP_STRUCT timestamp = {2000, 2, 29, 0, 0, 0, 250000000};
    SQL_DATE_STRUCT date = {1970, 1, 2};
    SQLWCHAR wide[] = {0x00e9, 0x00e8, 0};
    const auto bytesOf = [](const auto& in_value) {
        return std::string(reinterpret_cast<const char*>(&in_value), sizeof(in_value));
    };
    const struct
    {
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        std::string m_bytes;
        SQLLEN m_length;
        const char* m_json;
        // The SQLSTATE of the execution's first record.
        const char* m_state = "none";
    } cases[] = {
        {SQL_C_SLONG, SQL_INTEGER, bytesOf(SQLINTEGER{-42}), 0, "-42"},
        {SQL_C_ULONG, SQL_BIGINT, bytesOf(SQLUINTEGER{4000000000U}), 0, "4000000000"},
        {SQL_C_SSHORT, SQL_SMALLINT, bytesOf(SQLSMALLINT{-7}), 0, "-7"},
        {SQL_C_USHORT, SQL_INTEGER, bytesOf(SQLUSMALLINT{60000}), 0, "60000"},
        {SQL_C_TINYINT, SQL_TINYINT, bytesOf(SQLSCHAR{-4}), 0, "-4"},
        {SQL_C_UTINYINT, SQL_SMALLINT, bytesOf(SQLCHAR{200}), 0, "200"},
        {SQL_C_SBIGINT, SQL_BIGINT, bytesOf(SQLBIGINT{-9007199254740993LL}), 0, "-9007199254740993"},
        {SQL_C_UBIGINT, SQL_BIGINT, bytesOf(SQLUBIGINT{9007199254740993ULL}), 0, "9007199254740993"},
        {SQL_C_DOUBLE, SQL_DOUBLE, bytesOf(0.1), 0, "0.1"},
        {SQL_C_FLOAT, SQL_REAL, bytesOf(1.5F), 0, "1.5"},
        // Only the whole part must fit; the fraction is dropped toward zero with a warning.
        {SQL_C_DOUBLE, SQL_TINYINT, bytesOf(127.4), 0, "127", "01S07"},
        {SQL_C_DOUBLE, SQL_TINYINT, bytesOf(-128.9), 0, "-128", "01S07"},
        {SQL_C_BIT, SQL_BIT, bytesOf(SQLCHAR{0}), 0, "false"},
        {SQL_C_CHAR, SQL_VARCHAR, "a/b", SQL_NTS, "\"a\\/b\""},
        {SQL_C_WCHAR, SQL_WVARCHAR, std::string(reinterpret_cast<const char*>(wide), sizeof(wide)), SQL_NTS,
         "\"\xc3\xa9\xc3\xa8\""},
        {SQL_C_CHAR, SQL_DOUBLE, "2.5", SQL_NTS, "2.5"},
        {SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, bytesOf(timestamp), 0, "951782400250"},
        {SQL_C_TYPE_DATE, SQL_TIMESTAMP, bytesOf(date), 0, "86400000"},
        {SQL_C_CHAR, SQL_VARCHAR, "", SQL_NULL_DATA, "null"},
        // Bytes into a character parameter are its text, byte for byte.
        {SQL_C_BINARY, SQL_VARCHAR, "hello w\xc3\xb6!", 10, "\"hello w\xc3\xb6!\""},
        {SQL_C_BINARY, SQL_WVARCHAR, "ABC", 3, "\"ABC\""},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.m_json);
        OdbcStatement statement = m_connection.NewStatement();
        std::string value = c.m_bytes;
        SQLLEN length = c.m_length;
        // Three digits of fractional seconds, which only the timestamps use.
        statement.Check(SQLBindParameter(statement.Handle(), 1, SQL_PARAM_INPUT, c.m_cType, c.m_sqlType, 10, 3,
                                         &value[0], static_cast<SQLLEN>(value.size()), &length),
                        "SQLBindParameter");
        statement.Check(SQLExecDirect(statement.Handle(), Text("select ? as v"), SQL_NTS), "SQLExecDirect");
        EXPECT_EQ(c.m_state, FirstState(statement.Handle()));
        EXPECT_EQ(LastBody(), std::string("{\"stmt\":\"select ? as v\", \"args\":[") + c.m_json + "]}");
    }
}

// What pyodbc's fast_executemany binds for bytes, as every parameter is described as text.
TEST_F(ParameterEndToEndTest, BytesBoundToATextParameterAreSentAsTheyStand)
{
    const SQLHSTMT statement = m_statement.Handle();
    char value[] = "hello world!";
    SQLLEN length = 12;
    for (SQLSMALLINT sqlType : {SQL_VARCHAR, SQL_WVARCHAR})
    {
        SCOPED_TRACE(sqlType);
        m_statement.Check(SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_BINARY, sqlType, 4000, 0, value, 12,
                                           &length),
                          "SQLBindParameter");
        EXPECT_EQ(SQL_SUCCESS, SQLExecDirect(statement, Text("select ? as v"), SQL_NTS)) << FirstRecord(statement);
        EXPECT_EQ(LastBody(), "{\"stmt\":\"select ? as v\", \"args\":[\"hello world!\"]}");
        EXPECT_EQ(m_statement.FetchAllAsText(), (std::vector<TextRow>{{"hello world!"}}));
    }

    // Through a bind offset, as row-wise arrays are read.
    struct Row
    {
        SQLLEN length;
        char bytes[8];
    } rows[2] = {{2, "no"}, {3, "ABC"}};
    SQLLEN shift = sizeof(Row);
    SQLSetStmtAttr(statement, SQL_ATTR_PARAM_BIND_OFFSET_PTR, &shift, 0);
    m_statement.Check(SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_BINARY, SQL_WVARCHAR, 4000, 0,
                                       rows[0].bytes, sizeof(rows[0].bytes), &rows[0].length),
                      "SQLBindParameter(offset)");
    EXPECT_EQ(m_statement.Query("select ? as v"), (std::vector<TextRow>{{"ABC"}}));
    EXPECT_EQ(LastBody(), "{\"stmt\":\"select ? as v\", \"args\":[\"ABC\"]}");
    SQLSetStmtAttr(statement, SQL_ATTR_PARAM_BIND_OFFSET_PTR, nullptr, 0);
}

// The declared size counts characters, whichever C type brings the same bytes: 1,000 three-byte
// characters fit 2,000 and go whole, while 999, or a long type declared without a size, refuse
// them before anything is sent.
TEST_F(ParameterEndToEndTest, TheDeclaredSizeCountsCharactersOfTextAndOfBytesAlike)
{
    const SQLHSTMT statement = m_statement.Handle();
    std::string euros;
    for (int i = 0; i < 1000; ++i)
    {
        euros += "\xe2\x82\xac";
    }
    SQLLEN length = static_cast<SQLLEN>(euros.size());
    const struct
    {
        SQLSMALLINT m_sqlType;
        SQLULEN m_size;
        bool m_fits;
    } declarations[] = {
        {SQL_VARCHAR, 2000, true},      {SQL_WVARCHAR, 2000, true},      {SQL_VARCHAR, 999, false},
        {SQL_WVARCHAR, 999, false},     {SQL_LONGVARCHAR, 0, false},     {SQL_WLONGVARCHAR, 0, false},
    };
    for (SQLSMALLINT cType : {SQL_C_CHAR, SQL_C_BINARY})
    {
        for (const auto& d : declarations)
        {
            SCOPED_TRACE(std::to_string(cType) + " into " + std::to_string(d.m_sqlType) + "(" + std::to_string(d.m_size) + ")");
            const std::string marker = SendMarker();
            m_statement.Check(SQLBindParameter(statement, 1, SQL_PARAM_INPUT, cType, d.m_sqlType, d.m_size, 0, &euros[0],
                                               length, &length),
                              "SQLBindParameter");
            if (d.m_fits)
            {
                EXPECT_EQ(SQL_SUCCESS, SQLExecDirect(statement, Text("select ? as v"), SQL_NTS)) << FirstRecord(statement);
                EXPECT_EQ(LastBody(), "{\"stmt\":\"select ? as v\", \"args\":[\"" + euros + "\"]}");
                EXPECT_EQ(m_statement.FetchAllAsText(), (std::vector<TextRow>{{euros}}));
            }
            else
            {
                EXPECT_EQ(SQL_ERROR, SQLExecDirect(statement, Text("select ? as v"), SQL_NTS));
                EXPECT_EQ("22001", FirstState(statement));
                EXPECT_EQ(marker, LastBody());
            }
        }
    }
}

// Text that is not valid in the application's encoding, in a parameter or in the statement
// itself, is refused before anything reaches the server: never sent as it is, never replaced.
TEST_F(ParameterEndToEndTest, TextThatIsNotValidInItsEncodingIsRefusedBeforeAnythingIsSent)
{
    const SQLHSTMT statement = m_statement.Handle();
    char narrow[] = "caf\xe9";
    SQLWCHAR loneSurrogate[] = {u'a', 0xD83D, u'b', 0};
    char bytes[] = "caf\xe9";
    SQLLEN length = SQL_NTS;
    SQLLEN byteLength = 4;
    const struct
    {
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        SQLPOINTER m_value;
        SQLLEN* m_length;
        const char* m_message;
    } parameters[] = {
        {SQL_C_CHAR, SQL_VARCHAR, narrow, &length, "(UTF-8) from byte 4 on"},
        {SQL_C_WCHAR, SQL_WVARCHAR, loneSurrogate, &length, "(UTF-16LE) from byte 3 on"},
        {SQL_C_BINARY, SQL_VARCHAR, bytes, &byteLength, "(UTF-8) from byte 4 on"},
    };
    for (const auto& p : parameters)
    {
        SCOPED_TRACE(p.m_cType);
        const std::string marker = SendMarker();
        m_statement.Check(SQLBindParameter(statement, 1, SQL_PARAM_INPUT, p.m_cType, p.m_sqlType, 20, 0, p.m_value, 0,
                                           p.m_length),
                          "SQLBindParameter");
        EXPECT_EQ(SQL_ERROR, SQLExecDirect(statement, Text("select ? as v"), SQL_NTS));
        EXPECT_EQ("22018", FirstState(statement));
        EXPECT_NE(std::string::npos, FirstRecord(statement).find(p.m_message)) << FirstRecord(statement);
        EXPECT_EQ(marker, LastBody());
    }
    m_statement.Check(SQLFreeStmt(statement, SQL_RESET_PARAMS), "SQLFreeStmt");

    // Statement text and catalog names through the ANSI entry points: the message names the
    // first bad byte.
    const std::string marker = SendMarker();
    EXPECT_EQ(SQL_ERROR, SQLExecDirect(statement, Text("select 'caf\xe9' as v"), SQL_NTS));
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("HY000")) << FirstRecord(statement);
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("(UTF-8) from byte 12 on")) << FirstRecord(statement);
    EXPECT_EQ(SQL_ERROR, SQLPrepare(statement, Text("select 'ab\xe2\x82' as v"), SQL_NTS));
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("from byte 11 on")) << FirstRecord(statement);
    EXPECT_EQ(SQL_ERROR, SQLTables(statement, nullptr, 0, nullptr, 0, Text("sample\xff"), SQL_NTS, nullptr, 0));
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("from byte 7 on")) << FirstRecord(statement);
    EXPECT_EQ(marker, LastBody());

    // Through the wide entry points, which the Driver Manager hands on as they came, a surrogate
    // without its partner: alone, the wrong way round, at the end of a name. The message names
    // its code unit.
    std::u16string loneLead = u"select '\xD83D' as v";
    std::u16string reversedPair = u"select '\xDE00\xD83D' as v";
    std::u16string name = u"sample\xD83D";
    EXPECT_EQ(SQL_ERROR, SQLExecDirectW(statement, Wide(loneLead), SQL_NTS));
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("HY000")) << FirstRecord(statement);
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("(UTF-16LE) from code unit 9 on")) << FirstRecord(statement);
    EXPECT_EQ(SQL_ERROR, SQLPrepareW(statement, Wide(reversedPair), SQL_NTS));
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("from code unit 9 on")) << FirstRecord(statement);
    EXPECT_EQ(SQL_ERROR, SQLTablesW(statement, nullptr, 0, nullptr, 0, Wide(name), SQL_NTS, nullptr, 0));
    EXPECT_NE(std::string::npos, FirstRecord(statement).find("from code unit 7 on")) << FirstRecord(statement);
    EXPECT_EQ(marker, LastBody());

    // A pair is one character, sent as its UTF-8.
    std::u16string pair = u"select '\U0001F600' as v";
    m_statement.Check(SQLExecDirectW(statement, Wide(pair), SQL_NTS), "SQLExecDirectW");
    EXPECT_EQ(m_statement.FetchAllAsText(), (std::vector<TextRow>{{"\xF0\x9F\x98\x80"}}));
    EXPECT_NE(std::string::npos, LastBody().find("select '\xF0\x9F\x98\x80' as v")) << LastBody();
}

TEST_F(ParameterEndToEndTest, RefusedDataAtExecutionLeavesTheStatementUsable)
{
    const SQLHSTMT statement = m_statement.Handle();
    SQLLEN length = SQL_DATA_AT_EXEC;
    char token = 0;
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &token, 0, &length);
    ASSERT_EQ(SQL_NEED_DATA, SQLExecDirect(statement, Text("select ? as v"), SQL_NTS));
    SQLPOINTER asked = nullptr;
    ASSERT_EQ(SQL_NEED_DATA, SQLParamData(statement, &asked));
    EXPECT_EQ(&token, asked);
    SQLINTEGER value = 3;
    EXPECT_EQ(SQL_ERROR, SQLPutData(statement, &value, sizeof(value)));
    EXPECT_EQ("HY000", FirstState(statement));
    // The Driver Manager and the driver are both back before the execution.
    length = sizeof(value);
    SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &value, 0, &length);
    EXPECT_EQ(m_statement.Query("select ? as v"), (std::vector<TextRow>{{"3"}}));
}

TEST_F(ParameterEndToEndTest, MisusedCallsThatPassTheDriverManagerGetTheirOwnStates)
{
    const SQLHSTMT statement = m_statement.Handle();
    m_statement.Check(SQLPrepare(statement, Text("select id, value from sample_integer where id = ?"), SQL_NTS),
                      "SQLPrepare");
    // A parameter beyond the statement's one.
    SQLSMALLINT type = 0;
    EXPECT_EQ(SQL_ERROR, SQLDescribeParam(statement, 2, &type, nullptr, nullptr, nullptr));
    EXPECT_EQ("07009", FirstState(statement));
    // A negative byte length for a wide text.
    SQLWCHAR name[8];
    SQLSMALLINT nameLength = 0;
    EXPECT_EQ(SQL_ERROR, SQLColAttributeW(statement, 1, SQL_DESC_NAME, name, SQL_NTS, &nameLength, nullptr));
    EXPECT_EQ("HY090", FirstState(statement));
    SQLINTEGER catalogLength = 0;
    EXPECT_EQ(SQL_ERROR, SQLGetConnectAttrW(m_connection.Handle(), SQL_ATTR_CURRENT_CATALOG, name, -6, &catalogLength));
    SQLCHAR state[6] = {};
    ASSERT_EQ(SQL_SUCCESS, SQLGetDiagRec(SQL_HANDLE_DBC, m_connection.Handle(), 1, state, nullptr, nullptr, 0, nullptr));
    EXPECT_STREQ("HY090", reinterpret_cast<char*>(state));

    // A date asked of an integer column, also on a row after the one where it was read as text.
    m_statement.Check(SQLFreeStmt(statement, SQL_CLOSE), "SQLFreeStmt");
    m_statement.Check(SQLExecDirect(statement, Text("select value from sample_integer order by id"), SQL_NTS),
                      "SQLExecDirect");
    for (int row = 0; row < 2; ++row)
    {
        ASSERT_EQ(SQL_SUCCESS, SQLFetch(statement));
        SQL_DATE_STRUCT date;
        SQLLEN length = 0;
        EXPECT_EQ(SQL_ERROR, SQLGetData(statement, 1, SQL_C_TYPE_DATE, &date, sizeof(date), &length));
        EXPECT_EQ("07006", FirstState(statement));
        char text[16] = {};
        EXPECT_EQ(SQL_SUCCESS, SQLGetData(statement, 1, SQL_C_CHAR, text, sizeof(text), &length));
    }
}

} // namespace
