// Bound parameters through the statement over the fake executor, which records every set it
// reads: arrays with ignored sets, statuses and the processed count, lengths and indicators,
// conversions and their errors, output parameters.

#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class StatementParameterTest : public StatementTest
{
protected:
    StatementParameterTest() : m_statement(*NewStatement()) {}

    static SQLRETURN SetPointer(Statement& io_statement, SQLINTEGER in_attribute, void* in_value)
    {
        return io_statement.SQLSetStmtAttrW(in_attribute, in_value, 0);
    }

    SQLRETURN Bind(SQLUSMALLINT in_number,
                   SQLSMALLINT in_cType,
                   SQLSMALLINT in_sqlType,
                   SQLULEN in_size,
                   void* in_value,
                   SQLLEN in_bufferLength,
                   SQLLEN* in_length,
                   SQLSMALLINT in_direction = SQL_PARAM_INPUT)
    {
        return m_statement.SQLBindParameter(in_number, in_direction, in_cType, in_sqlType, in_size, 0, in_value,
                                            in_bufferLength, in_length);
    }

    /// The diagnostic record's row and column: "<row>/<column>".
    std::string Position(SQLSMALLINT in_record = 1)
    {
        SQLLEN row = 0;
        SQLINTEGER column = 0;
        m_statement.GetDiagManager().SQLGetDiagField(in_record, SQL_DIAG_ROW_NUMBER, &row, 0, nullptr);
        m_statement.GetDiagManager().SQLGetDiagField(in_record, SQL_DIAG_COLUMN_NUMBER, &column, 0, nullptr);
        return std::to_string(row) + "/" + std::to_string(column);
    }

    /// The sets the executor read, joined with " ".
    static std::string Sets()
    {
        std::string sets;
        for (const std::string& set : FakeEngineLog::s_sets)
        {
            sets += (sets.empty() ? "" : " ") + set;
        }
        return sets;
    }

    Statement& m_statement;
    SQLUSMALLINT m_statuses[4] = {99, 99, 99, 99};
    SQLULEN m_processed = 99;
};

TEST_F(StatementParameterTest, ArraysReachTheExecutorSetBySetWithoutTheIgnoredSets)
{
    SQLINTEGER ids[3] = {10, 20, 30};
    char names[3][8] = {"one", "two", "three"};
    SQLLEN nameLengths[3] = {SQL_NTS, 3, 2};
    SQLUSMALLINT operations[3] = {SQL_PARAM_PROCEED, SQL_PARAM_IGNORE, SQL_PARAM_PROCEED};
    SetAttribute(m_statement, SQL_ATTR_PARAMSET_SIZE, 3);
    SetPointer(m_statement, SQL_ATTR_PARAM_OPERATION_PTR, operations);
    SetPointer(m_statement, SQL_ATTR_PARAM_STATUS_PTR, m_statuses);
    SetPointer(m_statement, SQL_ATTR_PARAMS_PROCESSED_PTR, &m_processed);
    Bind(1, SQL_C_SLONG, SQL_INTEGER, 0, ids, 0, nullptr);
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, 10, names, sizeof(names[0]), nameLengths);

    EXPECT_EQ("OK S4", Outcome(m_statement, ExecDirect(m_statement, u"update 2 params 2")));
    EXPECT_EQ("1:10,'one' 3:30,'th'", Sets());
    EXPECT_EQ(2u, FakeEngineLog::s_setCount);
    EXPECT_EQ((std::vector<SQLUSMALLINT>{SQL_PARAM_SUCCESS, SQL_PARAM_UNUSED, SQL_PARAM_SUCCESS, 99}),
              std::vector<SQLUSMALLINT>(m_statuses, m_statuses + 4));
    EXPECT_EQ(3u, m_processed);
}

TEST_F(StatementParameterTest, RowWiseSetsStartAtTheBindOffset)
{
    struct Row
    {
        SQLSMALLINT m_id;
        SQLLEN m_idIndicator;
        SQLWCHAR m_name[6];
        SQLLEN m_nameLength;
    };
    Row rows[3] = {{1, 0, {u'x'}, SQL_NTS}, {2, 0, {u'b', u'e'}, 4}, {3, SQL_NULL_DATA, {u'c'}, SQL_NTS}};
    SQLLEN offset = sizeof(Row);
    SetAttribute(m_statement, SQL_ATTR_PARAMSET_SIZE, 2);
    SetAttribute(m_statement, SQL_ATTR_PARAM_BIND_TYPE, sizeof(Row));
    SetPointer(m_statement, SQL_ATTR_PARAM_BIND_OFFSET_PTR, &offset);
    Bind(1, SQL_C_SSHORT, SQL_SMALLINT, 0, &rows[0].m_id, 0, &rows[0].m_idIndicator);
    Bind(2, SQL_C_WCHAR, SQL_WVARCHAR, 5, rows[0].m_name, sizeof(rows[0].m_name), &rows[0].m_nameLength);

    EXPECT_EQ("OK S4", Outcome(m_statement, ExecDirect(m_statement, u"update 2 params 2")));
    EXPECT_EQ("1:2,'be' 2:NULL,'c'", Sets());
}

TEST_F(StatementParameterTest, PackedRowsAreReadWhereverTheirLengthsLie)
{
    // Rows without padding, as some applications pack them: a flag, its indicator, three
    // characters, their length. The lengths lie at odd addresses.
    constexpr size_t NAME = 1 + sizeof(SQLLEN);
    constexpr size_t ROW = NAME + 3 + sizeof(SQLLEN);
    unsigned char rows[2][ROW] = {};
    const SQLLEN values[2][2] = {{0, 2}, {SQL_NULL_DATA, 1}};
    for (int row = 0; row < 2; ++row)
    {
        rows[row][0] = row == 0 ? 1 : 0;
        std::memcpy(&rows[row][1], &values[row][0], sizeof(SQLLEN));
        std::memcpy(&rows[row][NAME], row == 0 ? "abc" : "x", row == 0 ? 3 : 1);
        std::memcpy(&rows[row][NAME + 3], &values[row][1], sizeof(SQLLEN));
    }
    SetAttribute(m_statement, SQL_ATTR_PARAMSET_SIZE, 2);
    SetAttribute(m_statement, SQL_ATTR_PARAM_BIND_TYPE, ROW);
    Bind(1, SQL_C_BIT, SQL_BIT, 0, &rows[0][0], 0, reinterpret_cast<SQLLEN*>(&rows[0][1]));
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, 3, &rows[0][NAME], 3, reinterpret_cast<SQLLEN*>(&rows[0][NAME + 3]));

    EXPECT_EQ("OK S4", Outcome(m_statement, ExecDirect(m_statement, u"update 2 params 2")));
    EXPECT_EQ("1:x01,'ab' 2:NULL,'x'", Sets());
}

TEST_F(StatementParameterTest, AFailureInTheMiddleCountsTheSetsThatGotAStatus)
{
    SQLINTEGER ids[4] = {1, 2, 3, 4};
    SetAttribute(m_statement, SQL_ATTR_PARAMSET_SIZE, 4);
    SetPointer(m_statement, SQL_ATTR_PARAM_STATUS_PTR, m_statuses);
    SetPointer(m_statement, SQL_ATTR_PARAMS_PROCESSED_PTR, &m_processed);
    Bind(1, SQL_C_SLONG, SQL_INTEGER, 0, ids, 0, nullptr);

    EXPECT_EQ("HY000 S1", Outcome(m_statement, ExecDirect(m_statement, u"update 4 params 1 fail-set 3")));
    EXPECT_EQ("1:1 2:2", Sets());
    EXPECT_EQ((std::vector<SQLUSMALLINT>{SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS, SQL_PARAM_ERROR, SQL_PARAM_UNUSED}),
              std::vector<SQLUSMALLINT>(m_statuses, m_statuses + 4));
    EXPECT_EQ(3u, m_processed);

    // A set that succeeds with information says so in its entry; the processed count is the
    // paramset size again.
    EXPECT_EQ("OK S4", Outcome(m_statement, ExecDirect(m_statement, u"update 4 params 1 info-set 2")));
    EXPECT_EQ((std::vector<SQLUSMALLINT>{SQL_PARAM_SUCCESS, SQL_PARAM_SUCCESS_WITH_INFO, SQL_PARAM_SUCCESS,
                                         SQL_PARAM_SUCCESS}),
              std::vector<SQLUSMALLINT>(m_statuses, m_statuses + 4));
    EXPECT_EQ(4u, m_processed);
}

TEST_F(StatementParameterTest, LengthsAndIndicatorsOfOneValue)
{
    struct Case
    {
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        SQLULEN m_size;
        std::string m_bytes;
        SQLLEN m_length;
        std::string m_outcome;
    };
    const std::u16string wide = u"\u00c4\u00d6\u00dc\u00e4\u00f6\u00fc\u00df\u00e9\u00e8\U0001F600";
    const std::string wideBytes(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(char16_t));
    const std::string nonAscii = "\xc3\x84\xc3\x96\xc3\x9c\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc3\xa9\xc3\xa8\xc3\xaa";
    std::string euros;
    for (int i = 0; i < 1000; ++i)
    {
        euros += "\xe2\x82\xac";
    }
    std::vector<Case> cases = {
        {SQL_C_CHAR, SQL_VARCHAR, 10, std::string("abc\0def", 7), SQL_NTS, "1:'abc'"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, "abcdef", 3, "1:'abc'"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, "abc", 0, "1:''"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, "abc", -7, "HY090 S1"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, "", SQL_NULL_DATA, "1:NULL"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, "", SQL_DEFAULT_PARAM, "1:DEFAULT"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, "abcdefghijkl", SQL_NTS, "22001 S1"},
        // The declared size counts characters, however many bytes they take.
        {SQL_C_CHAR, SQL_VARCHAR, 10, nonAscii, SQL_NTS, "1:'" + nonAscii + "'"},
        {SQL_C_CHAR, SQL_VARCHAR, 9, nonAscii, SQL_NTS, "22001 S1"},
        {SQL_C_WCHAR, SQL_WVARCHAR, 10, wideBytes, SQL_NTS,
         "1:'\xc3\x84\xc3\x96\xc3\x9c\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xc3\xa9\xc3\xa8\xf0\x9f\x98\x80'"},
        {SQL_C_WCHAR, SQL_WVARCHAR, 9, wideBytes, SQL_NTS, "22001 S1"},
        {SQL_C_SLONG, SQL_INTEGER, 0, std::string("\x2a\0\0\0", 4), -7, "1:42"},
        {SQL_C_SLONG, SQL_INTEGER, 0, std::string("\x2a\0\0\0", 4), SQL_NTS, "HY000 S1"},
        {SQL_C_DEFAULT, SQL_INTEGER, 0, std::string("\x07\0\0\0", 4), 4, "1:7"},
        {SQL_C_CHAR, SQL_INTEGER, 0, "-12", SQL_NTS, "1:-12"},
        {SQL_C_CHAR, SQL_INTEGER, 0, "twelve", SQL_NTS, "22018 S1"},
        {SQL_C_BINARY, SQL_VARBINARY, 4, "\x01\x02", 2, "1:x0102"},
        // Text that is not valid in its encoding is refused, never sent as it is or replaced.
        {SQL_C_CHAR, SQL_VARCHAR, 10, "caf\xe9", SQL_NTS, "22018 S1"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, "caf\xc3", SQL_NTS, "22018 S1"},
        {SQL_C_WCHAR, SQL_WVARCHAR, 10, std::string("a\0\x3d\xd8", 4), 4, "22018 S1"},
        // Bytes into a character parameter are the text itself, byte for byte.
        {SQL_C_BINARY, SQL_VARCHAR, 4000, "hello world!", 12, "1:'hello world!'"},
        {SQL_C_BINARY, SQL_WVARCHAR, 4000, "ABC", 3, "1:'ABC'"},
        {SQL_C_BINARY, SQL_VARCHAR, 4000, nonAscii, 6, "1:'" + nonAscii.substr(0, 6) + "'"},
        {SQL_C_BINARY, SQL_VARCHAR, 2, "a\xe2\x82\xac", 4, "1:'a\xe2\x82\xac'"},
        {SQL_C_BINARY, SQL_VARCHAR, 1, "a\xe2\x82\xac", 4, "22001 S1"},
        {SQL_C_BINARY, SQL_VARCHAR, 10, "", 0, "1:''"},
        {SQL_C_BINARY, SQL_VARCHAR, 4000, "caf\xe9", 4, "22018 S1"},
        {SQL_C_BINARY, SQL_WVARCHAR, 4000, "ab\xe2\x82", 4, "22018 S1"},
    };
    // The same bytes as SQL_C_CHAR or as SQL_C_BINARY, into a narrow or a wide type: the declared
    // size counts characters, so 1,000 three-byte characters fit 2,000, and 999 or a long type
    // declared without a size refuse them whole.
    for (SQLSMALLINT cType : {SQL_C_CHAR, SQL_C_BINARY})
    {
        for (SQLSMALLINT sqlType : {SQL_VARCHAR, SQL_WVARCHAR})
        {
            cases.push_back({cType, sqlType, 2000, euros, 3000, "1:'" + euros + "'"});
            cases.push_back({cType, sqlType, 999, euros, 3000, "22001 S1"});
        }
        cases.push_back({cType, SQL_LONGVARCHAR, 0, euros, 3000, "22001 S1"});
        cases.push_back({cType, SQL_WLONGVARCHAR, 0, euros, 3000, "22001 S1"});
    }
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.m_cType) + " into " + std::to_string(c.m_sqlType) + "(" + std::to_string(c.m_size) +
                     "), " + std::to_string(c.m_bytes.size()) + " bytes");
        FakeEngineLog::s_sets.clear();
        std::string value = c.m_bytes;
        SQLLEN length = c.m_length;
        Bind(1, c.m_cType, c.m_sqlType, c.m_size, &value[0], static_cast<SQLLEN>(value.size()), &length);
        const std::string outcome = Outcome(m_statement, ExecDirect(m_statement, u"update 1 params 1"));
        EXPECT_EQ(c.m_outcome, outcome == "OK S4" ? Sets() : outcome);
        if (outcome != "OK S4")
        {
            EXPECT_EQ(c.m_outcome == "HY000 S1" ? "-1/-1" : "1/1", Position());
            EXPECT_EQ("", Sets());
        }
    }
}

TEST_F(StatementParameterTest, AnErrorNamesTheSetAndTheParameter)
{
    SQLINTEGER ids[2] = {1, 2};
    char names[2][16] = {"short", "far too long"};
    SetAttribute(m_statement, SQL_ATTR_PARAMSET_SIZE, 2);
    SetPointer(m_statement, SQL_ATTR_PARAM_STATUS_PTR, m_statuses);
    SetPointer(m_statement, SQL_ATTR_PARAMS_PROCESSED_PTR, &m_processed);
    Bind(1, SQL_C_SLONG, SQL_INTEGER, 0, ids, 0, nullptr);
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, 6, names, sizeof(names[0]), nullptr);

    EXPECT_EQ("22001 S1", Outcome(m_statement, ExecDirect(m_statement, u"update 1 params 2")));
    EXPECT_EQ("2/2", Position());
    EXPECT_EQ("1:1,'short'", Sets());
    EXPECT_EQ(1u, m_processed);
    // Without data there is no value to read.
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, 6, nullptr, 0, nullptr);
    EXPECT_EQ("HY090 S1", Outcome(m_statement, ExecDirect(m_statement, u"update 1 params 2")));
    EXPECT_EQ("1/2", Position());
}

TEST_F(StatementParameterTest, DefaultsTheExecutorRefusesAndRowsNotAffected)
{
    SQLINTEGER id = 5;
    SQLLEN indicator = SQL_DEFAULT_PARAM;
    Bind(1, SQL_C_SLONG, SQL_INTEGER, 0, &id, 0, &indicator);
    EXPECT_EQ("07S01 S1", Outcome(m_statement, ExecDirect(m_statement, u"update 1 params 1 refuse-default")));
    EXPECT_EQ("1/1", Position());
    indicator = 0;
    EXPECT_EQ("NO_DATA S4", Outcome(m_statement, ExecDirect(m_statement, u"update 0 params 1")));
}

TEST_F(StatementParameterTest, ConversionsAreCheckedBeforeTheExecutorRuns)
{
    SQLINTEGER id = 5;
    Bind(1, SQL_C_SLONG, SQL_INTEGER, 0, &id, 0, nullptr);
    Descriptor& ipd = m_statement.GetDescriptor(StatementDescriptor::IPD);
    ASSERT_EQ(SQL_SUCCESS, ipd.SQLSetDescFieldW(1, SQL_DESC_CONCISE_TYPE, reinterpret_cast<SQLPOINTER>(SQL_TYPE_DATE), 0));
    EXPECT_EQ("07006 S1", Outcome(m_statement, ExecDirect(m_statement, u"update 1 params 1")));
    EXPECT_EQ("-1/1", Position());
    EXPECT_EQ(0, FakeEngineLog::s_executions);
}

TEST_F(StatementParameterTest, OutputValuesReachTheBuffersOfTheirSets)
{
    SQLINTEGER ids[2] = {1, 2};
    char names[2][4] = {};
    SQLLEN nameLengths[2] = {};
    SQLINTEGER counts[2] = {};
    SQLLEN countIndicators[2] = {};
    SetAttribute(m_statement, SQL_ATTR_PARAMSET_SIZE, 2);
    SetPointer(m_statement, SQL_ATTR_PARAM_STATUS_PTR, m_statuses);
    Bind(1, SQL_C_SLONG, SQL_INTEGER, 0, ids, 0, nullptr);
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, 10, names, sizeof(names[0]), nameLengths, SQL_PARAM_OUTPUT);
    Bind(3, SQL_C_SLONG, SQL_INTEGER, 0, counts, 0, countIndicators, SQL_PARAM_INPUT_OUTPUT);

    // The text is cut to the buffer and reports its full length, with a warning for the set.
    EXPECT_EQ("INFO 01004 01004 S4", Outcome(m_statement, ExecDirect(m_statement, u"update 2 params 3 output")));
    EXPECT_EQ("1:1,0 2:2,0", Sets());
    EXPECT_STREQ("out", names[0]);
    EXPECT_STREQ("out", names[1]);
    EXPECT_EQ((std::vector<SQLLEN>{4, 4}), std::vector<SQLLEN>(nameLengths, nameLengths + 2));
    EXPECT_EQ((std::vector<SQLINTEGER>{10, 20}), std::vector<SQLINTEGER>(counts, counts + 2));
    EXPECT_EQ("2/2", Position(2));

    // An output buffer without an address gets nothing, unless its indicator asks for nothing.
    Bind(2, SQL_C_CHAR, SQL_VARCHAR, 10, nullptr, 0, nameLengths, SQL_PARAM_OUTPUT);
    EXPECT_EQ("HY090 S1", Outcome(m_statement, ExecDirect(m_statement, u"update 2 params 3 output")));
    EXPECT_EQ(SQL_PARAM_ERROR, m_statuses[0]);
}

} // namespace
