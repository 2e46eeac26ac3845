#pragma once

#include "DSI/DSIConnection.h"
#include "Pelta/PeltaConnectionSettings.h"

#include <deque>
#include <memory>

namespace Orvik {
namespace DSI {
class DSILog;
}
} // namespace Orvik

namespace Pelta {

/// The back end's data-store connection. Connecting parses "Servers", reads "MaxColumnSize",
/// "Timeout" and "ReEntryTime", and probes the servers in list order for the cluster name and
/// version that SQL_SERVER_NAME and SQL_DBMS_VER then answer. It holds no HTTP client: each
/// statement has its own over the settings this connection shares with them. Its fixed
/// properties answer most SQLGetInfo questions.
class PeltaConnection : public Orvik::DSI::DSIConnection
{
public:
    /// An unconnected connection of in_environment (not owned) with its fixed properties.
    explicit PeltaConnection(Orvik::DSI::DSIEnvironment* in_environment);
    ~PeltaConnection() override;

    /// Takes a copy of in_settings, then connects as the class comment says. Both server
    /// queues are rebuilt from the new list, so a server no longer listed receives nothing.
    void Connect(const Orvik::Support::VariantMap& in_settings) override;

    /// A new PeltaStatement over this connection's settings.
    std::unique_ptr<Orvik::DSI::DSIStatement> CreateStatement() override;

    /// Nothing to end: settings and queues stay.
    void Disconnect() override;

    Orvik::DSI::DSILog* GetLog() override;

    /// Shows the setup dialog (ShowPromptDialog); only the required settings when
    /// in_promptKind is 1.
    bool PromptDialog(const Orvik::DSI::ConnSettingRequestMap& in_requests,
                      Orvik::Support::VariantMap& io_settings,
                      void* in_parentWindow,
                      int32_t in_promptKind) override;

    /// Requests "Servers" (required), then "MaxColumnSize", "Timeout" and "ReEntryTime"
    /// (optional), each when in_settings lack it.
    void UpdateConnectionSettings(const Orvik::Support::VariantMap& in_settings,
                                  Orvik::DSI::ConnSettingRequestMap& io_requests) override;

    /// The settings this connection's statements share.
    PeltaConnectionSettings& GetConnectionSettings() { return m_settings; }

    /// The servers of a "Servers" text: without a comma, the whole text when it holds a colon,
    /// else none; with commas, every piece between them, trimmed, whatever it holds (an empty
    /// piece too). Each is stamped with the clock and appended to io_servers.
    void ParseServers(std::deque<ServerEntry>& io_servers, const Orvik::Support::orvik_wstring& in_text);

    /// The setup dialog of the setup user interface (SetupUiHost) over io_settings, as a
    /// prompting connection's (no name, description, test or logging), owned by
    /// in_parentWindow. Confirmed, io_settings become all of the dialog's settings and true is
    /// returned; cancelled, false and io_settings stay. When no dialog can be shown, raises
    /// "PeltaDialogFailed" (IM008) and io_settings stay.
    static bool ShowPromptDialog(Orvik::Support::VariantMap& io_settings,
                                 Orvik::DSI::DSILog* in_log,
                                 void* in_parentWindow,
                                 bool in_requiredOnly);

private:
    void SetFixedProperties();
    void ReadNumericSetting(const char16_t* in_name, const char16_t* in_default, uint32_t& io_value);

    PeltaConnectionSettings m_settings;
    Orvik::DSI::DSILog* m_log;
};

} // namespace Pelta
