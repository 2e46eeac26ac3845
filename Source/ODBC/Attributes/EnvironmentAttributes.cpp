#include "ODBC/Attributes/EnvironmentAttributes.h"

#include "DSI/DSIEnvironment.h"
#include "DSI/DSILog.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/KeyMaps/EnvironmentKeyMap.h"
#include "Support/CriticalSectionLock.h"

#include <sql.h>
#include <sqlext.h>

// The attribute through which a driver tells the driver manager the encoding of its wide
// characters, and its values, where the ODBC headers lack them (unixODBC's do).
#ifndef SQL_ATTR_DRIVER_UNICODE_TYPE
#define SQL_ATTR_DRIVER_UNICODE_TYPE 1065
#endif
#ifndef SQL_DM_CP_UTF16
#define SQL_DM_CP_UTF16 1
#define SQL_DM_CP_UTF8 2
#define SQL_DM_CP_UCS4 3
#endif

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {


struct SettableAttribute
{
    int32_t m_id;
    AttributeType m_type;
};

// The attributes that can be set, with their value types.
constexpr SettableAttribute SETTABLE_ATTRIBUTES[] = {
    {SQL_ATTR_ODBC_VERSION, ATTR_INT32},
    {SQL_ATTR_CONNECTION_POOLING, ATTR_UINT32},
    {SQL_ATTR_CP_MATCH, ATTR_UINT32},
    {SQL_ATTR_OUTPUT_NTS, ATTR_INT32},
};

struct AttributeName
{
    int32_t m_id;
    const char* m_name;
};

constexpr AttributeName ATTRIBUTE_NAMES[] = {
    {SQL_ATTR_ODBC_VERSION, "SQL_ATTR_ODBC_VERSION"},
    {SQL_ATTR_CONNECTION_POOLING, "SQL_ATTR_CONNECTION_POOLING"},
    {SQL_ATTR_CP_MATCH, "SQL_ATTR_CP_MATCH"},
    {SQL_ATTR_OUTPUT_NTS, "SQL_ATTR_OUTPUT_NTS"},
    {SQL_MAX_DRIVER_CONNECTIONS, "SQL_MAX_DRIVER_CONNECTIONS"},
};

uint32_t UnicodeTypeOf(EncodingType in_encoding)
{
    switch (in_encoding)
    {
    case ENC_UTF16_LE:
    case ENC_UTF16_BE:
        return SQL_DM_CP_UTF16;
    case ENC_UTF8:
        return SQL_DM_CP_UTF8;
    case ENC_UTF32_LE:
    case ENC_UTF32_BE:
        return SQL_DM_CP_UCS4;
    default:
        return 0;
    }
}

std::unique_ptr<AttributeData> MakeUInt32(uint32_t in_value)
{
    return std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(in_value));
}

} // namespace

EnvironmentAttributes::EnvironmentAttributes(Environment& in_environment)
    : AttributesBase(&in_environment.GetDiagManager()), m_environment(in_environment)
{
    StoreValue(SQL_ATTR_CONNECTION_POOLING, MakeUInt32(SQL_CP_OFF));
    StoreValue(SQL_ATTR_CP_MATCH, MakeUInt32(SQL_CP_STRICT_MATCH));
    StoreValue(SQL_ATTR_DRIVER_UNICODE_TYPE, MakeUInt32(UnicodeTypeOf(orvik_wstring::GetDriverManagerEncoding())));
}

void EnvironmentAttributes::OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length)
{
    SetAttribute(in_attribute, in_value, in_length);
}

void EnvironmentAttributes::GetAttributeToBuffer(int32_t in_attribute,
                                                 void* out_value,
                                                 int32_t in_bufferLength,
                                                 int32_t* out_stringLength)
{
    CriticalSectionLock lock(GetLock());
    GetValueToBuffer(GetDiagnostics(), GetAttributeData(in_attribute), in_bufferLength, out_value, out_stringLength);
}

void EnvironmentAttributes::SetAttribute(int32_t in_attribute, intptr_t in_value, int32_t in_length)
{
    if (DSI::DSILog* log = m_environment.GetLog())
    {
        log->LogFunctionEntrance("Orvik::ODBC", "EnvironmentAttributes", "SetAttribute");
    }
    CriticalSectionLock lock(GetLock());
    RequireVersion(in_attribute);
    const SettableAttribute* type = nullptr;
    for (const SettableAttribute& settable : SETTABLE_ATTRIBUTES)
    {
        if (settable.m_id == in_attribute)
        {
            type = &settable;
        }
    }
    if (type == nullptr)
    {
        throw ODBCInternalException(u"CannotFindAttrType");
    }
    std::unique_ptr<AttributeData> value = ConvertValue(in_value, type->m_type, in_length);
    if (in_attribute == SQL_ATTR_ODBC_VERSION)
    {
        // Checked before anything is stored: a refused version leaves the old one in place.
        const int32_t version = value->GetInt32Value();
        if (DSI::DSILog* log = m_environment.GetLog())
        {
            log->LogInfo("Orvik::ODBC", "EnvironmentAttributes", "SetAttribute", "Setting ODBC version to: %u",
                         static_cast<uint32_t>(version));
        }
        m_environment.GetDiagManager().SetOdbcVersion(version);
    }
    int32_t key = 0;
    if (EnvironmentKeyMap::GetInstance().FindAttributeKey(in_attribute, key))
    {
        m_environment.GetDSIEnvironment().SetProperty(key, std::move(value));
    }
    else
    {
        StoreValue(in_attribute, std::move(value));
    }
    if (in_attribute == SQL_ATTR_ODBC_VERSION)
    {
        m_isVersionSet = true;
    }
    NotifyListeners(in_attribute, in_value, in_length);
}

std::unique_ptr<AttributeData> EnvironmentAttributes::GetAttribute(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    return std::unique_ptr<AttributeData>(GetAttributeData(in_attribute).Clone());
}

const char* EnvironmentAttributes::GetAttributeName(int32_t in_attribute)
{
    for (const AttributeName& name : ATTRIBUTE_NAMES)
    {
        if (name.m_id == in_attribute)
        {
            return name.m_name;
        }
    }
    return "Unknown Attribute";
}

const AttributeData& EnvironmentAttributes::GetAttributeData(int32_t in_attribute)
{
    RequireVersion(in_attribute);
    int32_t key = 0;
    if (EnvironmentKeyMap::GetInstance().FindAttributeKey(in_attribute, key))
    {
        return *m_environment.GetDSIEnvironment().GetProperty(key);
    }
    const AttributeData* value = FindValue(in_attribute);
    if (value == nullptr)
    {
        throw NoDataException(u"AttrValNotFound");
    }
    return *value;
}

void EnvironmentAttributes::RequireVersion(int32_t in_attribute) const
{
    if (in_attribute != SQL_ATTR_ODBC_VERSION && !m_isVersionSet)
    {
        throw ErrorException(DIAG_FUNCTION_SEQUENCE_ERROR, ODBC_COMPONENT_ID, u"FuncSeqErr", -1, -1);
    }
}

} // namespace ODBC
} // namespace Orvik
