// The exported ODBC functions that call one method of a handle object on the caller's thread,
// the allocation and freeing of handles, and the functions with routes of their own: SQLEndTran,
// SQLCancel, SQLCancelHandle and SQLCopyDesc. None of them takes a lock of its own or looks at a
// pending asynchronous task.

// unixODBC's declarations fix the signatures and, seen first, make the functions visible;
// the version script exports them.
#pragma GCC visibility push(default)
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
#pragma GCC visibility pop

#include "DSI/DSILog.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Driver/Driver.h"
#include "ODBC/Exports/EntryFrame.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Environment.h"
#include "ODBC/Handles/Statement.h"
#include "Support/Platform.h"

#include <cstdint>
#include <string>
#include <utility>

using namespace Orvik::ODBC;
using Orvik::Support::ErrorException;

namespace {

const char* const LOG_CLASS = "CInterface";

HandleValue ToValue(SQLHANDLE in_handle)
{
    return static_cast<HandleValue>(reinterpret_cast<uintptr_t>(in_handle));
}

Orvik::DSI::DSILog* GetLog()
{
    return Driver::GetDriver().GetLog();
}

void LogEntrance(const char* in_functionName)
{
    if (Orvik::DSI::DSILog* log = GetLog())
    {
        log->LogFunctionEntrance("", LOG_CLASS, in_functionName);
    }
}

void LogInfo(const char* in_functionName, const char* in_text)
{
    if (Orvik::DSI::DSILog* log = GetLog())
    {
        log->LogInfo("", LOG_CLASS, in_functionName, "%s", in_text);
    }
}

void LogError(const char* in_functionName, const char* in_text)
{
    if (Orvik::DSI::DSILog* log = GetLog())
    {
        log->LogError("", LOG_CLASS, in_functionName, "%s", in_text);
    }
}

/// A failed allocation of a connection, statement or descriptor leaves the null handle.
SQLRETURN NullOnError(SQLRETURN in_result, SQLHANDLE* out_handle)
{
    if (in_result == SQL_ERROR && out_handle != nullptr)
    {
        *out_handle = SQL_NULL_HANDLE;
    }
    return in_result;
}

SQLRETURN AllocateEnvironment(Driver& io_driver, SQLHANDLE in_input, SQLHANDLE* out_handle)
{
    LogInfo("SQLAllocHandle", "Allocating environment handle.");
    if (in_input != SQL_NULL_HANDLE)
    {
        LogError("SQLAllocHandle", "Invalid non-null handle.");
        return SQL_INVALID_HANDLE;
    }
    if (out_handle == nullptr)
    {
        // There is nowhere to put the handle, and nothing to post a record on.
        return SQL_ERROR;
    }
    HandleValue handle = 0;
    const SQLRETURN result = io_driver.CreateEnvironment(handle);
    // After an illegal encoding setting the environment exists, with the reason on it.
    *out_handle = reinterpret_cast<SQLHANDLE>(static_cast<uintptr_t>(handle));
    return result;
}

/// What escaped SQLAllocHandle (in_functionName): logged, and posted on the parent handle when
/// it is known.
void PostAllocationFailure(const char* in_functionName,
                           SQLSMALLINT in_handleType,
                           SQLHANDLE in_input,
                           const ErrorException& in_error)
{
    if (in_handleType == SQL_HANDLE_STMT || in_handleType == SQL_HANDLE_DESC)
    {
        CInterface::PostConnectionException(in_input, in_error, in_functionName);
        return;
    }
    if (Orvik::DSI::DSILog* log = GetLog())
    {
        log->LogErrorException("", LOG_CLASS, in_functionName, in_error);
    }
    if (in_handleType != SQL_HANDLE_DBC)
    {
        const std::string line = "[ODBC] Failed to allocate environment handle: " + in_error.GetMessageKey().GetAsUTF8();
        Orvik::Platform::Trace(line.c_str());
        return;
    }
    const HandleEntry environment = Driver::GetDriver().EnterEnvironment(ToValue(in_input));
    if (environment)
    {
        DiagManager& diagnostics = static_cast<Environment*>(environment.GetObject())->GetDiagManager();
        diagnostics.Clear();
        diagnostics.PostError(in_error);
    }
}

SQLRETURN AllocateHandle(SQLSMALLINT in_handleType, SQLHANDLE in_input, SQLHANDLE* out_handle)
{
    Driver& driver = Driver::GetDriver();
    if (!driver.IsInitialized())
    {
        Orvik::Platform::Trace("[ODBC] Failed to initialize Driver.");
        return SQL_ERROR;
    }
    if (driver.GetLog() == nullptr)
    {
        Orvik::Platform::Trace("[ODBC] Failed to initialize IDriver log, check that a non-null log is being returned for "
                               "your IDriver instance.");
        return SQL_ERROR;
    }
    LogEntrance("SQLAllocHandle");
    switch (in_handleType)
    {
    case SQL_HANDLE_ENV:
        return AllocateEnvironment(driver, in_input, out_handle);
    case SQL_HANDLE_DBC:
    {
        LogInfo("SQLAllocHandle", "Allocating connection handle.");
        const HandleEntry environment = driver.EnterEnvironment(ToValue(in_input));
        if (!environment)
        {
            LogError("SQLAllocHandle", "Invalid environment handle.");
            return SQL_INVALID_HANDLE;
        }
        Environment& parent = *static_cast<Environment*>(environment.GetObject());
        return NullOnError(parent.SQLAllocHandle(in_handleType, in_input, out_handle), out_handle);
    }
    case SQL_HANDLE_STMT:
        LogInfo("SQLAllocHandle", "Allocating statement handle.");
        [[fallthrough]];
    case SQL_HANDLE_DESC:
    {
        const HandleEntry connection = driver.EnterConnection(ToValue(in_input));
        if (!connection)
        {
            LogError("SQLAllocHandle", "Invalid connection handle.");
            return SQL_INVALID_HANDLE;
        }
        Connection& parent = *static_cast<Connection*>(connection.GetObject());
        return NullOnError(parent.SQLAllocHandle(in_handleType, out_handle), out_handle);
    }
    default:
        return SQL_ERROR;
    }
}

/// Frees a statement or a descriptor that io_child's counted lookup found through in_connection,
/// its connection: the connection is counted before the child's count ends, so that neither is
/// freed meanwhile, and the child is no longer counted when its free asks whether a call runs on
/// it.
SQLRETURN FreeThroughConnection(HandleEntry io_child,
                                Connection& io_connection,
                                SQLSMALLINT in_handleType,
                                SQLHANDLE in_handle)
{
    const HandleEntry connection = io_connection.Enter();
    io_child.Release();
    if (!connection)
    {
        LogError("SQLFreeHandle", "Invalid connection handle.");
        return SQL_INVALID_HANDLE;
    }
    return io_connection.SQLFreeHandle(in_handleType, in_handle);
}

/// Frees a connection, statement or descriptor through the object that owns it.
SQLRETURN FreeChild(Driver& io_driver, SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    const HandleValue value = ToValue(in_handle);
    switch (in_handleType)
    {
    case SQL_HANDLE_DBC:
    {
        LogInfo("SQLFreeHandle", "Freeing connection handle.");
        HandleEntry connection = io_driver.EnterConnection(value);
        if (!connection)
        {
            LogError("SQLFreeHandle", "Invalid connection handle.");
            return SQL_INVALID_HANDLE;
        }
        // Counted, the connection would refuse its own free.
        Environment& environment = static_cast<Connection*>(connection.GetObject())->GetEnvironment();
        connection.Release();
        return environment.SQLFreeHandle(in_handleType, in_handle);
    }
    case SQL_HANDLE_STMT:
    {
        LogInfo("SQLFreeHandle", "Freeing statement handle.");
        HandleEntry statement = io_driver.EnterStatement(value);
        if (!statement)
        {
            LogError("SQLFreeHandle", "Invalid statement handle.");
            return SQL_INVALID_HANDLE;
        }
        Connection& connection = static_cast<Statement*>(statement.GetObject())->GetConnection();
        return FreeThroughConnection(std::move(statement), connection, in_handleType, in_handle);
    }
    default:
    {
        LogInfo("SQLFreeHandle", "Freeing descriptor handle.");
        HandleEntry descriptor = io_driver.EnterDescriptor(value);
        Connection* connection =
            descriptor ? static_cast<Descriptor*>(descriptor.GetObject())->GetParentConnection() : nullptr;
        if (connection == nullptr)
        {
            LogError("SQLFreeHandle", "Invalid descriptor handle.");
            return SQL_INVALID_HANDLE;
        }
        return FreeThroughConnection(std::move(descriptor), *connection, in_handleType, in_handle);
    }
    }
}

/// The poster of each handle type, for what escapes SQLFreeHandle.
EntryFrame::Poster PosterOf(SQLSMALLINT in_handleType)
{
    switch (in_handleType)
    {
    case SQL_HANDLE_ENV:
        return &CInterface::PostEnvironmentError;
    case SQL_HANDLE_DBC:
        return &CInterface::PostConnectionError;
    case SQL_HANDLE_STMT:
        return &CInterface::PostStatementError;
    default:
        return &CInterface::PostDescriptorError;
    }
}

} // namespace

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle, SQLHANDLE* OutputHandlePtr)
{
    try
    {
        return AllocateHandle(HandleType, InputHandle, OutputHandlePtr);
    }
    catch (...)
    {
        try
        {
            PostAllocationFailure("SQLAllocHandle", HandleType, InputHandle,
                                  ErrorException(Orvik::Support::DIAG_GENERAL_ERROR, Orvik::Support::ODBC_COMPONENT_ID,
                                                 u"GenErr", -1, -1));
        }
        catch (...)
        {
            Orvik::Platform::Trace("[ODBC] Unknown error.");
        }
        return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle)
{
    try
    {
        LogEntrance("SQLFreeHandle");
        if (HandleType < SQL_HANDLE_ENV || HandleType > SQL_HANDLE_DESC)
        {
            return SQL_ERROR;
        }
        Driver& driver = Driver::GetDriver();
        if (HandleType != SQL_HANDLE_ENV)
        {
            return FreeChild(driver, HandleType, Handle);
        }
        LogInfo("SQLFreeHandle", "Freeing environment handle.");
        return driver.FreeEnvironment(ToValue(Handle));
    }
    catch (...)
    {
        const bool isKnownType = HandleType >= SQL_HANDLE_ENV && HandleType <= SQL_HANDLE_DESC;
        return isKnownType ? EntryFrame::PostGeneralError(PosterOf(HandleType), Handle, "SQLFreeHandle") : SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT StatementHandle, SQLUSMALLINT Option)
{
    // A statement counted by the frame below would refuse its own free.
    if (Option == SQL_DROP)
    {
        return SQLFreeHandle(SQL_HANDLE_STMT, StatementHandle);
    }
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLFreeStmt",
                           [&](Statement& io_statement) { return io_statement.SQLFreeStmt(Option); });
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT HandleType, SQLHANDLE Handle, SQLSMALLINT CompletionType)
{
    if (HandleType == SQL_HANDLE_DBC)
    {
        SQLEndTranArgs args{CompletionType};
        return CInterface::DispatchSQLEndTran("SQLEndTran", Handle, &args);
    }
    try
    {
        LogEntrance("SQLEndTran");
        Environment* environment =
            HandleType == SQL_HANDLE_ENV ? Driver::GetDriver().GetEnvironment(ToValue(Handle)) : nullptr;
        if (environment == nullptr)
        {
            LogError("SQLEndTran", "Invalid handle.");
            return SQL_INVALID_HANDLE;
        }
        return environment->SQLEndTran(CompletionType);
    }
    catch (const ErrorException&)
    {
        // The environment's method has posted what it raised.
        return SQL_ERROR;
    }
    catch (const std::bad_alloc&)
    {
        CInterface::PostEnvironmentError(Handle, Orvik::Support::DIAG_MEMORY_ALLOCATION_ERROR, u"MemAllocErr", "SQLEndTran");
        return SQL_ERROR;
    }
    catch (...)
    {
        return EntryFrame::PostGeneralError(&CInterface::PostEnvironmentError, Handle, "SQLEndTran");
    }
}

SQLRETURN SQL_API SQLCancel(SQLHSTMT StatementHandle)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLCancel",
                           [](Statement& io_statement) { return io_statement.SQLCancel(); });
}

SQLRETURN SQL_API SQLCancelHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle)
{
    switch (HandleType)
    {
    case SQL_HANDLE_STMT:
        return SQLCancel(InputHandle);
    case SQL_HANDLE_DBC:
        return EntryFrame::Run(EntryFrame::CONNECTION, InputHandle, "SQLCancelHandle",
                               [](Connection& io_connection) { return io_connection.SQLCancelHandle(); });
    default:
        return SQL_ERROR;
    }
}

SQLRETURN SQL_API SQLCopyDesc(SQLHDESC SourceDescHandle, SQLHDESC TargetDescHandle)
{
    // Outside the try: the poster below finds the target again while the call still counts.
    HandleEntry target;
    try
    {
        LogEntrance("SQLCopyDesc");
        Driver& driver = Driver::GetDriver();
        target = driver.EnterDescriptor(ToValue(TargetDescHandle));
        const HandleEntry source = target ? driver.EnterDescriptor(ToValue(SourceDescHandle)) : HandleEntry();
        if (!source)
        {
            LogError("SQLCopyDesc", "Invalid descriptor handle.");
            return SQL_INVALID_HANDLE;
        }
        return static_cast<Descriptor*>(target.GetObject())->SQLCopyDesc(*static_cast<Descriptor*>(source.GetObject()));
    }
    catch (...)
    {
        return EntryFrame::PostGeneralError(&CInterface::PostDescriptorError, TargetDescHandle, "SQLCopyDesc");
    }
}

// One method of the handle object, arguments as received.

SQLRETURN SQL_API SQLBindCol(SQLHSTMT StatementHandle,
                             SQLUSMALLINT ColumnNumber,
                             SQLSMALLINT TargetType,
                             SQLPOINTER TargetValuePtr,
                             SQLLEN BufferLength,
                             SQLLEN* StrLen_or_IndPtr)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLBindCol", [&](Statement& io_statement) {
        return io_statement.SQLBindCol(ColumnNumber, TargetType, TargetValuePtr, BufferLength, StrLen_or_IndPtr);
    });
}

SQLRETURN SQL_API SQLBindParameter(SQLHSTMT StatementHandle,
                                   SQLUSMALLINT ParameterNumber,
                                   SQLSMALLINT InputOutputType,
                                   SQLSMALLINT ValueType,
                                   SQLSMALLINT ParameterType,
                                   SQLULEN ColumnSize,
                                   SQLSMALLINT DecimalDigits,
                                   SQLPOINTER ParameterValuePtr,
                                   SQLLEN BufferLength,
                                   SQLLEN* StrLen_or_IndPtr)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLBindParameter", [&](Statement& io_statement) {
        return io_statement.SQLBindParameter(ParameterNumber, InputOutputType, ValueType, ParameterType, ColumnSize,
                                             DecimalDigits, ParameterValuePtr, BufferLength, StrLen_or_IndPtr);
    });
}

SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT StatementHandle)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLCloseCursor",
                           [](Statement& io_statement) { return io_statement.SQLCloseCursor(); });
}

SQLRETURN SQL_API SQLExtendedFetch(SQLHSTMT StatementHandle,
                                   SQLUSMALLINT FetchOrientation,
                                   SQLLEN FetchOffset,
                                   SQLULEN* RowCountPtr,
                                   SQLUSMALLINT* RowStatusArray)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLExtendedFetch", [&](Statement& io_statement) {
        return io_statement.SQLExtendedFetch(FetchOrientation, FetchOffset, RowCountPtr, RowStatusArray);
    });
}

SQLRETURN SQL_API SQLGetConnectAttrW(SQLHDBC ConnectionHandle,
                                     SQLINTEGER Attribute,
                                     SQLPOINTER ValuePtr,
                                     SQLINTEGER BufferLength,
                                     SQLINTEGER* StringLengthPtr)
{
    return EntryFrame::Run(EntryFrame::CONNECTION, ConnectionHandle, "SQLGetConnectAttrW", [&](Connection& io_connection) {
        return io_connection.SQLGetConnectAttr(Attribute, ValuePtr, BufferLength, StringLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetCursorNameW(SQLHSTMT StatementHandle,
                                    SQLWCHAR* CursorName,
                                    SQLSMALLINT BufferLength,
                                    SQLSMALLINT* NameLengthPtr)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLGetCursorNameW", [&](Statement& io_statement) {
        return io_statement.SQLGetCursorNameW(CursorName, BufferLength, NameLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetDescFieldW(SQLHDESC DescriptorHandle,
                                   SQLSMALLINT RecNumber,
                                   SQLSMALLINT FieldIdentifier,
                                   SQLPOINTER ValuePtr,
                                   SQLINTEGER BufferLength,
                                   SQLINTEGER* StringLengthPtr)
{
    return EntryFrame::Run(EntryFrame::DESCRIPTOR, DescriptorHandle, "SQLGetDescFieldW", [&](Descriptor& io_descriptor) {
        return io_descriptor.SQLGetDescFieldW(RecNumber, FieldIdentifier, ValuePtr, BufferLength, StringLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetDescRecW(SQLHDESC DescriptorHandle,
                                 SQLSMALLINT RecNumber,
                                 SQLWCHAR* Name,
                                 SQLSMALLINT BufferLength,
                                 SQLSMALLINT* StringLengthPtr,
                                 SQLSMALLINT* TypePtr,
                                 SQLSMALLINT* SubTypePtr,
                                 SQLLEN* LengthPtr,
                                 SQLSMALLINT* PrecisionPtr,
                                 SQLSMALLINT* ScalePtr,
                                 SQLSMALLINT* NullablePtr)
{
    return EntryFrame::Run(EntryFrame::DESCRIPTOR, DescriptorHandle, "SQLGetDescRecW", [&](Descriptor& io_descriptor) {
        return io_descriptor.SQLGetDescRecW(RecNumber, Name, BufferLength, StringLengthPtr, TypePtr, SubTypePtr,
                                            LengthPtr, PrecisionPtr, ScalePtr, NullablePtr);
    });
}

SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV EnvironmentHandle,
                                SQLINTEGER Attribute,
                                SQLPOINTER ValuePtr,
                                SQLINTEGER BufferLength,
                                SQLINTEGER* StringLengthPtr)
{
    return EntryFrame::Run(EntryFrame::ENVIRONMENT, EnvironmentHandle, "SQLGetEnvAttr", [&](Environment& io_environment) {
        return io_environment.SQLGetEnvAttr(Attribute, ValuePtr, BufferLength, StringLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetFunctions(SQLHDBC ConnectionHandle, SQLUSMALLINT FunctionId, SQLUSMALLINT* SupportedPtr)
{
    return EntryFrame::Run(EntryFrame::CONNECTION, ConnectionHandle, "SQLGetFunctions", [&](Connection& io_connection) {
        return io_connection.SQLGetFunctions(FunctionId, SupportedPtr);
    });
}

SQLRETURN SQL_API SQLGetInfoW(SQLHDBC ConnectionHandle,
                              SQLUSMALLINT InfoType,
                              SQLPOINTER InfoValuePtr,
                              SQLSMALLINT BufferLength,
                              SQLSMALLINT* StringLengthPtr)
{
    return EntryFrame::Run(EntryFrame::CONNECTION, ConnectionHandle, "SQLGetInfoW", [&](Connection& io_connection) {
        return io_connection.SQLGetInfoW(InfoType, InfoValuePtr, BufferLength, StringLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetStmtAttrW(SQLHSTMT StatementHandle,
                                  SQLINTEGER Attribute,
                                  SQLPOINTER ValuePtr,
                                  SQLINTEGER BufferLength,
                                  SQLINTEGER* StringLengthPtr)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLGetStmtAttrW", [&](Statement& io_statement) {
        return io_statement.SQLGetStmtAttrW(Attribute, ValuePtr, BufferLength, StringLengthPtr);
    });
}

SQLRETURN SQL_API SQLNativeSqlW(SQLHDBC ConnectionHandle,
                                SQLWCHAR* InStatementText,
                                SQLINTEGER TextLength1,
                                SQLWCHAR* OutStatementText,
                                SQLINTEGER BufferLength,
                                SQLINTEGER* TextLength2Ptr)
{
    return EntryFrame::Run(EntryFrame::CONNECTION, ConnectionHandle, "SQLNativeSqlW", [&](Connection& io_connection) {
        return io_connection.SQLNativeSqlW(InStatementText, TextLength1, OutStatementText, BufferLength, TextLength2Ptr);
    });
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT StatementHandle, SQLLEN* RowCountPtr)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLRowCount",
                           [&](Statement& io_statement) { return io_statement.SQLRowCount(RowCountPtr); });
}

SQLRETURN SQL_API SQLSetCursorNameW(SQLHSTMT StatementHandle, SQLWCHAR* CursorName, SQLSMALLINT NameLength)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLSetCursorNameW", [&](Statement& io_statement) {
        return io_statement.SQLSetCursorNameW(CursorName, NameLength);
    });
}

SQLRETURN SQL_API SQLSetDescFieldW(SQLHDESC DescriptorHandle,
                                   SQLSMALLINT RecNumber,
                                   SQLSMALLINT FieldIdentifier,
                                   SQLPOINTER ValuePtr,
                                   SQLINTEGER BufferLength)
{
    return EntryFrame::Run(EntryFrame::DESCRIPTOR, DescriptorHandle, "SQLSetDescFieldW", [&](Descriptor& io_descriptor) {
        return io_descriptor.SQLSetDescFieldW(RecNumber, FieldIdentifier, ValuePtr, BufferLength);
    });
}

SQLRETURN SQL_API SQLSetDescRec(SQLHDESC DescriptorHandle,
                                SQLSMALLINT RecNumber,
                                SQLSMALLINT Type,
                                SQLSMALLINT SubType,
                                SQLLEN Length,
                                SQLSMALLINT Precision,
                                SQLSMALLINT Scale,
                                SQLPOINTER DataPtr,
                                SQLLEN* StringLengthPtr,
                                SQLLEN* IndicatorPtr)
{
    return EntryFrame::Run(EntryFrame::DESCRIPTOR, DescriptorHandle, "SQLSetDescRec", [&](Descriptor& io_descriptor) {
        return io_descriptor.SQLSetDescRec(RecNumber, Type, SubType, Length, Precision, Scale, DataPtr, StringLengthPtr,
                                           IndicatorPtr);
    });
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV EnvironmentHandle,
                                SQLINTEGER Attribute,
                                SQLPOINTER ValuePtr,
                                SQLINTEGER StringLength)
{
    return EntryFrame::Run(EntryFrame::ENVIRONMENT, EnvironmentHandle, "SQLSetEnvAttr", [&](Environment& io_environment) {
        return io_environment.SQLSetEnvAttr(Attribute, ValuePtr, StringLength);
    });
}

SQLRETURN SQL_API SQLSetStmtAttrW(SQLHSTMT StatementHandle,
                                  SQLINTEGER Attribute,
                                  SQLPOINTER ValuePtr,
                                  SQLINTEGER StringLength)
{
    return EntryFrame::Run(EntryFrame::STATEMENT, StatementHandle, "SQLSetStmtAttrW", [&](Statement& io_statement) {
        return io_statement.SQLSetStmtAttrW(Attribute, ValuePtr, StringLength);
    });
}
