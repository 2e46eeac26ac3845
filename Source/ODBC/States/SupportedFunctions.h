#pragma once

#include <sql.h>

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The answer of SQLGetFunctions once connected: the ODBC 3 functions the driver exports
/// (SQLSetPos is not among them: it can only fail) and the ODBC 2 functions that the Driver
/// Manager maps onto them. SQLCancelHandle is marked under both its ids, that of the unixODBC
/// headers (1022) and that of ODBC 3.8 (1550).
class SupportedFunctions
{
public:
    SupportedFunctions() = delete;

    /// Fills out_supported for in_functionId: the bitmap of SQL_API_ODBC3_ALL_FUNCTIONS (all 250
    /// words written; ODBC 3 functions only), the 100 flags of SQL_API_ALL_FUNCTIONS (ODBC 3
    /// functions below 100 and every ODBC 2 function), or one flag for a single function, which
    /// is SQL_TRUE for an ODBC 2 function only when in_isOdbc2 (the application asked for ODBC 2
    /// behaviour).
    static void Fill(SQLUSMALLINT in_functionId, bool in_isOdbc2, SQLUSMALLINT* out_supported);

    static bool IsOdbc3Function(int32_t in_functionId);
    static bool IsOdbc2Function(int32_t in_functionId);
};

} // namespace ODBC
} // namespace Orvik
