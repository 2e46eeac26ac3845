#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"

#include "Support/BadPrecisionException.h"
#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"

#include <sqlext.h>

namespace Orvik {
namespace Support {

namespace {

[[noreturn]] void ThrowFieldsNotSupported(const char16_t* in_method, const char16_t* in_line)
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                    {in_method, u"TypedDataWrapper\\SqlCTypeMetadata", in_line});
}

} // namespace

SqlCTypeMetadata::SqlCTypeMetadata(int16_t in_cType)
    : m_cType(in_cType), m_isTypeFlagged(SqlCTypeUtilities::Current().IsCTypeFlagged(in_cType))
{
}

void SqlCTypeMetadata::Validate() const
{
    if (m_cType == SQL_C_NUMERIC && m_precision < 0)
    {
        throw BadPrecisionException(SupportError(SupportErrorCode::PrecLessThanZero));
    }
}

void SqlCTypeMetadata::SetField(int32_t, const void*)
{
    ThrowFieldsNotSupported(u"SqlCTypeMetadata::SetField", u"100");
}

void SqlCTypeMetadata::GetField(int32_t, void*) const
{
    ThrowFieldsNotSupported(u"SqlCTypeMetadata::GetField", u"109");
}

} // namespace Support
} // namespace Orvik
