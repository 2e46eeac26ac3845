#include "ODBC/Attributes/AttributesBase.h"

#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Strings/WStringHelper.h"
#include "ODBC/Strings/WideArgument.h"
#include "Support/CriticalSectionLock.h"
#include "Support/InvalidArgumentException.h"

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

template <typename Value>
void WriteValue(Value in_value, void* out_value, int32_t* out_stringLength)
{
    if (out_value != nullptr)
    {
        std::memcpy(out_value, &in_value, sizeof(in_value));
    }
    if (out_stringLength != nullptr)
    {
        *out_stringLength = static_cast<int32_t>(sizeof(in_value));
    }
}

std::unique_ptr<AttributeData> ConvertString(const void* in_text, int32_t in_length)
{
    if (in_length < 0 && in_length != NUL_TERMINATED)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return std::unique_ptr<AttributeData>(
        AttributeData::MakeNewWStringAttributeData(WideArgument::ReadBytes(in_text, in_length)));
}

} // namespace

AttributesBase::AttributesBase(IDiagManager* io_diagnostics) : m_diagnostics(io_diagnostics)
{
}

AttributesBase::~AttributesBase() = default;

void AttributesBase::RemoveListener(AttributesBase* in_store)
{
    CriticalSectionLock lock(m_lock);
    const auto found = std::find(m_listeners.begin(), m_listeners.end(), in_store);
    if (found != m_listeners.end())
    {
        m_listeners.erase(found);
    }
}

void AttributesBase::AddListener(AttributesBase* in_store)
{
    CriticalSectionLock lock(m_lock);
    if (std::find(m_listeners.begin(), m_listeners.end(), in_store) == m_listeners.end())
    {
        m_listeners.push_back(in_store);
    }
}

void AttributesBase::NotifyListeners(int32_t in_attribute, intptr_t in_value, int32_t in_length)
{
    CriticalSectionLock lock(m_lock);
    for (AttributesBase* listener : m_listeners)
    {
        listener->OnParentAttributeSet(in_attribute, in_value, in_length);
    }
}

std::unique_ptr<AttributeData> AttributesBase::ConvertValue(intptr_t in_value, AttributeType in_type, int32_t in_length)
{
    AttributeData* data = nullptr;
    switch (in_type)
    {
    case ATTR_POINTER:
        data = AttributeData::MakeNewPointerAttributeData(reinterpret_cast<void*>(in_value));
        break;
    case ATTR_WSTRING:
        return ConvertString(reinterpret_cast<const void*>(in_value), in_length);
    case ATTR_INT32:
        data = AttributeData::MakeNewInt32AttributeData(static_cast<int32_t>(in_value));
        break;
    case ATTR_UINT32:
        data = AttributeData::MakeNewUInt32AttributeData(static_cast<uint32_t>(in_value));
        break;
    case ATTR_INT16:
        data = AttributeData::MakeNewInt16AttributeData(static_cast<int16_t>(in_value));
        break;
    case ATTR_UINT16:
        data = AttributeData::MakeNewUInt16AttributeData(static_cast<uint16_t>(in_value));
        break;
    case ATTR_INT_NATIVE:
        data = AttributeData::MakeNewIntNativeAttributeData(static_cast<int64_t>(in_value));
        break;
    case ATTR_UINT_NATIVE:
        data = AttributeData::MakeNewUIntNativeAttributeData(static_cast<uint64_t>(in_value));
        break;
    default:
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"AttrTypeNotSupported", -1, -1);
    }
    return std::unique_ptr<AttributeData>(data);
}

void AttributesBase::GetValueToBuffer(IDiagManager* io_diagnostics,
                                      const AttributeData& in_data,
                                      int32_t in_bufferLength,
                                      void* out_value,
                                      int32_t* out_stringLength)
{
    switch (in_data.GetAttributeType())
    {
    case ATTR_POINTER:
        WriteValue(in_data.GetPointerValue(), out_value, out_stringLength);
        return;
    case ATTR_WSTRING:
        WStringHelper::CopyToBufferLen32(*in_data.GetWStringValue(), false, out_value, in_bufferLength,
                                         out_stringLength, io_diagnostics, nullptr);
        return;
    case ATTR_INT32:
        WriteValue(in_data.GetInt32Value(), out_value, out_stringLength);
        return;
    case ATTR_UINT32:
        WriteValue(in_data.GetUInt32Value(), out_value, out_stringLength);
        return;
    case ATTR_INT16:
        WriteValue(in_data.GetInt16Value(), out_value, out_stringLength);
        return;
    case ATTR_UINT16:
        WriteValue(in_data.GetUInt16Value(), out_value, out_stringLength);
        return;
    case ATTR_INT_NATIVE:
        WriteValue(in_data.GetIntNativeValue(), out_value, out_stringLength);
        return;
    case ATTR_UINT_NATIVE:
        WriteValue(in_data.GetUIntNativeValue(), out_value, out_stringLength);
        return;
    }
    throw ODBCInternalException(u"AttrDataTypeNotRecog");
}

AttributeData* AttributesBase::FindValue(int32_t in_attribute) const
{
    const auto found = m_values.find(in_attribute);
    return found == m_values.end() ? nullptr : found->second.get();
}

void AttributesBase::StoreValue(int32_t in_attribute, std::unique_ptr<AttributeData> in_value)
{
    m_values[in_attribute] = std::move(in_value);
}

} // namespace ODBC
} // namespace Orvik
