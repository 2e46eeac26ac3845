#pragma once

#include "DSI/Client/DSIResults.h"
#include "DSI/IQueryExecutor.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Orvik {
namespace DSI {
class DSIStatement;
class ILogger;
class ParameterSource;
} // namespace DSI
} // namespace Orvik

namespace Pelta {

class PeltaAPI;
struct PeltaConnectionSettings;

/// A statement prepared by the data engine. It describes its result columns before execution
/// (by a column probe for a prepared select), runs with no, one or several parameter sets
/// through the statement's client, and keeps the outcome: a PeltaResultSet for a select and for
/// any reply with columns, a row count otherwise.
class PeltaQueryExecutor : public Orvik::DSI::IQueryExecutor
{
public:
    /// in_text is the prepared text as it stands in the request, in_markers its parameter
    /// markers. A direct execution starts with a placeholder (no columns) for a select and the
    /// row count -1 otherwise; a prepared non-select with -1; a prepared select sends the column
    /// probe and keeps its columns, or the placeholder when the probe fails in both forms. The
    /// log, settings and client are borrowed.
    PeltaQueryExecutor(Orvik::DSI::ILogger& in_log,
                       std::string in_text,
                       uint16_t in_markers,
                       bool in_isSelect,
                       bool in_isDirectExecute,
                       PeltaConnectionSettings& in_settings,
                       PeltaAPI& in_api,
                       Orvik::DSI::DSIStatement& in_statement,
                       bool in_isODBC3);
    ~PeltaQueryExecutor() override;

    /// Ends the request that another thread runs for this statement ("PeltaRequestCanceled",
    /// HY008); without one it does nothing.
    void CancelExecute() override;
    void ClearCancel() override;

    /// Describes every parameter as an input WVARCHAR of MaxColumnSize characters.
    void PopulateParameters(Orvik::DSI::ParameterList& io_parameters) override;

    /// Raises "PeltaUnimplementedMethod": data at execution is not supported.
    void PushParamData(uint64_t in_set, Orvik::DSI::ParameterSource& in_piece) override;
    void FinalizePushedParamData() override;

    /// Runs the statement: one request with no or one parameter set, one bulk request with
    /// several. Each set's status is written after the reply: success for the sets the server
    /// executed, error for the sets of a failed request and those the server reports failed,
    /// unused for sets never sent. Refuses a default parameter ("PeltaDefaultParameterNotSupported",
    /// its position from 0), a value without JSON form (PeltaJsonWriter's errors), and markers
    /// without any set to send ("PeltaNoParameterSet"), before anything is sent. Errors of the
    /// request pass unchanged and leave the results empty.
    void Execute(Orvik::Support::WarningListener* in_listener,
                 Orvik::DSI::ParameterSetIterator& io_inputs,
                 Orvik::DSI::ParameterSetIterator& io_outputs,
                 Orvik::DSI::ParameterSetStatus& io_status) override;

    Orvik::DSI::DSIResults& GetResults() override;
    uint16_t GetNumParams() override;

    /// The JSON text of in_source's value in the current set.
    static std::string ConvertParameter(Orvik::DSI::ParameterSource& in_source);

private:
    struct CollectedSets;

    void AddPlaceholder();
    void Probe();
    CollectedSets CollectSets(Orvik::DSI::ParameterSetIterator& io_inputs, Orvik::DSI::ParameterSetStatus& io_status);
    void ExecuteOnce(const std::vector<std::string>& in_values);
    void ExecuteBulk(const CollectedSets& in_sets, Orvik::DSI::ParameterSetStatus& io_status);

    PeltaAPI& m_api;
    Orvik::DSI::ILogger& m_log;
    Orvik::DSI::DSIResults m_results;
    uint16_t m_markers;
    std::string m_text;
    PeltaConnectionSettings& m_settings;
    // Its SQL_ATTR_MAX_ROWS is read when a select runs.
    Orvik::DSI::DSIStatement& m_statement;
    bool m_isSelect;
    bool m_isODBC3;
};

} // namespace Pelta
