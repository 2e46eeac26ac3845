#include "ODBC/States/SupportedFunctions.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <algorithm>
#include <set>
#include <vector>

using Orvik::ODBC::SupportedFunctions;

namespace {

// The ODBC 3 functions the driver exports, by id, and the ODBC 2 functions the Driver Manager maps.
const std::set<int> ODBC3 = {1001, 4,  72, 55, 5,    1550, 1022, 1003, 6,  56,   40,   7,    1004, 57, 8,  58, 9,  41,
                             71,   1005, 11, 12, 59,   13,   1021, 60,   1006, 16, 1007, 17,   43,   1008, 1009, 1010,
                             1011, 1012, 44, 45, 1014, 47,   61,   62,   63,   18, 48,   19,   65,   66,   67, 49, 20,
                             1016, 21,   1017, 1018, 1019, 1020, 52,   53,   70, 54};
const std::set<int> ODBC2 = {1, 2, 3, 6, 10, 14, 15, 22, 23, 42, 46, 50, 51, 64};

} // namespace

TEST(SupportedFunctionsTest, Odbc3BitmapIsWrittenWhole)
{
    std::vector<SQLUSMALLINT> bitmap(SQL_API_ODBC3_ALL_FUNCTIONS_SIZE + 1, 0xFFFF);
    SupportedFunctions::Fill(SQL_API_ODBC3_ALL_FUNCTIONS, true, bitmap.data());

    for (int id = 0; id < SQL_API_ODBC3_ALL_FUNCTIONS_SIZE * 16; ++id)
    {
        EXPECT_EQ(ODBC3.count(id) != 0, SQL_FUNC_EXISTS(bitmap.data(), id) == SQL_TRUE) << id;
    }
    EXPECT_EQ(0xFFFF, bitmap.back()) << "nothing is written past the 250 words";
}

TEST(SupportedFunctionsTest, AllFunctionsMarksTheOdbc2IdsForEveryApplication)
{
    for (const bool isOdbc2 : {false, true})
    {
        std::vector<SQLUSMALLINT> flags(101, 7);
        SupportedFunctions::Fill(SQL_API_ALL_FUNCTIONS, isOdbc2, flags.data());
        for (int id = 0; id < 100; ++id)
        {
            EXPECT_EQ((ODBC3.count(id) != 0 || ODBC2.count(id) != 0) ? SQL_TRUE : SQL_FALSE, flags[id]) << id;
        }
        EXPECT_EQ(7, flags[100]);
    }
}

TEST(SupportedFunctionsTest, OneFunction)
{
    const struct
    {
        SQLUSMALLINT m_id;
        bool m_isOdbc2;
        SQLUSMALLINT m_expected;
    } cases[] = {
        {SQL_API_SQLSETPOS, false, SQL_FALSE},       {SQL_API_SQLSETPOS, true, SQL_FALSE},
        {SQL_API_SQLALLOCCONNECT, false, SQL_FALSE}, {SQL_API_SQLALLOCCONNECT, true, SQL_TRUE},
        {SQL_API_SQLTRANSACT, true, SQL_TRUE},       {SQL_API_SQLFETCH, false, SQL_TRUE},
        {SQL_API_SQLCANCELHANDLE, false, SQL_TRUE},  {1550, false, SQL_TRUE},
        {SQL_API_SQLBULKOPERATIONS, true, SQL_FALSE}, {SQL_API_SQLSETSCROLLOPTIONS, true, SQL_FALSE},
        {3000, false, SQL_FALSE},
    };
    for (const auto& test : cases)
    {
        SQLUSMALLINT supported = 99;
        SupportedFunctions::Fill(test.m_id, test.m_isOdbc2, &supported);
        EXPECT_EQ(test.m_expected, supported) << test.m_id << (test.m_isOdbc2 ? " ODBC 2" : "");
    }
}
