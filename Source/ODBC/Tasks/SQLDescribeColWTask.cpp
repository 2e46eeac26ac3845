#include "ODBC/Tasks/SQLDescribeColWTask.h"

#include "ODBC/Dispatch/DispatchedCalls.h"
#include "ODBC/Handles/Statement.h"

namespace Orvik {
namespace ODBC {

SQLDescribeColWTask::SQLDescribeColWTask(Statement& io_owner, const SQLDescribeColWArgs& in_args)
    : ODBCTask(io_owner.GetDiagManager(), SQLDescribeColWCall::TaskName), m_owner(io_owner), m_args(in_args)
{
    m_name.Capture(m_args.ColumnName, m_args.BufferLength, false);
    m_args.NameLengthPtr = &m_nameLength;
    m_args.DataTypePtr = &m_dataType;
    m_args.ColumnSizePtr = &m_columnSize;
    m_args.DecimalDigitsPtr = &m_decimalDigits;
    m_args.NullablePtr = &m_nullable;
}

SQLRETURN SQLDescribeColWTask::CopyOutputStrings(const SQLDescribeColWArgs& in_current)
{
    SQLRETURN result = GetResult();
    if (!HasOutputs(result))
    {
        return result;
    }
    CopyOutput(in_current.NameLengthPtr, m_nameLength);
    CopyOutput(in_current.DataTypePtr, m_dataType);
    CopyOutput(in_current.ColumnSizePtr, m_columnSize);
    CopyOutput(in_current.DecimalDigitsPtr, m_decimalDigits);
    CopyOutput(in_current.NullablePtr, m_nullable);
    if (m_name.CopyTo(in_current.ColumnName, in_current.BufferLength, m_nameLength))
    {
        result = PostTruncation(result);
    }
    return result;
}

SQLRETURN SQLDescribeColWTask::Call()
{
    return SQLDescribeColWCall::Call(m_owner, m_args);
}

} // namespace ODBC
} // namespace Orvik
