#pragma once

#include "Support/AttributeData.h"

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// What the driver knows of the SQLGetInfo information types: the value type of each (the
/// AttributeData type its value has; the 8-bit entry points convert the text ones) and the ODBC
/// name of each for log lines.
class InfoTypes
{
public:
    InfoTypes() = delete;

    /// The value type of information type in_infoType. A number that is no information type
    /// (174 to 9999, 10006 to 10020, above 10023, negative) throws ErrorException
    /// "InvalidGetInfoField" (HY000).
    static Support::AttributeType GetInfoValueKind(int32_t in_infoType);

    /// The information type's ODBC name, or "Unknown InfoType".
    static const char* GetName(int32_t in_infoType);
};

} // namespace ODBC
} // namespace Orvik
