#pragma once

#include "Support/TypedDataWrapper/TDWType.h"

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

class SqlCTypeMetadata;

/// Creates C type metadata with the defaults of its ODBC C type code. Stateless; the installed
/// instance is a process-wide singleton (TypedDataSingleton). A driver that defines C types of
/// its own (codes of 16384 and more) overrides the two custom hooks.
class SqlCTypeMetadataFactory
{
public:
    SqlCTypeMetadataFactory() = default;
    virtual ~SqlCTypeMetadataFactory() = default;

    SqlCTypeMetadataFactory(const SqlCTypeMetadataFactory&) = delete;
    SqlCTypeMetadataFactory& operator=(const SqlCTypeMetadataFactory&) = delete;

    /// Resets the defaults of a driver-defined C type; throws InvalidOperationException here.
    virtual void ResetCustomTypeDefaults(SqlCTypeMetadata& io_typeMetadata) const;

    /// Creates metadata for a driver-defined C type; throws InvalidOperationException here.
    virtual std::unique_ptr<SqlCTypeMetadata> CreateNewCustomSqlCTypeMetadata(int16_t in_cType) const;

    /// New metadata for in_cType with its defaults. Throws InvalidArgumentException for a code
    /// that is not a C type.
    std::unique_ptr<SqlCTypeMetadata> CreateNewSqlCTypeMetadata(int16_t in_cType) const;

    /// The buffer that a SQL_C_DEFAULT binding stands for when it meets values of in_sqlType:
    /// new metadata of the SQL type's default C type with that type's defaults (fixed size,
    /// precisions, scale and the encoding of its kind), keeping in_binding's buffer length.
    /// Throws InvalidArgumentException ("InvalidArgumentParam") for a SQL type without a
    /// default C type.
    std::unique_ptr<SqlCTypeMetadata> CreateDefaultBindingMetadata(TDWType in_sqlType,
                                                                   const SqlCTypeMetadata& in_binding) const;

    /// Applies the defaults of the metadata's own C type code again: kind flags, encoding (the
    /// application's ANSI encoding for SQL_C_CHAR, the driver manager's for every other code),
    /// type id, fixed size, length, precision, scale and radix. Throws InvalidArgumentException
    /// for a code that is not a C type.
    void ResetTypeDefaults(SqlCTypeMetadata& io_typeMetadata) const;
};

} // namespace Support
} // namespace Orvik
