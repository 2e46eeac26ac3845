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

/// The four process-wide encodings, as a test installs them or finds them.
struct ProcessEncodings
{
    EncodingType ansi;
    EncodingType driverManager;
    EncodingType databaseChar;
    EncodingType databaseWChar;

    static ProcessEncodings Current()
    {
        return {orvik_wstring::GetAnsiEncoding(), orvik_wstring::GetDriverManagerEncoding(),
                orvik_wstring::GetDatabaseCharEncoding(), orvik_wstring::GetDatabaseWCharEncoding()};
    }

    void Install() const
    {
        orvik_wstring::InitializeAnsiEncoding(ansi);
        orvik_wstring::SetDriverManagerEncoding(driverManager);
        orvik_wstring::SetDatabaseCharEncoding(databaseChar);
        orvik_wstring::SetDatabaseWCharEncoding(databaseWChar);
    }
};

/// Puts the four process-wide encodings back as they were, for tests that change them.
class EncodingsRestored : public ::testing::Test
{
protected:
    ~EncodingsRestored() override { m_saved.Install(); }

private:
    ProcessEncodings m_saved = ProcessEncodings::Current();
};

} // namespace Support
} // namespace Orvik
