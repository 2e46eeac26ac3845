#include "Support/TrailingBlankTrimmer.h"

#include "EncodingTable.h"
#include "FixedWidthBlankTrimmer.h"
#include "Support/InvalidOperationException.h"

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
    // Decoding needs the platform's pooled converters, which do not exist yet.
    ORVIK_THROW_INVALID_OPERATION();
}

} // namespace Support
} // namespace Orvik
