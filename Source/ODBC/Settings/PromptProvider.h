#pragma once

#include "DSI/DSIConnection.h"

namespace Orvik {
namespace ODBC {

/// Shows a connection's settings dialog when SQLDriverConnect or a completion must ask the user.
/// No dialog can be shown unless a provider is installed: the setup dialog installs one, and
/// tests install their own. Without one, prompting fails with IM008 "DialogFailed".
class PromptProvider
{
public:
    virtual ~PromptProvider() = default;

    /// Shows the dialog of io_connection over io_settings for the settings in_requests names
    /// (only the required ones when in_requiredOnly), as a child of in_window (may be null).
    /// Returns whether the user confirmed; io_settings then holds the dialog's values.
    virtual bool Prompt(DSI::DSIConnection& io_connection,
                        const DSI::ConnSettingRequestMap& in_requests,
                        Support::VariantMap& io_settings,
                        void* in_window,
                        bool in_requiredOnly) = 0;

    /// Makes in_provider (not owned; null for none) the provider of every later prompt and
    /// returns the one it replaces.
    static PromptProvider* Install(PromptProvider* in_provider);

    /// The installed provider, or null.
    static PromptProvider* GetInstalled();

protected:
    PromptProvider() = default;
};

} // namespace ODBC
} // namespace Orvik
