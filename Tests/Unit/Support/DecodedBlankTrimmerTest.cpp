#include "Support/DecodedBlankTrimmer.h"
#include "Support/PlatformStringConverter.h"

#include "ConversionTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;
using namespace std::string_literals;

namespace {

constexpr EncodingType ENC_SHIFT_JIS = 18;

class DecodedBlankTrimmerTest : public ::testing::Test
{
protected:
    std::string Trimmed(DecodedBlankTrimmer& io_trimmer, const std::string& in_text)
    {
        uint64_t length = in_text.size();
        const uint8_t* trimmed = io_trimmer.Trim(reinterpret_cast<const uint8_t*>(in_text.data()), length);
        return BytesOf(trimmed, length);
    }

    PlatformStringConverter m_converter;
};

TEST_F(DecodedBlankTrimmerTest, BlanksAreFoundAfterDecoding)
{
    const struct
    {
        EncodingType encoding;
        std::string text;
        std::string trimmed;
    } cases[] = {
        // EBCDIC: 0x40 is the blank and 0x05 the tab; 0x20 is a control character, not a blank.
        {ENC_IBM037, "\xC1\x40\x05\x40"s, "\xC1"s},
        {ENC_IBM037, "\xC1\x20"s, "\xC1\x20"s},
        {ENC_IBM037, "\x40\x40"s, ""s},
        {ENC_SHIFT_JIS, "\x93\xFA\x96\x7B  \t"s, "\x93\xFA\x96\x7B"s},
        {ENC_SHIFT_JIS, "a \x93\xFA"s, "a \x93\xFA"s},
    };
    for (const auto& c : cases)
    {
        DecodedBlankTrimmer trimmer(c.encoding, m_converter);
        EXPECT_EQ(c.trimmed, Trimmed(trimmer, c.text)) << c.encoding;
    }
}

TEST_F(DecodedBlankTrimmerTest, OneTrimmerServesTextsOfAnyLength)
{
    DecodedBlankTrimmer trimmer(ENC_IBM037, m_converter);
    EXPECT_EQ("\xC1"s, Trimmed(trimmer, "\xC1\x40"s));
    EXPECT_EQ("\xC1\xC2\xC3\xC4\xC5"s, Trimmed(trimmer, "\xC1\xC2\xC3\xC4\xC5\x40\x40\x40"s));
    EXPECT_EQ("\xC2"s, Trimmed(trimmer, "\xC2"s));
}

TEST_F(DecodedBlankTrimmerTest, NothingGivesNothing)
{
    DecodedBlankTrimmer trimmer(ENC_IBM037, m_converter);
    uint64_t length = 5;
    EXPECT_EQ(nullptr, trimmer.Trim(nullptr, length));
    EXPECT_EQ(0u, length);
    const uint8_t bytes[] = {0x40};
    length = 0;
    EXPECT_EQ(bytes, trimmer.Trim(bytes, length));
    EXPECT_EQ(0u, length);
}

} // namespace
