#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/WarningListener.h"

namespace Orvik {
namespace Support {

/// Passes results on to another listener, posting a replacement in place of every result of one
/// or two codes: how a conversion that is stricter with an application's value than with a
/// SQL-side one turns the warnings of a shared step into its own errors.
class ReplacingListener final : public WarningListener
{
public:
    /// Posts in_replacement to io_next instead of the results of in_code and in_otherCode.
    ReplacingListener(WarningListener& io_next,
                      const ConversionResult& in_replacement,
                      ConversionResultCode in_code,
                      ConversionResultCode in_otherCode)
        : m_next(io_next), m_replacement(in_replacement), m_code(in_code), m_otherCode(in_otherCode)
    {
    }

    /// The same for one code.
    ReplacingListener(WarningListener& io_next, const ConversionResult& in_replacement, ConversionResultCode in_code)
        : ReplacingListener(io_next, in_replacement, in_code, in_code)
    {
    }

    void PostWarning(const ConversionResult& in_result) override
    {
        const ConversionResultCode code = in_result.GetCode();
        m_next.PostWarning((code == m_code || code == m_otherCode) ? m_replacement : in_result);
    }

private:
    WarningListener& m_next;
    const ConversionResult& m_replacement;
    const ConversionResultCode m_code;
    const ConversionResultCode m_otherCode;
};

} // namespace Support
} // namespace Orvik
