#pragma once

#include <cstdint>
#include <string>

namespace Orvik {
namespace ODBC {

/// The header record of a handle's diagnostics. Nothing in this driver sets its fields, so they
/// read as 0 and empty text.
struct DiagHeader
{
    int64_t m_rowCount = 0;
    int64_t m_cursorRowCount = 0;
    std::string m_dynamicFunction;
    int32_t m_dynamicFunctionCode = 0;
};

} // namespace ODBC
} // namespace Orvik
