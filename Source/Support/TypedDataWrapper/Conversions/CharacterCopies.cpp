#include "CharacterCopies.h"

#include "KernelOutput.h"
#include "SourcePieces.h"

#include "Support/EncodingConverter.h"
#include "Support/TypedDataWrapper/SqlToCKernelState.h"

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace Support {

namespace {

/// The scratch buffer through which the part of a text that did not fit is measured.
constexpr int32_t SCRATCH_SIZE = 1024;

} // namespace

template <int in_unitSize>
void CopyCharacterData(const void* in_source,
                       int64_t in_sourceLength,
                       void* out_target,
                       int64_t& io_targetLength,
                       WarningListener& io_listener)
{
    const int64_t size = io_targetLength;
    const int64_t length = std::max<int64_t>(in_sourceLength, 0);
    io_targetLength = length;
    if (out_target == nullptr)
    {
        return;
    }
    int64_t copied = length;
    if (size < in_unitSize || length > size - in_unitSize)
    {
        KernelOutput::PostStrRightTrunc(io_listener);
        if (size < in_unitSize)
        {
            return;
        }
        copied = (size - in_unitSize) / in_unitSize * in_unitSize;
    }
    char* target = static_cast<char*>(out_target);
    std::memcpy(target, in_source, static_cast<size_t>(copied));
    std::memset(target + copied, 0, in_unitSize);
}

template void CopyCharacterData<1>(const void*, int64_t, void*, int64_t&, WarningListener&);
template void CopyCharacterData<2>(const void*, int64_t, void*, int64_t&, WarningListener&);
template void CopyCharacterData<4>(const void*, int64_t, void*, int64_t&, WarningListener&);

void TranscodeCharacterData(SqlToCKernelState& io_state,
                            const void* in_source,
                            int64_t in_sourceLength,
                            void* out_target,
                            int64_t& io_targetLength,
                            WarningListener& io_listener,
                            int32_t in_pieceSize)
{
    EncodingConverter& converter = SourcePieces::PrepareConverter(
        io_state.m_converter, io_state.m_sourceEncoding, io_state.m_targetEncoding, true);
    SourcePieces source(converter, in_source, in_sourceLength, in_pieceSize);
    int64_t total = 0;
    if (out_target != nullptr)
    {
        converter.SetTarget(out_target, static_cast<int32_t>(std::clamp<int64_t>(io_targetLength, 0, INT32_MAX)));
        total = source.Convert();
        if (source.HasMore())
        {
            KernelOutput::PostStrRightTrunc(io_listener);
        }
    }
    char scratch[SCRATCH_SIZE];
    while (source.HasMore())
    {
        converter.SetTarget(scratch, SCRATCH_SIZE);
        const int32_t written = source.Convert();
        if (written == 0 && converter.NeedsConvert())
        {
            // Nothing fits even a scratch buffer; stop rather than loop.
            break;
        }
        total += written;
    }
    io_targetLength = total;
}

void CopyBinaryData(const void* in_source,
                    int64_t in_sourceLength,
                    void* out_target,
                    int64_t& io_targetLength,
                    WarningListener& io_listener)
{
    const int64_t size = std::max<int64_t>(io_targetLength, 0);
    const int64_t length = KernelOutput::AbsoluteSize(in_sourceLength);
    io_targetLength = length;
    if (out_target == nullptr)
    {
        return;
    }
    const int64_t copied = std::min(size, length);
    std::memcpy(out_target, in_source, static_cast<size_t>(copied));
    if (copied < length || (in_sourceLength < 0 && length != 0))
    {
        KernelOutput::PostStrRightTrunc(io_listener);
    }
}

} // namespace Support
} // namespace Orvik
