#include "Support/TypedDataWrapper/SqlVarLengthOwnedType.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <algorithm>

namespace Orvik {
namespace Support {

namespace {

constexpr uint64_t INITIAL_CAPACITY_LIMIT = 256;

// From this length on a buffer is made exactly as large as asked; doubling would waste too much.
constexpr uint64_t EXACT_GROWTH_LENGTH = 65536;

} // namespace

SqlVarLengthOwnedType::SqlVarLengthOwnedType(const SqlTypeMetadata& in_metadata)
    : SqlData(in_metadata),
      m_capacity(std::min(in_metadata.GetLengthOrIntervalPrecision(), INITIAL_CAPACITY_LIMIT)),
      m_buffer(new uint8_t[m_capacity])
{
}

void SqlVarLengthOwnedType::SetLength(uint32_t in_length)
{
    if (m_capacity < in_length)
    {
        uint64_t capacity = std::max<uint64_t>(m_capacity, 1);
        if (in_length >= EXACT_GROWTH_LENGTH)
        {
            capacity = in_length;
        }
        while (capacity < in_length)
        {
            capacity *= 2;
        }
        m_buffer.reset(new uint8_t[capacity]);
        m_capacity = capacity;
    }
    m_length = in_length;
}

void SqlVarLengthOwnedType::AttachBuffer(void*, uint32_t)
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                    {u"AttachBuffer", u"TypedDataWrapper\\SqlVarLengthOwnedType", u"62"});
}

} // namespace Support
} // namespace Orvik
