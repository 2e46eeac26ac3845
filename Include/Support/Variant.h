#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {

/// Where a Variant's value came from. The numbers are part of the interface.
enum VariantType : int32_t
{
    VARIANT_WSTRING = 0,  ///< wide text
    VARIANT_STRING = 1,   ///< text that came from 8-bit characters
    VARIANT_UINT16 = 2,
    VARIANT_UINT32 = 3,
    VARIANT_UINT64 = 4,
    VARIANT_INT16 = 5,
    VARIANT_NULL = 8
};

/// A value kept as text together with the type it came from. Registry values, connection-string
/// and data-source settings travel as Variants.
class Variant
{
public:
    /// The null Variant.
    Variant() = default;
    /// UTF-16 text; a null pointer gives null text.
    explicit Variant(const char16_t* in_text);
    explicit Variant(const orvik_wstring& in_text);
    explicit Variant(orvik_wstring&& io_text);
    /// 8-bit text in the application's ANSI encoding.
    explicit Variant(const char* in_text);
    // Numbers are kept as their decimal text.
    explicit Variant(int16_t in_value);
    explicit Variant(uint16_t in_value);
    explicit Variant(uint32_t in_value);
    explicit Variant(uint64_t in_value);

    Variant(const Variant& in_other) = default;
    /// Takes the text over and leaves the source's text null.
    Variant(Variant&& io_other) noexcept;
    Variant& operator=(const Variant& in_other) = default;
    Variant& operator=(Variant&& io_other) noexcept;
    /// Sets the text, as wide text.
    Variant& operator=(const orvik_wstring& in_text);

    VariantType GetType() const { return m_type; }
    bool IsNull() const { return m_type == VARIANT_NULL; }
    const orvik_wstring& GetWString() const { return m_text; }

    /// The text as UTF-8.
    std::string GetString() const;

    /// The text as a number; throws the number conversion's exceptions for anything else.
    int16_t GetInt16() const;
    uint16_t GetUInt16() const;

    /// Text is false when empty, "false" or "no" in any case, or one of "0", "F", "f", "N", "n";
    /// a number is false when its text starts with "0"; the null Variant is false.
    bool GetBool() const;

private:
    orvik_wstring m_text;
    VariantType m_type = VARIANT_NULL;
};

} // namespace Support
} // namespace Orvik
