#include "ODBC/Parameters/ExecutionContext.h"

#include "DSI/BadDefaultParamException.h"
#include "DSI/Client/DSIResults.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSILog.h"
#include "DSI/IQueryExecutor.h"
#include "ODBC/Cursors/CanConvertSqlToC.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Descriptors/ImplParamDescriptorRecord.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Statement.h"
#include "ODBC/Parameters/OutputParameterSet.h"
#include "ODBC/Parameters/ParameterList.h"
#include "ODBC/Parameters/ParameterStatusWriter.h"
#include "ODBC/States/StatementState.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

template <class Object>
Object& Required(Object* in_object)
{
    if (in_object == nullptr)
    {
        throw ODBCInternalException(u"InvalidExecResults");
    }
    return *in_object;
}

/// After a failure the processed count is the number of sets the execution gave a status.
void RecordProcessed(const ParameterStatusWriter& in_status, SQLULEN* io_processed)
{
    if (io_processed != nullptr && in_status.HasStatusArray())
    {
        *io_processed = in_status.CountUsed();
    }
}

[[noreturn]] void ThrowNotConvertible(uint16_t in_parameter)
{
    throw ErrorException(DIAG_RESTRICTED_DATA_TYPE_ATTRIBUTE, ODBC_COMPONENT_ID, u"DataConvNotSupported", -1,
                         in_parameter);
}

} // namespace

ExecutionContext::ExecutionContext(DSI::IQueryExecutor* io_executor, Statement* io_statement)
    : m_executor(Required(io_executor)),
      m_statement(Required(io_statement)),
      m_parameter(m_executor, m_statement)
{
}

ExecutionContext::~ExecutionContext() = default;

void ExecutionContext::Reset()
{
    m_isInProgress = false;
    m_pushed.clear();
    m_parameter.Clear();
    m_executor.ClearCancel();
}

void ExecutionContext::ResetAndCancel()
{
    Reset();
    try
    {
        m_executor.CancelExecute();
    }
    catch (const ErrorException& e)
    {
        if (DSI::DSILog* log = m_statement.GetLog())
        {
            log->LogErrorException("Orvik::ODBC", "ExecutionContext", "ResetAndCancel", e);
        }
    }
}

void ExecutionContext::CheckParameterCounts()
{
    const uint16_t count = m_executor.GetNumParams();
    m_statement.GetCurrentAPD().CheckRecordsSequential(count);
    m_statement.GetIPD().CheckRecordsSequential(count);
}

bool ExecutionContext::NextDataAtExecParameter()
{
    const uint16_t count = m_executor.GetNumParams();
    if (count == 0)
    {
        return false;
    }
    if (m_isInProgress)
    {
        m_parameter.Finish();
    }
    DataAtExecPosition from = m_current;
    bool hasFrom = m_isInProgress;
    m_isInProgress = false;
    DataAtExecPosition found;
    while (m_statement.GetCurrentAPD().FindNextDataAtExecParameter(hasFrom ? &from : nullptr, found))
    {
        if (found.m_recNumber <= count && !IsOutputParameter(found.m_recNumber))
        {
            m_current = found;
            m_isInProgress = true;
            m_parameter.Begin(found.m_row + 1, found.m_recNumber);
            return true;
        }
        from = found;
        hasFrom = true;
    }
    return false;
}

bool ExecutionContext::IsOutputParameter(int16_t in_recNumber)
{
    return m_statement.GetIPD().ReadField(in_recNumber, SQL_DESC_PARAMETER_TYPE).m_integer == SQL_PARAM_OUTPUT;
}

SQLPOINTER ExecutionContext::GetCurrentToken()
{
    if (!m_isInProgress)
    {
        throw ODBCInternalException(u"NoDataAtExecParameter");
    }
    return m_statement.GetCurrentAPD().ReadField(m_current.m_recNumber, SQL_DESC_DATA_PTR).m_pointer;
}

void ExecutionContext::PushParameterData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator)
{
    if (!m_isInProgress)
    {
        throw ODBCInternalException(u"NoDataAtExecParameter");
    }
    m_parameter.Push(in_data, in_lengthOrIndicator);
    m_pushed.insert({m_current.m_row + 1, m_current.m_recNumber});
}

void ExecutionContext::CheckConversions(uint16_t in_count)
{
    AppDescriptorBase& apd = m_statement.GetCurrentAPD();
    ImplParamDescriptor& ipd = m_statement.GetIPD();
    for (uint16_t parameter = 1; parameter <= in_count; ++parameter)
    {
        const auto number = static_cast<int16_t>(parameter);
        if (!apd.HasRecord(number))
        {
            throw ODBCInternalException(u"DescRecNotFound");
        }
        const int64_t direction = ipd.GetRecord(number).Read(SQL_DESC_PARAMETER_TYPE).m_integer;
        const auto cType = static_cast<int16_t>(apd.ReadField(number, SQL_DESC_CONCISE_TYPE).m_integer);
        const auto sqlType = static_cast<int16_t>(ipd.ReadField(number, SQL_DESC_CONCISE_TYPE).m_integer);
        const bool isInput = direction == SQL_PARAM_INPUT || direction == SQL_PARAM_INPUT_OUTPUT;
        const bool isOutput = direction == SQL_PARAM_INPUT_OUTPUT || direction == SQL_PARAM_OUTPUT;
        if ((isInput && !StatementState::IsCToSqlConversionSupported(cType, sqlType)) ||
            (isOutput && !CanConvertSqlToC(sqlType, cType)))
        {
            ThrowNotConvertible(parameter);
        }
    }
}

SQLRETURN ExecutionContext::Execute()
{
    const uint16_t count = m_executor.GetNumParams();
    CheckConversions(count);
    AppDescriptorBase& apd = m_statement.GetCurrentAPD();
    ImplParamDescriptor& ipd = m_statement.GetIPD();
    const auto size = static_cast<uint64_t>(apd.GetHeaderFieldChecked(SQL_DESC_ARRAY_SIZE).m_integer);
    auto* processed = static_cast<SQLULEN*>(ipd.GetHeaderFieldChecked(SQL_DESC_ROWS_PROCESSED_PTR).m_pointer);
    if (processed != nullptr)
    {
        *processed = 0;
    }
    ParameterStatusWriter status(ipd, size);
    status.MarkAllUnused();
    RunExecutor(count, status, processed);
    if (processed != nullptr)
    {
        *processed = size;
    }
    return GetResultCode();
}

void ExecutionContext::RunExecutor(uint16_t in_count, ParameterStatusWriter& io_status, SQLULEN* io_processed)
{
    AppDescriptorBase& apd = m_statement.GetCurrentAPD();
    ImplParamDescriptor& ipd = m_statement.GetIPD();
    DiagManager& diagnostics = m_statement.GetDiagManager();
    const std::unique_ptr<ParameterList> inputs = ParameterList::MakeInputList(ipd, in_count);
    const std::unique_ptr<ParameterList> outputs = ParameterList::MakeOutputList(ipd, in_count);
    InputParameterSet inputSets(apd, diagnostics, *inputs, m_pushed);
    OutputParameterSet outputSets(apd, diagnostics, *outputs, io_status);
    try
    {
        m_executor.FinalizePushedParamData();
        m_executor.Execute(&diagnostics, inputSets, outputSets, io_status);
    }
    catch (const DSI::BadDefaultParamException& e)
    {
        RecordProcessed(io_status, io_processed);
        throw ErrorException(DIAG_INVALID_USE_OF_DEFAULT_PARAMETER, e.GetComponentId(), e.GetMessageKey(),
                             e.GetParameters(), e.GetRowNumber(), e.GetColumnNumber());
    }
    catch (...)
    {
        RecordProcessed(io_status, io_processed);
        throw;
    }
}

SQLRETURN ExecutionContext::GetResultCode()
{
    DSI::IResult* result = m_executor.GetResults().GetCurrentResult();
    if (result == nullptr)
    {
        return SQL_NO_DATA;
    }
    const bool hasNoRows =
        result->GetResultType() == DSI::DSI_ROW_COUNT && result->HasRowCount() && result->GetRowCount() == 0;
    return hasNoRows && m_statement.GetDiagManager().MatchesOdbcVersion(SQL_OV_ODBC3) ? SQL_NO_DATA : SQL_SUCCESS;
}

} // namespace ODBC
} // namespace Orvik
