#pragma once

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The header record of a descriptor. The defaults are an application descriptor's; the
/// implementation descriptors use only the allocation type, the count and the two pointers
/// they serve.
struct DescriptorHeader
{
    /// SQL_DESC_ALLOC_AUTO (1) for a statement's descriptors, SQL_DESC_ALLOC_USER (2) for
    /// explicit ones.
    int16_t m_allocType = 1;
    void* m_arrayStatusPtr = nullptr;
    int16_t m_count = 0;
    uint64_t m_arraySize = 1;
    void* m_bindOffsetPtr = nullptr;
    /// SQL_BIND_BY_COLUMN (0), or the size of one row of row-wise bound buffers.
    uint64_t m_bindType = 0;
    void* m_rowsProcessedPtr = nullptr;
};

} // namespace ODBC
} // namespace Orvik
