#include "Support/StringUtilities.h"

#include <gtest/gtest.h>

#include <string>

using Orvik::Support::StringUtilities;

TEST(StringUtilities, TrimsAsciiWhiteSpace)
{
    const struct
    {
        std::string text;
        std::string left;
        std::string right;
    } cases[] = {
        {"\r\n a", "a", "\r\n a"},
        {"a \v\f", "a \v\f", "a"},
        {" \t\n\r\v\f", "", ""},
        {" a b ", "a b ", " a b"},
        {"", "", ""},
        {"\xA0x\xA0", "\xA0x\xA0", "\xA0x\xA0"},
    };
    for (const auto& c : cases)
    {
        std::string left = c.text;
        StringUtilities::TrimLeft(left);
        EXPECT_EQ(c.left, left);
        std::string right = c.text;
        StringUtilities::TrimRight(right);
        EXPECT_EQ(c.right, right);
    }
}

TEST(StringUtilities, ReplaceAllResumesAfterTheReplacement)
{
    const struct
    {
        std::string text;
        std::string find;
        std::string replacement;
        std::string result;
    } cases[] = {
        {"aaaa", "aa", "aaa", "aaaaaa"}, {"a.b.c", ".", "..", "a..b..c"}, {"a-b-", "-", "", "ab"},
        {"abc", "", "x", "abc"},         {"abc", "", "", "abc"},          {"", "a", "b", ""},
    };
    for (const auto& c : cases)
    {
        std::string text = c.text;
        StringUtilities::ReplaceAll(text, c.find, c.replacement);
        EXPECT_EQ(c.result, text) << c.text << " " << c.find;
    }
}

TEST(StringUtilities, ToUpperChangesOnlyAsciiLetters)
{
    std::string text = "abz-AZ_09\xC3\xA9";
    StringUtilities::ToUpper(text);
    EXPECT_EQ("ABZ-AZ_09\xC3\xA9", text);
}
