#pragma once

// What the benchmarks that go through the Driver Manager share: a connected statement, and an end
// to the run with the diagnostics of the call that failed.

#include <sql.h>
#include <sqlext.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace Bench {

/// Prints what failed and the diagnostics of in_handle, then ends the run.
[[noreturn]] inline void Fail(const char* in_what, SQLSMALLINT in_type = 0, SQLHANDLE in_handle = SQL_NULL_HANDLE)
{
    std::fprintf(stderr, "%s failed\n", in_what);
    SQLCHAR state[6] = {};
    SQLCHAR message[1024] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    for (SQLSMALLINT i = 1; in_handle != SQL_NULL_HANDLE
                            && SQL_SUCCEEDED(SQLGetDiagRec(in_type, in_handle, i, state, &native, message, sizeof message, &length));
         ++i)
    {
        std::fprintf(stderr, "  [%s] %s\n", state, message);
    }
    std::exit(1);
}

inline void Check(SQLRETURN in_result, const char* in_what, SQLSMALLINT in_type, SQLHANDLE in_handle)
{
    if (!SQL_SUCCEEDED(in_result))
    {
        Fail(in_what, in_type, in_handle);
    }
}

/// A connected statement of the driver through the Driver Manager.
struct OdbcStatement
{
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    SQLHSTMT statement = SQL_NULL_HSTMT;

    explicit OdbcStatement(const std::string& in_connectionString)
    {
        Check(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment), "SQLAllocHandle", 0, SQL_NULL_HANDLE);
        Check(SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3_80), 0),
              "SQLSetEnvAttr", SQL_HANDLE_ENV, environment);
        Check(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection), "SQLAllocHandle", SQL_HANDLE_ENV, environment);
        Check(SQLDriverConnect(connection, nullptr, (SQLCHAR*)in_connectionString.c_str(), SQL_NTS, nullptr, 0, nullptr,
                               SQL_DRIVER_NOPROMPT),
              "SQLDriverConnect", SQL_HANDLE_DBC, connection);
        Check(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement), "SQLAllocHandle", SQL_HANDLE_DBC, connection);
    }

    ~OdbcStatement()
    {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        SQLDisconnect(connection);
        SQLFreeHandle(SQL_HANDLE_DBC, connection);
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
    }

    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;

    void Execute(const char* in_text)
    {
        Check(SQLExecDirect(statement, (SQLCHAR*)in_text, SQL_NTS), "SQLExecDirect", SQL_HANDLE_STMT, statement);
    }

    /// Closes the cursor and forgets the bindings, so that the next reading starts afresh.
    void Close()
    {
        Check(SQLFreeStmt(statement, SQL_CLOSE), "SQLFreeStmt", SQL_HANDLE_STMT, statement);
        Check(SQLFreeStmt(statement, SQL_UNBIND), "SQLFreeStmt", SQL_HANDLE_STMT, statement);
    }
};

} // namespace Bench
