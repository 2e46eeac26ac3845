#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// Facts about the encodings of the table. The largest number of bytes one character takes is
/// GetMaxCodeUnitsPerChar times GetCodeUnitSize.
class EncodingInfo
{
public:
    /// The name ICU opens in_encoding's converter by: the table's name, or another name of the
    /// same character set where ICU does not know that one. Throws InvalidArgumentException
    /// outside the table.
    static const char* GetEncodingName(EncodingType in_encoding);

    /// Bytes per code unit: 2 for UTF-16, 4 for UTF-32, 1 for every other value.
    static uint8_t GetCodeUnitSize(EncodingType in_encoding);

    /// The most code units one character takes: 4 for UTF-8, 1 for UTF-32 and some single-byte
    /// sets, 2 for every other value.
    static uint8_t GetMaxCodeUnitsPerChar(EncodingType in_encoding);
};

} // namespace Support
} // namespace Orvik
