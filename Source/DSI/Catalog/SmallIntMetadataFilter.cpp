#include "DSI/Catalog/SmallIntMetadataFilter.h"

#include "DSI/Catalog/DSIMetadataColumnTag.h"
#include "DSI/Catalog/DSIMetadataRestrictionGenerator.h"
#include "DSI/ILogger.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

#include <cstring>

namespace Orvik {
namespace DSI {

using namespace Support;

SmallIntMetadataFilter::SmallIntMetadataFilter(int32_t in_columnTag, int16_t in_value)
    : IMetadataFilter(in_columnTag),
      m_value(in_value),
      m_metadata(
          TypedDataSingleton<SqlTypeMetadataFactory>::GetOrDefault().CreateNewSqlTypeMetadata(SQL_SMALLINT, false, 0)),
      m_data(TypedDataSingleton<SqlDataFactory>::GetOrDefault().CreateNewSqlData(*m_metadata))
{
    m_data->SetNull(true);
}

SmallIntMetadataFilter::~SmallIntMetadataFilter() = default;

bool SmallIntMetadataFilter::Filter()
{
    const bool isScope = GetColumnTag() == DSI_TAG_SCOPE;
    if (m_data->IsNull())
    {
        return isScope;
    }
    int16_t value = 0;
    std::memcpy(&value, m_data->GetBuffer(), sizeof value);
    return isScope ? value >= m_value : value == m_value;
}

void SmallIntMetadataFilter::LogFilter(ILogger& in_log) const
{
    if (in_log.GetLogLevel() > LOG_DEBUG)
    {
        in_log.LogFunctionEntrance("Orvik::DSI", "SmallIntMetadataFilter", "LogFilter");
    }
    in_log.LogTrace("Orvik::DSI", "SmallIntMetadataFilter", "LogFilter", "Filter value is %d", m_value);
}

void SmallIntMetadataFilter::Accept(DSIMetadataRestrictionGenerator& io_generator) const
{
    io_generator.VisitSmallIntFilter(this);
}

} // namespace DSI
} // namespace Orvik
