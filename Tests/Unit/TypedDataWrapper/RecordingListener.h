#pragma once

#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/WarningListener.h"

#include <string>
#include <vector>

/// Writes down every posted result as its key, followed by its direction in brackets for the
/// results that carry one: "NumericValOutOfRange(0)", "FractionalTrunc(1)".
class RecordingListener : public Orvik::Support::WarningListener
{
public:
    void PostWarning(const Orvik::Support::ConversionResult& in_result) override
    {
        std::string text = in_result.GetMessageKey().GetAsUTF8();
        if (text == "FractionalTrunc")
        {
            text += "(" + std::to_string(in_result.GetTruncationInfo()) + ")";
        }
        else if (text == "NumericValOutOfRange" || text == "IntervalFieldOverflow")
        {
            text += "(" + std::to_string(in_result.GetOverflowInfo()) + ")";
        }
        m_results.push_back(text);
    }

    /// The results posted so far, joined by ", "; empty when nothing was posted.
    std::string Posted() const
    {
        std::string joined;
        for (const std::string& result : m_results)
        {
            joined += (joined.empty() ? "" : ", ") + result;
        }
        return joined;
    }

private:
    std::vector<std::string> m_results;
};
