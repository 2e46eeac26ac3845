#pragma once

#include <sql.h>

namespace Orvik {

namespace DSI {
class ILogger;
}

namespace ODBC {

class IDiagManager;

/// What an ODBC member does with the exception that ends its call: an ErrorException becomes a
/// record as it is, running out of memory the record "MemAllocErr" (HY001) and anything else
/// "GenErr" (HY000); each is written to the log as an error of the member.
class FailurePoster
{
public:
    FailurePoster() = delete;

    /// Posts and logs the exception being handled (call it only inside a catch block); returns
    /// SQL_ERROR. A failure while posting or logging is swallowed.
    static SQLRETURN PostCurrentFailure(IDiagManager& io_diagnostics,
                                          DSI::ILogger* io_log,
                                          const char* in_class,
                                          const char* in_method);

    /// Only logs the exception being handled; returns SQL_ERROR.
    static SQLRETURN LogCurrentFailure(DSI::ILogger* io_log, const char* in_class, const char* in_method);
};

} // namespace ODBC
} // namespace Orvik
