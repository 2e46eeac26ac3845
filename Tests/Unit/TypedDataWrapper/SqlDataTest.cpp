#include "Support/InvalidOperationException.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlFixedLengthType.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlVarLengthAttachedType.h"
#include "Support/TypedDataWrapper/SqlVarLengthOwnedType.h"
#include "Support/TypedDataWrapper/TDWDateValue.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"
#include "Support/TypedDataWrapper/TDWNumeric.h"
#include "Support/TypedDataWrapper/TDWTimestampValue.h"

#include "TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <cstring>
#include <memory>
#include <set>
#include <vector>

using namespace Orvik::Support;

namespace {

class SqlDataTest : public EncodingsRestored
{
protected:
    // Metadata lives as long as the test, as it must outlive the holders.
    SqlTypeMetadata& Metadata(int16_t in_code, uint32_t in_attached = 0, bool in_isUnsigned = false)
    {
        m_metadata.push_back(m_metadataFactory.CreateNewSqlTypeMetadata(in_code, in_isUnsigned, in_attached));
        return *m_metadata.back();
    }

    std::unique_ptr<SqlData> Create(const SqlTypeMetadata& in_metadata)
    {
        return m_dataFactory.CreateNewSqlData(in_metadata);
    }

    SqlTypeMetadataFactory m_metadataFactory;
    SqlDataFactory m_dataFactory;
    std::vector<std::unique_ptr<SqlTypeMetadata>> m_metadata;
};

SqlVarLengthOwnedType& AsOwned(SqlData& in_data)
{
    auto* owned = dynamic_cast<SqlVarLengthOwnedType*>(&in_data);
    EXPECT_NE(nullptr, owned);
    return *owned;
}

} // namespace

TEST_F(SqlDataTest, OwnedBuffersGrowToPowersOfTwoThenExactly)
{
    const SqlTypeMetadata& varchar = Metadata(SQL_VARCHAR);
    std::unique_ptr<SqlData> data = Create(varchar);
    SqlVarLengthOwnedType& owned = AsOwned(*data);
    EXPECT_EQ(1u, owned.GetCapacity());
    EXPECT_EQ(0u, owned.GetLength());

    owned.SetLength(3);
    EXPECT_EQ(4u, owned.GetCapacity());
    EXPECT_EQ(3u, owned.GetLength());
    std::memset(owned.GetBuffer(), 'x', 3);

    owned.SetLength(65535);
    EXPECT_EQ(65536u, owned.GetCapacity());
    owned.SetLength(70000);
    EXPECT_EQ(70000u, owned.GetCapacity());
    std::memset(owned.GetBuffer(), 'y', 70000);

    void* buffer = owned.GetBuffer();
    owned.SetLength(2);
    EXPECT_EQ(70000u, owned.GetCapacity());
    EXPECT_EQ(2u, owned.GetLength());
    EXPECT_EQ(buffer, owned.GetBuffer());
}

TEST_F(SqlDataTest, OwnedBuffersDoubleFromTheirCapacityBelow65536Bytes)
{
    SqlTypeMetadata& varchar = Metadata(SQL_VARCHAR);
    varchar.SetLengthOrIntervalPrecision(3);

    std::unique_ptr<SqlData> below = Create(varchar);
    below->SetLength(65535);
    EXPECT_EQ(98304u, AsOwned(*below).GetCapacity());

    std::unique_ptr<SqlData> at = Create(varchar);
    at->SetLength(65536);
    EXPECT_EQ(65536u, AsOwned(*at).GetCapacity());
}

TEST_F(SqlDataTest, OwnedCapacityStartsAtTheLengthUpTo256)
{
    SqlTypeMetadata& empty = Metadata(SQL_WVARCHAR);
    std::unique_ptr<SqlData> none = Create(empty);
    EXPECT_EQ(0u, AsOwned(*none).GetCapacity());
    EXPECT_NE(nullptr, none->GetBuffer());
    none->SetLength(1);
    EXPECT_EQ(1u, AsOwned(*none).GetCapacity());

    SqlTypeMetadata& medium = Metadata(SQL_VARBINARY);
    medium.SetLengthOrIntervalPrecision(200);
    std::unique_ptr<SqlData> fromMedium = Create(medium);
    EXPECT_EQ(200u, AsOwned(*fromMedium).GetCapacity());
    fromMedium->SetLength(201);
    EXPECT_EQ(400u, AsOwned(*fromMedium).GetCapacity());

    SqlTypeMetadata& large = Metadata(SQL_LONGVARCHAR);
    large.SetLengthOrIntervalPrecision(100000);
    std::unique_ptr<SqlData> fromLarge = Create(large);
    EXPECT_EQ(256u, AsOwned(*fromLarge).GetCapacity());
    fromLarge->SetLength(300);
    EXPECT_EQ(512u, AsOwned(*fromLarge).GetCapacity());
}

TEST_F(SqlDataTest, AttachedHoldersTakeTheCallersBuffer)
{
    std::unique_ptr<SqlData> data = Create(Metadata(SQL_CHAR, 1));
    ASSERT_NE(nullptr, dynamic_cast<SqlVarLengthAttachedType*>(data.get()));
    EXPECT_EQ(nullptr, data->GetBuffer());

    char text[] = "abc";
    data->AttachBuffer(text, 3);
    EXPECT_EQ(text, data->GetBuffer());
    EXPECT_EQ(3u, data->GetLength());

    const RaisedError error = Capture<InvalidOperationException>([&] { data->SetLength(5); });
    EXPECT_EQ((Parameters{"SetLength", "TypedDataWrapper\\SqlVarLengthAttachedType", "34"}), error.parameters);
    EXPECT_EQ(3u, data->GetLength());

    // The attached flag means nothing to the fixed-size types.
    EXPECT_NE(nullptr, dynamic_cast<SqlFixedLengthType*>(Create(Metadata(SQL_INTEGER, 1)).get()));
}

TEST_F(SqlDataTest, OnlyAttachedHoldersAttach)
{
    char bytes[4] = {};
    std::unique_ptr<SqlData> owned = Create(Metadata(SQL_BINARY));
    EXPECT_EQ((Parameters{"AttachBuffer", "TypedDataWrapper\\SqlVarLengthOwnedType", "62"}),
              Capture<InvalidOperationException>([&] { owned->AttachBuffer(bytes, 4); }).parameters);

    std::unique_ptr<SqlData> fixed = Create(Metadata(SQL_BIGINT));
    EXPECT_EQ((Parameters{"AttachBuffer", "TypedDataWrapper\\SqlData", "38"}),
              Capture<InvalidOperationException>([&] { fixed->AttachBuffer(bytes, 4); }).parameters);
    EXPECT_NE(static_cast<void*>(bytes), fixed->GetBuffer());
    fixed->SetLength(2);
    EXPECT_EQ(8u, fixed->GetLength());
}

TEST_F(SqlDataTest, EveryFixedSizeTypeHasItsRecordsLength)
{
    struct Case
    {
        int16_t code;
        bool isUnsigned;
        TDWType type;
        uint32_t length;
        // Every byte of the new value is 0; the dates and the exact numerics have defaults of
        // their own.
        bool isAllZero;
    };
    const Case cases[] = {
        {SQL_BIT, false, TDW_SQL_BIT, 1, true},
        {SQL_TINYINT, false, TDW_SQL_STINYINT, 1, true},
        {SQL_TINYINT, true, TDW_SQL_UTINYINT, 1, true},
        {SQL_SMALLINT, false, TDW_SQL_SSMALLINT, 2, true},
        {SQL_SMALLINT, true, TDW_SQL_USMALLINT, 2, true},
        {SQL_INTEGER, false, TDW_SQL_SINTEGER, 4, true},
        {SQL_INTEGER, true, TDW_SQL_UINTEGER, 4, true},
        {SQL_BIGINT, false, TDW_SQL_SBIGINT, 8, true},
        {SQL_BIGINT, true, TDW_SQL_UBIGINT, 8, true},
        {SQL_REAL, false, TDW_SQL_REAL, 4, true},
        {SQL_FLOAT, false, TDW_SQL_FLOAT, 8, true},
        {SQL_DOUBLE, false, TDW_SQL_DOUBLE, 8, true},
        {SQL_NUMERIC, false, TDW_SQL_NUMERIC, 38, false},
        {SQL_DECIMAL, false, TDW_SQL_DECIMAL, 38, false},
        {SQL_TYPE_DATE, false, TDW_SQL_TYPE_DATE, 6, false},
        {SQL_TYPE_TIME, false, TDW_SQL_TYPE_TIME, 12, true},
        {SQL_TYPE_TIMESTAMP, false, TDW_SQL_TYPE_TIMESTAMP, 16, false},
        {SQL_INTERVAL_DAY, false, TDW_SQL_INTERVAL_DAY, 8, true},
        {SQL_INTERVAL_HOUR, false, TDW_SQL_INTERVAL_HOUR, 8, true},
        {SQL_INTERVAL_MINUTE, false, TDW_SQL_INTERVAL_MINUTE, 8, true},
        {SQL_INTERVAL_MONTH, false, TDW_SQL_INTERVAL_MONTH, 8, true},
        {SQL_INTERVAL_YEAR, false, TDW_SQL_INTERVAL_YEAR, 8, true},
        {SQL_INTERVAL_DAY_TO_HOUR, false, TDW_SQL_INTERVAL_DAY_TO_HOUR, 12, true},
        {SQL_INTERVAL_DAY_TO_MINUTE, false, TDW_SQL_INTERVAL_DAY_TO_MINUTE, 16, true},
        {SQL_INTERVAL_DAY_TO_SECOND, false, TDW_SQL_INTERVAL_DAY_TO_SECOND, 24, true},
        {SQL_INTERVAL_HOUR_TO_MINUTE, false, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, 12, true},
        {SQL_INTERVAL_HOUR_TO_SECOND, false, TDW_SQL_INTERVAL_HOUR_TO_SECOND, 20, true},
        {SQL_INTERVAL_MINUTE_TO_SECOND, false, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, 16, true},
        {SQL_INTERVAL_SECOND, false, TDW_SQL_INTERVAL_SECOND, 12, true},
        {SQL_INTERVAL_YEAR_TO_MONTH, false, TDW_SQL_INTERVAL_YEAR_TO_MONTH, 12, true},
        {SQL_GUID, false, TDW_SQL_GUID, 20, true},
    };
    std::set<TDWType> covered;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.type);
        const SqlTypeMetadata& metadata = Metadata(c.code, 0, c.isUnsigned);
        ASSERT_EQ(c.type, metadata.GetTDWType());
        std::unique_ptr<SqlData> data = Create(metadata);
        ASSERT_NE(nullptr, dynamic_cast<SqlFixedLengthType*>(data.get()));
        EXPECT_EQ(c.length, data->GetLength());
        EXPECT_FALSE(data->IsNull());
        const auto* bytes = static_cast<const uint8_t*>(data->GetBuffer());
        for (uint32_t i = 0; c.isAllZero && i < c.length; ++i)
        {
            EXPECT_EQ(0, bytes[i]) << "byte " << i;
        }
        covered.insert(c.type);
    }
    // Every SQL id but the nine character and binary ones.
    EXPECT_EQ(31u, covered.size());
}

TEST_F(SqlDataTest, CharacterAndBinaryTypesGetBuffersByTheAttachedFlag)
{
    for (int16_t code : {SQL_CHAR, SQL_VARCHAR, SQL_LONGVARCHAR, SQL_WCHAR, SQL_WVARCHAR,
                         SQL_WLONGVARCHAR, SQL_BINARY, SQL_VARBINARY, SQL_LONGVARBINARY})
    {
        SCOPED_TRACE(code);
        EXPECT_NE(nullptr, dynamic_cast<SqlVarLengthOwnedType*>(Create(Metadata(code)).get()));
        EXPECT_NE(nullptr, dynamic_cast<SqlVarLengthAttachedType*>(Create(Metadata(code, 1)).get()));
    }
}

TEST_F(SqlDataTest, DatedAndRecordValuesStartAtTheirDefaults)
{
    std::unique_ptr<SqlData> timestamp = Create(Metadata(SQL_TYPE_TIMESTAMP));
    EXPECT_EQ(16u, timestamp->GetLength());
    const auto& stamp = *static_cast<const TDWTimestampValue*>(timestamp->GetBuffer());
    EXPECT_EQ(1900, stamp.m_year);
    EXPECT_EQ(1, stamp.m_month);
    EXPECT_EQ(1, stamp.m_day);
    EXPECT_EQ(0, stamp.m_hour + stamp.m_minute + stamp.m_second);
    EXPECT_EQ(0u, stamp.m_fraction);

    std::unique_ptr<SqlData> date = Create(Metadata(SQL_DATE));
    EXPECT_EQ(6u, date->GetLength());
    EXPECT_EQ(1900, static_cast<const TDWDateValue*>(date->GetBuffer())->m_year);

    std::unique_ptr<SqlData> numeric = Create(Metadata(SQL_DECIMAL));
    EXPECT_EQ(38u, numeric->GetLength());
    EXPECT_TRUE(TDWNumeric() == *static_cast<const TDWNumeric*>(numeric->GetBuffer()));

    std::unique_ptr<SqlData> guid = Create(Metadata(SQL_GUID));
    EXPECT_EQ(20u, guid->GetLength());
    const auto& value = *static_cast<const TDWGuidValue*>(guid->GetBuffer());
    EXPECT_FALSE(value.m_isValid);
    EXPECT_TRUE(value == TDWGuidValue());
    EXPECT_FALSE(value == TDWGuidValue("00000000-0000-0000-0000-000000000000", true));
}

TEST_F(SqlDataTest, TypesWithoutAHolderAreRefused)
{
    const RaisedError error = Capture<SupportException>([&] { Create(Metadata(0)); });
    EXPECT_EQ("SQLTDWTypeNotSupported", error.key);
    EXPECT_EQ((Parameters{"79"}), error.parameters);
}

TEST_F(SqlDataTest, CustomHolderWins)
{
    class CustomFactory : public SqlDataFactory
    {
    public:
        std::unique_ptr<SqlData> CreateNewCustomSqlData(const SqlTypeMetadata& in_metadata) const override
        {
            return std::make_unique<SqlVarLengthAttachedType>(in_metadata);
        }
    };
    const SqlTypeMetadata& untyped = Metadata(0);
    std::unique_ptr<SqlData> data = CustomFactory().CreateNewSqlData(untyped);
    EXPECT_NE(nullptr, dynamic_cast<SqlVarLengthAttachedType*>(data.get()));
    EXPECT_EQ(&untyped, &data->GetMetadata());
}

TEST_F(SqlDataTest, StringFromAValueDecodesItsBytesInItsEncoding)
{
    orvik_wstring::SetDatabaseCharEncoding(ENC_LATIN1);
    orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF16_LE);

    std::unique_ptr<SqlData> latin = Create(Metadata(SQL_VARCHAR));
    latin->SetLength(3);
    std::memcpy(latin->GetBuffer(), "\xE9t\xE9", 3);
    EXPECT_EQ("\xC3\xA9t\xC3\xA9", Show(orvik_wstring(*latin)));

    std::unique_ptr<SqlData> wide = Create(Metadata(SQL_WCHAR));
    wide->SetLength(4);
    std::memcpy(wide->GetBuffer(), u"ok", 4);
    EXPECT_EQ("ok", Show(orvik_wstring(*wide)));

    wide->SetLength(0);
    EXPECT_FALSE(orvik_wstring(*wide).IsNull());
    EXPECT_EQ("", Show(orvik_wstring(*wide)));

    wide->SetNull(true);
    EXPECT_TRUE(orvik_wstring(*wide).IsNull());
}
