#pragma once

#include "ODBC/Tasks/ODBCTask.h"
#include "ODBC/Tasks/OwnedInputString.h"
#include "ODBC/Tasks/OwnedOutputString.h"

namespace Orvik {
namespace ODBC {

/// The task of SQLBrowseConnectW or SQLDriverConnectW: the input connection string is copied
/// when the task is made, the output one and its length are written into the task's own storage,
/// and the call that collects the task receives them in its buffers.
template <class F>
class ConnectionStringTask : public ODBCTask
{
public:
    ConnectionStringTask(typename F::Handle& io_owner, const typename F::Args& in_args)
        : ODBCTask(io_owner.GetDiagManager(), F::TaskName), m_owner(io_owner), m_args(in_args)
    {
        m_input.Capture(m_args.InConnectionString, m_args.StringLength1);
        m_output.Capture(m_args.OutConnectionString, m_args.BufferLength, false);
        m_args.StringLength2Ptr = &m_stringLength2;
    }

    /// The result; when it lets outputs be copied, the string and its length go into the
    /// collecting call's buffers, and a cut to a buffer smaller than the task's posts 01004.
    SQLRETURN CopyOutputStrings(const typename F::Args& in_current)
    {
        SQLRETURN result = GetResult();
        if (!HasOutputs(result))
        {
            return result;
        }
        CopyOutput(in_current.StringLength2Ptr, m_stringLength2);
        if (m_output.CopyTo(in_current.OutConnectionString, in_current.BufferLength, m_stringLength2))
        {
            result = PostTruncation(result);
        }
        return result;
    }

private:
    SQLRETURN Call() override { return F::Call(m_owner, m_args); }

    typename F::Handle& m_owner;
    typename F::Args m_args;
    OwnedInputString m_input;
    OwnedOutputString m_output;
    SQLSMALLINT m_stringLength2 = 0;
};

} // namespace ODBC
} // namespace Orvik
