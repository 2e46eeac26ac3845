#pragma once

#include "Support/SupportException.h"

#include <gtest/gtest.h>

#include <string>

/// Runs in_action and expects it to raise SupportException with in_key and the one parameter
/// in_parameter, as the exception's log description shows them.
template <typename Action>
void ExpectSupportError(Action in_action, const std::string& in_key, const std::string& in_parameter)
{
    try
    {
        in_action();
        ADD_FAILURE() << "expected " << in_key;
    }
    catch (const Orvik::Support::SupportException& e)
    {
        std::string text = e.ToString().GetAsUTF8();
        EXPECT_NE(std::string::npos, text.find("{MessageKey=\"" + in_key + "\"")) << text;
        EXPECT_NE(std::string::npos, text.find("MessageParameters=[\"" + in_parameter + "\"]")) << text;
    }
}
