#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/DataWarningOrError.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/ConversionResult.h"

#include "FakeMessageSource.h"
#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using Orvik::Platform;
using Orvik::Testing::FakeMessageSource;

namespace {

struct Record
{
    SQLRETURN m_result;
    std::string m_sqlState;
    SQLINTEGER m_native;
    std::string m_message;
};

class DiagManagerTest : public EncodingsRestored
{
protected:
    ~DiagManagerTest() override { Platform::UninitializePlatform(); }

    Record Read(SQLSMALLINT in_number)
    {
        SQLWCHAR sqlState[6] = {};
        SQLWCHAR message[256] = {};
        Record record{};
        SQLSMALLINT length = 0;
        record.m_result = m_diagnostics.SQLGetDiagRec(in_number, sqlState, &record.m_native, message, 256, &length);
        record.m_sqlState = orvik_wstring(reinterpret_cast<const char16_t*>(sqlState)).GetAsUTF8();
        record.m_message = orvik_wstring(reinterpret_cast<const char16_t*>(message)).GetAsUTF8();
        return record;
    }

    std::vector<std::string> SqlStates()
    {
        std::vector<std::string> states;
        for (SQLSMALLINT number = 1; number <= m_diagnostics.GetRecordCount(); ++number)
        {
            states.push_back(Read(number).m_sqlState);
        }
        return states;
    }

    int64_t RowOf(SQLSMALLINT in_number)
    {
        SQLLEN row = 0;
        EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagField(in_number, SQL_DIAG_ROW_NUMBER, &row, 0, nullptr));
        return row;
    }

private:
    static Platform* StartPlatform()
    {
        orvik_wstring::SetDriverManagerEncoding(ENC_UTF16_LE);
        return Platform::InitializePlatform(false);
    }

    Platform* m_platform = StartPlatform();

protected:
    FakeMessageSource m_messages;
    DiagManager m_diagnostics{&m_messages, u"server", u"connection"};
};

enum PostKind
{
    ERROR_WITH_STATE,
    ERROR_WITH_SQLSTATE,
    ERROR_MESSAGE_WITH_STATE,
    WARNING_WITH_STATE,
    WARNING_WITH_SQLSTATE,
    WARNING_MESSAGE_WITH_STATE,
    ERROR_EXCEPTION
};

struct PostCase
{
    int32_t m_version;
    PostKind m_kind;
    int32_t m_state;         // for the kinds with a state
    const char* m_sqlState;  // for the kinds with an explicit SQLSTATE
    const char* m_expected;
    bool m_isError;
};

const PostCase POST_CASES[] = {
    {380, ERROR_WITH_STATE, DIAG_TABLE_NOT_FOUND, nullptr, "42S02", true},
    {380, ERROR_WITH_STATE, DIAG_STRING_RIGHT_TRUNCATED_WARNING, nullptr, "HY000", true},
    {380, ERROR_EXCEPTION, DIAG_GENERAL_WARNING, nullptr, "HY000", true},
    {380, ERROR_MESSAGE_WITH_STATE, 500, nullptr, "HY000", true},
    {380, ERROR_MESSAGE_WITH_STATE, -1, nullptr, "HY000", true},
    {380, WARNING_WITH_STATE, DIAG_OPTION_VALUE_CHANGED, nullptr, "01S02", false},
    {380, WARNING_WITH_STATE, DIAG_GENERAL_ERROR, nullptr, "HY000", false},
    {380, WARNING_WITH_STATE, 107, nullptr, "01000", false},
    {380, WARNING_MESSAGE_WITH_STATE, -3, nullptr, "01000", false},
    {2, ERROR_WITH_STATE, DIAG_MEMORY_ALLOCATION_ERROR, nullptr, "S1001", true},
    {2, ERROR_WITH_STATE, DIAG_TABLE_NOT_FOUND, nullptr, "S0002", true},
    {2, ERROR_WITH_STATE, DIAG_TIMEOUT_EXPIRED, nullptr, "S1000", true},
    {2, ERROR_WITH_SQLSTATE, 0, "42S02", "42S02", true},
    {2, ERROR_MESSAGE_WITH_STATE, DIAG_INVALID_CURSOR_STATE, nullptr, "24000", true},
    {2, WARNING_WITH_STATE, DIAG_FRACTIONAL_TRUNCATION, nullptr, "01000", false},
    {2, WARNING_WITH_SQLSTATE, 0, "01S07", "01S07", false},
    {3, ERROR_WITH_STATE, DIAG_MEMORY_ALLOCATION_ERROR, nullptr, "HY001", true},
};

void Post(DiagManager& io_diagnostics, const PostCase& in_case)
{
    const DiagState state = static_cast<DiagState>(in_case.m_state);
    switch (in_case.m_kind)
    {
    case ERROR_WITH_STATE:
        io_diagnostics.PostError(state, ODBC_COMPONENT_ID, u"Key", -1, -1);
        break;
    case ERROR_WITH_SQLSTATE:
        io_diagnostics.PostError(SqlState(in_case.m_sqlState), ODBC_COMPONENT_ID, u"Key", -1, -1);
        break;
    case ERROR_MESSAGE_WITH_STATE:
        io_diagnostics.PostErrorMessage(state, 7, u"ready", -1, -1);
        break;
    case WARNING_WITH_STATE:
        io_diagnostics.PostWarning(state, ODBC_COMPONENT_ID, u"Key", -1, -1);
        break;
    case WARNING_WITH_SQLSTATE:
        io_diagnostics.PostWarning(SqlState(in_case.m_sqlState), ODBC_COMPONENT_ID, u"Key", -1, -1);
        break;
    case WARNING_MESSAGE_WITH_STATE:
        io_diagnostics.PostWarningMessage(state, 7, u"ready", -1, -1);
        break;
    case ERROR_EXCEPTION:
        io_diagnostics.PostError(ErrorException(state, ODBC_COMPONENT_ID, u"Key", -1, -1));
        break;
    }
}

TEST_F(DiagManagerTest, TheSqlStateOfEachPostInEachVersion)
{
    for (const PostCase& testCase : POST_CASES)
    {
        m_diagnostics.Clear();
        m_diagnostics.SetOdbcVersion(testCase.m_version);
        Post(m_diagnostics, testCase);
        const std::string label = std::to_string(testCase.m_version) + "/" + std::to_string(testCase.m_kind) + "/" +
                                  std::to_string(testCase.m_state);
        EXPECT_EQ(testCase.m_expected, Read(1).m_sqlState) << label;
        EXPECT_EQ(testCase.m_isError, m_diagnostics.HasError()) << label;
        EXPECT_EQ(!testCase.m_isError, m_diagnostics.HasWarning()) << label;
    }
}

TEST_F(DiagManagerTest, TextsAndNativeCodesComeFromTheMessageSource)
{
    m_diagnostics.PostError(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", {u"a", u"b"}, -1, -1);
    m_diagnostics.PostWarning(DIAG_GENERAL_WARNING, 117, u"MissingKey", -1, -1);
    m_diagnostics.PostErrorMessage(SqlState("HY123"), 42, u"as it came", -1, -1);
    const Record first = Read(1);
    EXPECT_EQ("en-US[1:FuncSeqErr] (a,b)", first.m_message);
    EXPECT_EQ(1001, first.m_native);
    // Errors come before warnings of their row; the ready text keeps its posting place.
    EXPECT_EQ("as it came", Read(2).m_message);
    EXPECT_EQ(42, Read(2).m_native);
    EXPECT_EQ("en-US[117:MissingKey]", Read(3).m_message);
    EXPECT_EQ(-1, Read(3).m_native);
}

TEST_F(DiagManagerTest, RecordsReadByRowThenRankThenPostingOrder)
{
    m_diagnostics.PostError(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"Key", 3, 1);
    m_diagnostics.PostError(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"Key", 1, 1);
    m_diagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"Key", -1, -1);
    m_diagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"Key", 1, 2);
    m_diagnostics.PostWarning(DIAG_OPTION_VALUE_CHANGED, ODBC_COMPONENT_ID, u"Key", 1, 3);
    m_diagnostics.PostError(DIAG_INVALID_TRANSACTION_STATE, ODBC_COMPONENT_ID, u"Key", 1, 4);
    m_diagnostics.PostError(DIAG_COLUMN_NOT_FOUND, ODBC_COMPONENT_ID, u"Key", 1, 5);
    m_diagnostics.PostWarning(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"Key", 1, 6);
    // Row -1 first; in row 1: 25000 (250), HY000 and the warning with HY000 (201, posting
    // order), then the ODBC-defined 01S02 and 42S22 (200, posting order), then 01004 (1); row 3
    // last.
    EXPECT_EQ((std::vector<std::string>{"01004", "25000", "HY000", "HY000", "01S02", "42S22", "01004", "HY000"}),
              SqlStates());
    EXPECT_EQ(-1, RowOf(1));
    EXPECT_EQ(1, RowOf(2));
    SQLINTEGER column = 0;
    EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagField(3, SQL_DIAG_COLUMN_NUMBER, &column, 0, nullptr));
    EXPECT_EQ(1, column);
    EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagField(4, SQL_DIAG_COLUMN_NUMBER, &column, 0, nullptr));
    EXPECT_EQ(6, column);
    EXPECT_EQ(3, RowOf(8));
}

TEST_F(DiagManagerTest, RecordNumbersOutsideTheRecordsAndCutMessages)
{
    EXPECT_EQ(SQL_NO_DATA, Read(1).m_result);
    EXPECT_EQ(SQL_ERROR, Read(0).m_result);
    m_diagnostics.PostError(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"Key", -1, -1);
    EXPECT_EQ(SQL_ERROR, Read(0).m_result);
    EXPECT_EQ(SQL_ERROR, Read(-4).m_result);
    EXPECT_EQ(SQL_NO_DATA, Read(2).m_result);
    // en-US[1:Key] is 12 characters: 5 fit before the terminator.
    SQLWCHAR sqlState[6];
    SQLWCHAR message[6];
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, m_diagnostics.SQLGetDiagRec(1, sqlState, &native, message, 6, &length));
    EXPECT_EQ(12, length);
    EXPECT_EQ(u"en-US", std::u16string(reinterpret_cast<char16_t*>(message)));
    EXPECT_EQ(u"HY000", std::u16string(reinterpret_cast<char16_t*>(sqlState)));
    EXPECT_EQ(SQL_SUCCESS_WITH_INFO, m_diagnostics.SQLGetDiagRec(1, nullptr, nullptr, message, 1, &length));
    EXPECT_EQ(0, message[0]);
    // Only the length asked for.
    length = 0;
    EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagRec(1, nullptr, nullptr, nullptr, 0, &length));
    EXPECT_EQ(12, length);
    EXPECT_EQ(SQL_ERROR, m_diagnostics.SQLGetDiagRec(1, nullptr, nullptr, message, -1, &length));
}

struct LongTextCase
{
    const char* m_label;
    std::function<void(DiagManager&)> m_post;
    std::u16string m_expected;
};

// Texts longer than a record keeps: cut when posted, before a whole character, with a mark.
const LongTextCase LONG_TEXT_CASES[] = {
    {"ready error text",
     [](DiagManager& io_diagnostics) {
         io_diagnostics.PostErrorMessage(DIAG_GENERAL_ERROR, 1, std::u16string(40000, u'x').c_str(), -1, -1);
     },
     std::u16string(7961, u'x') + u"... (message cut from 40000 characters)"},
    {"looked-up text with a long parameter",
     [](DiagManager& io_diagnostics) {
         io_diagnostics.PostError(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"Key",
                                  {orvik_wstring(std::u16string(100000, u'y').c_str())}, -1, -1);
     },
     u"en-US[1:Key] (" + std::u16string(7946, u'y') + u"... (message cut from 100015 characters)"},
    {"surrogate pair across the cut",
     [](DiagManager& io_diagnostics) {
         const std::u16string text = std::u16string(7961, u'a') + u"\U0001F600" + std::u16string(38, u'b');
         io_diagnostics.PostWarningMessage(DIAG_GENERAL_WARNING, 1, text.c_str(), -1, -1);
     },
     std::u16string(7961, u'a') + u"... (message cut from 8001 characters)"},
    {"text of the longest length",
     [](DiagManager& io_diagnostics) {
         io_diagnostics.PostErrorMessage(DIAG_GENERAL_ERROR, 1, std::u16string(8000, u'z').c_str(), -1, -1);
     },
     std::u16string(8000, u'z')},
};

TEST_F(DiagManagerTest, LongTextsAreCutSoThatEveryLengthFitsAndABufferOneLongerReadsThemWhole)
{
    for (const LongTextCase& testCase : LONG_TEXT_CASES)
    {
        SCOPED_TRACE(testCase.m_label);
        m_diagnostics.Clear();
        testCase.m_post(m_diagnostics);

        // SQLGetDiagRecW: the length in characters, then the text with room for it.
        SQLSMALLINT length = -1;
        EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagRec(1, nullptr, nullptr, nullptr, 0, &length));
        ASSERT_EQ(static_cast<SQLSMALLINT>(testCase.m_expected.size()), length);
        std::vector<char16_t> text(length + 1, u'#');
        EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagRec(1, nullptr, nullptr, reinterpret_cast<SQLWCHAR*>(text.data()),
                                                           length + 1, &length));
        EXPECT_TRUE(testCase.m_expected == text.data());

        // SQLGetDiagFieldW: the same text, its length in bytes.
        SQLSMALLINT bytes = -1;
        EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagField(1, SQL_DIAG_MESSAGE_TEXT, nullptr, 0, &bytes));
        ASSERT_EQ(2 * length, bytes);
        std::fill(text.begin(), text.end(), u'#');
        EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagField(1, SQL_DIAG_MESSAGE_TEXT, text.data(), bytes + 2, &bytes));
        EXPECT_TRUE(testCase.m_expected == text.data());
    }
}

struct FieldCase
{
    SQLSMALLINT m_identifier;
    SQLSMALLINT m_bufferLength;
    SQLRETURN m_result;
    const char16_t* m_text; // null for a number
    int64_t m_number;
};

// Fields of record 1 (an IM007 error posted with row 5 and column 2).
const FieldCase FIELD_CASES[] = {
    {SQL_DIAG_SQLSTATE, 12, SQL_SUCCESS, u"IM007", 0},
    {SQL_DIAG_SQLSTATE, 6, SQL_SUCCESS_WITH_INFO, u"IM", 0},
    {SQL_DIAG_MESSAGE_TEXT, 100, SQL_SUCCESS, u"en-US[1:Key]", 0},
    {SQL_DIAG_MESSAGE_TEXT, -1, SQL_ERROR, nullptr, 0},
    {SQL_DIAG_MESSAGE_TEXT, SQL_NTS, SQL_ERROR, nullptr, 0},
    {SQL_DIAG_CLASS_ORIGIN, 100, SQL_SUCCESS, u"ODBC 3.0", 0},
    {SQL_DIAG_SUBCLASS_ORIGIN, 100, SQL_SUCCESS, u"ODBC 3.0", 0},
    {SQL_DIAG_SERVER_NAME, 100, SQL_SUCCESS, u"server", 0},
    {SQL_DIAG_CONNECTION_NAME, 100, SQL_SUCCESS, u"connection", 0},
    {SQL_DIAG_NATIVE, 0, SQL_SUCCESS, nullptr, 1001},
    {SQL_DIAG_ROW_NUMBER, 0, SQL_SUCCESS, nullptr, 5},
    {SQL_DIAG_COLUMN_NUMBER, 0, SQL_SUCCESS, nullptr, 2},
    {SQL_DIAG_NUMBER, 0, SQL_SUCCESS, nullptr, 1},
    {SQL_DIAG_ROW_COUNT, 0, SQL_SUCCESS, nullptr, 0},
    {SQL_DIAG_CURSOR_ROW_COUNT, 0, SQL_SUCCESS, nullptr, 0},
    {SQL_DIAG_DYNAMIC_FUNCTION_CODE, 0, SQL_SUCCESS, nullptr, 0},
    {SQL_DIAG_DYNAMIC_FUNCTION, 100, SQL_SUCCESS, u"", 0},
    {SQL_DIAG_RETURNCODE, 0, SQL_ERROR, nullptr, 0},
    {999, 0, SQL_ERROR, nullptr, 0},
};

TEST_F(DiagManagerTest, FieldsOfARecordAndOfTheHeader)
{
    m_diagnostics.PostError(DIAG_NO_DATA_SOURCE_OR_DRIVER, ODBC_COMPONENT_ID, u"Key", 5, 2);
    for (const FieldCase& testCase : FIELD_CASES)
    {
        char16_t text[64];
        std::fill_n(text, 64, u'#');
        int64_t number = -99;
        SQLSMALLINT length = -1;
        void* target = testCase.m_text != nullptr ? static_cast<void*>(text) : static_cast<void*>(&number);
        const SQLRETURN result =
            m_diagnostics.SQLGetDiagField(1, testCase.m_identifier, target, testCase.m_bufferLength, &length);
        EXPECT_EQ(testCase.m_result, result) << testCase.m_identifier;
        if (result == SQL_ERROR)
        {
            continue;
        }
        if (testCase.m_text != nullptr)
        {
            EXPECT_EQ(std::u16string(testCase.m_text), std::u16string(text)) << testCase.m_identifier;
        }
        else
        {
            // Integers are written with their own width: the rest of the target stays.
            const bool isWide = testCase.m_identifier == SQL_DIAG_ROW_NUMBER ||
                                testCase.m_identifier == SQL_DIAG_ROW_COUNT ||
                                testCase.m_identifier == SQL_DIAG_CURSOR_ROW_COUNT;
            const int64_t expected = isWide ? testCase.m_number
                                            : static_cast<int64_t>((uint64_t{0xffffffffu} << 32) |
                                                                   static_cast<uint32_t>(testCase.m_number));
            EXPECT_EQ(expected, number) << testCase.m_identifier;
        }
    }
}

TEST_F(DiagManagerTest, HeaderFieldsAreReadWhateverTheRecordNumberAndRecordFieldsNeedARecord)
{
    SQLINTEGER count = -1;
    EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagField(0, SQL_DIAG_NUMBER, &count, 0, nullptr));
    EXPECT_EQ(0, count);
    char16_t text[8];
    EXPECT_EQ(SQL_ERROR, m_diagnostics.SQLGetDiagField(0, SQL_DIAG_SQLSTATE, text, 16, nullptr));
    EXPECT_EQ(SQL_NO_DATA, m_diagnostics.SQLGetDiagField(1, SQL_DIAG_SQLSTATE, text, 16, nullptr));
    EXPECT_EQ(SQL_NO_DATA, m_diagnostics.SQLGetDiagField(1, SQL_DIAG_RETURNCODE, text, 16, nullptr));
}

TEST_F(DiagManagerTest, ReadingNeverClearsAndClearDropsEverything)
{
    m_diagnostics.PostWarning(DIAG_GENERAL_WARNING, ODBC_COMPONENT_ID, u"First", -1, -1);
    Read(1);
    Read(1);
    EXPECT_EQ(1, m_diagnostics.GetRecordCount());
    EXPECT_TRUE(m_diagnostics.HasWarning());
    m_diagnostics.Clear();
    EXPECT_EQ(0, m_diagnostics.GetRecordCount());
    EXPECT_FALSE(m_diagnostics.HasWarning());
    EXPECT_EQ(SQL_NO_DATA, Read(1).m_result);
    // Reused records carry only what is posted now.
    m_diagnostics.PostError(DIAG_INVALID_CURSOR_STATE, ODBC_COMPONENT_ID, u"Second", -1, -1);
    EXPECT_EQ("24000", Read(1).m_sqlState);
    EXPECT_EQ("en-US[1:Second]", Read(1).m_message);
    EXPECT_EQ(-1, RowOf(1));
}

TEST_F(DiagManagerTest, MoreThan32767RecordsStayReadableUpToTheLastNumberOdbcCanAsk)
{
    for (int row = 1; row <= 40000; ++row)
    {
        m_diagnostics.PostWarningMessage(DIAG_GENERAL_WARNING, 0, u"w", row, -1);
    }
    SQLINTEGER count = 0;
    EXPECT_EQ(SQL_SUCCESS, m_diagnostics.SQLGetDiagField(0, SQL_DIAG_NUMBER, &count, 0, nullptr));
    EXPECT_EQ(40000, count);
    EXPECT_EQ(SQL_SUCCESS, Read(32767).m_result);
    EXPECT_EQ(32767, RowOf(32767));
}

TEST_F(DiagManagerTest, ATruncationWarningKeepsItsTextWhenTheLocaleChanges)
{
    const int lookups = m_messages.m_lookups;
    m_diagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"StrRightTruncWarn",
                              std::vector<orvik_wstring>{}, -1, -1);
    EXPECT_EQ(lookups, m_messages.m_lookups);
    m_diagnostics.SetLocale("de-DE");
    m_diagnostics.PostWarning(DIAG_STRING_RIGHT_TRUNCATED_WARNING, ODBC_COMPONENT_ID, u"StrRightTruncWarn",
                              std::vector<orvik_wstring>{}, -1, -1);
    EXPECT_EQ("en-US[1:StrRightTruncWarn]", Read(1).m_message);
    EXPECT_EQ("de-DE[1:StrRightTruncWarn]", Read(2).m_message);
    EXPECT_EQ("01004", Read(2).m_sqlState);
    EXPECT_EQ("de-DE", m_diagnostics.GetLocale());
}

TEST_F(DiagManagerTest, ExceptionsPostedAsWarnings)
{
    ErrorException made(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"Made", {u"p"}, 4, 4);
    made.GetMessageText(&m_messages, "fr-FR");
    m_diagnostics.PostWarning(made, SqlState("01S09"));
    m_diagnostics.PostWarning(ErrorException(DIAG_GENERAL_ERROR, 117, u"Fresh", {u"q"}, 4, 4),
                              DIAG_INVALID_CONNECTION_STRING_ATTRIBUTE);
    const Record first = Read(1);
    // The ODBC-defined 01S00 ranks above the other warning.
    EXPECT_EQ("01S00", first.m_sqlState);
    EXPECT_EQ("en-US[117:Fresh] (q)", first.m_message);
    EXPECT_EQ("01S09", Read(2).m_sqlState);
    EXPECT_EQ("fr-FR[1:Made] (p)", Read(2).m_message);
    EXPECT_EQ(-1, RowOf(1));
    EXPECT_FALSE(m_diagnostics.HasError());
}

TEST_F(DiagManagerTest, ConversionOutcomesAndResults)
{
    m_diagnostics.PostDataWarningOrError(DataWarningOrError(false, DIAG_FRACTIONAL_TRUNCATION, u"FractionalTrunc", 2, 3));
    m_diagnostics.PostDataWarningOrError(DataWarningOrError(true, DIAG_NUMERIC_OUT_OF_RANGE, u"NumericValOutOfRange", 2, 1));
    m_diagnostics.PostWarning(ConversionResult::StrRightTrunc());
    EXPECT_EQ((std::vector<std::string>{"01004", "22003", "01S07"}), SqlStates());
    EXPECT_EQ(2, RowOf(3));
    EXPECT_TRUE(m_diagnostics.HasError());
    EXPECT_THROW(m_diagnostics.PostWarning(ConversionResult::NumericValOutOfRange(0)), ErrorException);
}

TEST_F(DiagManagerTest, VersionsAndTheirStates)
{
    EXPECT_TRUE(m_diagnostics.MatchesOdbcVersion(SQL_OV_ODBC3_80));
    try
    {
        m_diagnostics.SetOdbcVersion(4);
        ADD_FAILURE() << "version 4 was taken";
    }
    catch (const ErrorException& e)
    {
        EXPECT_EQ("InvalidAttrVal", e.GetMessageKey().GetAsUTF8());
        EXPECT_EQ(DIAG_INVALID_ATTRIBUTE_VALUE, e.GetDiagState());
    }
    EXPECT_TRUE(m_diagnostics.MatchesOdbcVersion(SQL_OV_ODBC3_80));
    m_diagnostics.SetOdbcVersion(SQL_OV_ODBC3);
    EXPECT_TRUE(m_diagnostics.MatchesOdbcVersion(SQL_OV_ODBC2));
    EXPECT_TRUE(m_diagnostics.MatchesOdbcVersion(SQL_OV_ODBC3));
    EXPECT_FALSE(m_diagnostics.MatchesOdbcVersion(SQL_OV_ODBC3_80));
    EXPECT_FALSE(m_diagnostics.MatchesOdbcVersion(5));
    m_diagnostics.SetOdbcVersion(SQL_OV_ODBC2);
    EXPECT_FALSE(m_diagnostics.MatchesOdbcVersion(SQL_OV_ODBC3));
    m_diagnostics.PostError(DIAG_TABLE_NOT_FOUND, ODBC_COMPONENT_ID, u"Key", -1, -1);
    // Asked in ODBC 3 form, found in the ODBC 2 form the record has.
    EXPECT_TRUE(m_diagnostics.HasRecordWithState(SqlState("42S02")));
    EXPECT_FALSE(m_diagnostics.HasRecordWithState(SqlState("01S00")));
}

} // namespace
