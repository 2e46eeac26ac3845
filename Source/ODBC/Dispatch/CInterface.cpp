#include "ODBC/Dispatch/CInterface.h"

#include "DSI/DSILog.h"
#include "ODBC/Descriptors/Descriptor.h"
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

/// The lookup of every kind, counted or not: the entrance at TRACE, a miss at ERROR with
/// in_missText.
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

/// Logs in_exception, then makes it the only record of the diagnostics in_find gives, if any.
/// Nothing escapes: the call has failed already.
template <typename Find>
void PostOnly(const ErrorException& in_exception, const char* in_functionName, Find in_find)
{
    try
    {
        Driver& driver = Driver::GetDriver();
        if (DSI::DSILog* log = driver.GetLog())
        {
            log->LogErrorException("", LOG_CLASS, in_functionName, in_exception);
        }
        if (DiagManager* diagnostics = in_find(driver))
        {
            diagnostics->Clear();
            diagnostics->PostError(in_exception);
        }
    }
    catch (...)
    {
        // The caller returns SQL_ERROR all the same.
    }
}

/// PostOnly with the record (in_state, ODBC component, in_messageKey) at no row or column.
template <typename Find>
void PostKeyOnly(DiagState in_state, const orvik_wstring& in_messageKey, const char* in_functionName, Find in_find)
{
    try
    {
        PostOnly(ErrorException(in_state, ODBC_COMPONENT_ID, in_messageKey, -1, -1), in_functionName, in_find);
    }
    catch (...)
    {
        // The exception could not be made: nothing can be posted.
    }
}

template <typename T>
DiagManager* DiagnosticsOf(T* in_object)
{
    return in_object == nullptr ? nullptr : &in_object->GetDiagManager();
}

} // namespace

Environment* CInterface::GetEnvironment(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid environment handle.",
                               [in_handle](Driver& io_driver) { return io_driver.GetEnvironment(ToValue(in_handle)); });
}

Connection* CInterface::GetConnection(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid connection handle.",
                              [in_handle](Driver& io_driver) { return io_driver.GetConnection(ToValue(in_handle)); });
}

Statement* CInterface::GetStatement(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid statement handle.",
                             [in_handle](Driver& io_driver) { return io_driver.GetStatement(ToValue(in_handle)); });
}

Descriptor* CInterface::GetDescriptor(SQLHANDLE in_handle, const char* in_functionName)
{
    return LookUp(in_functionName, "Invalid descriptor handle.",
                              [in_handle](Driver& io_driver) { return io_driver.GetDescriptor(ToValue(in_handle)); });
}

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
    PostOnly(in_exception, in_functionName, [in_handle](Driver& io_driver) {
        return DiagnosticsOf(io_driver.GetConnection(ToValue(in_handle)));
    });
}

void CInterface::PostStatementException(SQLHANDLE in_handle,
                                        const ErrorException& in_exception,
                                        const char* in_functionName)
{
    PostOnly(in_exception, in_functionName, [in_handle](Driver& io_driver) {
        return DiagnosticsOf(io_driver.GetStatement(ToValue(in_handle)));
    });
}

void CInterface::PostConnectionError(SQLHANDLE in_handle,
                                     DiagState in_state,
                                     const orvik_wstring& in_messageKey,
                                     const char* in_functionName)
{
    PostKeyOnly(in_state, in_messageKey, in_functionName, [in_handle](Driver& io_driver) {
        return DiagnosticsOf(io_driver.GetConnection(ToValue(in_handle)));
    });
}

void CInterface::PostStatementError(SQLHANDLE in_handle,
                                    DiagState in_state,
                                    const orvik_wstring& in_messageKey,
                                    const char* in_functionName)
{
    PostKeyOnly(in_state, in_messageKey, in_functionName, [in_handle](Driver& io_driver) {
        return DiagnosticsOf(io_driver.GetStatement(ToValue(in_handle)));
    });
}

void CInterface::PostDescriptorError(SQLHANDLE in_handle,
                                     DiagState in_state,
                                     const orvik_wstring& in_messageKey,
                                     const char* in_functionName)
{
    PostKeyOnly(in_state, in_messageKey, in_functionName, [in_handle](Driver& io_driver) {
        return DiagnosticsOf(io_driver.GetDescriptor(ToValue(in_handle)));
    });
}

void CInterface::PostEnvironmentError(SQLHANDLE in_handle,
                                      DiagState in_state,
                                      const orvik_wstring& in_messageKey,
                                      const char* in_functionName)
{
    PostKeyOnly(in_state, in_messageKey, in_functionName, [in_handle](Driver& io_driver) {
        return DiagnosticsOf(io_driver.GetEnvironment(ToValue(in_handle)));
    });
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
