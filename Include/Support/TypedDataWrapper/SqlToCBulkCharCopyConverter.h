#pragma once

#include "Support/TypedDataWrapper/SqlToCBulkConverter.h"

namespace Orvik {
namespace Support {

class SqlCTypeMetadata;
class SqlTypeMetadata;

/// The bulk converter of character data whose column and buffer have the same encoding, with
/// code units of in_unitSize bytes (1, 2 or 4): each value is copied as it is and ended with one
/// zero unit; a value that does not fit loses its last whole units and posts StrRightTrunc, and an
/// element too small for one unit gets nothing. Every row's slot ends as the value's full length.
/// Allocates nothing while converting.
template <int in_unitSize>
class SqlToCBulkCharCopyConverter : public SqlToCBulkConverter<>
{
public:
    /// A copy into elements of the size in_target describes; in_source is not read.
    SqlToCBulkCharCopyConverter(const SqlTypeMetadata& in_source, const SqlCTypeMetadata& in_target);
};

extern template class SqlToCBulkCharCopyConverter<1>;
extern template class SqlToCBulkCharCopyConverter<2>;
extern template class SqlToCBulkCharCopyConverter<4>;

} // namespace Support
} // namespace Orvik
