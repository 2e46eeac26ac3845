#include "ODBC/Cursors/CanConvertSqlToC.h"
#include "ODBC/Cursors/ColumnValueConverter.h"
#include "ODBC/Exceptions/DataWarningOrError.h"

#include "CursorTestSupport.h"
#include "FakeResult.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;

namespace {

class ColumnValueConverterTest : public DiagnosticsTest
{
protected:
    /// A converter of column 2 (index 1) of a result whose rows hold in_cells there.
    ColumnValueConverter& Converter(int16_t in_sqlType, const std::vector<Cell>& in_cells)
    {
        std::vector<std::vector<Cell>> rows;
        for (const Cell& cell : in_cells)
        {
            rows.push_back({ValueOf<int32_t>(0), cell});
        }
        m_result = std::make_unique<FakeResult>(std::vector<int16_t>{SQL_INTEGER, in_sqlType}, rows);
        m_converter = std::make_unique<ColumnValueConverter>(*m_result, 1, m_result->GetMetadata(1), m_diagnostics);
        return *m_converter;
    }

    std::unique_ptr<FakeResult> m_result;
    std::unique_ptr<ColumnValueConverter> m_converter;
};

TEST_F(ColumnValueConverterTest, ConvertsEachRowsWholeValueIntoTheBuffer)
{
    ColumnValueConverter& converter = Converter(SQL_INTEGER, {ValueOf<int32_t>(42), ValueOf<int32_t>(-7)});
    AppBuffer buffer(SQL_C_SLONG, 0);
    converter.AttachCData(buffer.Wrapper());
    for (int32_t row : {0, 1})
    {
        m_result->MoveTo(row);
        SQLLEN length = 0;
        EXPECT_FALSE(converter.Convert(&length, &length, row + 1));
        int32_t value = 0;
        std::memcpy(&value, buffer.Data(), sizeof(value));
        EXPECT_EQ(row == 0 ? 42 : -7, value);
        EXPECT_EQ(4, length);
    }
    EXPECT_EQ(-1, m_result->m_retrievals.back().m_maxLength);
    EXPECT_EQ(0, m_result->m_retrievals.back().m_offset);

    // The same column as text: another C type gets another converter.
    AppBuffer text(SQL_C_CHAR, 8);
    converter.AttachCData(text.Wrapper());
    SQLLEN length = 0;
    converter.Convert(&length, &length, 2);
    EXPECT_EQ("-7", text.Text());
    EXPECT_EQ(2, length);
}

TEST_F(ColumnValueConverterTest, NullSetsOnlyTheIndicatorAndASeparateIndicatorIsClearedForValues)
{
    ColumnValueConverter& converter = Converter(SQL_DOUBLE, {Cell(), ValueOf<double>(2.5)});
    AppBuffer buffer(SQL_C_DOUBLE, 0);
    converter.AttachCData(buffer.Wrapper());
    SQLLEN length = 55;
    SQLLEN indicator = 66;
    m_result->MoveTo(0);
    EXPECT_FALSE(converter.Convert(&length, &indicator, 1));
    EXPECT_EQ(SQL_NULL_DATA, indicator);
    EXPECT_EQ(55, length);
    EXPECT_EQ('#', buffer.Data()[0]);

    m_result->MoveTo(1);
    converter.Convert(&length, &indicator, 2);
    EXPECT_EQ(0, indicator);
    EXPECT_EQ(8, length);

    m_result->MoveTo(0);
    const RaisedError error = Capture<DataWarningOrError>([&] { converter.Convert(&length, nullptr, 3); });
    EXPECT_EQ("NullIndPtrNotSupplied", error.key);
    EXPECT_EQ(DIAG_INDICATOR_REQUIRED, error.diagState);
    EXPECT_EQ(3, error.rowNumber);
    EXPECT_EQ(2, error.columnNumber);
}

TEST_F(ColumnValueConverterTest, ConversionWarningsArePostedAndErrorsThrownWithRowAndColumn)
{
    ColumnValueConverter& converter = Converter(SQL_DOUBLE, {ValueOf<double>(1.5), ValueOf<double>(1e10)});
    AppBuffer buffer(SQL_C_SLONG, 0);
    converter.AttachCData(buffer.Wrapper());
    SQLLEN length = 0;
    m_result->MoveTo(0);
    EXPECT_TRUE(converter.Convert(&length, &length, 4));
    EXPECT_EQ((std::vector<std::string>{"01S07@4,2"}), Records());

    m_result->MoveTo(1);
    const RaisedError error = Capture<ErrorException>([&] { converter.Convert(&length, &length, 5); });
    EXPECT_EQ("NumericValOutOfRange", error.key);
    EXPECT_EQ(DIAG_NUMERIC_OUT_OF_RANGE, error.diagState);
    EXPECT_EQ(5, error.rowNumber);
    EXPECT_EQ(2, error.columnNumber);
    EXPECT_EQ((std::vector<std::string>{"2", "5"}), error.parameters);
}

TEST_F(ColumnValueConverterTest, ABufferOfAnotherScaleGetsItsOwnConverter)
{
    // 12.345 into SQL_C_NUMERIC with scale 1, then 3.
    ColumnValueConverter& converter = Converter(SQL_DOUBLE, {ValueOf<double>(12.345)});
    m_result->MoveTo(0);
    const int16_t scales[] = {1, 3};
    for (int16_t scale : scales)
    {
        AppBuffer buffer(SQL_C_NUMERIC, 0);
        buffer.Wrapper().GetMetadata().SetPrecision(10);
        buffer.Wrapper().GetMetadata().SetScale(scale);
        converter.AttachCData(buffer.Wrapper());
        SQLLEN length = 0;
        converter.Convert(&length, &length, 1);
        SQL_NUMERIC_STRUCT out = {};
        std::memcpy(&out, buffer.Data(), sizeof(out));
        EXPECT_EQ(scale, out.scale);
        EXPECT_EQ(scale == 1 ? 123 : 12345, out.val[0] | (out.val[1] << 8));
    }
}

TEST(CanConvertSqlToCTest, AnswersFromTheRegistryAndRefusesCodesWithoutATypeId)
{
    struct Case
    {
        int16_t m_sqlType;
        int16_t m_cType;
        const char* m_outcome;
    };
    const Case cases[] = {
        {SQL_INTEGER, SQL_C_CHAR, "yes"},
        {SQL_INTEGER, SQL_C_LONG, "yes"},
        {SQL_INTEGER, SQL_C_GUID, "no"},
        {SQL_TYPE_DATE, SQL_C_TYPE_TIME, "no"},
        {SQL_GUID, SQL_C_GUID, "yes"},
        {SQL_VARBINARY, SQL_C_WCHAR, "yes"},
        {SQL_BIT, SQL_C_TYPE_DATE, "no"},
        {SQL_TYPE_DATE, SQL_C_DEFAULT, "yes"},
        {-150, SQL_C_GUID, "yes"},
        {600, SQL_C_CHAR, "yes"},
        {50, SQL_C_CHAR, "HY000 3 TDWTypeNotFoundForSqlType [UNKNOWN] [50]"},
        {SQL_INTEGER, 50, "HY000 3 TDWTypeNotFoundForCType [50] [50]"},
        {SQL_INTEGER, 0x4000, "no"},
    };
    for (const Case& test : cases)
    {
        std::string outcome;
        const std::string thrown = Outcome([&] { outcome = CanConvertSqlToC(test.m_sqlType, test.m_cType) ? "yes" : "no"; });
        EXPECT_EQ(test.m_outcome, thrown == "ok" ? outcome : thrown) << test.m_sqlType << " to " << test.m_cType;
    }
}

} // namespace
