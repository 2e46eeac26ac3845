#include "Support/TypedDataWrapper/PaddedNumberWriter.h"

#include "ConversionSettingsGuard.h"

#include "Support/NumberConversionInvalidDataException.h"

#include <gtest/gtest.h>

#include <string>

using namespace Orvik::Support;

TEST(PaddedNumberWriter, PadsToTheWidthOnlyWhenTheSwitchIsOn)
{
    ConversionSettingsGuard guard;
    struct Case
    {
        bool pad;
        uint32_t value;
        bool negative;
        uint16_t width;
        const char* expected;
    };
    const Case cases[] = {
        {true, 5, false, 3, "005"},
        {true, 5, true, 3, "-005"},
        {true, 12345, false, 3, "12345"},
        {false, 5, false, 3, "5"},
        {false, 5, true, 3, "-5"},
        {false, 0, false, 9, "0"},
        {true, 4294967295u, true, 9, "-4294967295"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.expected);
        ConversionSettings::PadIntervalLeadingField = c.pad;
        char buffer[16];
        const char* first =
            PaddedNumberWriter::ConvertToPaddedChars(c.value, c.negative, c.width, buffer, sizeof(buffer));
        EXPECT_EQ(c.expected, std::string(first));
        EXPECT_EQ(buffer + 15 - std::string(c.expected).size(), first);
    }
}

TEST(PaddedNumberWriter, RefusesABufferTooSmallForTheSignOrThePadding)
{
    ConversionSettingsGuard guard;
    ConversionSettings::PadIntervalLeadingField = true;
    struct Case
    {
        uint32_t value;
        bool negative;
        uint16_t width;
        uint16_t size;
    };
    const Case cases[] = {{123, false, 0, 3}, {5, true, 0, 2}, {5, false, 4, 4}, {5, true, 3, 4}};
    for (const Case& c : cases)
    {
        std::string buffer(c.size, '?');
        EXPECT_THROW(
            PaddedNumberWriter::ConvertToPaddedChars(c.value, c.negative, c.width, &buffer[0], c.size),
            NumberConversionInvalidDataException);
        EXPECT_EQ(std::string(c.size, '?'), buffer);
    }
    char exact[5];
    EXPECT_EQ(std::string("-005"), PaddedNumberWriter::ConvertToPaddedChars(5, true, 3, exact, 5));
}
