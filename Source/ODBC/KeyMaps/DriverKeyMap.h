#pragma once

#include "ODBC/KeyMaps/PropertyKeyMap.h"

namespace Orvik {
namespace ODBC {

/// The information types that are properties of the data-store driver; its one map is the attribute map.
class DriverKeyMap
{
public:
    DriverKeyMap() = delete;

    static const PropertyKeyMap& GetInstance();
};

} // namespace ODBC
} // namespace Orvik
