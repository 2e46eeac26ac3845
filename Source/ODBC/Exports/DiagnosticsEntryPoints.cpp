// The exported diagnostics functions. Reading diagnostics never changes them: these functions
// neither clear nor post records, not for their own failures and not for a cut text, which go
// to the log only; the Driver Manager reads every record after each call, and the application
// may read the same records again.

// unixODBC's declarations fix the signatures and, seen first, make the functions visible;
// the version script exports them.
#pragma GCC visibility push(default)
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
#pragma GCC visibility pop

#include "DSI/Client/DSIMessageSource.h"
#include "DSI/DSIDriverSingleton.h"
#include "DSI/DSILog.h"
#include "DSI/IDriver.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Dispatch/CInterface.h"
#include "ODBC/Dispatch/WideOutputString.h"
#include "ODBC/Driver/Driver.h"
#include "Support/EncodingInfo.h"
#include "Support/ErrorException.h"
#include "Support/IDriverManagerStringConverter.h"
#include "Support/IMessageSource.h"
#include "Support/Platform.h"

#include <algorithm>
#include <cstdint>
#include <new>

using namespace Orvik::ODBC;
using Orvik::Support::ErrorException;
using Orvik::Support::orvik_wstring;

namespace {

const char* const LOG_CLASS = "CInterface";

/// The length of the SQLSTATE text, without its terminator.
constexpr int32_t SQLSTATE_LENGTH = 5;

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

/// What a diagnostics function met instead of posting it: (in_state, component 1, in_key) to
/// the log. Never throws.
SQLRETURN LogFailure(const char* in_functionName, Orvik::Support::DiagState in_state, const char16_t* in_key) noexcept
{
    try
    {
        if (Orvik::DSI::DSILog* log = GetLog())
        {
            log->LogErrorException("", LOG_CLASS, in_functionName,
                                   ErrorException(in_state, Orvik::Support::ODBC_COMPONENT_ID, in_key, -1, -1));
        }
    }
    catch (...)
    {
        // The call fails all the same.
    }
    return SQL_ERROR;
}

/// Runs in_body, logging what it throws: an exhausted memory as "MemAllocErr", anything else as
/// "GenErr"; SQL_ERROR then.
template <typename Body>
SQLRETURN RunLogged(const char* in_functionName, Body in_body) noexcept
{
    try
    {
        LogEntrance(in_functionName);
        return in_body();
    }
    catch (const std::bad_alloc&)
    {
        return LogFailure(in_functionName, Orvik::Support::DIAG_MEMORY_ALLOCATION_ERROR, u"MemAllocErr");
    }
    catch (...)
    {
        return LogFailure(in_functionName, Orvik::Support::DIAG_GENERAL_ERROR, u"GenErr");
    }
}

/// The wide forms check the handle first: an unknown one is logged as "Invalid handle.".
bool IsKnownHandle(const char* in_functionName, SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    Driver& driver = Driver::GetDriver();
    HandleEntry entry;
    if (driver.GetDiagManager(in_handleType, static_cast<HandleValue>(reinterpret_cast<uintptr_t>(in_handle)), entry)
        != nullptr)
    {
        return true;
    }
    if (Orvik::DSI::DSILog* log = driver.GetLog())
    {
        log->LogError("", LOG_CLASS, in_functionName, "%s", "Invalid handle.");
    }
    return false;
}

/// A text cut for an ANSI diagnostics function: its warning's text goes to the log, and success
/// becomes success with information.
SQLRETURN ReportCut(const char* in_functionName, SQLRETURN in_result)
{
    Orvik::DSI::DSILog* log = GetLog();
    Orvik::DSI::IDriver* dataStoreDriver = Orvik::DSI::DSIDriverSingleton::GetDriver();
    if (log != nullptr && dataStoreDriver != nullptr)
    {
        orvik_wstring text;
        uint32_t nativeCode = 0;
        dataStoreDriver->GetMessageSource()->LoadMessage(log->GetLocale(), u"StrRightTruncWarn",
                                                         Orvik::Support::ODBC_COMPONENT_ID, text, nativeCode);
        log->LogWarning("", LOG_CLASS, in_functionName, "%s", text.GetAsUTF8().c_str());
    }
    return in_result == SQL_SUCCESS ? SQL_SUCCESS_WITH_INFO : in_result;
}

bool IsTextField(SQLSMALLINT in_diagIdentifier)
{
    switch (in_diagIdentifier)
    {
    case SQL_DIAG_SQLSTATE:
    case SQL_DIAG_MESSAGE_TEXT:
    case SQL_DIAG_DYNAMIC_FUNCTION:
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME:
        return true;
    default:
        return false;
    }
}

uint8_t GetUnitSize()
{
    return Orvik::Support::EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
}

/// A wide buffer for the whole of any text of a record, whatever the application's buffer: the
/// text's length in bytes is then exact, also when there is no buffer or one too short, so that a
/// buffer one longer than told always takes the text whole.
WideOutputString WholeText(bool in_inBytes)
{
    return WideOutputString::ForWholeText(DiagManager::LONGEST_MESSAGE_LENGTH, in_inBytes);
}

SQLRETURN GetTextField(SQLSMALLINT in_handleType,
                       SQLHANDLE in_handle,
                       SQLSMALLINT in_recNumber,
                       SQLSMALLINT in_diagIdentifier,
                       SQLPOINTER out_diagInfo,
                       SQLSMALLINT in_bufferLength,
                       SQLSMALLINT* out_stringLength)
{
    if (in_bufferLength < 0)
    {
        return SQL_ERROR;
    }
    WideOutputString output = WholeText(true);
    SQLSMALLINT wideLength = -1;
    const SQLRETURN result =
        CInterface::GetDiagField(in_handleType, in_handle, in_recNumber, in_diagIdentifier, output.GetBuffer(),
                                 static_cast<SQLSMALLINT>(output.GetLength()), &wideLength);
    if ((result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO) || wideLength == -1)
    {
        return result;
    }
    int64_t length = wideLength / GetUnitSize();
    const bool isCut = output.Convert(out_diagInfo, in_bufferLength, length);
    if (out_stringLength != nullptr)
    {
        *out_stringLength = static_cast<SQLSMALLINT>(std::min<int64_t>(length, WideOutputString::LARGEST_SMALLINT_LENGTH));
    }
    return isCut ? ReportCut("SQLGetDiagField", result) : result;
}

/// The five SQLSTATE characters of the wide record into the application's six bytes; false when
/// the wide text is not five characters long.
bool DeliverSqlState(WideOutputString& io_state, SQLCHAR* out_sqlState)
{
    orvik_wstring state;
    Orvik::Platform::GetPlatform()->GetEncodingConverter().FromUChars(io_state.GetBuffer(), SQLSTATE_LENGTH, false, state);
    if (state.GetLength() != SQLSTATE_LENGTH)
    {
        return false;
    }
    int64_t ignored = 0;
    io_state.Convert(out_sqlState, SQLSTATE_LENGTH + 1, ignored);
    return true;
}

} // namespace

SQLRETURN SQL_API SQLGetDiagRecW(SQLSMALLINT HandleType,
                                 SQLHANDLE Handle,
                                 SQLSMALLINT RecNumber,
                                 SQLWCHAR* Sqlstate,
                                 SQLINTEGER* NativeErrorPtr,
                                 SQLWCHAR* MessageText,
                                 SQLSMALLINT BufferLength,
                                 SQLSMALLINT* TextLengthPtr)
{
    return RunLogged("SQLGetDiagRecW", [&]() -> SQLRETURN {
        if (!IsKnownHandle("SQLGetDiagRecW", HandleType, Handle))
        {
            return SQL_INVALID_HANDLE;
        }
        return CInterface::GetDiagRec(HandleType, Handle, RecNumber, Sqlstate, NativeErrorPtr, MessageText,
                                      BufferLength, TextLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetDiagFieldW(SQLSMALLINT HandleType,
                                   SQLHANDLE Handle,
                                   SQLSMALLINT RecNumber,
                                   SQLSMALLINT DiagIdentifier,
                                   SQLPOINTER DiagInfoPtr,
                                   SQLSMALLINT BufferLength,
                                   SQLSMALLINT* StringLengthPtr)
{
    return RunLogged("SQLGetDiagFieldW", [&]() -> SQLRETURN {
        if (!IsKnownHandle("SQLGetDiagFieldW", HandleType, Handle))
        {
            return SQL_INVALID_HANDLE;
        }
        return CInterface::GetDiagField(HandleType, Handle, RecNumber, DiagIdentifier, DiagInfoPtr, BufferLength,
                                        StringLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT HandleType,
                                  SQLHANDLE Handle,
                                  SQLSMALLINT RecNumber,
                                  SQLSMALLINT DiagIdentifier,
                                  SQLPOINTER DiagInfoPtr,
                                  SQLSMALLINT BufferLength,
                                  SQLSMALLINT* StringLengthPtr)
{
    return RunLogged("SQLGetDiagField", [&]() -> SQLRETURN {
        if (!IsTextField(DiagIdentifier))
        {
            return CInterface::GetDiagField(HandleType, Handle, RecNumber, DiagIdentifier, DiagInfoPtr, BufferLength,
                                            StringLengthPtr);
        }
        return GetTextField(HandleType, Handle, RecNumber, DiagIdentifier, DiagInfoPtr, BufferLength, StringLengthPtr);
    });
}

SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT HandleType,
                                SQLHANDLE Handle,
                                SQLSMALLINT RecNumber,
                                SQLCHAR* Sqlstate,
                                SQLINTEGER* NativeErrorPtr,
                                SQLCHAR* MessageText,
                                SQLSMALLINT BufferLength,
                                SQLSMALLINT* TextLengthPtr)
{
    return RunLogged("SQLGetDiagRec", [&]() -> SQLRETURN {
        if (MessageText != nullptr && BufferLength < 0)
        {
            return SQL_ERROR;
        }
        WideOutputString state(Sqlstate, SQLSTATE_LENGTH + 1, false, WideOutputString::LARGEST_SMALLINT_LENGTH);
        WideOutputString message = WholeText(false);
        SQLSMALLINT wideLength = 0;
        const SQLRETURN result = CInterface::GetDiagRec(
            HandleType, Handle, RecNumber, static_cast<SQLWCHAR*>(state.GetBuffer()), NativeErrorPtr,
            static_cast<SQLWCHAR*>(message.GetBuffer()), message.GetShortLength(), &wideLength);
        if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO)
        {
            return result;
        }
        if (Sqlstate != nullptr && !DeliverSqlState(state, Sqlstate))
        {
            return SQL_ERROR;
        }
        int64_t length = wideLength;
        const bool isCut = message.Convert(MessageText, BufferLength, length);
        if (TextLengthPtr != nullptr)
        {
            *TextLengthPtr = static_cast<SQLSMALLINT>(std::min<int64_t>(length, WideOutputString::LARGEST_SMALLINT_LENGTH));
        }
        return isCut ? ReportCut("SQLGetDiagRec", result) : result;
    });
}
