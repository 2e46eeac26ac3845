#pragma once

// Test helper: what an ODBC application sees of a failed call, read through the Driver Manager.

#include <sql.h>
#include <sqlext.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace Pelta {
namespace Test {

/// One diagnostic record as an ANSI application reads it.
struct DiagRecord
{
    std::string state;
    SQLINTEGER nativeError = 0;
    std::string message;
};

/// Every record of the handle, in order.
std::vector<DiagRecord> ReadDiagnostics(SQLSMALLINT in_handleType, SQLHANDLE in_handle);

/// A call that failed, with the records of its handle.
class OdbcError : public std::runtime_error
{
public:
    OdbcError(const std::string& in_call, SQLRETURN in_result, std::vector<DiagRecord> in_records);

    SQLRETURN Result() const { return m_result; }
    const std::vector<DiagRecord>& Records() const { return m_records; }

    /// Throws OdbcError unless in_result is SQL_SUCCESS, SQL_SUCCESS_WITH_INFO or
    /// in_alsoAccepted; returns in_result.
    static SQLRETURN Check(SQLRETURN in_result,
                           SQLSMALLINT in_handleType,
                           SQLHANDLE in_handle,
                           const std::string& in_call,
                           SQLRETURN in_alsoAccepted = SQL_SUCCESS);

private:
    SQLRETURN m_result;
    std::vector<DiagRecord> m_records;
};

} // namespace Test
} // namespace Pelta
