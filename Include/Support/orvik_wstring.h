#pragma once

#include "Support/EncodingType.h"

#include <unicode/uversion.h>

#include <cstdint>
#include <string>
#include <vector>

U_NAMESPACE_BEGIN
class UnicodeString;
U_NAMESPACE_END

namespace Orvik {
namespace Support {

class SqlData;

/// A length that asks for a text to be measured up to its NUL terminator (ODBC's SQL_NTS).
constexpr int32_t NUL_TERMINATED = -3;

/// The driver's string: UTF-16 text in an ICU UnicodeString, or no text at all. The null string
/// (no text) and the empty string (text of length 0) are different values everywhere: in
/// comparisons, concatenation, tokens and conversions. Copies are deep; a null string allocates
/// nothing. 8-bit text without a stated encoding is in the application's ANSI encoding; wide text
/// is UTF-16 (char16_t).
class orvik_wstring
{
public:
    /// The null string.
    orvik_wstring() = default;

    orvik_wstring(const orvik_wstring& in_other);

    /// Takes the other string's text and leaves it null.
    orvik_wstring(orvik_wstring&& io_other) noexcept;

    /// NUL-terminated 8-bit text in the ANSI encoding; null gives the null string.
    orvik_wstring(const char* in_text);

    /// in_byteLength bytes (or NUL_TERMINATED) of 8-bit text in the ANSI encoding; null gives the
    /// null string.
    orvik_wstring(const char* in_bytes, int32_t in_byteLength);

    /// The bytes of in_text in the ANSI encoding; an empty string gives the empty string.
    orvik_wstring(const std::string& in_text);

    /// NUL-terminated UTF-16 text; null gives the null string.
    orvik_wstring(const char16_t* in_text);

    /// in_length code units (or NUL_TERMINATED) of UTF-16 text; null gives the null string.
    orvik_wstring(const char16_t* in_text, int32_t in_length);

    /// The code units of in_text.
    orvik_wstring(const std::u16string& in_text);

    /// in_byteLength bytes (or NUL_TERMINATED: up to the first code unit that is zero) in
    /// in_encoding; null gives the null string.
    orvik_wstring(const void* in_bytes, int32_t in_byteLength, EncodingType in_encoding);

    /// The value's bytes in the encoding its metadata names; a NULL value gives the null string.
    explicit orvik_wstring(const SqlData& in_value);

    ~orvik_wstring();

    /// A null source makes this string null.
    orvik_wstring& operator=(const orvik_wstring& in_other);
    orvik_wstring& operator=(orvik_wstring&& io_other) noexcept;

    /// NUL-terminated 8-bit text in the ANSI encoding; null makes this string null.
    orvik_wstring& operator=(const char* in_text);

    /// NUL-terminated UTF-16 text; null makes this string null.
    orvik_wstring& operator=(const char16_t* in_text);

    bool IsNull() const { return m_string == nullptr; }

    // Comparisons, in code-unit order. The null string equals only the null string and sorts
    // before every other string.

    bool operator==(const orvik_wstring& in_other) const;
    bool operator!=(const orvik_wstring& in_other) const { return !(*this == in_other); }
    bool operator<(const orvik_wstring& in_other) const { return Compare(in_other) < 0; }

    /// -1, 0 or 1.
    int32_t Compare(const orvik_wstring& in_other) const;

    /// Case-sensitive: the first in_count code units of this string against the whole of
    /// in_other. Case-insensitive: the first in_count code units of each, case-folded. -1, 0 or 1.
    int32_t Compare(const orvik_wstring& in_other, int32_t in_count, bool in_caseSensitive) const;

    /// Equality; case-insensitive equality compares the case-folded texts.
    bool IsEqual(const orvik_wstring& in_other, bool in_caseSensitive) const;

    // Search and parts. A null operand gives "not found" or the null string.

    /// The index of the first occurrence of in_text at or after in_start, or -1.
    int32_t Find(const orvik_wstring& in_text, int32_t in_start = 0) const;

    /// The index of the last occurrence of in_text that lies within in_start to the end, or -1.
    int32_t FindLast(const orvik_wstring& in_text, int32_t in_start = 0) const;

    bool StartsWith(const orvik_wstring& in_prefix) const;

    /// The text from in_start to the end.
    orvik_wstring Substr(int32_t in_start) const;

    /// in_length code units from in_start; both are clamped to the text.
    orvik_wstring Substr(int32_t in_start, int32_t in_length) const;

    /// The code point at code-unit index in_index; throws InvalidOperationException for the null
    /// string.
    int32_t CharAt(int32_t in_index) const;

    /// The token that starts at io_position and ends before the next in_delimiter; io_position
    /// moves past that delimiter, or becomes -1 when the token ran to the end. At -1 or at the end
    /// of the text the token is the null string. A delimiter belongs to the token when the first
    /// backslash after the token's start (or after the last escaped delimiter) stands right before
    /// it: that backslash is dropped and the delimiter kept ("a\,b,c" gives "a,b" and "c", while
    /// "a\b\,c" gives "a\b\" and "c"). Throws InvalidArgumentException for a null delimiter.
    orvik_wstring GetNextToken(int32_t& io_position, const orvik_wstring& in_delimiter) const;

    // Changes in place; the first six leave the null string as it is.

    /// Replaces every occurrence of in_from by in_to; nothing happens when either is null or
    /// in_from is empty.
    void Replace(const orvik_wstring& in_from, const orvik_wstring& in_to);

    /// Case mapping for ICU's default locale, for text shown to people.
    void ToUpper();
    void ToLower();

    /// Case mapping for the root locale, for identifiers (setting names, message keys,
    /// connection-string keys, keywords): the result does not depend on the process locale.
    void ToUpperIdentifier();
    void ToLowerIdentifier();

    /// Removes white space at both ends.
    void Trim();

    /// Removes trailing blanks (U+0020) and tabs; blanks only become the empty string.
    void TrimTrailingBlanks();

    /// Cuts the text at the first U+0000 at or after in_start.
    void TruncateAtNul(int32_t in_start);

    /// Makes this string null.
    void Clear();

    /// Takes ownership of in_string (none or null makes this string null), freeing the old text.
    void Attach(icu::UnicodeString* in_string = nullptr);

    void Swap(orvik_wstring& io_other) noexcept;

    // Concatenation: a null operand adds nothing; two nulls give null.

    orvik_wstring& operator+=(const orvik_wstring& in_other);

    /// The strings in_first to in_last with in_separator between them; null for an empty range,
    /// never null otherwise (null elements count as empty).
    static orvik_wstring Join(std::vector<orvik_wstring>::const_iterator in_first,
                              std::vector<orvik_wstring>::const_iterator in_last,
                              const orvik_wstring& in_separator);

    // Conversions out. The null and the empty string give an empty result.

    /// Exactly the bytes of the text in in_encoding.
    std::string GetAsString(EncodingType in_encoding) const;
    std::string GetAsUTF8() const;
    std::string GetAsAnsiString() const;
    std::u16string GetAsWString() const;

    // Buffer access.

    /// Length in UTF-16 code units; 0 for the null string.
    int32_t GetLength() const;
    int64_t GetLengthInBytes() const;

    /// The code units; null for the null string.
    const char16_t* GetBuffer() const;

    /// Twice the capacity in code units; 0 for the null string.
    int64_t GetCapacityInBytes() const;

    /// A writable buffer of at least in_byteCount bytes (rounded up to whole code units), holding
    /// the current text; a null string first becomes an empty one. Close it with ReleaseBuffer
    /// before any other use.
    char16_t* GetWritableBuffer(int32_t in_byteCount);

    /// Closes the writable buffer: the text becomes in_byteLength / 2 code units long, or, with
    /// NUL_TERMINATED, ends at the first U+0000. Nothing happens to the null string.
    void ReleaseBuffer(int32_t in_byteLength);

    // The process-wide encodings. All are UTF-8 until start-up sets them; they are written only
    // during start-up, before other threads use the driver, and read without locks afterwards.

    /// The application's ANSI encoding; ENC_NONE takes ICU's default converter.
    static void InitializeAnsiEncoding(EncodingType in_encoding);
    static void SetDriverManagerEncoding(EncodingType in_encoding);
    static void SetDatabaseCharEncoding(EncodingType in_encoding);
    static void SetDatabaseWCharEncoding(EncodingType in_encoding);

    static EncodingType GetAnsiEncoding() { return s_ansiEncoding; }
    static EncodingType GetDriverManagerEncoding() { return s_driverManagerEncoding; }
    static EncodingType GetDatabaseCharEncoding() { return s_databaseCharEncoding; }
    static EncodingType GetDatabaseWCharEncoding() { return s_databaseWCharEncoding; }

private:
    icu::UnicodeString* m_string = nullptr;

    static EncodingType s_ansiEncoding;
    static EncodingType s_driverManagerEncoding;
    static EncodingType s_databaseCharEncoding;
    static EncodingType s_databaseWCharEncoding;
};

orvik_wstring operator+(const orvik_wstring& in_left, const orvik_wstring& in_right);

} // namespace Support
} // namespace Orvik
