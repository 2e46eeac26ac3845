#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {
class WarningListener;
}

namespace DSI {

class DSIResults;
class ParameterList;
class ParameterSetIterator;
class ParameterSetStatus;
class ParameterSource;

/// A statement prepared by a back end's data engine: it describes its parameters, runs with
/// the application's parameter sets and keeps the results of its last execution.
class IQueryExecutor
{
public:
    virtual ~IQueryExecutor() = default;

    /// Stops a running execution.
    virtual void CancelExecute() = 0;

    /// Forgets a cancel that was consumed.
    virtual void ClearCancel() = 0;

    /// Describes the statement's parameters through io_parameters.
    virtual void PopulateParameters(ParameterList& io_parameters) = 0;

    /// Takes one piece of data at execution for the parameter set in_set (from 1).
    virtual void PushParamData(uint64_t in_set, ParameterSource& in_piece) = 0;

    /// Ends the pieces of data at execution.
    virtual void FinalizePushedParamData() = 0;

    /// Runs the statement with the parameter sets of io_inputs; output parameters go to
    /// io_outputs, the outcome of each set to io_status, warnings to in_listener.
    virtual void Execute(Support::WarningListener* in_listener,
                         ParameterSetIterator& io_inputs,
                         ParameterSetIterator& io_outputs,
                         ParameterSetStatus& io_status) = 0;

    /// The results of the last execution (or of the description before it); owned here.
    virtual DSIResults& GetResults() = 0;

    /// The number of parameter markers.
    virtual uint16_t GetNumParams() = 0;

protected:
    IQueryExecutor() = default;
};

} // namespace DSI
} // namespace Orvik
