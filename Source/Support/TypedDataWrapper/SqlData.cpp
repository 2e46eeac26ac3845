#include "Support/TypedDataWrapper/SqlData.h"

#include "Support/InvalidOperationException.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Support {

void SqlData::SetLength(uint32_t)
{
}

void SqlData::AttachBuffer(void*, uint32_t)
{
    throw InvalidOperationException(SupportError(SupportErrorCode::InvalidOperation),
                                    {u"AttachBuffer", u"TypedDataWrapper\\SqlData", u"38"});
}

// The string's constructor from a value lives with the value holders, which the string library
// does not otherwise know.
orvik_wstring::orvik_wstring(const SqlData& in_value)
    : orvik_wstring(in_value.IsNull() ? nullptr : in_value.GetBuffer(),
                    static_cast<int32_t>(in_value.GetLength()),
                    in_value.GetMetadata().GetEncoding())
{
}

} // namespace Support
} // namespace Orvik
