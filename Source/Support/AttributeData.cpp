#include "Support/AttributeData.h"

#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"

#include <string>

namespace Orvik {
namespace Support {

AttributeData::~AttributeData()
{
    if (m_type == ATTR_WSTRING)
    {
        delete m_value.m_string;
    }
}

AttributeData* AttributeData::MakeNewPointerAttributeData(void* in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = ATTR_POINTER;
    attribute->m_value.m_pointer = in_value;
    return attribute;
}

AttributeData* AttributeData::MakeNewWStringAttributeData(const orvik_wstring& in_value)
{
    return MakeNewWStringAttributeData(new orvik_wstring(in_value));
}

AttributeData* AttributeData::MakeNewWStringAttributeData(orvik_wstring&& io_value)
{
    orvik_wstring* taken = new orvik_wstring();
    taken->Swap(io_value);
    return MakeNewWStringAttributeData(taken);
}

AttributeData* AttributeData::MakeNewWStringAttributeData(orvik_wstring* in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = ATTR_WSTRING;
    attribute->m_value.m_string = in_value;
    return attribute;
}

AttributeData* AttributeData::MakeNewInt32AttributeData(int32_t in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = ATTR_INT32;
    attribute->m_value.m_int32 = in_value;
    return attribute;
}

AttributeData* AttributeData::MakeNewUInt32AttributeData(uint32_t in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_value.m_uint32 = in_value;
    return attribute;
}

AttributeData* AttributeData::MakeNewInt16AttributeData(int16_t in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = ATTR_INT16;
    attribute->m_value.m_int16 = in_value;
    return attribute;
}

AttributeData* AttributeData::MakeNewUInt16AttributeData(uint16_t in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = ATTR_UINT16;
    attribute->m_value.m_uint16 = in_value;
    return attribute;
}

AttributeData* AttributeData::MakeNewIntNativeAttributeData(int64_t in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = ATTR_INT_NATIVE;
    attribute->m_value.m_int64 = in_value;
    return attribute;
}

AttributeData* AttributeData::MakeNewUIntNativeAttributeData(uint64_t in_value)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = ATTR_UINT_NATIVE;
    attribute->m_value.m_uint64 = in_value;
    return attribute;
}

AttributeData* AttributeData::Clone() const
{
    switch (m_type)
    {
    case ATTR_POINTER: return MakeNewPointerAttributeData(m_value.m_pointer);
    case ATTR_WSTRING: return MakeNewWStringAttributeData(*m_value.m_string);
    case ATTR_INT32: return MakeNewInt32AttributeData(m_value.m_int32);
    case ATTR_UINT32: return MakeNewUInt32AttributeData(m_value.m_uint32);
    case ATTR_INT16: return MakeNewInt16AttributeData(m_value.m_int16);
    case ATTR_UINT16: return MakeNewUInt16AttributeData(m_value.m_uint16);
    case ATTR_INT_NATIVE: return MakeNewIntNativeAttributeData(m_value.m_int64);
    case ATTR_UINT_NATIVE: return MakeNewUIntNativeAttributeData(m_value.m_uint64);
    }
    throw InvalidArgumentException(SupportError(SupportErrorCode::InvalidArgument),
                                   { orvik_wstring("AttributeData.cpp"),
                                     orvik_wstring(std::to_string(__LINE__)) });
}

int16_t AttributeData::GetInt16Value() const
{
    if (m_type == ATTR_INT16)
    {
        return m_value.m_int16;
    }
    ORVIK_THROW_INVALID_OPERATION();
}

uint16_t AttributeData::GetUInt16Value() const
{
    if (m_type == ATTR_UINT16)
    {
        return m_value.m_uint16;
    }
    ORVIK_THROW_INVALID_OPERATION();
}

int32_t AttributeData::GetInt32Value() const
{
    switch (m_type)
    {
    case ATTR_INT32: return m_value.m_int32;
    case ATTR_INT16: return m_value.m_int16;
    case ATTR_UINT16: return m_value.m_uint16;
    default: ORVIK_THROW_INVALID_OPERATION();
    }
}

uint32_t AttributeData::GetUInt32Value() const
{
    switch (m_type)
    {
    case ATTR_UINT32: return m_value.m_uint32;
    case ATTR_UINT16: return m_value.m_uint16;
    default: ORVIK_THROW_INVALID_OPERATION();
    }
}

int64_t AttributeData::GetIntNativeValue() const
{
    switch (m_type)
    {
    case ATTR_INT_NATIVE: return m_value.m_int64;
    case ATTR_INT32: return m_value.m_int32;
    default: ORVIK_THROW_INVALID_OPERATION();
    }
}

uint64_t AttributeData::GetUIntNativeValue() const
{
    switch (m_type)
    {
    case ATTR_UINT_NATIVE: return m_value.m_uint64;
    case ATTR_UINT32: return m_value.m_uint32;
    default: ORVIK_THROW_INVALID_OPERATION();
    }
}

void* AttributeData::GetPointerValue() const
{
    if (m_type == ATTR_POINTER)
    {
        return m_value.m_pointer;
    }
    ORVIK_THROW_INVALID_OPERATION();
}

orvik_wstring* AttributeData::GetWStringValue() const
{
    if (m_type == ATTR_WSTRING)
    {
        return m_value.m_string;
    }
    ORVIK_THROW_INVALID_OPERATION();
}

} // namespace Support
} // namespace Orvik
