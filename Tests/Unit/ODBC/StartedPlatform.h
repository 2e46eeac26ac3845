#pragma once

// Test helper: the platform started as under unixODBC, with UTF-16LE as the driver manager's
// encoding, for as long as the helper lives; the encoding is put back afterwards.

#include "Support/EncodingType.h"
#include "Support/Platform.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace Testing {

class StartedPlatform
{
public:
    StartedPlatform() : m_encoding(Support::orvik_wstring::GetDriverManagerEncoding())
    {
        Support::orvik_wstring::SetDriverManagerEncoding(Support::ENC_UTF16_LE);
        Platform::InitializePlatform(false);
    }

    ~StartedPlatform()
    {
        Platform::UninitializePlatform();
        Support::orvik_wstring::SetDriverManagerEncoding(m_encoding);
    }

    StartedPlatform(const StartedPlatform&) = delete;
    StartedPlatform& operator=(const StartedPlatform&) = delete;

private:
    Support::EncodingType m_encoding;
};

} // namespace Testing
} // namespace Orvik
