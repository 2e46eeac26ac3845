#include "Support/TypedDataWrapper/TypedDataWrapperFactory.h"

#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlCTypeUtilities.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeUtilities.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

namespace Orvik {
namespace Support {

std::unique_ptr<SqlConverterFactory> TypedDataWrapperFactory::CreateSqlConverterFactory() const
{
    return std::make_unique<SqlConverterFactory>();
}

std::unique_ptr<SqlDataFactory> TypedDataWrapperFactory::CreateSqlDataFactory() const
{
    return std::make_unique<SqlDataFactory>();
}

std::unique_ptr<SqlTypeUtilities> TypedDataWrapperFactory::CreateSqlTypeUtilities() const
{
    return std::make_unique<SqlTypeUtilities>();
}

std::unique_ptr<SqlTypeMetadataFactory> TypedDataWrapperFactory::CreateSqlTypeMetadataFactory() const
{
    return std::make_unique<SqlTypeMetadataFactory>();
}

std::unique_ptr<SqlCTypeUtilities> TypedDataWrapperFactory::CreateSqlCTypeUtilities() const
{
    return std::make_unique<SqlCTypeUtilities>();
}

std::unique_ptr<SqlCTypeMetadataFactory> TypedDataWrapperFactory::CreateSqlCTypeMetadataFactory() const
{
    return std::make_unique<SqlCTypeMetadataFactory>();
}

void TypedDataWrapperFactory::InstallServices() const
{
    TypedDataSingleton<SqlConverterFactory>::Install(CreateSqlConverterFactory());
    TypedDataSingleton<SqlDataFactory>::Install(CreateSqlDataFactory());
    TypedDataSingleton<SqlTypeUtilities>::Install(CreateSqlTypeUtilities());
    TypedDataSingleton<SqlTypeMetadataFactory>::Install(CreateSqlTypeMetadataFactory());
    TypedDataSingleton<SqlCTypeUtilities>::Install(CreateSqlCTypeUtilities());
    TypedDataSingleton<SqlCTypeMetadataFactory>::Install(CreateSqlCTypeMetadataFactory());
}

void TypedDataWrapperFactory::RemoveServices()
{
    TypedDataSingleton<SqlCTypeUtilities>::Install(nullptr);
    TypedDataSingleton<SqlCTypeMetadataFactory>::Install(nullptr);
    TypedDataSingleton<SqlConverterFactory>::Install(nullptr);
    TypedDataSingleton<SqlDataFactory>::Install(nullptr);
    TypedDataSingleton<SqlTypeUtilities>::Install(nullptr);
    TypedDataSingleton<SqlTypeMetadataFactory>::Install(nullptr);
}

} // namespace Support
} // namespace Orvik
