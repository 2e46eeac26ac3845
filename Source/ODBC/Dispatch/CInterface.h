#pragma once

#include "ODBC/Dispatch/ArgumentRecords.h"
#include "ODBC/Dispatch/DispatchedFunctions.h"
#include "ODBC/Handles/HandleEntry.h"
#include "Support/DiagState.h"

#include <sql.h>

#include <cstdint>
#include <vector>

namespace Orvik {

namespace Support {
class ErrorException;
class SizedBuffer;
class Variant;
class orvik_wstring;
} // namespace Support

namespace ODBC {

class Connection;
class Descriptor;
class Environment;
class Statement;

/// What lies behind the exported ODBC functions, as static operations without state of their
/// own: finding the object behind a handle value, posting the failure of a call as the one
/// diagnostic record of its handle, reading diagnostics, moving strings between the
/// application's encodings and the wide text of the handle objects, the catalog functions with
/// their arguments packed for the connection, the ANSI forms over the wide operations, and the
/// dispatchers that run a call on the caller's thread or as a task on the worker pool.
///
/// Log lines have an empty namespace, the class "CInterface" and, as method, the name of the
/// ODBC function being served, as the caller passes it.
class CInterface
{
public:
    CInterface() = delete;

    // Lookups: the object registered under the value in its kind's registry (descriptors:
    // implementation, implicit and explicit ones alike) with the call counted on it until the
    // entry goes (see Driver::EnterStatement), or an empty entry, also when the handle's free has
    // begun, after logging "Invalid ... handle." at ERROR; nothing is posted. The entrance is
    // logged at TRACE. The object is an Environment, a Connection, a Statement or a Descriptor.
    static HandleEntry EnterEnvironment(SQLHANDLE in_handle, const char* in_functionName);
    static HandleEntry EnterConnection(SQLHANDLE in_handle, const char* in_functionName);
    static HandleEntry EnterStatement(SQLHANDLE in_handle, const char* in_functionName);
    static HandleEntry EnterDescriptor(SQLHANDLE in_handle, const char* in_functionName);

    // Posting, from the catch paths of a failed call: log the error at ERROR, find the handle
    // again in its own kind's registry and, when it is there and not being freed, clear its
    // diagnostics and post the one record, holding the handle as its calls do (CallHold): the
    // exception itself, or (state, component 1, key) at no row or column. Nothing escapes them.
    static void PostConnectionException(SQLHANDLE in_handle,
                                        const Support::ErrorException& in_exception,
                                        const char* in_functionName);
    static void PostStatementException(SQLHANDLE in_handle,
                                       const Support::ErrorException& in_exception,
                                       const char* in_functionName);
    static void PostDescriptorException(SQLHANDLE in_handle,
                                        const Support::ErrorException& in_exception,
                                        const char* in_functionName);
    static void PostConnectionError(SQLHANDLE in_handle,
                                    Support::DiagState in_state,
                                    const Support::orvik_wstring& in_messageKey,
                                    const char* in_functionName);
    static void PostStatementError(SQLHANDLE in_handle,
                                   Support::DiagState in_state,
                                   const Support::orvik_wstring& in_messageKey,
                                   const char* in_functionName);
    static void PostDescriptorError(SQLHANDLE in_handle,
                                    Support::DiagState in_state,
                                    const Support::orvik_wstring& in_messageKey,
                                    const char* in_functionName);
    static void PostEnvironmentError(SQLHANDLE in_handle,
                                     Support::DiagState in_state,
                                     const Support::orvik_wstring& in_messageKey,
                                     const char* in_functionName);

    // SQLGetDiagFieldW and SQLGetDiagRecW on the handle's diagnostics, texts in the driver
    // manager's encoding: SQL_INVALID_HANDLE when Driver::GetDiagManager finds none (an unknown
    // handle type or a handle not of that type). They never log, clear or post.
    static SQLRETURN GetDiagField(SQLSMALLINT in_handleType,
                                  SQLHANDLE in_handle,
                                  SQLSMALLINT in_recNumber,
                                  SQLSMALLINT in_diagIdentifier,
                                  SQLPOINTER out_diagInfo,
                                  SQLSMALLINT in_bufferLength,
                                  SQLSMALLINT* out_stringLength);
    static SQLRETURN GetDiagRec(SQLSMALLINT in_handleType,
                                SQLHANDLE in_handle,
                                SQLSMALLINT in_recNumber,
                                SQLWCHAR* out_sqlState,
                                SQLINTEGER* out_nativeError,
                                SQLWCHAR* out_messageText,
                                SQLSMALLINT in_bufferLength,
                                SQLSMALLINT* out_textLength);

    /// Refuses the application's ANSI text (in_length bytes or SQL_NTS; null passes) when it is not
    /// valid in the application's encoding, rather than let its bad bytes become replacement
    /// characters and change what the application meant: HY000 "InputStringMalformed", naming
    /// the position of the first bad byte (from 1) and the encoding. Wide text is checked where
    /// it is read (WideArgument).
    static void CheckInputString(const SQLCHAR* in_text, SQLINTEGER in_length);

    /// Converts the application's ANSI text (in_length bytes or SQL_NTS) into out_buffer in the
    /// driver manager's encoding, terminated, within in_bufferLength bytes (in_lengthInBytes) or
    /// code units. Returns the bytes or code units written without the terminator; a text that
    /// did not fit whole sets out_truncated. A null text writes nothing and returns 0. A text
    /// that is not valid in the application's encoding is refused (CheckInputString).
    static int32_t ConvertInputString(const SQLCHAR* in_text,
                                      SQLINTEGER in_length,
                                      void* out_buffer,
                                      int64_t in_bufferLength,
                                      bool in_lengthInBytes,
                                      bool& out_truncated);

    /// Converts wide text in the driver manager's encoding (in_length bytes when
    /// in_lengthInBytes, else code units, or SQL_NTS) into the application's ANSI buffer of
    /// in_bufferLength bytes: terminated, cut at a whole character when it does not fit (then
    /// out_truncated is set), the full length in bytes written to out_length when given. A null
    /// buffer takes nothing and nothing is reported.
    static void ConvertOutputString(const void* in_text,
                                    SQLINTEGER in_length,
                                    SQLCHAR* out_buffer,
                                    int32_t in_bufferLength,
                                    int32_t* out_length,
                                    bool in_lengthInBytes,
                                    bool& out_truncated);

    /// Copies the wide text (in_length code units or SQL_NTS) into io_buffer, which then holds
    /// exactly its bytes, without a terminator, and returns the length in code units. A null text
    /// or another negative length is not read: InvalidArgumentException.
    static int64_t CopyToOwnedBuffer(const void* in_text, int32_t in_length, Support::SizedBuffer& io_buffer);

    /// Copies the terminated text that a task's wide call wrote into in_source (in_textLength the
    /// length the call reported, in bytes or code units) into out_target of in_targetLength
    /// (the same unit), terminated and cut at a whole character when it does not fit, which
    /// sets out_truncated. Never reads beyond the source or writes beyond the target.
    static void CopyTruncated(const Support::SizedBuffer& in_source,
                              int64_t in_textLength,
                              void* out_target,
                              int64_t in_targetLength,
                              bool in_lengthsInBytes,
                              bool& out_truncated);

    /// Appends the catalog argument: given (not the null string), as it is; otherwise, when the
    /// connection reports catalog support ("Y") and SQL_ATTR_METADATA_ID is off, the current
    /// catalog (escaped as a literal pattern when in_escape); otherwise the null string.
    static void GetCatalogArgument(Statement& in_statement,
                                   const Support::orvik_wstring& in_catalog,
                                   bool in_escape,
                                   std::vector<Support::Variant>& io_arguments);

    // The catalog functions, both forms: the names converted in the order of the ODBC
    // signature, packed with the integers and handed to the statement's connection. They return
    // what the connection returns.
    static SQLRETURN DoSQLTables(Statement& io_statement, const Support::orvik_wstring (&in_names)[4]);
    static SQLRETURN DoSQLTablePrivileges(Statement& io_statement, const Support::orvik_wstring (&in_names)[3]);
    static SQLRETURN DoSQLColumns(Statement& io_statement, const Support::orvik_wstring (&in_names)[4]);
    static SQLRETURN DoSQLColumnPrivileges(Statement& io_statement, const Support::orvik_wstring (&in_names)[4]);
    static SQLRETURN DoSQLForeignKeys(Statement& io_statement, const Support::orvik_wstring (&in_names)[6]);
    static SQLRETURN DoSQLPrimaryKeys(Statement& io_statement, const Support::orvik_wstring (&in_names)[3]);
    static SQLRETURN DoSQLSpecialColumns(Statement& io_statement,
                                         SQLUSMALLINT in_identifierType,
                                         const Support::orvik_wstring (&in_names)[3],
                                         SQLUSMALLINT in_scope,
                                         SQLUSMALLINT in_nullable);
    static SQLRETURN DoSQLStatistics(Statement& io_statement,
                                     const Support::orvik_wstring (&in_names)[3],
                                     SQLUSMALLINT in_unique,
                                     SQLUSMALLINT in_reserved);
    static SQLRETURN DoSQLProcedures(Statement& io_statement, const Support::orvik_wstring (&in_names)[3]);
    static SQLRETURN DoSQLProcedureColumns(Statement& io_statement, const Support::orvik_wstring (&in_names)[4]);
    static SQLRETURN DoSQLGetTypeInfo(Statement& io_statement, SQLSMALLINT in_dataType);

    // The ANSI forms over the wide operations: input strings converted from the application's
    // encoding (a text that cannot be converted whole raises "InputStringToUnicodeConvErr", a
    // negative length other than SQL_NTS "InvalidStrOrBuffLen"), output strings converted back
    // into the application's buffers, cut at a whole character with the full length in bytes and
    // the warning 01004 "StrRightTruncWarn" on the handle (once, when the wide call cut it too),
    // posted before the handle is let go (CallHold).
    // However large an application's buffer, the wide call is offered at most what a 16-bit
    // length holds, never a wrapped length.
    static SQLRETURN CallSQLBrowseConnect(Connection& io_connection, const SQLBrowseConnectArgs& in_args);
    static SQLRETURN CallSQLConnect(Connection& io_connection, const SQLConnectArgs& in_args);
    static SQLRETURN CallSQLDriverConnect(Connection& io_connection, const SQLDriverConnectArgs& in_args);
    /// Converts the value of a string-valued attribute only; an attribute that neither the ODBC
    /// layer nor the data-store connection knows raises "InvalidAttrIdent" (HY092).
    static SQLRETURN CallSQLSetConnectAttr(Connection& io_connection, const SQLSetConnectAttrArgs& in_args);
    /// Converts the value of a string field only; its buffer length counts bytes.
    static SQLRETURN CallSQLColAttribute(Statement& io_statement, const SQLColAttributeArgs& in_args);
    static SQLRETURN CallSQLDescribeCol(Statement& io_statement, const SQLDescribeColArgs& in_args);
    static SQLRETURN CallSQLExecDirect(Statement& io_statement, const SQLExecDirectArgs& in_args);
    static SQLRETURN CallSQLPrepare(Statement& io_statement, const SQLPrepareArgs& in_args);

    // The dispatchers, one per dispatched export (DispatchSQLExecDirectW and so on; both forms of
    // SQLGetTypeInfo share one). Each finds the handle (SQL_INVALID_HANDLE when it is not one of
    // the function's kind) and, under the handle's dispatch lock: reports a pending task that is
    // still running (SQL_STILL_EXECUTING) or collects a finished one (its result, and for the
    // wide SQLBrowseConnect, SQLColAttribute, SQLDescribeCol and SQLDriverConnect its outputs
    // into this call's buffers); else starts the call as a task (SQL_STILL_EXECUTING) when the
    // handle is in asynchronous mode and the function may run as one; else runs it at once and
    // returns its result. What escapes becomes the handle's one record and SQL_ERROR.
    // in_functionName names the function in the log lines.
#define ORVIK_DECLARE_DISPATCHER(NAME) \
    static SQLRETURN Dispatch##NAME(const char* in_functionName, SQLHANDLE in_handle, NAME##Args* in_args);
    ORVIK_DISPATCHED_FUNCTIONS(ORVIK_DECLARE_DISPATCHER)
#undef ORVIK_DECLARE_DISPATCHER
};

} // namespace ODBC
} // namespace Orvik
