#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side GUID value. The first four fields have the layout of the ODBC SQLGUID; the
/// valid flag and the explicit padding after it are part of the 20-byte binary image, so the
/// padding is kept zero to make that image deterministic.
struct TDWGuidValue
{
    uint32_t m_data1 = 0;
    uint16_t m_data2 = 0;
    uint16_t m_data3 = 0;
    uint8_t m_data4[8] = {};
    bool m_isValid = false;
    uint8_t m_padding[3] = {};
};

static_assert(sizeof(TDWGuidValue) == 20, "GUID value layout");

} // namespace Support
} // namespace Orvik
