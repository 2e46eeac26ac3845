#include "Integration/Support/OdbcError.h"

namespace Pelta {
namespace Test {

namespace {

std::string Describe(const std::string& in_call, SQLRETURN in_result, const std::vector<DiagRecord>& in_records)
{
    std::string text = in_call + " returned " + std::to_string(in_result);
    for (const DiagRecord& record : in_records)
    {
        text += "\n  [" + record.state + "] (" + std::to_string(record.nativeError) + ") " + record.message;
    }
    return text;
}

} // namespace

std::vector<DiagRecord> ReadDiagnostics(SQLSMALLINT in_handleType, SQLHANDLE in_handle)
{
    std::vector<DiagRecord> records;
    for (SQLSMALLINT number = 1;; ++number)
    {
        SQLCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[2048] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN result = SQLGetDiagRec(in_handleType, in_handle, number, state, &nativeError, message,
                                               sizeof message, &length);
        if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO)
        {
            return records;
        }
        records.push_back({reinterpret_cast<char*>(state), nativeError, reinterpret_cast<char*>(message)});
    }
}

OdbcError::OdbcError(const std::string& in_call, SQLRETURN in_result, std::vector<DiagRecord> in_records)
    : std::runtime_error(Describe(in_call, in_result, in_records)), m_result(in_result), m_records(std::move(in_records))
{
}

SQLRETURN OdbcError::Check(SQLRETURN in_result,
                           SQLSMALLINT in_handleType,
                           SQLHANDLE in_handle,
                           const std::string& in_call,
                           SQLRETURN in_alsoAccepted)
{
    if (in_result == SQL_SUCCESS || in_result == SQL_SUCCESS_WITH_INFO || in_result == in_alsoAccepted)
    {
        return in_result;
    }
    throw OdbcError(in_call, in_result, ReadDiagnostics(in_handleType, in_handle));
}

} // namespace Test
} // namespace Pelta
