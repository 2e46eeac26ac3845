#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The kind of value an AttributeData holds. The numbers are part of the interface.
enum AttributeType : int32_t
{
    ATTR_POINTER = 0,     ///< an untyped pointer, not owned
    ATTR_WSTRING = 2,     ///< an orvik_wstring owned by the attribute
    ATTR_INT32 = 3,
    ATTR_UINT32 = 4,
    ATTR_INT16 = 5,
    ATTR_UINT16 = 6,
    ATTR_INT_NATIVE = 7,  ///< signed 64-bit
    ATTR_UINT_NATIVE = 8  ///< unsigned 64-bit
};

/// One typed property value, as the property stores of every layer keep them. Made on the heap
/// by the makers (the caller owns the result) and read through getters that accept the value's
/// own type and some narrower integer types whose every value the result holds.
class AttributeData
{
public:
    ~AttributeData();

    AttributeData(const AttributeData&) = delete;
    AttributeData& operator=(const AttributeData&) = delete;

    static AttributeData* MakeNewPointerAttributeData(void* in_value);
    /// Holds a copy of the string.
    static AttributeData* MakeNewWStringAttributeData(const orvik_wstring& in_value);
    /// Takes the string's text over and leaves the argument null.
    static AttributeData* MakeNewWStringAttributeData(orvik_wstring&& io_value);
    /// Takes ownership of a heap-allocated string.
    static AttributeData* MakeNewWStringAttributeData(orvik_wstring* in_value);
    static AttributeData* MakeNewInt32AttributeData(int32_t in_value);
    static AttributeData* MakeNewUInt32AttributeData(uint32_t in_value);
    static AttributeData* MakeNewInt16AttributeData(int16_t in_value);
    static AttributeData* MakeNewUInt16AttributeData(uint16_t in_value);
    static AttributeData* MakeNewIntNativeAttributeData(int64_t in_value);
    static AttributeData* MakeNewUIntNativeAttributeData(uint64_t in_value);

    /// A new attribute with the same type and value: a string is copied, a pointer shared.
    AttributeData* Clone() const;

    AttributeType GetAttributeType() const { return m_type; }

    // Each getter throws InvalidOperationException unless the type is one it accepts.
    int16_t GetInt16Value() const;            ///< ATTR_INT16
    uint16_t GetUInt16Value() const;          ///< ATTR_UINT16
    int32_t GetInt32Value() const;            ///< ATTR_INT32, ATTR_INT16, ATTR_UINT16
    uint32_t GetUInt32Value() const;          ///< ATTR_UINT32, ATTR_UINT16
    int64_t GetIntNativeValue() const;        ///< ATTR_INT_NATIVE, ATTR_INT32
    uint64_t GetUIntNativeValue() const;      ///< ATTR_UINT_NATIVE, ATTR_UINT32
    void* GetPointerValue() const;            ///< ATTR_POINTER
    orvik_wstring* GetWStringValue() const;   ///< ATTR_WSTRING; the held string, not a copy

private:
    AttributeData() = default;

    /// A new attribute of in_type whose value bytes are in_bits: the value's own bytes, the
    /// rest zero.
    static AttributeData* Make(AttributeType in_type, uint64_t in_bits);

    /// The held integer widened to 64 bits by its own signedness; every getter narrows it to
    /// its result, which holds each value of the types it accepts exactly.
    uint64_t GetWidenedBits() const;

    AttributeType m_type = ATTR_UINT32;
    union
    {
        void* m_pointer;
        orvik_wstring* m_string;
        uint64_t m_bits = 0;
    } m_value;
};

} // namespace Support
} // namespace Orvik
