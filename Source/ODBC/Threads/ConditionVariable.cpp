#include "ODBC/Threads/ConditionVariable.h"

namespace Orvik {
namespace ODBC {

void ConditionVariable::WakeOne()
{
    if (m_signalCount < m_waiterCount)
    {
        ++m_signalCount;
    }
    m_condition.notify_one();
}

void ConditionVariable::WakeAll()
{
    m_signalCount = m_waiterCount;
    m_condition.notify_all();
}

void ConditionVariable::Sleep()
{
    ++m_waiterCount;
    while (m_signalCount == 0)
    {
        WaitOn(m_condition);
    }
    --m_waiterCount;
    --m_signalCount;
}

} // namespace ODBC
} // namespace Orvik
