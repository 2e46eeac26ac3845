#include "ODBC/Cursors/OutputValueSource.h"

#include "ODBC/Exceptions/ODBCInternalException.h"

namespace Orvik {
namespace ODBC {

OutputValueSource::OutputValueSource(Support::SqlData& in_data, uint16_t in_parameterNumber)
    : DataSource(in_data, in_parameterNumber)
{
}

Support::SqlData& OutputValueSource::GetData(int64_t, int64_t)
{
    if (!m_hasMore)
    {
        throw ODBCInternalException(u"NoMoreDataToGet");
    }
    m_hasMore = false;
    return *m_data;
}

void OutputValueSource::SetData(Support::SqlData& in_data)
{
    m_data = &in_data;
}

} // namespace ODBC
} // namespace Orvik
