#include "Support/TypedDataWrapper/SqlToCBulkTranscodingConverter.h"

#include "Support/TypedDataWrapper/Conversions/SqlToCStateGroups.h"

/// The transcoding kernel of character data, which the character kernels define.
ORVIK_SQL_TO_C_KERNEL(TDW_SQL_CHAR, TDW_C_CHAR);

namespace Orvik {
namespace Support {

SqlToCBulkTranscodingConverter::SqlToCBulkTranscodingConverter(const SqlTypeMetadata& in_source,
                                                               const SqlCTypeMetadata& in_target)
    : SqlToCBulkConverter<>(&SqlToCCvt<TDW_SQL_CHAR, TDW_C_CHAR>::Convert,
                            SqlToCStateGroups::Make(SqlToCStateGroup::CHARACTER_TEXT, in_source, in_target))
{
}

const EncodingConverter* SqlToCBulkTranscodingConverter::GetEncodingConverter() const
{
    return GetKernelState().m_converter.get();
}

} // namespace Support
} // namespace Orvik
