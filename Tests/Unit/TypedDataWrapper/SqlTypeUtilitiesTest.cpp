#include "Support/TypedDataWrapper/IsAsciiCompatibleEncoding.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <utility>

using namespace Orvik::Support;

TEST(SqlTypeUtilities, DefaultColumnSizes)
{
    struct Case
    {
        int16_t code;
        int32_t size;
        int32_t unsignedSize;
    };
    const Case cases[] = {
        {SQL_BIGINT, 19, 20},
        {SQL_INTEGER, 10, 10},
        {SQL_DATE, 10, 10},
        {SQL_TYPE_DATE, 10, 10},
        {SQL_TYPE_TIME, 0, 0},
        {SQL_FLOAT, 0, 0},
        {SQL_REAL, 7, 7},
        {SQL_DOUBLE, 15, 15},
        {SQL_INTERVAL_MINUTE, 2, 2},
        {SQL_INTERVAL_SECOND, 9, 9},
        {SQL_INTERVAL_DAY_TO_MINUTE, 8, 8},
        {SQL_INTERVAL_DAY_TO_SECOND, 18, 18},
        {SQL_INTERVAL_HOUR_TO_SECOND, 15, 15},
        {SQL_INTERVAL_MINUTE_TO_SECOND, 12, 12},
        {SQL_GUID, 36, 36},
        {SQL_BIT, 1, 1},
        {SQL_TINYINT, 3, 3},
        {SQL_VARCHAR, 0, 0},
        {999, 0, 0},
    };
    SqlTypeUtilities utilities;
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.size, utilities.GetDefaultColumnSize(c.code, false)) << c.code;
        EXPECT_EQ(c.unsignedSize, utilities.GetDefaultColumnSize(c.code, true)) << c.code;
    }
}

TEST(SqlTypeUtilities, Categories)
{
    SqlTypeUtilities u;
    EXPECT_TRUE(u.IsAnyCharacterType(SQL_WVARCHAR));
    EXPECT_TRUE(u.IsAnyCharacterType(SQL_LONGVARCHAR));
    EXPECT_FALSE(u.IsAnyCharacterType(SQL_BINARY));
    EXPECT_TRUE(u.IsCharacterOrBinaryType(SQL_LONGVARBINARY));
    EXPECT_FALSE(u.IsCharacterOrBinaryType(SQL_GUID));
    EXPECT_TRUE(u.IsDatetimeType(SQL_DATE));
    EXPECT_TRUE(u.IsDatetimeType(SQL_TYPE_TIMESTAMP));
    EXPECT_FALSE(u.IsDatetimeType(SQL_INTERVAL_YEAR));
    EXPECT_TRUE(u.IsNumericType(SQL_FLOAT));
    EXPECT_TRUE(u.IsNumericType(SQL_DECIMAL));
    EXPECT_TRUE(u.IsNumericType(SQL_TINYINT));
    EXPECT_FALSE(u.IsNumericType(SQL_BIT));
    EXPECT_TRUE(u.IsIntervalType(SQL_INTERVAL_YEAR));
    EXPECT_TRUE(u.IsIntervalType(SQL_INTERVAL_MINUTE_TO_SECOND));
    EXPECT_FALSE(u.IsIntervalType(100));
    EXPECT_FALSE(u.IsIntervalType(114));
    EXPECT_TRUE(u.IsLongDataType(SQL_WLONGVARCHAR));
    EXPECT_FALSE(u.IsLongDataType(SQL_WVARCHAR));
}

TEST(SqlTypeUtilities, DatetimeIntervalCodesAndVerboseTypes)
{
    struct Case
    {
        int16_t code;
        int16_t subcode;
        int16_t verbose;
    };
    const Case cases[] = {
        {SQL_DATE, SQL_CODE_DATE, SQL_DATETIME},
        {SQL_TIMESTAMP, SQL_CODE_TIMESTAMP, SQL_DATETIME},
        {SQL_TYPE_DATE, SQL_CODE_DATE, SQL_DATETIME},
        {SQL_TYPE_TIME, SQL_CODE_TIME, SQL_DATETIME},
        {SQL_INTERVAL_YEAR, SQL_CODE_YEAR, SQL_INTERVAL},
        {SQL_INTERVAL_DAY, SQL_CODE_DAY, SQL_INTERVAL},
        {SQL_INTERVAL_MINUTE_TO_SECOND, SQL_CODE_MINUTE_TO_SECOND, SQL_INTERVAL},
        {SQL_CHAR, 0, SQL_CHAR},
        {SQL_BIGINT, 0, SQL_BIGINT},
        {12, 0, 12},
        {90, 0, 90},
        {114, 0, 114},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.subcode, SqlTypeUtilities::GetDatetimeIntervalCode(c.code)) << c.code;
        EXPECT_EQ(c.verbose, SqlTypeUtilities::GetVerboseType(c.code)) << c.code;
    }
}

TEST(SqlTypeUtilities, OleDbTypeIndicators)
{
    struct Case
    {
        int16_t code;
        int32_t isSigned;
        int32_t isUnsigned;
    };
    const Case cases[] = {
        {SQL_VARCHAR, 129, 129},
        {SQL_INTERVAL_SECOND, 129, 129},
        {SQL_INTERVAL_MINUTE, 3, 3},
        {SQL_NUMERIC, 131, 131},
        {SQL_DECIMAL, 14, 14},
        {SQL_INTEGER, 3, 19},
        {SQL_SMALLINT, 2, 18},
        {SQL_TINYINT, 16, 17},
        {SQL_BIGINT, 20, 21},
        {SQL_FLOAT, 4, 4},
        {SQL_DOUBLE, 5, 5},
        {SQL_DATE, 133, 133},
        {SQL_TYPE_TIME, 134, 134},
        {SQL_TIMESTAMP, 135, 135},
        {SQL_GUID, 72, 72},
        {SQL_WCHAR, 130, 130},
        {SQL_BIT, 11, 11},
        {SQL_LONGVARBINARY, 128, 128},
        {0, 0, 0},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.isSigned, SqlTypeUtilities::GetOleDbTypeIndicator(c.code, true)) << c.code;
        EXPECT_EQ(c.isUnsigned, SqlTypeUtilities::GetOleDbTypeIndicator(c.code, false)) << c.code;
    }
}

TEST(SqlCTypeUtilities, Categories)
{
    SqlCTypeUtilities u;
    EXPECT_TRUE(u.IsCharacterOrBinaryType(SQL_C_WCHAR));
    EXPECT_FALSE(u.IsCharacterOrBinaryType(SQL_C_GUID));
    EXPECT_TRUE(u.IsDatetimeType(SQL_C_TYPE_DATE));
    EXPECT_TRUE(u.IsDatetimeType(SQL_C_TIME));
    EXPECT_FALSE(u.IsDatetimeType(SQL_C_DATE));
    for (int16_t code : {SQL_C_UTINYINT, SQL_C_UBIGINT, SQL_C_STINYINT, SQL_C_SBIGINT, SQL_C_ULONG,
                         SQL_C_USHORT, SQL_C_SLONG, SQL_C_SSHORT, SQL_C_TINYINT, SQL_C_LONG,
                         SQL_C_SHORT})
    {
        EXPECT_TRUE(u.IsIntegerType(code)) << code;
    }
    for (int16_t code : {-29, -24, -19, -14, SQL_C_BIT, SQL_C_NUMERIC, SQL_C_FLOAT})
    {
        EXPECT_FALSE(u.IsIntegerType(code)) << code;
    }
    EXPECT_TRUE(u.IsIntervalType(SQL_C_INTERVAL_YEAR));
    EXPECT_FALSE(u.IsIntervalType(SQL_C_DEFAULT));
}

TEST(SqlCTypeUtilities, FlaggedCodes)
{
    SqlCTypeUtilities u;
    for (int16_t code : {SQL_C_CHAR, SQL_C_LONG, SQL_C_SHORT, SQL_C_DATE, SQL_C_TYPE_DATE,
                         SQL_C_DEFAULT, SQL_C_UTINYINT, SQL_C_SBIGINT, SQL_C_ULONG, SQL_C_SSHORT,
                         SQL_C_WCHAR, SQL_C_TINYINT, SQL_C_BINARY})
    {
        EXPECT_FALSE(u.IsCTypeFlagged(code)) << code;
    }
    for (int16_t code : {SQL_C_NUMERIC, SQL_C_FLOAT, SQL_C_DOUBLE, SQL_C_TIME, SQL_C_TYPE_TIMESTAMP,
                         SQL_C_INTERVAL_DAY, SQL_C_BIT, SQL_C_GUID, -29, -24, -14, 12, 16384})
    {
        EXPECT_TRUE(u.IsCTypeFlagged(code)) << code;
    }
}

TEST(SqlCTypeUtilities, DefinesNoCustomTypes)
{
    SqlCTypeUtilities u;
    EXPECT_FALSE(u.IsCustomCType(16384));
    EXPECT_FALSE(u.CheckCustomCType(16384, 1));
    EXPECT_EQ(4, u.GetCustomCTypeValue(16384));
}

TEST(SqlTypeUtilities, SqlTypeNames)
{
    const std::pair<int16_t, const char*> cases[] = {
        {SQL_CHAR, "SQL_CHAR"},
        {SQL_DATE, "SQL_DATE"},
        {SQL_TIMESTAMP, "SQL_TIMESTAMP"},
        {SQL_TYPE_DATE, "SQL_TYPE_DATE"},
        {SQL_GUID, "SQL_GUID"},
        {SQL_TINYINT, "SQL_TINYINT"},
        {SQL_WLONGVARCHAR, "SQL_WLONGVARCHAR"},
        {SQL_INTERVAL_YEAR, "SQL_INTERVAL_YEAR"},
        {SQL_INTERVAL_MINUTE_TO_SECOND, "SQL_INTERVAL_MINUTE_TO_SECOND"},
        {0, "UNKNOWN"},
        {100, "UNKNOWN"},
        {SQL_C_UTINYINT, "UNKNOWN"},
    };
    SqlTypeUtilities utilities;
    for (const auto& [code, name] : cases)
    {
        EXPECT_EQ(name, Show(utilities.GetSqlTypeName(code))) << code;
    }
}

TEST(SqlTypeUtilities, TypeIdNames)
{
    const std::pair<int32_t, const char*> cases[] = {
        {TDW_SQL_CHAR, "TDW_SQL_CHAR"},
        {TDW_SQL_UTINYINT, "TDW_SQL_UTINYINT"},
        {TDW_SQL_INTERVAL_HOUR_TO_SECOND, "TDW_SQL_INTERVAL_HOUR_TO_SECOND"},
        {TDW_SQL_INTERVAL_MINUTE, "TDW_SQL_INTERVAL_MINUTEcase"},
        {TDW_SQL_INTERVAL_MINUTE_TO_SECOND, "TDW_SQL_INTERVAL_MINUTE_TO_SECOND"},
        {TDW_SQL_GUID, "TDW_SQL_GUID"},
        {TDW_SQL_NOTYPE, "TDW_SQL_NOTYPE"},
        {TDW_C_CHAR, "TDW_SQL_NOTYPE"},
        {38, "TDW_SQL_NOTYPE"},
        {-1, "TDW_SQL_NOTYPE"},
    };
    SqlTypeUtilities utilities;
    for (const auto& [id, name] : cases)
    {
        EXPECT_EQ(name, Show(utilities.GetTDWTypeName(static_cast<TDWType>(id)))) << id;
    }
}

TEST(SqlCTypeUtilities, CTypeNames)
{
    const std::pair<int16_t, const char*> cases[] = {
        {SQL_C_CHAR, "SQL_C_CHAR"},
        {SQL_C_LONG, "SQL_C_LONG"},
        {SQL_C_DATE, "SQL_C_DATE"},
        {SQL_C_TYPE_TIMESTAMP, "SQL_C_TYPE_TIMESTAMP"},
        {SQL_C_INTERVAL_YEAR, "SQL_C_INTERVAL_YEAR"},
        {SQL_C_INTERVAL_MINUTE_TO_SECOND, "SQL_C_INTERVAL_MINUTE_TO_SECOND"},
        {SQL_C_UTINYINT, "SQL_C_UTINYINT"},
        {SQL_C_SSHORT, "SQL_C_SSHORT"},
        {SQL_C_TINYINT, "SQL_C_TINYINT"},
        {SQL_C_BINARY, "SQL_C_BINARY"},
        {SQL_C_GUID, "-11"},
        {SQL_C_DEFAULT, "99"},
        {16384, "16384"},
        {0, "0"},
    };
    SqlCTypeUtilities utilities;
    for (const auto& [code, name] : cases)
    {
        EXPECT_EQ(name, Show(utilities.GetCTypeName(code))) << code;
    }
}

TEST(IsAsciiCompatibleEncoding, ByTableIndex)
{
    for (EncodingType encoding : {0, 5, 6, 7, 16, 20, 29, 31, 33, 36, 40, 54, 61, 68, 70, 82, 83, 85, 89})
    {
        EXPECT_TRUE(IsAsciiCompatibleEncoding(encoding)) << encoding;
    }
    // UTF-16 and UTF-32, East-Asian, EBCDIC, KOI8-R, HZ, windows-1253, TIS-620, outside the table.
    for (EncodingType encoding : {-1, 1, 4, 17, 19, 21, 28, 32, 37, 39, 41, 53, 62, 66, 67, 71, 81, 84, 90, 119, 120})
    {
        EXPECT_FALSE(IsAsciiCompatibleEncoding(encoding)) << encoding;
    }
}
