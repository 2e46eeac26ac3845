#pragma once

#include "Support/TypedDataWrapper/ConversionSettings.h"

/// Puts the process-wide conversion switches back as they were when the test ends.
class ConversionSettingsGuard
{
    using Settings = Orvik::Support::ConversionSettings;

public:
    ~ConversionSettingsGuard()
    {
        Settings::NumericLeadingZero = m_numericLeadingZero;
        Settings::NumericZeroAsDigit = m_numericZeroAsDigit;
        Settings::PadIntervalLeadingField = m_padIntervalLeadingField;
        Settings::ShowZeroTimestampFraction = m_showZeroTimestampFraction;
        Settings::ShowZeroTimeFraction = m_showZeroTimeFraction;
    }

private:
    bool m_numericLeadingZero = Settings::NumericLeadingZero;
    bool m_numericZeroAsDigit = Settings::NumericZeroAsDigit;
    bool m_padIntervalLeadingField = Settings::PadIntervalLeadingField;
    bool m_showZeroTimestampFraction = Settings::ShowZeroTimestampFraction;
    bool m_showZeroTimeFraction = Settings::ShowZeroTimeFraction;
};
