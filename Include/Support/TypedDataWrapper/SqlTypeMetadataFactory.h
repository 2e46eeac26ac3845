#pragma once

#include <cstdint>
#include <memory>

namespace Orvik {
namespace Support {

class SqlTypeMetadata;

/// Creates SQL type metadata with the defaults of its ODBC SQL type code, and re-applies them
/// when a descriptor changes a record's type. Stateless; the installed instance is a
/// process-wide singleton (TypedDataSingleton). A driver with SQL types of its own overrides the
/// three custom hooks.
class SqlTypeMetadataFactory
{
public:
    SqlTypeMetadataFactory() = default;
    virtual ~SqlTypeMetadataFactory() = default;

    SqlTypeMetadataFactory(const SqlTypeMetadataFactory&) = delete;
    SqlTypeMetadataFactory& operator=(const SqlTypeMetadataFactory&) = delete;

    /// Metadata of a driver-defined type, or null; null here.
    virtual std::unique_ptr<SqlTypeMetadata> CreateNewCustomSqlTypeMetadata(
        int16_t in_sqlType, bool in_isUnsigned, uint32_t in_attached) const;

    /// True when the driver reset io_metadata to in_sqlType itself; false here.
    virtual bool ResetCustomTypeDefaults(int16_t in_sqlType, SqlTypeMetadata& io_metadata) const;

    /// True when the driver applied the signedness itself; false here.
    virtual bool SetCustomUnsigned(SqlTypeMetadata& io_metadata, bool in_isUnsigned) const;

    /// New metadata for in_sqlType (0 for no type) with its defaults; in_attached non-zero puts
    /// character and binary values in buffers the caller attaches. Throws SupportException
    /// ("SQLTypeNotSupported") for an unknown code.
    std::unique_ptr<SqlTypeMetadata> CreateNewSqlTypeMetadata(
        int16_t in_sqlType, bool in_isUnsigned, uint32_t in_attached) const;

    /// Overwrites io_metadata with the defaults of in_sqlType. Throws SupportException
    /// ("SQLTypeNotSupported") for an unknown code, after resetting the descriptor facts.
    void ResetTypeDefaults(SqlTypeMetadata& io_metadata,
                           int16_t in_sqlType,
                           bool in_isUnsigned,
                           uint32_t in_attached) const;

    /// Changes the type of a descriptor record: applies the defaults of in_sqlType, keeping the
    /// signedness and the attached flag, then restores the length, precision or scale that the
    /// new type keeps. Throws SupportException ("SQLTypeNotSupported") for a code other than
    /// the SQL types (0 included), after the defaults were applied.
    void SetSqlType(int16_t in_sqlType, SqlTypeMetadata& io_metadata) const;

    /// Makes the metadata signed or unsigned; the integer types change type id, local type name
    /// and sizes with it.
    void SetUnsigned(SqlTypeMetadata& io_metadata, bool in_isUnsigned) const;
};

} // namespace Support
} // namespace Orvik
