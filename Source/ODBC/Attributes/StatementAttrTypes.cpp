#include "ODBC/Attributes/StatementAttrTypes.h"

#include "DSI/StatementPropertyKey.h"
#include "ODBC/Exceptions/ODBCInternalException.h"

#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <iterator>
#include <limits>

namespace Orvik {
namespace ODBC {

namespace {

using Support::ATTR_POINTER;
using Support::ATTR_UINT_NATIVE;
using Support::AttributeType;

constexpr uint64_t ANY = std::numeric_limits<uint64_t>::max();
constexpr bool READ_ONLY = true;
constexpr bool CLAMP = true;

constexpr StatementAttrInfo Held(int32_t in_attribute, const char* in_name, uint64_t in_initial, uint64_t in_minimum,
                                 uint64_t in_maximum, bool in_isReadOnly, bool in_isClampAllowed)
{
    return {in_attribute, in_name, ATTR_UINT_NATIVE, StatementAttrHome::HELD, 0, StatementDescriptor::NONE, 0,
            in_initial, in_minimum, in_maximum, in_isReadOnly, in_isClampAllowed};
}

constexpr StatementAttrInfo Forwarded(int32_t in_attribute, const char* in_name, int32_t in_propertyKey)
{
    return {in_attribute, in_name, ATTR_UINT_NATIVE, StatementAttrHome::FORWARDED, in_propertyKey,
            StatementDescriptor::NONE, 0, 0, 0, ANY, false, CLAMP};
}

constexpr StatementAttrInfo DescField(int32_t in_attribute, const char* in_name, AttributeType in_type,
                                      StatementDescriptor in_descriptor, int16_t in_field, bool in_isClampAllowed)
{
    return {in_attribute, in_name, in_type, StatementAttrHome::DESCRIPTOR_FIELD, 0, in_descriptor, in_field,
            0, 0, ANY, false, in_isClampAllowed};
}

constexpr StatementAttrInfo DescHandle(int32_t in_attribute, const char* in_name, StatementDescriptor in_descriptor,
                                       bool in_isReadOnly)
{
    return {in_attribute, in_name, ATTR_POINTER, StatementAttrHome::DESCRIPTOR_HANDLE, 0, in_descriptor, 0,
            0, 0, ANY, in_isReadOnly, false};
}

#define ORVIK_NAMED(attribute) attribute, #attribute

using SD = StatementDescriptor;

// One row per attribute, in ascending number. Held rows: initial value, accepted range, read-only,
// clamp allowed.
constexpr StatementAttrInfo ATTRIBUTES[] = {
    Held(ORVIK_NAMED(SQL_ATTR_CURSOR_SENSITIVITY), SQL_UNSPECIFIED, SQL_INSENSITIVE, SQL_INSENSITIVE, false, false),
    Held(ORVIK_NAMED(SQL_ATTR_CURSOR_SCROLLABLE), SQL_NONSCROLLABLE, SQL_NONSCROLLABLE, SQL_NONSCROLLABLE, false, false),
    Forwarded(ORVIK_NAMED(SQL_ATTR_QUERY_TIMEOUT), DSI::STMT_PROP_QUERY_TIMEOUT),
    Forwarded(ORVIK_NAMED(SQL_ATTR_MAX_ROWS), DSI::STMT_PROP_MAX_ROWS),
    Held(ORVIK_NAMED(SQL_ATTR_NOSCAN), SQL_NOSCAN_OFF, 0, ANY, false, false),
    Forwarded(ORVIK_NAMED(SQL_ATTR_MAX_LENGTH), DSI::STMT_PROP_MAX_LENGTH),
    Held(ORVIK_NAMED(SQL_ATTR_ASYNC_ENABLE), SQL_ASYNC_ENABLE_OFF, SQL_ASYNC_ENABLE_OFF, SQL_ASYNC_ENABLE_ON, false, false),
    DescField(ORVIK_NAMED(SQL_ATTR_ROW_BIND_TYPE), ATTR_UINT_NATIVE, SD::ARD, SQL_DESC_BIND_TYPE, false),
    Held(ORVIK_NAMED(SQL_ATTR_CURSOR_TYPE), SQL_CURSOR_FORWARD_ONLY, SQL_CURSOR_FORWARD_ONLY, SQL_CURSOR_FORWARD_ONLY, false, CLAMP),
    Held(ORVIK_NAMED(SQL_ATTR_CONCURRENCY), SQL_CONCUR_READ_ONLY, SQL_CONCUR_READ_ONLY, SQL_CONCUR_READ_ONLY, false, CLAMP),
    Held(ORVIK_NAMED(SQL_ROWSET_SIZE), 1, 0, ANY, false, false),
    Forwarded(ORVIK_NAMED(SQL_ATTR_RETRIEVE_DATA), DSI::STMT_PROP_RETRIEVE_DATA),
    Held(ORVIK_NAMED(SQL_ATTR_USE_BOOKMARKS), SQL_UB_OFF, SQL_UB_OFF, SQL_UB_OFF, false, false),
    Held(ORVIK_NAMED(SQL_ATTR_ROW_NUMBER), 0, 0, ANY, READ_ONLY, false),
    Held(ORVIK_NAMED(SQL_ATTR_ENABLE_AUTO_IPD), SQL_FALSE, 0, ANY, false, false),
    DescField(ORVIK_NAMED(SQL_ATTR_PARAM_BIND_OFFSET_PTR), ATTR_POINTER, SD::APD, SQL_DESC_BIND_OFFSET_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_PARAM_BIND_TYPE), ATTR_UINT_NATIVE, SD::APD, SQL_DESC_BIND_TYPE, false),
    DescField(ORVIK_NAMED(SQL_ATTR_PARAM_OPERATION_PTR), ATTR_POINTER, SD::APD, SQL_DESC_ARRAY_STATUS_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_PARAM_STATUS_PTR), ATTR_POINTER, SD::IPD, SQL_DESC_ARRAY_STATUS_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_PARAMS_PROCESSED_PTR), ATTR_POINTER, SD::IPD, SQL_DESC_ROWS_PROCESSED_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_PARAMSET_SIZE), ATTR_UINT_NATIVE, SD::APD, SQL_DESC_ARRAY_SIZE, false),
    DescField(ORVIK_NAMED(SQL_ATTR_ROW_BIND_OFFSET_PTR), ATTR_POINTER, SD::ARD, SQL_DESC_BIND_OFFSET_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_ROW_OPERATION_PTR), ATTR_POINTER, SD::ARD, SQL_DESC_ARRAY_STATUS_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_ROW_STATUS_PTR), ATTR_POINTER, SD::IRD, SQL_DESC_ARRAY_STATUS_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_ROWS_FETCHED_PTR), ATTR_POINTER, SD::IRD, SQL_DESC_ROWS_PROCESSED_PTR, false),
    DescField(ORVIK_NAMED(SQL_ATTR_ROW_ARRAY_SIZE), ATTR_UINT_NATIVE, SD::ARD, SQL_DESC_ARRAY_SIZE, CLAMP),
    DescHandle(ORVIK_NAMED(SQL_ATTR_APP_ROW_DESC), SD::ARD, false),
    DescHandle(ORVIK_NAMED(SQL_ATTR_APP_PARAM_DESC), SD::APD, false),
    DescHandle(ORVIK_NAMED(SQL_ATTR_IMP_ROW_DESC), SD::IRD, READ_ONLY),
    DescHandle(ORVIK_NAMED(SQL_ATTR_IMP_PARAM_DESC), SD::IPD, READ_ONLY),
    Held(ORVIK_NAMED(SQL_ATTR_METADATA_ID), SQL_FALSE, 0, ANY, false, false),
};

#undef ORVIK_NAMED

constexpr bool IsOrdered()
{
    for (size_t i = 1; i < std::size(ATTRIBUTES); ++i)
    {
        if (ATTRIBUTES[i - 1].m_attribute >= ATTRIBUTES[i].m_attribute)
        {
            return false;
        }
    }
    return true;
}

static_assert(std::size(ATTRIBUTES) == 31, "the driver knows 31 statement attributes");
static_assert(IsOrdered(), "the table is searched by bisection");

bool Has(int32_t in_attribute, StatementAttrHome in_home)
{
    const StatementAttrInfo* info = StatementAttrTypes::Find(in_attribute);
    return info != nullptr && info->m_home == in_home;
}

} // namespace

const StatementAttrInfo* StatementAttrTypes::Find(int32_t in_attribute)
{
    const StatementAttrInfo* found =
        std::lower_bound(std::begin(ATTRIBUTES), std::end(ATTRIBUTES), in_attribute,
                         [](const StatementAttrInfo& in_row, int32_t in_id) { return in_row.m_attribute < in_id; });
    return found != std::end(ATTRIBUTES) && found->m_attribute == in_attribute ? found : nullptr;
}

AttributeType StatementAttrTypes::GetType(int32_t in_attribute)
{
    const StatementAttrInfo* info = Find(in_attribute);
    if (info == nullptr)
    {
        throw ODBCInternalException(u"UnknownAttribute");
    }
    return info->m_type;
}

bool StatementAttrTypes::IsHeld(int32_t in_attribute)
{
    return Has(in_attribute, StatementAttrHome::HELD);
}

bool StatementAttrTypes::IsForwarded(int32_t in_attribute)
{
    return Has(in_attribute, StatementAttrHome::FORWARDED);
}

bool StatementAttrTypes::IsDescriptorField(int32_t in_attribute)
{
    return Has(in_attribute, StatementAttrHome::DESCRIPTOR_FIELD);
}

bool StatementAttrTypes::IsDescriptorHandle(int32_t in_attribute)
{
    return Has(in_attribute, StatementAttrHome::DESCRIPTOR_HANDLE);
}

bool StatementAttrTypes::IsReadOnly(int32_t in_attribute)
{
    const StatementAttrInfo* info = Find(in_attribute);
    return info != nullptr && info->m_isReadOnly;
}

bool StatementAttrTypes::IsClampAllowed(int32_t in_attribute)
{
    const StatementAttrInfo* info = Find(in_attribute);
    return info != nullptr && info->m_isClampAllowed;
}

bool StatementAttrTypes::IsValueAccepted(int32_t in_attribute, uint64_t in_value)
{
    const StatementAttrInfo* info = Find(in_attribute);
    return info == nullptr || info->m_home != StatementAttrHome::HELD ||
           (info->m_minimumValue <= in_value && in_value <= info->m_maximumValue);
}

const char* StatementAttrTypes::GetName(int32_t in_attribute)
{
    const StatementAttrInfo* info = Find(in_attribute);
    return info == nullptr ? "Unknown Attribute" : info->m_name;
}

const StatementAttrInfo* StatementAttrTypes::Begin()
{
    return std::begin(ATTRIBUTES);
}

const StatementAttrInfo* StatementAttrTypes::End()
{
    return std::end(ATTRIBUTES);
}

} // namespace ODBC
} // namespace Orvik
