#pragma once

// What the dispatcher and the task of each dispatched function need to know of it, one struct
// per dispatcher: the handle kind it runs on, its argument record, its task class (void for the
// functions that never run as a task), the class name its task logs under, whether collecting
// the task copies its outputs into the collecting call's buffers, and the call itself, made
// alike on the application's thread and on a worker.

#include "ODBC/Dispatch/ArgumentRecords.h"
#include "ODBC/Dispatch/CInterface.h"
#include "ODBC/Dispatch/CatalogStrings.h"
#include "Support/orvik_wstring.h"

#include <cstddef>
#include <type_traits>

namespace Orvik {
namespace ODBC {

class Connection;
class Statement;

template <class F>
class CallTask;
template <class F>
class CatalogTask;
template <class F>
class StatementTextTask;
template <class F>
class ConnectionStringTask;
class SQLColAttributeWTask;
class SQLConnectWTask;
class SQLDescribeColWTask;

template <class HandleT, class ArgsT>
struct CallOn
{
    using Handle = HandleT;
    using Args = ArgsT;
    static constexpr bool CopiesOutputs = false;
};

// Connection functions.

struct SQLBrowseConnectCall : CallOn<Connection, SQLBrowseConnectArgs>
{
    using Task = CallTask<SQLBrowseConnectCall>;
    static constexpr const char* TaskName = "SQLBrowseConnectTask";
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLBrowseConnectWCall : CallOn<Connection, SQLBrowseConnectWArgs>
{
    using Task = ConnectionStringTask<SQLBrowseConnectWCall>;
    static constexpr const char* TaskName = "SQLBrowseConnectTask";
    static constexpr bool CopiesOutputs = true;
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLConnectCall : CallOn<Connection, SQLConnectArgs>
{
    using Task = CallTask<SQLConnectCall>;
    static constexpr const char* TaskName = "SQLConnectTask";
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLConnectWCall : CallOn<Connection, SQLConnectWArgs>
{
    using Task = SQLConnectWTask;
    static constexpr const char* TaskName = "SQLConnectTask";
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLDriverConnectCall : CallOn<Connection, SQLDriverConnectArgs>
{
    using Task = CallTask<SQLDriverConnectCall>;
    static constexpr const char* TaskName = "SQLDriverConnectTask";
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLDriverConnectWCall : CallOn<Connection, SQLDriverConnectWArgs>
{
    using Task = ConnectionStringTask<SQLDriverConnectWCall>;
    static constexpr const char* TaskName = "SQLDriverConnectTask";
    static constexpr bool CopiesOutputs = true;
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLDisconnectCall : CallOn<Connection, SQLDisconnectArgs>
{
    using Task = CallTask<SQLDisconnectCall>;
    static constexpr const char* TaskName = "SQLDisconnectTask";
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLEndTranCall : CallOn<Connection, SQLEndTranArgs>
{
    using Task = CallTask<SQLEndTranCall>;
    static constexpr const char* TaskName = "SQLEndTranTask";
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLSetConnectAttrCall : CallOn<Connection, SQLSetConnectAttrArgs>
{
    using Task = void;
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

struct SQLSetConnectAttrWCall : CallOn<Connection, SQLSetConnectAttrWArgs>
{
    using Task = void;
    static SQLRETURN Call(Connection& io_connection, const Args& in_args);
};

// Statement functions.

struct SQLColAttributeCall : CallOn<Statement, SQLColAttributeArgs>
{
    using Task = CallTask<SQLColAttributeCall>;
    static constexpr const char* TaskName = "SQLColAttributeTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLColAttributeWCall : CallOn<Statement, SQLColAttributeWArgs>
{
    using Task = SQLColAttributeWTask;
    static constexpr const char* TaskName = "SQLColAttributeTask";
    static constexpr bool CopiesOutputs = true;
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLDescribeColCall : CallOn<Statement, SQLDescribeColArgs>
{
    using Task = CallTask<SQLDescribeColCall>;
    static constexpr const char* TaskName = "SQLDescribeColTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLDescribeColWCall : CallOn<Statement, SQLDescribeColWArgs>
{
    using Task = SQLDescribeColWTask;
    static constexpr const char* TaskName = "SQLDescribeColTask";
    static constexpr bool CopiesOutputs = true;
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLDescribeParamCall : CallOn<Statement, SQLDescribeParamArgs>
{
    using Task = CallTask<SQLDescribeParamCall>;
    static constexpr const char* TaskName = "SQLDescribeParamTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLExecDirectCall : CallOn<Statement, SQLExecDirectArgs>
{
    using Task = CallTask<SQLExecDirectCall>;
    static constexpr const char* TaskName = "SQLExecDirectTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLExecDirectWCall : CallOn<Statement, SQLExecDirectWArgs>
{
    using Task = StatementTextTask<SQLExecDirectWCall>;
    static constexpr const char* TaskName = "SQLExecDirectTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLExecuteCall : CallOn<Statement, SQLExecuteArgs>
{
    using Task = CallTask<SQLExecuteCall>;
    static constexpr const char* TaskName = "SQLExecuteTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLFetchCall : CallOn<Statement, SQLFetchArgs>
{
    using Task = CallTask<SQLFetchCall>;
    static constexpr const char* TaskName = "SQLFetchTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLFetchScrollCall : CallOn<Statement, SQLFetchScrollArgs>
{
    using Task = CallTask<SQLFetchScrollCall>;
    static constexpr const char* TaskName = "SQLFetchScrollTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLGetDataCall : CallOn<Statement, SQLGetDataArgs>
{
    using Task = CallTask<SQLGetDataCall>;
    static constexpr const char* TaskName = "SQLGetDataTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLGetTypeInfoCall : CallOn<Statement, SQLGetTypeInfoArgs>
{
    using Task = CallTask<SQLGetTypeInfoCall>;
    static constexpr const char* TaskName = "SQLGetTypeInfoTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLMoreResultsCall : CallOn<Statement, SQLMoreResultsArgs>
{
    using Task = CallTask<SQLMoreResultsCall>;
    static constexpr const char* TaskName = "SQLMoreResultsTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLNumParamsCall : CallOn<Statement, SQLNumParamsArgs>
{
    using Task = void;
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLNumResultColsCall : CallOn<Statement, SQLNumResultColsArgs>
{
    using Task = void;
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLParamDataCall : CallOn<Statement, SQLParamDataArgs>
{
    using Task = CallTask<SQLParamDataCall>;
    static constexpr const char* TaskName = "SQLParamDataTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLPrepareCall : CallOn<Statement, SQLPrepareArgs>
{
    using Task = CallTask<SQLPrepareCall>;
    static constexpr const char* TaskName = "SQLPrepareTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLPrepareWCall : CallOn<Statement, SQLPrepareWArgs>
{
    using Task = StatementTextTask<SQLPrepareWCall>;
    static constexpr const char* TaskName = "SQLPrepareTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLPutDataCall : CallOn<Statement, SQLPutDataArgs>
{
    using Task = CallTask<SQLPutDataCall>;
    static constexpr const char* TaskName = "SQLPutDataTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

struct SQLSetPosCall : CallOn<Statement, SQLSetPosArgs>
{
    using Task = CallTask<SQLSetPosCall>;
    static constexpr const char* TaskName = "SQLSetPosTask";
    static SQLRETURN Call(Statement& io_statement, const Args& in_args);
};

// Catalog functions: the names are converted when the call is made, or at once when a task
// captures it; the task never reads the application's buffers afterwards.

template <class Self, class ArgsT, size_t N>
struct CatalogCall : CallOn<Statement, ArgsT>
{
    using Task = CatalogTask<Self>;
    using Names = Support::orvik_wstring[N];

    static void ConvertNames(const ArgsT& in_args, Names& out_names) { CatalogStrings::Convert(in_args.Names, out_names); }

    static SQLRETURN Call(Statement& io_statement, const ArgsT& in_args)
    {
        Names names;
        Self::ConvertNames(in_args, names);
        return Self::Body(io_statement, in_args, names);
    }
};

template <typename CharT>
struct SQLTablesCallT : CatalogCall<SQLTablesCallT<CharT>, SQLTablesArgsT<CharT>, 4>
{
    using Names = Support::orvik_wstring[4];
    static constexpr const char* TaskName = "SQLTablesTask";

    /// The wide form's table types end at the first U+0000, as the wide function's list ends.
    static void ConvertNames(const SQLTablesArgsT<CharT>& in_args, Names& out_names)
    {
        CatalogStrings::Convert(in_args.Names, out_names);
        if (std::is_same<CharT, SQLWCHAR>::value)
        {
            out_names[3].TruncateAtNul(0);
        }
    }

    static SQLRETURN Body(Statement& io_statement, const SQLTablesArgsT<CharT>&, const Names& in_names)
    {
        return CInterface::DoSQLTables(io_statement, in_names);
    }
};
using SQLTablesCall = SQLTablesCallT<SQLCHAR>;
using SQLTablesWCall = SQLTablesCallT<SQLWCHAR>;

template <typename CharT>
struct SQLTablePrivilegesCallT : CatalogCall<SQLTablePrivilegesCallT<CharT>, SQLTablePrivilegesArgsT<CharT>, 3>
{
    static constexpr const char* TaskName = "SQLTablePrivilegesTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLTablePrivilegesArgsT<CharT>&,
                          const Support::orvik_wstring (&in_names)[3])
    {
        return CInterface::DoSQLTablePrivileges(io_statement, in_names);
    }
};
using SQLTablePrivilegesCall = SQLTablePrivilegesCallT<SQLCHAR>;
using SQLTablePrivilegesWCall = SQLTablePrivilegesCallT<SQLWCHAR>;

template <typename CharT>
struct SQLColumnsCallT : CatalogCall<SQLColumnsCallT<CharT>, SQLColumnsArgsT<CharT>, 4>
{
    static constexpr const char* TaskName = "SQLColumnsTask";
    static SQLRETURN Body(Statement& io_statement, const SQLColumnsArgsT<CharT>&, const Support::orvik_wstring (&in_names)[4])
    {
        return CInterface::DoSQLColumns(io_statement, in_names);
    }
};
using SQLColumnsCall = SQLColumnsCallT<SQLCHAR>;
using SQLColumnsWCall = SQLColumnsCallT<SQLWCHAR>;

template <typename CharT>
struct SQLColumnPrivilegesCallT : CatalogCall<SQLColumnPrivilegesCallT<CharT>, SQLColumnPrivilegesArgsT<CharT>, 4>
{
    static constexpr const char* TaskName = "SQLColumnPrivilegesTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLColumnPrivilegesArgsT<CharT>&,
                          const Support::orvik_wstring (&in_names)[4])
    {
        return CInterface::DoSQLColumnPrivileges(io_statement, in_names);
    }
};
using SQLColumnPrivilegesCall = SQLColumnPrivilegesCallT<SQLCHAR>;
using SQLColumnPrivilegesWCall = SQLColumnPrivilegesCallT<SQLWCHAR>;

template <typename CharT>
struct SQLForeignKeysCallT : CatalogCall<SQLForeignKeysCallT<CharT>, SQLForeignKeysArgsT<CharT>, 6>
{
    static constexpr const char* TaskName = "SQLForeignKeysTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLForeignKeysArgsT<CharT>&,
                          const Support::orvik_wstring (&in_names)[6])
    {
        return CInterface::DoSQLForeignKeys(io_statement, in_names);
    }
};
using SQLForeignKeysCall = SQLForeignKeysCallT<SQLCHAR>;
using SQLForeignKeysWCall = SQLForeignKeysCallT<SQLWCHAR>;

template <typename CharT>
struct SQLPrimaryKeysCallT : CatalogCall<SQLPrimaryKeysCallT<CharT>, SQLPrimaryKeysArgsT<CharT>, 3>
{
    static constexpr const char* TaskName = "SQLPrimaryKeysTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLPrimaryKeysArgsT<CharT>&,
                          const Support::orvik_wstring (&in_names)[3])
    {
        return CInterface::DoSQLPrimaryKeys(io_statement, in_names);
    }
};
using SQLPrimaryKeysCall = SQLPrimaryKeysCallT<SQLCHAR>;
using SQLPrimaryKeysWCall = SQLPrimaryKeysCallT<SQLWCHAR>;

template <typename CharT>
struct SQLProcedureColumnsCallT : CatalogCall<SQLProcedureColumnsCallT<CharT>, SQLProcedureColumnsArgsT<CharT>, 4>
{
    static constexpr const char* TaskName = "SQLProcedureColumnsTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLProcedureColumnsArgsT<CharT>&,
                          const Support::orvik_wstring (&in_names)[4])
    {
        return CInterface::DoSQLProcedureColumns(io_statement, in_names);
    }
};
using SQLProcedureColumnsCall = SQLProcedureColumnsCallT<SQLCHAR>;
using SQLProcedureColumnsWCall = SQLProcedureColumnsCallT<SQLWCHAR>;

template <typename CharT>
struct SQLProceduresCallT : CatalogCall<SQLProceduresCallT<CharT>, SQLProceduresArgsT<CharT>, 3>
{
    static constexpr const char* TaskName = "SQLProceduresTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLProceduresArgsT<CharT>&,
                          const Support::orvik_wstring (&in_names)[3])
    {
        return CInterface::DoSQLProcedures(io_statement, in_names);
    }
};
using SQLProceduresCall = SQLProceduresCallT<SQLCHAR>;
using SQLProceduresWCall = SQLProceduresCallT<SQLWCHAR>;

template <typename CharT>
struct SQLSpecialColumnsCallT : CatalogCall<SQLSpecialColumnsCallT<CharT>, SQLSpecialColumnsArgsT<CharT>, 3>
{
    static constexpr const char* TaskName = "SQLSpecialColumnsTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLSpecialColumnsArgsT<CharT>& in_args,
                          const Support::orvik_wstring (&in_names)[3])
    {
        return CInterface::DoSQLSpecialColumns(io_statement, in_args.IdentifierType, in_names, in_args.Scope,
                                               in_args.Nullable);
    }
};
using SQLSpecialColumnsCall = SQLSpecialColumnsCallT<SQLCHAR>;
using SQLSpecialColumnsWCall = SQLSpecialColumnsCallT<SQLWCHAR>;

template <typename CharT>
struct SQLStatisticsCallT : CatalogCall<SQLStatisticsCallT<CharT>, SQLStatisticsArgsT<CharT>, 3>
{
    static constexpr const char* TaskName = "SQLStatisticsTask";
    static SQLRETURN Body(Statement& io_statement,
                          const SQLStatisticsArgsT<CharT>& in_args,
                          const Support::orvik_wstring (&in_names)[3])
    {
        return CInterface::DoSQLStatistics(io_statement, in_names, in_args.Unique, in_args.Reserved);
    }
};
using SQLStatisticsCall = SQLStatisticsCallT<SQLCHAR>;
using SQLStatisticsWCall = SQLStatisticsCallT<SQLWCHAR>;

} // namespace ODBC
} // namespace Orvik
