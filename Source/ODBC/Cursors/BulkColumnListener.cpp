#include "ODBC/Cursors/BulkColumnListener.h"

#include "ODBC/Diagnostics/IDiagManager.h"
#include "Support/NumberConverter.h"
#include "Support/SupportError.h"
#include "Support/SupportException.h"
#include "Support/TypedDataWrapper/ConversionResult.h"

#include <iterator>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

struct PostedAs
{
    DiagState m_state;
    bool m_isError;
};

// How each result code is posted, by code; CONV_CUSTOM_STATE is handled apart and any code past
// the table has no posting.
constexpr PostedAs POSTED_AS[] = {
    {DIAG_GENERAL_ERROR, true},                    // 0 "ConvLogicError"
    {DIAG_INVALID_DATETIME_FORMAT, true},          // 1 "InvalidDatetimeFormat"
    {DIAG_INVALID_DATETIME_FORMAT, true},          // 2 "InvalidDatetimeValue"
    {DIAG_DATETIME_FIELD_OVERFLOW, true},          // 3 "DatetimeFieldOverflow"
    {DIAG_GENERAL_ERROR, true},                    // 4 "ConvInvalidData"
    {DIAG_NUMERIC_OUT_OF_RANGE, true},             // 5 "NumericValOutOfRange"
    {DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE, true},   // 6 "InvalidMultiFieldIntervalConversion"
    {DIAG_STRING_RIGHT_TRUNCATED_WARNING, false},  // 7 "StrRightTrunc"
    {DIAG_STRING_RIGHT_TRUNCATED, true},           // 8 "StrRightTruncErr"
    {DIAG_FRACTIONAL_TRUNCATION, false},           // 9 "FractionalTrunc"
    {DIAG_INTERVAL_FIELD_OVERFLOW, true},          // 10 "IntervalFieldOverflow", "InvalidLeadingPrecision"
    {DIAG_INVALID_CHARACTER_VALUE_FOR_CAST, true}, // 11 "InvalidCharValForCast"
    {DIAG_MEMORY_MANAGEMENT_ERROR, true},          // 12 "OutOfMemoryError"
    {DIAG_INDICATOR_REQUIRED, true},               // 13 "NullIndPtrNotSupplied"
};

// An out-of-range value names its column and row in the text as well.
template <class State>
void PostErrorAt(IDiagManager& io_diagnostics,
                 const State& in_state,
                 const ConversionResult& in_result,
                 int64_t in_row,
                 uint16_t in_column)
{
    if (in_result.GetMessageKey() == orvik_wstring(u"NumericValOutOfRange"))
    {
        io_diagnostics.PostError(in_state, in_result.GetComponentId(), in_result.GetMessageKey(),
                                 {NumberConverter::ConvertInt32ToWString(in_column),
                                  NumberConverter::ConvertInt64ToWString(in_row)},
                                 in_row, in_column);
        return;
    }
    io_diagnostics.PostError(in_state, in_result.GetComponentId(), in_result.GetMessageKey(), in_row, in_column);
}

} // namespace

BulkColumnListener::BulkColumnListener(uint16_t in_columnNumber, int64_t& io_rowCounter, IDiagManager& in_diagnostics)
    : m_columnNumber(in_columnNumber), m_rowCounter(&io_rowCounter), m_diagnostics(in_diagnostics)
{
}

void BulkColumnListener::PostWarning(const ConversionResult& in_result)
{
    const int64_t row = *m_rowCounter;
    const ConversionResultCode code = in_result.GetCode();
    if (code == CONV_CUSTOM_STATE)
    {
        const SqlState state = in_result.GetCustomState() != nullptr ? *in_result.GetCustomState() : SqlState();
        PostErrorAt(m_diagnostics, state, in_result, row, m_columnNumber);
        m_errorRows.insert(row);
        return;
    }
    if (code < 0 || code >= static_cast<int32_t>(std::size(POSTED_AS)))
    {
        throw SupportException(SupportError(SupportErrorCode::DataConvAlgorithmError));
    }
    const PostedAs& posting = POSTED_AS[code];
    if (!posting.m_isError)
    {
        m_diagnostics.PostWarning(posting.m_state, in_result.GetComponentId(), in_result.GetMessageKey(), row,
                                  m_columnNumber);
        m_warningRows.insert(row);
        return;
    }
    PostErrorAt(m_diagnostics, posting.m_state, in_result, row, m_columnNumber);
    m_errorRows.insert(row);
}

void BulkColumnListener::ClearRows()
{
    m_warningRows.clear();
    m_errorRows.clear();
}

} // namespace ODBC
} // namespace Orvik
