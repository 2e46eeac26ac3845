#pragma once

#include "Support/TypedDataWrapper/Conversions/SqlToCStateGroups.h"
#include "Support/TypedDataWrapper/SqlToCCvt.h"
#include "Support/TypedDataWrapper/TDWType.h"

namespace Orvik {
namespace Support {

/// Which (SQL type, C type) pairs the bulk road converts, and how: the source families' cell
/// lists joined into one square table indexed by the two type ids, built on first use and read
/// without a lock afterwards.
class SqlToCBulkMatrix
{
public:
    /// What a filled cell holds: the pair's kernel (null for the character-to-character cells,
    /// whose kernel the encodings choose) and the state group of its converter.
    struct Entry
    {
        SqlToCKernel m_kernel;
        SqlToCStateGroup m_group;
    };

    SqlToCBulkMatrix() = delete;

    /// The cell of the pair, or null when it is empty or either id lies outside the table. A
    /// mistake in the cell lists (a pair listed twice, a pair without a kernel) throws
    /// InvalidOperationException.
    static const Entry* Find(TDWType in_source, TDWType in_target);
};

} // namespace Support
} // namespace Orvik
