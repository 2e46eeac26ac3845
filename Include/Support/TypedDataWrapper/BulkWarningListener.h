#pragma once

#include "Support/TypedDataWrapper/WarningListener.h"

#include <cstdint>

namespace Orvik {
namespace Support {

/// The listener of one bulk-fetched column: besides the conversion problems it receives, it
/// offers the row counter that names the row they belong to. The bulk row loops advance the
/// counter by one per row, NULL rows included.
class BulkWarningListener : public WarningListener
{
public:
    /// The address of the column's row counter, owned by the listener's owner.
    virtual int64_t* GetRowCounter() = 0;

    /// Sets the row counter to in_row.
    virtual void SetRowCounter(int64_t in_row) = 0;

protected:
    BulkWarningListener() = default;
};

} // namespace Support
} // namespace Orvik
