#include "Support/TypedDataWrapper/SqlToCBulkCharCopyConverter.h"

#include "Support/TypedDataWrapper/Conversions/SqlToCStateGroups.h"

namespace Orvik {
namespace Support {

template <int in_unitSize>
SqlToCBulkCharCopyConverter<in_unitSize>::SqlToCBulkCharCopyConverter(const SqlTypeMetadata& in_source,
                                                                      const SqlCTypeMetadata& in_target)
    : SqlToCBulkConverter<>(&SqlToCCharCopyCvt<in_unitSize>::Convert,
                            SqlToCStateGroups::Make(SqlToCStateGroup::NONE, in_source, in_target))
{
}

template class SqlToCBulkCharCopyConverter<1>;
template class SqlToCBulkCharCopyConverter<2>;
template class SqlToCBulkCharCopyConverter<4>;

} // namespace Support
} // namespace Orvik
