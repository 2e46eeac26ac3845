#pragma once

#include <memory>

namespace Orvik {
namespace Support {

class SqlCTypeMetadataFactory;
class SqlCTypeUtilities;
class SqlConverterFactory;
class SqlDataFactory;
class SqlTypeMetadataFactory;
class SqlTypeUtilities;

/// Makes the process-wide services of the typed-data layer. The data-store driver creates one at
/// start-up; a driver with services of its own overrides the creators.
class TypedDataWrapperFactory
{
public:
    TypedDataWrapperFactory() = default;
    virtual ~TypedDataWrapperFactory() = default;

    TypedDataWrapperFactory(const TypedDataWrapperFactory&) = delete;
    TypedDataWrapperFactory& operator=(const TypedDataWrapperFactory&) = delete;

    // Each creator returns a new object on every call.

    virtual std::unique_ptr<SqlConverterFactory> CreateSqlConverterFactory() const;
    virtual std::unique_ptr<SqlDataFactory> CreateSqlDataFactory() const;
    virtual std::unique_ptr<SqlTypeUtilities> CreateSqlTypeUtilities() const;
    virtual std::unique_ptr<SqlTypeMetadataFactory> CreateSqlTypeMetadataFactory() const;
    virtual std::unique_ptr<SqlCTypeUtilities> CreateSqlCTypeUtilities() const;
    virtual std::unique_ptr<SqlCTypeMetadataFactory> CreateSqlCTypeMetadataFactory() const;

    /// Creates the six services and installs each as its process-wide singleton, deleting the
    /// instance it replaces, in the start-up order: converter registry, SqlData factory, SQL type
    /// utilities, SQL type metadata factory, C type utilities, C type metadata factory.
    void InstallServices() const;

    /// Deletes the installed services in the order of module termination: C type utilities,
    /// C type metadata factory, converter registry, SqlData factory, SQL type utilities, SQL type
    /// metadata factory.
    static void RemoveServices();
};

} // namespace Support
} // namespace Orvik
