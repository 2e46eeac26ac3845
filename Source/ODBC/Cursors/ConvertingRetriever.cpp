#include "ODBC/Cursors/ConvertingRetriever.h"

#include "ODBC/Cursors/DataSource.h"
#include "ODBC/Cursors/PartialDataColumn.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "Support/EncodingInfo.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadataFactory.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"
#include "Support/orvik_wstring.h"

#include <sqlext.h>

#include <algorithm>

namespace Orvik {
namespace ODBC {

using namespace Support;

ConvertingRetriever::ConvertingRetriever(PartialDataColumn& in_column, DataSource& in_source, int16_t in_cType)
    : DataRetriever(in_column, in_source, in_cType, false),
      m_scratch(std::make_unique<CDataWrapper>(
          TypedDataSingleton<SqlCTypeMetadataFactory>::GetOrDefault().CreateNewSqlCTypeMetadata(in_cType)))
{
}

ConvertingRetriever::~ConvertingRetriever() = default;

bool ConvertingRetriever::Retrieve(SQLLEN* io_length, SQLLEN* io_indicator)
{
    m_cData->SetNull(false);
    const int64_t limit = GetSourceBytesThatFit(GetBufferLength());
    int64_t written = 0;
    int64_t taken = 0;
    do
    {
        const SqlData& piece = m_source.GetData(m_offset, limit - taken);
        if (piece.IsNull())
        {
            DeliverNull(io_indicator);
            return false;
        }
        m_more = m_source.HasMore();
        if (limit == 0)
        {
            // Not even one converted byte fits: only NULL was to be found out.
            break;
        }
        written += ConvertPiece(piece, written);
        m_offset += piece.GetLength();
        taken += piece.GetLength();
        if (piece.GetLength() == 0)
        {
            break;
        }
    } while (m_more && taken < limit);
    m_cData->SetOutputLength(written);
    if (io_indicator != nullptr)
    {
        *io_indicator = 0;
    }
    if (io_length != nullptr)
    {
        *io_length = m_more ? SQL_NO_TOTAL : written;
    }
    return m_more;
}

int64_t ConvertingRetriever::GetSourceBytesThatFit(int64_t in_bufferLength) const
{
    if (m_cType == SQL_C_CHAR)
    {
        return std::max<int64_t>(in_bufferLength - 1, 0) / 2;
    }
    if (m_cType == SQL_C_WCHAR)
    {
        const int64_t unit = EncodingInfo::GetCodeUnitSize(orvik_wstring::GetDriverManagerEncoding());
        return std::max<int64_t>(in_bufferLength - unit, 0) / (2 * unit);
    }
    return in_bufferLength;
}

int64_t ConvertingRetriever::ConvertPiece(const SqlData& in_piece, int64_t in_written)
{
    const SqlCTypeMetadata& target = m_cData->GetMetadata();
    if (m_converter == nullptr || m_converterElementSize != m_cData->GetElementSize())
    {
        m_converter = TypedDataSingleton<SqlConverterFactory>::GetOrDefault().CreateNewSqlToCConverter(
            in_piece, target, &m_column.GetDiagnostics());
        m_converterElementSize = m_cData->GetElementSize();
    }
    m_scratch->SetData(GetTarget());
    m_scratch->SetOffset(in_written);
    const std::unique_ptr<ConversionResult> result = m_converter->Convert(in_piece, *m_scratch);
    if (result != nullptr &&
        (result->GetCode() == CONV_STRING_TRUNCATED || result->GetCode() == CONV_STRING_TRUNCATED_ERROR))
    {
        result->Report(m_column.GetDiagnostics(), 0, 0);
    }
    return std::clamp<int64_t>(m_scratch->GetOutputLength(), 0, GetBufferLength() - in_written);
}

} // namespace ODBC
} // namespace Orvik
