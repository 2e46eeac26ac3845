#include "DSI/Catalog/DSIMetadataResult.h"

#include "DSI/BadColumnException.h"
#include "DSI/Catalog/IMetadataFilter.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/Client/DSIMetadataColumns.h"
#include "DSI/Client/DSIMetadataSource.h"
#include "Support/NumberConverter.h"
#include "Support/TypedDataWrapper/SqlData.h"

namespace Orvik {
namespace DSI {

using Support::NumberConverter;
using Support::SqlData;

namespace {

// ASC_OR_DESC of the statistics result, which some hosts cannot read.
constexpr uint16_t HOST_RULE_COLUMN = 9;

std::unique_ptr<DSIMetadataSource> Checked(std::unique_ptr<DSIMetadataSource> in_source)
{
    if (in_source == nullptr)
    {
        throw DSIException(u"MetadataSourceNotFound");
    }
    return in_source;
}

} // namespace

DSIMetadataResult::DSIMetadataResult(std::unique_ptr<DSIMetadataSource> in_source,
                                     std::vector<std::unique_ptr<DSIMetadataColumn>>& io_columns,
                                     std::vector<std::unique_ptr<IMetadataFilter>>& io_filters,
                                     ILogger* in_log,
                                     bool in_isFilteringEnabled)
    : m_source(Checked(std::move(in_source))),
      m_isFilteringEnabled(in_isFilteringEnabled)
{
    if (m_isFilteringEnabled)
    {
        // Before the takeover: the source copies what it needs of the filters.
        m_source->RegisterFilters(io_filters);
        for (const std::unique_ptr<IMetadataFilter>& filter : io_filters)
        {
            if (in_log != nullptr && filter != nullptr)
            {
                filter->LogFilter(*in_log);
            }
        }
    }
    m_columns = std::move(io_columns);
    io_columns.clear();
    for (std::unique_ptr<IMetadataFilter>& filter : io_filters)
    {
        if (filter != nullptr)
        {
            m_filters.push_back(std::move(filter));
        }
    }
    io_filters.clear();
    m_source->AddExtraColumns(m_extraColumns);
    m_columnList = std::make_unique<DSIMetadataColumns>(m_columns, m_extraColumns);
}

DSIMetadataResult::~DSIMetadataResult()
{
    m_columnList.reset();
    m_filters.clear();
    m_columns.clear();
    m_source.reset();
    m_extraColumns.clear();
}

uint64_t DSIMetadataResult::BulkFetch(uint64_t, const BulkFetchColumns&)
{
    throw DSIException(u"FuncNotSupported");
}

void DSIMetadataResult::CloseCursor()
{
    m_source->CloseCursor();
}

void DSIMetadataResult::SetDataNeeded(uint16_t in_column, bool in_isNeeded)
{
    if (m_dataNeeded.size() <= in_column)
    {
        m_dataNeeded.resize(static_cast<size_t>(in_column) + 1, false);
    }
    m_dataNeeded[in_column] = in_isNeeded;
}

bool DSIMetadataResult::IsDataNeeded(uint16_t in_column)
{
    return in_column < m_dataNeeded.size() && m_dataNeeded[in_column];
}

bool DSIMetadataResult::RetrieveData(uint16_t in_column, SqlData& io_target, int64_t in_offset, int64_t in_maxLength)
{
    if (m_isHostProgramRuleOn && in_column == HOST_RULE_COLUMN)
    {
        io_target.SetNull(true);
        return false;
    }
    if (in_column < m_columns.size())
    {
        const DSIMetadataColumn& column = *m_columns[in_column];
        if (column.GetKind() == DSI_COLUMN_FROM_SOURCE)
        {
            return m_source->GetMetadata(column.GetTag(), io_target, in_offset, in_maxLength);
        }
        return RetrieveDerivedData(column.GetKind(), io_target, in_offset, in_maxLength);
    }
    const size_t extraIndex = in_column - m_columns.size();
    if (extraIndex < m_extraColumns.size())
    {
        // An extra column that carries no tag is answered under its place among the extras.
        const auto* tagged = dynamic_cast<const DSIMetadataColumn*>(m_extraColumns[extraIndex].get());
        const int32_t tag = tagged != nullptr ? tagged->GetTag() : static_cast<int32_t>(extraIndex);
        return m_source->GetExtraColumnData(static_cast<uint16_t>(tag), io_target, in_offset, in_maxLength);
    }
    throw BadColumnException(u"InvalidColumnNum", {NumberConverter::ConvertUInt16ToWString(in_column)});
}

bool DSIMetadataResult::RetrieveDerivedData(int32_t in_kind, SqlData& io_target, int64_t, int64_t)
{
    if (in_kind != DSI_COLUMN_ALWAYS_NULL)
    {
        throw DSIException(u"InvalidDerivedColumnID");
    }
    io_target.SetNull(true);
    return false;
}

void DSIMetadataResult::SetCellmark(uint16_t)
{
    throw DSIException(u"CellmarkingNotSupported");
}

IColumns* DSIMetadataResult::GetSelectColumns()
{
    return m_columnList.get();
}

bool DSIMetadataResult::CanBulkFetch(const std::set<uint16_t>&)
{
    return false;
}

void DSIMetadataResult::SetCursorType(int32_t in_cursorType)
{
    if (in_cursorType != DSI_FORWARD_ONLY)
    {
        throw DSIException(u"CursorTypeNotSupported", {NumberConverter::ConvertInt32ToWString(in_cursorType)});
    }
}

void DSIMetadataResult::SetRowsetSize(uint64_t)
{
}

bool DSIMetadataResult::Move(int32_t in_direction, int64_t in_offset)
{
    while (m_source->Move(in_direction, in_offset))
    {
        if (!m_isFilteringEnabled || IsRowAccepted())
        {
            return true;
        }
    }
    return false;
}

bool DSIMetadataResult::IsRowAccepted()
{
    for (const std::unique_ptr<IMetadataFilter>& filter : m_filters)
    {
        // Filters test whole values.
        m_source->GetMetadata(filter->GetColumnTag(), filter->GetSqlData(), 0, -1);
        if (!filter->Filter())
        {
            return false;
        }
    }
    return true;
}

} // namespace DSI
} // namespace Orvik
