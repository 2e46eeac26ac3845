// The exported ODBC functions that may run as an asynchronous task, or that convert ANSI text
// on the way: each packs the arguments after its handle into its record and hands it to its
// dispatcher, which finds the handle, runs or queues the call and catches what it throws. The
// name handed over is the one the log lines carry.

// unixODBC's declarations fix the signatures and, seen first, make the functions visible;
// the version script exports them.
#pragma GCC visibility push(default)
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>
#pragma GCC visibility pop

#include "ODBC/Dispatch/CInterface.h"

using Orvik::ODBC::CInterface;
namespace Odbc = Orvik::ODBC;

// Connection functions.

SQLRETURN SQL_API SQLBrowseConnect(SQLHDBC ConnectionHandle,
                                   SQLCHAR* InConnectionString,
                                   SQLSMALLINT StringLength1,
                                   SQLCHAR* OutConnectionString,
                                   SQLSMALLINT BufferLength,
                                   SQLSMALLINT* StringLength2Ptr)
{
    Odbc::SQLBrowseConnectArgs args{InConnectionString, StringLength1, OutConnectionString, BufferLength,
                                    StringLength2Ptr};
    return CInterface::DispatchSQLBrowseConnect("SQLBrowseConnect", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLBrowseConnectW(SQLHDBC ConnectionHandle,
                                    SQLWCHAR* InConnectionString,
                                    SQLSMALLINT StringLength1,
                                    SQLWCHAR* OutConnectionString,
                                    SQLSMALLINT BufferLength,
                                    SQLSMALLINT* StringLength2Ptr)
{
    Odbc::SQLBrowseConnectWArgs args{InConnectionString, StringLength1, OutConnectionString, BufferLength,
                                     StringLength2Ptr};
    return CInterface::DispatchSQLBrowseConnectW("SQLBrowseConnectW", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLConnect(SQLHDBC ConnectionHandle,
                             SQLCHAR* ServerName,
                             SQLSMALLINT NameLength1,
                             SQLCHAR* UserName,
                             SQLSMALLINT NameLength2,
                             SQLCHAR* Authentication,
                             SQLSMALLINT NameLength3)
{
    Odbc::SQLConnectArgs args{ServerName, NameLength1, UserName, NameLength2, Authentication, NameLength3};
    return CInterface::DispatchSQLConnect("SQLConnect", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLConnectW(SQLHDBC ConnectionHandle,
                              SQLWCHAR* ServerName,
                              SQLSMALLINT NameLength1,
                              SQLWCHAR* UserName,
                              SQLSMALLINT NameLength2,
                              SQLWCHAR* Authentication,
                              SQLSMALLINT NameLength3)
{
    Odbc::SQLConnectWArgs args{ServerName, NameLength1, UserName, NameLength2, Authentication, NameLength3};
    return CInterface::DispatchSQLConnectW("SQLConnectW", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC ConnectionHandle)
{
    Odbc::SQLDisconnectArgs args{};
    return CInterface::DispatchSQLDisconnect("SQLDisconnect", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLDriverConnect(SQLHDBC ConnectionHandle,
                                   SQLHWND WindowHandle,
                                   SQLCHAR* InConnectionString,
                                   SQLSMALLINT StringLength1,
                                   SQLCHAR* OutConnectionString,
                                   SQLSMALLINT BufferLength,
                                   SQLSMALLINT* StringLength2Ptr,
                                   SQLUSMALLINT DriverCompletion)
{
    Odbc::SQLDriverConnectArgs args{WindowHandle,     InConnectionString, StringLength1, OutConnectionString,
                                    BufferLength,     StringLength2Ptr,   DriverCompletion};
    return CInterface::DispatchSQLDriverConnect("SQLDriverConnect", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLDriverConnectW(SQLHDBC ConnectionHandle,
                                    SQLHWND WindowHandle,
                                    SQLWCHAR* InConnectionString,
                                    SQLSMALLINT StringLength1,
                                    SQLWCHAR* OutConnectionString,
                                    SQLSMALLINT BufferLength,
                                    SQLSMALLINT* StringLength2Ptr,
                                    SQLUSMALLINT DriverCompletion)
{
    Odbc::SQLDriverConnectWArgs args{WindowHandle,     InConnectionString, StringLength1, OutConnectionString,
                                     BufferLength,     StringLength2Ptr,   DriverCompletion};
    return CInterface::DispatchSQLDriverConnectW("SQLDriverConnectW", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC ConnectionHandle,
                                    SQLINTEGER Attribute,
                                    SQLPOINTER ValuePtr,
                                    SQLINTEGER StringLength)
{
    Odbc::SQLSetConnectAttrArgs args{Attribute, ValuePtr, StringLength};
    return CInterface::DispatchSQLSetConnectAttr("SQLSetConnectAttr", ConnectionHandle, &args);
}

SQLRETURN SQL_API SQLSetConnectAttrW(SQLHDBC ConnectionHandle,
                                     SQLINTEGER Attribute,
                                     SQLPOINTER ValuePtr,
                                     SQLINTEGER StringLength)
{
    Odbc::SQLSetConnectAttrWArgs args{Attribute, ValuePtr, StringLength};
    return CInterface::DispatchSQLSetConnectAttrW("SQLSetConnectAttr", ConnectionHandle, &args);
}

// Statement functions.

SQLRETURN SQL_API SQLColAttribute(SQLHSTMT StatementHandle,
                                  SQLUSMALLINT ColumnNumber,
                                  SQLUSMALLINT FieldIdentifier,
                                  SQLPOINTER CharacterAttributePtr,
                                  SQLSMALLINT BufferLength,
                                  SQLSMALLINT* StringLengthPtr,
                                  SQLLEN* NumericAttributePtr)
{
    Odbc::SQLColAttributeArgs args{ColumnNumber, FieldIdentifier, CharacterAttributePtr, BufferLength,
                                   StringLengthPtr, NumericAttributePtr};
    return CInterface::DispatchSQLColAttribute("SQLColAttribute", StatementHandle, &args);
}

SQLRETURN SQL_API SQLColAttributeW(SQLHSTMT StatementHandle,
                                   SQLUSMALLINT ColumnNumber,
                                   SQLUSMALLINT FieldIdentifier,
                                   SQLPOINTER CharacterAttributePtr,
                                   SQLSMALLINT BufferLength,
                                   SQLSMALLINT* StringLengthPtr,
                                   SQLLEN* NumericAttributePtr)
{
    Odbc::SQLColAttributeWArgs args{ColumnNumber, FieldIdentifier, CharacterAttributePtr, BufferLength,
                                    StringLengthPtr, NumericAttributePtr};
    return CInterface::DispatchSQLColAttributeW("SQLColAttributeW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT StatementHandle,
                                 SQLUSMALLINT ColumnNumber,
                                 SQLCHAR* ColumnName,
                                 SQLSMALLINT BufferLength,
                                 SQLSMALLINT* NameLengthPtr,
                                 SQLSMALLINT* DataTypePtr,
                                 SQLULEN* ColumnSizePtr,
                                 SQLSMALLINT* DecimalDigitsPtr,
                                 SQLSMALLINT* NullablePtr)
{
    Odbc::SQLDescribeColArgs args{ColumnNumber,  ColumnName,       BufferLength, NameLengthPtr,
                                  DataTypePtr,   ColumnSizePtr,    DecimalDigitsPtr, NullablePtr};
    return CInterface::DispatchSQLDescribeCol("SQLDescribeCol", StatementHandle, &args);
}

SQLRETURN SQL_API SQLDescribeColW(SQLHSTMT StatementHandle,
                                  SQLUSMALLINT ColumnNumber,
                                  SQLWCHAR* ColumnName,
                                  SQLSMALLINT BufferLength,
                                  SQLSMALLINT* NameLengthPtr,
                                  SQLSMALLINT* DataTypePtr,
                                  SQLULEN* ColumnSizePtr,
                                  SQLSMALLINT* DecimalDigitsPtr,
                                  SQLSMALLINT* NullablePtr)
{
    Odbc::SQLDescribeColWArgs args{ColumnNumber,  ColumnName,       BufferLength, NameLengthPtr,
                                   DataTypePtr,   ColumnSizePtr,    DecimalDigitsPtr, NullablePtr};
    return CInterface::DispatchSQLDescribeColW("SQLDescribeColW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLDescribeParam(SQLHSTMT StatementHandle,
                                   SQLUSMALLINT ParameterNumber,
                                   SQLSMALLINT* DataTypePtr,
                                   SQLULEN* ParameterSizePtr,
                                   SQLSMALLINT* DecimalDigitsPtr,
                                   SQLSMALLINT* NullablePtr)
{
    Odbc::SQLDescribeParamArgs args{ParameterNumber, DataTypePtr, ParameterSizePtr, DecimalDigitsPtr, NullablePtr};
    return CInterface::DispatchSQLDescribeParam("SQLDescribeParam", StatementHandle, &args);
}

SQLRETURN SQL_API SQLExecDirect(SQLHSTMT StatementHandle, SQLCHAR* StatementText, SQLINTEGER TextLength)
{
    Odbc::SQLExecDirectArgs args{StatementText, TextLength};
    return CInterface::DispatchSQLExecDirect("SQLExecDirect", StatementHandle, &args);
}

SQLRETURN SQL_API SQLExecDirectW(SQLHSTMT StatementHandle, SQLWCHAR* StatementText, SQLINTEGER TextLength)
{
    Odbc::SQLExecDirectWArgs args{StatementText, TextLength};
    return CInterface::DispatchSQLExecDirectW("SQLExecDirectW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLExecute(SQLHSTMT StatementHandle)
{
    Odbc::SQLExecuteArgs args{};
    return CInterface::DispatchSQLExecute("SQLExecute", StatementHandle, &args);
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT StatementHandle)
{
    Odbc::SQLFetchArgs args{};
    return CInterface::DispatchSQLFetch("SQLFetch", StatementHandle, &args);
}

SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT StatementHandle, SQLSMALLINT FetchOrientation, SQLLEN FetchOffset)
{
    Odbc::SQLFetchScrollArgs args{FetchOrientation, FetchOffset};
    return CInterface::DispatchSQLFetchScroll("SQLFetchScroll", StatementHandle, &args);
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT StatementHandle,
                             SQLUSMALLINT Col_or_Param_Num,
                             SQLSMALLINT TargetType,
                             SQLPOINTER TargetValuePtr,
                             SQLLEN BufferLength,
                             SQLLEN* StrLen_or_IndPtr)
{
    Odbc::SQLGetDataArgs args{Col_or_Param_Num, TargetType, TargetValuePtr, BufferLength, StrLen_or_IndPtr};
    return CInterface::DispatchSQLGetData("SQLGetData", StatementHandle, &args);
}

SQLRETURN SQL_API SQLGetTypeInfo(SQLHSTMT StatementHandle, SQLSMALLINT DataType)
{
    Odbc::SQLGetTypeInfoArgs args{DataType};
    return CInterface::DispatchSQLGetTypeInfo("SQLGetTypeInfo", StatementHandle, &args);
}

SQLRETURN SQL_API SQLGetTypeInfoW(SQLHSTMT StatementHandle, SQLSMALLINT DataType)
{
    Odbc::SQLGetTypeInfoArgs args{DataType};
    return CInterface::DispatchSQLGetTypeInfo("SQLGetTypeInfoW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLMoreResults(SQLHSTMT StatementHandle)
{
    Odbc::SQLMoreResultsArgs args{};
    return CInterface::DispatchSQLMoreResults("SQLMoreResults", StatementHandle, &args);
}

SQLRETURN SQL_API SQLNumParams(SQLHSTMT StatementHandle, SQLSMALLINT* ParameterCountPtr)
{
    Odbc::SQLNumParamsArgs args{ParameterCountPtr};
    return CInterface::DispatchSQLNumParams("SQLNumParams", StatementHandle, &args);
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT StatementHandle, SQLSMALLINT* ColumnCountPtr)
{
    Odbc::SQLNumResultColsArgs args{ColumnCountPtr};
    return CInterface::DispatchSQLNumResultCols("SQLNumResultCols", StatementHandle, &args);
}

SQLRETURN SQL_API SQLParamData(SQLHSTMT StatementHandle, SQLPOINTER* ValuePtrPtr)
{
    Odbc::SQLParamDataArgs args{ValuePtrPtr};
    return CInterface::DispatchSQLParamData("SQLParamData", StatementHandle, &args);
}

SQLRETURN SQL_API SQLPrepare(SQLHSTMT StatementHandle, SQLCHAR* StatementText, SQLINTEGER TextLength)
{
    Odbc::SQLPrepareArgs args{StatementText, TextLength};
    return CInterface::DispatchSQLPrepare("SQLPrepare", StatementHandle, &args);
}

SQLRETURN SQL_API SQLPrepareW(SQLHSTMT StatementHandle, SQLWCHAR* StatementText, SQLINTEGER TextLength)
{
    Odbc::SQLPrepareWArgs args{StatementText, TextLength};
    return CInterface::DispatchSQLPrepareW("SQLPrepareW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLPutData(SQLHSTMT StatementHandle, SQLPOINTER DataPtr, SQLLEN StrLen_or_Ind)
{
    Odbc::SQLPutDataArgs args{DataPtr, StrLen_or_Ind};
    return CInterface::DispatchSQLPutData("SQLPutData", StatementHandle, &args);
}

SQLRETURN SQL_API SQLSetPos(SQLHSTMT StatementHandle,
                            SQLSETPOSIROW RowNumber,
                            SQLUSMALLINT Operation,
                            SQLUSMALLINT LockType)
{
    Odbc::SQLSetPosArgs args{RowNumber, Operation, LockType};
    return CInterface::DispatchSQLSetPos("SQLSetPos", StatementHandle, &args);
}

// Catalog functions: the names go into the record in the order of the signature.

SQLRETURN SQL_API SQLColumnPrivileges(SQLHSTMT StatementHandle,
                                      SQLCHAR* CatalogName,
                                      SQLSMALLINT NameLength1,
                                      SQLCHAR* SchemaName,
                                      SQLSMALLINT NameLength2,
                                      SQLCHAR* TableName,
                                      SQLSMALLINT NameLength3,
                                      SQLCHAR* ColumnName,
                                      SQLSMALLINT NameLength4)
{
    Odbc::SQLColumnPrivilegesArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}, {ColumnName, NameLength4}}};
    return CInterface::DispatchSQLColumnPrivileges("SQLColumnPrivileges", StatementHandle, &args);
}

SQLRETURN SQL_API SQLColumnPrivilegesW(SQLHSTMT StatementHandle,
                                       SQLWCHAR* CatalogName,
                                       SQLSMALLINT NameLength1,
                                       SQLWCHAR* SchemaName,
                                       SQLSMALLINT NameLength2,
                                       SQLWCHAR* TableName,
                                       SQLSMALLINT NameLength3,
                                       SQLWCHAR* ColumnName,
                                       SQLSMALLINT NameLength4)
{
    Odbc::SQLColumnPrivilegesWArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}, {ColumnName, NameLength4}}};
    return CInterface::DispatchSQLColumnPrivilegesW("SQLColumnPrivilegesW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLColumns(SQLHSTMT StatementHandle,
                             SQLCHAR* CatalogName,
                             SQLSMALLINT NameLength1,
                             SQLCHAR* SchemaName,
                             SQLSMALLINT NameLength2,
                             SQLCHAR* TableName,
                             SQLSMALLINT NameLength3,
                             SQLCHAR* ColumnName,
                             SQLSMALLINT NameLength4)
{
    Odbc::SQLColumnsArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}, {ColumnName, NameLength4}}};
    return CInterface::DispatchSQLColumns("SQLColumns", StatementHandle, &args);
}

SQLRETURN SQL_API SQLColumnsW(SQLHSTMT StatementHandle,
                              SQLWCHAR* CatalogName,
                              SQLSMALLINT NameLength1,
                              SQLWCHAR* SchemaName,
                              SQLSMALLINT NameLength2,
                              SQLWCHAR* TableName,
                              SQLSMALLINT NameLength3,
                              SQLWCHAR* ColumnName,
                              SQLSMALLINT NameLength4)
{
    Odbc::SQLColumnsWArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}, {ColumnName, NameLength4}}};
    return CInterface::DispatchSQLColumnsW("SQLColumns", StatementHandle, &args);
}

SQLRETURN SQL_API SQLForeignKeys(SQLHSTMT StatementHandle,
                                 SQLCHAR* PKCatalogName,
                                 SQLSMALLINT NameLength1,
                                 SQLCHAR* PKSchemaName,
                                 SQLSMALLINT NameLength2,
                                 SQLCHAR* PKTableName,
                                 SQLSMALLINT NameLength3,
                                 SQLCHAR* FKCatalogName,
                                 SQLSMALLINT NameLength4,
                                 SQLCHAR* FKSchemaName,
                                 SQLSMALLINT NameLength5,
                                 SQLCHAR* FKTableName,
                                 SQLSMALLINT NameLength6)
{
    Odbc::SQLForeignKeysArgs args{{{PKCatalogName, NameLength1},
                                   {PKSchemaName, NameLength2},
                                   {PKTableName, NameLength3},
                                   {FKCatalogName, NameLength4},
                                   {FKSchemaName, NameLength5},
                                   {FKTableName, NameLength6}}};
    return CInterface::DispatchSQLForeignKeys("SQLForeignKeys", StatementHandle, &args);
}

SQLRETURN SQL_API SQLForeignKeysW(SQLHSTMT StatementHandle,
                                  SQLWCHAR* PKCatalogName,
                                  SQLSMALLINT NameLength1,
                                  SQLWCHAR* PKSchemaName,
                                  SQLSMALLINT NameLength2,
                                  SQLWCHAR* PKTableName,
                                  SQLSMALLINT NameLength3,
                                  SQLWCHAR* FKCatalogName,
                                  SQLSMALLINT NameLength4,
                                  SQLWCHAR* FKSchemaName,
                                  SQLSMALLINT NameLength5,
                                  SQLWCHAR* FKTableName,
                                  SQLSMALLINT NameLength6)
{
    Odbc::SQLForeignKeysWArgs args{{{PKCatalogName, NameLength1},
                                    {PKSchemaName, NameLength2},
                                    {PKTableName, NameLength3},
                                    {FKCatalogName, NameLength4},
                                    {FKSchemaName, NameLength5},
                                    {FKTableName, NameLength6}}};
    return CInterface::DispatchSQLForeignKeysW("SQLForeignKeysW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLPrimaryKeys(SQLHSTMT StatementHandle,
                                 SQLCHAR* CatalogName,
                                 SQLSMALLINT NameLength1,
                                 SQLCHAR* SchemaName,
                                 SQLSMALLINT NameLength2,
                                 SQLCHAR* TableName,
                                 SQLSMALLINT NameLength3)
{
    Odbc::SQLPrimaryKeysArgs args{{{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}}};
    return CInterface::DispatchSQLPrimaryKeys("SQLPrimaryKeys", StatementHandle, &args);
}

SQLRETURN SQL_API SQLPrimaryKeysW(SQLHSTMT StatementHandle,
                                  SQLWCHAR* CatalogName,
                                  SQLSMALLINT NameLength1,
                                  SQLWCHAR* SchemaName,
                                  SQLSMALLINT NameLength2,
                                  SQLWCHAR* TableName,
                                  SQLSMALLINT NameLength3)
{
    Odbc::SQLPrimaryKeysWArgs args{{{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}}};
    return CInterface::DispatchSQLPrimaryKeysW("SQLPrimaryKeysW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLProcedureColumns(SQLHSTMT StatementHandle,
                                      SQLCHAR* CatalogName,
                                      SQLSMALLINT NameLength1,
                                      SQLCHAR* SchemaName,
                                      SQLSMALLINT NameLength2,
                                      SQLCHAR* ProcName,
                                      SQLSMALLINT NameLength3,
                                      SQLCHAR* ColumnName,
                                      SQLSMALLINT NameLength4)
{
    Odbc::SQLProcedureColumnsArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {ProcName, NameLength3}, {ColumnName, NameLength4}}};
    return CInterface::DispatchSQLProcedureColumns("SQLProcedureColumns", StatementHandle, &args);
}

SQLRETURN SQL_API SQLProcedureColumnsW(SQLHSTMT StatementHandle,
                                       SQLWCHAR* CatalogName,
                                       SQLSMALLINT NameLength1,
                                       SQLWCHAR* SchemaName,
                                       SQLSMALLINT NameLength2,
                                       SQLWCHAR* ProcName,
                                       SQLSMALLINT NameLength3,
                                       SQLWCHAR* ColumnName,
                                       SQLSMALLINT NameLength4)
{
    Odbc::SQLProcedureColumnsWArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {ProcName, NameLength3}, {ColumnName, NameLength4}}};
    return CInterface::DispatchSQLProcedureColumnsW("SQLProcedureColumnsW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLProcedures(SQLHSTMT StatementHandle,
                                SQLCHAR* CatalogName,
                                SQLSMALLINT NameLength1,
                                SQLCHAR* SchemaName,
                                SQLSMALLINT NameLength2,
                                SQLCHAR* ProcName,
                                SQLSMALLINT NameLength3)
{
    Odbc::SQLProceduresArgs args{{{CatalogName, NameLength1}, {SchemaName, NameLength2}, {ProcName, NameLength3}}};
    return CInterface::DispatchSQLProcedures("SQLProcedures", StatementHandle, &args);
}

SQLRETURN SQL_API SQLProceduresW(SQLHSTMT StatementHandle,
                                 SQLWCHAR* CatalogName,
                                 SQLSMALLINT NameLength1,
                                 SQLWCHAR* SchemaName,
                                 SQLSMALLINT NameLength2,
                                 SQLWCHAR* ProcName,
                                 SQLSMALLINT NameLength3)
{
    Odbc::SQLProceduresWArgs args{{{CatalogName, NameLength1}, {SchemaName, NameLength2}, {ProcName, NameLength3}}};
    return CInterface::DispatchSQLProceduresW("SQLProceduresW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLSpecialColumns(SQLHSTMT StatementHandle,
                                    SQLUSMALLINT IdentifierType,
                                    SQLCHAR* CatalogName,
                                    SQLSMALLINT NameLength1,
                                    SQLCHAR* SchemaName,
                                    SQLSMALLINT NameLength2,
                                    SQLCHAR* TableName,
                                    SQLSMALLINT NameLength3,
                                    SQLUSMALLINT Scope,
                                    SQLUSMALLINT Nullable)
{
    Odbc::SQLSpecialColumnsArgs args{IdentifierType,
                                     {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}},
                                     Scope,
                                     Nullable};
    return CInterface::DispatchSQLSpecialColumns("SQLSpecialColumns", StatementHandle, &args);
}

SQLRETURN SQL_API SQLSpecialColumnsW(SQLHSTMT StatementHandle,
                                     SQLUSMALLINT IdentifierType,
                                     SQLWCHAR* CatalogName,
                                     SQLSMALLINT NameLength1,
                                     SQLWCHAR* SchemaName,
                                     SQLSMALLINT NameLength2,
                                     SQLWCHAR* TableName,
                                     SQLSMALLINT NameLength3,
                                     SQLUSMALLINT Scope,
                                     SQLUSMALLINT Nullable)
{
    Odbc::SQLSpecialColumnsWArgs args{IdentifierType,
                                      {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}},
                                      Scope,
                                      Nullable};
    return CInterface::DispatchSQLSpecialColumnsW("SQLSpecialColumns", StatementHandle, &args);
}

SQLRETURN SQL_API SQLStatistics(SQLHSTMT StatementHandle,
                                SQLCHAR* CatalogName,
                                SQLSMALLINT NameLength1,
                                SQLCHAR* SchemaName,
                                SQLSMALLINT NameLength2,
                                SQLCHAR* TableName,
                                SQLSMALLINT NameLength3,
                                SQLUSMALLINT Unique,
                                SQLUSMALLINT Reserved)
{
    Odbc::SQLStatisticsArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}}, Unique, Reserved};
    return CInterface::DispatchSQLStatistics("SQLStatistics", StatementHandle, &args);
}

SQLRETURN SQL_API SQLStatisticsW(SQLHSTMT StatementHandle,
                                 SQLWCHAR* CatalogName,
                                 SQLSMALLINT NameLength1,
                                 SQLWCHAR* SchemaName,
                                 SQLSMALLINT NameLength2,
                                 SQLWCHAR* TableName,
                                 SQLSMALLINT NameLength3,
                                 SQLUSMALLINT Unique,
                                 SQLUSMALLINT Reserved)
{
    Odbc::SQLStatisticsWArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}}, Unique, Reserved};
    return CInterface::DispatchSQLStatisticsW("SQLStatisticsW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLTablePrivileges(SQLHSTMT StatementHandle,
                                     SQLCHAR* CatalogName,
                                     SQLSMALLINT NameLength1,
                                     SQLCHAR* SchemaName,
                                     SQLSMALLINT NameLength2,
                                     SQLCHAR* TableName,
                                     SQLSMALLINT NameLength3)
{
    Odbc::SQLTablePrivilegesArgs args{{{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}}};
    return CInterface::DispatchSQLTablePrivileges("SQLTablePrivileges", StatementHandle, &args);
}

SQLRETURN SQL_API SQLTablePrivilegesW(SQLHSTMT StatementHandle,
                                      SQLWCHAR* CatalogName,
                                      SQLSMALLINT NameLength1,
                                      SQLWCHAR* SchemaName,
                                      SQLSMALLINT NameLength2,
                                      SQLWCHAR* TableName,
                                      SQLSMALLINT NameLength3)
{
    Odbc::SQLTablePrivilegesWArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}}};
    return CInterface::DispatchSQLTablePrivilegesW("SQLTablePrivilegesW", StatementHandle, &args);
}

SQLRETURN SQL_API SQLTables(SQLHSTMT StatementHandle,
                            SQLCHAR* CatalogName,
                            SQLSMALLINT NameLength1,
                            SQLCHAR* SchemaName,
                            SQLSMALLINT NameLength2,
                            SQLCHAR* TableName,
                            SQLSMALLINT NameLength3,
                            SQLCHAR* TableType,
                            SQLSMALLINT NameLength4)
{
    Odbc::SQLTablesArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}, {TableType, NameLength4}}};
    return CInterface::DispatchSQLTables("SQLTables", StatementHandle, &args);
}

SQLRETURN SQL_API SQLTablesW(SQLHSTMT StatementHandle,
                             SQLWCHAR* CatalogName,
                             SQLSMALLINT NameLength1,
                             SQLWCHAR* SchemaName,
                             SQLSMALLINT NameLength2,
                             SQLWCHAR* TableName,
                             SQLSMALLINT NameLength3,
                             SQLWCHAR* TableType,
                             SQLSMALLINT NameLength4)
{
    Odbc::SQLTablesWArgs args{
        {{CatalogName, NameLength1}, {SchemaName, NameLength2}, {TableName, NameLength3}, {TableType, NameLength4}}};
    return CInterface::DispatchSQLTablesW("SQLTablesW", StatementHandle, &args);
}
