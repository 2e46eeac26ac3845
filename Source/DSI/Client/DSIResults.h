#pragma once

#include "DSI/Client/IResult.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Orvik {
namespace DSI {

/// The results of one execution, in the order in which they were made: result sets and row
/// counts. Owns them. The first result is current until MoveToNext moves on.
class DSIResults
{
public:
    DSIResults() = default;
    virtual ~DSIResults() = default;

    DSIResults(const DSIResults&) = delete;
    DSIResults& operator=(const DSIResults&) = delete;

    /// The current result, still owned here; null when there is none left.
    virtual IResult* GetCurrentResult();

    virtual uint64_t GetCount();

    /// Makes the next result current; false when none follows (then the current one is null).
    virtual bool MoveToNext();

    /// Makes the first result current again.
    virtual void Reset();

    /// Appends a result and takes it over; null throws InvalidArgumentException.
    void AddResult(std::unique_ptr<IResult> in_result);

    /// Deletes every result and starts over.
    void Clear();

private:
    std::vector<std::unique_ptr<IResult>> m_results;
    uint64_t m_current = 0;
};

} // namespace DSI
} // namespace Orvik
