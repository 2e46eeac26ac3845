#pragma once

#include "ODBC/KeyMaps/PropertyKeyMap.h"

namespace Orvik {
namespace ODBC {

/// The environment attributes and information types that are properties of the data-store environment.
class EnvironmentKeyMap
{
public:
    EnvironmentKeyMap() = delete;

    static const PropertyKeyMap& GetInstance();
};

} // namespace ODBC
} // namespace Orvik
