#include "ODBC/Dispatch/DispatchedCalls.h"

#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"

namespace Orvik {
namespace ODBC {

// Connection functions.

SQLRETURN SQLBrowseConnectCall::Call(Connection& io_connection, const Args& in_args)
{
    return CInterface::CallSQLBrowseConnect(io_connection, in_args);
}

SQLRETURN SQLBrowseConnectWCall::Call(Connection& io_connection, const Args& in_args)
{
    return io_connection.SQLBrowseConnectW(in_args.InConnectionString, in_args.StringLength1,
                                           in_args.OutConnectionString, in_args.BufferLength,
                                           in_args.StringLength2Ptr);
}

SQLRETURN SQLConnectCall::Call(Connection& io_connection, const Args& in_args)
{
    return CInterface::CallSQLConnect(io_connection, in_args);
}

SQLRETURN SQLConnectWCall::Call(Connection& io_connection, const Args& in_args)
{
    return io_connection.SQLConnectW(in_args.ServerName, in_args.NameLength1, in_args.UserName, in_args.NameLength2,
                                     in_args.Authentication, in_args.NameLength3);
}

SQLRETURN SQLDriverConnectCall::Call(Connection& io_connection, const Args& in_args)
{
    return CInterface::CallSQLDriverConnect(io_connection, in_args);
}

SQLRETURN SQLDriverConnectWCall::Call(Connection& io_connection, const Args& in_args)
{
    return io_connection.SQLDriverConnectW(in_args.WindowHandle, in_args.InConnectionString, in_args.StringLength1,
                                           in_args.OutConnectionString, in_args.BufferLength,
                                           in_args.StringLength2Ptr, in_args.DriverCompletion);
}

SQLRETURN SQLDisconnectCall::Call(Connection& io_connection, const Args&)
{
    return io_connection.SQLDisconnect();
}

SQLRETURN SQLEndTranCall::Call(Connection& io_connection, const Args& in_args)
{
    return io_connection.SQLEndTran(SQL_HANDLE_DBC, in_args.CompletionType);
}

SQLRETURN SQLSetConnectAttrCall::Call(Connection& io_connection, const Args& in_args)
{
    return CInterface::CallSQLSetConnectAttr(io_connection, in_args);
}

SQLRETURN SQLSetConnectAttrWCall::Call(Connection& io_connection, const Args& in_args)
{
    return io_connection.SQLSetConnectAttr(in_args.Attribute, in_args.ValuePtr, in_args.StringLength);
}

// Statement functions.

SQLRETURN SQLColAttributeCall::Call(Statement& io_statement, const Args& in_args)
{
    return CInterface::CallSQLColAttribute(io_statement, in_args);
}

SQLRETURN SQLColAttributeWCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLColAttributeW(in_args.ColumnNumber, in_args.FieldIdentifier, in_args.CharacterAttributePtr,
                                         in_args.BufferLength, in_args.StringLengthPtr, in_args.NumericAttributePtr);
}

SQLRETURN SQLDescribeColCall::Call(Statement& io_statement, const Args& in_args)
{
    return CInterface::CallSQLDescribeCol(io_statement, in_args);
}

SQLRETURN SQLDescribeColWCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLDescribeColW(in_args.ColumnNumber, in_args.ColumnName, in_args.BufferLength,
                                        in_args.NameLengthPtr, in_args.DataTypePtr, in_args.ColumnSizePtr,
                                        in_args.DecimalDigitsPtr, in_args.NullablePtr);
}

SQLRETURN SQLDescribeParamCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLDescribeParam(in_args.ParameterNumber, in_args.DataTypePtr, in_args.ParameterSizePtr,
                                         in_args.DecimalDigitsPtr, in_args.NullablePtr);
}

SQLRETURN SQLExecDirectCall::Call(Statement& io_statement, const Args& in_args)
{
    return CInterface::CallSQLExecDirect(io_statement, in_args);
}

SQLRETURN SQLExecDirectWCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.GetConnection().SQLExecDirectW(io_statement, in_args.StatementText, in_args.TextLength);
}

SQLRETURN SQLExecuteCall::Call(Statement& io_statement, const Args&)
{
    return io_statement.GetConnection().SQLExecute(io_statement);
}

SQLRETURN SQLFetchCall::Call(Statement& io_statement, const Args&)
{
    return io_statement.SQLFetch();
}

SQLRETURN SQLFetchScrollCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLFetchScroll(in_args.FetchOrientation, in_args.FetchOffset);
}

SQLRETURN SQLGetDataCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLGetData(in_args.Col_or_Param_Num, in_args.TargetType, in_args.TargetValuePtr,
                                   in_args.BufferLength, in_args.StrLen_or_IndPtr);
}

SQLRETURN SQLGetTypeInfoCall::Call(Statement& io_statement, const Args& in_args)
{
    return CInterface::DoSQLGetTypeInfo(io_statement, in_args.DataType);
}

SQLRETURN SQLMoreResultsCall::Call(Statement& io_statement, const Args&)
{
    return io_statement.SQLMoreResults();
}

SQLRETURN SQLNumParamsCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLNumParams(in_args.ParameterCountPtr);
}

SQLRETURN SQLNumResultColsCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLNumResultCols(in_args.ColumnCountPtr);
}

SQLRETURN SQLParamDataCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLParamData(in_args.ValuePtrPtr);
}

SQLRETURN SQLPrepareCall::Call(Statement& io_statement, const Args& in_args)
{
    return CInterface::CallSQLPrepare(io_statement, in_args);
}

SQLRETURN SQLPrepareWCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLPrepareW(in_args.StatementText, in_args.TextLength);
}

SQLRETURN SQLPutDataCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLPutData(in_args.DataPtr, in_args.StrLen_or_Ind);
}

SQLRETURN SQLSetPosCall::Call(Statement& io_statement, const Args& in_args)
{
    return io_statement.SQLSetPos(in_args.RowNumber, in_args.Operation, in_args.LockType);
}

} // namespace ODBC
} // namespace Orvik
