#pragma once

#include "Support/ErrorException.h"
#include "Support/IMessageSource.h"
#include "Support/TypedDataWrapper/TypeKinds.h"

#include "Unit/Support/StringTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Orvik {
namespace Support {

/// What an exception carries, with its parameters read back through a message source.
struct RaisedError
{
    std::string key;
    DiagState diagState = DIAG_GENERAL_ERROR;
    int32_t componentId = 0;
    int64_t rowNumber = 0;
    int32_t columnNumber = 0;
    bool hasParameters = false;
    std::vector<std::string> parameters;
};

/// Hands every lookup's parameters back to the test.
class ParameterRecorder : public IMessageSource
{
public:
    void LoadMessage(const std::string&,
                     const orvik_wstring&,
                     int32_t,
                     const std::vector<orvik_wstring>& in_parameters,
                     orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override
    {
        for (const orvik_wstring& parameter : in_parameters)
        {
            m_parameters.push_back(Show(parameter));
        }
        out_message = u"";
        out_nativeErrorCode = 0;
    }

    void LoadMessage(const std::string&,
                     const orvik_wstring&,
                     int32_t,
                     orvik_wstring& out_message,
                     uint32_t& out_nativeErrorCode) override
    {
        out_message = u"";
        out_nativeErrorCode = 0;
    }

    std::vector<std::string> m_parameters;
};

inline RaisedError Describe(const ErrorException& in_exception)
{
    RaisedError error;
    error.key = Show(in_exception.GetMessageKey());
    error.diagState = in_exception.GetDiagState();
    error.componentId = in_exception.GetComponentId();
    error.rowNumber = in_exception.GetRowNumber();
    error.columnNumber = in_exception.GetColumnNumber();
    error.hasParameters = in_exception.HasParameters();
    ErrorException copy(in_exception);
    ParameterRecorder recorder;
    copy.CreateMessage(&recorder, "en-US");
    error.parameters = recorder.m_parameters;
    return error;
}

/// Runs in_action, which must throw an Exception, and describes what it threw.
template <class Exception, class Action>
RaisedError Capture(Action in_action)
{
    try
    {
        in_action();
    }
    catch (const Exception& exception)
    {
        return Describe(exception);
    }
    catch (...)
    {
        ADD_FAILURE() << "threw another exception";
        return {};
    }
    ADD_FAILURE() << "threw nothing";
    return {};
}

using Parameters = std::vector<std::string>;

// Short names of the kind flags, for tables of metadata defaults.
constexpr uint16_t K_CHAR = TypeKinds::CHARACTER;
constexpr uint16_t K_WCHAR = TypeKinds::WIDE_CHARACTER;
constexpr uint16_t K_BIN = TypeKinds::BINARY;
constexpr uint16_t K_LONG = TypeKinds::LONG_DATA;
constexpr uint16_t K_EXACT = TypeKinds::EXACT_NUMERIC;
constexpr uint16_t K_INT = TypeKinds::INTEGER;
constexpr uint16_t K_APPROX = TypeKinds::APPROXIMATE_NUMERIC;
constexpr uint16_t K_DT = TypeKinds::DATETIME;
constexpr uint16_t K_TIME = TypeKinds::TIME;
constexpr uint16_t K_IVL = TypeKinds::INTERVAL;

/// The kind flags that SQL or C type metadata reports, as one set of bits.
inline uint16_t KindsOf(const TypeKinds& in_metadata)
{
    return (in_metadata.IsCharacter() ? K_CHAR : 0) | (in_metadata.IsWideCharacter() ? K_WCHAR : 0)
        | (in_metadata.IsBinary() ? K_BIN : 0) | (in_metadata.IsLongData() ? K_LONG : 0)
        | (in_metadata.IsExactNumeric() ? K_EXACT : 0) | (in_metadata.IsInteger() ? K_INT : 0)
        | (in_metadata.IsApproximateNumeric() ? K_APPROX : 0) | (in_metadata.IsDatetime() ? K_DT : 0)
        | (in_metadata.IsTime() ? K_TIME : 0) | (in_metadata.IsInterval() ? K_IVL : 0);
}

} // namespace Support
} // namespace Orvik
