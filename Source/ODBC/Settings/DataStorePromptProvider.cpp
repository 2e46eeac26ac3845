#include "ODBC/Settings/DataStorePromptProvider.h"

namespace Orvik {
namespace ODBC {

namespace {

constexpr int32_t ALL_SETTINGS_PROMPT = 0;
constexpr int32_t REQUIRED_ONLY_PROMPT = 1;

} // namespace

bool DataStorePromptProvider::Prompt(DSI::DSIConnection& io_connection,
                                     const DSI::ConnSettingRequestMap& in_requests,
                                     Support::VariantMap& io_settings,
                                     void* in_window,
                                     bool in_requiredOnly)
{
    return io_connection.PromptDialog(in_requests, io_settings, in_window,
                                      in_requiredOnly ? REQUIRED_ONLY_PROMPT : ALL_SETTINGS_PROMPT);
}

} // namespace ODBC
} // namespace Orvik
