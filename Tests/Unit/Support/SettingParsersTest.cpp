#include "Support/SettingParsers.h"

#include <gtest/gtest.h>

using Orvik::Support::ParseByteSize;
using Orvik::Support::ParseUInt32OrDefault;

TEST(ParseByteSize, UnitsFractionsDefaultsAndSaturation)
{
    const uint64_t fallback = 777;
    struct Case { const char* m_text; uint64_t m_expected; };
    const Case cases[] = {
        { "20971520", 20971520 }, { "20 MB", 20971520 }, { "20M", 20971520 }, { "20mb", 20971520 },
        { "20 KB", 20480 }, { "512k", 524288 }, { "1G", 1073741824 }, { "1.5M", 1572864 },
        { "20 B", 20 }, { "20b", 20 }, { "7 \t", 7 }, { "0", 0 }, { "2.9", 2 },
        { "", fallback }, { "abc", fallback }, { "-5", fallback }, { "M", fallback }, { "MB", fallback },
        { "20 MM", fallback }, { "20BB", fallback }, { "1e", fallback }, { "0x10", fallback },
        { "99999999999G", UINT64_MAX }, { "17179869184G", UINT64_MAX },
        { "18446744073709551615", UINT64_MAX }, { "18446744073709549568", 18446744073709549568u },
        { "1e400", UINT64_MAX }, { "INFINITY", UINT64_MAX }, { "NaN", fallback }, { "-0.5", fallback },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.m_expected, ParseByteSize(c.m_text, fallback)) << '"' << c.m_text << '"';
    }
    // Like registry text, a number's text ends at its first NUL.
    EXPECT_EQ(20u, ParseByteSize(std::string("20\0x", 4), fallback));
    EXPECT_EQ(1u, ParseByteSize(std::string(" 1\0;.5 MB ", 11), fallback));
}

TEST(ParseUInt32OrDefault, WholeUnsignedNumbersOnly)
{
    struct Case { const char* m_text; uint32_t m_expected; };
    const Case cases[] = {
        { "7", 7 }, { "+7", 7 }, { "4294967295", 4294967295u }, { "", 50 }, { "0", 50 }, { "x", 50 },
        { " 7", 50 }, { "7 ", 50 }, { "-1", 50 }, { "4294967296", 50 }, { "1.5", 50 },
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(c.m_expected, ParseUInt32OrDefault(c.m_text, 50)) << '"' << c.m_text << '"';
    }
}
