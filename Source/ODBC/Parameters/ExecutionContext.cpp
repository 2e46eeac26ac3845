#include "ODBC/Parameters/ExecutionContext.h"

#include "DSI/BadStateException.h"
#include "DSI/Client/DSIResults.h"
#include "DSI/Client/IResult.h"
#include "DSI/DSILog.h"
#include "DSI/IQueryExecutor.h"
#include "DSI/ParameterSet.h"
#include "DSI/ParameterSetIterator.h"
#include "DSI/ParameterSetStatus.h"
#include "DSI/ParameterSource.h"
#include "ODBC/Descriptors/ImplParamDescriptor.h"
#include "ODBC/Diagnostics/DiagManager.h"
#include "ODBC/Exceptions/ODBCInternalException.h"
#include "ODBC/Handles/Statement.h"
#include "Support/ErrorException.h"

#include <sqlext.h>

#include <cstring>
#include <string>

namespace Orvik {
namespace ODBC {

using namespace Support;

namespace {

/// One piece of a parameter's value as the application sent it.
class PushedPiece : public DSI::ParameterSource
{
public:
    PushedPiece(int16_t in_sqlType, const void* in_data, SQLLEN in_length)
        : m_sqlType(in_sqlType), m_data(in_data), m_length(in_length)
    {
    }

    bool IsNull() override { return m_length == SQL_NULL_DATA; }
    bool IsDefault() override { return m_length == SQL_DEFAULT_PARAM; }
    int16_t GetSqlType() override { return m_sqlType; }
    bool IsUnsigned() override { return false; }

    const void* GetData(uint64_t& out_length) override
    {
        out_length = m_length < 0 ? 0 : static_cast<uint64_t>(m_length);
        return m_length < 0 ? nullptr : m_data;
    }

    // A piece describes nothing.
    void SetConciseType(int16_t) override { RefuseDescription(); }
    void SetInputOutputType(int16_t) override { RefuseDescription(); }
    void SetColumnSize(uint64_t) override { RefuseDescription(); }

private:
    static void RefuseDescription()
    {
        throw DSI::BadStateException(ODBC_COMPONENT_ID, u"CannotSetParmSrcAttrDuringPushData", -1, -1);
    }

    int16_t m_sqlType;
    const void* m_data;
    SQLLEN m_length;
};

/// The parameter sets of an execution whose values the executor already holds: each set shows
/// no parameters.
class HeldParameterSets : public DSI::ParameterSetIterator, public DSI::ParameterSet, public DSI::ParameterSetStatus
{
public:
    explicit HeldParameterSets(uint64_t in_setCount) : m_setCount(in_setCount) {}

    bool MoveToNext() override { return m_row < m_setCount ? (++m_row, true) : false; }
    DSI::ParameterSet& GetCurrentSet() override { return *this; }
    uint64_t GetCurrentRow() override { return m_row; }
    void GetParameters(std::vector<DSI::ParameterSource*>&) override {}
    uint16_t GetCount() override { return 0; }
    void SetStatus(uint64_t, DSI::ParameterStatus) override {}

private:
    uint64_t m_setCount;
    uint64_t m_row = 0;
};

/// The length of a piece: in_length itself, or measured up to the terminator of its C type.
SQLLEN GetPieceLength(const void* in_data, SQLLEN in_length, int16_t in_cType)
{
    if (in_length >= 0 || in_length == SQL_NULL_DATA || in_length == SQL_DEFAULT_PARAM)
    {
        return in_length;
    }
    if (in_length != SQL_NTS || in_data == nullptr)
    {
        throw ErrorException(DIAG_INVALID_STRING_OR_BUFFER_LENGTH, ODBC_COMPONENT_ID, u"InvalidStrOrBuffLen", -1, -1);
    }
    if (in_cType == SQL_C_WCHAR)
    {
        return static_cast<SQLLEN>(std::char_traits<char16_t>::length(static_cast<const char16_t*>(in_data)) *
                                   sizeof(char16_t));
    }
    return static_cast<SQLLEN>(std::strlen(static_cast<const char*>(in_data)));
}

template <class Object>
Object& Required(Object* in_object)
{
    if (in_object == nullptr)
    {
        throw ODBCInternalException(u"InvalidExecResults");
    }
    return *in_object;
}

} // namespace

ExecutionContext::ExecutionContext(DSI::IQueryExecutor* io_executor, Statement* io_statement)
    : m_executor(Required(io_executor)), m_statement(Required(io_statement))
{
}

void ExecutionContext::Reset()
{
    m_isInProgress = false;
    m_pushed.clear();
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
    DataAtExecPosition from = m_current;
    bool hasFrom = m_isInProgress;
    DataAtExecPosition found;
    while (m_statement.GetCurrentAPD().FindNextDataAtExecParameter(hasFrom ? &from : nullptr, found))
    {
        if (found.m_recNumber <= count && !IsOutputParameter(found.m_recNumber))
        {
            BeginParameter(found);
            return true;
        }
        from = found;
        hasFrom = true;
    }
    m_isInProgress = false;
    return false;
}

bool ExecutionContext::IsOutputParameter(int16_t in_recNumber)
{
    return m_statement.GetIPD().ReadField(in_recNumber, SQL_DESC_PARAMETER_TYPE).m_integer == SQL_PARAM_OUTPUT;
}

void ExecutionContext::BeginParameter(const DataAtExecPosition& in_position)
{
    m_current = in_position;
    m_isInProgress = true;
    auto* processed = static_cast<SQLULEN*>(
        m_statement.GetIPD().GetHeaderFieldChecked(SQL_DESC_ROWS_PROCESSED_PTR).m_pointer);
    if (processed != nullptr)
    {
        *processed = in_position.m_row + 1;
    }
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
    const int16_t cType =
        static_cast<int16_t>(m_statement.GetCurrentAPD().ReadField(m_current.m_recNumber, SQL_DESC_CONCISE_TYPE).m_integer);
    const int16_t sqlType =
        static_cast<int16_t>(m_statement.GetIPD().ReadField(m_current.m_recNumber, SQL_DESC_CONCISE_TYPE).m_integer);
    PushedPiece piece(sqlType, in_data, GetPieceLength(in_data, in_lengthOrIndicator, cType));
    const uint64_t set = m_current.m_row + 1;
    m_executor.PushParamData(set, piece);
    m_pushed.insert({set, m_current.m_recNumber});
}

bool ExecutionContext::AreAllValuesPushed(uint16_t in_parameterCount, uint64_t in_setCount) const
{
    for (uint64_t set = 1; set <= in_setCount; ++set)
    {
        for (int16_t parameter = 1; parameter <= in_parameterCount; ++parameter)
        {
            if (m_pushed.count({set, parameter}) == 0)
            {
                return false;
            }
        }
    }
    return true;
}

SQLRETURN ExecutionContext::Execute()
{
    const uint16_t parameterCount = m_executor.GetNumParams();
    const auto setCount =
        static_cast<uint64_t>(m_statement.GetCurrentAPD().GetHeaderFieldChecked(SQL_DESC_ARRAY_SIZE).m_integer);
    if (!AreAllValuesPushed(parameterCount, setCount))
    {
        throw ErrorException(DIAG_OPTIONAL_FEATURE_NOT_IMPLEMENTED, ODBC_COMPONENT_ID, u"ParameterBuffersNotSupported",
                             -1, -1);
    }
    HeldParameterSets inputs(setCount);
    HeldParameterSets outputs(0);
    m_executor.FinalizePushedParamData();
    m_executor.Execute(&m_statement.GetDiagManager(), inputs, outputs, inputs);
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
