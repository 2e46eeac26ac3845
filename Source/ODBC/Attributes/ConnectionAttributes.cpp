#include "ODBC/Attributes/ConnectionAttributes.h"

#include "DSI/DSIConnection.h"
#include "DSI/DSILog.h"
#include "ODBC/Attributes/ConnectionAttrTypes.h"
#include "ODBC/Attributes/StatementAttrTypes.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/KeyMaps/ConnectionKeyMap.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"
#include "Support/NumberConverter.h"

#include <sqlext.h>

#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_NAMESPACE = "Orvik::ODBC";
const char* const LOG_CLASS = "ConnectionAttributes";

ErrorException InvalidAttribute(int32_t in_attribute)
{
    return ErrorException(DIAG_INVALID_ATTRIBUTE_IDENTIFIER, ODBC_COMPONENT_ID, u"InvalidAttrIdent",
                          {NumberConverter::ConvertInt32ToWString(in_attribute)}, -1, -1);
}

} // namespace

ConnectionAttributes::ConnectionAttributes(Connection& io_connection)
    : AttributesBase(&io_connection.GetDiagManager()),
      m_connection(io_connection)
{
    StoreValue(SQL_ATTR_ASYNC_ENABLE,
               std::unique_ptr<AttributeData>(AttributeData::MakeNewUIntNativeAttributeData(SQL_ASYNC_ENABLE_OFF)));
    StoreValue(SQL_ATTR_METADATA_ID, std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(SQL_FALSE)));
    StoreValue(SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE,
               std::unique_ptr<AttributeData>(AttributeData::MakeNewUInt32AttributeData(SQL_ASYNC_DBC_ENABLE_OFF)));
}

void ConnectionAttributes::OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length)
{
    SetAttribute(in_attribute, in_value, in_length);
}

void ConnectionAttributes::SetAttribute(int32_t in_attribute, intptr_t in_value, int32_t in_length)
{
    m_connection.LogEntrance(LOG_CLASS, "SetAttribute");
    CriticalSectionLock lock(GetLock());
    CheckAsynchronousCalls(in_attribute, in_value);
    if (ConnectionAttrTypes::IsReadOnly(in_attribute) || StatementAttrTypes::IsReadOnly(in_attribute))
    {
        throw ErrorException(DIAG_INVALID_ATTRIBUTE_IDENTIFIER, ODBC_COMPONENT_ID, u"CannotSetReadOnlyAttr", -1, -1);
    }
    bool isStatementAttribute = false;
    const AttributeType type = FindType(in_attribute, isStatementAttribute);
    if (Store(in_attribute, isStatementAttribute, in_value, ConvertValue(in_value, type, in_length)))
    {
        NotifyListeners(in_attribute, in_value, in_length);
    }
}

void ConnectionAttributes::CheckAsynchronousCalls(int32_t in_attribute, intptr_t in_value)
{
    if (in_value != 1)
    {
        return;
    }
    // SQL_ASYNC_DBC_FUNCTIONS must say "capable" (1); SQL_ASYNC_MODE anything but SQL_AM_NONE.
    bool isRefused = false;
    if (in_attribute == SQL_ATTR_ASYNC_DBC_FUNCTIONS_ENABLE)
    {
        const AttributeData* capability = m_connection.GetInfoProperty(SQL_ASYNC_DBC_FUNCTIONS);
        isRefused = capability == nullptr || capability->GetUInt32Value() != SQL_ASYNC_DBC_CAPABLE;
    }
    else if (in_attribute == SQL_ATTR_ASYNC_ENABLE)
    {
        const AttributeData* mode = m_connection.GetInfoProperty(SQL_ASYNC_MODE);
        isRefused = mode == nullptr || mode->GetUInt32Value() == SQL_AM_NONE;
    }
    if (isRefused)
    {
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"SetAsyncEnabNotSupported",
                             -1, -1);
    }
}

AttributeType ConnectionAttributes::FindType(int32_t in_attribute, bool& out_isStatementAttribute)
{
    out_isStatementAttribute = false;
    if (ConnectionAttrTypes::Contains(in_attribute))
    {
        return ConnectionAttrTypes::GetType(in_attribute);
    }
    if (StatementAttrTypes::Contains(in_attribute))
    {
        out_isStatementAttribute = true;
        return StatementAttrTypes::GetType(in_attribute);
    }
    DSI::DSIConnection& dataStore = m_connection.GetDSIConnection();
    if (dataStore.IsCustomProperty(in_attribute))
    {
        return dataStore.GetCustomPropertyType(in_attribute);
    }
    if (DSI::DSILog* log = m_connection.GetLog())
    {
        log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "SetAttribute", "Invalid attribute: %d", static_cast<int>(in_attribute));
    }
    throw InvalidAttribute(in_attribute);
}

bool ConnectionAttributes::Store(int32_t in_attribute,
                                 bool in_isStatementAttribute,
                                 intptr_t in_applicationValue,
                                 std::unique_ptr<AttributeData> in_value)
{
    if (in_isStatementAttribute)
    {
        if (!StatementAttrTypes::IsValueAccepted(in_attribute, static_cast<uint64_t>(in_applicationValue)))
        {
            if (in_attribute != SQL_ATTR_CURSOR_TYPE)
            {
                throw ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"InvalidAttrVal", -1, -1);
            }
            GetDiagnostics()->PostWarning(DIAG_OPTION_VALUE_CHANGED, ODBC_COMPONENT_ID, u"OptAttrValChangedWarn", -1, -1);
            return false;
        }
        StoreValue(in_attribute, std::move(in_value));
        return true;
    }
    if (ConnectionAttrTypes::IsKeptByConnection(in_attribute))
    {
        StoreValue(in_attribute, std::move(in_value));
        return true;
    }
    int32_t key = 0;
    DSI::DSIConnection& dataStore = m_connection.GetDSIConnection();
    if (ConnectionKeyMap::GetInstance().FindAttributeKey(in_attribute, key))
    {
        dataStore.SetProperty(key, std::move(in_value));
    }
    else
    {
        dataStore.SetCustomProperty(in_attribute, std::move(in_value));
    }
    return true;
}

AttributeData* ConnectionAttributes::GetAttribute(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    if (StatementAttrTypes::Contains(in_attribute))
    {
        if (AttributeData* value = FindValue(in_attribute))
        {
            return value;
        }
    }
    if (in_attribute == SQL_ATTR_ANSI_APP)
    {
        throw InvalidAttribute(in_attribute);
    }
    if (ConnectionAttrTypes::IsKeptByConnection(in_attribute))
    {
        if (AttributeData* value = FindValue(in_attribute))
        {
            return value;
        }
        throw NoDataException(u"AttrValNotFound");
    }
    int32_t key = 0;
    DSI::DSIConnection& dataStore = m_connection.GetDSIConnection();
    if (ConnectionKeyMap::GetInstance().FindAttributeKey(in_attribute, key))
    {
        return dataStore.GetProperty(key);
    }
    if (dataStore.IsCustomProperty(in_attribute))
    {
        return dataStore.GetCustomProperty(in_attribute);
    }
    throw InvalidAttribute(in_attribute);
}

void ConnectionAttributes::GetAttributeToBuffer(int32_t in_attribute,
                                                void* out_value,
                                                int32_t in_bufferLength,
                                                int32_t* out_stringLength)
{
    CriticalSectionLock lock(GetLock());
    GetValueToBuffer(GetDiagnostics(), *GetAttribute(in_attribute), in_bufferLength, out_value, out_stringLength);
}

AttributeData* ConnectionAttributes::GetInheritedStatementAttribute(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    if (StatementAttrTypes::Contains(in_attribute))
    {
        return StatementAttrTypes::IsHeld(in_attribute) ? FindValue(in_attribute) : nullptr;
    }
    if (!ConnectionAttrTypes::Contains(in_attribute))
    {
        throw InvalidAttribute(in_attribute);
    }
    return ConnectionAttrTypes::IsKeptByConnection(in_attribute) ? FindValue(in_attribute) : nullptr;
}

AttributeData* ConnectionAttributes::GetStatementAttributeValue(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    return StatementAttrTypes::Contains(in_attribute) ? FindValue(in_attribute) : nullptr;
}

bool ConnectionAttributes::HasConnectionLevelValue(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    if (!ConnectionAttrTypes::Contains(in_attribute))
    {
        return false;
    }
    if (ConnectionAttrTypes::IsKeptByConnection(in_attribute) && FindValue(in_attribute) != nullptr)
    {
        return true;
    }
    return m_connection.GetDSIConnection().IsCustomProperty(in_attribute);
}

bool ConnectionAttributes::IsCustomAttribute(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    return m_connection.GetDSIConnection().IsCustomProperty(in_attribute);
}

AttributeType ConnectionAttributes::GetCustomAttributeType(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    DSI::DSIConnection& dataStore = m_connection.GetDSIConnection();
    if (!dataStore.IsCustomProperty(in_attribute))
    {
        throw InvalidAttribute(in_attribute);
    }
    return dataStore.GetCustomPropertyType(in_attribute);
}

AttributeType ConnectionAttributes::GetValueType(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    bool isStatementAttribute = false;
    return FindType(in_attribute, isStatementAttribute);
}

} // namespace ODBC
} // namespace Orvik
