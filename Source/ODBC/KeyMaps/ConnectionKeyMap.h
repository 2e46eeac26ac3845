#pragma once

#include "ODBC/KeyMaps/PropertyKeyMap.h"

namespace Orvik {
namespace ODBC {

/// The connection attributes and information types that are properties of the data-store connection.
class ConnectionKeyMap
{
public:
    ConnectionKeyMap() = delete;

    static const PropertyKeyMap& GetInstance();
};

} // namespace ODBC
} // namespace Orvik
