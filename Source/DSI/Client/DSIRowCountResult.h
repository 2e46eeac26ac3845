#pragma once

#include "DSI/Client/RowCountResultBase.h"

#include <cstdint>

namespace Orvik {
namespace DSI {

/// The count of rows that an execution affected; -1 when none is known.
class DSIRowCountResult : public RowCountResultBase
{
public:
    explicit DSIRowCountResult(int64_t in_rowCount) : m_rowCount(in_rowCount) {}

    /// True unless the count is -1.
    bool HasRowCount() override { return m_rowCount != -1; }

    int64_t GetRowCount() override { return m_rowCount; }

    virtual void SetRowCount(int64_t in_rowCount) { m_rowCount = in_rowCount; }

private:
    int64_t m_rowCount;
};

} // namespace DSI
} // namespace Orvik
