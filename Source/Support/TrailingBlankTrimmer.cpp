#include "Support/TrailingBlankTrimmer.h"

#include "EncodingTable.h"
#include "DecodedBlankTrimmer.h"
#include "FixedWidthBlankTrimmer.h"
#include "Support/InvalidOperationException.h"
#include "Support/Platform.h"

namespace Orvik {
namespace Support {

std::unique_ptr<TrailingBlankTrimmer> TrailingBlankTrimmer::Create(EncodingType in_encoding)
{
    const EncodingRow& row = EncodingTable::GetRow(in_encoding);
    switch (row.m_blankTrimming)
    {
        case BlankTrimming::LittleEndianUnits:
            return std::make_unique<FixedWidthBlankTrimmer>(row.m_codeUnitSize, false);
        case BlankTrimming::BigEndianUnits:
            return std::make_unique<FixedWidthBlankTrimmer>(row.m_codeUnitSize, true);
        case BlankTrimming::Decoded:
            break;
    }
    // Decoding needs the platform's pooled converters.
    Platform* platform = Platform::GetPlatform();
    if (platform == nullptr)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    return std::make_unique<DecodedBlankTrimmer>(in_encoding, platform->GetStringConverter());
}

} // namespace Support
} // namespace Orvik
