#pragma once

#include <string>

namespace Orvik {
namespace ODBC {

/// The driver manager the driver runs under, as the start-up log reports it. Nothing is
/// detected: the driver is built for unixODBC.
class DriverManagerInfo
{
public:
    std::string GetName() const { return "unixODBC"; }
    std::string GetVersion() const { return "Unknown"; }
};

} // namespace ODBC
} // namespace Orvik
