#include "ODBC/Attributes/ConnectionAttrTypes.h"
#include "ODBC/Attributes/StatementAttrTypes.h"
#include "Support/ErrorException.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <string>

using namespace Orvik::ODBC;
using namespace Orvik::Support;

namespace {

/// The table row of a statement attribute as text: its type and where it lives.
std::string DescribeStatementAttribute(int32_t in_attribute)
{
    if (!StatementAttrTypes::Contains(in_attribute))
    {
        return "unknown";
    }
    std::string text = std::to_string(StatementAttrTypes::GetType(in_attribute));
    const std::pair<bool (*)(int32_t), const char*> flags[] = {
        {&StatementAttrTypes::IsHeld, " held"},         {&StatementAttrTypes::IsForwarded, " forwarded"},
        {&StatementAttrTypes::IsReadOnly, " read-only"}, {&StatementAttrTypes::IsDescriptorField, " field"},
        {&StatementAttrTypes::IsDescriptorHandle, " handle"}, {&StatementAttrTypes::IsClampAllowed, " clamp"},
    };
    for (const auto& flag : flags)
    {
        text += flag.first(in_attribute) ? flag.second : "";
    }
    return text;
}

} // namespace

TEST(AttrTypesTest, ConnectionAttributes)
{
    const struct
    {
        int32_t m_attribute;
        const char* m_row; // type, kept, read-only; or "unknown"
        const char* m_name;
    } cases[] = {
        {SQL_ATTR_ASYNC_ENABLE, "8 kept", "SQL_ATTR_ASYNC_ENABLE"},
        {SQL_ATTR_ACCESS_MODE, "4", "SQL_ATTR_ACCESS_MODE"},
        {SQL_ATTR_AUTOCOMMIT, "4", "SQL_ATTR_AUTOCOMMIT"},
        {SQL_ATTR_CURRENT_CATALOG, "2", "SQL_ATTR_CURRENT_CATALOG"},
        {SQL_ATTR_QUIET_MODE, "8", "SQL_ATTR_QUIET_MODE"},
        {SQL_ATTR_ANSI_APP, "3", "SQL_ATTR_ANSI_APP"},
        {SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE, "4 kept", "SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE"},
        {SQL_ATTR_CONNECTION_DEAD, "4 read-only", "SQL_ATTR_CONNECTION_DEAD"},
        {SQL_ATTR_AUTO_IPD, "4 read-only", "SQL_ATTR_AUTO_IPD"},
        {SQL_ATTR_METADATA_ID, "4 kept", "SQL_ATTR_METADATA_ID"},
        {SQL_ATTR_TXN_ISOLATION, "4", "SQL_ATTR_TXN_ISOLATION"},
        {SQL_ATTR_QUERY_TIMEOUT, "unknown", "SQL_ATTR_QUERY_TIMEOUT"},
        {SQL_ATTR_DISCONNECT_BEHAVIOR, "unknown", "SQL_ATTR_DISCONNECT_BEHAVIOR"},
        {SQL_ATTR_TRANSLATE_LIB, "unknown", "Unknown Attribute"},
    };
    for (const auto& test : cases)
    {
        std::string row = "unknown";
        if (ConnectionAttrTypes::Contains(test.m_attribute))
        {
            row = std::to_string(ConnectionAttrTypes::GetType(test.m_attribute)) +
                  (ConnectionAttrTypes::IsKeptByConnection(test.m_attribute) ? " kept" : "") +
                  (ConnectionAttrTypes::IsReadOnly(test.m_attribute) ? " read-only" : "");
        }
        EXPECT_EQ(test.m_row, row) << test.m_attribute;
        EXPECT_STREQ(test.m_name, ConnectionAttrTypes::GetName(test.m_attribute));
    }
    EXPECT_THROW(ConnectionAttrTypes::GetType(SQL_ATTR_QUERY_TIMEOUT), ErrorException);
}

TEST(AttrTypesTest, StatementAttributes)
{
    const struct
    {
        int32_t m_attribute;
        const char* m_row;
        const char* m_name;
    } cases[] = {
        {SQL_ATTR_CURSOR_SENSITIVITY, "8 held", "SQL_ATTR_CURSOR_SENSITIVITY"},
        {SQL_ATTR_CURSOR_SCROLLABLE, "8 held", "SQL_ATTR_CURSOR_SCROLLABLE"},
        {SQL_ATTR_QUERY_TIMEOUT, "8 forwarded clamp", "SQL_ATTR_QUERY_TIMEOUT"},
        {SQL_ATTR_MAX_LENGTH, "8 forwarded clamp", "SQL_ATTR_MAX_LENGTH"},
        {SQL_ATTR_ROW_BIND_TYPE, "8 field", "SQL_ATTR_ROW_BIND_TYPE"},
        {SQL_ATTR_CURSOR_TYPE, "8 held clamp", "SQL_ATTR_CURSOR_TYPE"},
        {SQL_ROWSET_SIZE, "8 held", "SQL_ROWSET_SIZE"},
        {SQL_ATTR_RETRIEVE_DATA, "8 forwarded clamp", "SQL_ATTR_RETRIEVE_DATA"},
        {SQL_ATTR_ROW_NUMBER, "8 held read-only", "SQL_ATTR_ROW_NUMBER"},
        {SQL_ATTR_PARAM_BIND_OFFSET_PTR, "0 field", "SQL_ATTR_PARAM_BIND_OFFSET_PTR"},
        {SQL_ATTR_ROW_ARRAY_SIZE, "8 field clamp", "SQL_ATTR_ROW_ARRAY_SIZE"},
        {SQL_ATTR_APP_ROW_DESC, "0 handle", "SQL_ATTR_APP_ROW_DESC"},
        {SQL_ATTR_IMP_PARAM_DESC, "0 read-only handle", "SQL_ATTR_IMP_PARAM_DESC"},
        {SQL_ATTR_METADATA_ID, "8 held", "SQL_ATTR_METADATA_ID"},
        {SQL_KEYSET_SIZE, "unknown", "Unknown Attribute"},
        {SQL_ATTR_FETCH_BOOKMARK_PTR, "unknown", "Unknown Attribute"},
        {SQL_ATTR_AUTOCOMMIT, "unknown", "Unknown Attribute"},
    };
    for (const auto& test : cases)
    {
        EXPECT_EQ(test.m_row, DescribeStatementAttribute(test.m_attribute)) << test.m_attribute;
        EXPECT_STREQ(test.m_name, StatementAttrTypes::GetName(test.m_attribute));
    }
    EXPECT_THROW(StatementAttrTypes::GetType(SQL_KEYSET_SIZE), ErrorException);
}

TEST(AttrTypesTest, ValuesTheHeldStatementAttributesAccept)
{
    const struct
    {
        int32_t m_attribute;
        uint64_t m_value;
        bool m_isAccepted;
    } cases[] = {
        {SQL_ATTR_ASYNC_ENABLE, 0, true},       {SQL_ATTR_ASYNC_ENABLE, 1, true},
        {SQL_ATTR_ASYNC_ENABLE, 2, false},      {SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_FORWARD_ONLY, true},
        {SQL_ATTR_CURSOR_TYPE, SQL_CURSOR_STATIC, false}, {SQL_ATTR_CONCURRENCY, SQL_CONCUR_READ_ONLY, true},
        {SQL_ATTR_CONCURRENCY, SQL_CONCUR_LOCK, false},   {SQL_ATTR_CURSOR_SENSITIVITY, SQL_INSENSITIVE, true},
        {SQL_ATTR_CURSOR_SENSITIVITY, SQL_UNSPECIFIED, false}, {SQL_ATTR_USE_BOOKMARKS, SQL_UB_OFF, true},
        {SQL_ATTR_USE_BOOKMARKS, SQL_UB_VARIABLE, false}, {SQL_ATTR_CURSOR_SCROLLABLE, SQL_SCROLLABLE, false},
        {SQL_ROWSET_SIZE, 1000000, true},       {SQL_ATTR_NOSCAN, 7, true},
        {SQL_ATTR_METADATA_ID, SQL_TRUE, true}, {SQL_ATTR_MAX_ROWS, 99, true},
    };
    for (const auto& test : cases)
    {
        EXPECT_EQ(test.m_isAccepted, StatementAttrTypes::IsValueAccepted(test.m_attribute, test.m_value))
            << test.m_attribute << " = " << test.m_value;
    }
}
