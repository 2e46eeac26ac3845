#include "Support/EncodingInfo.h"

#include "EncodingTable.h"

namespace Orvik {
namespace Support {

const char* EncodingInfo::GetEncodingName(EncodingType in_encoding)
{
    return EncodingTable::GetRow(in_encoding).GetIcuName();
}

uint8_t EncodingInfo::GetCodeUnitSize(EncodingType in_encoding)
{
    const EncodingRow* row = EncodingTable::FindRow(in_encoding);
    return row == nullptr ? 1 : row->m_codeUnitSize;
}

uint8_t EncodingInfo::GetMaxCodeUnitsPerChar(EncodingType in_encoding)
{
    const EncodingRow* row = EncodingTable::FindRow(in_encoding);
    return row == nullptr ? 2 : row->m_maxCodeUnitsPerChar;
}

} // namespace Support
} // namespace Orvik
