#include "CursorStatementTest.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;

namespace {

std::string Hex(const char* in_bytes, SQLLEN in_length)
{
    static const char DIGITS[] = "0123456789ABCDEF";
    std::string hex;
    for (SQLLEN i = 0; i < in_length; ++i)
    {
        hex += DIGITS[(in_bytes[i] >> 4) & 0xF];
        hex += DIGITS[in_bytes[i] & 0xF];
    }
    return hex;
}

/// Wide text as UTF-8; a lone surrogate, the whole of a piece with room for one code unit, as
/// <XXXX>.
std::string WideText(const char16_t* in_text)
{
    if (in_text[0] >= 0xD800 && in_text[0] < 0xE000 && in_text[1] == 0)
    {
        char unit[8];
        std::snprintf(unit, sizeof unit, "<%04X>", static_cast<unsigned>(in_text[0]));
        return unit;
    }
    return orvik_wstring(in_text).GetAsUTF8();
}

class GetDataTest : public CursorStatementTest
{
protected:
    /// Reads column in_column with SQLGetData until it answers something else than success:
    /// each piece as "content/length", "+" after a piece with 01004, then the last answer
    /// ("NO_DATA", or the outcome of a failure). Binary C data shows in hex, wide C data as
    /// WideText shows it.
    std::string ReadPieces(Statement& io_statement, SQLUSMALLINT in_column, SQLSMALLINT in_cType, SQLLEN in_bufferLength)
    {
        std::string transcript;
        for (int call = 0; call < 20; ++call)
        {
            std::vector<char> buffer(static_cast<size_t>(in_bufferLength) + 8, '#');
            SQLLEN length = 12345;
            const SQLRETURN result = Counted(io_statement)->SQLGetData(in_column, in_cType, buffer.data(),
                                                                       in_bufferLength, &length);
            if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO)
            {
                return transcript + (result == SQL_NO_DATA ? "NO_DATA" : Outcome(io_statement, result));
            }
            EXPECT_EQ('#', buffer[static_cast<size_t>(in_bufferLength)]);
            const bool isCut = result == SQL_SUCCESS_WITH_INFO;
            transcript += in_cType == SQL_C_BINARY ? Hex(buffer.data(), isCut ? in_bufferLength : length)
                          : in_cType == SQL_C_WCHAR ? WideText(reinterpret_cast<const char16_t*>(buffer.data()))
                              : std::string(buffer.data());
            transcript += "/" + std::to_string(length) + (isCut ? "+ " : " ");
        }
        return transcript + "...";
    }

    /// Reads column in_column as SQL_C_SLONG with a buffer length of 0, which a fixed-size type
    /// does not use (no probe), expecting in_outcome.
    int32_t ReadInteger(Statement& io_statement, SQLUSMALLINT in_column, const char* in_outcome)
    {
        int32_t value = -1;
        SQLLEN indicator = 0;
        EXPECT_EQ(in_outcome, Outcome(io_statement, Counted(io_statement)->SQLGetData(in_column, SQL_C_SLONG, &value,
                                                                                      0, &indicator)));
        return value;
    }
};

TEST_F(GetDataTest, CharacterWideAndBinaryDataComeInPiecesEndingWithNoData)
{
    struct Case
    {
        const char* m_name;
        int16_t m_sqlType;
        Cell m_value;
        SQLSMALLINT m_cType;
        SQLLEN m_bufferLength;
        const char* m_transcript;
    };
    const Case cases[] = {
        {"text", SQL_VARCHAR, Bytes("abcdefgh"), SQL_C_CHAR, 4, "abc/-4+ def/-4+ gh/2 NO_DATA"},
        {"wide text", SQL_VARCHAR, Bytes("h\xC3\xA9llo!"), SQL_C_WCHAR, 8, "h\xC3\xA9l/-4+ lo!/6 NO_DATA"},
        // Room for one code unit: a surrogate pair comes a half at a time.
        {"wide text in units", SQL_VARCHAR, Bytes("a\xF0\x9F\x98\x80z"), SQL_C_WCHAR, 4, "a/-4+ <D83D>/-4+ <DE00>/-4+ z/2 NO_DATA"},
        {"wide text in pairs", SQL_VARCHAR, Bytes("a\xF0\x9F\x98\x80z"), SQL_C_WCHAR, 6, "a/-4+ \xF0\x9F\x98\x80/-4+ z/2 NO_DATA"},
        {"binary", SQL_VARBINARY, Bytes("ABCDEFGHIJKLMNOPQRSTUVWXY"), SQL_C_BINARY, 10,
         "4142434445464748494A/-4+ 4B4C4D4E4F5051525354/-4+ 5556575859/5 NO_DATA"},
        {"binary as text", SQL_VARBINARY, Bytes("\x0A\x0B\x0C"), SQL_C_CHAR, 5, "0A0B/-4+ 0C/2 NO_DATA"},
        {"binary as wide text", SQL_VARBINARY, Bytes("\x0A\x0B\x0C"), SQL_C_WCHAR, 10, "0A0B/-4+ 0C/4 NO_DATA"},
        {"empty text", SQL_VARCHAR, Bytes(""), SQL_C_CHAR, 4, "/0 NO_DATA"},
        {"an integer", SQL_INTEGER, ValueOf<int32_t>(-42), SQL_C_CHAR, 8, "-42/3 NO_DATA"},
    };
    for (const Case& test : cases)
    {
        Statement& statement = Open({test.m_sqlType}, {{test.m_value}});
        ASSERT_EQ(SQL_SUCCESS, Counted(statement)->SQLFetch()) << test.m_name;
        EXPECT_EQ(test.m_transcript, ReadPieces(statement, 1, test.m_cType, test.m_bufferLength)) << test.m_name;
    }
}

TEST_F(GetDataTest, EveryCutPieceWarnsAtRowOneAndTheColumn)
{
    Statement& statement = Open({SQL_INTEGER, SQL_VARCHAR}, {{ValueOf<int32_t>(1), Bytes("abcdefgh")}});
    Counted(statement)->SQLFetch();
    char buffer[4];
    SQLLEN length = 0;
    EXPECT_EQ("INFO 01004 S6", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_CHAR, buffer,
                                                                                 sizeof(buffer), &length)));
    EXPECT_EQ((std::vector<std::string>{"01004@1,2"}), Records(statement));
}

TEST_F(GetDataTest, AZeroLengthProbeGivesNoTotalAndLeavesTheValueUnread)
{
    Statement& statement = Open({SQL_VARCHAR, SQL_VARBINARY}, {{Bytes("abcdefgh"), Bytes("\x01\x02")}});
    Counted(statement)->SQLFetch();
    char probe = '#';
    SQLLEN length = 0;
    EXPECT_EQ("INFO 01004 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_CHAR, &probe, 0, &length)));
    EXPECT_EQ(SQL_NO_TOTAL, length);
    EXPECT_EQ('#', probe);
    EXPECT_EQ("abcdefgh/8 NO_DATA", ReadPieces(statement, 1, SQL_C_CHAR, 64));
    EXPECT_EQ("INFO 01004 S6", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_BINARY, &probe, 0, &length)));
    EXPECT_EQ("0102/2 NO_DATA", ReadPieces(statement, 2, SQL_C_BINARY, 64));
}

TEST_F(GetDataTest, AWholeValueIsReturnedOnceAndTheNextRowCanBeReadAgain)
{
    Statement& statement = Open({SQL_INTEGER}, {{ValueOf<int32_t>(42)}, {ValueOf<int32_t>(43)}});
    Counted(statement)->SQLFetch();
    EXPECT_EQ(42, ReadInteger(statement, 1, "OK S6"));
    EXPECT_EQ(-1, ReadInteger(statement, 1, "NO_DATA S6"));
    Counted(statement)->SQLFetch();
    EXPECT_EQ(43, ReadInteger(statement, 1, "OK S6"));
    EXPECT_EQ("NO_DATA S6", Outcome(statement, Counted(statement)->SQLFetch()));
    EXPECT_EQ(-1, ReadInteger(statement, 1, "24000 S6"));
}

TEST_F(GetDataTest, ATypeWithoutAConversionIsRefusedAlsoAfterTheColumnWasReadAsAnother)
{
    Statement& statement = Open({SQL_INTEGER}, {{ValueOf<int32_t>(42)}, {ValueOf<int32_t>(43)}});
    SQL_DATE_STRUCT date;
    SQLLEN indicator = 0;
    Counted(statement)->SQLFetch();
    EXPECT_EQ("07006 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_TYPE_DATE, &date, 0, &indicator)));
    EXPECT_EQ(42, ReadInteger(statement, 1, "OK S6"));
    Counted(statement)->SQLFetch();
    EXPECT_EQ("07006 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_TYPE_DATE, &date, 0, &indicator)));
    EXPECT_EQ(43, ReadInteger(statement, 1, "OK S6"));
}

TEST_F(GetDataTest, ANegativeBufferLengthOrAnUnknownCTypeIsRefusedBeforeTheValueIsRead)
{
    Statement& statement = Open({SQL_VARCHAR}, {{Bytes("abc")}});
    Counted(statement)->SQLFetch();
    char buffer[8] = {};
    SQLLEN length = 0;
    EXPECT_EQ("HY090 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_CHAR, buffer, -1, &length)));
    EXPECT_EQ("HY003 S6", Outcome(statement, Counted(statement)->SQLGetData(1, 999, buffer, sizeof buffer, &length)));
    EXPECT_EQ("abc/3 NO_DATA", ReadPieces(statement, 1, SQL_C_CHAR, 8));
}

TEST_F(GetDataTest, ColumnsAreReadInAscendingOrderAfterTheLastBoundOne)
{
    Statement& statement = Open({SQL_INTEGER, SQL_INTEGER, SQL_INTEGER, SQL_INTEGER},
                                {{ValueOf<int32_t>(1), ValueOf<int32_t>(2), ValueOf<int32_t>(3), ValueOf<int32_t>(4)}});
    int32_t bound = 0;
    statement.SQLBindCol(2, SQL_C_SLONG, &bound, 0, nullptr);
    Counted(statement)->SQLFetch();
    EXPECT_EQ(2, bound);
    for (SQLUSMALLINT column : {0, 1, 2, 5})
    {
        ReadInteger(statement, column, "07009 S6");
    }
    EXPECT_EQ(4, ReadInteger(statement, 4, "OK S6"));
    EXPECT_EQ(-1, ReadInteger(statement, 3, "07009 S6"));
    EXPECT_EQ("[Orvik][ODBC] (2204) Invalid descriptor index: SQLGetData reads the columns of a row in ascending order only.",
              RecordText(statement.GetDiagManager()));
    // After reading out of order the last column read answers 07009, not SQL_NO_DATA.
    EXPECT_EQ(-1, ReadInteger(statement, 4, "07009 S6"));
}

TEST_F(GetDataTest, NullNeedsAnIndicator)
{
    Statement& statement = Open({SQL_INTEGER, SQL_VARCHAR}, {{Cell(), Cell()}});
    Counted(statement)->SQLFetch();
    int32_t value = 7;
    SQLLEN indicator = 0;
    EXPECT_EQ("22002 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_SLONG, &value, 0, nullptr)));
    EXPECT_EQ((std::vector<std::string>{"22002@1,1"}), Records(statement));
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_SLONG, &value, 0, &indicator)));
    EXPECT_EQ(SQL_NULL_DATA, indicator);
    EXPECT_EQ(7, value);
    char text[8] = "#";
    EXPECT_EQ("22002 S6", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_CHAR, text, sizeof(text),
                                                                            nullptr)));
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_CHAR, text, sizeof(text),
                                                                         &indicator)));
    EXPECT_EQ(SQL_NULL_DATA, indicator);
    EXPECT_EQ("#", std::string(text));
    EXPECT_EQ("NO_DATA S6", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_CHAR, text, sizeof(text),
                                                                              &indicator)));
}

TEST_F(GetDataTest, TheTypeCannotChangeWhileAColumnIsReadInParts)
{
    Statement& statement = Open({SQL_VARCHAR}, {{Bytes("abcdefgh")}});
    Counted(statement)->SQLFetch();
    char text[4];
    SQLLEN length = 0;
    EXPECT_EQ("INFO 01004 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_CHAR, text, sizeof(text),
                                                                                 &length)));
    EXPECT_EQ("HY000 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_WCHAR, text, sizeof(text),
                                                                            &length)));
    EXPECT_EQ("[Orvik][ODBC] (2205) The target type cannot change while a column is read in parts with SQLGetData.",
              RecordText(statement.GetDiagManager()));
    // SQL_C_DEFAULT stands for SQL_C_CHAR here, so the reading goes on.
    EXPECT_EQ("INFO 01004 S6", Outcome(statement, Counted(statement)->SQLGetData(1, SQL_C_DEFAULT, text,
                                                                                 sizeof(text), &length)));
    EXPECT_EQ("def", std::string(text));
}

TEST_F(GetDataTest, ARowsetOfMoreThanOneRowRefusesSQLGetDataUntilTheBindingsAreReadAgain)
{
    Statement& statement = Open({SQL_INTEGER, SQL_INTEGER}, {{ValueOf<int32_t>(1), ValueOf<int32_t>(2)},
                                                             {ValueOf<int32_t>(3), ValueOf<int32_t>(4)},
                                                             {ValueOf<int32_t>(5), ValueOf<int32_t>(6)},
                                                             {ValueOf<int32_t>(7), ValueOf<int32_t>(8)}});
    SetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE, 2);
    Counted(statement)->SQLFetch();
    ReadInteger(statement, 2, "HY109 S6");
    SetAttribute(statement, SQL_ATTR_ROW_ARRAY_SIZE, 1);
    Counted(statement)->SQLFetch();
    ReadInteger(statement, 2, "07009 S6");
    int32_t bound = 0;
    statement.SQLBindCol(1, SQL_C_SLONG, &bound, 0, nullptr);
    Counted(statement)->SQLFetch();
    EXPECT_EQ(7, bound);
    EXPECT_EQ(8, ReadInteger(statement, 2, "OK S6"));
}

TEST_F(GetDataTest, TheTargetTypeMayComeFromTheRowDescriptor)
{
    Statement& statement = Open({SQL_INTEGER, SQL_DOUBLE}, {{ValueOf<int32_t>(1), ValueOf<double>(2.5)}});
    Counted(statement)->SQLFetch();
    double value = 0;
    SQLLEN length = 0;
    EXPECT_EQ("07009 S6", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_ARD_TYPE, &value, 0, &length)));
    EXPECT_EQ("OK S6", Outcome(statement, Counted(statement)->SQLGetData(2, SQL_C_DEFAULT, &value, 0, &length)));
    EXPECT_EQ(2.5, value);
    EXPECT_EQ(8, length);
}

} // namespace
