#include "ODBC/Diagnostics/FailurePoster.h"

#include "DSI/ILogger.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "Support/ErrorException.h"

#include <new>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_NAMESPACE = "Orvik::ODBC";

/// The exception being handled as an ErrorException.
ErrorException CurrentError()
{
    try
    {
        throw;
    }
    catch (const ErrorException& e)
    {
        return e;
    }
    catch (const std::bad_alloc&)
    {
        return ErrorException(DIAG_MEMORY_ALLOCATION_ERROR, ODBC_COMPONENT_ID, u"MemAllocErr", -1, -1);
    }
    catch (...)
    {
        return ErrorException(DIAG_GENERAL_ERROR, ODBC_COMPONENT_ID, u"GenErr", -1, -1);
    }
}

void Log(DSI::ILogger* io_log, const char* in_class, const char* in_method, const ErrorException& in_error)
{
    if (io_log != nullptr)
    {
        io_log->LogErrorException(LOG_NAMESPACE, in_class, in_method, in_error);
    }
}

} // namespace

SQLRETURN FailurePoster::PostCurrentFailure(IDiagManager& io_diagnostics,
                                              DSI::ILogger* io_log,
                                              const char* in_class,
                                              const char* in_method)
{
    try
    {
        const ErrorException error = CurrentError();
        io_diagnostics.PostError(error);
        Log(io_log, in_class, in_method, error);
    }
    catch (...)
    {
        // Posting never fails the call a second time.
    }
    return SQL_ERROR;
}

SQLRETURN FailurePoster::LogCurrentFailure(DSI::ILogger* io_log, const char* in_class, const char* in_method)
{
    try
    {
        Log(io_log, in_class, in_method, CurrentError());
    }
    catch (...)
    {
    }
    return SQL_ERROR;
}

} // namespace ODBC
} // namespace Orvik
