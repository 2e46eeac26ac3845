// The driver library's prompt: once loaded, SQLDriverConnect and the completions that must ask
// the user show the data store's settings dialog.

#include "ODBC/Settings/DataStorePromptProvider.h"

namespace {

struct PromptEntry
{
    PromptEntry()
    {
        static Orvik::ODBC::DataStorePromptProvider s_provider;
        Orvik::ODBC::PromptProvider::Install(&s_provider);
    }
};

const PromptEntry s_promptEntry;

} // namespace
