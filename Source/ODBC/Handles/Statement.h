#pragma once

#include "ODBC/Handles/HandleGenerator.h"
#include "Support/Variant.h"

#include <sql.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace ODBC {

class Connection;
class DiagManager;

/// The object behind one statement handle, as its connection uses it: the connection makes,
/// counts, names, notifies and frees its statements, and runs their executions under its own
/// lock and transaction rules. The statement layer implements these operations with its states,
/// attributes and descriptors and installs the maker of its statements.
class Statement
{
public:
    /// Makes the statement of handle in_handle on io_connection.
    using Maker = std::unique_ptr<Statement> (*)(HandleValue in_handle, Connection& io_connection);

    /// Installs the maker of statements (null for none).
    static void SetMaker(Maker in_maker);

    /// A new statement; without a maker throws ErrorException "StmtNotAvailable" (HYC00).
    static std::unique_ptr<Statement> Make(HandleValue in_handle, Connection& io_connection);

    virtual ~Statement();

    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    HandleValue GetHandle() const { return m_handle; }

    /// The statement's diagnostics; a failed transaction begin is posted there.
    virtual DiagManager& GetDiagManager() = 0;

    /// Whether the statement's state has an open cursor.
    virtual bool HasOpenCursor() = 0;

    /// The cursor name; null only for a statement without one.
    virtual Support::orvik_wstring GetCursorName() = 0;

    /// Takes in_name as the cursor name; refuses the reserved prefixes (34000).
    virtual void SetCursorName(const Support::orvik_wstring& in_name) = 0;

    /// The connection's transaction ended (in_completionType SQL_COMMIT or SQL_ROLLBACK): the
    /// statement keeps or closes its cursor and prepared statement by the data source's cursor
    /// behaviour. Posts its own errors.
    virtual SQLRETURN EndTransaction(SQLSMALLINT in_completionType, bool in_flag) = 0;

    // The ODBC functions of the statement that its connection calls.
    virtual SQLRETURN SQLCloseCursor() = 0;
    virtual SQLRETURN SQLSetStmtAttrW(SQLINTEGER in_attribute, SQLPOINTER in_value, SQLINTEGER in_stringLength) = 0;
    virtual SQLRETURN SQLExecDirectW(SQLWCHAR* in_statementText, SQLINTEGER in_textLength) = 0;
    virtual SQLRETURN SQLExecute() = 0;

    /// Catalog function in_functionId with its arguments, one Variant per argument after the
    /// statement handle (a null pointer as the null string).
    virtual SQLRETURN ExecuteCatalogFunction(int32_t in_functionId, const std::vector<Support::Variant>& in_arguments) = 0;

protected:
    explicit Statement(HandleValue in_handle) : m_handle(in_handle) {}

private:
    const HandleValue m_handle;
};

} // namespace ODBC
} // namespace Orvik
