#include "Support/DiagState.h"

#include "Support/InvalidArgumentException.h"

namespace Orvik {
namespace Support {

namespace {

constexpr SqlState STATE_TABLE[] = {
#define ORVIK_DIAG_STATE_SQLSTATE(name, sqlState) SqlState(sqlState),
    ORVIK_DIAG_STATE_TABLE(ORVIK_DIAG_STATE_SQLSTATE)
#undef ORVIK_DIAG_STATE_SQLSTATE
};

static_assert(sizeof(STATE_TABLE) / sizeof(STATE_TABLE[0]) == DIAG_STATE_COUNT, "one SQLSTATE a state");
static_assert(DIAG_STATE_COUNT == 107, "the driver knows 107 diagnostic states");

} // namespace

SqlState GetSqlStateForDiagState(DiagState in_state)
{
    if (in_state < 0 || in_state >= DIAG_STATE_COUNT)
    {
        ORVIK_THROW_INVALID_ARGUMENT();
    }
    return STATE_TABLE[in_state];
}

} // namespace Support
} // namespace Orvik
