#pragma once

// The argument records of the dispatched ODBC functions: the arguments that follow the handle,
// by value, in the order and with the types of the ODBC signature. An exported function fills
// one on its stack and hands its address to the function's dispatcher; a task copies it.
// Where the wide and the ANSI form of a function differ only in their character type, one
// template serves both.

#include <sql.h>
#include <sqlext.h>

namespace Orvik {
namespace ODBC {

/// A name argument of a catalog function: the application's pointer and its length (in bytes
/// for the ANSI form, in characters for the wide form, or SQL_NTS).
template <typename CharT>
struct NameArgument
{
    CharT* Text;
    SQLSMALLINT Length;
};

// Connection functions.

template <typename CharT>
struct SQLBrowseConnectArgsT
{
    CharT* InConnectionString;
    SQLSMALLINT StringLength1;
    CharT* OutConnectionString;
    SQLSMALLINT BufferLength;
    SQLSMALLINT* StringLength2Ptr;
};
using SQLBrowseConnectArgs = SQLBrowseConnectArgsT<SQLCHAR>;
using SQLBrowseConnectWArgs = SQLBrowseConnectArgsT<SQLWCHAR>;

template <typename CharT>
struct SQLConnectArgsT
{
    CharT* ServerName;
    SQLSMALLINT NameLength1;
    CharT* UserName;
    SQLSMALLINT NameLength2;
    CharT* Authentication;
    SQLSMALLINT NameLength3;
};
using SQLConnectArgs = SQLConnectArgsT<SQLCHAR>;
using SQLConnectWArgs = SQLConnectArgsT<SQLWCHAR>;

template <typename CharT>
struct SQLDriverConnectArgsT
{
    SQLHWND WindowHandle;
    CharT* InConnectionString;
    SQLSMALLINT StringLength1;
    CharT* OutConnectionString;
    SQLSMALLINT BufferLength;
    SQLSMALLINT* StringLength2Ptr;
    SQLUSMALLINT DriverCompletion;
};
using SQLDriverConnectArgs = SQLDriverConnectArgsT<SQLCHAR>;
using SQLDriverConnectWArgs = SQLDriverConnectArgsT<SQLWCHAR>;

struct SQLDisconnectArgs
{
};

/// The connection branch of SQLEndTran: the handle type is always SQL_HANDLE_DBC.
struct SQLEndTranArgs
{
    SQLSMALLINT CompletionType;
};

/// Both forms: ValuePtr holds 8-bit or wide text for a string-valued attribute.
struct SQLSetConnectAttrArgs
{
    SQLINTEGER Attribute;
    SQLPOINTER ValuePtr;
    SQLINTEGER StringLength;
};
using SQLSetConnectAttrWArgs = SQLSetConnectAttrArgs;

// Statement functions.

/// Both forms: CharacterAttributePtr holds 8-bit or wide text; BufferLength counts bytes.
struct SQLColAttributeArgs
{
    SQLUSMALLINT ColumnNumber;
    SQLUSMALLINT FieldIdentifier;
    SQLPOINTER CharacterAttributePtr;
    SQLSMALLINT BufferLength;
    SQLSMALLINT* StringLengthPtr;
    SQLLEN* NumericAttributePtr;
};
using SQLColAttributeWArgs = SQLColAttributeArgs;

template <typename CharT>
struct SQLDescribeColArgsT
{
    SQLUSMALLINT ColumnNumber;
    CharT* ColumnName;
    SQLSMALLINT BufferLength;
    SQLSMALLINT* NameLengthPtr;
    SQLSMALLINT* DataTypePtr;
    SQLULEN* ColumnSizePtr;
    SQLSMALLINT* DecimalDigitsPtr;
    SQLSMALLINT* NullablePtr;
};
using SQLDescribeColArgs = SQLDescribeColArgsT<SQLCHAR>;
using SQLDescribeColWArgs = SQLDescribeColArgsT<SQLWCHAR>;

struct SQLDescribeParamArgs
{
    SQLUSMALLINT ParameterNumber;
    SQLSMALLINT* DataTypePtr;
    SQLULEN* ParameterSizePtr;
    SQLSMALLINT* DecimalDigitsPtr;
    SQLSMALLINT* NullablePtr;
};

template <typename CharT>
struct StatementTextArgsT
{
    CharT* StatementText;
    SQLINTEGER TextLength;
};
using SQLExecDirectArgs = StatementTextArgsT<SQLCHAR>;
using SQLExecDirectWArgs = StatementTextArgsT<SQLWCHAR>;
using SQLPrepareArgs = StatementTextArgsT<SQLCHAR>;
using SQLPrepareWArgs = StatementTextArgsT<SQLWCHAR>;

struct SQLExecuteArgs
{
};

struct SQLFetchArgs
{
};

struct SQLFetchScrollArgs
{
    SQLSMALLINT FetchOrientation;
    SQLLEN FetchOffset;
};

struct SQLGetDataArgs
{
    SQLUSMALLINT Col_or_Param_Num;
    SQLSMALLINT TargetType;
    SQLPOINTER TargetValuePtr;
    SQLLEN BufferLength;
    SQLLEN* StrLen_or_IndPtr;
};

/// Both forms of SQLGetTypeInfo share it.
struct SQLGetTypeInfoArgs
{
    SQLSMALLINT DataType;
};

struct SQLMoreResultsArgs
{
};

struct SQLNumParamsArgs
{
    SQLSMALLINT* ParameterCountPtr;
};

struct SQLNumResultColsArgs
{
    SQLSMALLINT* ColumnCountPtr;
};

struct SQLParamDataArgs
{
    SQLPOINTER* ValuePtrPtr;
};

struct SQLPutDataArgs
{
    SQLPOINTER DataPtr;
    SQLLEN StrLen_or_Ind;
};

struct SQLSetPosArgs
{
    SQLSETPOSIROW RowNumber;
    SQLUSMALLINT Operation;
    SQLUSMALLINT LockType;
};

// Catalog functions: the names in the order of the ODBC signature.

/// SQLTables: CatalogName, SchemaName, TableName, TableType.
template <typename CharT>
struct SQLTablesArgsT
{
    NameArgument<CharT> Names[4];
};
using SQLTablesArgs = SQLTablesArgsT<SQLCHAR>;
using SQLTablesWArgs = SQLTablesArgsT<SQLWCHAR>;

/// SQLColumns: CatalogName, SchemaName, TableName, ColumnName.
template <typename CharT>
struct SQLColumnsArgsT
{
    NameArgument<CharT> Names[4];
};
using SQLColumnsArgs = SQLColumnsArgsT<SQLCHAR>;
using SQLColumnsWArgs = SQLColumnsArgsT<SQLWCHAR>;

/// SQLColumnPrivileges: CatalogName, SchemaName, TableName, ColumnName.
template <typename CharT>
struct SQLColumnPrivilegesArgsT
{
    NameArgument<CharT> Names[4];
};
using SQLColumnPrivilegesArgs = SQLColumnPrivilegesArgsT<SQLCHAR>;
using SQLColumnPrivilegesWArgs = SQLColumnPrivilegesArgsT<SQLWCHAR>;

/// SQLForeignKeys: PKCatalogName, PKSchemaName, PKTableName, FKCatalogName, FKSchemaName,
/// FKTableName.
template <typename CharT>
struct SQLForeignKeysArgsT
{
    NameArgument<CharT> Names[6];
};
using SQLForeignKeysArgs = SQLForeignKeysArgsT<SQLCHAR>;
using SQLForeignKeysWArgs = SQLForeignKeysArgsT<SQLWCHAR>;

/// SQLPrimaryKeys: CatalogName, SchemaName, TableName.
template <typename CharT>
struct SQLPrimaryKeysArgsT
{
    NameArgument<CharT> Names[3];
};
using SQLPrimaryKeysArgs = SQLPrimaryKeysArgsT<SQLCHAR>;
using SQLPrimaryKeysWArgs = SQLPrimaryKeysArgsT<SQLWCHAR>;

/// SQLProcedureColumns: CatalogName, SchemaName, ProcName, ColumnName.
template <typename CharT>
struct SQLProcedureColumnsArgsT
{
    NameArgument<CharT> Names[4];
};
using SQLProcedureColumnsArgs = SQLProcedureColumnsArgsT<SQLCHAR>;
using SQLProcedureColumnsWArgs = SQLProcedureColumnsArgsT<SQLWCHAR>;

/// SQLProcedures: CatalogName, SchemaName, ProcName.
template <typename CharT>
struct SQLProceduresArgsT
{
    NameArgument<CharT> Names[3];
};
using SQLProceduresArgs = SQLProceduresArgsT<SQLCHAR>;
using SQLProceduresWArgs = SQLProceduresArgsT<SQLWCHAR>;

/// SQLSpecialColumns: IdentifierType; CatalogName, SchemaName, TableName; Scope, Nullable.
template <typename CharT>
struct SQLSpecialColumnsArgsT
{
    SQLUSMALLINT IdentifierType;
    NameArgument<CharT> Names[3];
    SQLUSMALLINT Scope;
    SQLUSMALLINT Nullable;
};
using SQLSpecialColumnsArgs = SQLSpecialColumnsArgsT<SQLCHAR>;
using SQLSpecialColumnsWArgs = SQLSpecialColumnsArgsT<SQLWCHAR>;

/// SQLStatistics: CatalogName, SchemaName, TableName; Unique, Reserved.
template <typename CharT>
struct SQLStatisticsArgsT
{
    NameArgument<CharT> Names[3];
    SQLUSMALLINT Unique;
    SQLUSMALLINT Reserved;
};
using SQLStatisticsArgs = SQLStatisticsArgsT<SQLCHAR>;
using SQLStatisticsWArgs = SQLStatisticsArgsT<SQLWCHAR>;

/// SQLTablePrivileges: CatalogName, SchemaName, TableName.
template <typename CharT>
struct SQLTablePrivilegesArgsT
{
    NameArgument<CharT> Names[3];
};
using SQLTablePrivilegesArgs = SQLTablePrivilegesArgsT<SQLCHAR>;
using SQLTablePrivilegesWArgs = SQLTablePrivilegesArgsT<SQLWCHAR>;

} // namespace ODBC
} // namespace Orvik
