#include "ODBC/Dispatch/CInterface.h"

#include "ODBC/Attributes/ConnectionAttributes.h"
#include "ODBC/Dispatch/CallHold.h"
#include "ODBC/Descriptors/Descriptor.h"
#include "ODBC/Dispatch/WideInputString.h"
#include "ODBC/Dispatch/WideOutputString.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"
#include "Support/EncodingInfo.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

uint8_t GetUnitSize()
{
    return EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
}

bool CopiesOutputs(SQLRETURN in_result, bool in_withNeedData)
{
    return in_result == SQL_SUCCESS || in_result == SQL_SUCCESS_WITH_INFO || (in_withNeedData && in_result == SQL_NEED_DATA);
}

} // namespace

SQLRETURN CInterface::CallSQLBrowseConnect(Connection& io_connection, const SQLBrowseConnectArgs& in_args)
{
    CallHold hold(io_connection);
    WideInputString input(in_args.InConnectionString, in_args.StringLength1);
    WideOutputString output(in_args.OutConnectionString, in_args.BufferLength, false);
    SQLRETURN result = io_connection.SQLBrowseConnectW(input.GetText(), input.GetShortLength(),
                                                       static_cast<SQLWCHAR*>(output.GetBuffer()), output.GetShortLength(),
                                                       in_args.StringLength2Ptr);
    if (CopiesOutputs(result, true))
    {
        result = hold.Deliver(output, result, in_args.OutConnectionString, in_args.BufferLength,
                              in_args.StringLength2Ptr);
    }
    return result;
}

SQLRETURN CInterface::CallSQLConnect(Connection& io_connection, const SQLConnectArgs& in_args)
{
    WideInputString serverName(in_args.ServerName, in_args.NameLength1);
    WideInputString userName(in_args.UserName, in_args.NameLength2);
    WideInputString authentication(in_args.Authentication, in_args.NameLength3);
    return io_connection.SQLConnectW(serverName.GetText(), serverName.GetShortLength(), userName.GetText(),
                                     userName.GetShortLength(), authentication.GetText(),
                                     authentication.GetShortLength());
}

SQLRETURN CInterface::CallSQLDriverConnect(Connection& io_connection, const SQLDriverConnectArgs& in_args)
{
    CallHold hold(io_connection);
    WideInputString input(in_args.InConnectionString, in_args.StringLength1);
    WideOutputString output(in_args.OutConnectionString, in_args.BufferLength, false);
    SQLRETURN result = io_connection.SQLDriverConnectW(in_args.WindowHandle, input.GetText(), input.GetShortLength(),
                                                       static_cast<SQLWCHAR*>(output.GetBuffer()), output.GetShortLength(),
                                                       in_args.StringLength2Ptr, in_args.DriverCompletion);
    if (CopiesOutputs(result, false))
    {
        result = hold.Deliver(output, result, in_args.OutConnectionString, in_args.BufferLength,
                              in_args.StringLength2Ptr);
    }
    return result;
}

SQLRETURN CInterface::CallSQLSetConnectAttr(Connection& io_connection, const SQLSetConnectAttrArgs& in_args)
{
    if (io_connection.GetAttributes().GetValueType(in_args.Attribute) != ATTR_WSTRING || in_args.ValuePtr == nullptr)
    {
        return io_connection.SQLSetConnectAttr(in_args.Attribute, in_args.ValuePtr, in_args.StringLength);
    }
    WideInputString value(in_args.ValuePtr, in_args.StringLength, true);
    return io_connection.SQLSetConnectAttr(in_args.Attribute, value.GetText(), value.GetLength());
}

SQLRETURN CInterface::CallSQLColAttribute(Statement& io_statement, const SQLColAttributeArgs& in_args)
{
    if (!Descriptor::IsStringField(static_cast<int16_t>(in_args.FieldIdentifier)))
    {
        return io_statement.SQLColAttributeW(in_args.ColumnNumber, in_args.FieldIdentifier,
                                             in_args.CharacterAttributePtr, in_args.BufferLength,
                                             in_args.StringLengthPtr, in_args.NumericAttributePtr);
    }
    CallHold hold(io_statement);
    WideOutputString output(in_args.CharacterAttributePtr, in_args.BufferLength, true);
    SQLRETURN result = io_statement.SQLColAttributeW(in_args.ColumnNumber, in_args.FieldIdentifier, output.GetBuffer(),
                                                     output.GetShortLength(), in_args.StringLengthPtr,
                                                     in_args.NumericAttributePtr);
    if (!CopiesOutputs(result, false))
    {
        return result;
    }
    // The wide call counts bytes; the application is told characters.
    if (in_args.StringLengthPtr != nullptr)
    {
        *in_args.StringLengthPtr = static_cast<SQLSMALLINT>(*in_args.StringLengthPtr / GetUnitSize());
    }
    return hold.Deliver(output, result, in_args.CharacterAttributePtr, in_args.BufferLength, in_args.StringLengthPtr);
}

SQLRETURN CInterface::CallSQLDescribeCol(Statement& io_statement, const SQLDescribeColArgs& in_args)
{
    CallHold hold(io_statement);
    WideOutputString output(in_args.ColumnName, in_args.BufferLength, false);
    SQLRETURN result = io_statement.SQLDescribeColW(in_args.ColumnNumber, static_cast<SQLWCHAR*>(output.GetBuffer()),
                                                    output.GetShortLength(), in_args.NameLengthPtr, in_args.DataTypePtr,
                                                    in_args.ColumnSizePtr, in_args.DecimalDigitsPtr,
                                                    in_args.NullablePtr);
    if (CopiesOutputs(result, false))
    {
        result = hold.Deliver(output, result, in_args.ColumnName, in_args.BufferLength, in_args.NameLengthPtr);
    }
    return result;
}

SQLRETURN CInterface::CallSQLExecDirect(Statement& io_statement, const SQLExecDirectArgs& in_args)
{
    WideInputString text(in_args.StatementText, in_args.TextLength);
    return io_statement.GetConnection().SQLExecDirectW(io_statement, text.GetText(), text.GetLength());
}

SQLRETURN CInterface::CallSQLPrepare(Statement& io_statement, const SQLPrepareArgs& in_args)
{
    WideInputString text(in_args.StatementText, in_args.TextLength);
    return io_statement.SQLPrepareW(text.GetText(), text.GetLength());
}

} // namespace ODBC
} // namespace Orvik
