#pragma once

namespace Orvik {

class Platform;

namespace ODBC {

/// The platform through which the ODBC layer's text arguments and outputs are converted.
class RunningPlatform
{
public:
    RunningPlatform() = delete;

    /// The running platform; InvalidOperationException before it starts and after it stops.
    static Platform& Get();
};

} // namespace ODBC
} // namespace Orvik
