#include "ODBC/Diagnostics/DiagManager.h"

#include "ODBC/Diagnostics/DiagStateTable.h"
#include "ODBC/Exceptions/DataWarningOrError.h"
#include "ODBC/Strings/WStringHelper.h"
#include "Support/CriticalSectionLock.h"
#include "Support/NumberConverter.h"
#include "Support/OrvikSettingReader.h"
#include "Support/TypedDataWrapper/ConversionResult.h"

#include <sqlext.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

// The first and last states of errors; the states below are warnings.
constexpr int32_t FIRST_ERROR_STATE = DIAG_WRONG_NUMBER_OF_PARAMETERS;
constexpr int32_t LAST_STATE = DIAG_STATE_COUNT - 1;

const char16_t* const TRUNCATION_KEY = u"StrRightTruncWarn";

// The application's ODBC versions (SQL_OV_ODBC2, SQL_OV_ODBC3, SQL_OV_ODBC3_80) as stored.
constexpr int32_t ODBC_VERSION_2 = 2;
constexpr int32_t ODBC_VERSION_3 = 3;
constexpr int32_t ODBC_VERSION_3_80 = 380;

bool IsErrorState(int32_t in_state)
{
    return in_state >= FIRST_ERROR_STATE && in_state <= LAST_STATE;
}

bool IsWarningState(int32_t in_state)
{
    return in_state >= 0 && in_state < FIRST_ERROR_STATE;
}

// An error never carries a warning state, nor a warning an error state.
int32_t ErrorStateOf(int32_t in_state)
{
    return IsErrorState(in_state) ? in_state : DIAG_GENERAL_ERROR;
}

int32_t WarningStateOf(int32_t in_state)
{
    return IsWarningState(in_state) ? in_state : DIAG_GENERAL_WARNING;
}

bool HasClass(const SqlState& in_sqlState, const char* in_class)
{
    return std::strncmp(in_sqlState.GetText(), in_class, 2) == 0;
}

// The states that rank above the other errors of their row.
bool IsTransactionState(int32_t in_state)
{
    switch (in_state)
    {
    case DIAG_CONNECTION_FAILURE_IN_TRANSACTION:
    case DIAG_INVALID_TRANSACTION_STATE:
    case DIAG_TRANSACTION_STATE:
    case DIAG_TRANSACTION_STILL_ACTIVE:
    case DIAG_TRANSACTION_ROLLED_BACK:
    case DIAG_SERIALIZATION_FAILURE:
    case DIAG_TRANSACTION_INTEGRITY_VIOLATION:
    case DIAG_STATEMENT_COMPLETION_UNKNOWN:
    case DIAG_INVALID_TRANSACTION_OPCODE:
        return true;
    default:
        return false;
    }
}

int32_t RankOf(const DiagRecord& in_record)
{
    const bool isOdbcSpecific = DiagStateTable::IsOdbcSpecific(in_record.m_state);
    if (HasClass(in_record.m_sqlState, "01") && !isOdbcSpecific)
    {
        return 1;
    }
    if (HasClass(in_record.m_sqlState, "02"))
    {
        return 100;
    }
    return (IsTransactionState(in_record.m_state) ? 250 : 200) + (isOdbcSpecific ? 0 : 1);
}

template <typename Value>
void WriteInteger(Value in_value, SQLPOINTER out_diagInfo)
{
    if (out_diagInfo != nullptr)
    {
        std::memcpy(out_diagInfo, &in_value, sizeof(in_value));
    }
}

// Writes a text field, lengths in bytes; whether it was cut.
bool WriteText(const orvik_wstring& in_text,
               SQLPOINTER out_diagInfo,
               SQLSMALLINT in_bufferLength,
               SQLSMALLINT* out_stringLength)
{
    if (in_bufferLength < 0)
    {
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"NoBinaryDiagFields", -1, -1);
    }
    bool truncated = false;
    WStringHelper::CopyToBufferLen16(in_text, false, out_diagInfo, in_bufferLength, out_stringLength, nullptr,
                                     &truncated);
    return truncated;
}

orvik_wstring Ascii(const char* in_text)
{
    return orvik_wstring(in_text, NUL_TERMINATED, ENC_UTF8);
}

// A text too long for a record: its start, cut before a whole character, and a mark that says
// how long the text was, together LONGEST_MESSAGE_LENGTH units at most.
orvik_wstring CutMessage(const orvik_wstring& in_message)
{
    const orvik_wstring mark = orvik_wstring(u"... (message cut from ") +
                               NumberConverter::ConvertInt32ToWString(in_message.GetLength()) +
                               orvik_wstring(u" characters)");
    int32_t kept = DiagManager::LONGEST_MESSAGE_LENGTH - mark.GetLength();
    if (U16_IS_LEAD(in_message.GetBuffer()[kept - 1]))
    {
        --kept;
    }
    return in_message.Substr(0, kept) + mark;
}

} // namespace

DiagManager::DiagManager(IMessageSource* in_messageSource,
                         const orvik_wstring& in_serverName,
                         const orvik_wstring& in_connectionName)
    : m_serverName(in_serverName),
      m_connectionName(in_connectionName),
      m_messageSource(in_messageSource)
{
    SetLocale(OrvikSettingReader::GetDriverLocale());
}

DiagManager::~DiagManager() = default;

std::string DiagManager::GetLocale()
{
    CriticalSectionLock lock(m_lock);
    return m_locale;
}

void DiagManager::PostError(const ErrorException& in_exception)
{
    CriticalSectionLock lock(m_lock);
    ErrorException exception(in_exception);
    const int32_t state = ErrorStateOf(exception.GetDiagState());
    const orvik_wstring message = exception.GetMessageText(m_messageSource, m_locale);
    const int32_t nativeErrorCode = exception.GetNativeErrorCode(m_messageSource, m_locale);
    const SqlState sqlState = exception.HasCustomState() ? exception.GetCustomState() : GetVersionedSqlState(state);
    AddRecord(state, sqlState, true, nativeErrorCode, message, exception.GetRowNumber(),
              exception.GetColumnNumber());
}

void DiagManager::PostError(const SqlState& in_sqlState,
                            int32_t in_componentId,
                            const orvik_wstring& in_messageKey,
                            int64_t in_rowNumber,
                            int32_t in_columnNumber)
{
    PostError(ErrorException(in_sqlState, in_componentId, in_messageKey, in_rowNumber, in_columnNumber));
}

void DiagManager::PostError(const SqlState& in_sqlState,
                            int32_t in_componentId,
                            const orvik_wstring& in_messageKey,
                            const std::vector<orvik_wstring>& in_parameters,
                            int64_t in_rowNumber,
                            int32_t in_columnNumber)
{
    PostError(ErrorException(in_sqlState, in_componentId, in_messageKey, in_parameters, in_rowNumber,
                             in_columnNumber));
}

void DiagManager::PostError(DiagState in_diagState,
                            int32_t in_componentId,
                            const orvik_wstring& in_messageKey,
                            int64_t in_rowNumber,
                            int32_t in_columnNumber)
{
    PostError(ErrorException(in_diagState, in_componentId, in_messageKey, in_rowNumber, in_columnNumber));
}

void DiagManager::PostError(DiagState in_diagState,
                            int32_t in_componentId,
                            const orvik_wstring& in_messageKey,
                            const std::vector<orvik_wstring>& in_parameters,
                            int64_t in_rowNumber,
                            int32_t in_columnNumber)
{
    PostError(ErrorException(in_diagState, in_componentId, in_messageKey, in_parameters, in_rowNumber,
                             in_columnNumber));
}

void DiagManager::PostErrorMessage(const SqlState& in_sqlState,
                                   int32_t in_nativeErrorCode,
                                   const orvik_wstring& in_message,
                                   int64_t in_rowNumber,
                                   int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    AddRecord(DIAG_GENERAL_ERROR, in_sqlState, true, in_nativeErrorCode, in_message, in_rowNumber, in_columnNumber);
}

void DiagManager::PostErrorMessage(DiagState in_diagState,
                                   int32_t in_nativeErrorCode,
                                   const orvik_wstring& in_message,
                                   int64_t in_rowNumber,
                                   int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    const int32_t state = ErrorStateOf(in_diagState);
    AddRecord(state, GetVersionedSqlState(state), true, in_nativeErrorCode, in_message, in_rowNumber,
              in_columnNumber);
}

void DiagManager::PostWarningMessage(const SqlState& in_sqlState,
                                     int32_t in_nativeErrorCode,
                                     const orvik_wstring& in_message,
                                     int64_t in_rowNumber,
                                     int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    AddRecord(DIAG_GENERAL_WARNING, in_sqlState, false, in_nativeErrorCode, in_message, in_rowNumber,
              in_columnNumber);
}

// The SQLSTATE comes from the given state, also an error state; the record keeps a warning state.
void DiagManager::PostWarningMessage(DiagState in_diagState,
                                     int32_t in_nativeErrorCode,
                                     const orvik_wstring& in_message,
                                     int64_t in_rowNumber,
                                     int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    AddRecord(WarningStateOf(in_diagState), GetVersionedSqlState(in_diagState), false, in_nativeErrorCode,
              in_message, in_rowNumber, in_columnNumber);
}

void DiagManager::PostWarning(const ErrorException& in_exception, const SqlState& in_sqlState)
{
    CriticalSectionLock lock(m_lock);
    ErrorException exception(in_exception);
    const orvik_wstring message = exception.GetMessageText(m_messageSource, m_locale);
    PostWarningMessage(in_sqlState, exception.GetNativeErrorCode(m_messageSource, m_locale), message, -1, -1);
}

void DiagManager::PostWarning(const ErrorException& in_exception, DiagState in_diagState)
{
    CriticalSectionLock lock(m_lock);
    ErrorException exception(in_exception);
    const orvik_wstring message = exception.GetMessageText(m_messageSource, m_locale);
    PostWarningMessage(in_diagState, exception.GetNativeErrorCode(m_messageSource, m_locale), message, -1, -1);
}

void DiagManager::PostWarning(const SqlState& in_sqlState,
                              int32_t in_componentId,
                              const orvik_wstring& in_messageKey,
                              const std::vector<orvik_wstring>& in_parameters,
                              int64_t in_rowNumber,
                              int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    AddLookedUpRecord(DIAG_GENERAL_WARNING, in_sqlState, false, in_componentId, in_messageKey, &in_parameters,
                      in_rowNumber, in_columnNumber);
}

void DiagManager::PostWarning(DiagState in_diagState,
                              int32_t in_componentId,
                              const orvik_wstring& in_messageKey,
                              const std::vector<orvik_wstring>& in_parameters,
                              int64_t in_rowNumber,
                              int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    if (in_componentId == ODBC_COMPONENT_ID && in_messageKey == orvik_wstring(TRUNCATION_KEY))
    {
        // The text looked up once for the locale, shared rather than copied.
        DiagRecord& record = AddRecord();
        record.m_sharedMessage = m_truncationMessage;
        record.m_ownMessage.Clear();
        record.m_nativeErrorCode = m_truncationNativeErrorCode;
        record.m_state = WarningStateOf(in_diagState);
        record.m_sqlState = DiagStateTable::IsDiagState(in_diagState) ? DiagStateTable::GetSqlState(in_diagState)
                                                                      : DiagStateTable::ODBC2_GENERAL_WARNING;
        record.m_rowNumber = in_rowNumber;
        record.m_columnNumber = in_columnNumber;
        m_hasWarning = true;
        return;
    }
    AddLookedUpRecord(WarningStateOf(in_diagState), GetVersionedSqlState(in_diagState), false, in_componentId,
                      in_messageKey, &in_parameters, in_rowNumber, in_columnNumber);
}

void DiagManager::PostWarning(const SqlState& in_sqlState,
                              int32_t in_componentId,
                              const orvik_wstring& in_messageKey,
                              int64_t in_rowNumber,
                              int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    AddLookedUpRecord(DIAG_GENERAL_WARNING, in_sqlState, false, in_componentId, in_messageKey, nullptr, in_rowNumber,
                      in_columnNumber);
}

void DiagManager::PostWarning(DiagState in_diagState,
                              int32_t in_componentId,
                              const orvik_wstring& in_messageKey,
                              int64_t in_rowNumber,
                              int32_t in_columnNumber)
{
    CriticalSectionLock lock(m_lock);
    AddLookedUpRecord(WarningStateOf(in_diagState), GetVersionedSqlState(in_diagState), false, in_componentId,
                      in_messageKey, nullptr, in_rowNumber, in_columnNumber);
}

void DiagManager::PostWarning(const ConversionResult& in_result)
{
    in_result.Report(*this, -1, -1);
}

void DiagManager::SetLocale(const std::string& in_locale)
{
    CriticalSectionLock lock(m_lock);
    m_locale = in_locale;
    orvik_wstring message;
    LookUp(ODBC_COMPONENT_ID, TRUNCATION_KEY, nullptr, message, m_truncationNativeErrorCode);
    // Records posted earlier keep the text they share.
    m_truncationMessage = std::make_shared<const orvik_wstring>(std::move(message));
}

void DiagManager::DropRecords()
{
    CriticalSectionLock lock(m_lock);
    if (!m_hasError && !m_hasWarning)
    {
        return;
    }
    for (std::unique_ptr<DiagRecord>& record : m_records)
    {
        // A shared text is let go at once, so that an old locale's text does not linger.
        record->m_sharedMessage.reset();
        m_spareRecords.push_back(std::move(record));
    }
    m_records.clear();
    m_header.m_rowCount = 0;
    m_header.m_cursorRowCount = 0;
    m_header.m_dynamicFunctionCode = 0;
    m_hasError = false;
    m_hasWarning = false;
}

SQLRETURN DiagManager::SQLGetDiagField(SQLSMALLINT in_recNumber,
                                       SQLSMALLINT in_diagIdentifier,
                                       SQLPOINTER out_diagInfo,
                                       SQLSMALLINT in_bufferLength,
                                       SQLSMALLINT* out_stringLength)
{
    CriticalSectionLock lock(m_lock);
    try
    {
        bool truncated = false;
        if (!ReadHeaderField(in_diagIdentifier, out_diagInfo, in_bufferLength, out_stringLength, truncated))
        {
            SQLRETURN result = SQL_SUCCESS;
            const DiagRecord* record = FindRecord(in_recNumber, result);
            if (record == nullptr)
            {
                return result;
            }
            truncated = ReadRecordField(*record, in_diagIdentifier, out_diagInfo, in_bufferLength, out_stringLength);
        }
        return truncated ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    }
    catch (const ErrorException&)
    {
        return SQL_ERROR;
    }
}

SQLRETURN DiagManager::SQLGetDiagRec(SQLSMALLINT in_recNumber,
                                     SQLWCHAR* out_sqlState,
                                     SQLINTEGER* out_nativeError,
                                     SQLWCHAR* out_messageText,
                                     SQLSMALLINT in_bufferLength,
                                     SQLSMALLINT* out_textLength)
{
    CriticalSectionLock lock(m_lock);
    SQLRETURN result = SQL_SUCCESS;
    const DiagRecord* record = FindRecord(in_recNumber, result);
    if (record == nullptr)
    {
        return result;
    }
    try
    {
        if (out_nativeError != nullptr)
        {
            *out_nativeError = record->m_nativeErrorCode;
        }
        if (out_sqlState != nullptr)
        {
            WStringHelper::CopyToBuffer(Ascii(record->m_sqlState.GetText()), true, out_sqlState, 6, nullptr, nullptr);
        }
        bool truncated = false;
        if (out_messageText != nullptr || out_textLength != nullptr)
        {
            WStringHelper::CopyToBufferLen16(record->GetMessage(), true, out_messageText, in_bufferLength,
                                             out_textLength, nullptr, &truncated);
        }
        return truncated ? SQL_SUCCESS_WITH_INFO : SQL_SUCCESS;
    }
    catch (const ErrorException&)
    {
        return SQL_ERROR;
    }
}

void DiagManager::SetOdbcVersion(int32_t in_version)
{
    if (in_version != ODBC_VERSION_2 && in_version != ODBC_VERSION_3 && in_version != ODBC_VERSION_3_80)
    {
        throw ErrorException(DIAG_INVALID_ATTRIBUTE_VALUE, ODBC_COMPONENT_ID, u"InvalidAttrVal", -1, -1);
    }
    CriticalSectionLock lock(m_lock);
    m_odbcVersion = in_version;
}

bool DiagManager::MatchesOdbcVersion(int32_t in_requested)
{
    CriticalSectionLock lock(m_lock);
    switch (in_requested)
    {
    case ODBC_VERSION_2:
        return true;
    case ODBC_VERSION_3:
        return m_odbcVersion != ODBC_VERSION_2;
    case ODBC_VERSION_3_80:
        return m_odbcVersion == ODBC_VERSION_3_80;
    default:
        return false;
    }
}

bool DiagManager::HasRecordWithState(const SqlState& in_sqlState)
{
    CriticalSectionLock lock(m_lock);
    const SqlState wanted = m_odbcVersion == ODBC_VERSION_2 ? DiagStateTable::ToOdbc2State(in_sqlState) : in_sqlState;
    return std::any_of(m_records.begin(), m_records.end(),
                       [&wanted](const std::unique_ptr<DiagRecord>& in_record) { return in_record->m_sqlState == wanted; });
}

int64_t DiagManager::GetRecordCount()
{
    CriticalSectionLock lock(m_lock);
    return static_cast<int64_t>(m_records.size());
}

bool DiagManager::HasError()
{
    return m_hasError;
}

void DiagManager::PostDataWarningOrError(const DataWarningOrError& in_outcome)
{
    if (in_outcome.IsError())
    {
        PostError(in_outcome);
        return;
    }
    if (in_outcome.IsMessageCreated() || in_outcome.HasParameters())
    {
        CriticalSectionLock lock(m_lock);
        ErrorException outcome(in_outcome);
        const orvik_wstring message = outcome.GetMessageText(m_messageSource, m_locale);
        PostWarningMessage(outcome.GetDiagState(), outcome.GetNativeErrorCode(m_messageSource, m_locale), message,
                           outcome.GetRowNumber(), outcome.GetColumnNumber());
        return;
    }
    PostWarning(in_outcome.GetDiagState(), in_outcome.GetComponentId(), in_outcome.GetMessageKey(),
                in_outcome.GetRowNumber(), in_outcome.GetColumnNumber());
}

DiagRecord& DiagManager::AddRecord()
{
    if (m_spareRecords.empty())
    {
        m_records.push_back(std::make_unique<DiagRecord>());
    }
    else
    {
        m_records.push_back(std::move(m_spareRecords.back()));
        m_spareRecords.pop_back();
    }
    m_isSorted = false;
    return *m_records.back();
}

void DiagManager::AddLookedUpRecord(int32_t in_state,
                                    const SqlState& in_sqlState,
                                    bool in_isError,
                                    int32_t in_componentId,
                                    const orvik_wstring& in_messageKey,
                                    const std::vector<orvik_wstring>* in_parameters,
                                    int64_t in_rowNumber,
                                    int32_t in_columnNumber)
{
    orvik_wstring message;
    int32_t nativeErrorCode = -1;
    LookUp(in_componentId, in_messageKey, in_parameters, message, nativeErrorCode);
    AddRecord(in_state, in_sqlState, in_isError, nativeErrorCode, message, in_rowNumber, in_columnNumber);
}

void DiagManager::AddRecord(int32_t in_state,
                            const SqlState& in_sqlState,
                            bool in_isError,
                            int32_t in_nativeErrorCode,
                            const orvik_wstring& in_message,
                            int64_t in_rowNumber,
                            int32_t in_columnNumber)
{
    DiagRecord& record = AddRecord();
    // Cut here, so that every reader and every form of the call sees the same text.
    if (in_message.GetLength() <= LONGEST_MESSAGE_LENGTH)
    {
        record.m_ownMessage = in_message;
    }
    else
    {
        record.m_ownMessage = CutMessage(in_message);
    }
    record.m_sharedMessage.reset();
    record.m_nativeErrorCode = in_nativeErrorCode;
    record.m_state = in_state;
    record.m_sqlState = in_sqlState;
    record.m_rowNumber = in_rowNumber;
    record.m_columnNumber = in_columnNumber;
    (in_isError ? m_hasError : m_hasWarning) = true;
}

// A value that is no state gives the general warning, never a read outside the table.
SqlState DiagManager::GetVersionedSqlState(int32_t in_state)
{
    if (!DiagStateTable::IsDiagState(in_state))
    {
        return DiagStateTable::GetSqlState(DIAG_GENERAL_WARNING);
    }
    const SqlState sqlState = DiagStateTable::GetSqlState(static_cast<DiagState>(in_state));
    return m_odbcVersion == ODBC_VERSION_2 ? DiagStateTable::ToOdbc2State(sqlState) : sqlState;
}

void DiagManager::LookUp(int32_t in_componentId,
                         const orvik_wstring& in_messageKey,
                         const std::vector<orvik_wstring>* in_parameters,
                         orvik_wstring& out_message,
                         int32_t& out_nativeErrorCode)
{
    // The exception's own lookup, so that texts and codes come out as for posted exceptions.
    ErrorException lookup = in_parameters != nullptr
                                ? ErrorException(DIAG_GENERAL_ERROR, in_componentId, in_messageKey, *in_parameters, -1, -1)
                                : ErrorException(DIAG_GENERAL_ERROR, in_componentId, in_messageKey, -1, -1);
    out_message = lookup.GetMessageText(m_messageSource, m_locale);
    out_nativeErrorCode = lookup.GetNativeErrorCode(m_messageSource, m_locale);
}

void DiagManager::SortRecords()
{
    if (m_isSorted || m_records.size() < 2)
    {
        return;
    }
    for (std::unique_ptr<DiagRecord>& record : m_records)
    {
        record->m_rank = RankOf(*record);
    }
    std::stable_sort(m_records.begin(), m_records.end(),
                     [](const std::unique_ptr<DiagRecord>& in_left, const std::unique_ptr<DiagRecord>& in_right) {
                         if (in_left->m_rowNumber != in_right->m_rowNumber)
                         {
                             return in_left->m_rowNumber < in_right->m_rowNumber;
                         }
                         return in_left->m_rank > in_right->m_rank;
                     });
    m_isSorted = true;
}

// Record numbers are compared at full width: every record up to the largest number ODBC can
// ask for stays readable, however many were posted.
const DiagRecord* DiagManager::FindRecord(SQLSMALLINT in_recNumber, SQLRETURN& out_result)
{
    if (in_recNumber <= 0)
    {
        out_result = SQL_ERROR;
        return nullptr;
    }
    if (static_cast<size_t>(in_recNumber) > m_records.size())
    {
        out_result = SQL_NO_DATA;
        return nullptr;
    }
    SortRecords();
    return m_records[static_cast<size_t>(in_recNumber) - 1].get();
}

bool DiagManager::ReadHeaderField(SQLSMALLINT in_diagIdentifier,
                                  SQLPOINTER out_diagInfo,
                                  SQLSMALLINT in_bufferLength,
                                  SQLSMALLINT* out_stringLength,
                                  bool& out_truncated)
{
    switch (in_diagIdentifier)
    {
    case SQL_DIAG_NUMBER:
        WriteInteger(static_cast<SQLINTEGER>(std::min<size_t>(m_records.size(), std::numeric_limits<SQLINTEGER>::max())),
                     out_diagInfo);
        return true;
    case SQL_DIAG_ROW_COUNT:
        WriteInteger(static_cast<SQLLEN>(m_header.m_rowCount), out_diagInfo);
        return true;
    case SQL_DIAG_DYNAMIC_FUNCTION:
        out_truncated = WriteText(Ascii(m_header.m_dynamicFunction.c_str()), out_diagInfo, in_bufferLength,
                                  out_stringLength);
        return true;
    case SQL_DIAG_DYNAMIC_FUNCTION_CODE:
        WriteInteger(static_cast<SQLINTEGER>(m_header.m_dynamicFunctionCode), out_diagInfo);
        return true;
    case SQL_DIAG_CURSOR_ROW_COUNT:
        WriteInteger(static_cast<SQLLEN>(m_header.m_cursorRowCount), out_diagInfo);
        return true;
    default:
        return false;
    }
}

bool DiagManager::ReadRecordField(const DiagRecord& in_record,
                                  SQLSMALLINT in_diagIdentifier,
                                  SQLPOINTER out_diagInfo,
                                  SQLSMALLINT in_bufferLength,
                                  SQLSMALLINT* out_stringLength)
{
    switch (in_diagIdentifier)
    {
    case SQL_DIAG_SQLSTATE:
        return WriteText(Ascii(in_record.m_sqlState.GetText()), out_diagInfo, in_bufferLength, out_stringLength);
    case SQL_DIAG_NATIVE:
        WriteInteger(static_cast<SQLINTEGER>(in_record.m_nativeErrorCode), out_diagInfo);
        return false;
    case SQL_DIAG_MESSAGE_TEXT:
        return WriteText(in_record.GetMessage(), out_diagInfo, in_bufferLength, out_stringLength);
    case SQL_DIAG_CLASS_ORIGIN:
        return WriteText(Ascii(DiagStateTable::GetClassOrigin(in_record.m_sqlState)), out_diagInfo, in_bufferLength,
                         out_stringLength);
    case SQL_DIAG_SUBCLASS_ORIGIN:
        return WriteText(Ascii(DiagStateTable::GetSubclassOrigin(in_record.m_state)), out_diagInfo, in_bufferLength,
                         out_stringLength);
    case SQL_DIAG_CONNECTION_NAME:
        return WriteText(m_connectionName, out_diagInfo, in_bufferLength, out_stringLength);
    case SQL_DIAG_SERVER_NAME:
        return WriteText(m_serverName, out_diagInfo, in_bufferLength, out_stringLength);
    case SQL_DIAG_ROW_NUMBER:
        WriteInteger(static_cast<SQLLEN>(in_record.m_rowNumber), out_diagInfo);
        return false;
    case SQL_DIAG_COLUMN_NUMBER:
        WriteInteger(static_cast<SQLINTEGER>(in_record.m_columnNumber), out_diagInfo);
        return false;
    default:
        throw ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"InvalidDiagIdent",
                             {NumberConverter::ConvertInt32ToWString(in_diagIdentifier)}, -1, -1);
    }
}

} // namespace ODBC
} // namespace Orvik
