#pragma once

#include "Support/TypedDataWrapper/ConversionSettings.h"

using Orvik::Support::ConversionSettings;

/// Puts the process-wide conversion switches back as they were when the test ends.
class ConversionSettingsGuard
{
public:
    ~ConversionSettingsGuard()
    {
        ConversionSettings::NumericLeadingZero = m_numericLeadingZero;
        ConversionSettings::NumericZeroAsDigit = m_numericZeroAsDigit;
        ConversionSettings::PadIntervalLeadingField = m_padIntervalLeadingField;
        ConversionSettings::ShowZeroTimestampFraction = m_showZeroTimestampFraction;
        ConversionSettings::ShowZeroTimeFraction = m_showZeroTimeFraction;
    }

private:
    bool m_numericLeadingZero = ConversionSettings::NumericLeadingZero;
    bool m_numericZeroAsDigit = ConversionSettings::NumericZeroAsDigit;
    bool m_padIntervalLeadingField = ConversionSettings::PadIntervalLeadingField;
    bool m_showZeroTimestampFraction = ConversionSettings::ShowZeroTimestampFraction;
    bool m_showZeroTimeFraction = ConversionSettings::ShowZeroTimeFraction;
};
