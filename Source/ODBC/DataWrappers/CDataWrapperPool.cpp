#include "ODBC/DataWrappers/CDataWrapperPool.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Driver/Module.h"
#include "Support/CriticalSectionLock.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <new>

namespace Orvik {
namespace ODBC {

using namespace Support;

CDataWrapperPool::CDataWrapperPool() = default;

CDataWrapperPool::~CDataWrapperPool() = default;

std::unique_ptr<CDataWrapper> CDataWrapperPool::Acquire(int16_t in_cType)
{
    // Metadata is made or reset outside the pool lock.
    std::unique_ptr<CDataWrapper> wrapper = TakeFree();
    if (wrapper)
    {
        wrapper->Reset(in_cType);
        return wrapper;
    }
    return std::make_unique<CDataWrapper>(
        TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault().CreateNewSqlCTypeMetadata(in_cType));
}

void CDataWrapperPool::Release(std::unique_ptr<CDataWrapper>& io_wrapper)
{
    std::unique_ptr<CDataWrapper> wrapper = std::move(io_wrapper);
    CriticalSectionLock lock(m_lock);
    try
    {
        m_free.push_back(std::move(wrapper));
    }
    catch (const std::bad_alloc&)
    {
        // A list that cannot grow lets the wrapper go with this frame.
    }
}

CDataWrapperPool* CDataWrapperPool::GetInstance()
{
    return Module::GetCDataWrapperPool();
}

std::unique_ptr<CDataWrapper> CDataWrapperPool::TakeFree()
{
    CriticalSectionLock lock(m_lock);
    if (m_free.empty())
    {
        return nullptr;
    }
    std::unique_ptr<CDataWrapper> wrapper = std::move(m_free.back());
    m_free.pop_back();
    return wrapper;
}

} // namespace ODBC
} // namespace Orvik
