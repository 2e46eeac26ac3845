#pragma once

#include "Support/DiagState.h"
#include "Support/SqlState.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// What the diagnostics know about SQLSTATEs beyond the diagnostic states: their ODBC 2 forms,
/// which of them ODBC itself defines, and the class and subclass origins of records. Constant
/// data, readable from any thread at any time.
class DiagStateTable
{
public:
    DiagStateTable() = delete;

    /// The origin texts of SQL_DIAG_CLASS_ORIGIN and SQL_DIAG_SUBCLASS_ORIGIN.
    static constexpr const char* ORIGIN_ODBC = "ODBC 3.0";
    static constexpr const char* ORIGIN_ISO = "ISO 9075";

    /// The ODBC 2 forms of SQLSTATEs that the map does not hold: class 01, and all others.
    static constexpr Support::SqlState ODBC2_GENERAL_WARNING{"01000"};
    static constexpr Support::SqlState ODBC2_GENERAL_ERROR{"S1000"};

    /// The SQLSTATE of in_state (0 to 106).
    static Support::SqlState GetSqlState(Support::DiagState in_state);

    /// The form of in_sqlState that ODBC 2 applications expect; every value has one.
    static Support::SqlState ToOdbc2State(const Support::SqlState& in_sqlState);

    /// "ODBC 3.0" for a SQLSTATE of class IM, "ISO 9075" for every other.
    static const char* GetClassOrigin(const Support::SqlState& in_sqlState);

    /// "ODBC 3.0" for a state whose SQLSTATE ODBC itself defines, "ISO 9075" otherwise.
    static const char* GetSubclassOrigin(int32_t in_state);

    /// Whether ODBC itself defines the SQLSTATE of in_state; false for a value that is no state.
    static bool IsOdbcSpecific(int32_t in_state);

    /// Whether in_state is one of the states 0 to 106.
    static bool IsDiagState(int32_t in_state);
};

} // namespace ODBC
} // namespace Orvik
