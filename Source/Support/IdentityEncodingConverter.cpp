#include "IdentityEncodingConverter.h"

#include <algorithm>

namespace Orvik {
namespace Support {

IdentityEncodingConverter::IdentityEncodingConverter(EncodingType in_source,
                                                     EncodingType in_target,
                                                     bool in_terminate,
                                                     bool in_refusesMalformed)
    : EncodingConverter(in_source, in_target, in_terminate, in_refusesMalformed)
{
}

void IdentityEncodingConverter::DoConvert()
{
    Copy(GetTargetEnd() - m_targetPosition);
}

void IdentityEncodingConverter::DoConvertTerminated()
{
    if (!HasRoomForTerminator())
    {
        return;
    }
    const int64_t count = (GetTargetEnd() - m_targetPosition) - m_targetCodeUnitSize;
    Copy(count - count % m_targetCodeUnitSize);
    WriteTerminator();
}

void IdentityEncodingConverter::Copy(int64_t in_count)
{
    const int64_t remaining = GetSourceEnd() - m_sourcePosition;
    const int64_t count = std::min(in_count, remaining);
    m_targetPosition = std::copy_n(m_sourcePosition, count, m_targetPosition);
    m_sourcePosition += count;
    m_written += static_cast<int32_t>(count);
    m_isSourceConsumed = in_count >= remaining;
    m_isTargetFull = in_count <= remaining;
    m_isPending = in_count < remaining;
}

} // namespace Support
} // namespace Orvik
