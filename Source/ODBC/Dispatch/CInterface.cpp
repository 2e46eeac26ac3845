#include "ODBC/Dispatch/CInterface.h"

#include "DSI/DSILog.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Dispatch/CallHold.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "Support/ErrorException.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

const char* const LOG_CLASS = "CInterface";

HandleValue ToValue(SQLHANDLE in_handle)
{
    return static_cast<HandleValue>(reinterpret_cast<uintptr_t>(in_handle));
}

/// The lookup of every kind: the entrance at TRACE, a miss at ERROR with in_missText.
template <typename Find>
auto LookUp(const char* in_functionName, const char* in_missText, Find in_find)
{
    Driver& driver = Driver::GetDriver();
    DSI::DSILog* log = driver.GetLog();
    if (log != nullptr)
    {
        log->LogFunctionEntrance("", LOG_CLASS, in_functionName);
    }
    auto found = in_find(driver);
    if (!found && log != nullptr)
    {
        log->LogError("", LOG_CLASS, in_functionName, "%s", in_missText);
    }
    return found;
}

/// Makes in_exception the handle's one record, holding the handle as its calls do, so that the
/// record lands in no other thread's call.
template <typename Handle>
void PostOn(Handle& io_handle, const ErrorException& in_exception)
{
    CallHold(io_handle).PostOnly(in_exception);
}

void PostOn(Environment& io_environment, const ErrorException& in_exception)
{
    io_environment.GetDiagManager().Clear();
    io_environment.GetDiagManager().PostError(in_exception);
}

/// Logs in_exception, then makes it the only record of the Handle that in_enter finds under
/// in_handle, if any; counted meanwhile, the handle is not freed under the post. Nothing escapes:
/// the call has failed already.
template <typename Handle>
void PostOnly(const ErrorException& in_exception,
              const char* in_functionName,
              HandleEntry (Driver::*in_enter)(HandleValue),
              SQLHANDLE in_handle)
{
    try
    {
        Driver& driver = Driver::GetDriver();
        if (DSI::DSILog* log = driver.GetLog())
        {
            log->LogErrorException("", LOG_CLASS, in_functionName, in_exception);
        }
        const HandleEntry entry = (driver.*in_enter)(ToValue(in_handle));
        if (entry)
        {
            PostOn(*static_cast<Handle*>(entry.GetObject()), in_exception);
        }
    }
    catch (...)
    {
        // The caller returns SQL_ERROR all the same.
    }
}

/// PostOnly with the record (in_state, ODBC component, in_messageKey) at no row or column.
template <typename Handle>
void PostKeyOnly(DiagState in_state,
                 const orvik_wstring& in_messageKey,
                 const char* in_functionName,
                 HandleEntry (Driver::*in_enter)(HandleValue),
                 SQLHANDLE in_handle)
{
    try
    {
        PostOnly<Handle>(ErrorException(in_state, ODBC_COMPONENT_ID, in_messageKey, -1, -1), in_functionName, in_enter,
                         in_handle);
    }
    catch (...)
    {
        // The exception could not be made: nothing can be posted.
    }
}

} // namespace

HandleEntry CInterface::EnterEnvironment(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid environment handle.",
                  [in_handle](Driver& io_driver) { return io_driver.EnterEnvironment(ToValue(in_handle)); });
}

HandleEntry CInterface::EnterConnection(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid connection handle.",
                  [in_handle](Driver& io_driver) { return io_driver.EnterConnection(ToValue(in_handle)); });
}

HandleEntry CInterface::EnterStatement(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid statement handle.",
                  [in_handle](Driver& io_driver) { return io_driver.EnterStatement(ToValue(in_handle)); });
}

HandleEntry CInterface::EnterDescriptor(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid descriptor handle.",
                  [in_handle](Driver& io_driver) { return io_driver.EnterDescriptor(ToValue(in_handle)); });
}

void CInterface::PostConnectionException(SQLHANDLE in_handle,
                                         const ErrorException& in_exception,
                                         const char* in_functionName)
{
    PostOnly<Connection>(in_exception, in_functionName, &Driver::EnterConnection, in_handle);
}

void CInterface::PostStatementException(SQLHANDLE in_handle,
                                        const ErrorException& in_exception,
                                        const char* in_functionName)
{
    PostOnly<Statement>(in_exception, in_functionName, &Driver::EnterStatement, in_handle);
}

void CInterface::PostDescriptorException(SQLHANDLE in_handle,
                                         const ErrorException& in_exception,
                                         const char* in_functionName)
{
    PostOnly<Descriptor>(in_exception, in_functionName, &Driver::EnterDescriptor, in_handle);
}

void CInterface::PostConnectionError(SQLHANDLE in_handle,
                                     DiagState in_state,
                                     const orvik_wstring& in_messageKey,
                                     const char* in_functionName)
{
    PostKeyOnly<Connection>(in_state, in_messageKey, in_functionName, &Driver::EnterConnection, in_handle);
}

void CInterface::PostStatementError(SQLHANDLE in_handle,
                                    DiagState in_state,
                                    const orvik_wstring& in_messageKey,
                                    const char* in_functionName)
{
    PostKeyOnly<Statement>(in_state, in_messageKey, in_functionName, &Driver::EnterStatement, in_handle);
}

void CInterface::PostDescriptorError(SQLHANDLE in_handle,
                                     DiagState in_state,
                                     const orvik_wstring& in_messageKey,
                                     const char* in_functionName)
{
    PostKeyOnly<Descriptor>(in_state, in_messageKey, in_functionName, &Driver::EnterDescriptor, in_handle);
}

void CInterface::PostEnvironmentError(SQLHANDLE in_handle,
                                      DiagState in_state,
                                      const orvik_wstring& in_messageKey,
                                      const char* in_functionName)
{
    PostKeyOnly<Environment>(in_state, in_messageKey, in_functionName, &Driver::EnterEnvironment, in_handle);
}

SQLRETURN CInterface::GetDiagField(SQLSMALLINT in_handleType,
                                   SQLHANDLE in_handle,
                                   SQLSMALLINT in_recNumber,
                                   SQLSMALLINT in_diagIdentifier,
                                   SQLPOINTER out_diagInfo,
                                   SQLSMALLINT in_bufferLength,
                                   SQLSMALLINT* out_stringLength)
{
    HandleEntry entry;
    DiagManager* diagnostics = Driver::GetDriver().GetDiagManager(in_handleType, ToValue(in_handle), entry);
    if (diagnostics == nullptr)
    {
        return SQL_INVALID_HANDLE;
    }
    return diagnostics->SQLGetDiagField(in_recNumber, in_diagIdentifier, out_diagInfo, in_bufferLength,
                                        out_stringLength);
}

SQLRETURN CInterface::GetDiagRec(SQLSMALLINT in_handleType,
                                 SQLHANDLE in_handle,
                                 SQLSMALLINT in_recNumber,
                                 SQLWCHAR* out_sqlState,
                                 SQLINTEGER* out_nativeError,
                                 SQLWCHAR* out_messageText,
                                 SQLSMALLINT in_bufferLength,
                                 SQLSMALLINT* out_textLength)
{
    HandleEntry entry;
    DiagManager* diagnostics = Driver::GetDriver().GetDiagManager(in_handleType, ToValue(in_handle), entry);
    if (diagnostics == nullptr)
    {
        return SQL_INVALID_HANDLE;
    }
    return diagnostics->SQLGetDiagRec(in_recNumber, out_sqlState, out_nativeError, out_messageText, in_bufferLength,
                                      out_textLength);
}

} // namespace ODBC
} // namespace Orvik
