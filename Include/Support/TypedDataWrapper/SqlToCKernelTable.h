#pragma once

#include "Support/EncodingType.h"
#include "Support/TypedDataWrapper/SqlToCCvt.h"
#include "Support/TypedDataWrapper/TDWType.h"

namespace Orvik {
namespace Support {

/// Which kernel converts each (SQL type, C type) pair: the one table that the single-value and
/// the bulk converters both read. It is built from the kernel families' cell lists on first use
/// and read without a lock afterwards.
class SqlToCKernelTable
{
public:
    SqlToCKernelTable() = delete;

    /// The kernel of the pair, or null when the pair has none. For a character source and a
    /// SQL_C_CHAR or SQL_C_WCHAR target the encodings decide: text whose source and target
    /// encodings are equal is copied by the copy kernel of its code-unit size, any other text
    /// goes through the transcoding kernel.
    static SqlToCKernel Find(TDWType in_source,
                             TDWType in_target,
                             EncodingType in_sourceEncoding = ENC_NONE,
                             EncodingType in_targetEncoding = ENC_NONE);
};

} // namespace Support
} // namespace Orvik
