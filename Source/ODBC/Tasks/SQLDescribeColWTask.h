#pragma once

#include "ODBC/Dispatch/ArgumentRecords.h"
#include "ODBC/Tasks/ODBCTask.h"
#include "ODBC/Tasks/OwnedOutputString.h"

namespace Orvik {
namespace ODBC {

class Statement;

/// The task of SQLDescribeColW: the column name and every other output are written into the
/// task's own storage; the call that collects the task receives them in its buffers.
class SQLDescribeColWTask : public ODBCTask
{
public:
    SQLDescribeColWTask(Statement& io_owner, const SQLDescribeColWArgs& in_args);

    /// The result; when it lets outputs be copied, the outputs go to the collecting call's
    /// non-null pointers, and a name cut to a buffer smaller than the task's posts 01004.
    SQLRETURN CopyOutputStrings(const SQLDescribeColWArgs& in_current);

private:
    SQLRETURN Call() override;

    Statement& m_owner;
    SQLDescribeColWArgs m_args;
    OwnedOutputString m_name;
    SQLSMALLINT m_nameLength = 0;
    SQLSMALLINT m_dataType = 0;
    SQLULEN m_columnSize = 0;
    SQLSMALLINT m_decimalDigits = 0;
    SQLSMALLINT m_nullable = 0;
};

} // namespace ODBC
} // namespace Orvik
