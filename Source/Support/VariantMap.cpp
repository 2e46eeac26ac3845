#include "Support/VariantMap.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

namespace Orvik {
namespace Support {

bool CaseInsensitiveLess::operator()(const orvik_wstring& in_left, const orvik_wstring& in_right) const
{
    if (in_left.IsNull() || in_right.IsNull())
    {
        return in_left.IsNull() && !in_right.IsNull();
    }
    UErrorCode status = U_ZERO_ERROR;
    return u_strCaseCompare(in_left.GetBuffer(), in_left.GetLength(),
                            in_right.GetBuffer(), in_right.GetLength(),
                            U_FOLD_CASE_DEFAULT, &status) < 0;
}

} // namespace Support
} // namespace Orvik
