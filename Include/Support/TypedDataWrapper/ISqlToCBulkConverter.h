#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

class BulkWarningListener;
struct BulkSqlData;

/// Converts one column of many rows of one SQL type into an application's array of one C type in
/// one call. Made by the connection's bulk converter factory; the caller owns it and uses it for
/// one column of one statement.
class ISqlToCBulkConverter
{
public:
    virtual ~ISqlToCBulkConverter() = default;

    /// Converts the rows of in_source. Row i's value goes to io_target + i * in_targetStride
    /// (nothing is written when io_target is null), an element of in_elementLength bytes; its
    /// length goes to the slot at io_lengths + i * in_lengthStride bytes: the converted length, or
    /// BulkSqlData::NULL_LENGTH for a NULL row. Problems are posted to io_listener, whose row
    /// counter advances by one per row. Returns the rows processed. An unknown layout throws
    /// InvalidArgumentException, a driver-defined one InvalidOperationException.
    virtual uint64_t Convert(const BulkSqlData& in_source,
                             void* io_target,
                             int64_t in_elementLength,
                             int64_t in_targetStride,
                             int64_t* io_lengths,
                             int64_t in_lengthStride,
                             BulkWarningListener& io_listener) = 0;

protected:
    ISqlToCBulkConverter() = default;
};

} // namespace Support
} // namespace Orvik
