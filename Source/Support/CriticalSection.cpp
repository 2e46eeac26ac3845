#include "Support/CriticalSection.h"

#include "Support/InvalidOperationException.h"

namespace Orvik {
namespace Support {

uint32_t CriticalSection::GetHoldCount() const
{
    return m_holder.load() == std::this_thread::get_id() ? m_depth : 0;
}

void CriticalSection::WaitOn(std::condition_variable_any& io_condition)
{
    if (GetHoldCount() != 1)
    {
        ORVIK_THROW_INVALID_OPERATION();
    }
    // While this thread waits, the next holder records itself.
    m_depth = 0;
    m_holder.store(std::thread::id());
    io_condition.wait(m_mutex);
    m_holder.store(std::this_thread::get_id());
    m_depth = 1;
}

} // namespace Support
} // namespace Orvik
