#pragma once

#include <cstdint>

namespace Orvik {
namespace Support {

/// The SQL-side DATE value; laid out as the ODBC DATE_STRUCT so kernels copy it field by field.
struct TDWDateValue
{
    int16_t m_year = 1900;
    uint16_t m_month = 1;
    uint16_t m_day = 1;
};

static_assert(sizeof(TDWDateValue) == 6, "DATE_STRUCT layout");

} // namespace Support
} // namespace Orvik
