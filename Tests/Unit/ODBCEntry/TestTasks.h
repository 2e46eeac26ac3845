#pragma once

// Test helper: a task whose call is a function, and a gate that holds a call until opened.

#include "ODBC/Tasks/ODBCTask.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <utility>

namespace Orvik {
namespace Testing {

class FunctionTask : public ODBC::ODBCTask
{
public:
    FunctionTask(ODBC::DiagManager& io_diagnostics, std::function<SQLRETURN()> in_call)
        : ODBCTask(io_diagnostics, "FunctionTask"), m_call(std::move(in_call))
    {
    }

private:
    SQLRETURN Call() override { return m_call(); }

    std::function<SQLRETURN()> m_call;
};

class Gate
{
public:
    void Open()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_isOpen = true;
        m_condition.notify_all();
    }

    void Wait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_condition.wait(lock, [this] { return m_isOpen; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_isOpen = false;
};

} // namespace Testing
} // namespace Orvik
