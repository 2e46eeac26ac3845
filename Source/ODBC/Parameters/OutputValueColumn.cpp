#include "ODBC/Parameters/OutputValueColumn.h"

#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Exceptions/DataWarningOrError.h"
#include "Support/TypedDataWrapper/ConversionResult.h"
#include "Support/TypedDataWrapper/ISqlToCConverter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlConverterFactory.h"
#include "Support/TypedDataWrapper/SqlData.h"
#include "Support/TypedDataWrapper/TypedDataSingleton.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

OutputValueColumn::OutputValueColumn(IDiagManager& io_diagnostics) : m_diagnostics(io_diagnostics)
{
}

OutputValueColumn::~OutputValueColumn() = default;

void OutputValueColumn::AttachCData(CDataWrapper& io_cData)
{
    m_cData = &io_cData;
    const int16_t cType = io_cData.GetMetadata().GetCType();
    if (m_converter != nullptr && cType == m_cType && io_cData.GetElementSize() == m_elementSize)
    {
        return;
    }
    m_converter.reset();
    m_converter = TypedDataSingleton<SqlConverterFactory>::GetOrDefault().CreateNewSqlToCConverter(
        *m_data, io_cData.GetMetadata(), &m_diagnostics);
    m_cType = cType;
    m_elementSize = io_cData.GetElementSize();
}

void OutputValueColumn::Convert(SQLLEN* io_length, SQLLEN* io_indicator, int64_t in_row, uint16_t in_column)
{
    const std::unique_ptr<ConversionResult> result = m_converter->Convert(*m_data, *m_cData);
    if (m_cData->IsNull())
    {
        if (io_indicator == nullptr)
        {
            throw DataWarningOrError(true, DIAG_INDICATOR_REQUIRED, u"NullIndPtrNotSupplied", in_row, in_column);
        }
        *io_indicator = SQL_NULL_DATA;
        return;
    }
    // A separate indicator says "not NULL"; a NULL of an earlier set must not stay there.
    if (io_indicator != nullptr && io_indicator != io_length)
    {
        *io_indicator = 0;
    }
    if (io_length != nullptr)
    {
        *io_length = m_cData->GetOutputLength();
    }
    if (result != nullptr)
    {
        result->Report(m_diagnostics, static_cast<int16_t>(in_column), in_row);
    }
}

} // namespace ODBC
} // namespace Orvik
