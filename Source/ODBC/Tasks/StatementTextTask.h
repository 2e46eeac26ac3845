#pragma once

#include "ODBC/Tasks/ODBCTask.h"
#include "ODBC/Tasks/OwnedInputString.h"

namespace Orvik {
namespace ODBC {

/// The task of SQLExecDirectW or SQLPrepareW: the statement text is copied when the task is made.
template <class F>
class StatementTextTask : public ODBCTask
{
public:
    StatementTextTask(typename F::Handle& io_owner, const typename F::Args& in_args)
        : ODBCTask(io_owner.GetDiagManager(), F::TaskName), m_owner(io_owner), m_args(in_args)
    {
        m_text.Capture(m_args.StatementText, m_args.TextLength);
    }

private:
    SQLRETURN Call() override { return F::Call(m_owner, m_args); }

    typename F::Handle& m_owner;
    typename F::Args m_args;
    OwnedInputString m_text;
};

} // namespace ODBC
} // namespace Orvik
