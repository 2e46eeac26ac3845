#pragma once

#include "Support/TypedDataWrapper/SqlToCBulkConverter.h"

namespace Orvik {
namespace Support {

class EncodingConverter;
class SqlCTypeMetadata;
class SqlTypeMetadata;

/// The bulk converter of character data whose column and buffer have different encodings: each
/// value is converted from the column's encoding into the buffer's, whole characters and one zero
/// unit, posting StrRightTrunc when it does not fit; every row's slot ends as the byte length of
/// the whole converted value. The encoding converter is made at the first non-NULL row, reused
/// for the following ones and deleted with the converter; a column of NULLs never makes one.
/// Errors of the encoding converter are thrown.
class SqlToCBulkTranscodingConverter : public SqlToCBulkConverter<>
{
public:
    /// From the encoding of in_source into the encoding of in_target.
    SqlToCBulkTranscodingConverter(const SqlTypeMetadata& in_source, const SqlCTypeMetadata& in_target);

    /// The encoding converter made so far, or null.
    const EncodingConverter* GetEncodingConverter() const;
};

} // namespace Support
} // namespace Orvik
