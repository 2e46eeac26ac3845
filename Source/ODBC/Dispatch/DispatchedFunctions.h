#pragma once

// The dispatched ODBC functions, one row each: the name of the dispatcher's function (without
// the prefix Dispatch) and, by the same name with the suffix Args, its argument record. Both
// exports of SQLGetTypeInfo share its one dispatcher.
#define ORVIK_DISPATCHED_FUNCTIONS(ROW) \
    ROW(SQLBrowseConnect)               \
    ROW(SQLBrowseConnectW)              \
    ROW(SQLColAttribute)                \
    ROW(SQLColAttributeW)               \
    ROW(SQLColumnPrivileges)            \
    ROW(SQLColumnPrivilegesW)           \
    ROW(SQLColumns)                     \
    ROW(SQLColumnsW)                    \
    ROW(SQLConnect)                     \
    ROW(SQLConnectW)                    \
    ROW(SQLDescribeCol)                 \
    ROW(SQLDescribeColW)                \
    ROW(SQLDescribeParam)               \
    ROW(SQLDisconnect)                  \
    ROW(SQLDriverConnect)               \
    ROW(SQLDriverConnectW)              \
    ROW(SQLEndTran)                     \
    ROW(SQLExecDirect)                  \
    ROW(SQLExecDirectW)                 \
    ROW(SQLExecute)                     \
    ROW(SQLFetch)                       \
    ROW(SQLFetchScroll)                 \
    ROW(SQLForeignKeys)                 \
    ROW(SQLForeignKeysW)                \
    ROW(SQLGetData)                     \
    ROW(SQLGetTypeInfo)                 \
    ROW(SQLMoreResults)                 \
    ROW(SQLNumParams)                   \
    ROW(SQLNumResultCols)               \
    ROW(SQLParamData)                   \
    ROW(SQLPrepare)                     \
    ROW(SQLPrepareW)                    \
    ROW(SQLPrimaryKeys)                 \
    ROW(SQLPrimaryKeysW)                \
    ROW(SQLProcedureColumns)            \
    ROW(SQLProcedureColumnsW)           \
    ROW(SQLProcedures)                  \
    ROW(SQLProceduresW)                 \
    ROW(SQLPutData)                     \
    ROW(SQLSetConnectAttr)              \
    ROW(SQLSetConnectAttrW)             \
    ROW(SQLSetPos)                      \
    ROW(SQLSpecialColumns)              \
    ROW(SQLSpecialColumnsW)             \
    ROW(SQLStatistics)                  \
    ROW(SQLStatisticsW)                 \
    ROW(SQLTablePrivileges)             \
    ROW(SQLTablePrivilegesW)            \
    ROW(SQLTables)                      \
    ROW(SQLTablesW)
