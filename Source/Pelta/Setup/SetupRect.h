#pragma once

#include <cstdint>

namespace Pelta {

/// A window's rectangle in screen coordinates.
struct SetupRect
{
    int32_t m_left;
    int32_t m_top;
    int32_t m_right;
    int32_t m_bottom;
};

} // namespace Pelta
