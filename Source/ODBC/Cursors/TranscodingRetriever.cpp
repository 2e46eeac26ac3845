#include "ODBC/Cursors/TranscodingRetriever.h"

#include "DSI/DSIDriver.h"
#include "DSI/DSIDriverSingleton.h"
#include "ODBC/Cursors/DataSource.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "Support/EncodingConverter.h"
#include "Support/EncodingConverterFactory.h"
#include "Support/Platform.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>

#include <algorithm>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// The buffer through which the part of a value that did not fit is measured.
constexpr int32_t SCRATCH_SIZE = 1024;

int32_t ClampToInt32(int64_t in_length)
{
    return static_cast<int32_t>(std::clamp<int64_t>(in_length, 0, INT32_MAX));
}

} // namespace

TranscodingRetriever::TranscodingRetriever(PartialDataColumn& in_column,
                                           DataSource& in_source,
                                           int16_t in_cType,
                                           bool in_computeTotal,
                                           EncodingType in_targetEncoding)
    : DataRetriever(in_column, in_source, in_cType, in_computeTotal),
      m_converter(Platform::GetPlatform()->GetEncodingConverterFactory().CreateConverter(
          in_source.GetMetadata().GetEncoding(), in_targetEncoding, true)),
      m_pieceSize(std::max(1, DSI::DSIDriverSingleton::GetCopiedSize(DSI::DRIVER_PROP_PARAMETER_SOURCE_SIZE)))
{
}

TranscodingRetriever::~TranscodingRetriever() = default;

void TranscodingRetriever::Reset()
{
    DataRetriever::Reset();
    m_converter->ResetPartial();
    m_isStarted = false;
}

bool TranscodingRetriever::Retrieve(SQLLEN* io_length, SQLLEN* io_indicator)
{
    m_cData->SetNull(false);
    if (!m_isStarted)
    {
        m_isStarted = true;
        if (!ReadPiece(io_indicator))
        {
            return false;
        }
    }
    if (io_indicator != nullptr)
    {
        *io_indicator = 0;
    }
    m_converter->SetTarget(GetTarget(), ClampToInt32(GetBufferLength()));
    const int64_t written = Fill();
    m_more = TextRemains();
    if (io_length != nullptr)
    {
        *io_length = !m_more ? written : m_computeTotal ? written + MeasureRest() : SQL_NO_TOTAL;
    }
    return m_more;
}

int64_t TranscodingRetriever::Fill()
{
    for (;;)
    {
        const int32_t written = m_converter->Convert(!m_source.HasMore());
        if (written != -1)
        {
            return written;
        }
        ReadPiece(nullptr);
    }
}

bool TranscodingRetriever::ReadPiece(SQLLEN* io_indicator)
{
    const SqlData& piece = m_source.GetData(m_offset, m_pieceSize);
    if (piece.IsNull())
    {
        DeliverNull(io_indicator);
        return false;
    }
    m_converter->SetSource(piece.GetBuffer(), static_cast<int32_t>(piece.GetLength()));
    m_offset += piece.GetLength();
    return true;
}

bool TranscodingRetriever::TextRemains() const
{
    return m_converter->NeedsConvert() || m_source.HasMore();
}

// Counted to the end of the value, however long: it is in memory, and a partial sum reported as
// the total would be wrong.
int64_t TranscodingRetriever::MeasureRest()
{
    char scratch[SCRATCH_SIZE];
    int64_t total = 0;
    while (TextRemains())
    {
        m_converter->SetTarget(scratch, SCRATCH_SIZE);
        const int64_t written = Fill();
        if (written == 0 && m_converter->NeedsConvert())
        {
            break;
        }
        total += written;
    }
    return total;
}

} // namespace ODBC
} // namespace Orvik
