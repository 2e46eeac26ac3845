#include "Support/EncodingConverter.h"

#include "Support/EncodingInfo.h"
#include "Support/InvalidArgumentException.h"
#include "Support/MalformedTextException.h"
#include "Support/PlatformStringConverter.h"
#include "Support/TextValidator.h"
#include "Support/orvik_wstring.h"

#include <algorithm>

namespace Orvik {
namespace Support {

EncodingConverter::EncodingConverter(EncodingType in_source,
                                     EncodingType in_target,
                                     bool in_terminate,
                                     bool in_refusesMalformed)
    : m_sourceEncoding(in_source),
      m_targetEncoding(in_target),
      m_terminate(in_terminate),
      m_targetCodeUnitSize(EncodingInfo::GetCodeUnitSize(in_target)),
      m_validator(in_refusesMalformed ? std::make_unique<TextValidator>(in_source) : nullptr)
{
}

EncodingConverter::~EncodingConverter() = default;

int32_t EncodingConverter::SetSource(const void* in_source, int32_t in_length)
{
    if (in_length == NUL_TERMINATED)
    {
        in_length = PlatformStringConverter::MeasureNulTerminated(in_source, m_sourceEncoding);
    }
    if (in_length < 0 || (in_source == nullptr && in_length != 0))
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    if (m_validator != nullptr)
    {
        Refuse(m_validator->Check(in_source, static_cast<uint64_t>(in_length)));
    }
    m_sourceStart = static_cast<const char*>(in_source);
    m_sourcePosition = m_sourceStart;
    m_sourceLength = in_length;
    m_isSourceConsumed = false;
    return in_length;
}

int32_t EncodingConverter::SetTarget(void* out_target, int32_t in_length)
{
    if (in_length < 0 || (out_target == nullptr && in_length != 0))
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    m_targetStart = static_cast<char*>(out_target);
    m_targetPosition = m_targetStart;
    m_targetLength = in_length;
    m_written = 0;
    m_isTargetFull = false;
    return in_length;
}

bool EncodingConverter::IsSamePair(EncodingType in_source, EncodingType in_target) const
{
    return in_source == m_sourceEncoding && in_target == m_targetEncoding;
}

int32_t EncodingConverter::Convert(bool in_isFinal)
{
    if (in_isFinal && m_validator != nullptr)
    {
        Refuse(m_validator->Finish());
    }
    if (m_isTargetFull)
    {
        return m_written;
    }
    m_isFinal = in_isFinal;
    if (NeedsConvert() || (in_isFinal && IsTextOpen()))
    {
        if (m_terminate)
        {
            DoConvertTerminated();
        }
        else
        {
            DoConvert();
        }
    }
    return !m_isTargetFull && !in_isFinal ? -1 : m_written;
}

bool EncodingConverter::NeedsConvert() const
{
    return !m_isSourceConsumed || m_isPending;
}

void EncodingConverter::ResetPartial()
{
    m_isSourceConsumed = true;
    m_isPending = false;
    if (m_validator != nullptr)
    {
        m_validator->Reset();
    }
}

void EncodingConverter::Refuse(uint64_t in_malformed) const
{
    if (in_malformed != TextValidator::VALID)
    {
        throw MalformedTextException(in_malformed, m_sourceEncoding);
    }
}

bool EncodingConverter::HasRoomForTerminator()
{
    if (GetTargetEnd() - m_targetPosition >= m_targetCodeUnitSize)
    {
        return true;
    }
    m_isTargetFull = true;
    m_isPending = true;
    return false;
}

void EncodingConverter::WriteTerminator()
{
    std::fill_n(m_targetPosition, m_targetCodeUnitSize, '\0');
}

} // namespace Support
} // namespace Orvik
