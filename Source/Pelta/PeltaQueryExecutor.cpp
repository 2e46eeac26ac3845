#include "Pelta/PeltaQueryExecutor.h"

#include "DSI/Client/DSIRowCountResult.h"
#include "DSI/DSIStatement.h"
#include "DSI/ILogger.h"
#include "DSI/ParameterList.h"
#include "DSI/ParameterSet.h"
#include "DSI/ParameterSetIterator.h"
#include "DSI/ParameterSetStatus.h"
#include "DSI/ParameterSource.h"
#include "DSI/StatementPropertyKey.h"
#include "Pelta/PeltaAPI.h"
#include "Pelta/PeltaConnectionSettings.h"
#include "Pelta/PeltaConstants.h"
#include "Pelta/PeltaError.h"
#include "Pelta/PeltaJsonWriter.h"
#include "Pelta/PeltaResultSet.h"
#include "Support/AttributeData.h"
#include "Support/NumberConverter.h"

#include <sqlext.h>

#include <algorithm>
#include <cctype>

using Orvik::DSI::ParameterStatus;
using Orvik::Support::ErrorException;

namespace Pelta {

namespace {

constexpr char LOG_CLASS[] = "PeltaQueryExecutor";
constexpr char PLACEHOLDER_REPLY[] = "{\"empty\":null}";
constexpr char16_t BULK_FAILURE_KEY[] = u"PeltaBulkOperationError";
constexpr int16_t INPUT_PARAMETER = 1;

bool BeginsWith(const std::string& in_text, const char* in_word)
{
    const size_t length = std::char_traits<char>::length(in_word);
    return in_text.size() >= length
        && std::equal(in_word, in_word + length, in_text.begin(), [](char in_left, char in_right) {
               return in_left == std::tolower(static_cast<unsigned char>(in_right));
           });
}

void SetAll(Orvik::DSI::ParameterSetStatus& io_status, const std::vector<uint64_t>& in_rows, ParameterStatus in_status)
{
    for (uint64_t row : in_rows)
    {
        io_status.SetStatus(row, in_status);
    }
}

} // namespace

struct PeltaQueryExecutor::CollectedSets
{
    std::vector<std::vector<std::string>> values;
    std::vector<uint64_t> rows;
};

PeltaQueryExecutor::PeltaQueryExecutor(Orvik::DSI::ILogger& in_log,
                                       std::string in_text,
                                       uint16_t in_markers,
                                       bool in_isSelect,
                                       bool in_isDirectExecute,
                                       PeltaConnectionSettings& in_settings,
                                       PeltaAPI& in_api,
                                       Orvik::DSI::DSIStatement& in_statement,
                                       bool in_isODBC3)
    : m_api(in_api),
      m_log(in_log),
      m_markers(in_markers),
      m_text(std::move(in_text)),
      m_settings(in_settings),
      m_statement(in_statement),
      m_isSelect(in_isSelect),
      m_isODBC3(in_isODBC3)
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, LOG_CLASS);
    if (m_isSelect && !in_isDirectExecute)
    {
        Probe();
    }
    else if (m_isSelect)
    {
        AddPlaceholder();
    }
    else
    {
        m_results.AddResult(std::make_unique<Orvik::DSI::DSIRowCountResult>(-1));
    }
}

PeltaQueryExecutor::~PeltaQueryExecutor() = default;

void PeltaQueryExecutor::AddPlaceholder()
{
    m_results.AddResult(std::make_unique<PeltaResultSet>(m_log, PLACEHOLDER_REPLY, m_settings.maxColumnSize, false, m_isODBC3));
}

void PeltaQueryExecutor::Probe()
{
    const std::vector<std::string> nulls(m_markers, PeltaJsonWriter::NULL_VALUE);
    try
    {
        std::string reply;
        m_api.ExecuteMetadataQuery(reply, m_text, nulls);
        m_results.AddResult(
            std::make_unique<PeltaResultSet>(m_log, std::move(reply), m_settings.maxColumnSize, false, m_isODBC3));
    }
    catch (const ErrorException& e)
    {
        // The statement is described once it runs; until then it shows no columns.
        m_log.LogErrorException(PELTA_NAME, LOG_CLASS, LOG_CLASS, e);
        AddPlaceholder();
    }
}

void PeltaQueryExecutor::CancelExecute()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "CancelExecute");
    // Another thread may be executing: the request it waits for ends with HY008.
    m_api.Cancel();
}

void PeltaQueryExecutor::ClearCancel()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "ClearCancel");
}

void PeltaQueryExecutor::PopulateParameters(Orvik::DSI::ParameterList& io_parameters)
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "PopulateParameters");
    for (uint16_t number = 1; number <= m_markers; ++number)
    {
        Orvik::DSI::ParameterSource& parameter = io_parameters.GetParameter(number);
        parameter.SetConciseType(SQL_WVARCHAR);
        parameter.SetInputOutputType(INPUT_PARAMETER);
        parameter.SetColumnSize(m_settings.maxColumnSize);
    }
}

void PeltaQueryExecutor::PushParamData(uint64_t, Orvik::DSI::ParameterSource&)
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "PushParamData");
    throw PeltaError("PeltaUnimplementedMethod", {"PushParamData"});
}

void PeltaQueryExecutor::FinalizePushedParamData()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "FinalizePushedParamData");
}

Orvik::DSI::DSIResults& PeltaQueryExecutor::GetResults()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "GetResults");
    return m_results;
}

uint16_t PeltaQueryExecutor::GetNumParams()
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "GetNumParams");
    return m_markers;
}

std::string PeltaQueryExecutor::ConvertParameter(Orvik::DSI::ParameterSource& in_source)
{
    uint64_t length = 0;
    const void* data = in_source.GetData(length);
    return PeltaJsonWriter::ArgumentToJson(in_source.GetSqlType(), in_source.IsUnsigned(), data, length);
}

void PeltaQueryExecutor::Execute(Orvik::Support::WarningListener* /* in_listener */,
                                 Orvik::DSI::ParameterSetIterator& io_inputs,
                                 Orvik::DSI::ParameterSetIterator& /* io_outputs */,
                                 Orvik::DSI::ParameterSetStatus& io_status)
{
    m_log.LogFunctionEntrance(PELTA_NAME, LOG_CLASS, "Execute");
    m_results.Clear();
    if (m_markers == 0)
    {
        ExecuteOnce({});
        return;
    }
    const CollectedSets sets = CollectSets(io_inputs, io_status);
    if (sets.values.empty())
    {
        throw PeltaError("PeltaNoParameterSet");
    }
    if (sets.values.size() > 1)
    {
        ExecuteBulk(sets, io_status);
        return;
    }
    try
    {
        ExecuteOnce(sets.values.front());
    }
    catch (const ErrorException&)
    {
        SetAll(io_status, sets.rows, Orvik::DSI::PARAM_STATUS_ERROR);
        throw;
    }
    SetAll(io_status, sets.rows, Orvik::DSI::PARAM_STATUS_SUCCESS);
}

PeltaQueryExecutor::CollectedSets PeltaQueryExecutor::CollectSets(Orvik::DSI::ParameterSetIterator& io_inputs,
                                                                  Orvik::DSI::ParameterSetStatus& io_status)
{
    CollectedSets sets;
    std::vector<Orvik::DSI::ParameterSource*> parameters;
    while (io_inputs.MoveToNext())
    {
        const uint64_t row = io_inputs.GetCurrentRow();
        parameters.clear();
        io_inputs.GetCurrentSet().GetParameters(parameters);
        std::vector<std::string> values;
        values.reserve(parameters.size());
        try
        {
            for (size_t i = 0; i < parameters.size(); ++i)
            {
                if (parameters[i]->IsNull())
                {
                    values.emplace_back(PeltaJsonWriter::NULL_VALUE);
                    continue;
                }
                if (parameters[i]->IsDefault())
                {
                    throw PeltaError("PeltaDefaultParameterNotSupported",
                                     {Orvik::Support::NumberConverter::ConvertUInt64ToWString(i)});
                }
                values.push_back(ConvertParameter(*parameters[i]));
            }
        }
        catch (const ErrorException&)
        {
            // Nothing was sent: this set failed, and no other set was used.
            SetAll(io_status, sets.rows, Orvik::DSI::PARAM_STATUS_UNUSED);
            io_status.SetStatus(row, Orvik::DSI::PARAM_STATUS_ERROR);
            while (io_inputs.MoveToNext())
            {
                io_status.SetStatus(io_inputs.GetCurrentRow(), Orvik::DSI::PARAM_STATUS_UNUSED);
            }
            throw;
        }
        sets.rows.push_back(row);
        sets.values.push_back(std::move(values));
    }
    return sets;
}

void PeltaQueryExecutor::ExecuteOnce(const std::vector<std::string>& in_values)
{
    std::string reply;
    if (!m_isSelect && (BeginsWith(m_text, "create") || BeginsWith(m_text, "drop")))
    {
        m_api.ExecuteQuery(reply, m_text, in_values);
        m_results.AddResult(std::make_unique<Orvik::DSI::DSIRowCountResult>(-1));
        return;
    }
    // The reply is read once, by the result set that keeps it. Whatever the text begins with
    // (a with clause, a comment, values, explain), a reply with columns carries rows; one
    // without is a select without columns, or another statement's row count.
    m_api.ExecuteQueryUnchecked(reply, m_text, in_values);
    auto result = std::make_unique<PeltaResultSet>(m_log, std::move(reply), m_settings.maxColumnSize, false, m_isODBC3);
    if (!m_isSelect && !result->HasColumns())
    {
        m_results.AddResult(std::make_unique<Orvik::DSI::DSIRowCountResult>(result->GetRowCount()));
        return;
    }
    result->LimitRows(m_statement.GetProperty(Orvik::DSI::STMT_PROP_MAX_ROWS)->GetUIntNativeValue());
    m_results.AddResult(std::move(result));
}

void PeltaQueryExecutor::ExecuteBulk(const CollectedSets& in_sets, Orvik::DSI::ParameterSetStatus& io_status)
{
    std::vector<uint64_t> failed;
    int64_t total = 0;
    try
    {
        total = m_api.ExecuteBulkOperation(m_text, in_sets.values, failed);
    }
    catch (const ErrorException& e)
    {
        const bool isSetFailure = e.GetMessageKey() == Orvik::Support::orvik_wstring(BULK_FAILURE_KEY);
        for (size_t i = 0; i < in_sets.rows.size(); ++i)
        {
            // The server reports the failed sets by their place in the request, from 1.
            const bool hasFailed = !isSetFailure || std::find(failed.begin(), failed.end(), i + 1) != failed.end();
            io_status.SetStatus(in_sets.rows[i], hasFailed ? Orvik::DSI::PARAM_STATUS_ERROR : Orvik::DSI::PARAM_STATUS_SUCCESS);
        }
        throw;
    }
    SetAll(io_status, in_sets.rows, Orvik::DSI::PARAM_STATUS_SUCCESS);
    m_results.AddResult(std::make_unique<Orvik::DSI::DSIRowCountResult>(total));
}

} // namespace Pelta
