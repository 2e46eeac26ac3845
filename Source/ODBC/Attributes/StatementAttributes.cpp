#include "ODBC/Attributes/StatementAttributes.h"

#include "DSI/DSIConnection.h"
#include "DSI/DSILog.h"
#include "DSI/DSIStatement.h"
#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Attributes/StatementAttrTypes.h"
#include "ODBC/Descriptors/AppDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Exceptions/NoDataException.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/KeyMaps/ConnectionKeyMap.h"
#include "Support/CriticalSectionLock.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

#include <string>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_NAMESPACE = "Orvik::ODBC";
const char* const LOG_CLASS = "StatementAttributes";

ErrorException InvalidAttribute(int32_t in_attribute)
{
    return ErrorException(DIAG_INVALID_ATTRIBUTE_IDENTIFIER, ODBC_COMPONENT_ID, u"InvalidAttrIdent",
                          {orvik_wstring(std::to_string(in_attribute))}, -1, -1);
}

ErrorException InvalidValue(const char16_t* in_key = u"InvalidAttrVal")
{
    return ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, in_key, -1, -1);
}

} // namespace

StatementAttributes::StatementAttributes(Statement& io_statement, ConnectionAttributes& io_connectionAttributes)
    : AttributesBase(&io_statement.GetDiagManager()),
      m_statement(io_statement),
      m_connectionAttributes(io_connectionAttributes)
{
    InitializeHeldAttributes();
    InitializeForwardedAttributes();
    m_connectionAttributes.AddListener(this);
}

StatementAttributes::~StatementAttributes()
{
    m_connectionAttributes.RemoveListener(this);
}

void StatementAttributes::InitializeHeldAttributes()
{
    bool isAutoIpdOn = false;
    try
    {
        isAutoIpdOn = IsAutoIpdOn();
    }
    catch (const ErrorException&)
    {
        // A data store that cannot say gives the statement no automatic description.
    }
    for (const StatementAttrInfo* info = StatementAttrTypes::Begin(); info != StatementAttrTypes::End(); ++info)
    {
        if (info->m_home != StatementAttrHome::HELD)
        {
            continue;
        }
        uint64_t value = info->m_initialValue;
        if (info->m_attribute == SQL_ATTR_ENABLE_AUTO_IPD)
        {
            value = isAutoIpdOn ? SQL_TRUE : SQL_FALSE;
        }
        else if (const AttributeData* inherited = m_connectionAttributes.GetInheritedStatementAttribute(info->m_attribute))
        {
            // The connection keeps some as 32-bit values; the statement holds every one as SQLULEN.
            const uint64_t connectionValue = inherited->GetUIntNativeValue();
            value = StatementAttrTypes::IsValueAccepted(info->m_attribute, connectionValue) ? connectionValue : value;
        }
        StoreValue(info->m_attribute, std::unique_ptr<AttributeData>(AttributeData::MakeNewUIntNativeAttributeData(value)));
    }
}

void StatementAttributes::InitializeForwardedAttributes()
{
    DSI::DSIStatement& dataStore = m_statement.GetDSIStatement();
    for (const StatementAttrInfo* info = StatementAttrTypes::Begin(); info != StatementAttrTypes::End(); ++info)
    {
        if (info->m_home != StatementAttrHome::FORWARDED)
        {
            continue;
        }
        const AttributeData* connectionValue = m_connectionAttributes.GetStatementAttributeValue(info->m_attribute);
        if (connectionValue != nullptr && dataStore.IsPropertyValueInLimits(info->m_propertyKey, *connectionValue))
        {
            dataStore.SetProperty(info->m_propertyKey, std::unique_ptr<AttributeData>(connectionValue->Clone()));
        }
    }
}

bool StatementAttributes::IsAutoIpdOn()
{
    try
    {
        int32_t key = 0;
        ConnectionKeyMap::GetInstance().FindAttributeKey(SQL_ATTR_AUTO_IPD, key);
        return m_statement.GetConnection().GetDSIConnection().GetProperty(key)->GetUIntNativeValue() == SQL_TRUE;
    }
    catch (const ErrorException&)
    {
        throw ODBCInternalException(u"ObtainCheckingConnAttrFailed");
    }
}

void StatementAttributes::OnParentAttributeSet(int32_t in_attribute, intptr_t in_value, int32_t in_length)
{
    // SQL_ATTR_ASYNC_ENABLE reaches the statements through the connection's own rule.
    if ((StatementAttrTypes::IsHeld(in_attribute) || StatementAttrTypes::IsForwarded(in_attribute)) &&
        in_attribute != SQL_ATTR_ASYNC_ENABLE)
    {
        SetAttribute(in_attribute, in_value, in_length);
    }
}

void StatementAttributes::SetAttribute(int32_t in_attribute, intptr_t in_value, int32_t in_length)
{
    m_statement.LogEntrance(LOG_CLASS, "SetAttribute");
    CriticalSectionLock lock(GetLock());
    if (in_attribute == SQL_ATTR_ASYNC_ENABLE && static_cast<uint64_t>(in_value) == SQL_ASYNC_ENABLE_ON)
    {
        const AttributeData* mode = m_statement.GetConnection().GetInfoProperty(SQL_ASYNC_MODE);
        if (mode == nullptr || mode->GetUInt32Value() == SQL_AM_NONE)
        {
            throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"SetAsyncEnabNotSupported",
                                 -1, -1);
        }
    }
    const StatementAttrInfo* info = StatementAttrTypes::Find(in_attribute);
    if (info != nullptr && info->m_isReadOnly)
    {
        if (info->m_home == StatementAttrHome::DESCRIPTOR_HANDLE)
        {
            throw ErrorException(DIAG_INVALID_USE_OF_AUTO_DESCRIPTOR, ODBC_COMPONENT_ID, u"CannotSetImpDescHandle", -1, -1);
        }
        throw ErrorException(DIAG_INVALID_ATTRIBUTE_IDENTIFIER, ODBC_COMPONENT_ID, u"CannotSetReadOnlyAttr", -1, -1);
    }
    if (info != nullptr && info->m_home == StatementAttrHome::DESCRIPTOR_FIELD)
    {
        SetDescriptorField(*info, in_value);
        return;
    }
    if (info != nullptr && info->m_home == StatementAttrHome::DESCRIPTOR_HANDLE)
    {
        SetAppDescriptor(in_attribute, in_value);
        return;
    }
    if (in_attribute == SQL_ATTR_ENABLE_AUTO_IPD && static_cast<uint64_t>(in_value) == SQL_TRUE && !IsAutoIpdOn())
    {
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"AutoPopIpdNotSupported", -1, -1);
    }
    std::unique_ptr<AttributeData> value = ConvertValue(in_value, FindType(in_attribute), in_length);
    if (info == nullptr)
    {
        m_statement.GetDSIStatement().SetCustomProperty(in_attribute, std::move(value));
    }
    else if (info->m_home == StatementAttrHome::FORWARDED)
    {
        StoreForwarded(*info, std::move(value));
    }
    else if (!StoreHeld(in_attribute, std::move(value)))
    {
        return;
    }
    NotifyListeners(in_attribute, in_value, in_length);
}

AttributeType StatementAttributes::FindType(int32_t in_attribute)
{
    if (StatementAttrTypes::Contains(in_attribute))
    {
        return StatementAttrTypes::GetType(in_attribute);
    }
    DSI::DSIStatement& dataStore = m_statement.GetDSIStatement();
    if (dataStore.IsCustomProperty(in_attribute))
    {
        return dataStore.GetCustomPropertyType(in_attribute);
    }
    if (DSI::DSILog* log = m_statement.GetLog())
    {
        log->LogInfo(LOG_NAMESPACE, LOG_CLASS, "SetAttribute", "Invalid attribute: %d", static_cast<int>(in_attribute));
    }
    throw InvalidAttribute(in_attribute);
}

void StatementAttributes::SetDescriptorField(const StatementAttrInfo& in_info, intptr_t in_value)
{
    Descriptor& descriptor = m_statement.GetDescriptor(in_info.m_descriptor);
    CriticalSectionLock lock(descriptor.GetLock());
    descriptor.SetHeaderField(in_info.m_field, in_info.m_type == ATTR_POINTER
                                                   ? DescriptorFieldValue::Pointer(reinterpret_cast<void*>(in_value))
                                                   : DescriptorFieldValue::Integer(static_cast<int64_t>(in_value)));
}

void StatementAttributes::SetAppDescriptor(int32_t in_attribute, intptr_t in_value)
{
    const bool isRow = in_attribute == SQL_ATTR_APP_ROW_DESC;
    if (in_value == 0)
    {
        isRow ? m_statement.SetCurrentARD(m_statement.GetImplicitARD())
              : m_statement.SetCurrentAPD(m_statement.GetImplicitAPD());
        return;
    }
    Driver& driver = m_statement.GetConnection().GetEnvironment().GetDriver();
    auto* descriptor = dynamic_cast<AppDescriptorBase*>(driver.GetAppDescriptor(static_cast<HandleValue>(in_value)));
    if (descriptor == nullptr)
    {
        // A handle that names no application descriptor is a value the attribute cannot take.
        throw InvalidValue();
    }
    if (descriptor->IsExplicit())
    {
        if (descriptor->GetParentConnection() != &m_statement.GetConnection())
        {
            throw InvalidValue(u"ExplAppDescHandleNotFromSameConn");
        }
    }
    else if (isRow ? !m_statement.IsImplicitARD(descriptor) : !m_statement.IsImplicitAPD(descriptor))
    {
        throw ErrorException(DIAG_INVALID_USE_OF_AUTO_DESCRIPTOR, ODBC_COMPONENT_ID, u"ImplicitAppDescHandleNotOrig", -1,
                             -1);
    }
    isRow ? m_statement.SetCurrentARD(*descriptor) : m_statement.SetCurrentAPD(*descriptor);
}

bool StatementAttributes::StoreHeld(int32_t in_attribute, std::unique_ptr<AttributeData> in_value)
{
    const uint64_t value = in_value->GetUIntNativeValue();
    if (!StatementAttrTypes::IsValueAccepted(in_attribute, value))
    {
        if (in_attribute != SQL_ATTR_CURSOR_TYPE)
        {
            throw InvalidValue();
        }
        GetDiagnostics()->PostWarning(DIAG_OPTION_VALUE_CHANGED, ODBC_COMPONENT_ID, u"OptAttrValChangedWarn", -1, -1);
        return false;
    }
    StoreValue(in_attribute, std::move(in_value));
    if (in_attribute == SQL_ATTR_ASYNC_ENABLE)
    {
        m_statement.SetAsyncEnabled(value == SQL_ASYNC_ENABLE_ON);
    }
    return true;
}

void StatementAttributes::StoreForwarded(const StatementAttrInfo& in_info, std::unique_ptr<AttributeData> in_value)
{
    DSI::DSIStatement& dataStore = m_statement.GetDSIStatement();
    if (!dataStore.IsPropertyValueInLimits(in_info.m_propertyKey, *in_value))
    {
        std::unique_ptr<AttributeData> bound =
            in_info.m_isClampAllowed ? dataStore.ClampPropertyValue(in_info.m_propertyKey, *in_value) : nullptr;
        if (!bound)
        {
            throw InvalidValue();
        }
        in_value = std::move(bound);
        m_savedValues[in_info.m_attribute].reset(dataStore.GetProperty(in_info.m_propertyKey)->Clone());
        GetDiagnostics()->PostWarning(DIAG_OPTION_VALUE_CHANGED, ODBC_COMPONENT_ID, u"OptAttrValChangedWarn", -1, -1);
    }
    dataStore.SetProperty(in_info.m_propertyKey, std::move(in_value));
}

void StatementAttributes::GetAttributeToBuffer(int32_t in_attribute,
                                               void* out_value,
                                               int32_t in_bufferLength,
                                               int32_t* out_stringLength)
{
    CriticalSectionLock lock(GetLock());
    const StatementAttrInfo* info = StatementAttrTypes::Find(in_attribute);
    if (info != nullptr && info->m_home == StatementAttrHome::DESCRIPTOR_FIELD)
    {
        if (out_value == nullptr)
        {
            throw ODBCInternalException(u"InvalidOutputBuff");
        }
        Descriptor& descriptor = m_statement.GetDescriptor(info->m_descriptor);
        CriticalSectionLock descriptorLock(descriptor.GetLock());
        const DescriptorFieldValue field = descriptor.GetHeaderFieldChecked(info->m_field);
        // Every such field is a full SQLULEN or pointer, whatever SQLGetDescField writes.
        if (info->m_type == ATTR_POINTER)
        {
            *static_cast<void**>(out_value) = field.m_pointer;
        }
        else
        {
            *static_cast<SQLULEN*>(out_value) = static_cast<SQLULEN>(field.m_integer);
        }
        if (out_stringLength != nullptr)
        {
            *out_stringLength = sizeof(SQLULEN);
        }
        return;
    }
    if (info != nullptr && info->m_home == StatementAttrHome::DESCRIPTOR_HANDLE)
    {
        if (out_value != nullptr)
        {
            *static_cast<SQLHANDLE*>(out_value) =
                reinterpret_cast<SQLHANDLE>(m_statement.GetDescriptor(info->m_descriptor).GetHandle());
        }
        return;
    }
    GetValueToBuffer(GetDiagnostics(), *GetAttribute(in_attribute), in_bufferLength, out_value, out_stringLength);
}

AttributeData* StatementAttributes::GetAttribute(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    const StatementAttrInfo* info = StatementAttrTypes::Find(in_attribute);
    if (info != nullptr && info->m_home == StatementAttrHome::HELD)
    {
        AttributeData* value = FindValue(in_attribute);
        if (value == nullptr)
        {
            throw NoDataException(u"AttrValNotFound");
        }
        return value;
    }
    DSI::DSIStatement& dataStore = m_statement.GetDSIStatement();
    if (info != nullptr && info->m_home == StatementAttrHome::FORWARDED)
    {
        return dataStore.GetProperty(info->m_propertyKey);
    }
    if (info == nullptr && dataStore.IsCustomProperty(in_attribute))
    {
        return dataStore.GetCustomProperty(in_attribute);
    }
    throw InvalidAttribute(in_attribute);
}

uint64_t StatementAttributes::GetValue(int32_t in_attribute)
{
    return GetAttribute(in_attribute)->GetUIntNativeValue();
}

void StatementAttributes::RevertToOriginal()
{
    CriticalSectionLock lock(GetLock());
    // Only forwarded attributes are ever clamped, so every saved value is a data-store property.
    for (auto& saved : m_savedValues)
    {
        m_statement.GetDSIStatement().SetProperty(StatementAttrTypes::Find(saved.first)->m_propertyKey,
                                                  std::move(saved.second));
    }
    m_savedValues.clear();
}

bool StatementAttributes::IsCustomAttribute(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    return m_statement.GetDSIStatement().IsCustomProperty(in_attribute);
}

AttributeType StatementAttributes::GetCustomAttributeType(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    DSI::DSIStatement& dataStore = m_statement.GetDSIStatement();
    if (!dataStore.IsCustomProperty(in_attribute))
    {
        throw InvalidAttribute(in_attribute);
    }
    return dataStore.GetCustomPropertyType(in_attribute);
}

AttributeType StatementAttributes::GetValueType(int32_t in_attribute)
{
    CriticalSectionLock lock(GetLock());
    return FindType(in_attribute);
}

} // namespace ODBC
} // namespace Orvik
