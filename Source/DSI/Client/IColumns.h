#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

class IColumn;
class ILogger;

/// The columns of a result, numbered from 0.
class IColumns
{
public:
    virtual ~IColumns() = default;

    /// The column at in_index, still owned by the list; an index at or beyond the count throws
    /// BadColumnException "InvalidColumnNum" with the index.
    virtual IColumn* GetColumn(uint16_t in_index) const = 0;

    virtual uint16_t GetCount() const = 0;

    /// Writes every column to in_log at TRACE.
    virtual void LogColumns(ILogger& in_log) const = 0;

protected:
    IColumns() = default;
};

} // namespace DSI
} // namespace Orvik
