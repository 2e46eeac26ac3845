#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>
#include <utility>

namespace Orvik {
namespace ODBC {

/// One descriptor field's value on its way between the application's buffer and a descriptor:
/// an integer of any width (unsigned values bit for bit), an address or a text, as the field's
/// value type says (DescriptorFields::GetValueType).
struct DescriptorFieldValue
{
    int64_t m_integer = 0;
    void* m_pointer = nullptr;
    Support::orvik_wstring m_text;

    static DescriptorFieldValue Integer(int64_t in_value)
    {
        DescriptorFieldValue value;
        value.m_integer = in_value;
        return value;
    }

    static DescriptorFieldValue Pointer(void* in_value)
    {
        DescriptorFieldValue value;
        value.m_pointer = in_value;
        return value;
    }

    static DescriptorFieldValue Text(Support::orvik_wstring in_value)
    {
        DescriptorFieldValue value;
        value.m_text = std::move(in_value);
        return value;
    }
};

} // namespace ODBC
} // namespace Orvik
