#include "DSI/ValuePairMap.h"

#include <gtest/gtest.h>

#include <sqlext.h>

using namespace Orvik::DSI;

TEST(ValuePairMapTest, MapsTheFourStatementAttributes)
{
    const ValuePairMap& map = ValuePairMap::GetInstance();
    struct Case
    {
        int32_t attribute;
        bool found;
        int32_t key;
    };
    const Case cases[] = {
        {SQL_ATTR_MAX_LENGTH, true, 1},     {SQL_ATTR_MAX_ROWS, true, 2},   {SQL_ATTR_QUERY_TIMEOUT, true, 3},
        {SQL_ATTR_RETRIEVE_DATA, true, 5},  {SQL_ATTR_CURSOR_TYPE, false, -7}, {SQL_ATTR_ROW_ARRAY_SIZE, false, -7},
    };
    for (const Case& c : cases)
    {
        int32_t key = -7;
        EXPECT_EQ(c.found, map.FindAttributeKey(c.attribute, key)) << c.attribute;
        EXPECT_EQ(c.key, key) << c.attribute;
    }
}

TEST(ValuePairMapTest, PairsLimitedPropertiesWithTheirMaximumAndMinimum)
{
    const ValuePairMap& map = ValuePairMap::GetInstance();
    struct Case
    {
        int32_t key;
        bool found;
        ValuePairMap::LimitKeys limits;
    };
    const Case cases[] = {
        {1, true, {100, 101}}, {2, true, {102, 103}}, {3, true, {104, 105}},
        {6, true, {106, 107}}, {4, false, {-1, -1}},  {5, false, {-1, -1}},  {100, false, {-1, -1}},
    };
    for (const Case& c : cases)
    {
        ValuePairMap::LimitKeys limits(-1, -1);
        EXPECT_EQ(c.found, map.FindLimitKeys(c.key, limits)) << c.key;
        EXPECT_EQ(c.limits, limits) << c.key;
    }
    EXPECT_EQ((std::vector<int32_t>{1, 2, 3, 4, 5, 6, 100, 101, 102, 103, 104, 105}), map.GetPropertyKeys());
}
