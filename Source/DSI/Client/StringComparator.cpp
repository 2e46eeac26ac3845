#include "DSI/Client/StringComparator.h"

#include "Support/TrailingBlankTrimmer.h"

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace DSI {

using Support::EncodingType;
using Support::TrailingBlankTrimmer;

StringComparator::StringComparator(EncodingType in_encoding)
    : m_encoding(in_encoding),
      m_leftTrimmer(TrailingBlankTrimmer::Create(in_encoding)),
      m_rightTrimmer(TrailingBlankTrimmer::Create(in_encoding))
{
}

StringComparator::~StringComparator() = default;

int32_t StringComparator::Compare(const void* in_left,
                                  int64_t in_leftLength,
                                  const void* in_right,
                                  int64_t in_rightLength)
{
    uint64_t leftLength = static_cast<uint64_t>(std::max<int64_t>(in_leftLength, 0));
    uint64_t rightLength = static_cast<uint64_t>(std::max<int64_t>(in_rightLength, 0));
    const uint8_t* left = m_leftTrimmer->Trim(static_cast<const uint8_t*>(in_left), leftLength);
    const uint8_t* right = m_rightTrimmer->Trim(static_cast<const uint8_t*>(in_right), rightLength);

    const uint64_t common = std::min(leftLength, rightLength);
    const int result = common == 0 ? 0 : std::memcmp(left, right, common);
    if (result != 0)
    {
        return result < 0 ? -1 : 1;
    }
    if (leftLength == rightLength)
    {
        return 0;
    }
    return leftLength < rightLength ? -1 : 1;
}

} // namespace DSI
} // namespace Orvik
