#include "Support/TypedDataWrapper/ConversionSettings.h"

namespace Orvik {
namespace Support {

bool ConversionSettings::NumericLeadingZero = false;
bool ConversionSettings::NumericZeroAsDigit = true;
bool ConversionSettings::PadIntervalLeadingField = false;
bool ConversionSettings::ShowZeroTimestampFraction = false;
bool ConversionSettings::ShowZeroTimeFraction = false;

namespace {

struct SwitchSource
{
    int32_t m_propertyKey;
    bool* m_switch;
};

const SwitchSource SWITCH_SOURCES[] = {
    {17, &ConversionSettings::NumericLeadingZero},
    {21, &ConversionSettings::PadIntervalLeadingField},
    {25, &ConversionSettings::ShowZeroTimestampFraction},
    {26, &ConversionSettings::ShowZeroTimeFraction},
    {27, &ConversionSettings::NumericZeroAsDigit},
};

} // namespace

void ConversionSettings::SetFromDriverProperty(int32_t in_key, uint32_t in_value)
{
    for (const SwitchSource& source : SWITCH_SOURCES)
    {
        if (source.m_propertyKey == in_key)
        {
            *source.m_switch = (in_value == 1);
        }
    }
}

} // namespace Support
} // namespace Orvik
