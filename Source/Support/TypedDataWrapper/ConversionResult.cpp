#include "Support/TypedDataWrapper/ConversionResult.h"

#include "Support/ErrorException.h"
#include "Support/InvalidArgumentException.h"
#include "Support/NumberConverter.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/IDiagManager.h"

#include <iterator>

namespace Orvik {
namespace Support {

namespace {

// The diagnostic state that Report gives each code; the codes without one are handled apart.
constexpr DiagState REPORTED_STATES[] = {
    DIAG_GENERAL_ERROR,                    // 0 logic error
    DIAG_INVALID_DATETIME_FORMAT,          // 1 invalid datetime format
    DIAG_INVALID_DATETIME_FORMAT,          // 2 invalid datetime value
    DIAG_DATETIME_FIELD_OVERFLOW,          // 3 datetime field overflow
    DIAG_GENERAL_ERROR,                    // 4 invalid data
    DIAG_NUMERIC_OUT_OF_RANGE,             // 5 numeric value out of range
    DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE,   // 6 restricted data type
    DIAG_STRING_RIGHT_TRUNCATED_WARNING,   // 7 string truncated, a warning
    DIAG_STRING_RIGHT_TRUNCATED,           // 8 string truncated, an error
    DIAG_FRACTIONAL_TRUNCATION,            // 9 fraction truncated, a warning
    DIAG_INTERVAL_FIELD_OVERFLOW,          // 10 interval field overflow
    DIAG_INVALID_CHARACTER_VALUE_FOR_CAST, // 11 invalid character value
    DIAG_MEMORY_MANAGEMENT_ERROR,          // 12 out of memory
};

constexpr int32_t UNKNOWN_POSITION = 0;

orvik_wstring PositionText(int64_t in_position)
{
    return in_position == UNKNOWN_POSITION ? orvik_wstring(u"Unknown")
                                           : NumberConverter::ConvertInt64ToWString(in_position);
}

void CheckInfo(int32_t in_info, const char16_t* in_name, const char16_t* in_line)
{
    if (in_info < 0 || in_info > ConversionResult::NO_DIRECTION)
    {
        throw InvalidArgumentException(SupportError(SupportErrorCode::InvalidArgumentParam),
                                       {in_name, u"TypedDataWrapper\\TypedDataWrapperDefns", in_line});
    }
}

ConversionResult TypedDataResult(const char16_t* in_key,
                                  ConversionResultCode in_code,
                                  int32_t in_overflowInfo = ConversionResult::NO_DIRECTION,
                                  int32_t in_truncationInfo = ConversionResult::NO_DIRECTION)
{
    return ConversionResult(in_key, SUPPORT_COMPONENT_ID, in_code, in_overflowInfo, in_truncationInfo);
}

// The static results that only the makers hand out.

const ConversionResult& InvalidDatetimeValue()
{
    static const ConversionResult s_result =
        TypedDataResult(u"InvalidDatetimeValue", CONV_INVALID_DATETIME_VALUE);
    return s_result;
}

const ConversionResult& InvalidLeadingPrecision()
{
    static const ConversionResult s_result =
        TypedDataResult(u"InvalidLeadingPrecision", CONV_INTERVAL_FIELD_OVERFLOW);
    return s_result;
}

const ConversionResult& InvalidMultiFieldIntervalConversion()
{
    static const ConversionResult s_result =
        TypedDataResult(u"InvalidMultiFieldIntervalConversion", CONV_RESTRICTED_DATA_TYPE);
    return s_result;
}

std::unique_ptr<ConversionResult> Copy(const ConversionResult& in_result)
{
    return std::make_unique<ConversionResult>(in_result);
}

} // namespace

ConversionResult::ConversionResult(const orvik_wstring& in_messageKey,
                                   int32_t in_componentId,
                                   ConversionResultCode in_code,
                                   int32_t in_overflowInfo,
                                   int32_t in_truncationInfo,
                                   bool in_isIndicatorResult,
                                   const SqlState* in_customState)
    : m_messageKey(in_messageKey),
      m_isIndicatorResult(in_isIndicatorResult),
      m_componentId(in_componentId),
      m_code(in_code),
      m_overflowInfo(in_overflowInfo),
      m_truncationInfo(in_truncationInfo),
      m_customState(in_customState)
{
}

const ConversionResult& ConversionResult::DatetimeFieldOverflow()
{
    static const ConversionResult s_result =
        TypedDataResult(u"DatetimeFieldOverflow", CONV_DATETIME_FIELD_OVERFLOW);
    return s_result;
}

const ConversionResult& ConversionResult::InvalidCharValForCast()
{
    static const ConversionResult s_result =
        TypedDataResult(u"InvalidCharValForCast", CONV_INVALID_CHARACTER_VALUE);
    return s_result;
}

const ConversionResult& ConversionResult::NullIndPtrNotSupplied()
{
    static const ConversionResult s_result(u"NullIndPtrNotSupplied", ODBC_COMPONENT_ID,
                                           CONV_NULL_WITHOUT_INDICATOR, NO_DIRECTION,
                                           NO_DIRECTION, true);
    return s_result;
}

const ConversionResult& ConversionResult::StrRightTrunc()
{
    static const ConversionResult s_result = TypedDataResult(u"StrRightTrunc", CONV_STRING_TRUNCATED);
    return s_result;
}

const ConversionResult& ConversionResult::StrRightTruncErr()
{
    static const ConversionResult s_result =
        TypedDataResult(u"StrRightTruncErr", CONV_STRING_TRUNCATED_ERROR);
    return s_result;
}

const ConversionResult& ConversionResult::FractionalTrunc(int32_t in_fractionalTruncationInfo)
{
    CheckInfo(in_fractionalTruncationInfo, u"in_fractionalTruncationInfo", u"608");
    static const ConversionResult s_results[] = {
        TypedDataResult(u"FractionalTrunc", CONV_FRACTION_TRUNCATED, NO_DIRECTION, 0),
        TypedDataResult(u"FractionalTrunc", CONV_FRACTION_TRUNCATED, NO_DIRECTION, 1),
        TypedDataResult(u"FractionalTrunc", CONV_FRACTION_TRUNCATED, NO_DIRECTION, 2),
    };
    return s_results[in_fractionalTruncationInfo];
}

const ConversionResult& ConversionResult::IntervalFieldOverflow(int32_t in_overflowInfo)
{
    CheckInfo(in_overflowInfo, u"in_overflowInfo", u"632");
    static const ConversionResult s_results[] = {
        TypedDataResult(u"IntervalFieldOverflow", CONV_INTERVAL_FIELD_OVERFLOW, 0),
        TypedDataResult(u"IntervalFieldOverflow", CONV_INTERVAL_FIELD_OVERFLOW, 1),
        TypedDataResult(u"IntervalFieldOverflow", CONV_INTERVAL_FIELD_OVERFLOW, 2),
    };
    return s_results[in_overflowInfo];
}

const ConversionResult& ConversionResult::NumericValOutOfRange(int32_t in_overflowInfo)
{
    CheckInfo(in_overflowInfo, u"in_overflowInfo", u"560");
    static const ConversionResult s_results[] = {
        TypedDataResult(u"NumericValOutOfRange", CONV_NUMERIC_OUT_OF_RANGE, 0),
        TypedDataResult(u"NumericValOutOfRange", CONV_NUMERIC_OUT_OF_RANGE, 1),
        TypedDataResult(u"NumericValOutOfRange", CONV_NUMERIC_OUT_OF_RANGE, 2),
    };
    return s_results[in_overflowInfo];
}

std::unique_ptr<ConversionResult> ConversionResult::MakeDatetimeFieldOverflow()
{
    return Copy(DatetimeFieldOverflow());
}

std::unique_ptr<ConversionResult> ConversionResult::MakeInvalidCharValForCast()
{
    return Copy(InvalidCharValForCast());
}

std::unique_ptr<ConversionResult> ConversionResult::MakeInvalidDatetimeValue()
{
    return Copy(InvalidDatetimeValue());
}

std::unique_ptr<ConversionResult> ConversionResult::MakeInvalidLeadingPrecision()
{
    return Copy(InvalidLeadingPrecision());
}

std::unique_ptr<ConversionResult> ConversionResult::MakeInvalidMultiFieldIntervalConversion()
{
    return Copy(InvalidMultiFieldIntervalConversion());
}

std::unique_ptr<ConversionResult> ConversionResult::MakeStrRightTrunc()
{
    return Copy(StrRightTrunc());
}

std::unique_ptr<ConversionResult> ConversionResult::MakeStrRightTruncErr()
{
    return Copy(StrRightTruncErr());
}

std::unique_ptr<ConversionResult> ConversionResult::MakeFractionalTrunc(int32_t in_fractionalTruncationInfo)
{
    return Copy(FractionalTrunc(in_fractionalTruncationInfo));
}

std::unique_ptr<ConversionResult> ConversionResult::MakeIntervalFieldOverflow(int32_t in_overflowInfo)
{
    return Copy(IntervalFieldOverflow(in_overflowInfo));
}

std::unique_ptr<ConversionResult> ConversionResult::MakeNumericValOutOfRange(int32_t in_overflowInfo)
{
    return Copy(NumericValOutOfRange(in_overflowInfo));
}

void ConversionResult::Report(IDiagManager& io_diagnostics, int16_t in_column, int64_t in_row) const
{
    switch (m_code)
    {
    case CONV_STRING_TRUNCATED:
    case CONV_FRACTION_TRUNCATED:
        io_diagnostics.PostStateWarning(REPORTED_STATES[m_code], m_componentId, m_messageKey, in_row, in_column);
        return;
    case CONV_NUMERIC_OUT_OF_RANGE:
        throw ErrorException(REPORTED_STATES[m_code], m_componentId, m_messageKey,
                             {PositionText(in_column), PositionText(in_row)}, in_row, in_column);
    case CONV_CUSTOM_STATE:
    {
        const SqlState state = (m_customState != nullptr) ? *m_customState : SqlState();
        if (m_messageKey == orvik_wstring(u"NumericValOutOfRange"))
        {
            throw ErrorException(state, m_componentId, m_messageKey,
                                 {PositionText(in_column), PositionText(in_row)}, in_row, in_column);
        }
        throw ErrorException(state, m_componentId, m_messageKey, in_row, in_column);
    }
    default:
        // The NULL and multi-field interval results, like a code of no known kind, have no
        // diagnostic of their own.
        if (m_code < CONV_LOGIC_ERROR || m_code >= static_cast<int32_t>(std::size(REPORTED_STATES)))
        {
            throw SupportException(SupportError(SupportErrorCode::DataConvAlgorithmError));
        }
        throw ErrorException(REPORTED_STATES[m_code], m_componentId, m_messageKey, in_row, in_column);
    }
}

} // namespace Support
} // namespace Orvik
