#include "Support/DriverManagerStringConverter.h"

#include "Support/CriticalSectionLock.h"
#include "Support/EncodingInfo.h"
#include "Support/IPlatformStringConverter.h"
#include "Support/InvalidArgumentException.h"
#include "Support/orvik_wstring.h"
#include "TextErrors.h"

#include <unicode/ucnv.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

namespace Orvik {
namespace Support {

namespace {

// Room for one character tried on its own: its bytes, a shift before it and what ends the text
// after it take far less in every encoding.
constexpr size_t TRIAL_BYTES = 64;

void RaiseUnexpected(UErrorCode in_status)
{
    if (U_FAILURE(in_status))
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
}

// The table's count is too small for some encodings: the stateful ones spend escape sequences on
// switching between character sets, and EUC-JP has characters of three bytes. ICU knows the most
// bytes that one UTF-16 code unit can take.
uint8_t MostBytesPerCharacter(EncodingType in_encoding, const IcuConverter& in_converter)
{
    const int fromTable =
        EncodingInfo::GetCodeUnitSize(in_encoding) * EncodingInfo::GetMaxCodeUnitsPerChar(in_encoding);
    return static_cast<uint8_t>(std::max<int>(fromTable, ucnv_getMaxCharSize(in_converter.Get())));
}

// ICU gives an unpaired surrogate a substitute whose length can depend on where a conversion call
// ends: in GB2312 a lead surrogate left pending by one call takes the one-byte substitute in the
// next, and the two-byte one inside a single call. Measuring a text in one call and writing it in
// pieces would then disagree, so such a surrogate is made U+FFFD before either. Returns the text
// to encode: in_source's own units, or out_copy when it had an unpaired surrogate.
const char16_t* WithoutUnpairedSurrogates(const orvik_wstring& in_source, std::u16string& out_copy)
{
    const char16_t* const units = in_source.GetBuffer();
    const int32_t length = in_source.GetLength();
    for (int32_t i = 0; i < length;)
    {
        const int32_t start = i;
        UChar32 character;
        U16_NEXT(units, i, length, character);
        if (U_IS_SURROGATE(character))
        {
            if (out_copy.empty())
            {
                out_copy.assign(units, static_cast<size_t>(length));
            }
            out_copy[static_cast<size_t>(start)] = u'\uFFFD';
        }
    }
    return out_copy.empty() ? units : out_copy.data();
}

} // namespace

DriverManagerStringConverter::DriverManagerStringConverter(EncodingType in_encoding,
                                                           IPlatformStringConverter& in_stringConverter)
    : m_encoding(in_encoding),
      m_converter(in_encoding),
      m_codeUnitSize(EncodingInfo::GetCodeUnitSize(in_encoding)),
      m_maxBytesPerChar(MostBytesPerCharacter(in_encoding, m_converter)),
      m_maxCodeUnitsPerChar(m_maxBytesPerChar / m_codeUnitSize),
      m_stringConverter(in_stringConverter)
{
}

int32_t DriverManagerStringConverter::ToBuffer(const orvik_wstring& in_source,
                                               void* out_target,
                                               int32_t in_targetLength,
                                               bool in_lengthInBytes,
                                               bool& out_truncated)
{
    if (in_targetLength < 0)
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    const int64_t requested = in_lengthInBytes ? in_targetLength : int64_t{in_targetLength} * m_codeUnitSize;
    // No more of the buffer can be needed than every character at its largest and the terminator.
    const int64_t length = std::min(requested, (int64_t{in_source.GetLength()} + 1) * m_maxBytesPerChar);
    if (length < m_codeUnitSize || out_target == nullptr)
    {
        out_truncated = true;
        return 0;
    }
    char* const target = static_cast<char*>(out_target);
    // One code unit stays free for the terminator.
    char* const limit = target + length - m_codeUnitSize;
    char* end = target;
    out_truncated = false;
    if (!in_source.IsNull())
    {
        end = Encode(in_source, target, limit, out_truncated);
    }
    std::fill_n(end, m_codeUnitSize, '\0');
    const int32_t written = static_cast<int32_t>(end - target);
    return in_lengthInBytes ? written : written / m_codeUnitSize;
}

// The whole text is given, so ICU is told where it ends (flush): a stateful encoding returns to its
// initial state.
char* DriverManagerStringConverter::Encode(const orvik_wstring& in_source,
                                           char* out_target,
                                           char* in_limit,
                                           bool& out_truncated)
{
    std::u16string copy;
    const char16_t* const begin = WithoutUnpairedSurrogates(in_source, copy);
    const char16_t* const end = begin + in_source.GetLength();
    CriticalSectionLock lock(m_lock);
    // Nothing of an earlier text, such as a character cut at the end of its buffer, may reach
    // this one.
    m_converter.Reset();
    const char16_t* source = begin;
    char* position = out_target;
    // The bulk of the text in one call. The room kept free takes the character that the call may
    // cut and what ends the text after it.
    const int32_t reserve = 2 * m_maxBytesPerChar;
    if (in_limit - out_target > reserve)
    {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_fromUnicode(m_converter.Get(), &position, in_limit - reserve, &source, end, nullptr, true, &status);
        if (U_SUCCESS(status))
        {
            return position;
        }
        if (status != U_BUFFER_OVERFLOW_ERROR)
        {
            RaiseTextError(u"ICUConvErrNotRecog");
        }
    }
    // The rest one character at a time; the last one ends the text.
    const char16_t* const rest = source;
    while (source < end && EncodeIfItFits(source, end, position, in_limit))
    {
    }
    out_truncated = source < end;
    const bool isEnded = source == end && source != rest;
    // Ending a text of which nothing was taken would still write what begins one in some
    // encodings (ISO-2022-KR's header).
    if (source != begin && !isEnded)
    {
        UErrorCode status = U_ZERO_ERROR;
        ucnv_fromUnicode(m_converter.Get(), &position, in_limit, &source, source, nullptr, true, &status);
        if (U_FAILURE(status))
        {
            RaiseTextError(u"ICUConvErr");
        }
    }
    return position;
}

// A copy of the converter first writes the character and the end of the text after it into a
// scratch buffer; the character is taken only when both fit. So the end of the text always fits
// after the last character taken, and a character that the encoding leaves out (an ignorable one
// it cannot hold) fits in no room at all, which ICU does not find out with a full target.
bool DriverManagerStringConverter::EncodeIfItFits(const char16_t*& io_source,
                                                  const char16_t* in_end,
                                                  char*& io_position,
                                                  char* in_limit)
{
    const bool isPair = U16_IS_LEAD(io_source[0]) && io_source + 1 < in_end && U16_IS_TRAIL(io_source[1]);
    const char16_t* const characterEnd = io_source + (isPair ? 2 : 1);
    const IcuConverter trial = m_converter.Clone();
    const char16_t* trialSource = io_source;
    char scratch[TRIAL_BYTES];
    char* trialEnd = scratch;
    UErrorCode status = U_ZERO_ERROR;
    ucnv_fromUnicode(trial.Get(), &trialEnd, scratch + sizeof(scratch), &trialSource, characterEnd, nullptr, true, &status);
    RaiseUnexpected(status);
    if (trialEnd - scratch > in_limit - io_position)
    {
        return false;
    }
    // Through the scratch buffer too: ICU reports a full target even for a character that
    // writes nothing. The last character ends the text in the same call, as it does when the text
    // is measured.
    char* written = scratch;
    const bool isLast = characterEnd == in_end;
    ucnv_fromUnicode(m_converter.Get(), &written, scratch + sizeof(scratch), &io_source, characterEnd, nullptr, isLast, &status);
    RaiseUnexpected(status);
    io_position = std::copy(scratch, written, io_position);
    return true;
}

int32_t DriverManagerStringConverter::GetRequiredLength(const orvik_wstring& in_source, bool in_lengthInBytes)
{
    if (in_source.IsNull())
    {
        return 0;
    }
    std::u16string copy;
    const char16_t* const units = WithoutUnpairedSurrogates(in_source, copy);
    CriticalSectionLock lock(m_lock);
    UErrorCode status = U_ZERO_ERROR;
    // Measuring without a target ends in an overflow, or a missing terminator for an empty text.
    const int32_t bytes = ucnv_fromUChars(m_converter.Get(), nullptr, 0, units, in_source.GetLength(), &status);
    if (U_FAILURE(status) && status != U_BUFFER_OVERFLOW_ERROR)
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    if (bytes % m_codeUnitSize != 0)
    {
        RaiseTextError(u"StrByteAlignErr");
    }
    return in_lengthInBytes ? bytes : bytes / m_codeUnitSize;
}

void DriverManagerStringConverter::FromUChars(const void* in_buffer,
                                              int32_t in_length,
                                              bool in_lengthInBytes,
                                              orvik_wstring& io_target)
{
    int64_t byteLength = in_length;
    if (in_length != NUL_TERMINATED && !in_lengthInBytes)
    {
        byteLength *= m_codeUnitSize;
    }
    if (byteLength > std::numeric_limits<int32_t>::max())
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    m_stringConverter.BytesToWString(in_buffer, static_cast<int32_t>(byteLength), m_encoding, io_target);
}

void DriverManagerStringConverter::FromBytes(const char* in_text, int32_t in_length, orvik_wstring& io_target)
{
    m_stringConverter.BytesToWString(in_text, in_length, orvik_wstring::GetAnsiEncoding(), io_target);
}

int64_t DriverManagerStringConverter::GetNtsLength(const char* in_text,
                                                   int32_t in_length,
                                                   bool in_lengthInBytes,
                                                   bool in_withTerminator)
{
    if (in_text == nullptr)
    {
        RaiseTextError(u"InvalidNullParam");
    }
    if (in_length < 0 && in_length != NUL_TERMINATED)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    const int64_t characters = in_length == NUL_TERMINATED ? std::strlen(in_text) : in_length;
    return (characters + (in_withTerminator ? 1 : 0)) * (in_lengthInBytes ? m_maxBytesPerChar : m_maxCodeUnitsPerChar);
}

} // namespace Support
} // namespace Orvik
