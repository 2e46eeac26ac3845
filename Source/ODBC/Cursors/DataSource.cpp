#include "ODBC/Cursors/DataSource.h"

#include "Support/TypedDataWrapper/SqlData.h"

namespace Orvik {
namespace ODBC {

DataSource::DataSource(Support::SqlData& in_data, uint16_t in_columnNumber)
    : m_data(&in_data), m_columnNumber(in_columnNumber)
{
}

const Support::SqlTypeMetadata& DataSource::GetMetadata() const
{
    return m_data->GetMetadata();
}

} // namespace ODBC
} // namespace Orvik
