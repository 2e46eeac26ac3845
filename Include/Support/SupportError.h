#pragma once

#include "Support/DiagState.h"
#include "Support/orvik_wstring.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The support errors, one a row in code order: the message key and its diagnostic state.
#define ORVIK_SUPPORT_ERROR_TABLE(ROW)                                            \
    ROW(StrRightTrunc, DIAG_STRING_RIGHT_TRUNCATED_WARNING)                       \
    ROW(FractionalTrunc, DIAG_FRACTIONAL_TRUNCATION)                              \
    ROW(RestrictedDataTypeAttrViolation, DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE)     \
    ROW(InvalidMultiFieldIntervalConversion, DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE) \
    ROW(StrRightTruncErr, DIAG_STRING_RIGHT_TRUNCATED)                            \
    ROW(NumericValOutOfRange, DIAG_NUMERIC_OUT_OF_RANGE)                          \
    ROW(InvalidDatetimeFormat, DIAG_INVALID_DATETIME_FORMAT)                      \
    ROW(InvalidDateFormat, DIAG_INVALID_DATETIME_FORMAT)                          \
    ROW(InvalidTimeFormat, DIAG_INVALID_DATETIME_FORMAT)                          \
    ROW(InvalidTimestampFormat, DIAG_INVALID_DATETIME_FORMAT)                     \
    ROW(InvalidDatetimeValue, DIAG_INVALID_DATETIME_FORMAT)                       \
    ROW(InvalidDateValue, DIAG_INVALID_DATETIME_FORMAT)                           \
    ROW(InvalidTimeValue, DIAG_INVALID_DATETIME_FORMAT)                           \
    ROW(InvalidTimestampValue, DIAG_INVALID_DATETIME_FORMAT)                      \
    ROW(InvalidYearMonthIntervalValue, DIAG_INVALID_DATETIME_FORMAT)              \
    ROW(InvalidDayHourIntervalValue, DIAG_INVALID_DATETIME_FORMAT)                \
    ROW(InvalidDayMinuteIntervalValue, DIAG_INVALID_DATETIME_FORMAT)              \
    ROW(InvalidDaySecondIntervalValue, DIAG_INVALID_DATETIME_FORMAT)              \
    ROW(InvalidHourMinuteIntervalValue, DIAG_INVALID_DATETIME_FORMAT)             \
    ROW(InvalidHourSecondIntervalValue, DIAG_INVALID_DATETIME_FORMAT)             \
    ROW(InvalidMinuteSecondIntervalValue, DIAG_INVALID_DATETIME_FORMAT)           \
    ROW(InvalidSecondIntervalValue, DIAG_INVALID_DATETIME_FORMAT)                 \
    ROW(InvalidSingleFieldIntervalValue, DIAG_INVALID_DATETIME_FORMAT)            \
    ROW(IntervalArithOverflow, DIAG_DATETIME_FIELD_OVERFLOW)                      \
    ROW(DatetimeFieldOverflow, DIAG_DATETIME_FIELD_OVERFLOW)                      \
    ROW(IntervalFieldOverflow, DIAG_INTERVAL_FIELD_OVERFLOW)                      \
    ROW(LeadingPrecisionExceeded, DIAG_INTERVAL_FIELD_OVERFLOW)                   \
    ROW(FractionalPrecisionExceeded, DIAG_INTERVAL_FIELD_OVERFLOW)                \
    ROW(InvalidCharValForCast, DIAG_INVALID_CHARACTER_VALUE_FOR_CAST)             \
    ROW(InvalidGuidValue, DIAG_INVALID_CHARACTER_VALUE_FOR_CAST)                  \
    ROW(ConvInvalidData, DIAG_GENERAL_ERROR)                                      \
    ROW(ConvLogicError, DIAG_GENERAL_ERROR)                                       \
    ROW(InvalidArgument, DIAG_GENERAL_ERROR)                                      \
    ROW(InvalidArgumentParam, DIAG_GENERAL_ERROR)                                 \
    ROW(InvalidOperation, DIAG_GENERAL_ERROR)                                     \
    ROW(DataConvAlgorithmError, DIAG_GENERAL_ERROR)                               \
    ROW(DataConvNotSupported, DIAG_GENERAL_ERROR)                                 \
    ROW(DataConvAlgorithmNotSupported, DIAG_GENERAL_ERROR)                        \
    ROW(ErrSemaphoreMaxValue, DIAG_GENERAL_ERROR)                                 \
    ROW(ErrSemaphoreInit, DIAG_GENERAL_ERROR)                                     \
    ROW(TDWTypeNotFoundForCType, DIAG_GENERAL_ERROR)                              \
    ROW(TDWNumericArithmeticError, DIAG_GENERAL_ERROR)                            \
    ROW(TDWNumericOperationOnInvalid, DIAG_GENERAL_ERROR)                         \
    ROW(TDWNumericStringError, DIAG_GENERAL_ERROR)                                \
    ROW(TDWNumericValueError, DIAG_GENERAL_ERROR)                                 \
    ROW(TDWNumericOutOfRangeError, DIAG_GENERAL_ERROR)                            \
    ROW(TDWTypeNotFoundForSqlType, DIAG_GENERAL_ERROR)                            \
    ROW(UnexpectedBufferEnd, DIAG_GENERAL_ERROR)                                  \
    ROW(DetectedBufferDescriptorLoop, DIAG_GENERAL_ERROR)                         \
    ROW(CannotGenerateHandle, DIAG_GENERAL_ERROR)                                 \
    ROW(WarningListenerNotValid, DIAG_GENERAL_ERROR)                              \
    ROW(PrecLessThanZero, DIAG_GENERAL_ERROR)                                     \
    ROW(MaxPrecisionExceeded, DIAG_GENERAL_ERROR)                                 \
    ROW(ScaleLessThanZero, DIAG_GENERAL_ERROR)                                    \
    ROW(HandleInsertionFailed, DIAG_GENERAL_ERROR)                                \
    ROW(SQLTDWTypeNotSupported, DIAG_GENERAL_ERROR)                               \
    ROW(SQLTypeNotSupported, DIAG_GENERAL_ERROR)                                  \
    ROW(InvalidParamSqlDataType, DIAG_INVALID_SQL_DATA_TYPE)                      \
    ROW(OutOfMemoryError, DIAG_MEMORY_MANAGEMENT_ERROR)                           \
    ROW(OutOfMemToSerialize, DIAG_MEMORY_MANAGEMENT_ERROR)                        \
    ROW(IntegratedSecurityAuthFailed, DIAG_GENERAL_ERROR)                         \
    ROW(FailedToAcquireCredentials, DIAG_GENERAL_ERROR)                           \
    ROW(GSSAPILoadFailed, DIAG_GENERAL_ERROR)                                     \
    ROW(ThreadImpersonationFailed, DIAG_GENERAL_ERROR)                            \
    ROW(FailedToGetUsername, DIAG_GENERAL_ERROR)                                  \
    ROW(SecurityContextInProgress, DIAG_GENERAL_ERROR)                            \
    ROW(NoSecurityAPI, DIAG_GENERAL_ERROR)

/// The code of a support error: its row in the table, named after its message key.
enum class SupportErrorCode : int32_t
{
#define ORVIK_SUPPORT_ERROR_ENUMERATOR(key, state) key,
    ORVIK_SUPPORT_ERROR_TABLE(ORVIK_SUPPORT_ERROR_ENUMERATOR)
#undef ORVIK_SUPPORT_ERROR_ENUMERATOR
};

constexpr int32_t SUPPORT_ERROR_COUNT = static_cast<int32_t>(SupportErrorCode::NoSecurityAPI) + 1;

/// One support error, ready to be raised with parameters by an exception of the support library.
class SupportError
{
public:
    /// The error of table row in_code; throws InvalidArgumentException for a code outside the table.
    explicit SupportError(SupportErrorCode in_code);

    DiagState GetDiagState() const { return m_diagState; }
    int64_t GetRowNumber() const { return m_rowNumber; }
    int32_t GetColumnNumber() const { return m_columnNumber; }
    const orvik_wstring& GetMessageKey() const { return m_messageKey; }

private:
    DiagState m_diagState = DIAG_GENERAL_ERROR;
    int64_t m_rowNumber = -1;
    int32_t m_columnNumber = -1;
    orvik_wstring m_messageKey;
};

} // namespace Support
} // namespace Orvik
