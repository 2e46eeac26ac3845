// The ANSI exports that are not dispatched and convert their own strings around the wide method
// of the handle object: inputs from the application's ANSI encoding into the driver manager's
// wide encoding, outputs back, cut at a whole character with the full length and the warning
// 01004 on the handle. The byte family passes wide lengths in bytes, the character family in
// code units. Non-string values pass through untouched.

// unixODBC's declarations fix the signatures and, seen first, make the functions visible;
// the version script exports them.
#pragma GCC visibility push(default)
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
#pragma GCC visibility pop

#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Attributes/StatementAttributes.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Dispatch/CallHold.h"
#include "ODBC/Dispatch/WideInputString.h"
#include "ODBC/Dispatch/WideOutputString.h"
#include "ODBC/Exports/EntryFrame.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Info/InfoTypes.h"
#include "Support/EncodingInfo.h"
#include "Support/orvik_wstring.h"

using namespace Orvik::ODBC;
using Orvik::Support::ATTR_WSTRING;

namespace {

bool Succeeded(SQLRETURN in_result)
{
    return in_result == SQL_SUCCESS || in_result == SQL_SUCCESS_WITH_INFO;
}

uint8_t GetUnitSize()
{
    return Orvik::Support::EncodingInfo::GetCodeUnitSize(Orvik::Support::orvik_wstring::GetDriverManagerEncoding());
}

/// Whether the information type has a text value. A number that is no information type is left
/// to the wide method, which refuses it as the wide export does.
bool IsTextInformation(SQLUSMALLINT in_infoType)
{
    try
    {
        return InfoTypes::GetInfoValueKind(in_infoType) == ATTR_WSTRING;
    }
    catch (const Orvik::Support::ErrorException&)
    {
        return false;
    }
}

/// A byte-family output: the wide method (buffer, length in bytes) -> SQLRETURN of io_handle
/// fills a wide buffer sized for the application's; its length in bytes becomes characters, then
/// the text is converted into the application's buffer, with 01004 on io_handle when it was cut.
/// The handle is held from before the wide call until the warning is posted.
template <typename Handle, typename Length, typename WideCall>
SQLRETURN ConvertBytesOut(Handle& io_handle,
                          SQLPOINTER out_value,
                          int64_t in_bufferLength,
                          Length* io_length,
                          int64_t in_largestLength,
                          WideCall in_call)
{
    CallHold hold(io_handle);
    WideOutputString output(out_value, in_bufferLength, true, in_largestLength);
    const SQLRETURN result = in_call(output.GetBuffer(), static_cast<Length>(output.GetLength()));
    if (!Succeeded(result))
    {
        return result;
    }
    if (io_length != nullptr)
    {
        *io_length = static_cast<Length>(*io_length / GetUnitSize());
    }
    return hold.Deliver(output, result, out_value, in_bufferLength, io_length);
}

/// A character-family output: as ConvertBytesOut, with lengths in code units that need no
/// division.
template <typename Handle, typename Length, typename WideCall>
SQLRETURN ConvertCharactersOut(Handle& io_handle,
                               SQLCHAR* out_text,
                               int64_t in_bufferLength,
                               Length* io_length,
                               int64_t in_largestLength,
                               WideCall in_call)
{
    CallHold hold(io_handle);
    WideOutputString output(out_text, in_bufferLength, false, in_largestLength);
    const SQLRETURN result =
        in_call(static_cast<SQLWCHAR*>(output.GetBuffer()), static_cast<Length>(output.GetLength()));
    if (!Succeeded(result))
    {
        return result;
    }
    return hold.Deliver(output, result, out_text, in_bufferLength, io_length);
}

constexpr int64_t SMALLINT_LENGTHS = WideOutputString::LARGEST_SMALLINT_LENGTH;
constexpr int64_t INTEGER_LENGTHS = WideOutputString::LARGEST_INTEGER_LENGTH;

} // namespace

SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC ConnectionHandle,
                                    SQLINTEGER Attribute,
                                    SQLPOINTER ValuePtr,
                                    SQLINTEGER BufferLength,
                                    SQLINTEGER* StringLengthPtr)
{
    return EntryFrame::RunConverting(
        EntryFrame::CONNECTION, ConnectionHandle, "SQLGetConnectAttr", &CInterface::PostConnectionException,
        [&](Connection& io_connection) {
            if (io_connection.GetAttributes().GetValueType(Attribute) != ATTR_WSTRING)
            {
                return io_connection.SQLGetConnectAttr(Attribute, ValuePtr, BufferLength, StringLengthPtr);
            }
            return ConvertBytesOut(io_connection, ValuePtr, BufferLength, StringLengthPtr, INTEGER_LENGTHS,
                                   [&](SQLPOINTER out_wide, SQLINTEGER in_wideLength) {
                                       return io_connection.SQLGetConnectAttr(Attribute, out_wide, in_wideLength,
                                                                              StringLengthPtr);
                                   });
        });
}

SQLRETURN SQL_API SQLGetStmtAttr(SQLHSTMT StatementHandle,
                                 SQLINTEGER Attribute,
                                 SQLPOINTER ValuePtr,
                                 SQLINTEGER BufferLength,
                                 SQLINTEGER* StringLengthPtr)
{
    return EntryFrame::RunConverting(
        EntryFrame::STATEMENT, StatementHandle, "SQLGetStmtAttr", &CInterface::PostStatementException,
        [&](Statement& io_statement) {
            if (io_statement.GetAttributes().GetValueType(Attribute) != ATTR_WSTRING)
            {
                return io_statement.SQLGetStmtAttrW(Attribute, ValuePtr, BufferLength, StringLengthPtr);
            }
            return ConvertBytesOut(io_statement, ValuePtr, BufferLength, StringLengthPtr, INTEGER_LENGTHS,
                                   [&](SQLPOINTER out_wide, SQLINTEGER in_wideLength) {
                                       return io_statement.SQLGetStmtAttrW(Attribute, out_wide, in_wideLength,
                                                                           StringLengthPtr);
                                   });
        });
}

SQLRETURN SQL_API SQLSetStmtAttr(SQLHSTMT StatementHandle,
                                 SQLINTEGER Attribute,
                                 SQLPOINTER ValuePtr,
                                 SQLINTEGER StringLength)
{
    return EntryFrame::RunConverting(
        EntryFrame::STATEMENT, StatementHandle, "SQLSetStmtAttr", &CInterface::PostStatementException,
        [&](Statement& io_statement) {
            if (io_statement.GetAttributes().GetValueType(Attribute) != ATTR_WSTRING)
            {
                return io_statement.SQLSetStmtAttrW(Attribute, ValuePtr, StringLength);
            }
            WideInputString value(ValuePtr, StringLength, true);
            return io_statement.SQLSetStmtAttrW(Attribute, value.GetText(), value.GetLength());
        });
}

SQLRETURN SQL_API SQLGetDescField(SQLHDESC DescriptorHandle,
                                  SQLSMALLINT RecNumber,
                                  SQLSMALLINT FieldIdentifier,
                                  SQLPOINTER ValuePtr,
                                  SQLINTEGER BufferLength,
                                  SQLINTEGER* StringLengthPtr)
{
    return EntryFrame::RunConverting(
        EntryFrame::DESCRIPTOR, DescriptorHandle, "SQLGetDescField", nullptr, [&](Descriptor& io_descriptor) {
            if (!Descriptor::IsStringField(FieldIdentifier))
            {
                return io_descriptor.SQLGetDescFieldW(RecNumber, FieldIdentifier, ValuePtr, BufferLength,
                                                      StringLengthPtr);
            }
            return ConvertBytesOut(io_descriptor, ValuePtr, BufferLength, StringLengthPtr, INTEGER_LENGTHS,
                                   [&](SQLPOINTER out_wide, SQLINTEGER in_wideLength) {
                                       return io_descriptor.SQLGetDescFieldW(RecNumber, FieldIdentifier, out_wide,
                                                                             in_wideLength, StringLengthPtr);
                                   });
        });
}

SQLRETURN SQL_API SQLSetDescField(SQLHDESC DescriptorHandle,
                                  SQLSMALLINT RecNumber,
                                  SQLSMALLINT FieldIdentifier,
                                  SQLPOINTER ValuePtr,
                                  SQLINTEGER BufferLength)
{
    return EntryFrame::RunConverting(
        EntryFrame::DESCRIPTOR, DescriptorHandle, "SQLSetDescField", &CInterface::PostDescriptorException,
        [&](Descriptor& io_descriptor) {
            if (!Descriptor::IsStringField(FieldIdentifier))
            {
                return io_descriptor.SQLSetDescFieldW(RecNumber, FieldIdentifier, ValuePtr, BufferLength);
            }
            WideInputString value(ValuePtr, BufferLength, true);
            return io_descriptor.SQLSetDescFieldW(RecNumber, FieldIdentifier, value.GetText(), value.GetLength());
        });
}

SQLRETURN SQL_API SQLGetInfo(SQLHDBC ConnectionHandle,
                             SQLUSMALLINT InfoType,
                             SQLPOINTER InfoValuePtr,
                             SQLSMALLINT BufferLength,
                             SQLSMALLINT* StringLengthPtr)
{
    return EntryFrame::RunConverting(
        EntryFrame::CONNECTION, ConnectionHandle, "SQLGetInfo", nullptr, [&](Connection& io_connection) {
            if (!IsTextInformation(InfoType))
            {
                return io_connection.SQLGetInfoW(InfoType, InfoValuePtr, BufferLength, StringLengthPtr);
            }
            return ConvertBytesOut(io_connection, InfoValuePtr, BufferLength, StringLengthPtr, SMALLINT_LENGTHS,
                                   [&](SQLPOINTER out_wide, SQLSMALLINT in_wideLength) {
                                       return io_connection.SQLGetInfoW(InfoType, out_wide, in_wideLength,
                                                                        StringLengthPtr);
                                   });
        });
}

SQLRETURN SQL_API SQLGetCursorName(SQLHSTMT StatementHandle,
                                   SQLCHAR* CursorName,
                                   SQLSMALLINT BufferLength,
                                   SQLSMALLINT* NameLengthPtr)
{
    return EntryFrame::RunConverting(
        EntryFrame::STATEMENT, StatementHandle, "SQLGetCursorName", nullptr, [&](Statement& io_statement) {
            return ConvertCharactersOut(io_statement, CursorName, BufferLength, NameLengthPtr, SMALLINT_LENGTHS,
                                        [&](SQLWCHAR* out_wide, SQLSMALLINT in_wideLength) {
                                            return io_statement.SQLGetCursorNameW(out_wide, in_wideLength,
                                                                                  NameLengthPtr);
                                        });
        });
}

SQLRETURN SQL_API SQLGetDescRec(SQLHDESC DescriptorHandle,
                                SQLSMALLINT RecNumber,
                                SQLCHAR* Name,
                                SQLSMALLINT BufferLength,
                                SQLSMALLINT* StringLengthPtr,
                                SQLSMALLINT* TypePtr,
                                SQLSMALLINT* SubTypePtr,
                                SQLLEN* LengthPtr,
                                SQLSMALLINT* PrecisionPtr,
                                SQLSMALLINT* ScalePtr,
                                SQLSMALLINT* NullablePtr)
{
    return EntryFrame::RunConverting(
        EntryFrame::DESCRIPTOR, DescriptorHandle, "SQLGetDescRec", nullptr, [&](Descriptor& io_descriptor) {
            return ConvertCharactersOut(io_descriptor, Name, BufferLength, StringLengthPtr, SMALLINT_LENGTHS,
                                        [&](SQLWCHAR* out_wide, SQLSMALLINT in_wideLength) {
                                            return io_descriptor.SQLGetDescRecW(RecNumber, out_wide, in_wideLength,
                                                                                StringLengthPtr, TypePtr, SubTypePtr,
                                                                                LengthPtr, PrecisionPtr, ScalePtr,
                                                                                NullablePtr);
                                        });
        });
}

SQLRETURN SQL_API SQLNativeSql(SQLHDBC ConnectionHandle,
                               SQLCHAR* InStatementText,
                               SQLINTEGER TextLength1,
                               SQLCHAR* OutStatementText,
                               SQLINTEGER BufferLength,
                               SQLINTEGER* TextLength2Ptr)
{
    return EntryFrame::RunConverting(
        EntryFrame::CONNECTION, ConnectionHandle, "SQLNativeSql", &CInterface::PostConnectionException,
        [&](Connection& io_connection) {
            WideInputString input(InStatementText, TextLength1);
            return ConvertCharactersOut(io_connection, OutStatementText, BufferLength, TextLength2Ptr, INTEGER_LENGTHS,
                                        [&](SQLWCHAR* out_wide, SQLINTEGER in_wideLength) {
                                            return io_connection.SQLNativeSqlW(input.GetText(), input.GetLength(),
                                                                               out_wide, in_wideLength, TextLength2Ptr);
                                        });
        });
}

SQLRETURN SQL_API SQLSetCursorName(SQLHSTMT StatementHandle, SQLCHAR* CursorName, SQLSMALLINT NameLength)
{
    return EntryFrame::RunConverting(
        EntryFrame::STATEMENT, StatementHandle, "SQLSetCursorName", &CInterface::PostStatementException,
        [&](Statement& io_statement) {
            WideInputString name(CursorName, NameLength);
            return io_statement.SQLSetCursorNameW(name.GetText(), name.GetShortLength());
        });
}
