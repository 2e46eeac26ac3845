#include "SourcePieces.h"

#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/Platform.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

const EncodingConverterFactory& GetConverterFactory()
{
    if (Platform* platform = Platform::GetPlatform())
    {
        return platform->GetEncodingConverterFactory();
    }
    // The factory has no state; before the platform starts, a private one serves as well.
    static const EncodingConverterFactory s_factory;
    return s_factory;
}

} // namespace

SourcePieces::SourcePieces(EncodingConverter& io_converter,
                           const void* in_source,
                           int64_t in_length,
                           int32_t in_pieceSize)
    : m_converter(io_converter),
      m_source(static_cast<const char*>(in_source)),
      m_length(std::max<int64_t>(in_length, 0)),
      m_pieceSize(in_pieceSize)
{
    SetNextPiece();
}

EncodingConverter& SourcePieces::PrepareConverter(std::unique_ptr<EncodingConverter>& io_slot,
                                                  EncodingType in_source,
                                                  EncodingType in_target,
                                                  bool in_terminate)
{
    if (io_slot != nullptr && io_slot->IsSamePair(in_source, in_target))
    {
        io_slot->ResetPartial();
    }
    else
    {
        io_slot = GetConverterFactory().CreateConverter(in_source, in_target, in_terminate);
    }
    return *io_slot;
}

int32_t SourcePieces::Convert()
{
    for (;;)
    {
        const int32_t written = m_converter.Convert(IsLastPiece());
        if (written != -1)
        {
            return written;
        }
        SetNextPiece();
    }
}

bool SourcePieces::HasMore() const
{
    return m_converter.NeedsConvert() || !IsLastPiece();
}

void SourcePieces::SetNextPiece()
{
    const int32_t length = static_cast<int32_t>(std::min<int64_t>(m_length - m_offset, m_pieceSize));
    m_converter.SetSource(m_source + m_offset, length);
    m_offset += length;
}

} // namespace Support
} // namespace Orvik
