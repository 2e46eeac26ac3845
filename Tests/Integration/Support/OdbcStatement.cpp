#include "Integration/Support/OdbcStatement.h"

#include "Integration/Support/OdbcError.h"

namespace Pelta {
namespace Test {

OdbcStatement::OdbcStatement(SQLHDBC in_connection)
{
    OdbcError::Check(SQLAllocHandle(SQL_HANDLE_STMT, in_connection, &m_handle), SQL_HANDLE_DBC, in_connection,
                     "SQLAllocHandle(SQL_HANDLE_STMT)");
}

OdbcStatement::~OdbcStatement()
{
    if (m_handle != SQL_NULL_HSTMT)
    {
        SQLFreeHandle(SQL_HANDLE_STMT, m_handle);
    }
}

OdbcStatement::OdbcStatement(OdbcStatement&& io_other) noexcept : m_handle(io_other.m_handle)
{
    io_other.m_handle = SQL_NULL_HSTMT;
}

SQLRETURN OdbcStatement::Check(SQLRETURN in_result, const std::string& in_call, SQLRETURN in_alsoAccepted) const
{
    return OdbcError::Check(in_result, SQL_HANDLE_STMT, m_handle, in_call, in_alsoAccepted);
}

void OdbcStatement::Execute(const std::string& in_sql)
{
    Check(SQLExecDirect(m_handle, reinterpret_cast<SQLCHAR*>(const_cast<char*>(in_sql.c_str())), SQL_NTS),
          "SQLExecDirect(" + in_sql + ")", SQL_NO_DATA);
}

std::vector<TextRow> OdbcStatement::FetchAllAsText()
{
    SQLSMALLINT columns = 0;
    Check(SQLNumResultCols(m_handle, &columns), "SQLNumResultCols");
    std::vector<TextRow> rows;
    while (Check(SQLFetch(m_handle), "SQLFetch", SQL_NO_DATA) != SQL_NO_DATA)
    {
        TextRow row;
        for (SQLUSMALLINT column = 1; column <= columns; ++column)
        {
            std::string text;
            char piece[256];
            SQLLEN indicator = 0;
            SQLRETURN result;
            while ((result = Check(SQLGetData(m_handle, column, SQL_C_CHAR, piece, sizeof piece, &indicator),
                                   "SQLGetData", SQL_NO_DATA))
                   != SQL_NO_DATA)
            {
                if (indicator == SQL_NULL_DATA)
                {
                    break;
                }
                text += piece;
                if (result == SQL_SUCCESS)
                {
                    break;
                }
            }
            row.push_back(indicator == SQL_NULL_DATA ? std::nullopt : std::optional<std::string>(text));
        }
        rows.push_back(std::move(row));
    }
    Check(SQLCloseCursor(m_handle), "SQLCloseCursor");
    return rows;
}

std::vector<TextRow> OdbcStatement::Query(const std::string& in_sql)
{
    Execute(in_sql);
    return FetchAllAsText();
}

std::vector<std::string> OdbcStatement::ColumnNames()
{
    SQLSMALLINT columns = 0;
    Check(SQLNumResultCols(m_handle, &columns), "SQLNumResultCols");
    std::vector<std::string> names;
    for (SQLUSMALLINT column = 1; column <= columns; ++column)
    {
        SQLCHAR name[256] = {};
        SQLSMALLINT length = 0;
        Check(SQLDescribeCol(m_handle, column, name, sizeof name, &length, nullptr, nullptr, nullptr, nullptr),
              "SQLDescribeCol");
        names.emplace_back(reinterpret_cast<char*>(name));
    }
    return names;
}

} // namespace Test
} // namespace Pelta
