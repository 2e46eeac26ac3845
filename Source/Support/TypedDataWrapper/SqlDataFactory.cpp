#include "Support/TypedDataWrapper/SqlDataFactory.h"

#include "Support/TypedDataWrapper/SqlFixedLengthType.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlVarLengthAttachedType.h"
#include "Support/TypedDataWrapper/SqlVarLengthOwnedType.h"

namespace Orvik {
namespace Support {

namespace {

bool IsVariableLength(TDWType in_type)
{
    return (in_type >= TDW_SQL_CHAR && in_type <= TDW_SQL_WLONGVARCHAR)
        || (in_type >= TDW_SQL_BINARY && in_type <= TDW_SQL_LONGVARBINARY);
}

} // namespace

std::unique_ptr<SqlData> SqlDataFactory::CreateNewCustomSqlData(const SqlTypeMetadata&) const
{
    return nullptr;
}

std::unique_ptr<SqlData> SqlDataFactory::CreateNewSqlData(const SqlTypeMetadata& in_metadata) const
{
    if (std::unique_ptr<SqlData> custom = CreateNewCustomSqlData(in_metadata))
    {
        return custom;
    }
    if (!IsVariableLength(in_metadata.GetTDWType()))
    {
        return std::make_unique<SqlFixedLengthType>(in_metadata);
    }
    if (in_metadata.GetAttached() != 0)
    {
        return std::make_unique<SqlVarLengthAttachedType>(in_metadata);
    }
    return std::make_unique<SqlVarLengthOwnedType>(in_metadata);
}

} // namespace Support
} // namespace Orvik
