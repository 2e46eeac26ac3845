#include "ConversionSettingsGuard.h"

#include <gtest/gtest.h>

using Orvik::Support::ConversionSettings;

TEST(ConversionSettings, OnlyNumericZeroAsDigitStartsOn)
{
    EXPECT_FALSE(ConversionSettings::NumericLeadingZero);
    EXPECT_TRUE(ConversionSettings::NumericZeroAsDigit);
    EXPECT_FALSE(ConversionSettings::PadIntervalLeadingField);
    EXPECT_FALSE(ConversionSettings::ShowZeroTimestampFraction);
    EXPECT_FALSE(ConversionSettings::ShowZeroTimeFraction);
}

TEST(ConversionSettings, EachDriverPropertyFeedsItsSwitchAndOnlyOneTurnsItOn)
{
    ConversionSettingsGuard guard;
    struct Case
    {
        int32_t key;
        const bool* setting;
    };
    const Case cases[] = {
        {17, &ConversionSettings::NumericLeadingZero},
        {21, &ConversionSettings::PadIntervalLeadingField},
        {25, &ConversionSettings::ShowZeroTimestampFraction},
        {26, &ConversionSettings::ShowZeroTimeFraction},
        {27, &ConversionSettings::NumericZeroAsDigit},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.key);
        ConversionSettings::SetFromDriverProperty(c.key, 1);
        EXPECT_TRUE(*c.setting);
        ConversionSettings::SetFromDriverProperty(c.key, 2);
        EXPECT_FALSE(*c.setting);
        ConversionSettings::SetFromDriverProperty(c.key, 1);
        ConversionSettings::SetFromDriverProperty(c.key + 100, 0);
        EXPECT_TRUE(*c.setting);
    }
}
