#pragma once

#include "Support/EncodingType.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

class EncodingConverter;

/// Hands a source to an encoding converter in pieces that its 32-bit lengths can take, so that
/// text of any 64-bit length converts.
class SourcePieces
{
public:
    /// Sets the first piece of in_length bytes at in_source (a negative length counts as none);
    /// pieces are at most in_pieceSize bytes.
    SourcePieces(EncodingConverter& io_converter, const void* in_source, int64_t in_length, int32_t in_pieceSize);

    /// io_slot's converter, reset for a new text when it converts from in_source to in_target,
    /// else a new one from the platform's factory (or a private factory before the platform
    /// starts) that replaces it. in_terminate ends every target with a zero code unit.
    static EncodingConverter& PrepareConverter(std::unique_ptr<EncodingConverter>& io_slot,
                                               EncodingType in_source,
                                               EncodingType in_target,
                                               bool in_terminate);

    /// Converts into the converter's current target until it is full or the text has ended;
    /// returns the bytes written there.
    int32_t Convert();

    /// Text remains to be written.
    bool HasMore() const;

private:
    bool IsLastPiece() const { return m_offset == m_length; }

    void SetNextPiece();

    EncodingConverter& m_converter;
    const char* m_source;
    int64_t m_length;
    int32_t m_pieceSize;
    int64_t m_offset = 0;
};

} // namespace Support
} // namespace Orvik
