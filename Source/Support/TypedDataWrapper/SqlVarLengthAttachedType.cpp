#include "Support/TypedDataWrapper/SqlVarLengthAttachedType.h"

#include "Support/InvalidOperationException.h"

namespace Orvik {
namespace Support {

void SqlVarLengthAttachedType::SetLength(uint32_t)
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                    {u"SetLength", u"TypedDataWrapper\\SqlVarLengthAttachedType", u"34"});
}

void SqlVarLengthAttachedType::AttachBuffer(void* in_buffer, uint32_t in_length)
{
    m_data = in_buffer;
    m_length = in_length;
}

} // namespace Support
} // namespace Orvik
