#pragma once

#include "Support/ErrorException.h"
#include "StringTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace Orvik {
namespace Support {

/// The IBM037 EBCDIC code page: ASCII letters and the blank have other byte values there.
constexpr EncodingType ENC_IBM037 = 41;

/// Runs in_action and expects it to raise the support library's text error in_key.
inline void ExpectTextError(const char* in_key, const std::function<void()>& in_action)
{
    try
    {
        in_action();
        ADD_FAILURE() << "no error, expected " << in_key;
    }
    catch (const ErrorException& exception)
    {
        EXPECT_EQ(in_key, Show(exception.GetMessageKey()));
        EXPECT_EQ(DIAG_GENERAL_ERROR, exception.GetDiagState());
        EXPECT_EQ(SUPPORT_COMPONENT_ID, exception.GetComponentId());
        EXPECT_EQ(-1, exception.GetRowNumber());
        EXPECT_EQ(-1, exception.GetColumnNumber());
    }
}

/// The bytes of a text, for comparing with what a conversion wrote.
inline std::string BytesOf(const void* in_bytes, size_t in_length)
{
    return std::string(static_cast<const char*>(in_bytes), in_length);
}

} // namespace Support
} // namespace Orvik
