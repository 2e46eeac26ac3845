#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// The numbered properties of a data-store statement. The numbers are part of the interface.
enum DSIStmtPropertyKey : int32_t
{
    DSI_STMT_MAX_LENGTH = 1,       ///< SQL_ATTR_MAX_LENGTH
    DSI_STMT_MAX_ROWS = 2,         ///< SQL_ATTR_MAX_ROWS
    DSI_STMT_QUERY_TIMEOUT = 3,    ///< SQL_ATTR_QUERY_TIMEOUT
    DSI_STMT_RESERVED_4 = 4,       ///< stored, read by nothing
    DSI_STMT_RETRIEVE_DATA = 5,    ///< SQL_ATTR_RETRIEVE_DATA
    DSI_STMT_ROWSET_SIZE = 6,      ///< the rows the application fetches per call
    DSI_STMT_MAX_LENGTH_MAX = 100, ///< the limits of the properties above: maximum, minimum
    DSI_STMT_MAX_LENGTH_MIN = 101,
    DSI_STMT_MAX_ROWS_MAX = 102,
    DSI_STMT_MAX_ROWS_MIN = 103,
    DSI_STMT_QUERY_TIMEOUT_MAX = 104,
    DSI_STMT_QUERY_TIMEOUT_MIN = 105,
    DSI_STMT_ROWSET_SIZE_MAX = 106,
    DSI_STMT_ROWSET_SIZE_MIN = 107
};

} // namespace DSI
} // namespace Orvik
