#pragma once

#include "Support/IMessageSource.h"
#include "Support/orvik_wstring.h"

#include <string>
#include <vector>

namespace Orvik {
namespace Testing {

/// Message texts that show what was looked up: "<locale>[<component>:<key>]" followed by
/// " (<parameters>)" when there are parameters; the native code is 1000 plus the component. A
/// key that begins with "Missing" is not found: native code 4294967295.
class FakeMessageSource : public Support::IMessageSource
{
public:
    void LoadMessage(const std::string& in_locale,
                     const Support::orvik_wstring& in_key,
                     int32_t in_componentId,
                     const std::vector<Support::orvik_wstring>& in_parameters,
                     Support::orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override
    {
        LoadMessage(in_locale, in_key, in_componentId, out_message, out_nativeErrorCode);
        out_message += Support::orvik_wstring(u" (") +
                       Support::orvik_wstring::Join(in_parameters.begin(), in_parameters.end(), u",") + u")";
    }

    void LoadMessage(const std::string& in_locale,
                     const Support::orvik_wstring& in_key,
                     int32_t in_componentId,
                     Support::orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override
    {
        ++m_lookups;
        out_message = Support::orvik_wstring(in_locale + "[" + std::to_string(in_componentId) + ":") + in_key + u"]";
        out_nativeErrorCode = in_key.StartsWith(u"Missing") ? 4294967295u : 1000u + in_componentId;
    }

    int m_lookups = 0;
};

} // namespace Testing
} // namespace Orvik
