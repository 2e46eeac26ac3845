#include "ODBC/Cursors/DataRetriever.h"

#include "ODBC/Cursors/PartialDataColumn.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Exceptions/DataWarningOrError.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

DataRetriever::DataRetriever(PartialDataColumn& in_column,
                             DataSource& in_source,
                             int16_t in_cType,
                             bool in_computeTotal)
    : m_column(in_column), m_source(in_source), m_cType(in_cType), m_computeTotal(in_computeTotal)
{
}

void DataRetriever::Reset()
{
    m_offset = 0;
    m_more = true;
}

char* DataRetriever::GetTarget() const
{
    if (m_cData->GetData() == nullptr || !m_cData->IsAddressValid())
    {
        return nullptr;
    }
    return static_cast<char*>(m_cData->GetData()) + m_cData->GetOffset();
}

int64_t DataRetriever::GetBufferLength() const
{
    if (GetTarget() == nullptr)
    {
        return 0;
    }
    return static_cast<int64_t>(m_cData->GetMetadata().GetOctetLength());
}

void DataRetriever::DeliverNull(SQLLEN* io_indicator)
{
    if (m_offset != 0)
    {
        throw ODBCInternalException(u"InvalidSrcData");
    }
    m_more = false;
    m_cData->SetNull(true);
    if (io_indicator == nullptr)
    {
        throw DataWarningOrError(true, Support::DIAG_INDICATOR_REQUIRED, u"NullIndPtrNotSupplied",
                                 m_column.GetRowNumber(), m_column.GetColumnNumber());
    }
    *io_indicator = SQL_NULL_DATA;
}

} // namespace ODBC
} // namespace Orvik
