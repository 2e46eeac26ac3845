// The installer's entry points into DSN setup. unixODBC's installer loads the library named by
// the driver's "Setup" key and calls ConfigDSN, or ConfigDSNW when ConfigDSN is missing.

#include "Pelta/Setup/ConfigDSNHandler.h"
#include "Pelta/Setup/OdbcInstaller.h"

// The declarations of the installer's header fix the signatures; exported by the version script.
#pragma GCC visibility push(default)
#include <odbcinst.h>
#pragma GCC visibility pop

BOOL INSTAPI ConfigDSN(HWND hwndParent, WORD fRequest, LPCSTR lpszDriver, LPCSTR lpszAttributes)
{
    Pelta::ConfigDSNHandler handler(Pelta::OdbcInstaller::GetInstance());
    return handler.ConfigDSN(hwndParent, fRequest, lpszDriver, lpszAttributes);
}

BOOL INSTAPI ConfigDSNW(HWND hwndParent, WORD fRequest, LPCWSTR lpszDriver, LPCWSTR lpszAttributes)
{
    // SQLWCHAR is a 2-byte UTF-16 code unit, as char16_t is.
    static_assert(sizeof(*lpszDriver) == sizeof(char16_t), "wide installer text is UTF-16");
    Pelta::ConfigDSNHandler handler(Pelta::OdbcInstaller::GetInstance());
    return handler.ConfigDSNW(hwndParent,
                              fRequest,
                              reinterpret_cast<const char16_t*>(lpszDriver),
                              reinterpret_cast<const char16_t*>(lpszAttributes));
}
