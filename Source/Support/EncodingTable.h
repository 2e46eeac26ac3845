#pragma once

#include "Support/EncodingType.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// How trailing blanks are found in an encoding's bytes.
enum class BlankTrimming : uint8_t
{
    /// Blanks are whole code units with the value 0x20 or 0x09, least significant byte first.
    LittleEndianUnits,
    /// The same, most significant byte first.
    BigEndianUnits,
    /// Blanks are only recognisable after decoding (multi-byte and EBCDIC sets).
    Decoded
};

/// What the driver knows about one encoding.
struct EncodingRow
{
    /// The name settings give the encoding by.
    const char* m_name;
    uint8_t m_codeUnitSize;
    uint8_t m_maxCodeUnitsPerChar;
    BlankTrimming m_blankTrimming;
    /// The name ICU opens the converter by, where ICU does not know m_name.
    const char* m_icuName = nullptr;

    constexpr const char* GetIcuName() const { return m_icuName != nullptr ? m_icuName : m_name; }
};

/// The constant table of the encodings, indexed by EncodingType.
class EncodingTable
{
public:
    /// The row of in_encoding; throws InvalidArgumentException outside the table.
    static const EncodingRow& GetRow(EncodingType in_encoding);

    /// The row of in_encoding, or null outside the table.
    static const EncodingRow* FindRow(EncodingType in_encoding);
};

} // namespace Support
} // namespace Orvik
