#include "ODBC/Parameters/OutputParameterSet.h"

#include "ODBC/Cursors/OutputValueSource.h"
#include "ODBC/Cursors/PartialDataColumn.h"
#include "ODBC/DataWrappers/CDataWrapper.h"
#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Descriptors/AppDescriptorRecord.h"
#include "ODBC/Descriptors/BoundLengths.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Diagnostics/IDiagManager.h"
#include "ODBC/Parameters/InputParameterSource.h"
#include "ODBC/Parameters/OutputValueColumn.h"
#include "ODBC/Parameters/ParameterInput.h"
#include "ODBC/Parameters/ParameterList.h"
#include "ODBC/Parameters/ParameterStatusWriter.h"
#include "Support/TypedDataWrapper/SqlCTypeMetadata.h"
#include "Support/TypedDataWrapper/SqlTypeMetadata.h"

#include <sqlext.h>


namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// Whether a value of in_metadata's type delivered as C type in_cType may be cut and delivered
/// with its full length.
bool IsPartial(const SqlTypeMetadata& in_metadata, int16_t in_cType)
{
    return (in_metadata.IsCharacter() || in_metadata.IsWideCharacter() || in_metadata.IsBinary()) &&
           (in_cType == SQL_C_CHAR || in_cType == SQL_C_WCHAR || in_cType == SQL_C_BINARY);
}

} // namespace

OutputParameterSet::OutputParameterSet(AppDescriptorBase& io_apd,
                                       IDiagManager& io_diagnostics,
                                       ParameterList& io_outputs,
                                       ParameterStatusWriter& io_status)
    : ApplicationParameterSets(io_apd, io_diagnostics, io_outputs),
      m_status(io_status),
      m_columns(io_outputs.GetCount())
{
}

OutputParameterSet::~OutputParameterSet() = default;

bool OutputParameterSet::MoveToNext()
{
    if (m_set != 0)
    {
        try
        {
            WriteSet();
        }
        catch (const ErrorException&)
        {
            m_status.SetStatus(m_set, DSI::PARAM_STATUS_ERROR);
            throw;
        }
    }
    return StepToNextSet();
}

void OutputParameterSet::WriteSet()
{
    for (uint16_t index = 0; index < m_parameters.GetCount(); ++index)
    {
        WriteValue(index);
    }
}

void OutputParameterSet::WriteValue(uint16_t in_index)
{
    InputParameterSource& source = m_parameters.GetSource(in_index);
    const int16_t parameter = source.GetRecord().GetParameterNumber();
    const auto row = static_cast<int64_t>(m_set);
    const SqlTypeMetadata& metadata = source.GetRecord().GetMetadata();
    AppDescriptorRecord& record = m_apd.MoveToRow(parameter, m_set - 1, metadata.GetTDWType());
    CDataWrapper& cData = record.GetData();
    BoundLengths lengths(record);
    SQLLEN* length = lengths.GetLength();
    SQLLEN* indicator = lengths.GetIndicator();
    if (cData.GetData() == nullptr)
    {
        if (indicator == nullptr || *indicator != SQL_NULL_DATA)
        {
            throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", row,
                                 parameter);
        }
        return;
    }
    Column& column = m_columns[in_index];
    SqlData& value = source.GetOutputData();
    if (column.m_partial == nullptr && column.m_whole == nullptr)
    {
        const int16_t cType = ParameterInput::ResolveCType(cData.GetMetadata().GetCType(), metadata.GetTDWType());
        if (IsPartial(metadata, cType))
        {
            column.m_partial = std::make_unique<PartialDataColumn>(
                std::make_unique<OutputValueSource>(value, static_cast<uint16_t>(parameter)), m_diagnostics, true);
        }
        else
        {
            column.m_whole = std::make_unique<OutputValueColumn>(m_diagnostics);
        }
    }
    if (column.m_partial != nullptr)
    {
        column.m_partial->GetSource().SetData(value);
        column.m_partial->Reset();
        column.m_partial->AttachCData(cData);
        const bool isCut = column.m_partial->RetrieveForFetch(length, indicator, row);
        lengths.Store();
        if (isCut)
        {
            column.m_partial->PostTruncationWarning();
        }
        return;
    }
    column.m_whole->SetData(value);
    column.m_whole->AttachCData(cData);
    column.m_whole->Convert(length, indicator, row, static_cast<uint16_t>(parameter));
    lengths.Store();
}

} // namespace ODBC
} // namespace Orvik
