#pragma once

#include <cstdint>

namespace Orvik {
namespace DSI {

/// The numbered properties of a data-store statement. The numbers are part of the interface.
enum StatementPropertyKey : int32_t
{
    STMT_PROP_MAX_LENGTH = 1,        ///< SQL_ATTR_MAX_LENGTH
    STMT_PROP_MAX_ROWS = 2,          ///< SQL_ATTR_MAX_ROWS
    STMT_PROP_QUERY_TIMEOUT = 3,     ///< SQL_ATTR_QUERY_TIMEOUT
    STMT_PROP_UNUSED_4 = 4,          ///< stored, read by nothing
    STMT_PROP_RETRIEVE_DATA = 5,     ///< SQL_ATTR_RETRIEVE_DATA
    STMT_PROP_ROWSET_SIZE = 6,       ///< the rows the application fetches per call
    STMT_PROP_MAX_LENGTH_MAX = 100,  ///< the limits of the properties above: maximum, minimum
    STMT_PROP_MAX_LENGTH_MIN = 101,
    STMT_PROP_MAX_ROWS_MAX = 102,
    STMT_PROP_MAX_ROWS_MIN = 103,
    STMT_PROP_QUERY_TIMEOUT_MAX = 104,
    STMT_PROP_QUERY_TIMEOUT_MIN = 105,
    STMT_PROP_ROWSET_SIZE_MAX = 106,
    STMT_PROP_ROWSET_SIZE_MIN = 107
};

} // namespace DSI
} // namespace Orvik
