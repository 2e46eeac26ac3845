#include "ODBC/Cursors/ColumnValueConverter.h"

#include "DSI/Client/IResult.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Exceptions/DataWarningOrError.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/SqlDataFactory.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

ColumnValueConverter::ColumnValueConverter(DSI::IResult& in_result,
                                           uint16_t in_columnIndex,
                                           const SqlTypeMetadata& in_metadata,
                                           IDiagManager& in_diagnostics)
    : m_result(in_result),
      m_diagnostics(in_diagnostics),
      m_data(TypedDataSingleton<SqlDataFactory>::GetOrDefault().CreateNewSqlData(in_metadata)),
      m_columnIndex(in_columnIndex)
{
}

ColumnValueConverter::~ColumnValueConverter() = default;

bool ColumnValueConverter::IsMadeFor(CDataWrapper& in_cData) const
{
    const SqlCTypeMetadata& metadata = in_cData.GetMetadata();
    return m_converter != nullptr && metadata.GetCType() == m_cType && in_cData.GetElementSize() == m_elementSize &&
           metadata.GetPrecision() == m_precision && metadata.GetScale() == m_scale &&
           metadata.GetLengthOrIntervalPrecision() == m_lengthOrIntervalPrecision;
}

void ColumnValueConverter::AttachCData(CDataWrapper& in_cData)
{
    m_cData = &in_cData;
    if (IsMadeFor(in_cData))
    {
        return;
    }
    const SqlCTypeMetadata& metadata = in_cData.GetMetadata();
    m_converter.reset();
    m_converter =
        TypedDataSingleton<SqlConverterFactory>::GetOrDefault().CreateNewSqlToCConverter(*m_data, metadata, &m_diagnostics);
    m_cType = metadata.GetCType();
    m_elementSize = in_cData.GetElementSize();
    m_precision = metadata.GetPrecision();
    m_scale = metadata.GetScale();
    m_lengthOrIntervalPrecision = metadata.GetLengthOrIntervalPrecision();
}

bool ColumnValueConverter::Convert(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row)
{
    const uint16_t column = static_cast<uint16_t>(m_columnIndex + 1);
    m_data->SetNull(false);
    m_result.RetrieveData(m_columnIndex, *m_data, 0, -1);
    const std::unique_ptr<ConversionResult> result = m_converter->Convert(*m_data, *m_cData);
    if (m_cData->IsNull())
    {
        if (io_indicator == nullptr)
        {
            throw DataWarningOrError(true, DIAG_INDICATOR_REQUIRED, u"NullIndPtrNotSupplied", in_row, column);
        }
        *io_indicator = SQL_NULL_DATA;
        return false;
    }
    // A separate indicator says "not NULL"; a NULL of an earlier row must not stay there.
    if (io_indicator != nullptr && io_indicator != io_length)
    {
        *io_indicator = 0;
    }
    if (io_length != nullptr)
    {
        *io_length = m_cData->GetOutputLength();
    }
    if (result == nullptr)
    {
        return false;
    }
    result->Report(m_diagnostics, static_cast<int16_t>(column), in_row);
    return true;
}

} // namespace ODBC
} // namespace Orvik
