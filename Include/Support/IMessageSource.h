#pragma once

#include "Support/orvik_wstring.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvik {
namespace Support {

/// Where exceptions find the text of their message keys. A native error code of 4294967295 means
/// that no message was found; the text then says what was missing.
class IMessageSource
{
public:
    virtual ~IMessageSource() = default;

    /// Looks up the message of in_key for component in_componentId in in_locale, fills in
    /// in_parameters and returns the text in out_message and its code in out_nativeErrorCode.
    virtual void LoadMessage(const std::string& in_locale,
                             const orvik_wstring& in_key,
                             int32_t in_componentId,
                             const std::vector<orvik_wstring>& in_parameters,
                             orvik_wstring& out_message,
                             uint32_t& out_nativeErrorCode) = 0;

    /// Looks up the message of in_key for component in_componentId in in_locale, without
    /// parameters; returns the text in out_message and its code in out_nativeErrorCode.
    virtual void LoadMessage(const std::string& in_locale,
                             const orvik_wstring& in_key,
                             int32_t in_componentId,
                             orvik_wstring& out_message,
                             uint32_t& out_nativeErrorCode) = 0;

protected:
    IMessageSource() = default;
};

} // namespace Support
} // namespace Orvik
