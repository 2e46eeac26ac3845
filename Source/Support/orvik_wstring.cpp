#include "Support/orvik_wstring.h"

#include "EncodingTable.h"
#include "PlatformBridge.h"
#include "Support/EncodingRegistry.h"
#include "Support/InvalidArgumentException.h"
#include "Support/InvalidOperationException.h"

#include <unicode/locid.h>
#include <unicode/stringoptions.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <new>
#include <utility>

namespace Orvik {
namespace Support {

EncodingType orvik_wstring::s_ansiEncoding = ENC_UTF8;
EncodingType orvik_wstring::s_driverManagerEncoding = ENC_UTF8;
EncodingType orvik_wstring::s_databaseCharEncoding = ENC_UTF8;
EncodingType orvik_wstring::s_databaseWCharEncoding = ENC_UTF8;

namespace {

// ICU holds at most INT32_MAX code units; a longer text is refused rather than cut.
int32_t CheckedLength(uint64_t in_length)
{
    if (in_length > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return static_cast<int32_t>(in_length);
}

// Values outside the encoding table are refused before they are stored and later used as indexes.
EncodingType CheckedEncoding(EncodingType in_encoding)
{
    EncodingTable::GetRow(in_encoding);
    return in_encoding;
}

// The order of two strings of which at least one is null: null sorts first.
int32_t NullOrder(bool in_leftIsNull, bool in_rightIsNull)
{
    return static_cast<int32_t>(in_rightIsNull) - static_cast<int32_t>(in_leftIsNull);
}

int32_t Sign(int32_t in_value)
{
    return (in_value > 0) - (in_value < 0);
}

bool IsBlank(char16_t in_unit)
{
    return in_unit == u' ' || in_unit == u'\t';
}

char16_t* CopyUnits(const orvik_wstring& in_text, char16_t* out_target)
{
    return std::copy_n(in_text.GetBuffer(), in_text.GetLength(), out_target);
}

} // namespace

orvik_wstring::orvik_wstring(const orvik_wstring& in_other)
    : m_string(in_other.IsNull() ? nullptr : new icu::UnicodeString(*in_other.m_string))
{
}

orvik_wstring::orvik_wstring(orvik_wstring&& io_other) noexcept
    : m_string(std::exchange(io_other.m_string, nullptr))
{
}

orvik_wstring::orvik_wstring(const char* in_text)
{
    PlatformBridge::DecodeBytes(in_text, NUL_TERMINATED, s_ansiEncoding, *this);
}

orvik_wstring::orvik_wstring(const char* in_bytes, int32_t in_byteLength)
{
    PlatformBridge::DecodeBytes(in_bytes, in_byteLength, s_ansiEncoding, *this);
}

orvik_wstring::orvik_wstring(const std::string& in_text)
{
    PlatformBridge::DecodeBytes(in_text.data(), CheckedLength(in_text.size()), s_ansiEncoding, *this);
}

orvik_wstring::orvik_wstring(const char16_t* in_text) : orvik_wstring(in_text, NUL_TERMINATED)
{
}

orvik_wstring::orvik_wstring(const char16_t* in_text, int32_t in_length)
{
    if (in_text == nullptr)
    {
        return;
    }
    if (in_length < 0 && in_length != NUL_TERMINATED)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    // ICU measures a length of -1 up to U+0000.
    m_string = new icu::UnicodeString(in_text, in_length == NUL_TERMINATED ? -1 : in_length);
}

orvik_wstring::orvik_wstring(const std::u16string& in_text)
    : m_string(new icu::UnicodeString(in_text.data(), CheckedLength(in_text.size())))
{
}

orvik_wstring::orvik_wstring(const void* in_bytes, int32_t in_byteLength, EncodingType in_encoding)
{
    PlatformBridge::DecodeBytes(in_bytes, in_byteLength, in_encoding, *this);
}

orvik_wstring::~orvik_wstring()
{
    delete m_string;
}

orvik_wstring& orvik_wstring::operator=(const orvik_wstring& in_other)
{
    if (in_other.IsNull())
    {
        Clear();
    }
    else if (IsNull())
    {
        m_string = new icu::UnicodeString(*in_other.m_string);
    }
    else
    {
        *m_string = *in_other.m_string;
    }
    return *this;
}

orvik_wstring& orvik_wstring::operator=(orvik_wstring&& io_other) noexcept
{
    if (this != &io_other)
    {
        delete m_string;
        m_string = std::exchange(io_other.m_string, nullptr);
    }
    return *this;
}

orvik_wstring& orvik_wstring::operator=(const char* in_text)
{
    PlatformBridge::DecodeBytes(in_text, NUL_TERMINATED, s_ansiEncoding, *this);
    return *this;
}

orvik_wstring& orvik_wstring::operator=(const char16_t* in_text)
{
    // Built aside first: in_text may point into this string's own text.
    orvik_wstring text(in_text);
    Swap(text);
    return *this;
}

bool orvik_wstring::operator==(const orvik_wstring& in_other) const
{
    if (IsNull() || in_other.IsNull())
    {
        return IsNull() == in_other.IsNull();
    }
    return *m_string == *in_other.m_string;
}

int32_t orvik_wstring::Compare(const orvik_wstring& in_other) const
{
    if (IsNull() || in_other.IsNull())
    {
        return NullOrder(IsNull(), in_other.IsNull());
    }
    return Sign(m_string->compare(*in_other.m_string));
}

int32_t orvik_wstring::Compare(const orvik_wstring& in_other, int32_t in_count, bool in_caseSensitive) const
{
    if (IsNull() || in_other.IsNull())
    {
        return NullOrder(IsNull(), in_other.IsNull());
    }
    if (in_caseSensitive)
    {
        return Sign(m_string->compare(0, in_count, *in_other.m_string));
    }
    return Sign(m_string->caseCompare(0, in_count, *in_other.m_string, 0, in_count, U_FOLD_CASE_DEFAULT));
}

bool orvik_wstring::IsEqual(const orvik_wstring& in_other, bool in_caseSensitive) const
{
    if (in_caseSensitive || IsNull() || in_other.IsNull())
    {
        return *this == in_other;
    }
    return m_string->caseCompare(*in_other.m_string, U_FOLD_CASE_DEFAULT) == 0;
}

int32_t orvik_wstring::Find(const orvik_wstring& in_text, int32_t in_start) const
{
    if (IsNull() || in_text.IsNull())
    {
        return -1;
    }
    return m_string->indexOf(*in_text.m_string, in_start);
}

int32_t orvik_wstring::FindLast(const orvik_wstring& in_text, int32_t in_start) const
{
    if (IsNull() || in_text.IsNull())
    {
        return -1;
    }
    return m_string->lastIndexOf(*in_text.m_string, in_start);
}

bool orvik_wstring::StartsWith(const orvik_wstring& in_prefix) const
{
    return !IsNull() && !in_prefix.IsNull() && m_string->startsWith(*in_prefix.m_string);
}

orvik_wstring orvik_wstring::Substr(int32_t in_start) const
{
    return Substr(in_start, std::numeric_limits<int32_t>::max());
}

orvik_wstring orvik_wstring::Substr(int32_t in_start, int32_t in_length) const
{
    orvik_wstring part;
    if (!IsNull())
    {
        part.Attach(new icu::UnicodeString(*m_string, in_start, in_length));
    }
    return part;
}

int32_t orvik_wstring::CharAt(int32_t in_index) const
{
    if (IsNull())
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return m_string->char32At(in_index);
}

orvik_wstring orvik_wstring::GetNextToken(int32_t& io_position, const orvik_wstring& in_delimiter) const
{
    if (in_delimiter.IsNull())
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (IsNull() || io_position < 0 || io_position >= m_string->length())
    {
        io_position = -1;
        return orvik_wstring();
    }
    const int32_t delimiterLength = in_delimiter.GetLength();
    std::unique_ptr<icu::UnicodeString> token(new icu::UnicodeString());
    int32_t start = io_position;
    io_position = -1;
    while (start < m_string->length())
    {
        const int32_t found = m_string->indexOf(*in_delimiter.m_string, start);
        if (found < 0)
        {
            token->append(*m_string, start, m_string->length() - start);
            break;
        }
        // Escaped only by the first backslash of this stretch, standing right before the delimiter.
        const int32_t backslash = m_string->indexOf(u'\\', start);
        const bool escaped = backslash >= 0 && backslash == found - 1;
        if (!escaped)
        {
            token->append(*m_string, start, found - start);
            io_position = found + delimiterLength;
            break;
        }
        // An escaped delimiter: keep it without its backslash and read on.
        token->append(*m_string, start, found - 1 - start);
        token->append(*in_delimiter.m_string);
        start = found + delimiterLength;
    }
    orvik_wstring result;
    result.Attach(token.release());
    return result;
}

void orvik_wstring::Replace(const orvik_wstring& in_from, const orvik_wstring& in_to)
{
    // ICU replaces nothing for an empty in_from.
    if (!IsNull() && !in_from.IsNull() && !in_to.IsNull())
    {
        m_string->findAndReplace(*in_from.m_string, *in_to.m_string);
    }
}

void orvik_wstring::ToUpper()
{
    if (!IsNull())
    {
        m_string->toUpper();
    }
}

void orvik_wstring::ToLower()
{
    if (!IsNull())
    {
        m_string->toLower();
    }
}

void orvik_wstring::ToUpperIdentifier()
{
    if (!IsNull())
    {
        m_string->toUpper(icu::Locale::getRoot());
    }
}

void orvik_wstring::ToLowerIdentifier()
{
    if (!IsNull())
    {
        m_string->toLower(icu::Locale::getRoot());
    }
}

void orvik_wstring::Trim()
{
    if (!IsNull())
    {
        m_string->trim();
    }
}

void orvik_wstring::TrimTrailingBlanks()
{
    if (IsNull())
    {
        return;
    }
    int32_t end = m_string->length();
    while (end > 0 && IsBlank(m_string->charAt(end - 1)))
    {
        --end;
    }
    m_string->truncate(end);
}

void orvik_wstring::TruncateAtNul(int32_t in_start)
{
    if (IsNull())
    {
        return;
    }
    const int32_t nul = m_string->indexOf(u'\0', in_start);
    if (nul >= 0)
    {
        m_string->truncate(nul);
    }
}

void orvik_wstring::Clear()
{
    delete m_string;
    m_string = nullptr;
}

void orvik_wstring::Attach(icu::UnicodeString* in_string)
{
    if (in_string != m_string)
    {
        delete m_string;
        m_string = in_string;
    }
}

void orvik_wstring::Swap(orvik_wstring& io_other) noexcept
{
    std::swap(m_string, io_other.m_string);
}

orvik_wstring& orvik_wstring::operator+=(const orvik_wstring& in_other)
{
    if (IsNull())
    {
        *this = in_other;
    }
    else if (!in_other.IsNull())
    {
        m_string->append(*in_other.m_string);
    }
    return *this;
}

orvik_wstring orvik_wstring::Join(std::vector<orvik_wstring>::const_iterator in_first,
                                  std::vector<orvik_wstring>::const_iterator in_last,
                                  const orvik_wstring& in_separator)
{
    orvik_wstring result;
    if (in_first == in_last)
    {
        return result;
    }
    uint64_t totalLength = static_cast<uint64_t>(in_separator.GetLength()) * (in_last - in_first - 1);
    for (auto part = in_first; part != in_last; ++part)
    {
        totalLength += part->GetLength();
    }
    const int32_t length = CheckedLength(totalLength);
    std::unique_ptr<icu::UnicodeString> text(new icu::UnicodeString(length, UChar32(0), 0));
    char16_t* target = text->getBuffer(length);
    if (target == nullptr)
    {
        throw std::bad_alloc();
    }
    for (auto part = in_first; part != in_last; ++part)
    {
        target = CopyUnits(*part, target);
        if (part + 1 != in_last)
        {
            target = CopyUnits(in_separator, target);
        }
    }
    text->releaseBuffer(length);
    result.Attach(text.release());
    return result;
}

std::string orvik_wstring::GetAsString(EncodingType in_encoding) const
{
    return PlatformBridge::EncodeString(*this, in_encoding);
}

std::string orvik_wstring::GetAsUTF8() const
{
    return GetAsString(ENC_UTF8);
}

std::string orvik_wstring::GetAsAnsiString() const
{
    return GetAsString(s_ansiEncoding);
}

std::u16string orvik_wstring::GetAsWString() const
{
    return IsNull() ? std::u16string() : std::u16string(GetBuffer(), GetLength());
}

int32_t orvik_wstring::GetLength() const
{
    return IsNull() ? 0 : m_string->length();
}

int64_t orvik_wstring::GetLengthInBytes() const
{
    return int64_t{2} * GetLength();
}

const char16_t* orvik_wstring::GetBuffer() const
{
    return IsNull() ? nullptr : m_string->getBuffer();
}

int64_t orvik_wstring::GetCapacityInBytes() const
{
    return IsNull() ? 0 : int64_t{2} * m_string->getCapacity();
}

char16_t* orvik_wstring::GetWritableBuffer(int32_t in_byteCount)
{
    if (in_byteCount < 0)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    // Room for an odd last byte too, so that a caller copying in_byteCount bytes stays inside.
    const int32_t units = in_byteCount / 2 + in_byteCount % 2;
    if (IsNull())
    {
        m_string = new icu::UnicodeString(units, UChar32(0), 0);
    }
    char16_t* buffer = m_string->getBuffer(units);
    if (buffer == nullptr)
    {
        throw std::bad_alloc();
    }
    return buffer;
}

void orvik_wstring::ReleaseBuffer(int32_t in_byteLength)
{
    if (IsNull())
    {
        return;
    }
    if (in_byteLength < 0 && in_byteLength != NUL_TERMINATED)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    // ICU measures a length of -1 up to U+0000 within the capacity.
    m_string->releaseBuffer(in_byteLength == NUL_TERMINATED ? -1 : in_byteLength / 2);
}

void orvik_wstring::InitializeAnsiEncoding(EncodingType in_encoding)
{
    PlatformBridge::Trace("orvik_wstring::InitializeAnsiEncoding()");
    s_ansiEncoding =
        in_encoding == ENC_NONE ? EncodingRegistry::GetDefaultAnsiEncoding() : CheckedEncoding(in_encoding);
}

void orvik_wstring::SetDriverManagerEncoding(EncodingType in_encoding)
{
    PlatformBridge::Trace("orvik_wstring::SetDriverManagerEncoding()");
    s_driverManagerEncoding = CheckedEncoding(in_encoding);
}

void orvik_wstring::SetDatabaseCharEncoding(EncodingType in_encoding)
{
    s_databaseCharEncoding = CheckedEncoding(in_encoding);
}

void orvik_wstring::SetDatabaseWCharEncoding(EncodingType in_encoding)
{
    s_databaseWCharEncoding = CheckedEncoding(in_encoding);
}

orvik_wstring operator+(const orvik_wstring& in_left, const orvik_wstring& in_right)
{
    orvik_wstring result(in_left);
    result += in_right;
    return result;
}

} // namespace Support
} // namespace Orvik
