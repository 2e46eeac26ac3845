#include "ODBC/Cursors/CopyRetriever.h"

#include "ODBC/Cursors/DataSource.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/TypedDataWrapper/SqlData.h"

#include <sqlext.h>

#include <algorithm>
#include <cstring>

namespace Orvik {
namespace ODBC {

template <int in_unitSize>
CopyRetriever<in_unitSize>::CopyRetriever(PartialDataColumn& in_column,
                                          DataSource& in_source,
                                          int16_t in_cType,
                                          bool in_computeTotal)
    : DataRetriever(in_column, in_source, in_cType, in_computeTotal)
{
}

template <int in_unitSize>
bool CopyRetriever<in_unitSize>::Retrieve(SQLLEN* io_length, SQLLEN* io_indicator)
{
    int64_t pieceLength = 0;
    const int64_t copied = CopyPiece(io_indicator, pieceLength);
    if (m_cData->IsNull())
    {
        return false;
    }
    if (io_indicator != nullptr)
    {
        *io_indicator = 0;
    }
    if (io_length != nullptr)
    {
        if (!m_more)
        {
            *io_length = io_length == io_indicator ? copied : pieceLength;
        }
        else
        {
            *io_length = m_computeTotal ? copied + MeasureRest() : SQL_NO_TOTAL;
        }
    }
    return m_more;
}

template <int in_unitSize>
int64_t CopyRetriever<in_unitSize>::CopyPiece(SQLLEN* io_indicator, int64_t& out_pieceLength)
{
    m_cData->SetNull(false);
    const int64_t bufferLength = GetBufferLength();
    if (bufferLength <= in_unitSize)
    {
        // No room even for the terminator: a first call only finds out whether the value is NULL.
        if (m_offset == 0 && m_source.GetData(0, 0).IsNull())
        {
            DeliverNull(io_indicator);
            return 0;
        }
        m_more = true;
        return 0;
    }
    // Whole code units only, so that no unit is split and the terminator stays aligned.
    const int64_t room = (bufferLength - in_unitSize) / in_unitSize * in_unitSize;
    const Support::SqlData& piece = m_source.GetData(m_offset, room);
    if (piece.IsNull())
    {
        DeliverNull(io_indicator);
        return 0;
    }
    out_pieceLength = piece.GetLength();
    const int64_t copied = std::min<int64_t>(out_pieceLength, room);
    char* target = GetTarget();
    std::memcpy(target, piece.GetBuffer(), static_cast<size_t>(copied));
    std::memset(target + copied, 0, in_unitSize);
    m_offset += copied;
    m_more = m_source.HasMore();
    return copied;
}

template <int in_unitSize>
int64_t CopyRetriever<in_unitSize>::MeasureRest()
{
    const Support::SqlData& rest = m_source.GetData(m_offset, -1);
    if (rest.IsNull())
    {
        throw ODBCInternalException(u"InvalidSrcData");
    }
    return rest.GetLength();
}

template class CopyRetriever<1>;
template class CopyRetriever<2>;
template class CopyRetriever<4>;

} // namespace ODBC
} // namespace Orvik
