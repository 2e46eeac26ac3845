#include "Support/TypedDataWrapper/TypeConversionInfo.h"

#include "Support/InvalidArgumentException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include "TypedDataTestSupport.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <memory>
#include <utility>

using namespace Orvik::Support;

namespace {

struct CodeCase
{
    int16_t code;
    TDWType type;
};

} // namespace

TEST(TypeConversionInfo, MapsSqlCodesToIds)
{
    const CodeCase cases[] = {
        {SQL_CHAR, TDW_SQL_CHAR},
        {SQL_WLONGVARCHAR, TDW_SQL_WLONGVARCHAR},
        {SQL_DATE, TDW_SQL_TYPE_DATE},
        {SQL_TYPE_DATE, TDW_SQL_TYPE_DATE},
        {SQL_TIME, TDW_SQL_TYPE_TIME},
        {SQL_TYPE_TIMESTAMP, TDW_SQL_TYPE_TIMESTAMP},
        {SQL_TINYINT, TDW_SQL_UTINYINT},
        {SQL_SMALLINT, TDW_SQL_SSMALLINT},
        {SQL_INTEGER, TDW_SQL_SINTEGER},
        {SQL_BIGINT, TDW_SQL_SBIGINT},
        {SQL_FLOAT, TDW_SQL_FLOAT},
        {SQL_GUID, TDW_SQL_GUID},
        {SQL_INTERVAL_YEAR, TDW_SQL_INTERVAL_YEAR},
        {SQL_INTERVAL_MINUTE, TDW_SQL_INTERVAL_MINUTE},
        {SQL_INTERVAL_YEAR_TO_MONTH, TDW_SQL_INTERVAL_YEAR_TO_MONTH},
        {SQL_INTERVAL_DAY_TO_HOUR, TDW_SQL_INTERVAL_DAY_TO_HOUR},
        {SQL_INTERVAL_MINUTE_TO_SECOND, TDW_SQL_INTERVAL_MINUTE_TO_SECOND},
        {0, TDW_SQL_NOTYPE},
        {SQL_C_UTINYINT, TDW_SQL_NOTYPE},
        {SQL_C_DEFAULT, TDW_SQL_NOTYPE},
        // Outside the table's range.
        {-29, TDW_SQL_NOTYPE},
        {114, TDW_SQL_NOTYPE},
        {INT16_MIN, TDW_SQL_NOTYPE},
        {INT16_MAX, TDW_SQL_NOTYPE},
    };
    for (const CodeCase& c : cases)
    {
        EXPECT_EQ(c.type, TypeConversionInfo::GetTDWTypeForSqlType(c.code)) << c.code;
    }
}

TEST(TypeConversionInfo, MapsCCodesToIds)
{
    const CodeCase cases[] = {
        {SQL_C_CHAR, TDW_C_CHAR},
        {SQL_C_WCHAR, TDW_C_WCHAR},
        {SQL_C_TINYINT, TDW_C_UTINYINT},
        {SQL_C_STINYINT, TDW_C_STINYINT},
        {SQL_C_UTINYINT, TDW_C_UTINYINT},
        {SQL_C_SHORT, TDW_C_SSHORT},
        {SQL_C_USHORT, TDW_C_USHORT},
        {SQL_C_LONG, TDW_C_SLONG},
        {SQL_C_ULONG, TDW_C_ULONG},
        {SQL_C_SBIGINT, TDW_C_SBIGINT},
        {SQL_C_UBIGINT, TDW_C_UBIGINT},
        {SQL_C_DATE, TDW_C_TYPE_DATE},
        {SQL_C_TYPE_TIMESTAMP, TDW_C_TYPE_TIMESTAMP},
        {SQL_C_INTERVAL_YEAR, TDW_C_INTERVAL_YEAR},
        {SQL_C_INTERVAL_SECOND, TDW_C_INTERVAL_SECOND},
        {SQL_C_INTERVAL_MINUTE_TO_SECOND, TDW_C_INTERVAL_MINUTE_TO_SECOND},
        {SQL_C_GUID, TDW_C_GUID},
        {SQL_C_DEFAULT, TDW_C_DEFAULT},
        {SQL_VARCHAR, TDW_SQL_NOTYPE},
        {SQL_BIGINT, TDW_SQL_NOTYPE},
        {-29, TDW_SQL_NOTYPE},
        {16384, TDW_SQL_NOTYPE},
    };
    for (const CodeCase& c : cases)
    {
        EXPECT_EQ(c.type, TypeConversionInfo::GetTDWTypeForCType(c.code)) << c.code;
    }
}

TEST(TypeConversionInfo, MapsIdsBackToCodes)
{
    const CodeCase cases[] = {
        {SQL_TYPE_DATE, TDW_SQL_TYPE_DATE},
        {SQL_TINYINT, TDW_SQL_STINYINT},
        {SQL_TINYINT, TDW_SQL_UTINYINT},
        {SQL_TINYINT, TDW_C_TINYINT},
        {SQL_BIGINT, TDW_SQL_UBIGINT},
        {SQL_GUID, TDW_SQL_GUID},
        {SQL_C_INTERVAL_DAY_TO_SECOND, TDW_C_INTERVAL_DAY_TO_SECOND},
        {SQL_C_DEFAULT, TDW_C_DEFAULT},
        {SQL_C_UTINYINT, TDW_C_UTINYINT},
        // The SQL intervals, the XML, driver-defined and absent ids have no code.
        {0, TDW_SQL_INTERVAL_DAY_TO_SECOND},
        {0, TDW_SQL_INTERVAL_YEAR},
        {0, TDW_C_XML},
        {0, TDW_C_CUSTOM},
        {0, static_cast<TDWType>(38)},
        {0, TDW_SQL_NOTYPE},
        {0, static_cast<TDWType>(80)},
        {0, static_cast<TDWType>(-1)},
    };
    for (const CodeCase& c : cases)
    {
        EXPECT_EQ(c.code, TypeConversionInfo::GetSqlTypeForTDWType(c.type)) << c.type;
    }
}

TEST(TypeConversionInfo, SupportedSqlCodes)
{
    for (int16_t code : {SQL_GUID, SQL_TINYINT, SQL_DATE, SQL_TYPE_DATE, SQL_INTERVAL_MINUTE_TO_SECOND})
    {
        EXPECT_TRUE(TypeConversionInfo::IsSupportedSqlType(code)) << code;
    }
    for (int16_t code : {-12, -28, 0, 13, 100, 114, INT16_MAX})
    {
        EXPECT_FALSE(TypeConversionInfo::IsSupportedSqlType(code)) << code;
    }
}

namespace {

class CustomCTypes : public SqlCTypeUtilities
{
public:
    bool IsCustomCType(int16_t in_cType) const override { return in_cType == 16500; }
};

} // namespace

TEST(TypeConversionInfo, SupportedCCodesAskTheUtilitiesAboutDriverDefinedCodes)
{
    for (int16_t code : {SQL_C_UTINYINT, SQL_C_DEFAULT, SQL_C_DATE, SQL_C_INTERVAL_MINUTE_TO_SECOND})
    {
        EXPECT_TRUE(TypeConversionInfo::IsSupportedCType(code)) << code;
    }
    for (int16_t code : {-29, 0, SQL_VARCHAR, 114, 16383, 16384, 16500})
    {
        EXPECT_FALSE(TypeConversionInfo::IsSupportedCType(code)) << code;
    }

    TypedDataSingleton<SqlCTypeUtilities>::Install(std::make_unique<CustomCTypes>());
    EXPECT_TRUE(TypeConversionInfo::IsSupportedCType(16500));
    EXPECT_FALSE(TypeConversionInfo::IsSupportedCType(16501));
    TypedDataSingleton<SqlCTypeUtilities>::Install(nullptr);
}

TEST(TypeConversionInfo, DefaultCTypes)
{
    const std::pair<TDWType, TDWType> cases[] = {
        {TDW_SQL_CHAR, TDW_C_CHAR},
        {TDW_SQL_WLONGVARCHAR, TDW_C_WCHAR},
        {TDW_SQL_DECIMAL, TDW_C_CHAR},
        {TDW_SQL_UTINYINT, TDW_C_UTINYINT},
        {TDW_SQL_SSMALLINT, TDW_C_SSHORT},
        {TDW_SQL_UINTEGER, TDW_C_ULONG},
        {TDW_SQL_FLOAT, TDW_C_DOUBLE},
        {TDW_SQL_REAL, TDW_C_FLOAT},
        {TDW_SQL_INTERVAL_DAY, TDW_C_INTERVAL_DAY},
        {TDW_SQL_INTERVAL_MINUTE, TDW_C_INTERVAL_MINUTE},
        {TDW_SQL_INTERVAL_YEAR_TO_MONTH, TDW_C_INTERVAL_YEAR_TO_MONTH},
        {TDW_SQL_GUID, TDW_C_GUID},
    };
    for (const auto& [sqlType, cType] : cases)
    {
        EXPECT_EQ(cType, TypeConversionInfo::GetDefaultCTypeForSqlType(sqlType)) << sqlType;
    }
}

TEST(TypeConversionInfo, NoDefaultCTypeOutsideTheSqlIds)
{
    for (int32_t id : {int32_t(TDW_SQL_NOTYPE), int32_t(TDW_C_CHAR), int32_t(TDW_C_CUSTOM), 38, 80, -1})
    {
        const RaisedError error = Capture<InvalidArgumentException>(
            [&] { TypeConversionInfo::GetDefaultCTypeForSqlType(static_cast<TDWType>(id)); });
        EXPECT_EQ("InvalidArgumentParam", error.key) << id;
        EXPECT_EQ((Parameters{"in_srcTDWType", "TypedDataWrapper\\TypeConversionInfo", "301"}),
                  error.parameters);
    }
}

TEST(TypeConversionInfo, NamesTheTypeThatMetadataHolds)
{
    SqlTypeMetadataFactory sqlFactory;
    EXPECT_EQ("SQL_TINYINT", Show(TypeConversionInfo::GetCTypeName(*sqlFactory.CreateNewSqlTypeMetadata(SQL_TINYINT, true, 0))));
    EXPECT_EQ("SQL_TYPE_DATE", Show(TypeConversionInfo::GetCTypeName(*sqlFactory.CreateNewSqlTypeMetadata(SQL_DATE, false, 0))));
    EXPECT_EQ("SQL_INTERVAL_MINUTE", Show(TypeConversionInfo::GetCTypeName(*sqlFactory.CreateNewSqlTypeMetadata(SQL_INTERVAL_MINUTE, false, 0))));
    const auto untyped = sqlFactory.CreateNewSqlTypeMetadata(0, false, 0);
    EXPECT_EQ("SQL_NOTYPE", Show(TypeConversionInfo::GetCTypeName(*untyped)));
    untyped->SetTypeName(u"GEO_POINT");
    untyped->SetDriverTypeNumber(1);
    EXPECT_EQ("GEO_POINT", Show(TypeConversionInfo::GetCTypeName(*untyped)));

    SqlCTypeMetadataFactory cFactory;
    EXPECT_EQ("SQL_C_SLONG", Show(TypeConversionInfo::GetCTypeName(*cFactory.CreateNewSqlCTypeMetadata(SQL_C_LONG))));
    EXPECT_EQ("SQL_C_STINYINT", Show(TypeConversionInfo::GetCTypeName(*cFactory.CreateNewSqlCTypeMetadata(SQL_C_TINYINT))));
    EXPECT_EQ("SQL_C_DEFAULT", Show(TypeConversionInfo::GetCTypeName(*cFactory.CreateNewSqlCTypeMetadata(SQL_C_DEFAULT))));
    EXPECT_EQ("SQL_C_GUID", Show(TypeConversionInfo::GetCTypeName(*cFactory.CreateNewSqlCTypeMetadata(SQL_C_GUID))));
}
