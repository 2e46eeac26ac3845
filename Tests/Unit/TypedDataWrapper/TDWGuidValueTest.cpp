#include "Support/TypedDataWrapper/HexConverter.h"
#include "Support/TypedDataWrapper/TDWGuidValue.h"

#include "SupportErrorExpectation.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using Orvik::Support::HexConverter;
using Orvik::Support::TDWGuidValue;

TEST(HexConverter, ReadsPairsInOrderOrFromTheEnd)
{
    std::vector<uint8_t> bytes(4, 0);
    EXPECT_TRUE(HexConverter::ConvertHexToBytes("12345678", 8, bytes.data(), true));
    EXPECT_EQ((std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}), bytes);
    EXPECT_TRUE(HexConverter::ConvertHexToBytes("aBcDeF01", 8, bytes.data(), false));
    EXPECT_EQ((std::vector<uint8_t>{0xAB, 0xCD, 0xEF, 0x01}), bytes);
    EXPECT_FALSE(HexConverter::ConvertHexToBytes("12G4", 4, bytes.data(), false));
}

TEST(TDWGuidValue, ParsesWithOrWithoutBracesInEitherCaseAndPrintsUpperCase)
{
    const char* texts[] = {
        "12345678-9abc-def0-1234-56789abcdef0",
        "12345678-9ABC-DEF0-1234-56789ABCDEF0",
        "{12345678-9abc-DEF0-1234-56789abcdef0}",
        "  { 12345678-9abc-def0-1234-56789abcdef0 }  ",
    };
    for (const char* text : texts)
    {
        SCOPED_TRACE(text);
        TDWGuidValue value(text, false);
        ASSERT_TRUE(value.m_isValid);
        EXPECT_EQ(0x12345678u, value.m_data1);
        EXPECT_EQ(0x9ABC, value.m_data2);
        EXPECT_EQ(0xDEF0, value.m_data3);
        const uint8_t data4[8] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0};
        EXPECT_EQ(0, std::memcmp(data4, value.m_data4, sizeof(data4)));
        EXPECT_EQ("12345678-9ABC-DEF0-1234-56789ABCDEF0", value.ToString());
    }
}

TEST(TDWGuidValue, RejectsOtherShapes)
{
    const char* texts[] = {
        "",
        "12345678-9abc-def0-1234-56789abcdef",
        "12345678-9abc-def0-1234-56789abcdef01",
        "12345678_9abc-def0-1234-56789abcdef0",
        "12345678-9abc-def0-1234-56789abcdeg0",
        "{12345678-9abc-def0-1234-56789abcdef0",
        "{",
        "{guid '12345678-9abc-def0-1234-56789abcdef0'}",
    };
    for (const char* text : texts)
    {
        SCOPED_TRACE(text);
        EXPECT_FALSE(TDWGuidValue(text, false).m_isValid);
        ExpectSupportError([&] { TDWGuidValue(text, true); }, "InvalidGuidValue", text);
    }
    EXPECT_FALSE(TDWGuidValue(nullptr, false).m_isValid);
}

TEST(TDWGuidValue, ToCharsTerminatesOnlyWhenAsked)
{
    TDWGuidValue value("00000001-0002-0003-0405-060708090a0b", true);
    char buffer[38];
    std::memset(buffer, '?', sizeof(buffer));
    value.ToChars(buffer, false);
    EXPECT_EQ("00000001-0002-0003-0405-060708090A0B?", std::string(buffer, 37));
    value.ToChars(buffer, true);
    EXPECT_STREQ("00000001-0002-0003-0405-060708090A0B", buffer);
}

TEST(TDWGuidValue, EqualityIncludesTheValidFlag)
{
    TDWGuidValue zeros("00000000-0000-0000-0000-000000000000", true);
    EXPECT_FALSE(zeros == TDWGuidValue());
    EXPECT_TRUE(zeros == TDWGuidValue("{00000000-0000-0000-0000-000000000000}", true));
    EXPECT_FALSE(zeros == TDWGuidValue("00000000-0000-0000-0000-000000000001", true));
}
