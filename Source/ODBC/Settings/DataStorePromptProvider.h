#pragma once

#include "ODBC/Settings/PromptProvider.h"

namespace Orvik {
namespace ODBC {

/// The driver's prompt: the data store's own settings dialog (DSIConnection::PromptDialog), with
/// prompt kind 1 for the required settings only and 0 for all of them. The library installs it
/// when it is loaded.
class DataStorePromptProvider : public PromptProvider
{
public:
    bool Prompt(DSI::DSIConnection& io_connection,
                const DSI::ConnSettingRequestMap& in_requests,
                Support::VariantMap& io_settings,
                void* in_window,
                bool in_requiredOnly) override;
};

} // namespace ODBC
} // namespace Orvik
