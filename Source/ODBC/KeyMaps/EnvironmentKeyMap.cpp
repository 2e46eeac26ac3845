#include "ODBC/KeyMaps/EnvironmentKeyMap.h"

#include <sql.h>
#include <sqlext.h>

#include <iterator>

namespace Orvik {
namespace ODBC {

namespace {

constexpr PropertyKeyRow ATTRIBUTES[] = {
    {SQL_ATTR_OUTPUT_NTS, 1},
    {SQL_ATTR_ODBC_VERSION, 3},
};

constexpr PropertyKeyRow INFO_TYPES[] = {
    {SQL_MAX_DRIVER_CONNECTIONS, 2},
};

constexpr PropertyKeyMap MAP(ATTRIBUTES, std::size(ATTRIBUTES), INFO_TYPES, std::size(INFO_TYPES));

} // namespace

const PropertyKeyMap& EnvironmentKeyMap::GetInstance()
{
    return MAP;
}

} // namespace ODBC
} // namespace Orvik
