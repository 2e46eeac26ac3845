#pragma once

#include "Support/CriticalSection.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace ODBC {

class CDataWrapper;

/// Recycles C-data wrappers: a released wrapper goes on a free list, and the next acquire takes
/// the one released last. The module makes the process's pool at start-up. Safe from any thread.
class CDataWrapperPool
{
public:
    CDataWrapperPool();
    ~CDataWrapperPool();

    CDataWrapperPool(const CDataWrapperPool&) = delete;
    CDataWrapperPool& operator=(const CDataWrapperPool&) = delete;

    /// A wrapper reset to C type in_cType: the most recently released one, else a new one.
    /// Throws InvalidArgumentException for a code that is no C type; a wrapper taken from the
    /// free list is then destroyed.
    std::unique_ptr<CDataWrapper> Acquire(int16_t in_cType);

    /// Takes io_wrapper back onto the free list; io_wrapper is null afterwards.
    void Release(std::unique_ptr<CDataWrapper>& io_wrapper);

    /// The module's pool; null while the module is down.
    static CDataWrapperPool* GetInstance();

private:
    /// The wrapper released last, taken off the list; null when the list is empty.
    std::unique_ptr<CDataWrapper> TakeFree();

    std::vector<std::unique_ptr<CDataWrapper>> m_free;
    Support::CriticalSection m_lock;
};

} // namespace ODBC
} // namespace Orvik
