#include "Support/AttributeData.h"

#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"

#include <string>

namespace Orvik {
namespace Support {

namespace {

const char* const SOURCE_NAME = "AttributeData.cpp";

constexpr uint32_t Tag(AttributeType in_type)
{
    return (in_type >= 0 && in_type < 32) ? 1u << in_type : 0;
}

const uint32_t KNOWN_TAGS = Tag(ATTR_POINTER) | Tag(ATTR_WSTRING) | Tag(ATTR_INT32) | Tag(ATTR_UINT32)
                            | Tag(ATTR_INT16) | Tag(ATTR_UINT16) | Tag(ATTR_INT_NATIVE) | Tag(ATTR_UINT_NATIVE);

// The tags each getter accepts, one getter a line: its own type and the narrower integer types
// whose every value it can hold.
struct GetterRule
{
    const char* m_name;
    uint32_t m_acceptedTags;
};

const GetterRule GET_INT16 =       { "GetInt16Value",      Tag(ATTR_INT16) };
const GetterRule GET_UINT16 =      { "GetUInt16Value",     Tag(ATTR_UINT16) };
const GetterRule GET_INT32 =       { "GetInt32Value",      Tag(ATTR_INT32) | Tag(ATTR_INT16) | Tag(ATTR_UINT16) };
const GetterRule GET_UINT32 =      { "GetUInt32Value",     Tag(ATTR_UINT32) | Tag(ATTR_UINT16) };
const GetterRule GET_INT_NATIVE =  { "GetIntNativeValue",  Tag(ATTR_INT_NATIVE) | Tag(ATTR_INT32) };
const GetterRule GET_UINT_NATIVE = { "GetUIntNativeValue", Tag(ATTR_UINT_NATIVE) | Tag(ATTR_UINT32) };
const GetterRule GET_POINTER =     { "GetPointerValue",    Tag(ATTR_POINTER) };
const GetterRule GET_WSTRING =     { "GetWStringValue",    Tag(ATTR_WSTRING) };

orvik_wstring Decimal(int in_number)
{
    return orvik_wstring(std::to_string(in_number).c_str());
}

void Require(AttributeType in_type, const GetterRule& in_getter, int in_line)
{
    if ((Tag(in_type) & in_getter.m_acceptedTags) == 0)
    {
        throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                        { orvik_wstring(in_getter.m_name), orvik_wstring(SOURCE_NAME),
                                          Decimal(in_line) });
    }
}

} // namespace

AttributeData::~AttributeData()
{
    if (m_type == ATTR_WSTRING)
    {
        delete m_value.m_string;
    }
}

AttributeData* AttributeData::Make(AttributeType in_type, uint64_t in_bits)
{
    AttributeData* attribute = new AttributeData();
    attribute->m_type = in_type;
    attribute->m_value.m_bits = in_bits;
    return attribute;
}

AttributeData* AttributeData::MakeNewPointerAttributeData(void* in_value)
{
    return Make(ATTR_POINTER, reinterpret_cast<uintptr_t>(in_value));
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
    return Make(ATTR_WSTRING, reinterpret_cast<uintptr_t>(in_value));
}

AttributeData* AttributeData::MakeNewInt32AttributeData(int32_t in_value)
{
    return Make(ATTR_INT32, static_cast<uint32_t>(in_value));
}

AttributeData* AttributeData::MakeNewUInt32AttributeData(uint32_t in_value)
{
    return Make(ATTR_UINT32, in_value);
}

AttributeData* AttributeData::MakeNewInt16AttributeData(int16_t in_value)
{
    return Make(ATTR_INT16, static_cast<uint16_t>(in_value));
}

AttributeData* AttributeData::MakeNewUInt16AttributeData(uint16_t in_value)
{
    return Make(ATTR_UINT16, in_value);
}

AttributeData* AttributeData::MakeNewIntNativeAttributeData(int64_t in_value)
{
    return Make(ATTR_INT_NATIVE, static_cast<uint64_t>(in_value));
}

AttributeData* AttributeData::MakeNewUIntNativeAttributeData(uint64_t in_value)
{
    return Make(ATTR_UINT_NATIVE, in_value);
}

AttributeData* AttributeData::Clone() const
{
    if ((Tag(m_type) & KNOWN_TAGS) == 0)
    {
        throw InvalidArgumentException(SupportError(SupportErrorCode::InvalidArgument),
                                       { orvik_wstring(SOURCE_NAME), Decimal(__LINE__) });
    }
    if (m_type == ATTR_WSTRING)
    {
        return MakeNewWStringAttributeData(*m_value.m_string);
    }
    return Make(m_type, m_value.m_bits);
}

uint64_t AttributeData::GetWidenedBits() const
{
    switch (m_type)
    {
    case ATTR_INT16: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int16_t>(m_value.m_bits)));
    case ATTR_INT32: return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(m_value.m_bits)));
    default: return m_value.m_bits; // unsigned or 64-bit: nothing to extend
    }
}

int16_t AttributeData::GetInt16Value() const
{
    Require(m_type, GET_INT16, __LINE__);
    return static_cast<int16_t>(GetWidenedBits());
}

uint16_t AttributeData::GetUInt16Value() const
{
    Require(m_type, GET_UINT16, __LINE__);
    return static_cast<uint16_t>(GetWidenedBits());
}

int32_t AttributeData::GetInt32Value() const
{
    Require(m_type, GET_INT32, __LINE__);
    return static_cast<int32_t>(GetWidenedBits());
}

uint32_t AttributeData::GetUInt32Value() const
{
    Require(m_type, GET_UINT32, __LINE__);
    return static_cast<uint32_t>(GetWidenedBits());
}

int64_t AttributeData::GetIntNativeValue() const
{
    Require(m_type, GET_INT_NATIVE, __LINE__);
    return static_cast<int64_t>(GetWidenedBits());
}

uint64_t AttributeData::GetUIntNativeValue() const
{
    Require(m_type, GET_UINT_NATIVE, __LINE__);
    return GetWidenedBits();
}

void* AttributeData::GetPointerValue() const
{
    Require(m_type, GET_POINTER, __LINE__);
    return m_value.m_pointer;
}

orvik_wstring* AttributeData::GetWStringValue() const
{
    Require(m_type, GET_WSTRING, __LINE__);
    return m_value.m_string;
}

} // namespace Support
} // namespace Orvik
