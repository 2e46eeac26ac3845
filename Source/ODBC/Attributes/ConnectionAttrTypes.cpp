#include "ODBC/Attributes/ConnectionAttrTypes.h"

#include "ODBC/Exceptions/ODBCInternalException.h"

#include <sql.h>
#include <sqlext.h>

#include <iterator>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

enum Home
{
    CONNECTION,     ///< kept by the connection
    DATA_STORE,     ///< a property of the data-store connection
    DATA_STORE_READ ///< a read-only property of the data-store connection
};

struct AttributeRow
{
    int32_t m_attribute;
    AttributeType m_type;
    Home m_home;
};

constexpr AttributeRow ATTRIBUTES[] = {
    {SQL_ATTR_ASYNC_ENABLE, ATTR_UINT_NATIVE, CONNECTION},
    {SQL_ATTR_ACCESS_MODE, ATTR_UINT32, DATA_STORE},
    {SQL_ATTR_AUTOCOMMIT, ATTR_UINT32, DATA_STORE},
    {SQL_ATTR_LOGIN_TIMEOUT, ATTR_UINT32, DATA_STORE},
    {SQL_ATTR_TXN_ISOLATION, ATTR_UINT32, DATA_STORE},
    {SQL_ATTR_CURRENT_CATALOG, ATTR_WSTRING, DATA_STORE},
    {SQL_ATTR_QUIET_MODE, ATTR_UINT_NATIVE, DATA_STORE},
    {SQL_ATTR_PACKET_SIZE, ATTR_UINT32, DATA_STORE},
    {SQL_ATTR_CONNECTION_TIMEOUT, ATTR_UINT32, DATA_STORE},
    {SQL_ATTR_ANSI_APP, ATTR_INT32, DATA_STORE},
    {SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE, ATTR_UINT32, CONNECTION},
    {SQL_ATTR_CONNECTION_DEAD, ATTR_UINT32, DATA_STORE_READ},
    {SQL_ATTR_AUTO_IPD, ATTR_UINT32, DATA_STORE_READ},
    {SQL_ATTR_METADATA_ID, ATTR_UINT32, CONNECTION},
};

struct NameRow
{
    int32_t m_attribute;
    const char* m_name;
};

#define ORVIK_CONNECTION_ATTRIBUTE_NAME(name) {name, #name},

constexpr NameRow NAMES[] = {
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_ACCESS_MODE)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_ANSI_APP)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_ASYNC_ENABLE)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_AUTO_IPD)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_AUTOCOMMIT)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_CONNECTION_DEAD)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_CONNECTION_TIMEOUT)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_CURRENT_CATALOG)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_DISCONNECT_BEHAVIOR)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_ENLIST_IN_DTC)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_ENLIST_IN_XA)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_LOGIN_TIMEOUT)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_METADATA_ID)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_MAX_ROWS)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_PACKET_SIZE)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_QUIET_MODE)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_QUERY_TIMEOUT)
    ORVIK_CONNECTION_ATTRIBUTE_NAME(SQL_ATTR_TXN_ISOLATION)
};

#undef ORVIK_CONNECTION_ATTRIBUTE_NAME

const AttributeRow* Find(int32_t in_attribute)
{
    for (const AttributeRow& row : ATTRIBUTES)
    {
        if (row.m_attribute == in_attribute)
        {
            return &row;
        }
    }
    return nullptr;
}

} // namespace

bool ConnectionAttrTypes::Contains(int32_t in_attribute)
{
    return Find(in_attribute) != nullptr;
}

AttributeType ConnectionAttrTypes::GetType(int32_t in_attribute)
{
    const AttributeRow* row = Find(in_attribute);
    if (row == nullptr)
    {
        throw ODBCInternalException(u"UnknownAttribute");
    }
    return row->m_type;
}

bool ConnectionAttrTypes::IsKeptByConnection(int32_t in_attribute)
{
    const AttributeRow* row = Find(in_attribute);
    return row != nullptr && row->m_home == CONNECTION;
}

bool ConnectionAttrTypes::IsReadOnly(int32_t in_attribute)
{
    const AttributeRow* row = Find(in_attribute);
    return row != nullptr && row->m_home == DATA_STORE_READ;
}

const char* ConnectionAttrTypes::GetName(int32_t in_attribute)
{
    for (const NameRow& row : NAMES)
    {
        if (row.m_attribute == in_attribute)
        {
            return row.m_name;
        }
    }
    return "Unknown Attribute";
}

} // namespace ODBC
} // namespace Orvik
