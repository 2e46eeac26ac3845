#include "ODBC/Attributes/StatementAttrTypes.h"

#include "ODBC/Exceptions/ODBCInternalException.h"

#include <sql.h>
#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// Where an attribute lives and what it allows, as bits.
enum : uint32_t
{
    HELD = 1,        ///< kept by the statement's store
    FORWARDED = 2,   ///< a property of the data-store statement
    READ_ONLY = 4,
    DESC_FIELD = 8,  ///< a header field of one of the statement's descriptors
    DESC_HANDLE = 16,///< the handle of one of the statement's descriptors
    CLAMPED = 32     ///< a value outside the data store's limits may be clamped to them
};

// The value a held attribute accepts: any, or only the one given.
constexpr int64_t ANY = -1;

struct AttributeRow
{
    int32_t m_attribute;
    AttributeType m_type;
    uint32_t m_flags;
    int64_t m_onlyValue;
    const char* m_name;
};

#define ORVIK_STATEMENT_ATTRIBUTE(name, type, flags, onlyValue) {name, type, flags, onlyValue, #name},

constexpr AttributeRow ATTRIBUTES[] = {
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_CURSOR_SENSITIVITY, ATTR_UINT_NATIVE, HELD, SQL_INSENSITIVE)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_CURSOR_SCROLLABLE, ATTR_UINT_NATIVE, HELD, SQL_NONSCROLLABLE)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_QUERY_TIMEOUT, ATTR_UINT_NATIVE, FORWARDED | CLAMPED, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_MAX_ROWS, ATTR_UINT_NATIVE, FORWARDED | CLAMPED, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_NOSCAN, ATTR_UINT_NATIVE, HELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_MAX_LENGTH, ATTR_UINT_NATIVE, FORWARDED | CLAMPED, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ASYNC_ENABLE, ATTR_UINT_NATIVE, HELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ROW_BIND_TYPE, ATTR_UINT_NATIVE, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_CURSOR_TYPE, ATTR_UINT_NATIVE, HELD | CLAMPED, SQL_CURSOR_FORWARD_ONLY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_CONCURRENCY, ATTR_UINT_NATIVE, HELD | CLAMPED, SQL_CONCUR_READ_ONLY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ROWSET_SIZE, ATTR_UINT_NATIVE, HELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_RETRIEVE_DATA, ATTR_UINT_NATIVE, FORWARDED | CLAMPED, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_USE_BOOKMARKS, ATTR_UINT_NATIVE, HELD, SQL_UB_OFF)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ROW_NUMBER, ATTR_UINT_NATIVE, HELD | READ_ONLY, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ENABLE_AUTO_IPD, ATTR_UINT_NATIVE, HELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_PARAM_BIND_OFFSET_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_PARAM_BIND_TYPE, ATTR_UINT_NATIVE, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_PARAM_OPERATION_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_PARAM_STATUS_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_PARAMS_PROCESSED_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_PARAMSET_SIZE, ATTR_UINT_NATIVE, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ROW_BIND_OFFSET_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ROW_OPERATION_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ROW_STATUS_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ROWS_FETCHED_PTR, ATTR_POINTER, DESC_FIELD, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_ROW_ARRAY_SIZE, ATTR_UINT_NATIVE, DESC_FIELD | CLAMPED, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_APP_ROW_DESC, ATTR_POINTER, DESC_HANDLE, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_APP_PARAM_DESC, ATTR_POINTER, DESC_HANDLE, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_IMP_ROW_DESC, ATTR_POINTER, DESC_HANDLE | READ_ONLY, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_IMP_PARAM_DESC, ATTR_POINTER, DESC_HANDLE | READ_ONLY, ANY)
    ORVIK_STATEMENT_ATTRIBUTE(SQL_ATTR_METADATA_ID, ATTR_UINT_NATIVE, HELD, ANY)
};

#undef ORVIK_STATEMENT_ATTRIBUTE

static_assert(sizeof(ATTRIBUTES) / sizeof(ATTRIBUTES[0]) == 31, "the driver knows 31 statement attributes");

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

bool HasFlag(int32_t in_attribute, uint32_t in_flag)
{
    const AttributeRow* row = Find(in_attribute);
    return row != nullptr && (row->m_flags & in_flag) != 0;
}

} // namespace

bool StatementAttrTypes::Contains(int32_t in_attribute)
{
    return Find(in_attribute) != nullptr;
}

AttributeType StatementAttrTypes::GetType(int32_t in_attribute)
{
    const AttributeRow* row = Find(in_attribute);
    if (row == nullptr)
    {
        throw ODBCInternalException(u"UnknownAttribute");
    }
    return row->m_type;
}

bool StatementAttrTypes::IsHeld(int32_t in_attribute)
{
    return HasFlag(in_attribute, HELD);
}

bool StatementAttrTypes::IsForwarded(int32_t in_attribute)
{
    return HasFlag(in_attribute, FORWARDED);
}

bool StatementAttrTypes::IsReadOnly(int32_t in_attribute)
{
    return HasFlag(in_attribute, READ_ONLY);
}

bool StatementAttrTypes::IsDescriptorField(int32_t in_attribute)
{
    return HasFlag(in_attribute, DESC_FIELD);
}

bool StatementAttrTypes::IsDescriptorHandle(int32_t in_attribute)
{
    return HasFlag(in_attribute, DESC_HANDLE);
}

bool StatementAttrTypes::IsClampAllowed(int32_t in_attribute)
{
    return HasFlag(in_attribute, CLAMPED);
}

bool StatementAttrTypes::IsValueAccepted(int32_t in_attribute, uint64_t in_value)
{
    if (in_attribute == SQL_ATTR_ASYNC_ENABLE)
    {
        return in_value == SQL_ASYNC_ENABLE_OFF || in_value == SQL_ASYNC_ENABLE_ON;
    }
    const AttributeRow* row = Find(in_attribute);
    return row == nullptr || row->m_onlyValue == ANY || static_cast<uint64_t>(row->m_onlyValue) == in_value;
}

const char* StatementAttrTypes::GetName(int32_t in_attribute)
{
    const AttributeRow* row = Find(in_attribute);
    return row != nullptr ? row->m_name : "Unknown Attribute";
}

} // namespace ODBC
} // namespace Orvik
