#include "Support/Variant.h"

#include "Support/NumberConverter.h"

#include <utility>

namespace Orvik {
namespace Support {

namespace {

bool IsFalseText(const orvik_wstring& in_text)
{
    static const orvik_wstring FALSE_TEXT(u"false");
    static const orvik_wstring NO_TEXT(u"no");
    static const std::u16string FALSE_LETTERS = u"0FfNn";
    if (in_text.GetLength() == 0)
    {
        return true;
    }
    if (in_text.GetLength() == 1)
    {
        return FALSE_LETTERS.find(in_text.GetBuffer()[0]) != std::u16string::npos;
    }
    return in_text.IsEqual(FALSE_TEXT, false) || in_text.IsEqual(NO_TEXT, false);
}

} // namespace

Variant::Variant(const char16_t* in_text) : m_text(in_text), m_type(VARIANT_WSTRING)
{
}

Variant::Variant(const orvik_wstring& in_text) : m_text(in_text), m_type(VARIANT_WSTRING)
{
}

Variant::Variant(orvik_wstring&& io_text) : m_text(std::move(io_text)), m_type(VARIANT_WSTRING)
{
}

Variant::Variant(const char* in_text) : m_text(in_text), m_type(VARIANT_STRING)
{
}

Variant::Variant(int16_t in_value)
    : m_text(NumberConverter::ConvertInt16ToWString(in_value)), m_type(VARIANT_INT16)
{
}

Variant::Variant(uint16_t in_value)
    : m_text(NumberConverter::ConvertUInt16ToWString(in_value)), m_type(VARIANT_UINT16)
{
}

Variant::Variant(uint32_t in_value)
    : m_text(NumberConverter::ConvertUInt32ToWString(in_value)), m_type(VARIANT_UINT32)
{
}

Variant::Variant(uint64_t in_value)
    : m_text(NumberConverter::ConvertUInt64ToWString(in_value)), m_type(VARIANT_UINT64)
{
}

Variant::Variant(Variant&& io_other) noexcept : m_type(io_other.m_type)
{
    m_text.Swap(io_other.m_text);
}

Variant& Variant::operator=(Variant&& io_other) noexcept
{
    if (this != &io_other)
    {
        m_text.Clear();
        m_text.Swap(io_other.m_text);
        m_type = io_other.m_type;
    }
    return *this;
}

Variant& Variant::operator=(const orvik_wstring& in_text)
{
    m_text = in_text;
    m_type = VARIANT_WSTRING;
    return *this;
}

std::string Variant::GetString() const
{
    return m_text.GetAsUTF8();
}

int16_t Variant::GetInt16() const
{
    return NumberConverter::ConvertWStringToInt16(m_text, true);
}

uint16_t Variant::GetUInt16() const
{
    return NumberConverter::ConvertWStringToUInt16(m_text, true);
}

bool Variant::GetBool() const
{
    switch (m_type)
    {
    case VARIANT_WSTRING:
    case VARIANT_STRING:
        return !IsFalseText(m_text);
    case VARIANT_NULL:
        return false;
    default:
        return m_text.GetLength() > 0 && m_text.GetBuffer()[0] != u'0';
    }
}

} // namespace Support
} // namespace Orvik
