#include "Support/TypedDataWrapper/IsAsciiCompatibleEncoding.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"

#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace Orvik::Support;

namespace {

// The codes to try: the ODBC type codes with a margin, and the extremes.
std::vector<int16_t> CodesToTry()
{
    std::vector<int16_t> codes = {INT16_MIN, -1000, 1000, 16384, INT16_MAX};
    for (int16_t code = -40; code <= 130; ++code)
    {
        codes.push_back(code);
    }
    return codes;
}

std::set<int16_t> Range(int16_t in_first, int16_t in_last)
{
    std::set<int16_t> codes;
    for (int16_t code = in_first; code <= in_last; ++code)
    {
        codes.insert(code);
    }
    return codes;
}

std::set<int16_t> Joined(std::set<int16_t> in_codes, const std::set<int16_t>& in_more)
{
    in_codes.insert(in_more.begin(), in_more.end());
    return in_codes;
}

template <class Utilities>
struct Category
{
    const char* name;
    bool (Utilities::*test)(int16_t) const;
    std::set<int16_t> codes;
};

// Asks every category about every code; true exactly for the category's codes.
template <class Utilities>
void ExpectCategories(const Utilities& in_utilities, const std::vector<Category<Utilities>>& in_categories)
{
    for (const Category<Utilities>& category : in_categories)
    {
        for (int16_t code : CodesToTry())
        {
            EXPECT_EQ(category.codes.count(code) == 1, (in_utilities.*category.test)(code))
                << category.name << " " << code;
        }
    }
}

} // namespace

TEST(SqlTypeUtilities, CategoriesOfEveryCode)
{
    using U = SqlTypeUtilities;
    const std::set<int16_t> character = {-1, 1, 12};
    const std::set<int16_t> wide = {-10, -9, -8};
    const std::set<int16_t> binary = {-4, -3, -2};
    const std::vector<Category<U>> categories = {
        {"IsAnyCharacterType", &U::IsAnyCharacterType, Joined(character, wide)},
        {"IsApproximateNumericType", &U::IsApproximateNumericType, {6, 7, 8}},
        {"IsBinaryType", &U::IsBinaryType, binary},
        {"IsCharacterType", &U::IsCharacterType, character},
        {"IsCharacterOrBinaryType", &U::IsCharacterOrBinaryType, Joined(Joined(character, wide), binary)},
        {"IsDatetimeType", &U::IsDatetimeType, {9, 10, 11, 91, 92, 93}},
        {"IsExactNumericType", &U::IsExactNumericType, {2, 3}},
        {"IsIntegerType", &U::IsIntegerType, {-6, -5, 4, 5}},
        {"IsIntervalType", &U::IsIntervalType, Range(101, 113)},
        {"IsLongDataType", &U::IsLongDataType, {-10, -4, -1}},
        {"IsNumericType", &U::IsNumericType, {-6, -5, 2, 3, 4, 5, 6, 7, 8}},
        {"IsTimeOrTimestampType", &U::IsTimeOrTimestampType, {10, 11, 92, 93}},
        {"IsWideCharacterType", &U::IsWideCharacterType, wide},
    };
    ExpectCategories(SqlTypeUtilities(), categories);
}

namespace {

// Claims code 500 for every basic category, as a driver with types of its own would.
class ExtendedSqlTypes : public SqlTypeUtilities
{
public:
    bool IsApproximateNumericType(int16_t in_code) const override { return in_code == 500; }
    bool IsBinaryType(int16_t in_code) const override { return in_code == 501; }
    bool IsCharacterType(int16_t in_code) const override { return in_code == 502; }
    bool IsExactNumericType(int16_t in_code) const override { return in_code == 503; }
    bool IsIntegerType(int16_t in_code) const override { return in_code == 504; }
    bool IsTimeOrTimestampType(int16_t in_code) const override { return in_code == 505; }
    bool IsWideCharacterType(int16_t in_code) const override { return in_code == 506; }
};

} // namespace

TEST(SqlTypeUtilities, CompositeCategoriesAskTheBasicOnes)
{
    const ExtendedSqlTypes u;
    EXPECT_TRUE(u.IsAnyCharacterType(502));
    EXPECT_TRUE(u.IsAnyCharacterType(506));
    EXPECT_TRUE(u.IsCharacterOrBinaryType(501));
    EXPECT_TRUE(u.IsCharacterOrBinaryType(502));
    EXPECT_TRUE(u.IsCharacterOrBinaryType(506));
    EXPECT_TRUE(u.IsDatetimeType(505));
    EXPECT_TRUE(u.IsNumericType(500));
    EXPECT_TRUE(u.IsNumericType(503));
    EXPECT_TRUE(u.IsNumericType(504));
    EXPECT_FALSE(u.IsNumericType(501));
}

TEST(SqlTypeUtilities, DefaultColumnSizeOfEveryCode)
{
    // Code -> size when signed; only SQL_BIGINT differs when unsigned (20).
    const std::map<int16_t, int32_t> sizes = {
        {4, 10}, {9, 10}, {91, 10}, {5, 5}, {107, 5}, {108, 5}, {111, 5}, {7, 7}, {8, 15},
        {112, 15}, {101, 2}, {102, 2}, {103, 2}, {104, 2}, {105, 2}, {106, 9}, {109, 8},
        {110, 18}, {113, 12}, {-11, 36}, {-7, 1}, {-6, 3}, {-5, 19},
    };
    const SqlTypeUtilities utilities;
    for (int16_t code : CodesToTry())
    {
        const auto found = sizes.find(code);
        const int32_t size = found != sizes.end() ? found->second : 0;
        EXPECT_EQ(size, utilities.GetDefaultColumnSize(code, false)) << code;
        EXPECT_EQ(code == -5 ? 20 : size, utilities.GetDefaultColumnSize(code, true)) << code;
    }
}

TEST(SqlTypeUtilities, NameOfEveryCode)
{
    const std::map<int16_t, std::string> names = {
        {1, "SQL_CHAR"}, {2, "SQL_NUMERIC"}, {3, "SQL_DECIMAL"}, {4, "SQL_INTEGER"},
        {5, "SQL_SMALLINT"}, {6, "SQL_FLOAT"}, {7, "SQL_REAL"}, {8, "SQL_DOUBLE"},
        {9, "SQL_DATE"}, {10, "SQL_TIME"}, {11, "SQL_TIMESTAMP"}, {12, "SQL_VARCHAR"},
        {91, "SQL_TYPE_DATE"}, {92, "SQL_TYPE_TIME"}, {93, "SQL_TYPE_TIMESTAMP"},
        {101, "SQL_INTERVAL_YEAR"}, {102, "SQL_INTERVAL_MONTH"}, {103, "SQL_INTERVAL_DAY"},
        {104, "SQL_INTERVAL_HOUR"}, {105, "SQL_INTERVAL_MINUTE"}, {106, "SQL_INTERVAL_SECOND"},
        {107, "SQL_INTERVAL_YEAR_TO_MONTH"}, {108, "SQL_INTERVAL_DAY_TO_HOUR"},
        {109, "SQL_INTERVAL_DAY_TO_MINUTE"}, {110, "SQL_INTERVAL_DAY_TO_SECOND"},
        {111, "SQL_INTERVAL_HOUR_TO_MINUTE"}, {112, "SQL_INTERVAL_HOUR_TO_SECOND"},
        {113, "SQL_INTERVAL_MINUTE_TO_SECOND"}, {-11, "SQL_GUID"}, {-10, "SQL_WLONGVARCHAR"},
        {-9, "SQL_WVARCHAR"}, {-8, "SQL_WCHAR"}, {-7, "SQL_BIT"}, {-6, "SQL_TINYINT"},
        {-5, "SQL_BIGINT"}, {-4, "SQL_LONGVARBINARY"}, {-3, "SQL_VARBINARY"}, {-2, "SQL_BINARY"},
        {-1, "SQL_LONGVARCHAR"},
    };
    const SqlTypeUtilities utilities;
    for (int16_t code : CodesToTry())
    {
        const auto found = names.find(code);
        EXPECT_EQ(found != names.end() ? found->second : "UNKNOWN", Show(utilities.GetSqlTypeName(code))) << code;
    }
}

TEST(SqlTypeUtilities, NameOfEveryTypeId)
{
    // By SQL id 39 to 78; id 72 carries its stray "case".
    const char* const names[] = {
        "TDW_SQL_CHAR", "TDW_SQL_VARCHAR", "TDW_SQL_LONGVARCHAR", "TDW_SQL_WCHAR",
        "TDW_SQL_WVARCHAR", "TDW_SQL_WLONGVARCHAR", "TDW_SQL_BIT", "TDW_SQL_BINARY",
        "TDW_SQL_VARBINARY", "TDW_SQL_LONGVARBINARY", "TDW_SQL_NUMERIC", "TDW_SQL_DECIMAL",
        "TDW_SQL_STINYINT", "TDW_SQL_UTINYINT", "TDW_SQL_SSMALLINT", "TDW_SQL_USMALLINT",
        "TDW_SQL_SINTEGER", "TDW_SQL_UINTEGER", "TDW_SQL_SBIGINT", "TDW_SQL_UBIGINT",
        "TDW_SQL_REAL", "TDW_SQL_FLOAT", "TDW_SQL_DOUBLE", "TDW_SQL_TYPE_DATE",
        "TDW_SQL_TYPE_TIME", "TDW_SQL_TYPE_TIMESTAMP", "TDW_SQL_INTERVAL_DAY",
        "TDW_SQL_INTERVAL_DAY_TO_HOUR", "TDW_SQL_INTERVAL_DAY_TO_MINUTE",
        "TDW_SQL_INTERVAL_DAY_TO_SECOND", "TDW_SQL_INTERVAL_HOUR",
        "TDW_SQL_INTERVAL_HOUR_TO_MINUTE", "TDW_SQL_INTERVAL_HOUR_TO_SECOND",
        "TDW_SQL_INTERVAL_MINUTEcase", "TDW_SQL_INTERVAL_MINUTE_TO_SECOND",
        "TDW_SQL_INTERVAL_MONTH", "TDW_SQL_INTERVAL_SECOND", "TDW_SQL_INTERVAL_YEAR",
        "TDW_SQL_INTERVAL_YEAR_TO_MONTH", "TDW_SQL_GUID",
    };
    static_assert(std::size(names) == 40, "one name per SQL id");
    const SqlTypeUtilities utilities;
    for (int32_t id = -1; id <= 81; ++id)
    {
        const std::string name = (id >= 39 && id <= 78) ? names[id - 39] : "TDW_SQL_NOTYPE";
        EXPECT_EQ(name, Show(utilities.GetTDWTypeName(static_cast<TDWType>(id)))) << id;
    }
}

TEST(SqlTypeUtilities, DatetimeIntervalCodeAndVerboseTypeOfEveryCode)
{
    for (int16_t code : CodesToTry())
    {
        int16_t subcode = 0;
        int16_t verbose = code;
        if ((code >= 9 && code <= 11) || (code >= 91 && code <= 93))
        {
            subcode = static_cast<int16_t>(code - (code < 91 ? 8 : 90));
            verbose = 9;
        }
        else if (code >= 101 && code <= 113)
        {
            subcode = static_cast<int16_t>(code - 100);
            verbose = 10;
        }
        EXPECT_EQ(subcode, SqlTypeUtilities::GetDatetimeIntervalCode(code)) << code;
        EXPECT_EQ(verbose, SqlTypeUtilities::GetVerboseType(code)) << code;
    }
}

TEST(SqlTypeUtilities, OleDbTypeIndicatorOfEveryCode)
{
    // Code -> (signed, unsigned).
    std::map<int16_t, std::pair<int32_t, int32_t>> indicators = {
        {1, {129, 129}}, {12, {129, 129}}, {-1, {129, 129}}, {2, {131, 131}}, {3, {14, 14}},
        {4, {3, 19}}, {5, {2, 18}}, {6, {4, 4}}, {7, {4, 4}}, {8, {5, 5}}, {9, {133, 133}},
        {91, {133, 133}}, {10, {134, 134}}, {92, {134, 134}}, {11, {135, 135}}, {93, {135, 135}},
        {-11, {72, 72}}, {-10, {130, 130}}, {-9, {130, 130}}, {-8, {130, 130}}, {-7, {11, 11}},
        {-6, {16, 17}}, {-5, {20, 21}}, {-4, {128, 128}}, {-3, {128, 128}}, {-2, {128, 128}},
    };
    for (int16_t code = 101; code <= 113; ++code)
    {
        indicators[code] = code <= 105 ? std::make_pair(3, 3) : std::make_pair(129, 129);
    }
    for (int16_t code : CodesToTry())
    {
        const auto found = indicators.find(code);
        const auto expected = found != indicators.end() ? found->second : std::make_pair(0, 0);
        EXPECT_EQ(expected.first, SqlTypeUtilities::GetOleDbTypeIndicator(code, true)) << code;
        EXPECT_EQ(expected.second, SqlTypeUtilities::GetOleDbTypeIndicator(code, false)) << code;
    }
}

TEST(SqlCTypeUtilities, CategoriesOfEveryCode)
{
    using U = SqlCTypeUtilities;
    std::set<int16_t> flagged;
    const std::set<int16_t> unflagged =
        Joined(Joined({1, 4, 5, 9, 91, 99, -8, -6, -2}, Range(-28, -25)), Range(-18, -15));
    for (int16_t code : CodesToTry())
    {
        if (unflagged.count(code) == 0)
        {
            flagged.insert(code);
        }
    }
    const std::vector<Category<U>> categories = {
        {"IsCharacterOrBinaryType", &U::IsCharacterOrBinaryType, {-8, -2, 1}},
        {"IsApproximateNumericType", &U::IsApproximateNumericType, {7, 8}},
        {"IsExactNumericType", &U::IsExactNumericType, {2}},
        {"IsDatetimeType", &U::IsDatetimeType, {10, 11, 91, 92, 93}},
        {"IsIntegerType", &U::IsIntegerType, Joined(Joined({-6, 4, 5}, Range(-28, -25)), Range(-18, -15))},
        {"IsIntervalType", &U::IsIntervalType, Range(101, 113)},
        {"IsTimeOrTimestampType", &U::IsTimeOrTimestampType, {10, 11, 92, 93}},
        {"IsCTypeFlagged", &U::IsCTypeFlagged, flagged},
        {"IsCustomCType", &U::IsCustomCType, {}},
    };
    ExpectCategories(SqlCTypeUtilities(), categories);
}

TEST(SqlCTypeUtilities, DefinesNoCustomTypes)
{
    const SqlCTypeUtilities u;
    EXPECT_FALSE(u.CheckCustomCType(16384, 1));
    EXPECT_EQ(4, u.GetCustomCTypeValue(16384));
    EXPECT_EQ(4, u.GetCustomCTypeValue(1));
}

TEST(SqlCTypeUtilities, NameOfEveryCode)
{
    std::map<int16_t, std::string> names = {
        {1, "SQL_C_CHAR"}, {2, "SQL_C_NUMERIC"}, {4, "SQL_C_LONG"}, {5, "SQL_C_SHORT"},
        {7, "SQL_C_FLOAT"}, {8, "SQL_C_DOUBLE"}, {9, "SQL_C_DATE"}, {10, "SQL_C_TIME"},
        {11, "SQL_C_TIMESTAMP"}, {91, "SQL_C_TYPE_DATE"}, {92, "SQL_C_TYPE_TIME"},
        {93, "SQL_C_TYPE_TIMESTAMP"}, {101, "SQL_C_INTERVAL_YEAR"}, {102, "SQL_C_INTERVAL_MONTH"},
        {103, "SQL_C_INTERVAL_DAY"}, {104, "SQL_C_INTERVAL_HOUR"}, {105, "SQL_C_INTERVAL_MINUTE"},
        {106, "SQL_C_INTERVAL_SECOND"}, {107, "SQL_C_INTERVAL_YEAR_TO_MONTH"},
        {108, "SQL_C_INTERVAL_DAY_TO_HOUR"}, {109, "SQL_C_INTERVAL_DAY_TO_MINUTE"},
        {110, "SQL_C_INTERVAL_DAY_TO_SECOND"}, {111, "SQL_C_INTERVAL_HOUR_TO_MINUTE"},
        {112, "SQL_C_INTERVAL_HOUR_TO_SECOND"}, {113, "SQL_C_INTERVAL_MINUTE_TO_SECOND"},
        {-28, "SQL_C_UTINYINT"}, {-27, "SQL_C_UBIGINT"}, {-26, "SQL_C_STINYINT"},
        {-25, "SQL_C_SBIGINT"}, {-18, "SQL_C_ULONG"}, {-17, "SQL_C_USHORT"}, {-16, "SQL_C_SLONG"},
        {-15, "SQL_C_SSHORT"}, {-8, "SQL_C_WCHAR"}, {-7, "SQL_C_BIT"}, {-6, "SQL_C_TINYINT"},
        {-2, "SQL_C_BINARY"},
    };
    ASSERT_EQ(37u, names.size());
    const SqlCTypeUtilities utilities;
    for (int16_t code : CodesToTry())
    {
        // SQL_C_GUID (-11) and SQL_C_DEFAULT (99) among them come out as their numbers.
        const auto found = names.find(code);
        const std::string name = found != names.end() ? found->second : std::to_string(code);
        EXPECT_EQ(name, Show(utilities.GetCTypeName(code))) << code;
    }
}

TEST(IsAsciiCompatibleEncoding, EveryEncoding)
{
    const std::set<int16_t> compatible = Joined(
        Joined(Joined({0, 20, 33, 34, 35, 36, 40, 82, 83}, Range(5, 16)), Joined(Range(29, 31), Range(54, 61))),
        Joined(Range(68, 70), Range(85, 89)));
    for (EncodingType encoding = -5; encoding <= 130; ++encoding)
    {
        EXPECT_EQ(compatible.count(static_cast<int16_t>(encoding)) == 1, IsAsciiCompatibleEncoding(encoding))
            << encoding;
    }
}
