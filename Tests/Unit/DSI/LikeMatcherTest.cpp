#include "DSI/Client/Collation.h"
#include "DSI/Client/LikeMatcher.h"
#include "DSI/Client/StringComparator.h"
#include "Support/orvik_wstring.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace Orvik::DSI;
using namespace Orvik::Support;

namespace {

/// The UTF-8 text in_text in in_encoding.
std::string Encode(const std::string& in_text, EncodingType in_encoding)
{
    return orvik_wstring(in_text.data(), static_cast<int32_t>(in_text.size()), ENC_UTF8).GetAsString(in_encoding);
}

bool Matches(const std::string& in_pattern,
             const char* in_escape,
             const std::string& in_text,
             EncodingType in_encoding)
{
    const std::string pattern = Encode(in_pattern, in_encoding);
    const std::string escape = in_escape == nullptr ? std::string() : Encode(in_escape, in_encoding);
    std::unique_ptr<LikeMatcher> matcher = Collation::GetDefault()->CreateLikeMatcher(
        pattern.data(), static_cast<int64_t>(pattern.size()), in_escape == nullptr ? nullptr : escape.data(),
        static_cast<int64_t>(escape.size()), in_encoding);
    const std::string text = Encode(in_text, in_encoding);
    return matcher->Match(text.data(), static_cast<int64_t>(text.size()));
}

struct MatchCase
{
    const char* pattern;
    const char* escape;  // null: no escape
    const char* text;
    bool inUtf8;
    bool inUtf16;
};

// "é" is two bytes in UTF-8 but one code unit in UTF-16.
const MatchCase MATCH_CASES[] = {
    {"%a_", nullptr, "aab", true, true},           // the search is retried from one unit later
    {"%a_b%c%", nullptr, "axacb", false, false},   // no "c" after the retried "a_b"
    {"a_c", nullptr, "abc", true, true},
    {"a_c", nullptr, "abbc", false, false},
    {"%", nullptr, "", true, true},
    {"", nullptr, "", true, true},
    {"", nullptr, "   ", true, true},
    {"", nullptr, "\t", false, false},
    {"ab", nullptr, "ab  ", true, true},
    {"ab", nullptr, "ab\t", false, false},
    {"ab", nullptr, "abc", false, false},
    {"a _", nullptr, "a\tx", true, true},          // "a " and "a\t" agree once blanks are trimmed
    {"_", nullptr, "\xc3\xa9", false, true},
    {"__", nullptr, "\xc3\xa9", true, false},
    {"\\%", "\\", "%", true, true},
    {"\\%", "\\", "x%", false, false},
    {"\\\\%", "\\", "\\abc", true, true},
    {"\\\\%", "\\", "abc", false, false},
    {"a\\b", "\\", "a\\b", true, true},            // an escape before an ordinary character stays
    {"a\\b", "\\", "ab", false, false},
    {"a\\_c", "\\", "a_c", true, true},
    {"a\\_c", "\\", "abc", false, false},
    {"\\%", "", "\\xyz", true, true},              // an empty escape escapes nothing
    {"\\%", "", "%", false, false},
    {"%%a", nullptr, "ba", true, true},
    {"%%a", nullptr, "b", false, false},
    {"%_", nullptr, "", false, false},
    {"%_", nullptr, "x", true, true},
    {"_%_", nullptr, "x", false, false},
    {"_%_", nullptr, "xy", true, true},
    {"%bc", nullptr, "abcbc", true, true},        // a trailing literal is the last occurrence
    {"%bc", nullptr, "abcbx", false, false},
    {"%c", nullptr, "abc  ", true, true},
    {"a%", nullptr, "abc", true, true},
    {"a%", nullptr, "ba", false, false},
    {"%b%", nullptr, "abc", true, true},
    {"%b%", nullptr, "ac", false, false},
    {"a%b_d", nullptr, "axbybcd", true, true},    // the search for "b" is retried until "_d" fits
    {"a%b_d", nullptr, "axbycd", false, false},
};

} // namespace

TEST(LikeMatcherTest, MatchesTheCaseTableInUtf8AndUtf16)
{
    for (const MatchCase& c : MATCH_CASES)
    {
        SCOPED_TRACE(std::string("pattern '") + c.pattern + "' text '" + c.text + "'");
        EXPECT_EQ(c.inUtf8, Matches(c.pattern, c.escape, c.text, ENC_UTF8));
        EXPECT_EQ(c.inUtf16, Matches(c.pattern, c.escape, c.text, ENC_UTF16_LE));
    }
}

TEST(LikeMatcherTest, FindsLiteralsOnlyAtCodeUnitPositions)
{
    // The bytes 61 00 ("a") stand at byte 1 of this UTF-16LE text, inside two code units.
    const char text[] = {'\x00', '\x61', '\x00', '\x00'};
    const char pattern[] = {'%', '\x00', 'a', '\x00'};
    std::unique_ptr<LikeMatcher> matcher =
        Collation::GetDefault()->CreateLikeMatcher(pattern, sizeof(pattern), nullptr, 0, ENC_UTF16_LE);
    EXPECT_FALSE(matcher->Match(text, sizeof(text)));
    const char aligned[] = {'x', '\x00', 'a', '\x00'};
    EXPECT_TRUE(matcher->Match(aligned, sizeof(aligned)));
}

TEST(LikeMatcherTest, NoTextMatchesLikeTheEmptyText)
{
    std::unique_ptr<LikeMatcher> anything = Collation::GetDefault()->CreateLikeMatcher("%", 1, nullptr, 0, ENC_UTF8);
    std::unique_ptr<LikeMatcher> something = Collation::GetDefault()->CreateLikeMatcher("_", 1, nullptr, 0, ENC_UTF8);
    EXPECT_TRUE(anything->Match(nullptr, 5));
    EXPECT_FALSE(something->Match(nullptr, 5));
    EXPECT_FALSE(something->Match("x", -1));
}

TEST(StringComparatorTest, OrdersBytesWithTrailingBlanksIgnored)
{
    struct Case
    {
        const char* left;
        const char* right;
        int32_t expected;
    };
    const Case cases[] = {
        {"ab", "ab  ", 0}, {"a\t", "a", 0}, {"ab", "abc", -1}, {"abc", "ab", 1},
        {"b", "a ", 1},    {"", "  ", 0},   {"a", "b", -1},    {"A", "a", -1},
    };
    for (EncodingType encoding : {ENC_UTF8, ENC_UTF16_LE, ENC_UTF32_BE})
    {
        std::unique_ptr<StringComparator> comparator = Collation::GetDefault()->CreateComparator(encoding);
        for (const Case& c : cases)
        {
            const std::string left = Encode(c.left, encoding);
            const std::string right = Encode(c.right, encoding);
            SCOPED_TRACE(std::string(c.left) + " <> " + c.right + " in encoding " + std::to_string(encoding));
            EXPECT_EQ(c.expected, comparator->Compare(left.data(), static_cast<int64_t>(left.size()), right.data(),
                                                      static_cast<int64_t>(right.size())));
        }
    }
}

TEST(CollationTest, TheDefaultIsOneObjectWithItsFixedIdentity)
{
    SharedPtr<Collation> first = Collation::GetDefault();
    SharedPtr<Collation> second = Collation::GetDefault();
    ASSERT_TRUE(first);
    EXPECT_EQ(first.Get(), second.Get());
    EXPECT_TRUE(first->IsSameCollation(*second));
    EXPECT_EQ("2AD49772-9E07-4671-8B5E-957A00EA36C7", first->GetId().ToString());
    EXPECT_TRUE(first->GetId().m_isValid);
}
