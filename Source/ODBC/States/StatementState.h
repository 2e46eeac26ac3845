#pragma once

namespace Orvik {
namespace ODBC {

/// A state of the ODBC statement state machine (S1 to S12): each statement owns one and hands
/// every statement function to it; a transition replaces it. The statement functions join this
/// interface with the statement states themselves.
class StatementState
{
public:
    virtual ~StatementState() = default;

    StatementState(const StatementState&) = delete;
    StatementState& operator=(const StatementState&) = delete;

protected:
    StatementState() = default;
};

} // namespace ODBC
} // namespace Orvik
