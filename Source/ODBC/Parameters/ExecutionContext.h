#pragma once

#include "ODBC/Descriptors/AppDescriptorBase.h"

#include <sql.h>

#include <cstdint>
#include <set>
#include <utility>

namespace Orvik {

namespace DSI {
class IQueryExecutor;
} // namespace DSI

namespace ODBC {

class Statement;

/// One prepared statement's execution with its parameters: it checks that the bound parameters
/// describe the statement's markers, walks the parameters that wait for data at execution,
/// hands each piece of their data to the query executor, and runs the executor. The statement
/// states call it under the current APD's lock and then the IPD's, from the statement's own
/// thread; SQLCancel from another thread only asks the executor to stop.
///
/// This body serves statements whose parameter values all arrive as data at execution, or that
/// have no parameters: values read from bound buffers, their conversion and the parameter status
/// array come with the parameter sources.
class ExecutionContext
{
public:
    /// The context of io_executor's executions for io_statement (neither owned); a missing one
    /// throws ODBCInternalException "InvalidExecResults".
    ExecutionContext(DSI::IQueryExecutor* io_executor, Statement* io_statement);

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

    /// Makes the next parameter that waits for data at execution current (sets in ascending
    /// order, parameters within a set likewise; output parameters and parameters beyond the
    /// statement's markers passed over); false when none remains.
    bool NextDataAtExecParameter();

    /// The current parameter's SQL_DESC_DATA_PTR as the APD holds it: the application's token.
    /// ODBCInternalException "NoDataAtExecParameter" without a current parameter.
    SQLPOINTER GetCurrentToken();

    /// Hands one piece of the current parameter's value (in_lengthOrIndicator bytes, SQL_NTS,
    /// SQL_NULL_DATA or SQL_DEFAULT_PARAM) to the executor. A negative length of no such kind
    /// throws "InvalidStrOrBuffLen" (HY090).
    void PushParameterData(SQLPOINTER in_data, SQLLEN in_lengthOrIndicator);

    /// Runs the executor over every parameter set: SQL_SUCCESS for a result set or rows
    /// affected, SQL_NO_DATA for no result or no rows affected (SQL_SUCCESS for an ODBC 2
    /// application). Parameters whose values would have to be read from bound buffers throw
    /// "ParameterBuffersNotSupported" (HYC00).
    SQLRETURN Execute();

private:
    /// Whether parameter in_recNumber is an output parameter.
    bool IsOutputParameter(int16_t in_recNumber);

    /// Makes in_position current and tells the application which set is being served.
    void BeginParameter(const DataAtExecPosition& in_position);

    /// Whether every parameter of every set arrived as data at execution.
    bool AreAllValuesPushed(uint16_t in_parameterCount, uint64_t in_setCount) const;

    DSI::IQueryExecutor& m_executor;
    Statement& m_statement;

    /// The (set, parameter) pairs whose values the executor holds, sets from 1.
    std::set<std::pair<uint64_t, int16_t>> m_pushed;

    bool m_isInProgress = false;
    DataAtExecPosition m_current;
};

} // namespace ODBC
} // namespace Orvik
