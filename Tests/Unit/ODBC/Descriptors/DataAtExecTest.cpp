#include "DescriptorTestSupport.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Descriptors/AppDescriptorRecord.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Testing;

namespace {

class DataAtExecTest : public DescriptorTest
{
protected:
    // Every data-at-execution position from the start, as "row:record" (rows from 0).
    std::string Walk()
    {
        std::string positions;
        DataAtExecPosition position;
        const DataAtExecPosition* from = nullptr;
        while (m_apd.FindNextDataAtExecParameter(from, position))
        {
            positions += (positions.empty() ? "" : " ") + std::to_string(position.m_row) + ":" +
                         std::to_string(position.m_recNumber);
            from = &position;
        }
        return positions;
    }

    void SetHeader(SQLULEN in_arraySize, SQLUSMALLINT* in_operations, SQLLEN* in_bindOffset)
    {
        SetInteger(m_apd, 0, SQL_DESC_ARRAY_SIZE, static_cast<SQLLEN>(in_arraySize));
        m_apd.SQLSetDescFieldW(0, SQL_DESC_ARRAY_STATUS_PTR, in_operations, 0);
        m_apd.SQLSetDescFieldW(0, SQL_DESC_BIND_OFFSET_PTR, in_bindOffset, 0);
        m_apd.LoadBindingOffset();
    }

    // The offsets that the record kept for the row last visited.
    std::string Offsets(SQLSMALLINT in_record)
    {
        AppDescriptorRecord& record = m_apd.GetOrCreateRecord(in_record);
        return std::to_string(record.GetLengthOffset()) + "/" + std::to_string(record.GetData().GetOffset());
    }
};

// Column-wise arrays with a bind offset: each bound address is the start of a block, and the
// arrays live that many bytes further on.
TEST_F(DataAtExecTest, ColumnWiseArraysSkipIgnoredRowsAndNullValues)
{
    constexpr SQLLEN OFFSET = 64;
    alignas(SQLLEN) char block[OFFSET + 256] = {};
    struct Arrays
    {
        SQLLEN m_numberLengths[3];
        SQLLEN m_textLengths[3];
        SQLLEN m_textIndicators[3];
    };
    auto* arrays = reinterpret_cast<Arrays*>(block + OFFSET);
    char* start = block;
    // Parameter 1: integers, whose length doubles as the indicator; parameter 2: text of 10
    // bytes a row with its own indicators.
    m_apd.SQLSetDescRec(1, SQL_C_SLONG, 0, 99, 0, 0, start, reinterpret_cast<SQLLEN*>(start),
                        reinterpret_cast<SQLLEN*>(start));
    m_apd.SQLSetDescRec(2, SQL_C_CHAR, 0, 10, 0, 0, start, reinterpret_cast<SQLLEN*>(start + 3 * sizeof(SQLLEN)),
                        reinterpret_cast<SQLLEN*>(start + 6 * sizeof(SQLLEN)));
    SQLLEN bindOffset = OFFSET;
    SQLUSMALLINT operations[3] = {SQL_PARAM_PROCEED, SQL_PARAM_IGNORE, SQL_PARAM_PROCEED};
    SetHeader(3, operations, &bindOffset);

    const SQLLEN numbers[3] = {0, SQL_DATA_AT_EXEC, SQL_NULL_DATA};
    const SQLLEN texts[3] = {SQL_DATA_AT_EXEC, SQL_LEN_DATA_AT_EXEC(5), SQL_LEN_DATA_AT_EXEC(0)};
    const SQLLEN indicators[3] = {SQL_NTS, SQL_NTS, SQL_NTS};
    std::memcpy(arrays->m_numberLengths, numbers, sizeof(numbers));
    std::memcpy(arrays->m_textLengths, texts, sizeof(texts));
    std::memcpy(arrays->m_textIndicators, indicators, sizeof(indicators));
    EXPECT_EQ("0:2 2:2", Walk());
    // The last row visited: lengths 8 bytes a row, integers their own 4 bytes whatever the
    // octet length says, text its octet length.
    EXPECT_EQ("80/72", Offsets(1));
    EXPECT_EQ("80/84", Offsets(2));

    // A NULL indicator wins over a data-at-execution length; no ignored rows without the array.
    arrays->m_textIndicators[0] = SQL_NULL_DATA;
    SetHeader(3, nullptr, &bindOffset);
    EXPECT_EQ("1:1 1:2 2:2", Walk());

    // Resuming from a position goes on after it, in its row and then from the next row's first.
    DataAtExecPosition found;
    const DataAtExecPosition from{1, 1};
    ASSERT_TRUE(m_apd.FindNextDataAtExecParameter(&from, found));
    EXPECT_EQ(1u, found.m_row);
    EXPECT_EQ(2, found.m_recNumber);
}

TEST_F(DataAtExecTest, RowWiseBuffersStepByTheRowSize)
{
    struct Row
    {
        SQLINTEGER m_number;
        SQLLEN m_numberLength;
        char m_text[10];
        SQLLEN m_textLength;
        SQLLEN m_textIndicator;
    };
    Row rows[3] = {};
    m_apd.SQLSetDescRec(1, SQL_C_SLONG, 0, 4, 0, 0, &rows[0].m_number, &rows[0].m_numberLength, nullptr);
    m_apd.SQLSetDescRec(2, SQL_C_CHAR, 0, 10, 0, 0, rows[0].m_text, &rows[0].m_textLength, &rows[0].m_textIndicator);
    SetInteger(m_apd, 0, SQL_DESC_BIND_TYPE, sizeof(Row));
    SetHeader(3, nullptr, nullptr);

    rows[0].m_numberLength = 4;
    rows[0].m_textLength = SQL_NTS;
    rows[1].m_numberLength = SQL_LEN_DATA_AT_EXEC(100);
    rows[1].m_textLength = SQL_DATA_AT_EXEC;
    rows[1].m_textIndicator = SQL_NULL_DATA;
    // Lengths from -99 up are ordinary lengths, however wrong.
    rows[2].m_numberLength = -99;
    rows[2].m_textLength = SQL_DATA_AT_EXEC;
    EXPECT_EQ("1:1 2:2", Walk());
    const std::string rowOffset = std::to_string(2 * sizeof(Row));
    EXPECT_EQ(rowOffset + "/" + rowOffset, Offsets(2));
}

TEST_F(DataAtExecTest, NoParametersOrNoLengthMeanNothingToWaitFor)
{
    EXPECT_EQ("", Walk());
    SQLLEN length = SQL_DATA_AT_EXEC;
    SQLINTEGER value = 0;
    m_apd.SQLSetDescRec(1, SQL_C_SLONG, 0, 4, 0, 0, &value, &length, nullptr);
    EXPECT_EQ("0:1", Walk());
    // An array of no sets is refused, so the one set stays.
    SetHeader(0, nullptr, nullptr);
    EXPECT_EQ("0:1", Walk());
    // A length address without an indicator, and neither.
    SetHeader(1, nullptr, nullptr);
    m_apd.SQLSetDescFieldW(1, SQL_DESC_OCTET_LENGTH_PTR, nullptr, 0);
    EXPECT_EQ("", Walk());
}

} // namespace
