#include "IcuEncodingConverter.h"

#include "Support/EncodingInfo.h"
#include "TextErrors.h"

#include <unicode/ucnv.h>

#include <algorithm>

namespace Orvik {
namespace Support {

IcuEncodingConverter::IcuEncodingConverter(EncodingType in_source,
                                           EncodingType in_target,
                                           bool in_terminate,
                                           bool in_refusesMalformed)
    : EncodingConverter(in_source, in_target, in_terminate, in_refusesMalformed),
      m_sourceConverter(in_source),
      m_targetConverter(in_target),
      m_pivotRead(m_pivot),
      m_pivotEnd(m_pivot),
      m_targetMaxBytesPerChar(std::max<int32_t>(
          m_targetCodeUnitSize * EncodingInfo::GetMaxCodeUnitsPerChar(in_target),
          ucnv_getMaxCharSize(m_targetConverter.Get())))
{
}

int32_t IcuEncodingConverter::SetSource(const void* in_source, int32_t in_length)
{
    const int32_t length = EncodingConverter::SetSource(in_source, in_length);
    m_isTextOpen = true;
    Decode(false);
    return length;
}

void IcuEncodingConverter::ResetPartial()
{
    EncodingConverter::ResetPartial();
    // Both converters, whatever the flags say: a source can be consumed while its converter still
    // holds the first bytes of a character, and a stateful target keeps its shift state.
    m_sourceConverter.Reset();
    m_targetConverter.Reset();
    m_pivotRead = m_pivot;
    m_pivotEnd = m_pivot;
    m_carryCount = 0;
    m_isTextOpen = false;
}

void IcuEncodingConverter::DoConvert()
{
    if (ConvertUpTo(GetTargetEnd()) == Outcome::LimitReached)
    {
        m_isTargetFull = true;
        m_isPending = true;
        return;
    }
    m_isPending = false;
    m_isTargetFull = m_targetPosition == GetTargetEnd();
}

void IcuEncodingConverter::DoConvertTerminated()
{
    if (!HasRoomForTerminator())
    {
        return;
    }
    if (WriteCarry())
    {
        // The bulk in one go, up to the room of one character and the terminator, so that the
        // careful part can finish whatever character the bulk cut. The room is measured after the
        // carry: the carried character already took its share.
        const int64_t bulk = (GetTargetEnd() - m_targetPosition) - m_targetMaxBytesPerChar - m_targetCodeUnitSize;
        if (bulk > 0 && ConvertUpTo(m_targetPosition + bulk) == Outcome::Done)
        {
            m_isTargetFull = false;
            m_isPending = false;
        }
        else
        {
            ConvertCarefully();
        }
    }
    WriteTerminator();
}

void IcuEncodingConverter::Decode(bool in_isEnd)
{
    m_pivotRead = m_pivot;
    m_pivotEnd = m_pivot;
    m_isPending = true;
    UErrorCode status = U_ZERO_ERROR;
    char16_t* pivotEnd = m_pivot;
    ucnv_toUnicode(m_sourceConverter.Get(), &pivotEnd, m_pivot + PIVOT_SIZE, &m_sourcePosition, GetSourceEnd(),
                   nullptr, in_isEnd, &status);
    m_pivotEnd = pivotEnd;
    if (status == U_BUFFER_OVERFLOW_ERROR)
    {
        return;
    }
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    m_isSourceConsumed = true;
}

bool IcuEncodingConverter::Refill()
{
    if (!m_isSourceConsumed)
    {
        Decode(false);
        return true;
    }
    if (!m_isFinal)
    {
        return false;
    }
    Decode(true);
    return m_pivotRead != m_pivotEnd;
}

bool IcuEncodingConverter::Encode(const char16_t* in_pivotLimit, char* in_targetLimit, bool in_isEnd)
{
    UErrorCode status = U_ZERO_ERROR;
    char* const start = m_targetPosition;
    ucnv_fromUnicode(m_targetConverter.Get(), &m_targetPosition, in_targetLimit, &m_pivotRead, in_pivotLimit,
                     nullptr, in_isEnd, &status);
    m_written += static_cast<int32_t>(m_targetPosition - start);
    if (status == U_BUFFER_OVERFLOW_ERROR)
    {
        return true;
    }
    if (U_FAILURE(status))
    {
        RaiseTextError(u"ICUConvErrNotRecog");
    }
    return false;
}

bool IcuEncodingConverter::EndText(char* in_targetLimit)
{
    if (!m_isFinal)
    {
        return false;
    }
    if (Encode(m_pivotRead, in_targetLimit, true))
    {
        return true;
    }
    m_isTextOpen = false;
    return false;
}

IcuEncodingConverter::Outcome IcuEncodingConverter::ConvertUpTo(char* in_targetLimit)
{
    do
    {
        if (Encode(m_pivotEnd, in_targetLimit, false))
        {
            return Outcome::LimitReached;
        }
    } while (Refill());
    return EndText(in_targetLimit) ? Outcome::LimitReached : Outcome::Done;
}

void IcuEncodingConverter::ConvertCarefully()
{
    char* const limit = GetTargetEnd() - m_targetCodeUnitSize;
    // The first pass writes only what ICU still holds; later passes one code unit each.
    const char16_t* pivotLimit = m_pivotRead;
    for (;;)
    {
        char* const characterStart = m_targetPosition;
        if (Encode(pivotLimit, limit, false))
        {
            TakeBack(characterStart);
            return;
        }
        if (m_pivotRead == m_pivotEnd && !Refill())
        {
            break;
        }
        pivotLimit = std::min(m_pivotRead + 1, m_pivotEnd);
    }
    char* const endStart = m_targetPosition;
    if (EndText(limit))
    {
        TakeBack(endStart);
        return;
    }
    m_isTargetFull = m_targetPosition == limit;
    m_isPending = false;
}

bool IcuEncodingConverter::WriteCarry()
{
    if (m_carryCount == 0)
    {
        return true;
    }
    char* const limit = GetTargetEnd() - m_targetCodeUnitSize;
    char* const characterStart = m_targetPosition;
    // A carry longer than the room comes out in parts, each in a target of its own: TakeBack
    // keeps its first code units and puts the rest back.
    const int64_t count = std::min<int64_t>(m_carryCount, limit - m_targetPosition);
    m_targetPosition = std::copy_n(m_carry, count, m_targetPosition);
    m_written += static_cast<int32_t>(count);
    std::copy(m_carry + count, m_carry + m_carryCount, m_carry);
    m_carryCount = static_cast<uint8_t>(m_carryCount - count);
    if (m_carryCount > 0 || Encode(m_pivotRead, limit, false))
    {
        TakeBack(characterStart);
        return false;
    }
    return true;
}

void IcuEncodingConverter::TakeBack(char* in_characterStart)
{
    // A target that holds nothing before the character keeps its whole code units: otherwise a
    // reader that gives one target too small for the character after another never gets on.
    const int64_t kept = in_characterStart == m_targetStart
                             ? (m_targetPosition - in_characterStart) / m_targetCodeUnitSize * m_targetCodeUnitSize
                             : 0;
    char* const cut = in_characterStart + kept;
    const int64_t count = m_targetPosition - cut;
    if (count + m_carryCount > std::min<int64_t>(m_targetMaxBytesPerChar, CARRY_SIZE))
    {
        RaiseTextError(u"InvalidNumCodePtInBuffer");
    }
    // Bytes still carried from the same character follow the ones taken back.
    std::copy_backward(m_carry, m_carry + m_carryCount, m_carry + m_carryCount + count);
    std::copy(cut, m_targetPosition, m_carry);
    std::fill(cut, m_targetPosition, '\0');
    m_carryCount = static_cast<uint8_t>(m_carryCount + count);
    m_written -= static_cast<int32_t>(count);
    m_targetPosition = cut;
    m_isTargetFull = true;
    m_isPending = true;
}

} // namespace Support
} // namespace Orvik
