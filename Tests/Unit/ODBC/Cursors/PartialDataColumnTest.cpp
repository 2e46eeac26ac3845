#include "ODBC/Cursors/OutputValueSource.h"
#include "ODBC/Cursors/PartialDataColumn.h"
#include "ODBC/Cursors/ResultColumnSource.h"
#include "ODBC/Exceptions/DataWarningOrError.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"

#include "CursorTestSupport.h"
#include "FakeResult.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;

namespace {

std::string Hex(const char* in_bytes, int64_t in_length)
{
    static const char DIGITS[] = "0123456789ABCDEF";
    std::string hex;
    for (int64_t i = 0; i < in_length; ++i)
    {
        hex += DIGITS[(in_bytes[i] >> 4) & 0xF];
        hex += DIGITS[in_bytes[i] & 0xF];
    }
    return hex;
}

class PartialDataColumnTest : public DiagnosticsTest
{
protected:
    /// A column over the single cell in_cell of SQL type in_sqlType, positioned on its row.
    PartialDataColumn& Column(int16_t in_sqlType, const Cell& in_cell, bool in_computeTotal = false)
    {
        m_result = std::make_unique<FakeResult>(std::vector<int16_t>{in_sqlType}, std::vector<std::vector<Cell>>{{in_cell}});
        m_result->MoveTo(0);
        m_column = std::make_unique<PartialDataColumn>(
            std::make_unique<ResultColumnSource>(*m_result, 0, m_result->GetMetadata(0)), m_diagnostics,
            in_computeTotal);
        return *m_column;
    }

    /// Reads the value as SQLGetData does until the column is exhausted: each piece as
    /// "content/length" followed by "+" when more remains; pieces of binary C data in hex, of
    /// wide C data as UTF-8.
    std::string ReadAll(PartialDataColumn& io_column, int16_t in_cType, int64_t in_bufferLength)
    {
        AppBuffer buffer(in_cType, in_bufferLength);
        std::string transcript;
        for (int calls = 0; calls < 20 && !(calls > 0 && io_column.IsExhausted()); ++calls)
        {
            SQLLEN length = 12345;
            io_column.AttachCData(buffer.Wrapper());
            const bool more = io_column.RetrieveForGetData(&length, &length, 1);
            EXPECT_EQ('#', buffer.Guard(in_bufferLength));
            const int16_t cType = io_column.GetCType();
            const std::string content = cType == SQL_C_BINARY ? Hex(buffer.Data(), more ? in_bufferLength : length)
                                        : cType == SQL_C_WCHAR ? buffer.WideText()
                                                               : buffer.Text();
            transcript += (transcript.empty() ? "" : " ") + content + "/" + std::to_string(length) + (more ? "+" : "");
        }
        return transcript;
    }

    std::unique_ptr<FakeResult> m_result;
    std::unique_ptr<PartialDataColumn> m_column;
};

TEST_F(PartialDataColumnTest, DeliversCharacterWideAndBinaryValuesInPieces)
{
    struct Case
    {
        const char* m_name;
        int16_t m_sqlType;
        Cell m_value;
        int16_t m_cType;
        int64_t m_bufferLength;
        const char* m_transcript;
    };
    const std::string binary25 = "ABCDEFGHIJKLMNOPQRSTUVWXY";
    const Case cases[] = {
        {"copy", SQL_VARCHAR, Bytes("abcdefgh"), SQL_C_CHAR, 4, "abc/-4+ def/-4+ gh/2"},
        {"copy, fits", SQL_VARCHAR, Bytes("abc"), SQL_C_CHAR, 4, "abc/3"},
        {"copy, empty", SQL_VARCHAR, Bytes(""), SQL_C_CHAR, 4, "/0"},
        {"transcode to wide", SQL_VARCHAR, Bytes("h\xC3\xA9llo!"), SQL_C_WCHAR, 8, "h\xC3\xA9l/-4+ lo!/6"},
        {"transcode, default type", SQL_WVARCHAR, Bytes("h\xC3\xA9llo"), SQL_C_DEFAULT, 6, "h\xC3\xA9/-4+ ll/-4+ o/2"},
        {"binary", SQL_VARBINARY, Bytes(binary25), SQL_C_BINARY, 10,
         "4142434445464748494A/-4+ 4B4C4D4E4F5051525354/-4+ 5556575859/5"},
        {"binary, default type", SQL_BINARY, Bytes("\x01\x02\x03"), SQL_C_DEFAULT, 2, "0102/-4+ 03/1"},
        {"binary as text", SQL_VARBINARY, Bytes("\x0A\x0B\x0C"), SQL_C_CHAR, 5, "0A0B/-4+ 0C/2"},
        {"binary as wide text", SQL_VARBINARY, Bytes("\x0A\x0B\x0C"), SQL_C_WCHAR, 10, "0A0B/-4+ 0C/4"},
        {"text as binary", SQL_VARCHAR, Bytes("abcde"), SQL_C_BINARY, 3, "616263/-4+ 6465/2"},
    };
    for (const Case& test : cases)
    {
        PartialDataColumn& column = Column(test.m_sqlType, test.m_value);
        EXPECT_EQ(test.m_transcript, ReadAll(column, test.m_cType, test.m_bufferLength)) << test.m_name;
        EXPECT_TRUE(column.IsExhausted()) << test.m_name;
    }
}

TEST_F(PartialDataColumnTest, EveryCutPieceForSQLGetDataPostsTheTruncationWarningAtItsRowAndColumn)
{
    PartialDataColumn& column = Column(SQL_VARCHAR, Bytes("abcdefgh"));
    EXPECT_EQ("abc/-4+ def/-4+ gh/2", ReadAll(column, SQL_C_CHAR, 4));
    EXPECT_EQ((std::vector<std::string>{"01004@1,1", "01004@1,1"}), Records());
    EXPECT_EQ("en-US[1:StrRightTruncWarn]", Message(1));
}

// A wide buffer of an odd length holds whole code units only: no unit is split, so every later
// piece stays aligned.
TEST_F(PartialDataColumnTest, WideCopiesTakeWholeCodeUnitsFromAnOddBuffer)
{
    orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF16_LE);
    PartialDataColumn& column = Column(SQL_WVARCHAR, Utf16(u"abcde"));
    EXPECT_EQ("ab/-4+ cd/-4+ e/2", ReadAll(column, SQL_C_WCHAR, 7));

    // Three bytes hold a terminator and no whole unit besides.
    AppBuffer small(SQL_C_WCHAR, 3);
    column.Reset();
    column.AttachCData(small.Wrapper());
    SQLLEN length = 0;
    EXPECT_TRUE(column.RetrieveForGetData(&length, &length, 1));
    EXPECT_EQ(SQL_NO_TOTAL, length);
    EXPECT_EQ(std::string(2, '\0') + "#", std::string(small.Data(), 3));
}

TEST_F(PartialDataColumnTest, BoundColumnsReportTheFullLengthOfACutValueWhereItIsKnown)
{
    struct Case
    {
        int16_t m_sqlType;
        Cell m_value;
        int16_t m_cType;
        int64_t m_bufferLength;
        SQLLEN m_length;
    };
    // 100,000 two-byte characters: far beyond one piece of the source, counted to the end.
    std::string longText;
    for (int i = 0; i < 100000; ++i)
    {
        longText += "\xC3\xA9";
    }
    const Case cases[] = {
        {SQL_VARCHAR, Bytes("abcdefgh"), SQL_C_CHAR, 4, 8},
        {SQL_VARCHAR, Bytes("abcdefgh"), SQL_C_CHAR, 0, 8},
        {SQL_VARCHAR, Bytes(longText), SQL_C_WCHAR, 10, 200000},
        {SQL_VARCHAR, Bytes(longText), SQL_C_WCHAR, 0, 200000},
        // Room for one code unit takes a lead surrogate; the rest is counted from its trail on.
        {SQL_VARCHAR, Bytes("\xF0\x9F\x98\x80z"), SQL_C_WCHAR, 4, 6},
        {SQL_VARCHAR, Bytes("\xF0\x9F\x98\x80z"), SQL_C_WCHAR, 5, 6},
        {SQL_VARBINARY, Bytes("0123456789"), SQL_C_BINARY, 4, SQL_NO_TOTAL},
    };
    for (const Case& test : cases)
    {
        PartialDataColumn& column = Column(test.m_sqlType, test.m_value, true);
        AppBuffer buffer(test.m_cType, test.m_bufferLength);
        column.AttachCData(buffer.Wrapper());
        SQLLEN length = 0;
        SQLLEN indicator = 99;
        EXPECT_TRUE(column.RetrieveForFetch(&length, &indicator, 3));
        EXPECT_EQ(test.m_length, length) << test.m_sqlType << " into " << test.m_bufferLength;
        EXPECT_EQ(0, indicator);
        EXPECT_EQ('#', buffer.Guard(test.m_bufferLength));
    }
    EXPECT_TRUE(Records().empty());
}

TEST_F(PartialDataColumnTest, AnUncutBoundValueReportsItsLengthAndTheNextRowStartsOver)
{
    PartialDataColumn& column = Column(SQL_VARCHAR, Bytes("abc"), true);
    AppBuffer buffer(SQL_C_CHAR, 8);
    column.AttachCData(buffer.Wrapper());
    for (int row = 0; row < 2; ++row)
    {
        SQLLEN length = 0;
        SQLLEN indicator = 99;
        column.Reset();
        EXPECT_FALSE(column.RetrieveForFetch(&length, &indicator, 1));
        EXPECT_EQ(3, length);
        EXPECT_EQ(0, indicator);
        EXPECT_EQ("abc", buffer.Text());
    }
}

TEST_F(PartialDataColumnTest, NullGoesToTheIndicatorOrFailsWithoutOne)
{
    for (int16_t cType : {SQL_C_CHAR, SQL_C_WCHAR, SQL_C_BINARY})
    {
        for (int16_t sqlType : {SQL_VARCHAR, SQL_VARBINARY})
        {
            for (int64_t bufferLength : {0, 16})
            {
                PartialDataColumn& column = Column(sqlType, Cell());
                AppBuffer buffer(cType, bufferLength);
                column.AttachCData(buffer.Wrapper());
                SQLLEN indicator = 99;
                SQLLEN length = 77;
                EXPECT_FALSE(column.RetrieveForGetData(&length, &indicator, 1));
                EXPECT_EQ(SQL_NULL_DATA, indicator);
                EXPECT_EQ(77, length);
                EXPECT_EQ('#', buffer.Data()[0]);
                EXPECT_TRUE(buffer.Wrapper().IsNull());
                EXPECT_TRUE(column.IsExhausted());

                column.Reset();
                const RaisedError error =
                    Capture<DataWarningOrError>([&] { column.RetrieveForFetch(&length, nullptr, 4); });
                EXPECT_EQ("NullIndPtrNotSupplied", error.key);
                EXPECT_EQ(DIAG_INDICATOR_REQUIRED, error.diagState);
                EXPECT_EQ(4, error.rowNumber);
                EXPECT_EQ(1, error.columnNumber);
            }
        }
    }
}

TEST_F(PartialDataColumnTest, AZeroLengthBufferGetsNothingAndTheValueStaysUnread)
{
    for (int16_t sqlType : {SQL_VARCHAR, SQL_VARBINARY})
    {
        for (int16_t cType : {SQL_C_CHAR, SQL_C_WCHAR, SQL_C_BINARY})
        {
            PartialDataColumn& column = Column(sqlType, Bytes("xyz"));
            AppBuffer empty(cType, 0);
            column.AttachCData(empty.Wrapper());
            SQLLEN length = 0;
            EXPECT_TRUE(column.RetrieveForGetData(&length, &length, 1));
            EXPECT_EQ(SQL_NO_TOTAL, length);
            EXPECT_EQ('#', empty.Guard(0));
            column.Reset();
            const std::string whole = sqlType == SQL_VARBINARY && cType != SQL_C_BINARY ? "78797A" : "xyz";
            const std::string firstPiece = ReadAll(column, cType, 64);
            EXPECT_EQ(cType == SQL_C_BINARY ? "78797A/3" : whole + "/" + std::to_string(
                          cType == SQL_C_WCHAR ? whole.size() * 2 : whole.size()), firstPiece);
        }
    }
}

TEST_F(PartialDataColumnTest, ADefaultTypeStandsForTheSourceTypesDefaultAndAnotherTypeGetsAnotherRetriever)
{
    PartialDataColumn& column = Column(SQL_VARCHAR, Bytes("abc"));
    AppBuffer byDefault(SQL_C_DEFAULT, 8);
    column.AttachCData(byDefault.Wrapper());
    EXPECT_EQ(SQL_C_CHAR, column.GetCType());
    AppBuffer wide(SQL_C_WCHAR, 8);
    column.AttachCData(wide.Wrapper());
    EXPECT_EQ(SQL_C_WCHAR, column.GetCType());
    EXPECT_EQ(SQL_C_BINARY, column.ResolveCType(SQL_C_BINARY));
    EXPECT_EQ(SQL_C_BINARY, Column(SQL_LONGVARBINARY, Bytes("")).ResolveCType(SQL_C_DEFAULT));
    EXPECT_EQ(SQL_C_WCHAR, Column(SQL_WCHAR, Bytes("")).ResolveCType(SQL_C_DEFAULT));
}

TEST_F(PartialDataColumnTest, ANullPieceAfterDataOfTheSameValueIsAnInternalError)
{
    struct Case
    {
        int16_t m_cType;
        bool m_computeTotal;
        std::string m_value;
    };
    const Case cases[] = {
        {SQL_C_CHAR, false, "abcdefgh"},
        {SQL_C_CHAR, true, "abcdefgh"},
        {SQL_C_BINARY, false, "abcdefgh"},
        // The second piece of the source is read while the cut value is measured.
        {SQL_C_WCHAR, true, std::string(70000, 'x')},
    };
    for (const Case& test : cases)
    {
        PartialDataColumn& column = Column(SQL_VARCHAR, Bytes(test.m_value), test.m_computeTotal);
        m_result->m_nullFrom = 1;
        AppBuffer buffer(test.m_cType, 5);
        column.AttachCData(buffer.Wrapper());
        SQLLEN length = 0;
        EXPECT_EQ("HY000 1 InvalidSrcData", Outcome([&] {
                      while (column.RetrieveForGetData(&length, &length, 1))
                      {
                      }
                  }))
            << test.m_cType;
    }
}

TEST_F(PartialDataColumnTest, TheTranscodingRetrieverReadsTheSourceInPiecesOfTheDriversSize)
{
    std::string text(200000, 'x');
    PartialDataColumn& column = Column(SQL_LONGVARCHAR, Bytes(text), true);
    AppBuffer buffer(SQL_C_WCHAR, 64);
    column.AttachCData(buffer.Wrapper());
    SQLLEN length = 0;
    EXPECT_TRUE(column.RetrieveForFetch(&length, &length, 1));
    EXPECT_EQ(400000, length);
    ASSERT_FALSE(m_result->m_retrievals.empty());
    for (const FakeResult::Retrieval& retrieval : m_result->m_retrievals)
    {
        EXPECT_EQ(65532, retrieval.m_maxLength);
    }
}

TEST(DataSourceTest, AResultColumnHoldsItsOwnValuesAndAnOutputValueIsDeliveredOnce)
{
    FakeResult result({SQL_INTEGER}, {{ValueOf<int32_t>(7)}});
    ResultColumnSource column(result, 0, result.GetMetadata(0));
    EXPECT_EQ(1, column.GetColumnNumber());
    std::unique_ptr<SqlData> value = SqlDataFactory().CreateNewSqlData(result.GetMetadata(0));
    EXPECT_EQ("HY000 1 InvalidSrcData", Outcome([&] { column.SetData(*value); }));

    OutputValueSource output(*value, 3);
    EXPECT_EQ(3, output.GetColumnNumber());
    EXPECT_EQ(value.get(), &output.GetData(0, -1));
    EXPECT_FALSE(output.HasMore());
    EXPECT_EQ("HY000 1 NoMoreDataToGet", Outcome([&] { output.GetData(0, -1); }));
    std::unique_ptr<SqlData> next = SqlDataFactory().CreateNewSqlData(result.GetMetadata(0));
    output.SetData(*next);
    output.MarkHasData();
    EXPECT_EQ(next.get(), &output.GetData(0, -1));
}

} // namespace
