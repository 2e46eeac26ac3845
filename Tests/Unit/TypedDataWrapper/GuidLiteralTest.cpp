#include "Support/TypedDataWrapper/LiteralParser.h"

#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using namespace Orvik::Support;

TEST(GuidLiteral, FillsTheODBCStructureFromEveryAcceptedForm)
{
    const std::vector<uint8_t> expected = {0x78, 0x56, 0x34, 0x12, 0xBC, 0x9A, 0xF0, 0xDE,
                                           0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
    const char* texts[] = {
        "12345678-9abc-def0-1234-56789abcdef0",
        " {12345678-9ABC-DEF0-1234-56789ABCDEF0} ",
        "{guid '12345678-9abc-def0-1234-56789abcdef0'}",
        "{guid ' 12345678-9abc-def0-1234-56789abcdef0 '}",
    };
    for (const char* text : texts)
    {
        SCOPED_TRACE(text);
        std::vector<uint8_t> target(17, 0xEE);
        int64_t length = 0;
        RecordingListener listener;
        LiteralParser::ConvertCharToGuid(text, std::strlen(text), target.data(), length, listener);
        EXPECT_EQ(expected, std::vector<uint8_t>(target.begin(), target.begin() + 16));
        EXPECT_EQ(0xEE, target[16]);
        EXPECT_EQ(16, length);
        EXPECT_EQ("", listener.Posted());
    }
}

TEST(GuidLiteral, SetsTheLengthOnlyOnceTheTextReachesTheParse)
{
    struct Case
    {
        const char* text;
        int64_t length;
    };
    const Case cases[] = {
        {"", -1},
        {"{guid '12345678-9abc-def0-1234-56789abcdef0' }", -1},
        {"{guid '12345678-9abc-def0-1234-56789abcdef0\"}", -1},
        // Shorter than the escape: handed to the GUID parse as it stands.
        {"{guid '1234'}", 16},
        {"12345678-9abc-def0-1234-56789abcdefg", 16},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        std::vector<uint8_t> target(16, 0xEE);
        int64_t length = -1;
        RecordingListener listener;
        LiteralParser::ConvertCharToGuid(c.text, std::strlen(c.text), target.data(), length, listener);
        EXPECT_EQ(std::vector<uint8_t>(16, 0xEE), target);
        EXPECT_EQ(c.length, length);
        EXPECT_EQ("NumericValOutOfRange(2)", listener.Posted());
    }
    int64_t length = 0;
    RecordingListener listener;
    LiteralParser::ConvertCharToGuid("12345678-9abc-def0-1234-56789abcdef0", 36, nullptr, length, listener);
    EXPECT_EQ(16, length);
    EXPECT_EQ("", listener.Posted());
}
