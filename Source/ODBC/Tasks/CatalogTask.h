#pragma once

#include "ODBC/Tasks/ODBCTask.h"
#include "Support/orvik_wstring.h"

namespace Orvik {
namespace ODBC {

/// The task of a catalog function: its names are converted when the task is made, so the call
/// on the worker never reads the application's buffers; its other arguments are kept as passed.
template <class F>
class CatalogTask : public ODBCTask
{
public:
    /// Raises what the conversion of the names raises; nothing is kept then.
    CatalogTask(typename F::Handle& io_owner, const typename F::Args& in_args)
        : ODBCTask(io_owner.GetDiagManager(), F::TaskName), m_owner(io_owner), m_args(in_args)
    {
        F::ConvertNames(m_args, m_names);
    }

private:
    SQLRETURN Call() override { return F::Body(m_owner, m_args, m_names); }

    typename F::Handle& m_owner;
    const typename F::Args m_args;
    typename F::Names m_names;
};

} // namespace ODBC
} // namespace Orvik
