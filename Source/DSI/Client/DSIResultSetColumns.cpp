#include "DSI/Client/DSIResultSetColumns.h"

#include "DSI/BadColumnException.h"
#include "DSI/Client/DSIColumn.h"
#include "DSI/Client/DSIColumnMetadata.h"
#include "DSI/ILogger.h"
#include "Support/InvalidArgumentException.h"
#include "Support/NumberConverter.h"
#include "Support/orvik_wstring.h"

#include <limits>

namespace Orvik {
namespace DSI {

using Support::orvik_wstring;

namespace {

constexpr size_t RESERVED_COLUMNS = 10;

} // namespace

DSIResultSetColumns::DSIResultSetColumns(bool in_ownsColumns) : m_ownsColumns(in_ownsColumns)
{
    m_columns.reserve(RESERVED_COLUMNS);
}

DSIResultSetColumns::~DSIResultSetColumns()
{
    if (m_ownsColumns)
    {
        for (DSIColumn* column : m_columns)
        {
            delete column;
        }
    }
}

IColumn* DSIResultSetColumns::GetColumn(uint16_t in_index) const
{
    if (in_index >= m_columns.size())
    {
        throw BadColumnException(u"InvalidColumnNum", {Support::NumberConverter::ConvertUInt16ToWString(in_index)});
    }
    return m_columns[in_index];
}

uint16_t DSIResultSetColumns::GetCount() const
{
    return static_cast<uint16_t>(m_columns.size());
}

void DSIResultSetColumns::LogColumns(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "DSIResultSetColumns", "LogColumns");
    }
    for (const DSIColumn* column : m_columns)
    {
        column->LogColumn(in_log);
    }
}

DSIColumn* DSIResultSetColumns::FindByName(const orvik_wstring& in_name) const
{
    return m_columns[FindIndexByName(in_name)];
}

DSIColumn* DSIResultSetColumns::FindByName(const char* in_name) const
{
    return FindByName(orvik_wstring(in_name));
}

uint16_t DSIResultSetColumns::FindIndexByName(const orvik_wstring& in_name) const
{
    for (size_t index = 0; index < m_columns.size(); ++index)
    {
        if (m_columns[index]->GetColumnMetadata()->m_name == in_name)
        {
            return static_cast<uint16_t>(index);
        }
    }
    throw BadColumnException(u"InvalidColumnName", {in_name});
}

uint16_t DSIResultSetColumns::FindIndexByName(const char* in_name) const
{
    return FindIndexByName(orvik_wstring(in_name));
}

void DSIResultSetColumns::AddColumn(DSIColumn* in_column)
{
    if (in_column == nullptr)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    // The count is 16-bit; a column past it could never be asked for.
    if (m_columns.size() >= std::numeric_limits<uint16_t>::max())
    {
        if (m_ownsColumns)
        {
            delete in_column;
        }
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    m_columns.push_back(in_column);
}

} // namespace DSI
} // namespace Orvik
