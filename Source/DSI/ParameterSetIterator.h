#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

class ParameterSet;

/// The parameter sets of one execution, in order, without those the application marked to be
/// ignored.
class ParameterSetIterator
{
public:
    virtual ~ParameterSetIterator() = default;

    /// Moves to the next set that is not ignored; false after the last.
    virtual bool MoveToNext() = 0;

    /// The set whose parameters show the current set's values; owned by the iterator.
    virtual ParameterSet& GetCurrentSet() = 0;

    /// The current set's row number, from 1.
    virtual uint64_t GetCurrentRow() = 0;

    /// The number of sets to process: the application's parameter-set size less the sets it
    /// marked to be ignored.
    virtual uint64_t GetNumberOfSets() = 0;

    /// Whether the sets have no parameters.
    virtual bool IsEmpty() = 0;

protected:
    ParameterSetIterator() = default;
};

} // namespace DSI
} // namespace Orvik
