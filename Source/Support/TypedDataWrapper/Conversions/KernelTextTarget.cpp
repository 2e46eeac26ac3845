#include "KernelTextTarget.h"

#include "KernelOutput.h"

#include "Support/EncodingInfo.h"

namespace Orvik {
namespace Support {

KernelTextTarget::KernelTextTarget(void* out_target, int64_t& io_targetLength, EncodingType in_encoding)
    : m_target(out_target),
      m_length(&io_targetLength),
      m_size(KernelOutput::AbsoluteSize(io_targetLength)),
      m_encoding(in_encoding),
      m_unitSize(in_encoding == ENC_NONE ? 1 : EncodingInfo::GetCodeUnitSize(in_encoding))
{
}

KernelTextTarget KernelTextTarget::Narrow(void* out_target, int64_t& io_targetLength)
{
    return KernelTextTarget(out_target, io_targetLength, ENC_NONE);
}

KernelTextTarget KernelTextTarget::Wide(void* out_target, int64_t& io_targetLength, EncodingType in_encoding)
{
    return KernelTextTarget(out_target, io_targetLength, in_encoding);
}

bool KernelTextTarget::Report(int64_t in_length)
{
    *m_length = m_unitSize * in_length;
    return m_target != nullptr;
}

int64_t KernelTextTarget::Room() const
{
    return m_size / m_unitSize - 1;
}

bool KernelTextTarget::Write(const char* in_text, int64_t in_count, WarningListener& io_listener)
{
    const bool isWritten = m_encoding == ENC_NONE
        ? KernelOutput::WriteNarrowText(in_text, in_count, m_target, m_size)
        : KernelOutput::WriteWideText(in_text, in_count, m_target, m_size, m_encoding);
    if (!isWritten)
    {
        KernelOutput::PostOutOfRange(io_listener, KernelOutput::NO_ROOM);
    }
    return isWritten;
}

} // namespace Support
} // namespace Orvik
