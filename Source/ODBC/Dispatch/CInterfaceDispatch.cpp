#include "ODBC/Dispatch/CInterface.h"

#include "ODBC/Dispatch/DispatchedCalls.h"
#include "ODBC/Dispatch/Dispatcher.h"
#include "ODBC/Handles/Connection.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Tasks/CallTask.h"
#include "ODBC/Tasks/CatalogTask.h"
#include "ODBC/Tasks/ConnectionStringTask.h"
#include "ODBC/Tasks/SQLColAttributeWTask.h"
#include "ODBC/Tasks/SQLConnectWTask.h"
#include "ODBC/Tasks/SQLDescribeColWTask.h"
#include "ODBC/Tasks/StatementTextTask.h"

#include <memory>
#include <type_traits>

namespace Orvik {
namespace ODBC {

namespace {

HandleEntry EnterHandle(Connection*, SQLHANDLE in_handle, const char* in_functionName)
{
    return CInterface::EnterConnection(in_handle, in_functionName);
}

HandleEntry EnterHandle(Statement*, SQLHANDLE in_handle, const char* in_functionName)
{
    return CInterface::EnterStatement(in_handle, in_functionName);
}

/// The dispatcher's operations for the function F describes.
template <class F>
struct OperationsOf
{
    using Handle = typename F::Handle;
    using Args = typename F::Args;
    using Task = typename F::Task;

    static HandleEntry Enter(SQLHANDLE in_handle, const char* in_functionName)
    {
        return EnterHandle(static_cast<Handle*>(nullptr), in_handle, in_functionName);
    }

    static ODBCHandle& HandleOf(void* io_object) { return *static_cast<Handle*>(io_object); }

    static DiagManager& GetDiagnostics(ODBCHandle& io_handle) { return static_cast<Handle&>(io_handle).GetDiagManager(); }

    static SQLRETURN Call(ODBCHandle& io_handle, void* io_args)
    {
        return F::Call(static_cast<Handle&>(io_handle), *static_cast<const Args*>(io_args));
    }

    static SQLRETURN Collect(ODBCTask& io_task, void* io_args)
    {
        if constexpr (F::CopiesOutputs)
        {
            // Outputs are read only from a task of this very function.
            if (Task* own = dynamic_cast<Task*>(&io_task))
            {
                return own->CopyOutputStrings(*static_cast<const Args*>(io_args));
            }
        }
        return io_task.GetResult();
    }

    static std::unique_ptr<ODBCTask> MakeTask(ODBCHandle& io_handle, void* io_args)
    {
        return std::make_unique<Task>(static_cast<Handle&>(io_handle), *static_cast<const Args*>(io_args));
    }

    /// Null for the functions that never run as a task.
    static constexpr auto GetTaskMaker()
    {
        using Maker = std::unique_ptr<ODBCTask> (*)(ODBCHandle&, void*);
        if constexpr (std::is_void<Task>::value)
        {
            return Maker(nullptr);
        }
        else
        {
            return Maker(&MakeTask);
        }
    }
};

template <class F>
constexpr Dispatcher::Operations OPERATIONS = {
    std::is_same<typename F::Handle, Connection>::value ? Dispatcher::HandleKind::CONNECTION
                                                          : Dispatcher::HandleKind::STATEMENT,
    &OperationsOf<F>::Enter,
    &OperationsOf<F>::HandleOf,
    &OperationsOf<F>::GetDiagnostics,
    &OperationsOf<F>::Call,
    OperationsOf<F>::GetTaskMaker(),
    &OperationsOf<F>::Collect,
};

} // namespace

#define ORVIK_DEFINE_DISPATCHER(NAME)                                                                          \
    SQLRETURN CInterface::Dispatch##NAME(const char* in_functionName, SQLHANDLE in_handle, NAME##Args* in_args) \
    {                                                                                                         \
        return Dispatcher::Dispatch(in_functionName, in_handle, in_args, OPERATIONS<NAME##Call>);         \
    }
ORVIK_DISPATCHED_FUNCTIONS(ORVIK_DEFINE_DISPATCHER)
#undef ORVIK_DEFINE_DISPATCHER

} // namespace ODBC
} // namespace Orvik
