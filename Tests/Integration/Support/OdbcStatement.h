#pragma once

// Test helper: a statement handle of an ODBC application, freed with the object.

#include <sql.h>
#include <sqlext.h>

#include <optional>
#include <string>
#include <vector>

namespace Pelta {
namespace Test {

/// A row as text: one entry per column, empty for NULL.
using TextRow = std::vector<std::optional<std::string>>;

class OdbcStatement
{
public:
    /// A new statement on the connection; throws OdbcError when it cannot be made.
    explicit OdbcStatement(SQLHDBC in_connection);
    ~OdbcStatement();

    OdbcStatement(OdbcStatement&& io_other) noexcept;
    OdbcStatement(const OdbcStatement&) = delete;
    OdbcStatement& operator=(const OdbcStatement&) = delete;
    OdbcStatement& operator=(OdbcStatement&&) = delete;

    SQLHSTMT Handle() const { return m_handle; }

    /// SQLExecDirect of the UTF-8 text; throws OdbcError when it fails.
    void Execute(const std::string& in_sql);

    /// Every remaining row, each cell read whole with SQLGetData as UTF-8 text; the cursor is
    /// closed afterwards.
    std::vector<TextRow> FetchAllAsText();

    /// Execute, then FetchAllAsText.
    std::vector<TextRow> Query(const std::string& in_sql);

    /// The names of the result's columns.
    std::vector<std::string> ColumnNames();

    /// Throws OdbcError for a failed in_result of a call on this statement.
    SQLRETURN Check(SQLRETURN in_result, const std::string& in_call, SQLRETURN in_alsoAccepted = SQL_SUCCESS) const;

private:
    SQLHSTMT m_handle = SQL_NULL_HSTMT;
};

} // namespace Test
} // namespace Pelta
