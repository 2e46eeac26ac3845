#pragma once

#include "ODBC/Diagnostics/DiagHeader.h"
#include "ODBC/Diagnostics/DiagRecord.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "Support/CriticalSection.h"

#include <sql.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

namespace Orvik {

namespace Support {
class IMessageSource;
} // namespace Support

namespace ODBC {

class DataWarningOrError;

/// The diagnostics of one ODBC handle: the records its current call posted, read back with
/// SQLGetDiagRec and SQLGetDiagField, and whether an error or a warning was posted. Reading
/// never clears or changes the records; the next call's Clear does. When first read, the
/// records are put in order: by row number, then errors before warnings (by rank), then as
/// posted. Safe from any thread: every operation runs under the manager's lock.
class DiagManager : public IDiagManager
{
public:
    /// The longest text a record keeps, in UTF-16 code units, its cut mark included: a longer
    /// text is cut when it is posted. Every reader's 16-bit length then holds the text's exact
    /// length, and a buffer one longer takes it whole: SQLGetDiagRecW counts these units,
    /// SQLGetDiagFieldW 2 bytes a unit, an ANSI reader up to 4 bytes a unit (UTF-8 takes 3, some
    /// multi-byte encodings 4), and the Driver Manager doubles the buffer of an ANSI reader when it
    /// passes the call on in wide form.
    static constexpr int32_t LONGEST_MESSAGE_LENGTH = 8000;

    /// Texts come from in_messageSource (not owned; null gives texts that say so) in the
    /// "DriverLocale" setting's locale; in_serverName and in_connectionName answer
    /// SQL_DIAG_SERVER_NAME and SQL_DIAG_CONNECTION_NAME.
    DiagManager(Support::IMessageSource* in_messageSource,
                const Support::orvik_wstring& in_serverName,
                const Support::orvik_wstring& in_connectionName);
    ~DiagManager() override;

    DiagManager(const DiagManager&) = delete;
    DiagManager& operator=(const DiagManager&) = delete;

    std::string GetLocale() override;
    void PostError(const Support::ErrorException& in_exception) override;
    void PostError(const Support::SqlState& in_sqlState,
                   int32_t in_componentId,
                   const Support::orvik_wstring& in_messageKey,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber) override;
    void PostError(const Support::SqlState& in_sqlState,
                   int32_t in_componentId,
                   const Support::orvik_wstring& in_messageKey,
                   const std::vector<Support::orvik_wstring>& in_parameters,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber) override;
    void PostError(Support::DiagState in_diagState,
                   int32_t in_componentId,
                   const Support::orvik_wstring& in_messageKey,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber) override;
    void PostError(Support::DiagState in_diagState,
                   int32_t in_componentId,
                   const Support::orvik_wstring& in_messageKey,
                   const std::vector<Support::orvik_wstring>& in_parameters,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber) override;
    void PostErrorMessage(const Support::SqlState& in_sqlState,
                          int32_t in_nativeErrorCode,
                          const Support::orvik_wstring& in_message,
                          int64_t in_rowNumber,
                          int32_t in_columnNumber) override;
    void PostErrorMessage(Support::DiagState in_diagState,
                          int32_t in_nativeErrorCode,
                          const Support::orvik_wstring& in_message,
                          int64_t in_rowNumber,
                          int32_t in_columnNumber) override;
    void PostWarningMessage(const Support::SqlState& in_sqlState,
                            int32_t in_nativeErrorCode,
                            const Support::orvik_wstring& in_message,
                            int64_t in_rowNumber,
                            int32_t in_columnNumber) override;
    void PostWarningMessage(Support::DiagState in_diagState,
                            int32_t in_nativeErrorCode,
                            const Support::orvik_wstring& in_message,
                            int64_t in_rowNumber,
                            int32_t in_columnNumber) override;
    void PostWarning(const Support::ErrorException& in_exception, const Support::SqlState& in_sqlState) override;
    void PostWarning(const Support::ErrorException& in_exception, Support::DiagState in_diagState) override;
    void PostWarning(const Support::SqlState& in_sqlState,
                     int32_t in_componentId,
                     const Support::orvik_wstring& in_messageKey,
                     const std::vector<Support::orvik_wstring>& in_parameters,
                     int64_t in_rowNumber,
                     int32_t in_columnNumber) override;
    void PostWarning(Support::DiagState in_diagState,
                     int32_t in_componentId,
                     const Support::orvik_wstring& in_messageKey,
                     const std::vector<Support::orvik_wstring>& in_parameters,
                     int64_t in_rowNumber,
                     int32_t in_columnNumber) override;
    void PostWarning(const Support::SqlState& in_sqlState,
                     int32_t in_componentId,
                     const Support::orvik_wstring& in_messageKey,
                     int64_t in_rowNumber,
                     int32_t in_columnNumber) override;
    void PostWarning(Support::DiagState in_diagState,
                     int32_t in_componentId,
                     const Support::orvik_wstring& in_messageKey,
                     int64_t in_rowNumber,
                     int32_t in_columnNumber) override;

    /// Posts in_result at no particular row or column: a truncation as a warning record; any
    /// other result is raised as the ErrorException it stands for.
    void PostWarning(const Support::ConversionResult& in_result) override;

    /// Also looks the truncation warning's text up again for in_locale.
    void SetLocale(const std::string& in_locale) override;

    /// Drops every record (they are kept for reuse) and both flags. Every call begins here, most
    /// often with nothing to drop: that case is decided inline, without the lock.
    void Clear()
    {
        if (m_hasError || m_hasWarning)
        {
            DropRecords();
        }
    }

    /// SQLGetDiagField(W): a header field whatever in_recNumber is, otherwise a field of record
    /// in_recNumber (from 1); texts in the driver manager's encoding with lengths in bytes.
    /// SQL_ERROR for a record number below 1 or a field that cannot be read, SQL_NO_DATA past
    /// the last record, SQL_SUCCESS_WITH_INFO for a cut text. Never posts.
    SQLRETURN SQLGetDiagField(SQLSMALLINT in_recNumber,
                              SQLSMALLINT in_diagIdentifier,
                              SQLPOINTER out_diagInfo,
                              SQLSMALLINT in_bufferLength,
                              SQLSMALLINT* out_stringLength);

    /// SQLGetDiagRecW: the SQLSTATE, native code and text of record in_recNumber; lengths in
    /// characters. Return codes as SQLGetDiagField's. Never posts.
    SQLRETURN SQLGetDiagRec(SQLSMALLINT in_recNumber,
                            SQLWCHAR* out_sqlState,
                            SQLINTEGER* out_nativeError,
                            SQLWCHAR* out_messageText,
                            SQLSMALLINT in_bufferLength,
                            SQLSMALLINT* out_textLength);

    /// Takes the application's ODBC version (2, 3 or 380); any other value throws ErrorException
    /// "InvalidAttrVal" (HY024). Under version 2, SQLSTATEs derived from states take their
    /// ODBC 2 forms from then on.
    void SetOdbcVersion(int32_t in_version);

    /// Whether the application's version gives the behaviour of in_requested (2, 3 or 380).
    bool MatchesOdbcVersion(int32_t in_requested);

    /// Whether a record has SQLSTATE in_sqlState (in its ODBC 2 form under version 2).
    bool HasRecordWithState(const Support::SqlState& in_sqlState);

    int64_t GetRecordCount();
    bool HasError();
    bool HasWarning() { return m_hasWarning; }

    /// Posts a conversion outcome: an error as an error record, otherwise as a warning at its
    /// row and column.
    void PostDataWarningOrError(const DataWarningOrError& in_outcome);

private:
    /// Clear's work once a record or flag is there, under the lock.
    void DropRecords();

    /// A record to fill, reused when one is spare, placed after the active records. Called
    /// under the lock.
    DiagRecord& AddRecord();

    /// Adds a record with the text and native code of in_messageKey.
    void AddLookedUpRecord(int32_t in_state,
                           const Support::SqlState& in_sqlState,
                           bool in_isError,
                           int32_t in_componentId,
                           const Support::orvik_wstring& in_messageKey,
                           const std::vector<Support::orvik_wstring>* in_parameters,
                           int64_t in_rowNumber,
                           int32_t in_columnNumber);

    /// Adds a record with a ready text.
    void AddRecord(int32_t in_state,
                   const Support::SqlState& in_sqlState,
                   bool in_isError,
                   int32_t in_nativeErrorCode,
                   const Support::orvik_wstring& in_message,
                   int64_t in_rowNumber,
                   int32_t in_columnNumber);

    /// The SQLSTATE of in_state in the form the application's version expects.
    Support::SqlState GetVersionedSqlState(int32_t in_state);

    /// The text and native code of in_messageKey in the current locale.
    void LookUp(int32_t in_componentId,
                const Support::orvik_wstring& in_messageKey,
                const std::vector<Support::orvik_wstring>* in_parameters,
                Support::orvik_wstring& out_message,
                int32_t& out_nativeErrorCode);

    /// Puts the records in reading order, once per set of records.
    void SortRecords();

    /// The record numbered in_recNumber, after sorting; SQL_ERROR or SQL_NO_DATA in out_result
    /// and null when there is none.
    const DiagRecord* FindRecord(SQLSMALLINT in_recNumber, SQLRETURN& out_result);

    /// Writes field in_diagIdentifier of in_record; whether a text was cut.
    bool ReadRecordField(const DiagRecord& in_record,
                         SQLSMALLINT in_diagIdentifier,
                         SQLPOINTER out_diagInfo,
                         SQLSMALLINT in_bufferLength,
                         SQLSMALLINT* out_stringLength);

    /// Writes header field in_diagIdentifier; false when it is no header field.
    bool ReadHeaderField(SQLSMALLINT in_diagIdentifier,
                         SQLPOINTER out_diagInfo,
                         SQLSMALLINT in_bufferLength,
                         SQLSMALLINT* out_stringLength,
                         bool& out_truncated);

    DiagHeader m_header;
    Support::orvik_wstring m_serverName;
    Support::orvik_wstring m_connectionName;
    std::shared_ptr<const Support::orvik_wstring> m_truncationMessage;
    std::string m_locale;
    Support::CriticalSection m_lock;
    std::vector<std::unique_ptr<DiagRecord>> m_spareRecords;
    std::vector<std::unique_ptr<DiagRecord>> m_records;
    Support::IMessageSource* m_messageSource;
    int32_t m_truncationNativeErrorCode = -1;
    // Set with their records under m_lock; read without it, so that a call which finds the area
    // empty takes no lock to clear it or to ask for warnings.
    std::atomic<bool> m_hasError{false};
    std::atomic<bool> m_hasWarning{false};
    bool m_isSorted = false;
    // SQL_OV_ODBC3_80 until the environment's version is set.
    int32_t m_odbcVersion = 380;
};

} // namespace ODBC
} // namespace Orvik
