#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace Orvik {
namespace Support {

/// The SQL-side GUID value. The first four fields have the layout of the ODBC SQLGUID; the
/// valid flag and the explicit padding after it are part of the 20-byte binary image, so the
/// padding is kept zero to make that image deterministic.
struct TDWGuidValue
{
    /// The number of characters of a GUID's text, without braces.
    static constexpr size_t TEXT_LENGTH = 36;

    /// All fields zero, not valid.
    TDWGuidValue() = default;

    /// Parses NUL-terminated text (null: nothing); see Parse.
    TDWGuidValue(const char* in_text, bool in_throwOnError);

    /// Reads 8-4-4-4-12 hexadecimal digits joined by "-", in either case, optionally in braces,
    /// with blanks allowed around the text and inside the braces. Sets the valid flag on
    /// success; otherwise clears it, or raises SupportException "InvalidGuidValue" with the text
    /// when in_throwOnError is set.
    void Parse(const char* in_text, size_t in_length, bool in_throwOnError);

    /// Writes the 36 characters of the 8-4-4-4-12 form in upper case, and a NUL after them when
    /// in_terminate is set.
    void ToChars(char* out_buffer, bool in_terminate) const;

    /// The 36 characters of ToChars.
    std::string ToString() const;

    /// The data fields and the valid flag are equal.
    bool operator==(const TDWGuidValue& in_other) const;

    uint32_t m_data1 = 0;
    uint16_t m_data2 = 0;
    uint16_t m_data3 = 0;
    uint8_t m_data4[8] = {};
    bool m_isValid = false;
    uint8_t m_padding[3] = {};
};

static_assert(sizeof(TDWGuidValue) == 20, "GUID value layout");

} // namespace Support
} // namespace Orvik
