// Data at execution through the statement over the fake executor: how pieces are checked,
// gathered, converted and pushed, and how the values sent so mix with bound ones.

#include "Unit/ODBC/Statements/StatementTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;
using namespace std::string_literals;

namespace {

/// One SQLPutData: its bytes and length (or SQL_NULL_DATA, SQL_DEFAULT_PARAM, SQL_NTS).
struct Piece
{
    std::string m_bytes;
    SQLLEN m_length;
};

Piece Text(const std::string& in_text)
{
    return {in_text, static_cast<SQLLEN>(in_text.size())};
}

class StatementDataAtExecTest : public StatementTest
{
protected:
    /// Executes a statement of one data-at-execution parameter of in_cType as in_sqlType of
    /// in_size and sends in_pieces; then asks for the next parameter, which ends the data. The
    /// outcomes of the SQLPutData calls and the last SQLParamData, joined with "|", up to the
    /// first that is no success.
    std::string Send(SQLSMALLINT in_cType, SQLSMALLINT in_sqlType, SQLULEN in_size, const std::vector<Piece>& in_pieces)
    {
        FakeEngineLog::s_pushes.clear();
        Statement& statement = *NewStatement();
        SQLLEN length = SQL_DATA_AT_EXEC;
        statement.SQLBindParameter(1, SQL_PARAM_INPUT, in_cType, in_sqlType, in_size, 0, &m_token, 0, &length);
        std::string outcomes = Outcome(statement, ExecDirect(statement, u"update 1 params 1"));
        SQLPOINTER token = nullptr;
        outcomes += "|" + Outcome(statement, statement.SQLParamData(&token));
        EXPECT_EQ(&m_token, token);
        for (const Piece& piece : in_pieces)
        {
            std::string bytes = piece.m_bytes;
            const std::string outcome =
                Outcome(statement, statement.SQLPutData(bytes.empty() ? nullptr : &bytes[0], piece.m_length));
            outcomes += "|" + outcome;
            if (outcome != "OK S10")
            {
                return outcomes;
            }
        }
        return outcomes + "|" + Outcome(statement, statement.SQLParamData(&token));
    }

    static std::string Pushes()
    {
        std::string pushes;
        for (const std::string& push : FakeEngineLog::s_pushes)
        {
            pushes += (pushes.empty() ? "" : " ") + push;
        }
        return pushes;
    }

    char m_token = 0;
};

TEST_F(StatementDataAtExecTest, PiecesAreCheckedGatheredAndHeldToTheDeclaredSize)
{
    const std::string prefix = "NEED_DATA S8|NEED_DATA S9|";
    const std::string umlauts = "\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x84\xc3\x96";
    const SQLINTEGER number = 42;
    const Piece integer{std::string(reinterpret_cast<const char*>(&number), sizeof(number)), sizeof(number)};
    // One byte short of the piece buffer of the default retrieval size.
    const std::string filler(65531, 'x');
    std::string euros;
    for (int i = 0; i < 1000; ++i)
    {
        euros += "\xe2\x82\xac";
    }
    const struct
    {
        SQLSMALLINT m_cType;
        SQLSMALLINT m_sqlType;
        SQLULEN m_size;
        std::vector<Piece> m_pieces;
        std::string m_outcomes;
        std::string m_pushes;
    } cases[] = {
        // Character pieces gather and go as one value when it ends.
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text("ab"), Text("cd"), {"ef\0gh", SQL_NTS}}, "OK S10|OK S10|OK S10|OK S4",
         "1:abcdef"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text(umlauts), Text(umlauts)}, "OK S10|OK S10|OK S4", "1:" + umlauts + umlauts},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text("abcdef"), Text("ghijk")}, "OK S10|OK S10|22001 S1", ""},
        // A piece larger than the room of the declared size is refused as it comes.
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text(std::string(41, 'x'))}, "22001 S1", ""},
        {SQL_C_BINARY, SQL_VARBINARY, 4, {Text("ab"), Text("cde")}, "OK S10|22001 S1", "1:ab"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text("ab"), {"", SQL_NULL_DATA}}, "OK S10|HY020 S1", ""},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {{"", SQL_NULL_DATA}, Text("ab")}, "OK S10|HY020 S1", "1:NULL"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text("ab"), {"", 3}}, "OK S10|HY020 S1", ""},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {{"", SQL_NULL_DATA}}, "OK S10|OK S4", "1:NULL"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {{"ab", -7}}, "HY090 S1", ""},
        // Values of other types go whole, in one piece.
        {SQL_C_SLONG, SQL_INTEGER, 0, {integer}, "OK S10|OK S4", "1:*\0\0\0"s},
        {SQL_C_SLONG, SQL_INTEGER, 0, {integer, integer}, "OK S10|HY019 S1", "1:*\0\0\0"s},
        {SQL_C_CHAR, SQL_INTEGER, 0, {Text("12")}, "OK S10|OK S4", "1:\x0c\0\0\0"s},
        // Text that is not valid in its encoding is refused as it comes, and at its end a character
        // that its bytes left unfinished, also after a piece that filled the buffer.
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text("ab"), Text("c\xe9!")}, "OK S10|22018 S1", ""},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text("ab\xc3")}, "OK S10|22018 S1", ""},
        {SQL_C_CHAR, SQL_VARCHAR, 70000, {Text(filler + "\xc3")}, "OK S10|22018 S1", "1:" + filler + "\xc3"},
        {SQL_C_CHAR, SQL_VARCHAR, 10, {Text("ab\xc3"), Text("\xa4")}, "OK S10|OK S10|OK S4", "1:ab\xc3\xa4"},
        // Bytes into a character parameter are its text, byte for byte, and go as text does: a
        // character may span pieces, and the declared size counts characters.
        {SQL_C_BINARY, SQL_VARCHAR, 20, {Text("hello world!")}, "OK S10|OK S4", "1:hello world!"},
        {SQL_C_BINARY, SQL_VARCHAR, 20, {Text("caf\xe9")}, "OK S10|22018 S1", ""},
        {SQL_C_BINARY, SQL_VARCHAR, 10, {Text("ab\xc3"), Text("\xa4")}, "OK S10|OK S10|OK S4", "1:ab\xc3\xa4"},
        {SQL_C_BINARY, SQL_VARCHAR, 10, {Text("abcdef"), Text("ghijk")}, "OK S10|OK S10|22001 S1", ""},
        {SQL_C_CHAR, SQL_VARCHAR, 999, {Text(euros)}, "OK S10|22001 S1", ""},
        {SQL_C_BINARY, SQL_VARCHAR, 999, {Text(euros)}, "OK S10|22001 S1", ""},
        {SQL_C_BINARY, SQL_WVARCHAR, 1000, {Text(euros)}, "OK S10|OK S4", "1:" + euros},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.m_cType) + ": " + c.m_outcomes);
        EXPECT_EQ(prefix + c.m_outcomes, Send(c.m_cType, c.m_sqlType, c.m_size, c.m_pieces));
        EXPECT_EQ(c.m_pushes, Pushes());
    }
}

TEST_F(StatementDataAtExecTest, APieceOfATypeThatCannotBecomeTheParametersIsRefused)
{
    Statement& statement = *NewStatement();
    SQLLEN length = SQL_DATA_AT_EXEC;
    statement.SQLBindParameter(1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &length, 0, &length);
    Descriptor& ipd = statement.GetDescriptor(StatementDescriptor::IPD);
    ASSERT_EQ(SQL_SUCCESS, ipd.SQLSetDescFieldW(1, SQL_DESC_CONCISE_TYPE, reinterpret_cast<SQLPOINTER>(SQL_TYPE_DATE), 0));
    ASSERT_EQ("NEED_DATA S8", Outcome(statement, ExecDirect(statement, u"update 1 params 1")));
    ASSERT_EQ("NEED_DATA S9", Outcome(statement, statement.SQLParamData(nullptr)));
    SQLINTEGER value = 1;
    EXPECT_EQ("07006 S1", Outcome(statement, statement.SQLPutData(&value, sizeof(value))));
    EXPECT_TRUE(FakeEngineLog::s_pushes.empty());
}

TEST_F(StatementDataAtExecTest, PushedValuesAndBoundValuesMakeTheSetsTogether)
{
    Statement& statement = *NewStatement();
    SQLINTEGER ids[2] = {7, 8};
    SQLLEN textLengths[2] = {SQL_LEN_DATA_AT_EXEC(4), SQL_NULL_DATA};
    char token = 0;
    SetAttribute(statement, SQL_ATTR_PARAMSET_SIZE, 2);
    statement.SQLBindParameter(1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, ids, 0, nullptr);
    statement.SQLBindParameter(2, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 10, 0, &token, 0, textLengths);
    ASSERT_EQ("NEED_DATA S8", Outcome(statement, ExecDirect(statement, u"update 2 params 2")));
    ASSERT_EQ("NEED_DATA S9", Outcome(statement, statement.SQLParamData(nullptr)));
    std::string text = "four";
    ASSERT_EQ("OK S10", Outcome(statement, statement.SQLPutData(&text[0], SQL_NTS)));
    // The second set's text is NULL in its buffer: no data is asked for it.
    EXPECT_EQ("OK S4", Outcome(statement, statement.SQLParamData(nullptr)));
    EXPECT_EQ("1:four", Pushes());
    EXPECT_EQ((std::vector<std::string>{"1:7,pushed", "2:8,NULL"}), FakeEngineLog::s_sets);
}

} // namespace
