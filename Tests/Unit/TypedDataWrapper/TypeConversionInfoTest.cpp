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

#include <iterator>
#include <map>
#include <set>
#include <memory>
#include <vector>

using namespace Orvik::Support;

namespace {

// The codes that map to an id; every other code maps to TDW_SQL_NOTYPE (79).
const std::map<int16_t, int32_t> SQL_CODE_IDS = {
    {1, 39}, {12, 40}, {-1, 41}, {-8, 42}, {-9, 43}, {-10, 44}, {-7, 45}, {-2, 46}, {-3, 47},
    {-4, 48}, {2, 49}, {3, 50}, {-6, 52}, {5, 53}, {4, 55}, {-5, 57}, {7, 59}, {6, 60}, {8, 61},
    {-11, 78}, {9, 62}, {91, 62}, {10, 63}, {92, 63}, {11, 64}, {93, 64},
    {101, 76}, {102, 74}, {103, 65}, {104, 69}, {105, 72}, {106, 75}, {107, 77}, {108, 66},
    {109, 67}, {110, 68}, {111, 70}, {112, 71}, {113, 73},
};

const std::map<int16_t, int32_t> C_CODE_IDS = {
    {1, 0}, {-8, 2}, {-7, 1}, {-2, 3}, {2, 4}, {-6, 6}, {5, 10}, {4, 13}, {7, 16}, {8, 17},
    {-11, 34}, {9, 18}, {91, 18}, {10, 19}, {92, 19}, {11, 20}, {93, 20},
    {101, 32}, {102, 30}, {103, 21}, {104, 25}, {105, 28}, {106, 31}, {107, 33}, {108, 22},
    {109, 23}, {110, 24}, {111, 26}, {112, 27}, {113, 29},
    {-26, 5}, {-28, 6}, {-25, 8}, {-27, 9}, {-15, 10}, {-17, 11}, {-16, 13}, {-18, 14}, {99, 35},
};

// The codes to try: the tables' range -28 to 113 with a margin, and the extremes.
std::vector<int16_t> CodesToTry()
{
    std::vector<int16_t> codes = {INT16_MIN, -1000, 1000, 16384, INT16_MAX};
    for (int16_t code = -40; code <= 130; ++code)
    {
        codes.push_back(code);
    }
    return codes;
}

int32_t Expected(const std::map<int16_t, int32_t>& in_table, int16_t in_code)
{
    const auto found = in_table.find(in_code);
    return found != in_table.end() ? found->second : 79;
}

} // namespace

TEST(TypeConversionInfo, MapsEverySqlCode)
{
    for (int16_t code : CodesToTry())
    {
        const int32_t id = Expected(SQL_CODE_IDS, code);
        EXPECT_EQ(id, TypeConversionInfo::GetTDWTypeForSqlType(code)) << code;
        EXPECT_EQ(id != 79, TypeConversionInfo::IsSupportedSqlType(code)) << code;
    }
}

TEST(TypeConversionInfo, MapsEveryCCode)
{
    for (int16_t code : CodesToTry())
    {
        const int32_t id = Expected(C_CODE_IDS, code);
        EXPECT_EQ(id, TypeConversionInfo::GetTDWTypeForCType(code)) << code;
        EXPECT_EQ(id != 79, TypeConversionInfo::IsSupportedCType(code)) << code;
    }
}

TEST(TypeConversionInfo, MapsEveryIdBackToItsCode)
{
    // By id 0 to 79: the C ids, the unassigned 37 and 38, the SQL ids (intervals without a code),
    // and no type.
    const int16_t codes[] = {
        1, -7, -8, -2, 2, -26, -28, -6, -25, -27, -15, -17, 5, -16, -18, 4, 7, 8, 91, 92,
        93, 103, 108, 109, 110, 104, 111, 112, 105, 113, 102, 106, 101, 107, -11, 99, 0, 0, 0,
        1, 12, -1, -8, -9, -10, -7, -2, -3, -4, 2, 3, -6, -6, 5, 5, 4, 4, -5, -5, 7, 6, 8,
        91, 92, 93, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, -11, 0,
    };
    static_assert(std::size(codes) == 80, "one code per id");
    for (int32_t id = 0; id < 80; ++id)
    {
        EXPECT_EQ(codes[id], TypeConversionInfo::GetSqlTypeForTDWType(static_cast<TDWType>(id))) << id;
    }
    for (int32_t id : {-1, 80, 1000})
    {
        EXPECT_EQ(0, TypeConversionInfo::GetSqlTypeForTDWType(static_cast<TDWType>(id))) << id;
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
    EXPECT_FALSE(TypeConversionInfo::IsSupportedCType(16500));
    TypedDataSingleton<SqlCTypeUtilities>::Install(std::make_unique<CustomCTypes>());
    EXPECT_TRUE(TypeConversionInfo::IsSupportedCType(16500));
    EXPECT_FALSE(TypeConversionInfo::IsSupportedCType(16501));
    TypedDataSingleton<SqlCTypeUtilities>::Install(nullptr);
}

TEST(TypeConversionInfo, DefaultCTypeOfEverySqlId)
{
    // By SQL id 39 to 78.
    const int32_t defaults[] = {
        0, 0, 0, 2, 2, 2, 1, 3, 3, 3, 0, 0, 5, 6, 10, 11, 13, 14, 8, 9,
        16, 17, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34,
    };
    static_assert(std::size(defaults) == 40, "one default per SQL id");
    for (int32_t id = 39; id <= 78; ++id)
    {
        EXPECT_EQ(defaults[id - 39], TypeConversionInfo::GetDefaultCTypeForSqlType(static_cast<TDWType>(id))) << id;
    }
}

TEST(TypeConversionInfo, NoDefaultCTypeOutsideTheSqlIds)
{
    for (int32_t id : {int32_t(TDW_SQL_NOTYPE), int32_t(TDW_C_CHAR), int32_t(TDW_C_DEFAULT), int32_t(TDW_C_CUSTOM), 38, 80, -1})
    {
        const RaisedError error = Capture<InvalidArgumentException>(
            [&] { TypeConversionInfo::GetDefaultCTypeForSqlType(static_cast<TDWType>(id)); });
        EXPECT_EQ("InvalidArgumentParam", error.key) << id;
        EXPECT_EQ((Parameters{"in_srcTDWType", "TypedDataWrapper\\TypeConversionInfo", "301"}),
                  error.parameters);
    }
}

TEST(TypeConversionInfo, NamesTheTypeThatSqlMetadataHolds)
{
    // By SQL id 39 to 78.
    const char* const names[] = {
        "SQL_CHAR", "SQL_VARCHAR", "SQL_LONGVARCHAR", "SQL_WCHAR", "SQL_WVARCHAR",
        "SQL_WLONGVARCHAR", "SQL_BIT", "SQL_BINARY", "SQL_VARBINARY", "SQL_LONGVARBINARY",
        "SQL_NUMERIC", "SQL_DECIMAL", "SQL_TINYINT", "SQL_TINYINT", "SQL_SMALLINT", "SQL_SMALLINT",
        "SQL_INTEGER", "SQL_INTEGER", "SQL_BIGINT", "SQL_BIGINT", "SQL_REAL", "SQL_FLOAT",
        "SQL_DOUBLE", "SQL_TYPE_DATE", "SQL_TYPE_TIME", "SQL_TYPE_TIMESTAMP", "SQL_INTERVAL_DAY",
        "SQL_INTERVAL_DAY_TO_HOUR", "SQL_INTERVAL_DAY_TO_MINUTE", "SQL_INTERVAL_DAY_TO_SECOND",
        "SQL_INTERVAL_HOUR", "SQL_INTERVAL_HOUR_TO_MINUTE", "SQL_INTERVAL_HOUR_TO_SECOND",
        "SQL_INTERVAL_MINUTE", "SQL_INTERVAL_MINUTE_TO_SECOND", "SQL_INTERVAL_MONTH",
        "SQL_INTERVAL_SECOND", "SQL_INTERVAL_YEAR", "SQL_INTERVAL_YEAR_TO_MONTH", "SQL_GUID",
    };
    static_assert(std::size(names) == 40, "one name per SQL id");
    SqlTypeMetadataFactory factory;
    std::set<int32_t> named;
    for (const auto& [code, id] : SQL_CODE_IDS)
    {
        for (bool isUnsigned : {false, true})
        {
            const auto metadata = factory.CreateNewSqlTypeMetadata(code, isUnsigned, 0);
            const int32_t type = metadata->GetTDWType();
            ASSERT_TRUE(IsSqlTypeId(type)) << code;
            EXPECT_EQ(names[type - 39], Show(TypeConversionInfo::GetCTypeName(*metadata))) << type;
            named.insert(type);
        }
    }
    EXPECT_EQ(40u, named.size());

    const auto untyped = factory.CreateNewSqlTypeMetadata(0, false, 0);
    EXPECT_EQ("SQL_NOTYPE", Show(TypeConversionInfo::GetCTypeName(*untyped)));
    untyped->SetTypeName(u"GEO_POINT");
    untyped->SetDriverTypeNumber(1);
    EXPECT_EQ("GEO_POINT", Show(TypeConversionInfo::GetCTypeName(*untyped)));
}

TEST(TypeConversionInfo, NamesTheTypeThatCMetadataHolds)
{
    // By C id 0 to 36.
    const char* const names[] = {
        "SQL_C_CHAR", "SQL_C_BIT", "SQL_C_WCHAR", "SQL_C_BINARY", "SQL_C_NUMERIC", "SQL_C_STINYINT",
        "SQL_C_UTINYINT", "SQL_C_TINYINT", "SQL_C_SBIGINT", "SQL_C_UBIGINT", "SQL_C_SSHORT",
        "SQL_C_USHORT", "SQL_C_SHORT", "SQL_C_SLONG", "SQL_C_ULONG", "SQL_C_LONG", "SQL_C_FLOAT",
        "SQL_C_DOUBLE", "SQL_C_TYPE_DATE", "SQL_C_TYPE_TIME", "SQL_C_TYPE_TIMESTAMP",
        "SQL_C_INTERVAL_DAY", "SQL_C_INTERVAL_DAY_TO_HOUR", "SQL_C_INTERVAL_DAY_TO_MINUTE",
        "SQL_C_INTERVAL_DAY_TO_SECOND", "SQL_C_INTERVAL_HOUR", "SQL_C_INTERVAL_HOUR_TO_MINUTE",
        "SQL_C_INTERVAL_HOUR_TO_SECOND", "SQL_C_INTERVAL_MINUTE", "SQL_C_INTERVAL_MINUTE_TO_SECOND",
        "SQL_C_INTERVAL_MONTH", "SQL_C_INTERVAL_SECOND", "SQL_C_INTERVAL_YEAR",
        "SQL_C_INTERVAL_YEAR_TO_MONTH", "SQL_C_GUID", "SQL_C_DEFAULT", "SQL_C_XML",
    };
    static_assert(std::size(names) == 37, "one name per C id");
    SqlCTypeMetadataFactory factory;
    for (const auto& [code, id] : C_CODE_IDS)
    {
        const auto metadata = factory.CreateNewSqlCTypeMetadata(code);
        const int32_t type = metadata->GetTDWType();
        ASSERT_LT(type, 37) << code;
        EXPECT_EQ(names[type], Show(TypeConversionInfo::GetCTypeName(*metadata))) << code;
    }
    // SQL_C_TINYINT's metadata holds the signed id, which the code table does not give.
    EXPECT_EQ("SQL_C_STINYINT", Show(TypeConversionInfo::GetCTypeName(*factory.CreateNewSqlCTypeMetadata(SQL_C_TINYINT))));
}
