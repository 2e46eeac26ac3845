#include "DSI/Client/DSIColumn.h"

#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/ILogger.h"
#include "Support/InvalidArgumentException.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <utility>

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;
using Support::SharedPtr;

DSIColumn::DSIColumn(std::unique_ptr<Support::SqlTypeMetadata>&& io_metadata,
                     std::unique_ptr<DSIColumnMetadata>&& io_columnMetadata)
{
    if (io_metadata == nullptr || io_columnMetadata == nullptr || !io_columnMetadata->m_collation)
    {
        throw Support::InvalidArgumentException(
            Support::DIAG_GENERAL_ERROR, Support::DSI_COMPONENT_ID,
            Support::SupportError(Support::SupportErrorCode::InvalidArgument),
            {u"DSI/Client/DSIColumn.cpp", Support::NumberConverter::ConvertInt32ToWString(__LINE__)});
    }
    m_metadata = std::move(io_metadata);
    m_columnMetadata = std::move(io_columnMetadata);
}

DSIColumn::~DSIColumn() = default;

uint32_t DSIColumn::GetColumnSize() const
{
    return m_metadata->GetColumnSize(m_columnMetadata->m_columnLength);
}

int32_t DSIColumn::GetSearchable() const
{
    return m_columnMetadata->m_searchable;
}

void DSIColumn::GetLabel(orvik_wstring& out_label) const
{
    out_label = m_columnMetadata->m_label;
}

void DSIColumn::GetName(orvik_wstring& out_name) const
{
    out_name = m_columnMetadata->m_name;
}

void DSIColumn::GetTableName(orvik_wstring& out_name) const
{
    out_name = m_columnMetadata->m_tableName;
}

void DSIColumn::GetCatalogName(orvik_wstring& out_name) const
{
    out_name = m_columnMetadata->m_catalogName;
}

void DSIColumn::GetSchemaName(orvik_wstring& out_name) const
{
    out_name = m_columnMetadata->m_schemaName;
}

Support::SqlTypeMetadata* DSIColumn::GetMetadata() const
{
    return m_metadata.get();
}

DSIColumnMetadata* DSIColumn::GetColumnMetadata() const
{
    return m_columnMetadata.get();
}

int32_t DSIColumn::GetUpdatable() const
{
    return m_columnMetadata->m_updatable;
}

void DSIColumn::LogColumn(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "DSIColumn", "LogColumn");
    }
    in_log.LogTrace("Orvik::DSI", "DSIColumn", "LogColumn", "\tName: %s", m_columnMetadata->m_name.GetAsUTF8().c_str());
    in_log.LogTrace("Orvik::DSI", "DSIColumn", "LogColumn", "\tType: %s",
                    m_metadata->GetTypeName().GetAsUTF8().c_str());
}

bool DSIColumn::IsAutoUnique() const
{
    return m_columnMetadata->m_isAutoUnique;
}

bool DSIColumn::IsCaseSensitive() const
{
    return m_columnMetadata->m_isCaseSensitive;
}

int32_t DSIColumn::GetNullable() const
{
    return m_columnMetadata->m_nullable;
}

bool DSIColumn::IsUnnamed() const
{
    return m_columnMetadata->m_isUnnamed;
}

bool DSIColumn::GetAuxiliaryFlag() const
{
    return m_columnMetadata->m_hasDefaultLength;
}

int32_t DSIColumn::GetAuxiliaryValue() const
{
    return m_columnMetadata->m_auxiliaryValue;
}

SharedPtr<Collation> DSIColumn::GetCollation() const
{
    return m_columnMetadata->m_collation;
}

} // namespace DSI
} // namespace Orvik
