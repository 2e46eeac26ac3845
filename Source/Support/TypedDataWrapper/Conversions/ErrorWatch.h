#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/WarningListener.h"

namespace Orvik {
namespace Support {

/// Passes every result on to the kernel's listener and remembers whether one was an error
/// rather than a truncation warning, so that a kernel that parses into a scratch value copies
/// it to the application only when the parse succeeded.
class ErrorWatch : public WarningListener
{
public:
    explicit ErrorWatch(WarningListener& io_listener) : m_listener(io_listener) {}

    void PostWarning(const ConversionResult& in_result) override
    {
        const ConversionResultCode code = in_result.GetCode();
        m_sawError = m_sawError || (code != CONV_STRING_TRUNCATED && code != CONV_FRACTION_TRUNCATED);
        m_listener.PostWarning(in_result);
    }

    bool SawError() const { return m_sawError; }

private:
    WarningListener& m_listener;
    bool m_sawError = false;
};

} // namespace Support
} // namespace Orvik
