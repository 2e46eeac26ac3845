// The reply scanner against RapidJSON's reader with the reply's flags: the same events, the same
// error codes and the same text left in place, for well-formed and malformed replies, for every
// cut of them and for their bytes replaced one at a time; plain numbers read as their text reads.

#include "Unit/Pelta/ReplyEvents.h"

#include <gtest/gtest.h>

#include <string>

using namespace Pelta::Test;

namespace {

// Replies of every shape: each kind of value in each place, escapes, white space, numbers at
// the edges of the fast readings, and each syntax error.
const char* const REPLIES[] = {
    R"j({"cols":["a","b"],"col_types":[9,4],"rows":[[1,"x"],[null,true]],"rowcount":2})j",
    " \t\r\n{ \"rows\" : [ [ 1 , -2.5e+3 , \"t\" , false ] , [ ] ] } \n",
    R"j({"k\"ey":"v\\al\/ue\b\f\n\r\t","\u00e9\ud83d\ude00":"\u0000x","":""})j",
    R"j([[{"a":[1,{"b":[]}],"c":{}}],[[[]]],{}])j",
    R"j([0,-0,7,-7,123456789,9223372036854775807,9223372036854775808,-9223372036854775808,-9223372036854775809])j",
    R"j([18446744073709551615,18446744073709551616,12345678901234567890123,1e22,1e23,9007199254740993.0])j",
    R"j([0.1,0.25,-0.0,1.5e-22,1.5e-23,123456789012345678e-5,4.9e-324,2.2250738585072014e-308,1.7976931348623157e308])j",
    R"j([1E5,1e+05,1e-05,1e99,1e-99,1e100,1e-100,1e308,1e-400,0e999,1.0000000000000000000001])j",
    "[\"h\xc3\xa9llo \xf0\x9f\x98\x80\",\"\xff\xfe\",\"abcdefghijklmnopqrstuvwxyz0123456789\"]",
    "\"a string alone\"",
    "42",
    "true",
    "null",
    "",
    "   ",
    "]",
    ",",
    ":",
    "}",
    "x",
    "{} {}",
    "[1] 2",
    "<html></html>",
    "{",
    "[",
    "{\"a\"",
    "{\"a\":",
    "{\"a\":1",
    "{\"a\":1,",
    "{\"a\":1,}",
    "[1,]",
    "[1 2]",
    "{\"a\" 1}",
    "{1:2}",
    "{,}",
    "[,]",
    "{\"a\":}",
    "[01]",
    "[-]",
    "[-a]",
    "[1.]",
    "[1.e5]",
    "[1e]",
    "[1e+]",
    "[.5]",
    "[+1]",
    "[1e309]",
    "[1e400]",
    "[-1e400]",
    "[1e-400]",
    "[NaN]",
    "[Infinity]",
    "[tru]",
    "[nul]",
    "[fals]",
    "[truex]",
    "[\"abc]",
    "[\"a\\x\"]",
    "[\"a\\u12\"]",
    "[\"a\\ud800\"]",
    "[\"a\\ud800\\u0041\"]",
    "[\"tab\there\"]",
    "{\"k\\q\":1}",
    "{\"k\nk\":1}",
};

TEST(PeltaReplyScanner, EveryReplyGivesRapidJsonsEventsAndErrors)
{
    for (const char* reply : REPLIES)
    {
        EXPECT_EQ(RapidJsonEvents(reply), ScannerEvents(reply)) << reply;
    }
    // The text ends at its first NUL, wherever it stands.
    for (const std::string& withNul : {std::string("[\"x\",1]\0[", 9), std::string("[\"x\0\",1]", 8), std::string("[1\0]", 4)})
    {
        EXPECT_EQ(RapidJsonEvents(withNul), ScannerEvents(withNul)) << ShowBytes(withNul.data(), withNul.size());
    }
}

TEST(PeltaReplyScanner, EveryCutAndEveryReplacedByteGivesRapidJsonsErrors)
{
    const char replacements[] = {'\0', ' ', ',', ':', '[', ']', '{', '}', '"', '\\', '-', '0', '.', 'e', 'x', '\x01', '\xc3'};
    for (const char* reply : REPLIES)
    {
        const std::string text = reply;
        for (size_t cut = 0; cut < text.size(); ++cut)
        {
            const std::string piece = text.substr(0, cut);
            ASSERT_EQ(RapidJsonEvents(piece), ScannerEvents(piece)) << piece;
        }
        for (size_t at = 0; at < text.size(); ++at)
        {
            for (char replacement : replacements)
            {
                std::string changed = text;
                changed[at] = replacement;
                ASSERT_EQ(RapidJsonEvents(changed), ScannerEvents(changed)) << ShowBytes(changed.data(), changed.size());
            }
        }
    }
}

TEST(PeltaReplyScanner, AHandlerThatRefusesStopsTheReadingWhereRapidJsonStops)
{
    const std::string reply = R"j({"a":[1,"s",true,null,{"b":2.5}],"c\n":"\u00e9"})j";
    for (size_t refused = 1; refused <= 16; ++refused)
    {
        EXPECT_EQ(RapidJsonEvents(reply, refused), ScannerEvents(reply, refused)) << refused;
    }
}

TEST(PeltaReplyScanner, DeepNestingNeedsNoMachineStack)
{
    const size_t depth = 1000000;
    const std::string nested = std::string(depth, '[') + std::string(depth, ']');
    EXPECT_EQ(RapidJsonEvents(nested), ScannerEvents(nested));
    EXPECT_EQ(RapidJsonEvents(nested.substr(0, nested.size() - 1)), ScannerEvents(nested.substr(0, nested.size() - 1)));
}

TEST(PeltaReplyScanner, NumbersAtEveryLengthReadAsTheirText)
{
    // Integers and decimals of 1 to 40 digits, signed and not, with and without exponents: the
    // fast readings give what the general reading of the text gives.
    std::string reply = "[";
    std::string digits;
    for (int length = 1; length <= 40; ++length)
    {
        digits += static_cast<char>('1' + length % 9);
        for (const char* sign : {"", "-"})
        {
            for (const char* tail : {"", ".5", "e7", "e-7", ".125e21", "e-22", "e23"})
            {
                reply += std::string(reply.size() > 1 ? "," : "") + sign + digits + tail;
            }
            const std::string split = digits.substr(0, digits.size() / 2 + 1) + "." + digits.substr(digits.size() / 2 + 1);
            reply += std::string(",") + sign + (split.back() == '.' ? split + "0" : split);
        }
    }
    reply += "]";
    const std::string events = ScannerEvents(reply);
    EXPECT_EQ(RapidJsonEvents(reply), events);
    EXPECT_EQ(std::string::npos, events.find("read wrongly"));
}

} // namespace
