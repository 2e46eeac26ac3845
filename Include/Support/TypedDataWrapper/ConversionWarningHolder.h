#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <memory>

namespace Orvik {
namespace Support {

/// Keeps a copy of the last result posted during one single-value conversion.
class ConversionWarningHolder : public WarningListener
{
public:
    ConversionWarningHolder() = default;

    /// Copies in_result and drops the copy held before.
    void PostWarning(const ConversionResult& in_result) override;

    /// Hands the held result to the caller and holds nothing afterwards; null means success.
    std::unique_ptr<ConversionResult> TakeResult() { return std::move(m_result); }

private:
    std::unique_ptr<ConversionResult> m_result;
};

} // namespace Support
} // namespace Orvik
