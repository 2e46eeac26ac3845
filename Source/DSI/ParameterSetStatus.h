#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// What became of one parameter set; the application sees it in its status array.
enum ParameterStatus : int32_t
{
    PARAM_STATUS_SUCCESS = 0,              ///< SQL_PARAM_SUCCESS
    PARAM_STATUS_SUCCESS_WITH_INFO = 1,    ///< SQL_PARAM_SUCCESS_WITH_INFO
    PARAM_STATUS_UNUSED = 2,               ///< SQL_PARAM_UNUSED: never executed
    PARAM_STATUS_DIAG_UNAVAILABLE = 3,     ///< SQL_PARAM_DIAG_UNAVAILABLE
    PARAM_STATUS_ERROR = 4                 ///< SQL_PARAM_ERROR
};

/// Records the outcome of each parameter set of an execution.
class ParameterSetStatus
{
public:
    virtual ~ParameterSetStatus() = default;

    /// The outcome recorded for the set numbered in_row (from 1); PARAM_STATUS_ERROR when no
    /// outcome can be recorded.
    virtual ParameterStatus GetStatus(uint64_t in_row) = 0;

    /// The outcome of the set numbered in_row (from 1). An outcome already recorded for the set
    /// may take precedence: an error is never replaced, a warning never by success.
    virtual void SetStatus(uint64_t in_row, ParameterStatus in_status) = 0;

    /// The number of sets of the execution.
    virtual uint64_t GetSize() = 0;

    /// Whether the execution has no sets.
    virtual bool IsEmpty() = 0;

protected:
    ParameterSetStatus() = default;
};

} // namespace DSI
} // namespace Orvik
