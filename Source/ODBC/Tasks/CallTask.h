#pragma once

#include "ODBC/Tasks/ODBCTask.h"

namespace Orvik {
namespace ODBC {

/// The task of a call whose arguments it keeps as the application passed them: values and
/// pointers alike, so the call on the worker writes the application's outputs itself. The ANSI
/// forms are such tasks too; their call converts the strings when it runs.
template <class F>
class CallTask : public ODBCTask
{
public:
    CallTask(typename F::Handle& io_owner, const typename F::Args& in_args)
        : ODBCTask(io_owner.GetDiagManager(), F::TaskName), m_owner(io_owner), m_args(in_args)
    {
    }

private:
    SQLRETURN Call() override { return F::Call(m_owner, m_args); }

    typename F::Handle& m_owner;
    const typename F::Args m_args;
};

} // namespace ODBC
} // namespace Orvik
