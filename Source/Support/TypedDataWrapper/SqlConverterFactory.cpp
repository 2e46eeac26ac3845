#include "Support/TypedDataWrapper/SqlConverterFactory.h"

#include "Support/InvalidTypeConversionException.h"
#include "Support/TypedDataWrapper/ICToSqlConverter.h"
#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/ISqlToSqlConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/TypeConversionInfo.h"

namespace Orvik {
namespace Support {

namespace {

template <class Table>
typename Table::value_type FindCreator(const Table& in_table, TDWType in_source, TDWType in_target)
{
    const int32_t cell = SqlConverterFactory::GetCellIndex(in_source, in_target);
    return cell < 0 ? nullptr : in_table[cell];
}

// SQL_C_DEFAULT stands for the default C type of the SQL type it meets.
TDWType ResolveCType(TDWType in_cType, TDWType in_sqlType)
{
    return in_cType == TDW_C_DEFAULT ? TypeConversionInfo::GetDefaultCTypeForSqlType(in_sqlType)
                                     : in_cType;
}

[[noreturn]] void ThrowNotConvertible(const orvik_wstring& in_sourceName, const orvik_wstring& in_targetName)
{
    throw InvalidTypeConversionException(SupportError(SupportErrorCode::DataConvAlgorithmNotSupported),
                                         {in_sourceName, in_targetName});
}

} // namespace

SqlConverterFactory::SqlConverterFactory()
{
    InitSqlToCTable(m_sqlToCTable);
    InitSqlToSqlTable(m_sqlToSqlTable);
    InitCToSqlTable(m_cToSqlTable);
}

bool SqlConverterFactory::CanConvertCustomType(int16_t) const
{
    return false;
}

bool SqlConverterFactory::CanConvertCustomTypes(int16_t, int16_t) const
{
    return false;
}

std::unique_ptr<ISqlToCConverter> SqlConverterFactory::CreateCustomSqlToCConverter(
    const SqlData&, const SqlCTypeMetadata&, IDiagManager*) const
{
    return nullptr;
}

std::unique_ptr<ICToSqlConverter> SqlConverterFactory::CreateCustomCToSqlConverter(
    const SqlCTypeMetadata&, const SqlData&, IDiagManager*) const
{
    return nullptr;
}

std::unique_ptr<ISqlToSqlConverter> SqlConverterFactory::CreateCustomSqlToSqlConverter(
    const SqlData&, const SqlData&, IDiagManager*) const
{
    return nullptr;
}

std::unique_ptr<ISqlToCConverter> SqlConverterFactory::CreateNewSqlToCConverter(
    const SqlData& in_source, const SqlCTypeMetadata& in_target, IDiagManager* in_context) const
{
    if (std::unique_ptr<ISqlToCConverter> custom = CreateCustomSqlToCConverter(in_source, in_target, in_context))
    {
        return custom;
    }
    const SqlTypeMetadata& source = in_source.GetMetadata();
    const TDWType cType = ResolveCType(in_target.GetTDWType(), source.GetTDWType());
    const SqlToCCreator creator = FindCreator(m_sqlToCTable, source.GetTDWType(), cType);
    if (creator == nullptr)
    {
        ThrowNotConvertible(TypeConversionInfo::GetCTypeName(source), TypeConversionInfo::GetCTypeName(in_target));
    }
    return creator(source, in_target);
}

std::unique_ptr<ICToSqlConverter> SqlConverterFactory::CreateNewCToSqlConverter(
    const SqlCTypeMetadata& in_source, const SqlData& in_target, IDiagManager* in_context) const
{
    if (std::unique_ptr<ICToSqlConverter> custom = CreateCustomCToSqlConverter(in_source, in_target, in_context))
    {
        return custom;
    }
    const SqlTypeMetadata& target = in_target.GetMetadata();
    const TDWType cType = ResolveCType(in_source.GetTDWType(), target.GetTDWType());
    const CToSqlCreator creator = FindCreator(m_cToSqlTable, cType, target.GetTDWType());
    if (creator == nullptr)
    {
        ThrowNotConvertible(TypeConversionInfo::GetCTypeName(in_source), TypeConversionInfo::GetCTypeName(target));
    }
    return creator(in_source, target);
}

bool SqlConverterFactory::CanConvert(TDWType in_first, TDWType in_second) const
{
    return FindCreator(m_sqlToCTable, in_first, in_second) != nullptr
        || FindCreator(m_cToSqlTable, in_first, in_second) != nullptr
        || FindCreator(m_sqlToSqlTable, in_first, in_second) != nullptr;
}

int32_t SqlConverterFactory::GetCellIndex(TDWType in_source, TDWType in_target)
{
    const auto inTable = [](TDWType in_type) { return in_type >= 0 && in_type < TDW_TYPE_TABLE_SIZE; };
    return (inTable(in_source) && inTable(in_target)) ? in_source * TDW_TYPE_TABLE_SIZE + in_target : -1;
}

} // namespace Support
} // namespace Orvik
