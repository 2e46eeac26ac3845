#include "DSI/Client/DSIMetadataColumns.h"

#include "DSI/BadColumnException.h"
#include "DSI/Client/DSIMetadataColumn.h"
#include "DSI/ILogger.h"
#include "Support/NumberConverter.h"

namespace Orvik {
namespace DSI {

IColumn* DSIMetadataColumns::GetColumn(uint16_t in_index) const
{
    if (in_index < m_standardColumns.size())
    {
        return m_standardColumns[in_index].get();
    }
    const size_t extraIndex = in_index - m_standardColumns.size();
    if (extraIndex < m_extraColumns.size())
    {
        return m_extraColumns[extraIndex].get();
    }
    throw BadColumnException(u"InvalidColumnNum", {Support::NumberConverter::ConvertUInt16ToWString(in_index)});
}

uint16_t DSIMetadataColumns::GetCount() const
{
    return static_cast<uint16_t>(m_standardColumns.size() + m_extraColumns.size());
}

void DSIMetadataColumns::LogColumns(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "DSIMetadataColumns", "LogColumns");
    }
    for (const std::unique_ptr<DSIMetadataColumn>& column : m_standardColumns)
    {
        column->LogColumn(in_log);
    }
    for (const std::unique_ptr<DSIColumn>& column : m_extraColumns)
    {
        column->LogColumn(in_log);
    }
}

} // namespace DSI
} // namespace Orvik
