#include "ToSqlUnsupportedOverload.h"

#include "Support/InvalidOperationException.h"

namespace Orvik {
namespace Support {

void ToSqlUnsupportedOverload::Throw() const
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation), {u"Convert", m_file, m_line});
}

} // namespace Support
} // namespace Orvik
