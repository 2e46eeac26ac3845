#include "DSI/Client/DSIResults.h"

#include "Support/InvalidArgumentException.h"

namespace Orvik {
namespace DSI {

IResult* DSIResults::GetCurrentResult()
{
    return m_current < m_results.size() ? m_results[m_current].get() : nullptr;
}

uint64_t DSIResults::GetCount()
{
    return m_results.size();
}

bool DSIResults::MoveToNext()
{
    if (m_current >= m_results.size())
    {
        return false;
    }
    ++m_current;
    return m_current < m_results.size();
}

void DSIResults::Reset()
{
    m_current = 0;
}

void DSIResults::AddResult(std::unique_ptr<IResult> in_result)
{
    // A null result would end the collection early for whoever walks it.
    if (in_result == nullptr)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    m_results.push_back(std::move(in_result));
}

void DSIResults::Clear()
{
    m_results.clear();
    m_current = 0;
}

} // namespace DSI
} // namespace Orvik
