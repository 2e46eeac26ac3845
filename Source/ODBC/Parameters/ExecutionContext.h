#pragma once

#include "ODBC/Descriptors/AppDescriptorBase.h"
#include "ODBC/Parameters/DataAtExecParameter.h"
#include "ODBC/Parameters/InputParameterSet.h"

#include <sql.h>

#include <cstdint>

namespace Orvik {

namespace DSI {
class IQueryExecutor;
} // namespace DSI

namespace ODBC {

class ParameterStatusWriter;
class Statement;

/// One prepared statement's execution with its parameters: it checks that the bound parameters
/// describe the statement's markers, walks the parameters that wait for data at execution and
/// hands each piece of their data to the query executor, then runs the executor over every
/// parameter set at once, with the parameter status array and the processed count. The
/// statement states call it under the current APD's lock and then the IPD's, from the
/// statement's own thread; SQLCancel from another thread only asks the executor to stop.
class ExecutionContext
{
public:
    /// The context of io_executor's executions for io_statement (neither owned); a missing one
    /// throws ODBCInternalException "InvalidExecResults".
    ExecutionContext(DSI::IQueryExecutor* io_executor, Statement* io_statement);
    ~ExecutionContext();

    ExecutionContext(const ExecutionContext&) = delete;
    ExecutionContext& operator=(const ExecutionContext&) = delete;

    /// Forgets the data at execution served so far and lets the executor forget a cancel.
    void Reset();

    /// Reset, then asks the executor to cancel; an executor that cannot cancel is logged, not
    /// passed on, so that the statement can still return to where it came from.
    void ResetAndCancel();

    /// The APD and the IPD must hold records 1 to the statement's parameter count ("DescRecNotSeq",
    /// 07002, otherwise).
    void CheckParameterCounts();

    /// Ends the parameter being served, if any (what its converter holds is pushed), then makes
    /// the next parameter that waits for data at execution current (sets in ascending order,
    /// parameters within a set likewise; ignored sets, NULL values, output parameters and
    /// parameters beyond the statement's markers passed over); false when none remains.
    bool NextDataAtExecParameter();

    /// The current parameter's SQL_DESC_DATA_PTR as the APD holds it: the application's token.
    /// ODBCInternalException "NoDataAtExecParameter" without a current parameter.
    SQLPOINTER GetCurrentToken();

    /// Converts one piece of the current parameter's value and hands it to the executor; the
    /// errors of DataAtExecParameter::Push. ODBCInternalException "NoDataAtExecParameter" without a
    /// current parameter.
    void PushParameterData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator);

    /// Runs the executor over every parameter set: the processed count starts at 0 and every
    /// status entry at SQL_PARAM_UNUSED; each C type must convert to its parameter's SQL type
    /// ("DataConvNotSupported", 07006, with the parameter as the column). Returns SQL_SUCCESS for
    /// a result set or rows affected, SQL_NO_DATA for no result or no rows affected (SQL_SUCCESS
    /// for an ODBC 2 application); the processed count is then the parameter-set size. A failure
    /// sets the processed count to the status entries the execution used (when both are given)
    /// and passes on; a default parameter the executor refuses becomes 07S01.
    SQLRETURN Execute();

private:
    /// The conversion check of parameters 1 to in_count before an execution.
    void CheckConversions(uint16_t in_count);

    /// Whether parameter in_recNumber is an output parameter.
    bool IsOutputParameter(int16_t in_recNumber);

    /// Runs the executor over the sets; after a failure the processed count is the number of
    /// status entries used.
    void RunExecutor(uint16_t in_count, ParameterStatusWriter& io_status, SQLULEN* io_processed);

    /// The return code of the execution's current result.
    SQLRETURN GetResultCode();

    DSI::IQueryExecutor& m_executor;
    Statement& m_statement;

    /// The (set, parameter) pairs whose values the executor holds, sets from 1.
    PushedPositions m_pushed;

    bool m_isInProgress = false;
    DataAtExecPosition m_current;
    DataAtExecParameter m_parameter;
};

} // namespace ODBC
} // namespace Orvik
