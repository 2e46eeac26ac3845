#pragma once

#include "Support/orvik_wstring.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace Orvik {
namespace Support {

/// The text as UTF-8, or "<null>" for the null string, so that a test sees null and empty apart.
inline std::string Show(const orvik_wstring& in_text)
{
    return in_text.IsNull() ? "<null>" : in_text.GetAsUTF8();
}

inline void PrintTo(const orvik_wstring& in_text, std::ostream* out_stream)
{
    *out_stream << Show(in_text);
}

/// Puts the four process-wide encodings back as they were, for tests that change them.
class EncodingsRestored : public ::testing::Test
{
protected:
    ~EncodingsRestored() override
    {
        orvik_wstring::InitializeAnsiEncoding(m_ansi);
        orvik_wstring::SetDriverManagerEncoding(m_driverManager);
        orvik_wstring::SetDatabaseCharEncoding(m_databaseChar);
        orvik_wstring::SetDatabaseWCharEncoding(m_databaseWChar);
    }

private:
    EncodingType m_ansi = orvik_wstring::GetAnsiEncoding();
    EncodingType m_driverManager = orvik_wstring::GetDriverManagerEncoding();
    EncodingType m_databaseChar = orvik_wstring::GetDatabaseCharEncoding();
    EncodingType m_databaseWChar = orvik_wstring::GetDatabaseWCharEncoding();
};

} // namespace Support
} // namespace Orvik
