#include "Support/ProductException.h"

#include <utility>

namespace Orvik {
namespace Support {

ProductException::ProductException(const orvik_wstring& in_messageKey)
    : ErrorException(DIAG_GENERAL_ERROR, SUPPORT_COMPONENT_ID, in_messageKey, -1, -1)
{
}

ProductException::ProductException(const orvik_wstring& in_messageKey,
                                   std::vector<orvik_wstring> in_parameters)
    : ErrorException(DIAG_GENERAL_ERROR,
                     SUPPORT_COMPONENT_ID,
                     in_messageKey,
                     std::move(in_parameters),
                     -1,
                     -1)
{
}

} // namespace Support
} // namespace Orvik
