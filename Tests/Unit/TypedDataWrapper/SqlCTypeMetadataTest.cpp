#include "Support/BadPrecisionException.h"
#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include "TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>

using namespace Orvik::Support;

namespace {

class SqlCTypeMetadataTest : public EncodingsRestored
{
protected:
    SqlCTypeMetadataFactory m_factory;
};

} // namespace

TEST_F(SqlCTypeMetadataTest, DefaultsOfEveryCode)
{
    struct Case
    {
        int16_t code;
        TDWType type;
        bool isFixedSize;
        uint64_t fixedSize;
        uint64_t length;
        int16_t precision;
        int16_t scale;
        int32_t radix;
        uint16_t kinds;
    };
    const Case cases[] = {
        {SQL_C_CHAR, TDW_C_CHAR, false, 0, 1, 1, 0, 0, K_CHAR},
        {SQL_C_WCHAR, TDW_C_WCHAR, false, 0, 0, 0, 0, 0, K_WCHAR},
        {SQL_C_BINARY, TDW_C_BINARY, false, 0, 1, 1, 0, 0, K_BIN},
        {SQL_C_BIT, TDW_C_BIT, true, 1, 0, 0, 0, 0, 0},
        {SQL_C_NUMERIC, TDW_C_NUMERIC, true, 19, 38, 38, 0, 10, K_EXACT},
        {SQL_C_STINYINT, TDW_C_STINYINT, true, 1, 0, 0, 0, 0, K_INT},
        {SQL_C_TINYINT, TDW_C_STINYINT, true, 1, 0, 0, 0, 0, K_INT},
        {SQL_C_UTINYINT, TDW_C_UTINYINT, true, 1, 0, 0, 0, 0, K_INT},
        {SQL_C_SBIGINT, TDW_C_SBIGINT, true, 8, 0, 0, 0, 0, K_INT},
        {SQL_C_UBIGINT, TDW_C_UBIGINT, true, 8, 0, 0, 0, 0, K_INT},
        {SQL_C_SSHORT, TDW_C_SSHORT, true, 2, 0, 0, 0, 0, K_INT},
        {SQL_C_SHORT, TDW_C_SSHORT, true, 2, 0, 0, 0, 0, K_INT},
        {SQL_C_USHORT, TDW_C_USHORT, true, 2, 0, 0, 0, 0, K_INT},
        {SQL_C_SLONG, TDW_C_SLONG, true, 4, 0, 0, 0, 0, K_INT},
        {SQL_C_LONG, TDW_C_SLONG, true, 4, 0, 0, 0, 0, K_INT},
        {SQL_C_ULONG, TDW_C_ULONG, true, 4, 0, 0, 0, 0, K_INT},
        {SQL_C_FLOAT, TDW_C_FLOAT, true, 4, 24, 24, 0, 2, K_APPROX},
        {SQL_C_DOUBLE, TDW_C_DOUBLE, true, 8, 53, 53, 0, 2, K_APPROX},
        {SQL_C_DATE, TDW_C_TYPE_DATE, true, 6, 0, 0, 0, 0, K_DT},
        {SQL_C_TYPE_DATE, TDW_C_TYPE_DATE, true, 6, 0, 0, 0, 0, K_DT},
        {SQL_C_TIME, TDW_C_TYPE_TIME, true, 6, 0, 0, 0, 0, K_DT | K_TIME},
        {SQL_C_TYPE_TIME, TDW_C_TYPE_TIME, true, 6, 0, 0, 0, 0, K_DT | K_TIME},
        {SQL_C_TIMESTAMP, TDW_C_TYPE_TIMESTAMP, true, 16, 0, 6, 6, 0, K_DT | K_TIME},
        {SQL_C_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP, true, 16, 0, 6, 6, 0, K_DT | K_TIME},
        {SQL_C_GUID, TDW_C_GUID, true, 16, 16, 16, 0, 0, 0},
        {SQL_C_DEFAULT, TDW_C_DEFAULT, false, 0, 0, 0, 0, 0, 0},
        {SQL_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_MONTH, TDW_C_INTERVAL_MONTH, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_DAY, TDW_C_INTERVAL_DAY, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_HOUR, TDW_C_INTERVAL_HOUR, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_YEAR_TO_MONTH, TDW_C_INTERVAL_YEAR_TO_MONTH, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_DAY_TO_HOUR, TDW_C_INTERVAL_DAY_TO_HOUR, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_DAY_TO_MINUTE, TDW_C_INTERVAL_DAY_TO_MINUTE, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_HOUR_TO_MINUTE, TDW_C_INTERVAL_HOUR_TO_MINUTE, true, 28, 2, 0, 0, 0, K_IVL},
        {SQL_C_INTERVAL_SECOND, TDW_C_INTERVAL_SECOND, true, 28, 2, 6, 6, 0, K_IVL},
        {SQL_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_DAY_TO_SECOND, true, 28, 2, 6, 6, 0, K_IVL},
        {SQL_C_INTERVAL_HOUR_TO_SECOND, TDW_C_INTERVAL_HOUR_TO_SECOND, true, 28, 2, 6, 6, 0, K_IVL},
        {SQL_C_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_MINUTE_TO_SECOND, true, 28, 2, 6, 6, 0, K_IVL},
    };
    // The application's ANSI encoding for SQL_C_CHAR, the driver manager's for every other code.
    orvik_wstring::InitializeAnsiEncoding(ENC_CP1252);
    orvik_wstring::SetDriverManagerEncoding(ENC_UTF32_LE);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.code);
        const auto metadata = m_factory.CreateNewSqlCTypeMetadata(c.code);
        EXPECT_EQ(c.code, metadata->GetCType());
        EXPECT_EQ(c.type, metadata->GetTDWType());
        EXPECT_EQ(c.isFixedSize, metadata->IsFixedSize());
        EXPECT_EQ(c.fixedSize, metadata->GetFixedSize());
        EXPECT_EQ(c.length, metadata->GetLengthOrIntervalPrecision());
        EXPECT_EQ(c.precision, metadata->GetPrecision());
        EXPECT_EQ(c.scale, metadata->GetScale());
        EXPECT_EQ(c.radix, metadata->GetNumPrecRadix());
        EXPECT_EQ(c.kinds, KindsOf(*metadata));
        EXPECT_EQ(c.code == SQL_C_CHAR ? ENC_CP1252 : ENC_UTF32_LE, metadata->GetEncoding());
        EXPECT_EQ(0u, metadata->GetOctetLength());
        EXPECT_TRUE(metadata->IsPrecisionDefault());
        EXPECT_TRUE(metadata->IsIntervalPrecisionDefault());
    }
}

TEST_F(SqlCTypeMetadataTest, KindsAndTypeFlag)
{
    const auto timestamp = m_factory.CreateNewSqlCTypeMetadata(SQL_C_TIMESTAMP);
    EXPECT_TRUE(timestamp->IsDatetime());
    EXPECT_TRUE(timestamp->IsTime());
    EXPECT_TRUE(timestamp->IsTypeFlagged());

    const auto tinyint = m_factory.CreateNewSqlCTypeMetadata(SQL_C_TINYINT);
    EXPECT_TRUE(tinyint->IsInteger());
    EXPECT_FALSE(tinyint->IsTypeFlagged());

    const auto bit = m_factory.CreateNewSqlCTypeMetadata(SQL_C_BIT);
    EXPECT_FALSE(bit->IsInteger());
    EXPECT_FALSE(bit->IsCharacter());
    EXPECT_TRUE(bit->IsTypeFlagged());
}

TEST_F(SqlCTypeMetadataTest, ResetReappliesTheDefaultsOfTheOwnCode)
{
    const auto interval = m_factory.CreateNewSqlCTypeMetadata(SQL_C_INTERVAL_DAY_TO_SECOND);
    interval->SetLengthOrIntervalPrecision(5);
    interval->SetPrecision(3);
    interval->SetScale(3);
    interval->ClearPrecisionDefault();
    interval->SetOctetLength(28);
    m_factory.ResetTypeDefaults(*interval);
    EXPECT_EQ(2u, interval->GetLengthOrIntervalPrecision());
    EXPECT_EQ(6, interval->GetPrecision());
    EXPECT_EQ(6, interval->GetScale());
    EXPECT_TRUE(interval->IsInterval());
    // The buffer's length and the application's settings are not defaults.
    EXPECT_EQ(28u, interval->GetOctetLength());
    EXPECT_FALSE(interval->IsPrecisionDefault());
}

TEST_F(SqlCTypeMetadataTest, CodesThatAreNotCTypesAreRefused)
{
    for (int16_t code : {SQL_VARCHAR, 0, -29, 114})
    {
        const RaisedError error =
            Capture<InvalidArgumentException>([&] { m_factory.CreateNewSqlCTypeMetadata(code); });
        EXPECT_EQ("InvalidArgumentParam", error.key) << code;
        EXPECT_EQ((Parameters{"io_typeMetadata", "TypedDataWrapper\\SqlCTypeMetadataFactory", "504"}),
                  error.parameters);
    }
}

TEST_F(SqlCTypeMetadataTest, DriverDefinedCodesReachTheCustomHooks)
{
    const RaisedError reset =
        Capture<InvalidOperationException>([&] { m_factory.CreateNewSqlCTypeMetadata(16384); });
    EXPECT_EQ("InvalidOperation", reset.key);
    EXPECT_EQ((Parameters{"SqlCTypeMetadataFactory::ResetCustomTypeDefaults",
                          "TypedDataWrapper\\SqlCTypeMetadataFactory", "535"}),
              reset.parameters);

    class CustomCTypes : public SqlCTypeUtilities
    {
    public:
        bool IsCustomCType(int16_t) const override { return true; }
    };
    TypedDataSingleton<SqlCTypeUtilities>::Install(std::make_unique<CustomCTypes>());
    const RaisedError create =
        Capture<InvalidOperationException>([&] { m_factory.CreateNewSqlCTypeMetadata(16384); });
    TypedDataSingleton<SqlCTypeUtilities>::Install(nullptr);
    EXPECT_EQ((Parameters{"SqlCTypeMetadataFactory::CreateNewCustomSqlCTypeMetadata",
                          "TypedDataWrapper\\SqlCTypeMetadataFactory", "547"}),
              create.parameters);
}

TEST_F(SqlCTypeMetadataTest, FieldsAndValidation)
{
    const auto numeric = m_factory.CreateNewSqlCTypeMetadata(SQL_C_NUMERIC);
    numeric->Validate();
    numeric->SetPrecision(-1);
    EXPECT_EQ("PrecLessThanZero", Capture<BadPrecisionException>([&] { numeric->Validate(); }).key);

    const auto integer = m_factory.CreateNewSqlCTypeMetadata(SQL_C_LONG);
    integer->SetPrecision(-1);
    integer->Validate();

    int32_t value = 0;
    EXPECT_EQ((Parameters{"SqlCTypeMetadata::SetField", "TypedDataWrapper\\SqlCTypeMetadata", "100"}),
              Capture<InvalidOperationException>([&] { integer->SetField(1, &value); }).parameters);
    EXPECT_EQ((Parameters{"SqlCTypeMetadata::GetField", "TypedDataWrapper\\SqlCTypeMetadata", "109"}),
              Capture<InvalidOperationException>([&] { integer->GetField(1, &value); }).parameters);
}
