#include "ODBC/Cursors/ResultColumnSource.h"

#include "DSI/Client/IResult.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

namespace Orvik {
namespace ODBC {

using namespace Support;

ResultColumnSource::ResultColumnSource(DSI::IResult& in_result,
                                       uint16_t in_columnIndex,
                                       const SqlTypeMetadata& in_metadata)
    : ResultColumnSource(in_result,
                         in_columnIndex,
                         TypedDataSingleton<SqlDataFactory>::GetOrDefault().CreateNewSqlData(in_metadata))
{
}

ResultColumnSource::ResultColumnSource(DSI::IResult& in_result,
                                       uint16_t in_columnIndex,
                                       std::unique_ptr<SqlData> in_data)
    : DataSource(*in_data, static_cast<uint16_t>(in_columnIndex + 1)),
      m_result(in_result),
      m_columnIndex(in_columnIndex),
      m_ownedData(std::move(in_data))
{
}

ResultColumnSource::~ResultColumnSource() = default;

SqlData& ResultColumnSource::GetData(int64_t in_offset, int64_t in_maxLength)
{
    m_data->SetNull(false);
    m_hasMore = m_result.RetrieveData(m_columnIndex, *m_data, in_offset, in_maxLength);
    return *m_data;
}

void ResultColumnSource::SetData(SqlData&)
{
    throw ODBCInternalException(u"InvalidSrcData");
}

} // namespace ODBC
} // namespace Orvik
