#pragma once

#include "Support/SqlState.h"
#include "Support/orvik_wstring.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

class IDiagManager;

/// What went wrong in a conversion; decides how ConversionResult::Report treats a result.
enum ConversionResultCode : int32_t
{
    CONV_LOGIC_ERROR = 0,
    CONV_INVALID_DATETIME_FORMAT = 1,
    CONV_INVALID_DATETIME_VALUE = 2,
    CONV_DATETIME_FIELD_OVERFLOW = 3,
    CONV_INVALID_DATA = 4,
    CONV_NUMERIC_OUT_OF_RANGE = 5,
    CONV_RESTRICTED_DATA_TYPE = 6,
    /// A warning: the text was cut.
    CONV_STRING_TRUNCATED = 7,
    CONV_STRING_TRUNCATED_ERROR = 8,
    /// A warning: a fraction was cut.
    CONV_FRACTION_TRUNCATED = 9,
    CONV_INTERVAL_FIELD_OVERFLOW = 10,
    CONV_INVALID_CHARACTER_VALUE = 11,
    CONV_OUT_OF_MEMORY = 12,
    /// A NULL value fetched without an indicator buffer.
    CONV_NULL_WITHOUT_INDICATOR = 13,
    /// A multi-field interval conversion the data-store layer refused.
    CONV_MULTI_FIELD_INTERVAL = 14,
    /// An error with the result's own SQLSTATE.
    CONV_CUSTOM_STATE = 15
};

/// The outcome of one conversion that met a problem in the data. Kernels post one of the static
/// results to a WarningListener and never throw for data; the ODBC layer turns a result into a
/// warning record or an exception through Report.
class ConversionResult
{
public:
    /// The directions the info arguments take: the value lay above the target's range (or was
    /// negative, for a fraction), below it (or zero or more), or no direction is known.
    static constexpr int32_t NO_DIRECTION = 2;

    /// A result of in_code with the text of in_messageKey in the messages of in_componentId.
    /// in_customState, used by CONV_CUSTOM_STATE only, must outlive the result.
    ConversionResult(const orvik_wstring& in_messageKey,
                     int32_t in_componentId,
                     ConversionResultCode in_code,
                     int32_t in_overflowInfo = NO_DIRECTION,
                     int32_t in_truncationInfo = NO_DIRECTION,
                     bool in_isIndicatorResult = false,
                     const SqlState* in_customState = nullptr);

    ConversionResult(const ConversionResult&) = default;
    ConversionResult& operator=(const ConversionResult&) = default;

    const orvik_wstring& GetMessageKey() const { return m_messageKey; }
    int32_t GetComponentId() const { return m_componentId; }
    ConversionResultCode GetCode() const { return m_code; }
    int32_t GetOverflowInfo() const { return m_overflowInfo; }
    int32_t GetTruncationInfo() const { return m_truncationInfo; }
    bool IsIndicatorResult() const { return m_isIndicatorResult; }
    const SqlState* GetCustomState() const { return m_customState; }

    // The static results that kernels post. The info getters throw InvalidArgumentException for
    // an info other than 0, 1 or 2.

    static const ConversionResult& DatetimeFieldOverflow();
    static const ConversionResult& InvalidCharValForCast();
    static const ConversionResult& NullIndPtrNotSupplied();
    static const ConversionResult& StrRightTrunc();
    static const ConversionResult& StrRightTruncErr();
    static const ConversionResult& FractionalTrunc(int32_t in_fractionalTruncationInfo);
    static const ConversionResult& IntervalFieldOverflow(int32_t in_overflowInfo);
    static const ConversionResult& NumericValOutOfRange(int32_t in_overflowInfo);

    // Owned copies of the static results, which the to-SQL converters return.

    static std::unique_ptr<ConversionResult> MakeDatetimeFieldOverflow();
    static std::unique_ptr<ConversionResult> MakeInvalidCharValForCast();
    static std::unique_ptr<ConversionResult> MakeInvalidDatetimeValue();
    static std::unique_ptr<ConversionResult> MakeInvalidLeadingPrecision();
    static std::unique_ptr<ConversionResult> MakeInvalidMultiFieldIntervalConversion();
    static std::unique_ptr<ConversionResult> MakeStrRightTrunc();
    static std::unique_ptr<ConversionResult> MakeStrRightTruncErr();
    static std::unique_ptr<ConversionResult> MakeFractionalTrunc(int32_t in_fractionalTruncationInfo);
    static std::unique_ptr<ConversionResult> MakeIntervalFieldOverflow(int32_t in_overflowInfo);
    static std::unique_ptr<ConversionResult> MakeNumericValOutOfRange(int32_t in_overflowInfo);

    /// Turns the result into a diagnostic of the handle whose diagnostics io_diagnostics are:
    /// the two truncation warnings are posted there and Report returns; every other result
    /// throws, an ErrorException with the result's state, component and key at in_row and
    /// in_column (0 for either is unknown), or a SupportException ("DataConvAlgorithmError")
    /// for the results that cannot be reported.
    void Report(IDiagManager& io_diagnostics, int16_t in_column, int64_t in_row) const;

    /// The same, in the argument order of the fetch and parameter code.
    static void Report(IDiagManager& io_diagnostics,
                       const ConversionResult& in_result,
                       int16_t in_column,
                       int64_t in_row)
    {
        in_result.Report(io_diagnostics, in_column, in_row);
    }

private:
    orvik_wstring m_messageKey;
    bool m_isIndicatorResult;
    int32_t m_componentId;
    ConversionResultCode m_code;
    int32_t m_overflowInfo;
    int32_t m_truncationInfo;
    const SqlState* m_customState;
};

} // namespace Support
} // namespace Orvik
