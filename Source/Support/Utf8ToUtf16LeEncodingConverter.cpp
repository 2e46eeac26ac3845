#include "Utf8ToUtf16LeEncodingConverter.h"

#include "TextErrors.h"
#include "Support/Utf8Boundary.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "UTF-16LE is the host's byte order");

namespace {

constexpr char16_t UNICODE_REPLACEMENT_CHARACTER = 0xFFFD;

} // namespace

Utf8ToUtf16LeEncodingConverter::Utf8ToUtf16LeEncodingConverter(bool in_terminate, bool in_refusesMalformed)
    : IcuEncodingConverter(ENC_UTF8, ENC_UTF16_LE, in_terminate, in_refusesMalformed)
{
}

void Utf8ToUtf16LeEncodingConverter::ResetPartial()
{
    IcuEncodingConverter::ResetPartial();
    m_isTargetConverterIdle = true;
}

void Utf8ToUtf16LeEncodingConverter::Decode(bool in_isEnd)
{
    if (in_isEnd || !DecodeUtf8())
    {
        IcuEncodingConverter::Decode(in_isEnd);
    }
}

bool Utf8ToUtf16LeEncodingConverter::DecodeUtf8()
{
    UErrorCode status = U_ZERO_ERROR;
    char16_t* pivotEnd = m_pivot;
    char16_t* const pivotLimit = m_pivot + PIVOT_SIZE;
    // A character that an earlier source cut is finished by the converter that holds its first
    // bytes, a byte at a time, so that it takes no byte beyond that character.
    while (m_sourcePosition != GetSourceEnd() && ucnv_toUCountPending(m_sourceConverter.Get(), &status) > 0)
    {
        ucnv_toUnicode(m_sourceConverter.Get(), &pivotEnd, pivotLimit, &m_sourcePosition, m_sourcePosition + 1,
                       nullptr, false, &status);
        if (U_FAILURE(status))
        {
            RaiseTextError(u"ICUConvErrNotRecog");
        }
    }
    // No byte becomes more than one code unit, so the pivot's room in code units is the most
    // source to take.
    // A character that the end cuts is left for the next source to finish; bytes that are not
    // UTF-8 count as whole: they are replaced wherever they end.
    const char* const end = m_sourcePosition
        + EndOfWholeUtf8Characters(m_sourcePosition,
                                   static_cast<size_t>(std::min<int64_t>(GetSourceEnd() - m_sourcePosition, pivotLimit - pivotEnd)));
    if (end != m_sourcePosition)
    {
        int32_t length = 0;
        u_strFromUTF8WithSub(pivotEnd, static_cast<int32_t>(pivotLimit - pivotEnd), &length, m_sourcePosition,
                             static_cast<int32_t>(end - m_sourcePosition), UNICODE_REPLACEMENT_CHARACTER, nullptr,
                             &status);
        if (U_FAILURE(status))
        {
            RaiseTextError(u"ICUConvErrNotRecog");
        }
        pivotEnd += length;
        m_sourcePosition = end;
    }
    m_pivotRead = m_pivot;
    m_pivotEnd = pivotEnd;
    if (pivotEnd == m_pivot)
    {
        return false;
    }
    m_isPending = true;
    m_isSourceConsumed = m_sourcePosition == GetSourceEnd();
    return true;
}

bool Utf8ToUtf16LeEncodingConverter::Encode(const char16_t* in_pivotLimit, char* in_targetLimit, bool in_isEnd)
{
    if (m_isTargetConverterIdle)
    {
        CopyPivot(in_pivotLimit, in_targetLimit);
    }
    const bool isCut = IcuEncodingConverter::Encode(in_pivotLimit, in_targetLimit, in_isEnd);
    UErrorCode status = U_ZERO_ERROR;
    m_isTargetConverterIdle = !isCut && ucnv_fromUCountPending(m_targetConverter.Get(), &status) == 0;
    return isCut;
}

void Utf8ToUtf16LeEncodingConverter::CopyPivot(const char16_t* in_pivotLimit, char* in_targetLimit)
{
    const int64_t room = (in_targetLimit - m_targetPosition) / static_cast<int64_t>(sizeof(char16_t));
    int64_t count = std::min<int64_t>(room, in_pivotLimit - m_pivotRead);
    if (count > 0 && U16_IS_LEAD(m_pivotRead[count - 1]))
    {
        --count;
    }
    if (count <= 0)
    {
        return;
    }
    const size_t bytes = static_cast<size_t>(count) * sizeof(char16_t);
    std::memcpy(m_targetPosition, m_pivotRead, bytes);
    m_targetPosition += bytes;
    m_written += static_cast<int32_t>(bytes);
    m_pivotRead += count;
}

} // namespace Support
} // namespace Orvik
