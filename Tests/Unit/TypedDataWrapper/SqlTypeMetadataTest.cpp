#include "Support/BadPrecisionException.h"
#include "Support/BadScaleException.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include "TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <iterator>
#include <memory>
#include <utility>
#include <vector>

using namespace Orvik::Support;

namespace {

class SqlTypeMetadataTest : public EncodingsRestored
{
protected:
    std::unique_ptr<SqlTypeMetadata> Create(int16_t in_code, bool in_isUnsigned = false)
    {
        return m_factory.CreateNewSqlTypeMetadata(in_code, in_isUnsigned, 0);
    }

    SqlTypeMetadataFactory m_factory;
};

struct DefaultsCase
{
    int16_t code;
    TDWType type;
    const char* typeName;
    const char* localTypeName;
    uint32_t columnSize;
    uint32_t displaySize;
    uint64_t octetLength;
    uint64_t length;
    int16_t precision;
};

} // namespace

// Sizes the defaults leave unwritten read 0 on new metadata.
TEST_F(SqlTypeMetadataTest, DefaultsOfEverySqlCode)
{
    const DefaultsCase cases[] = {
        {0, TDW_SQL_NOTYPE, "", "", 0, 0, 0, 1, 1},
        {SQL_CHAR, TDW_SQL_CHAR, "CHAR", "CHAR", 0, 0, 0, 1, 1},
        {SQL_VARCHAR, TDW_SQL_VARCHAR, "VARCHAR", "VARCHAR", 0, 0, 0, 1, 1},
        {SQL_LONGVARCHAR, TDW_SQL_LONGVARCHAR, "LONGVARCHAR", "LONGVARCHAR", 0, 0, 0, 1, 1},
        {SQL_WCHAR, TDW_SQL_WCHAR, "WCHAR", "WCHAR", 0, 0, 0, 0, 0},
        {SQL_WVARCHAR, TDW_SQL_WVARCHAR, "WVARCHAR", "WVARCHAR", 0, 0, 0, 0, 0},
        {SQL_WLONGVARCHAR, TDW_SQL_WLONGVARCHAR, "WLONGVARCHAR", "WLONGVARCHAR", 0, 0, 0, 0, 0},
        {SQL_BIT, TDW_SQL_BIT, "BIT", "BIT", 1, 1, 1, 1, 1},
        {SQL_BINARY, TDW_SQL_BINARY, "BINARY", "BINARY", 0, 0, 0, 1, 1},
        {SQL_VARBINARY, TDW_SQL_VARBINARY, "VARBINARY", "VARBINARY", 0, 0, 0, 1, 1},
        {SQL_LONGVARBINARY, TDW_SQL_LONGVARBINARY, "LONGVARBINARY", "LONGVARBINARY", 0, 0, 0, 1, 1},
        {SQL_NUMERIC, TDW_SQL_NUMERIC, "NUMERIC", "NUMERIC", 0, 0, 40, 38, 38},
        {SQL_DECIMAL, TDW_SQL_DECIMAL, "DECIMAL", "DECIMAL", 0, 0, 40, 38, 38},
        {SQL_TINYINT, TDW_SQL_STINYINT, "TINYINT", "STINYINT", 3, 4, 1, 3, 3},
        {SQL_SMALLINT, TDW_SQL_SSMALLINT, "SMALLINT", "SSMALLINT", 5, 6, 2, 5, 5},
        {SQL_INTEGER, TDW_SQL_SINTEGER, "INTEGER", "SINTEGER", 10, 11, 4, 10, 10},
        {SQL_BIGINT, TDW_SQL_SBIGINT, "BIGINT", "SBIGINT", 19, 20, 20, 19, 19},
        {SQL_REAL, TDW_SQL_REAL, "REAL", "REAL", 7, 14, 4, 14, 24},
        {SQL_FLOAT, TDW_SQL_FLOAT, "FLOAT", "FLOAT", 15, 24, 8, 24, 53},
        {SQL_DOUBLE, TDW_SQL_DOUBLE, "DOUBLE", "DOUBLE", 15, 24, 8, 24, 53},
        {SQL_DATE, TDW_SQL_TYPE_DATE, "DATE", "DATE", 10, 10, 6, 10, 0},
        {SQL_TYPE_DATE, TDW_SQL_TYPE_DATE, "TYPE_DATE", "TYPE_DATE", 10, 10, 6, 10, 0},
        {SQL_TIME, TDW_SQL_TYPE_TIME, "TIME", "TIME", 8, 8, 6, 8, 0},
        {SQL_TYPE_TIME, TDW_SQL_TYPE_TIME, "TYPE_TIME", "TYPE_TIME", 8, 8, 6, 8, 0},
        {SQL_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP, "TIMESTAMP", "TIMESTAMP", 26, 26, 16, 26, 6},
        {SQL_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP, "TYPE_TIMESTAMP", "TYPE_TIMESTAMP", 26, 26, 16, 26, 6},
        {SQL_GUID, TDW_SQL_GUID, "GUID", "GUID", 36, 36, 16, 36, 16},
        {SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_YEAR, "INTERVAL_YEAR", "INTERVAL_YEAR", 2, 3, 34, 2, 0},
        {SQL_INTERVAL_MONTH, TDW_SQL_INTERVAL_MONTH, "INTERVAL_MONTH", "INTERVAL_MONTH", 0, 3, 34, 2, 0},
        {SQL_INTERVAL_DAY, TDW_SQL_INTERVAL_DAY, "INTERVAL_DAY", "INTERVAL_DAY", 2, 3, 34, 2, 0},
        {SQL_INTERVAL_HOUR, TDW_SQL_INTERVAL_HOUR, "INTERVAL_HOUR", "INTERVAL_HOUR", 2, 3, 34, 2, 0},
        {SQL_INTERVAL_MINUTE, TDW_SQL_INTERVAL_MINUTE, "INTERVAL_MINUTE", "INTERVAL_MINUTE", 2, 3, 34, 2, 0},
        {SQL_INTERVAL_SECOND, TDW_SQL_INTERVAL_SECOND, "INTERVAL_SECOND", "INTERVAL_SECOND", 9, 10, 34, 2, 6},
        {SQL_INTERVAL_YEAR_TO_MONTH, TDW_SQL_INTERVAL_YEAR_TO_MONTH, "INTERVAL_YEAR_TO_MONTH", "INTERVAL_YEAR_TO_MONTH", 5, 6, 34, 2, 0},
        {SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_DAY_TO_HOUR, "INTERVAL_DAY_TO_HOUR", "INTERVAL_DAY_TO_HOUR", 5, 6, 34, 2, 0},
        {SQL_INTERVAL_DAY_TO_MINUTE, TDW_SQL_INTERVAL_DAY_TO_MINUTE, "INTERVAL_DAY_TO_MINUTE", "INTERVAL_DAY_TO_MINUTE", 8, 9, 34, 2, 0},
        {SQL_INTERVAL_DAY_TO_SECOND, TDW_SQL_INTERVAL_DAY_TO_SECOND, "INTERVAL_DAY_TO_SECOND", "INTERVAL_DAY_TO_SECOND", 18, 19, 34, 2, 6},
        {SQL_INTERVAL_HOUR_TO_MINUTE, TDW_SQL_INTERVAL_HOUR_TO_MINUTE, "INTERVAL_HOUR_TO_MINUTE", "INTERVAL_HOUR_TO_MINUTE", 5, 6, 34, 2, 0},
        {SQL_INTERVAL_HOUR_TO_SECOND, TDW_SQL_INTERVAL_HOUR_TO_SECOND, "INTERVAL_HOUR_TO_SECOND", "INTERVAL_HOUR_TO_SECOND", 18, 16, 34, 2, 6},
        {SQL_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND, "INTERVAL_MINUTE_TO_SECOND", "INTERVAL_MINUTE_TO_SECOND", 12, 13, 34, 2, 6},
    };
    for (const DefaultsCase& c : cases)
    {
        SCOPED_TRACE(c.code);
        const std::unique_ptr<SqlTypeMetadata> metadata = Create(c.code);
        EXPECT_EQ(c.type, metadata->GetTDWType());
        EXPECT_EQ(c.typeName, Show(metadata->GetTypeName()));
        EXPECT_EQ(c.localTypeName, Show(metadata->GetLocalTypeName()));
        EXPECT_EQ(c.columnSize, metadata->GetStoredColumnSize());
        EXPECT_EQ(c.displaySize, metadata->GetStoredDisplaySize());
        EXPECT_EQ(c.octetLength, metadata->GetOctetLength());
        EXPECT_EQ(c.length, metadata->GetLengthOrIntervalPrecision());
        EXPECT_EQ(c.precision, metadata->GetPrecision());
        EXPECT_EQ(c.code, metadata->GetConciseType());
        EXPECT_EQ(0, metadata->GetScale());
        EXPECT_EQ(1, metadata->GetDriverAttributeValue());
    }
}

namespace {

struct FactsCase
{
    int16_t code;
    int32_t radix;
    bool isUnsigned;
    uint16_t kinds;
    const char* createParams;
    const char* literalPrefix;
    const char* literalSuffix;
    // The database WCHAR encoding and wide storage instead of the CHAR encoding.
    bool isWide;
    // The attached argument is kept instead of 0.
    bool isAttachable;
};

} // namespace

TEST_F(SqlTypeMetadataTest, FactsOfEverySqlCode)
{
    const FactsCase cases[] = {
        {0, 0, true, 0, "", "", "", false, false},
        {SQL_CHAR, 0, true, K_CHAR, "length", "'", "'", false, true},
        {SQL_VARCHAR, 0, true, K_CHAR, "length", "'", "'", false, true},
        {SQL_LONGVARCHAR, 0, true, K_CHAR | K_LONG, "length", "'", "'", false, true},
        {SQL_WCHAR, 0, true, K_WCHAR, "max length", "'", "'", true, true},
        {SQL_WVARCHAR, 0, true, K_WCHAR, "length", "'", "'", true, true},
        {SQL_WLONGVARCHAR, 0, true, K_WCHAR | K_LONG, "length", "'", "'", true, true},
        {SQL_BIT, 0, true, 0, "", "", "", false, false},
        {SQL_BINARY, 0, true, K_BIN, "length", "0x", "", false, true},
        {SQL_VARBINARY, 0, true, K_BIN, "length", "0x", "", false, true},
        {SQL_LONGVARBINARY, 0, true, K_BIN | K_LONG, "length", "0x", "", false, true},
        {SQL_NUMERIC, 10, false, K_EXACT, "precision,scale", "", "", false, false},
        {SQL_DECIMAL, 10, false, K_EXACT, "precision,scale", "", "", false, false},
        {SQL_TINYINT, 10, false, K_INT, "", "", "", false, false},
        {SQL_SMALLINT, 10, false, K_INT, "", "", "", false, false},
        {SQL_INTEGER, 10, false, K_INT, "", "", "", false, false},
        {SQL_BIGINT, 10, false, K_INT, "", "", "", false, false},
        {SQL_REAL, 2, false, K_APPROX, "", "", "", false, false},
        {SQL_FLOAT, 2, false, K_APPROX, "", "", "", false, false},
        {SQL_DOUBLE, 2, false, K_APPROX, "", "", "", false, false},
        {SQL_DATE, 0, true, K_DT, "", "'", "'", false, false},
        {SQL_TYPE_DATE, 0, true, K_DT, "", "'", "'", false, false},
        {SQL_TIME, 0, true, K_DT | K_TIME, "", "'", "'", false, false},
        {SQL_TYPE_TIME, 0, true, K_DT | K_TIME, "", "'", "'", false, false},
        {SQL_TIMESTAMP, 0, true, K_DT | K_TIME, "", "'", "'", false, false},
        {SQL_TYPE_TIMESTAMP, 0, true, K_DT | K_TIME, "", "'", "'", false, false},
        {SQL_GUID, 0, true, 0, "", "", "", false, false},
        {SQL_INTERVAL_YEAR, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_MONTH, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_DAY, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_HOUR, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_MINUTE, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_SECOND, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_YEAR_TO_MONTH, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_DAY_TO_HOUR, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_DAY_TO_MINUTE, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_DAY_TO_SECOND, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_HOUR_TO_MINUTE, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_HOUR_TO_SECOND, 0, true, K_IVL, "precision", "", "", false, false},
        {SQL_INTERVAL_MINUTE_TO_SECOND, 0, true, K_IVL, "precision", "", "", false, false},
    };
    orvik_wstring::SetDatabaseCharEncoding(ENC_LATIN1);
    orvik_wstring::SetDatabaseWCharEncoding(ENC_UTF16_LE);
    for (const FactsCase& c : cases)
    {
        SCOPED_TRACE(c.code);
        const std::unique_ptr<SqlTypeMetadata> metadata = m_factory.CreateNewSqlTypeMetadata(c.code, false, 5);
        EXPECT_EQ(c.radix, metadata->GetNumPrecRadix());
        EXPECT_EQ(c.isUnsigned, metadata->IsUnsigned());
        EXPECT_EQ(c.kinds, KindsOf(*metadata));
        EXPECT_EQ((c.kinds & (K_APPROX | K_EXACT | K_TIME | K_IVL)) != 0, metadata->IsPrecisionApplicable());
        EXPECT_EQ(c.createParams, Show(metadata->GetCreateParams()));
        EXPECT_FALSE(metadata->GetCreateParams().IsNull());
        EXPECT_EQ(c.literalPrefix, Show(metadata->GetLiteralPrefix()));
        EXPECT_FALSE(metadata->GetLiteralPrefix().IsNull());
        EXPECT_EQ(c.literalSuffix, Show(metadata->GetLiteralSuffix()));
        EXPECT_EQ(c.isWide ? ENC_UTF16_LE : ENC_LATIN1, metadata->GetEncoding());
        EXPECT_EQ(c.isWide, metadata->IsWideStorage());
        EXPECT_EQ(c.isAttachable ? 5u : 0u, metadata->GetAttached());
        EXPECT_EQ((c.kinds & K_DT) ? SQL_DATETIME : c.code, metadata->GetVerboseType());
        EXPECT_EQ(SqlTypeUtilities::GetDatetimeIntervalCode(c.code), metadata->GetDatetimeIntervalCode());
        EXPECT_EQ(0, metadata->GetDriverTypeNumber());
        EXPECT_FALSE(metadata->IsFixedPrecScale());
    }
}

TEST_F(SqlTypeMetadataTest, SignedPairsFollowTheUnsignedArgument)
{
    struct Case
    {
        int16_t code;
        bool isUnsigned;
        TDWType type;
        const char* localTypeName;
        uint32_t columnSize;
        uint32_t displaySize;
        int16_t precision;
    };
    const Case cases[] = {
        {SQL_TINYINT, false, TDW_SQL_STINYINT, "STINYINT", 3, 4, 3},
        {SQL_TINYINT, true, TDW_SQL_UTINYINT, "UTINYINT", 3, 3, 3},
        {SQL_SMALLINT, true, TDW_SQL_USMALLINT, "USMALLINT", 5, 5, 5},
        {SQL_INTEGER, true, TDW_SQL_UINTEGER, "UINTEGER", 10, 10, 10},
        {SQL_BIGINT, false, TDW_SQL_SBIGINT, "SBIGINT", 19, 20, 19},
        {SQL_BIGINT, true, TDW_SQL_UBIGINT, "UBIGINT", 20, 20, 20},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.localTypeName);
        const auto metadata = Create(c.code, c.isUnsigned);
        EXPECT_EQ(c.isUnsigned, metadata->IsUnsigned());
        EXPECT_EQ(c.type, metadata->GetTDWType());
        EXPECT_EQ(c.localTypeName, Show(metadata->GetLocalTypeName()));
        EXPECT_EQ(c.columnSize, metadata->GetStoredColumnSize());
        EXPECT_EQ(c.displaySize, metadata->GetStoredDisplaySize());
        EXPECT_EQ(c.precision, metadata->GetPrecision());
    }
    // The argument means nothing to the other types.
    EXPECT_TRUE(Create(SQL_CHAR, false)->IsUnsigned());
    EXPECT_FALSE(Create(SQL_DOUBLE, true)->IsUnsigned());
}

TEST_F(SqlTypeMetadataTest, SetUnsignedChangesOnlyWhatDiffersBetweenTheForms)
{
    const auto tinyint = Create(SQL_TINYINT);
    tinyint->SetColumnSize(99);
    m_factory.SetUnsigned(*tinyint, true);
    EXPECT_EQ(TDW_SQL_UTINYINT, tinyint->GetTDWType());
    EXPECT_EQ("UTINYINT", Show(tinyint->GetLocalTypeName()));
    EXPECT_EQ(3u, tinyint->GetStoredDisplaySize());
    EXPECT_EQ(99u, tinyint->GetStoredColumnSize());

    const auto bigint = Create(SQL_BIGINT);
    m_factory.SetUnsigned(*bigint, true);
    EXPECT_EQ(20u, bigint->GetStoredColumnSize());
    EXPECT_EQ(20, bigint->GetPrecision());
    m_factory.SetUnsigned(*bigint, false);
    EXPECT_EQ(TDW_SQL_SBIGINT, bigint->GetTDWType());
    EXPECT_EQ(19u, bigint->GetStoredColumnSize());
    EXPECT_EQ(19, bigint->GetPrecision());

    const auto real = Create(SQL_REAL);
    m_factory.SetUnsigned(*real, true);
    EXPECT_TRUE(real->IsUnsigned());
    EXPECT_EQ(TDW_SQL_REAL, real->GetTDWType());
}

TEST_F(SqlTypeMetadataTest, UnknownCodesAreRefused)
{
    const RaisedError error = Capture<SupportException>([&] { Create(200); });
    EXPECT_EQ("SQLTypeNotSupported", error.key);
    EXPECT_EQ(SUPPORT_COMPONENT_ID, error.componentId);
    EXPECT_EQ((Parameters{"UNKNOWN", "200"}), error.parameters);
}

TEST_F(SqlTypeMetadataTest, SetSqlTypeRestoresWhatTheNewTypeKeeps)
{
    enum Kept
    {
        NOTHING,
        LENGTH_PRECISION_SCALE,
        SCALE,
        LENGTH
    };
    const std::pair<int16_t, Kept> cases[] = {
        {SQL_NUMERIC, NOTHING}, {SQL_DECIMAL, NOTHING},
        {SQL_INTEGER, LENGTH_PRECISION_SCALE}, {SQL_SMALLINT, LENGTH_PRECISION_SCALE},
        {SQL_LONGVARCHAR, LENGTH_PRECISION_SCALE}, {SQL_WLONGVARCHAR, LENGTH_PRECISION_SCALE},
        {SQL_WVARCHAR, LENGTH_PRECISION_SCALE}, {SQL_WCHAR, LENGTH_PRECISION_SCALE},
        {SQL_BIT, LENGTH_PRECISION_SCALE}, {SQL_TINYINT, LENGTH_PRECISION_SCALE},
        {SQL_BIGINT, LENGTH_PRECISION_SCALE},
        {SQL_CHAR, SCALE}, {SQL_FLOAT, SCALE}, {SQL_REAL, SCALE}, {SQL_DOUBLE, SCALE},
        {SQL_VARCHAR, SCALE}, {SQL_GUID, SCALE}, {SQL_LONGVARBINARY, SCALE},
        {SQL_VARBINARY, SCALE}, {SQL_BINARY, SCALE},
        {SQL_DATE, LENGTH}, {SQL_TIME, LENGTH}, {SQL_TIMESTAMP, LENGTH},
        {SQL_TYPE_DATE, LENGTH}, {SQL_TYPE_TIME, LENGTH}, {SQL_TYPE_TIMESTAMP, LENGTH},
    };
    std::vector<std::pair<int16_t, Kept>> all(std::begin(cases), std::end(cases));
    for (int16_t code = SQL_INTERVAL_YEAR; code <= SQL_INTERVAL_MINUTE_TO_SECOND; ++code)
    {
        all.emplace_back(code, SCALE);
    }
    for (const auto& [code, kept] : all)
    {
        SCOPED_TRACE(code);
        const auto metadata = Create(SQL_CHAR);
        metadata->SetLengthOrIntervalPrecision(200);
        metadata->SetPrecision(7);
        metadata->SetScale(3);
        m_factory.SetSqlType(code, *metadata);
        // The record was unsigned, as every CHAR is.
        const auto defaults = Create(code, true);
        EXPECT_EQ(code, metadata->GetConciseType());
        EXPECT_EQ(defaults->GetTDWType(), metadata->GetTDWType());
        const bool keepsAll = kept == LENGTH_PRECISION_SCALE;
        EXPECT_EQ(keepsAll || kept == LENGTH ? 200u : defaults->GetLengthOrIntervalPrecision(),
                  metadata->GetLengthOrIntervalPrecision());
        EXPECT_EQ(keepsAll ? 7 : defaults->GetPrecision(), metadata->GetPrecision());
        EXPECT_EQ(keepsAll || kept == SCALE ? 3 : 0, metadata->GetScale());
    }
    EXPECT_EQ(39u, all.size());
}

TEST_F(SqlTypeMetadataTest, ResetKeepsTheSizesTheNewTypeLeavesUnwritten)
{
    const auto metadata = Create(SQL_INTEGER);
    m_factory.SetSqlType(SQL_VARCHAR, *metadata);
    EXPECT_EQ(10u, metadata->GetStoredColumnSize());
    EXPECT_EQ(11u, metadata->GetStoredDisplaySize());
    EXPECT_EQ(4u, metadata->GetOctetLength());

    m_factory.SetSqlType(SQL_INTERVAL_MONTH, *metadata);
    EXPECT_EQ(10u, metadata->GetStoredColumnSize());
    EXPECT_EQ(3u, metadata->GetStoredDisplaySize());
    EXPECT_EQ(34u, metadata->GetOctetLength());
}

TEST_F(SqlTypeMetadataTest, SetSqlTypeKeepsSignednessAndAttachment)
{
    const auto untyped = Create(0);
    m_factory.SetSqlType(SQL_TINYINT, *untyped);
    EXPECT_EQ(TDW_SQL_UTINYINT, untyped->GetTDWType());

    const auto integer = Create(SQL_INTEGER, true);
    m_factory.SetSqlType(SQL_BIGINT, *integer);
    EXPECT_EQ(TDW_SQL_UBIGINT, integer->GetTDWType());

    const auto smallint = Create(SQL_SMALLINT);
    m_factory.SetSqlType(SQL_TINYINT, *smallint);
    EXPECT_EQ(TDW_SQL_STINYINT, smallint->GetTDWType());

    const auto attached = m_factory.CreateNewSqlTypeMetadata(SQL_CHAR, false, 1);
    m_factory.SetSqlType(SQL_VARBINARY, *attached);
    EXPECT_EQ(1u, attached->GetAttached());
}

TEST_F(SqlTypeMetadataTest, SetSqlTypeRefusesNoTypeAfterResetting)
{
    const auto metadata = Create(SQL_INTEGER);
    const RaisedError error = Capture<SupportException>([&] { m_factory.SetSqlType(0, *metadata); });
    EXPECT_EQ("SQLTypeNotSupported", error.key);
    EXPECT_EQ((Parameters{"UNKNOWN", "0"}), error.parameters);
    EXPECT_EQ(TDW_SQL_NOTYPE, metadata->GetTDWType());

    const RaisedError unknown = Capture<SupportException>([&] { m_factory.SetSqlType(-99, *metadata); });
    EXPECT_EQ((Parameters{"UNKNOWN", "-99"}), unknown.parameters);
    EXPECT_EQ(-99, metadata->GetConciseType());
}

TEST_F(SqlTypeMetadataTest, PrecisionChecks)
{
    const auto numeric = Create(SQL_NUMERIC);
    numeric->SetPrecision(38);
    EXPECT_EQ(40u, numeric->GetOctetLength());
    numeric->SetPrecision(10);
    EXPECT_EQ(12u, numeric->GetOctetLength());
    EXPECT_EQ("PrecLessThanZero",
              Capture<BadPrecisionException>([&] { numeric->SetPrecision(-1); }).key);
    EXPECT_EQ(10, numeric->GetPrecision());

    for (int16_t code : {SQL_INTERVAL_YEAR, SQL_TYPE_TIME, SQL_TYPE_TIMESTAMP})
    {
        SCOPED_TRACE(code);
        const auto metadata = Create(code);
        metadata->SetPrecision(9);
        const RaisedError tooBig = Capture<BadPrecisionException>([&] { metadata->SetPrecision(10); });
        EXPECT_EQ("MaxPrecisionExceeded", tooBig.key);
        EXPECT_EQ((Parameters{"10", "9"}), tooBig.parameters);
        const RaisedError negative = Capture<BadPrecisionException>([&] { metadata->SetPrecision(-1); });
        EXPECT_EQ("PrecLessThanZero", negative.key);
        EXPECT_FALSE(negative.hasParameters);
        EXPECT_EQ(9, metadata->GetPrecision());
    }

    const auto varchar = Create(SQL_VARCHAR);
    varchar->SetPrecision(-5);
    EXPECT_EQ(-5, varchar->GetPrecision());
    EXPECT_EQ(0u, varchar->GetOctetLength());
}

TEST_F(SqlTypeMetadataTest, LengthCheckAppliesToIntervalsOnly)
{
    const auto interval = Create(SQL_INTERVAL_DAY);
    interval->SetLengthOrIntervalPrecision(9);
    const RaisedError error =
        Capture<BadPrecisionException>([&] { interval->SetLengthOrIntervalPrecision(10); });
    EXPECT_EQ("MaxPrecisionExceeded", error.key);
    EXPECT_EQ((Parameters{"10", "9"}), error.parameters);
    EXPECT_EQ(9u, interval->GetLengthOrIntervalPrecision());

    const auto varchar = Create(SQL_VARCHAR);
    varchar->SetLengthOrIntervalPrecision(10);
    EXPECT_EQ(10u, varchar->GetLengthOrIntervalPrecision());
}

TEST_F(SqlTypeMetadataTest, ValidateChecksExactNumericsOnly)
{
    const auto numeric = Create(SQL_DECIMAL);
    numeric->Validate();
    numeric->SetScale(-1);
    EXPECT_EQ("ScaleLessThanZero", Capture<BadScaleException>([&] { numeric->Validate(); }).key);

    const auto integer = Create(SQL_INTEGER);
    integer->SetScale(-1);
    integer->Validate();
}

TEST_F(SqlTypeMetadataTest, ColumnAndDisplaySizes)
{
    struct Case
    {
        int16_t code;
        uint64_t length;
        int16_t precision;
        uint32_t columnSize;
        uint32_t displaySize;
    };
    const Case cases[] = {
        {SQL_VARCHAR, 1, 1, 50, 50},
        {SQL_WCHAR, 0, 0, 50, 50},
        {SQL_VARBINARY, 1, 1, 50, 100},
        {SQL_NUMERIC, 38, 12, 12, 14},
        {SQL_TYPE_TIMESTAMP, 26, 0, 19, 19},
        {SQL_TYPE_TIMESTAMP, 26, 3, 23, 23},
        {SQL_TYPE_TIME, 8, 0, 8, 8},
        {SQL_TYPE_TIME, 8, 2, 11, 11},
        {SQL_DOUBLE, 24, 53, 15, 24},
        {SQL_INTEGER, 10, 10, 10, 11},
        {SQL_GUID, 36, 16, 36, 36},
        {SQL_LONGVARCHAR, 1, 1, 50, 50},
        {SQL_INTERVAL_YEAR, 3, 0, 3, 4},
        {SQL_INTERVAL_MONTH, 4, 0, 4, 5},
        {SQL_INTERVAL_DAY, 5, 0, 5, 6},
        {SQL_INTERVAL_HOUR, 6, 0, 6, 7},
        {SQL_INTERVAL_MINUTE, 7, 0, 7, 8},
        {SQL_INTERVAL_DAY_TO_HOUR, 3, 0, 6, 7},
        {SQL_INTERVAL_HOUR_TO_MINUTE, 4, 0, 7, 8},
        {SQL_INTERVAL_SECOND, 2, 6, 9, 10},
        {SQL_INTERVAL_SECOND, 2, 0, 2, 4},
        {SQL_INTERVAL_YEAR_TO_MONTH, 2, 0, 5, 6},
        {SQL_INTERVAL_DAY_TO_MINUTE, 2, 0, 8, 9},
        {SQL_INTERVAL_DAY_TO_SECOND, 2, 6, 18, 19},
        {SQL_INTERVAL_DAY_TO_SECOND, 2, 0, 11, 13},
        {SQL_INTERVAL_HOUR_TO_SECOND, 2, 6, 15, 16},
        {SQL_INTERVAL_HOUR_TO_SECOND, 2, 0, 8, 10},
        {SQL_INTERVAL_MINUTE_TO_SECOND, 2, 6, 12, 13},
        {SQL_INTERVAL_MINUTE_TO_SECOND, 3, 0, 6, 8},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.code << " length " << c.length << " precision " << c.precision);
        const auto metadata = Create(c.code);
        metadata->SetLengthOrIntervalPrecision(c.length);
        metadata->SetPrecision(c.precision);
        EXPECT_EQ(c.columnSize, metadata->GetColumnSize(50));
        EXPECT_EQ(c.displaySize, metadata->GetDisplaySize(50));
    }
}
