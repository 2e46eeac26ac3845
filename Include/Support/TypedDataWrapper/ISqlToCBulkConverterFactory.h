#pragma once

#include <memory>

namespace Orvik {
namespace Support {

class ISqlToCBulkConverter;
class SqlCTypeMetadata;
class SqlTypeMetadata;

/// Makes the bulk converters of one connection, one per (SQL type, C type) pair of its matrix.
/// Read-only once made, so any thread may use it.
class ISqlToCBulkConverterFactory
{
public:
    virtual ~ISqlToCBulkConverterFactory() = default;

    /// A new converter from values described by in_source into buffers described by in_target
    /// (SQL_C_DEFAULT stands for the source type's default C type), owned by the caller; null
    /// when the pair has none.
    virtual std::unique_ptr<ISqlToCBulkConverter> CreateConverter(const SqlTypeMetadata& in_source,
                                                                  const SqlCTypeMetadata& in_target) const = 0;

protected:
    ISqlToCBulkConverterFactory() = default;
};

} // namespace Support
} // namespace Orvik
