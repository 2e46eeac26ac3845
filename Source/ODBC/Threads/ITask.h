#pragma once

namespace Orvik {
namespace ODBC {

/// One asynchronous call, queued on the worker pool. The handle that started it owns it; the
/// pool only runs it.
class ITask
{
public:
    virtual ~ITask() = default;

    /// Carries the call out on a worker and keeps its result; catches everything it raises.
    virtual void Run() = 0;

protected:
    ITask() = default;
};

} // namespace ODBC
} // namespace Orvik
