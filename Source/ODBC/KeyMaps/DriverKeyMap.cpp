#include "ODBC/KeyMaps/DriverKeyMap.h"

#include <sql.h>
#include <sqlext.h>

#include <iterator>

namespace Orvik {
namespace ODBC {

namespace {

// Information types, looked up as attributes.
constexpr PropertyKeyRow ATTRIBUTES[] = {
    {SQL_ACTIVE_ENVIRONMENTS, 1},
    {SQL_ASYNC_MODE, 2},
    {SQL_DRIVER_NAME, 3},
    {SQL_DRIVER_ODBC_VER, 4},
    {SQL_DRIVER_VER, 5},
    {SQL_FILE_USAGE, 6},
    {SQL_ODBC_INTERFACE_CONFORMANCE, 11},
    {SQL_STANDARD_CLI_CONFORMANCE, 13},
    {SQL_XOPEN_CLI_YEAR, 16},
    {SQL_ASYNC_DBC_FUNCTIONS, 28},
};

constexpr PropertyKeyMap MAP(ATTRIBUTES, std::size(ATTRIBUTES), nullptr, 0);

} // namespace

const PropertyKeyMap& DriverKeyMap::GetInstance()
{
    return MAP;
}

} // namespace ODBC
} // namespace Orvik
