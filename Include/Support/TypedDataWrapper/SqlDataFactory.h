#pragma once

#include <memory>

namespace Orvik {
namespace Support {

class SqlData;
class SqlTypeMetadata;

/// Creates the value holder that a SQL type metadata calls for. Stateless; the installed
/// instance is a process-wide singleton (TypedDataSingleton). A driver with value types of its
/// own overrides CreateNewCustomSqlData.
class SqlDataFactory
{
public:
    SqlDataFactory() = default;
    virtual ~SqlDataFactory() = default;

    SqlDataFactory(const SqlDataFactory&) = delete;
    SqlDataFactory& operator=(const SqlDataFactory&) = delete;

    /// A holder of a driver-defined type, or null; null here.
    virtual std::unique_ptr<SqlData> CreateNewCustomSqlData(const SqlTypeMetadata& in_metadata) const;

    /// A new, empty holder for a value described by in_metadata, which must outlive it: an
    /// attached or owned buffer for the character and binary types, by the metadata's attached
    /// flag, an inline value for the others. Throws SupportException ("SQLTDWTypeNotSupported")
    /// for an id that is not a SQL type.
    std::unique_ptr<SqlData> CreateNewSqlData(const SqlTypeMetadata& in_metadata) const;
};

} // namespace Support
} // namespace Orvik
