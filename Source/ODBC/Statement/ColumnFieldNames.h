#pragma once

#include <cstdint>

namespace Orvik {
namespace ODBC {

/// The names SQLColAttribute's log line gives its field identifiers: the ODBC names of the 45
/// fields a column can be asked for, with the ODBC 2 names of the length, precision and scale.
class ColumnFieldNames
{
public:
    ColumnFieldNames() = delete;

    /// The name of in_field, "Unknown FieldIdentifier" for a number without one.
    static const char* GetName(uint16_t in_field);
};

} // namespace ODBC
} // namespace Orvik
