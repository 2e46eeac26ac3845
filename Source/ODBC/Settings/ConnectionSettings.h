#pragma once

#include "DSI/DSIConnection.h"
#include "Support/VariantMap.h"

#include <sql.h>

namespace Orvik {
namespace ODBC {

class IDiagManager;

/// The settings of one connect attempt: the keys and values of a connection string or of
/// SQLConnect's arguments, completed with the named data source's entries from the ODBC profile,
/// the settings the data-store connection still asks for (required and optional requests), and
/// the form in which each key's value is written back into an output connection string. The
/// settings are complete when no required request is left.
///
/// Used only under the connection-wide lock of its connection.
class ConnectionSettings
{
public:
    /// The settings of a connection string (SQLDriverConnect, SQLBrowseConnect). Throws
    /// ODBCInternalException "InvalidConnStr" for a malformed string and for one without "DRIVER"
    /// that lacks "DSN".
    explicit ConnectionSettings(const Support::orvik_wstring& in_connectionString);

    /// The settings of SQLConnect: "DSN", "UID" and "PWD" unless null, then the data source's
    /// entries.
    ConnectionSettings(const Support::orvik_wstring& in_dataSourceName,
                       const Support::orvik_wstring& in_userName,
                       const Support::orvik_wstring& in_password);

    /// Deep copies of every map and flag.
    ConnectionSettings(const ConnectionSettings& in_other);
    ConnectionSettings& operator=(const ConnectionSettings& in_other);

    ~ConnectionSettings();

    /// Asks io_connection which settings it still misses and keeps its requests; a value it
    /// supplies itself replaces the setting. A request for a setting already given throws
    /// ErrorException "UnableToEstConn" (08001) with the keys, as "{[KEY] [KEY]}".
    void UpdateRequests(DSI::DSIConnection& io_connection);

    bool IsComplete() const { return m_required.empty(); }

    /// "{", the keys of the required requests in "[" and "]" separated by one space, "}".
    Support::orvik_wstring ListMissingRequired() const;

    /// Writes the completed connection string (when complete; returns true) or the browse request
    /// string (returns false) into out_buffer of in_bufferLength characters, its full length to
    /// out_length when given. A cut string sets out_truncated and posts nothing.
    bool BuildOutConnectionString(bool& out_truncated,
                                  SQLWCHAR* out_buffer,
                                  SQLSMALLINT in_bufferLength,
                                  SQLSMALLINT* out_length) const;

    /// One further SQLBrowseConnect step: accepts in_input when every key answers an outstanding
    /// request with an allowed value, adding the settings not yet given; returns false and changes
    /// nothing otherwise. A key that answers no request posts the warning "InvalidConnStrAttr"
    /// (01S00) on io_diagnostics. Throws "InvalidConnStr" for a malformed string.
    bool MergeBrowseInput(IDiagManager& io_diagnostics, const Support::orvik_wstring& in_input);

    /// Starts again from the "DRIVER" or "DSN" entry alone, as the connection string
    /// "DRIVER=..." or "DSN=..."; the other settings and output forms are dropped.
    void ResetToDriverOrDsn();

    /// Drops "UID" and "PWD" and every request.
    void RemoveCredentials();

    /// Shows the installed prompt provider's dialog over a copy of the settings, asking
    /// io_connection again after each confirmation, until no required setting is missing. Returns
    /// SQL_NO_DATA when the user cancels, leaving the settings as they were; otherwise takes the
    /// dialog's settings and returns SQL_SUCCESS. Only the required settings are shown for
    /// SQL_DRIVER_COMPLETE_REQUIRED. Without a provider throws ErrorException "DialogFailed"
    /// (IM008); a request for a setting the dialog gave throws ODBCInternalException
    /// "DataSourceDidNotGiveProperResp".
    SQLRETURN PromptForSettings(DSI::DSIConnection& io_connection, void* in_window, SQLUSMALLINT in_completion);

    /// The settings map that the data-store connection connects with.
    Support::VariantMap& GetSettings() { return m_settings; }
    const Support::VariantMap& GetSettings() const { return m_settings; }

    bool IsDriverMode() const { return m_isDriverMode; }

    /// The entries of data source in_dataSourceName in the ODBC profile, added to io_entries (a
    /// later key replaces an earlier one); none for a data source that is not there.
    static void ReadDataSourceKeys(const Support::orvik_wstring& in_dataSourceName, Support::VariantMap& io_entries);

private:
    void LoadFromConnectionString(const Support::orvik_wstring& in_connectionString);

    /// Adds the data source's entries that the settings do not hold yet.
    void AddDataSourceKeys(const Support::orvik_wstring& in_dataSourceName);

    /// Sorts io_requests into the required and optional requests, replacing the earlier ones; a
    /// value the data store supplies replaces the setting and its output form.
    void ApplyRequests(DSI::ConnSettingRequestMap& io_requests);

    /// Whether in_value answers an outstanding request for in_key; out_isRequested tells whether
    /// there was one.
    bool AnswersRequest(const Support::orvik_wstring& in_key, const Support::Variant& in_value, bool& out_isRequested) const;

    Support::orvik_wstring BuildCompletedString() const;
    Support::orvik_wstring BuildBrowseRequestString() const;

    void SetValue(const Support::orvik_wstring& in_key, const Support::orvik_wstring& in_value);

    Support::VariantMap m_settings;
    DSI::ConnSettingRequestMap m_required;
    DSI::ConnSettingRequestMap m_optional;
    Support::VariantMap m_outputForms;
    bool m_isParsing = false;
    bool m_isDriverMode = false;
};

} // namespace ODBC
} // namespace Orvik
