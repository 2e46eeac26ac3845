#include "Support/StartupInitException.h"

#include <utility>

namespace Orvik {
namespace Support {

StartupInitException::StartupInitException(const orvik_wstring& in_messageKey)
    : ProductException(in_messageKey)
{
}

} // namespace Support
} // namespace Orvik
