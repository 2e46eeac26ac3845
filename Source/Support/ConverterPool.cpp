#include "ConverterPool.h"

#include "Support/CriticalSectionLock.h"

#include <utility>

namespace Orvik {
namespace Support {

ConverterPool::ConverterPool(EncodingType in_encoding) : m_encoding(in_encoding)
{
}

ConverterPool::Lease::Lease(ConverterPool& io_pool) : m_pool(io_pool), m_converter(io_pool.Take())
{
}

ConverterPool::Lease::~Lease()
{
    try
    {
        m_pool.GiveBack(std::move(m_converter));
    }
    catch (...)
    {
        // No room to keep it: the converter stays here and is closed with the lease.
    }
}

size_t ConverterPool::GetIdleCount()
{
    CriticalSectionLock lock(m_lock);
    return m_idle.size();
}

IcuConverter ConverterPool::Take()
{
    {
        CriticalSectionLock lock(m_lock);
        if (!m_idle.empty())
        {
            IcuConverter converter = std::move(m_idle.back());
            m_idle.pop_back();
            return converter;
        }
    }
    // Opened outside the lock: other threads may take and give back meanwhile.
    return IcuConverter(m_encoding);
}

void ConverterPool::GiveBack(IcuConverter&& io_converter)
{
    CriticalSectionLock lock(m_lock);
    m_idle.push_back(std::move(io_converter));
}

} // namespace Support
} // namespace Orvik
