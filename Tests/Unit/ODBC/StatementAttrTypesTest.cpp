#include "ODBC/Attributes/StatementAttrTypes.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Statement/ColumnFieldNames.h"

#include <gtest/gtest.h>

#include <sql.h>
#include <sqlext.h>

#include <set>
#include <string>

using namespace Orvik::ODBC;
using Orvik::Support::ATTR_POINTER;
using Orvik::Support::ATTR_UINT_NATIVE;

namespace {

// The six sets as the attribute table lists them, written out by number.
const std::set<int32_t> HELD = {-2, -1, 2, 4, 6, 7, 9, 12, 14, 15, 10014};
const std::set<int32_t> FORWARDED = {0, 1, 3, 11};
const std::set<int32_t> READ_ONLY = {14, 10012, 10013};
const std::set<int32_t> DESCRIPTOR_FIELDS = {5, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
const std::set<int32_t> DESCRIPTOR_HANDLES = {10010, 10011, 10012, 10013};
const std::set<int32_t> CLAMP_ALLOWED = {0, 1, 3, 6, 7, 11, 27};
const std::set<int32_t> POINTERS = {17, 19, 20, 21, 23, 24, 25, 26, 10010, 10011, 10012, 10013};

TEST(StatementAttrTypesTest, SetsMatchTheAttributeTable)
{
    std::set<int32_t> all;
    for (int32_t attribute = -5; attribute <= 10020; ++attribute)
    {
        if (StatementAttrTypes::Contains(attribute))
        {
            all.insert(attribute);
        }
        SCOPED_TRACE(attribute);
        EXPECT_EQ(HELD.count(attribute) == 1, StatementAttrTypes::IsHeld(attribute));
        EXPECT_EQ(FORWARDED.count(attribute) == 1, StatementAttrTypes::IsForwarded(attribute));
        EXPECT_EQ(READ_ONLY.count(attribute) == 1, StatementAttrTypes::IsReadOnly(attribute));
        EXPECT_EQ(DESCRIPTOR_FIELDS.count(attribute) == 1, StatementAttrTypes::IsDescriptorField(attribute));
        EXPECT_EQ(DESCRIPTOR_HANDLES.count(attribute) == 1, StatementAttrTypes::IsDescriptorHandle(attribute));
        EXPECT_EQ(CLAMP_ALLOWED.count(attribute) == 1, StatementAttrTypes::IsClampAllowed(attribute));
    }
    EXPECT_EQ(31u, all.size());
    EXPECT_EQ(HELD.size() + FORWARDED.size() + DESCRIPTOR_FIELDS.size() + DESCRIPTOR_HANDLES.size(), all.size());
    for (int32_t attribute : all)
    {
        EXPECT_EQ(POINTERS.count(attribute) == 1 ? ATTR_POINTER : ATTR_UINT_NATIVE,
                  StatementAttrTypes::GetType(attribute))
            << attribute;
    }
}

TEST(StatementAttrTypesTest, NumbersOutsideTheTable)
{
    // The ODBC 2 options and the ODBC 3 attributes this driver does not know.
    for (int32_t attribute : {8, 10, 13, 16, 29, 10015})
    {
        EXPECT_FALSE(StatementAttrTypes::Contains(attribute)) << attribute;
        EXPECT_STREQ("Unknown Attribute", StatementAttrTypes::GetName(attribute));
        EXPECT_TRUE(StatementAttrTypes::IsValueAccepted(attribute, 12345));
    }
    try
    {
        StatementAttrTypes::GetType(SQL_KEYSET_SIZE);
        FAIL() << "no exception";
    }
    catch (const ODBCInternalException& e)
    {
        EXPECT_EQ(Orvik::Support::orvik_wstring(u"UnknownAttribute"), e.GetMessageKey());
    }
}

TEST(StatementAttrTypesTest, ValueRuleOfHeldAttributes)
{
    struct Case
    {
        int32_t m_attribute;
        uint64_t m_value;
        bool m_isAccepted;
    };
    const Case cases[] = {
        {SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_OFF, true},
        {SQL_ATTR_ASYNC_ENABLE, SQL_ASYNC_ENABLE_ON, true},
        {SQL_ATTR_ASYNC_ENABLE, 2, false},
        {SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY, true},
        {SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_STATIC, false},
        {SQL_ATTR_CONCURRENCY, SQL_CONCUR_READ_ONLY, true},
        {SQL_ATTR_CONCURRENCY, SQL_CONCUR_LOCK, false},
        {SQL_ATTR_CURSOR_SENSITIVITY, SQL_INSENSITIVE, true},
        {SQL_ATTR_CURSOR_SENSITIVITY, SQL_UNSPECIFIED, false},
        {SQL_ATTR_USE_BOOKMARKS, SQL_UB_OFF, true},
        {SQL_ATTR_USE_BOOKMARKS, SQL_UB_VARIABLE, false},
        {SQL_ATTR_CURSOR_SCROLLABLE, SQL_NONSCROLLABLE, true},
        {SQL_ATTR_CURSOR_SCROLLABLE, SQL_SCROLLABLE, false},
        {SQL_ROWSET_SIZE, 1000000, true},
        {SQL_ATTR_NOSCAN, 7, true},
        {SQL_ATTR_METADATA_ID, ~0ull, true},
        {SQL_ATTR_MAX_LENGTH, ~0ull, true}, // forwarded: the data store's limits decide
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.m_isAccepted, StatementAttrTypes::IsValueAccepted(c.m_attribute, c.m_value))
            << c.m_attribute << " = " << c.m_value;
    }
}

TEST(StatementAttrTypesTest, HomesAndInitialValues)
{
    const StatementAttrInfo* rowArraySize = StatementAttrTypes::Find(SQL_ATTR_ROW_ARRAY_SIZE);
    ASSERT_NE(nullptr, rowArraySize);
    EXPECT_EQ(StatementDescriptor::ARD, rowArraySize->m_descriptor);
    EXPECT_EQ(SQL_DESC_ARRAY_SIZE, rowArraySize->m_field);
    EXPECT_EQ(StatementDescriptor::IRD, StatementAttrTypes::Find(SQL_ATTR_ROWS_FETCHED_PTR)->m_descriptor);
    EXPECT_EQ(SQL_DESC_ROWS_PROCESSED_PTR, StatementAttrTypes::Find(SQL_ATTR_PARAMS_PROCESSED_PTR)->m_field);
    EXPECT_EQ(StatementDescriptor::IPD, StatementAttrTypes::Find(SQL_ATTR_PARAMS_PROCESSED_PTR)->m_descriptor);
    EXPECT_EQ(StatementDescriptor::APD, StatementAttrTypes::Find(SQL_ATTR_APP_PARAM_DESC)->m_descriptor);
    EXPECT_EQ(3, StatementAttrTypes::Find(SQL_ATTR_QUERY_TIMEOUT)->m_propertyKey);
    EXPECT_EQ(2, StatementAttrTypes::Find(SQL_ATTR_MAX_ROWS)->m_propertyKey);
    EXPECT_EQ(1, StatementAttrTypes::Find(SQL_ATTR_MAX_LENGTH)->m_propertyKey);
    EXPECT_EQ(5, StatementAttrTypes::Find(SQL_ATTR_RETRIEVE_DATA)->m_propertyKey);
    EXPECT_EQ(1u, StatementAttrTypes::Find(SQL_ROWSET_SIZE)->m_initialValue);
    EXPECT_EQ(uint64_t{SQL_CONCUR_READ_ONLY}, StatementAttrTypes::Find(SQL_ATTR_CONCURRENCY)->m_initialValue);
    EXPECT_EQ(uint64_t{SQL_UNSPECIFIED}, StatementAttrTypes::Find(SQL_ATTR_CURSOR_SENSITIVITY)->m_initialValue);
}

TEST(StatementAttrTypesTest, LogNames)
{
    EXPECT_STREQ("SQL_ROWSET_SIZE", StatementAttrTypes::GetName(9));
    EXPECT_STREQ("SQL_ATTR_CURSOR_SENSITIVITY", StatementAttrTypes::GetName(-2));
    EXPECT_STREQ("SQL_ATTR_METADATA_ID", StatementAttrTypes::GetName(10014));
    EXPECT_STREQ("SQL_ATTR_ROW_ARRAY_SIZE", StatementAttrTypes::GetName(27));

    EXPECT_STREQ("SQL_COLUMN_LENGTH", ColumnFieldNames::GetName(3));
    EXPECT_STREQ("SQL_COLUMN_SCALE", ColumnFieldNames::GetName(5));
    EXPECT_STREQ("SQL_DESC_DISPLAY_SIZE", ColumnFieldNames::GetName(6));
    EXPECT_STREQ("SQL_DESC_ROWVER", ColumnFieldNames::GetName(35));
    EXPECT_STREQ("SQL_DESC_ALLOC_TYPE", ColumnFieldNames::GetName(1099));
    EXPECT_STREQ("SQL_DESC_DATA_SOURCE_TYPE", ColumnFieldNames::GetName(16385));
    // 1, 7, 19, 30, 31 and 36 have no name in the table.
    for (uint16_t field : {1, 7, 19, 30, 31, 36, 1000, 1014})
    {
        EXPECT_STREQ("Unknown FieldIdentifier", ColumnFieldNames::GetName(field)) << field;
    }
}

} // namespace
