#include "Support/TypedDataWrapper/ConversionWarningHolder.h"

namespace Orvik {
namespace Support {

void ConversionWarningHolder::PostWarning(const ConversionResult& in_result)
{
    m_result = std::make_unique<ConversionResult>(in_result);
}

} // namespace Support
} // namespace Orvik
