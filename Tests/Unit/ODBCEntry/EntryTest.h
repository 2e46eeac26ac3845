#pragma once

// Test helper: the process's one driver object, started over the fake back end the first time a
// test asks for it, with UTF-16LE as the driver manager's encoding.

#include "ODBC/Driver/Driver.h"

#include "Unit/ODBC/FakeBackEnd.h"

#include <gtest/gtest.h>

#include <sqlext.h>

#include <string>

namespace Orvik {
namespace Testing {

/// UTF-16 text as the wide functions take it.
inline SQLWCHAR* Wide(const char16_t* in_text)
{
    return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(in_text));
}

/// 8-bit text as the ANSI functions take it.
inline SQLCHAR* Narrow(const char* in_text)
{
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(in_text));
}

class EntryTest : public FakeBackEndTest
{
protected:
    EntryTest() : m_driver(ODBC::Driver::GetDriver())
    {
        EXPECT_TRUE(m_driver.IsInitialized());
        // What start-up chose; the encodings of the time before it are put back after each test.
        Support::orvik_wstring::SetDriverManagerEncoding(Support::ENC_UTF16_LE);
    }

    ODBC::Driver& m_driver;
};

} // namespace Testing
} // namespace Orvik
