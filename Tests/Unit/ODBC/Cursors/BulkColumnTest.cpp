#include "ODBC/Cursors/BulkColumn.h"
#include "Support/InvalidTypeConversionException.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/BulkSqlData.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverter.h"
#include "Support/TypedDataWrapper/ISqlToCBulkConverterFactory.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"

#include "BulkFakes.h"
#include "CursorTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Orvik::ODBC;
using namespace Orvik::Support;
using namespace Orvik::Testing;

namespace {

/// 32-bit values side by side, as a strided bulk source; NULL_VALUE rows are NULL.
struct Batch
{
    explicit Batch(std::vector<int32_t> in_values) : m_values(std::move(in_values))
    {
        for (int32_t value : m_values)
        {
            m_lengths.push_back(value == FakeBulkConverter::NULL_VALUE ? BulkSqlData::NULL_LENGTH : 4);
        }
        m_data.m_layout = BulkSqlData::LAYOUT_STRIDED;
        m_data.m_rowCount = m_values.size();
        m_data.m_strided = {m_values.data(), 4, m_lengths.data(), 8};
    }

    std::vector<int32_t> m_values;
    std::vector<int64_t> m_lengths;
    BulkSqlData m_data;
};

/// One row of a row-wise bound array: a value, its length and its indicator.
struct Row
{
    int32_t m_value;
    SQLLEN m_length;
    SQLLEN m_indicator;
};

class BulkColumnTest : public DiagnosticsTest
{
protected:
    BulkColumnTest()
    {
        for (Row& row : m_rows)
        {
            row = {-1, 99, 99};
        }
    }

    /// Row-wise binding into m_rows from row in_first with the given length and indicator addresses
    /// of that row.
    BulkColumn::Target RowWise(SQLLEN* in_length, SQLLEN* in_indicator, size_t in_first = 0)
    {
        return {reinterpret_cast<char*>(&m_rows[in_first].m_value), 4, sizeof(Row), in_length, in_indicator,
                sizeof(Row)};
    }

    std::unique_ptr<BulkColumn> Column(const BulkColumn::Target& in_where)
    {
        return std::make_unique<BulkColumn>(2, *m_sqlType, *m_cType, in_where, m_diagnostics, m_factory);
    }

    /// Each row as "value/length/indicator".
    std::string Rows(size_t in_count) const
    {
        std::string rows;
        for (size_t i = 0; i < in_count; ++i)
        {
            rows += (i == 0 ? "" : " ") + std::to_string(m_rows[i].m_value) + "/" +
                    std::to_string(m_rows[i].m_length) + "/" + std::to_string(m_rows[i].m_indicator);
        }
        return rows;
    }

    Row m_rows[8];
    FakeBulkConverterFactory m_factory;
    std::unique_ptr<SqlTypeMetadata> m_sqlType = SqlTypeMetadataFactory().CreateNewSqlTypeMetadata(SQL_INTEGER, false, 0);
    std::unique_ptr<SqlCTypeMetadata> m_cType = SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(SQL_C_SLONG);
};

TEST_F(BulkColumnTest, FillsBatchesOneAfterTheOtherAndNumbersTheirRowsOnward)
{
    std::unique_ptr<BulkColumn> column = Column(RowWise(&m_rows[0].m_length, &m_rows[0].m_indicator));
    EXPECT_EQ(2, column->GetColumnIndex());
    Batch first({10, FakeBulkConverter::NULL_VALUE, FakeBulkConverter::OUT_OF_RANGE});
    Batch second({FakeBulkConverter::FRACTION, 50});
    EXPECT_EQ(3u, column->Fill(first.m_data));
    EXPECT_EQ(2u, column->Fill(second.m_data));
    EXPECT_EQ(0u, column->Fill(Batch({}).m_data));
    EXPECT_EQ("10/4/0 -1/0/-1 -1/4/0 7/4/0 50/4/0 -1/99/99", Rows(6));
    EXPECT_EQ((std::set<int64_t>{3}), column->GetListener().GetErrorRows());
    EXPECT_EQ((std::set<int64_t>{4}), column->GetListener().GetWarningRows());
    EXPECT_EQ((std::vector<std::string>{"22003@3,3", "01S07@4,3"}), Records());
    EXPECT_EQ("en-US[3:NumericValOutOfRange] (3,3)", Message(1));
}

TEST_F(BulkColumnTest, WritesLengthsAndIndicatorsByWhichAddressesTheBindingHas)
{
    struct Case
    {
        const char* m_name;
        bool m_length;
        bool m_indicator;
        bool m_shared;
        const char* m_rows;
        std::vector<std::string> m_records;
    };
    const Case cases[] = {
        {"separate", true, true, false, "10/4/0 -1/0/-1", {}},
        {"shared", true, true, true, "10/4/4 -1/-1/-1", {}},
        {"length only", true, false, false, "10/4/99 -1/99/99", {"22002@2,3"}},
        {"indicator only", false, true, false, "10/99/0 -1/99/-1", {}},
        {"neither", false, false, false, "10/99/99 -1/99/99", {"22002@2,3"}},
    };
    for (const Case& test : cases)
    {
        for (Row& row : m_rows)
        {
            row = {-1, 99, 99};
        }
        m_diagnostics.Clear();
        SQLLEN* length = test.m_length ? &m_rows[0].m_length : nullptr;
        SQLLEN* indicator = test.m_shared ? length : test.m_indicator ? &m_rows[0].m_indicator : nullptr;
        std::unique_ptr<BulkColumn> column = Column(RowWise(length, indicator));
        column->Fill(Batch({10, FakeBulkConverter::NULL_VALUE}).m_data);
        if (test.m_shared)
        {
            m_rows[0].m_indicator = m_rows[0].m_length;
            m_rows[1].m_indicator = m_rows[1].m_length;
        }
        EXPECT_EQ(test.m_rows, Rows(2)) << test.m_name;
        EXPECT_EQ(test.m_records, Records()) << test.m_name;
        EXPECT_EQ(test.m_records.size(), column->GetListener().GetErrorRows().size()) << test.m_name;
    }
}

TEST_F(BulkColumnTest, ANewRowsetStartsAtItsFirstRowAndForgetsTheLastRowsetsRows)
{
    std::unique_ptr<BulkColumn> column = Column(RowWise(&m_rows[0].m_length, nullptr));
    column->Fill(Batch({1, FakeBulkConverter::OUT_OF_RANGE}).m_data);
    column->StartRowset(RowWise(&m_rows[4].m_length, nullptr, 4));
    EXPECT_TRUE(column->GetListener().GetErrorRows().empty());
    column->Fill(Batch({FakeBulkConverter::OUT_OF_RANGE, 8}).m_data);
    EXPECT_EQ("1/4/99 -1/4/99 -1/99/99 -1/99/99 -1/4/99 8/4/99", Rows(6));
    EXPECT_EQ((std::set<int64_t>{1}), column->GetListener().GetErrorRows());
    // A negative length from a converter is written as its absolute value.
    column->StartRowset(RowWise(&m_rows[6].m_length, nullptr, 6));
    column->Fill(Batch({FakeBulkConverter::NEGATIVE_LENGTH}).m_data);
    EXPECT_EQ(4, m_rows[6].m_length);
}

TEST_F(BulkColumnTest, APairWithoutABulkConverterIsRefusedWithTheTypeNames)
{
    m_cType = SqlCTypeMetadataFactory().CreateNewSqlCTypeMetadata(SQL_C_GUID);
    EXPECT_EQ("HY000 3 DataConvAlgorithmNotSupported [SQL_INTEGER] [SQL_C_GUID]",
              Outcome([&] { Column(RowWise(nullptr, nullptr)); }));
}

TEST_F(BulkColumnTest, TheListenerPostsEachResultCodeAsItsTableSays)
{
    struct Case
    {
        ConversionResultCode m_code;
        const char* m_key;
        const char* m_posted;
        bool m_isError;
    };
    const Case cases[] = {
        {CONV_LOGIC_ERROR, "ConvLogicError", "HY000", true},
        {CONV_INVALID_DATETIME_FORMAT, "InvalidDatetimeFormat", "22007", true},
        {CONV_INVALID_DATETIME_VALUE, "InvalidDatetimeValue", "22007", true},
        {CONV_DATETIME_FIELD_OVERFLOW, "DatetimeFieldOverflow", "22008", true},
        {CONV_INVALID_DATA, "ConvInvalidData", "HY000", true},
        {CONV_NUMERIC_OUT_OF_RANGE, "NumericValOutOfRange", "22003", true},
        {CONV_RESTRICTED_DATA_TYPE, "InvalidMultiFieldIntervalConversion", "07006", true},
        {CONV_STRING_TRUNCATED, "StrRightTrunc", "01004", false},
        {CONV_STRING_TRUNCATED_ERROR, "StrRightTruncErr", "22001", true},
        {CONV_FRACTION_TRUNCATED, "FractionalTrunc", "01S07", false},
        {CONV_INTERVAL_FIELD_OVERFLOW, "IntervalFieldOverflow", "22015", true},
        {CONV_INVALID_CHARACTER_VALUE, "InvalidCharValForCast", "22018", true},
        {CONV_OUT_OF_MEMORY, "OutOfMemoryError", "HY013", true},
        {CONV_NULL_WITHOUT_INDICATOR, "NullIndPtrNotSupplied", "22002", true},
    };
    int64_t counter = 0;
    BulkColumnListener listener(4, counter, m_diagnostics);
    for (const Case& test : cases)
    {
        m_diagnostics.Clear();
        listener.SetRowCounter(test.m_code + 1);
        listener.PostWarning(ConversionResult(test.m_key, SUPPORT_COMPONENT_ID, test.m_code));
        EXPECT_EQ((std::vector<std::string>{std::string(test.m_posted) + "@" + std::to_string(test.m_code + 1) + ",4"}),
                  Records())
            << test.m_key;
        EXPECT_EQ(test.m_isError, listener.GetErrorRows().count(test.m_code + 1) == 1) << test.m_key;
        EXPECT_EQ(!test.m_isError, listener.GetWarningRows().count(test.m_code + 1) == 1) << test.m_key;
    }
    EXPECT_EQ(int64_t{14}, *listener.GetRowCounter());

    // A result with its own SQLSTATE; out of range with it still names the column and row.
    m_diagnostics.Clear();
    static const SqlState s_custom("42S22");
    listener.PostWarning(ConversionResult(u"NumericValOutOfRange", 117, CONV_CUSTOM_STATE, 2, 2, false, &s_custom));
    EXPECT_EQ((std::vector<std::string>{"42S22@14,4"}), Records());
    EXPECT_EQ("en-US[117:NumericValOutOfRange] (4,14)", Message(1));

    EXPECT_EQ("HY000 3 DataConvAlgorithmError", Outcome([&] {
                  listener.PostWarning(ConversionResult(u"Refused", SUPPORT_COMPONENT_ID, CONV_MULTI_FIELD_INTERVAL));
              }));
    listener.ClearRows();
    EXPECT_TRUE(listener.GetErrorRows().empty());
    EXPECT_TRUE(listener.GetWarningRows().empty());
}

} // namespace
