#include "Support/CriticalSection.h"

namespace Orvik {
namespace Support {

uint32_t CriticalSection::GetHoldCount() const
{
    return m_holder.load() == std::this_thread::get_id() ? m_depth : 0;
}

void CriticalSection::Enter()
{
    m_mutex.lock();
    if (m_depth++ == 0)
    {
        m_holder.store(std::this_thread::get_id());
    }
}

void CriticalSection::Leave()
{
    if (--m_depth == 0)
    {
        m_holder.store(std::thread::id());
    }
    m_mutex.unlock();
}

} // namespace Support
} // namespace Orvik
